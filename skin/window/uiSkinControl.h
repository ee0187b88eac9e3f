// The skin object that paints its window entirely from the style: a background bitmap of the window's
// size, rebuilt only when the size, the look or the place over a transparent parent changes, is
// copied to the window (frame included) on every paint. The window takes its shape from the style;
// children are clipped out and transparent children repaint over each new background.
#pragma once

#include <windows.h>

#include "uiMouseStateTracker.h"
#include "uiMovie.h"
#include "uiSkinEventCtrl.h"
#include "uiTransparentHelper.h"

class uiMemDC;
struct uiParentBkRequest;

class uiSkinControl : public uiSkinEventCtrl {
public:
    uiSkinControl();
    ~uiSkinControl() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    // The movie stops with the style whose animate items it plays.
    void ForgetStyle() override;
    // The movie and the mouse choice come from the new style.
    void RebindStyle() override;
    int ApplyStyle() override;
    int SetColorAdjust(int hue, int saturation, int lightness) override;

    // reset set: the window loses its region; else it takes the style's shape, or its own rectangle.
    virtual void UpdateRegion(BOOL reset);
    // Extras that a derived class paints into a freshly built background.
    virtual void AfterReBuildBkBitmap() {}
    // The background's memory DC; only valid after the first rebuild.
    virtual HDC GetBackgroundDC();
    // The state the display list is painted in.
    virtual int GetPaintState();
    // Clips out of hdc what the background copy must not cover (the children here).
    virtual void PaintBackground(HDC hdc);

    // Rebuilds the background when forced, resized, or moved over another part of a transparent
    // parent; 0 only when the bitmap could not be made.
    BOOL RebuildBackground(BOOL force);
    // Copies the background to hdc, the animation's current frame on top.
    void PresentBackground(HDC hdc);
    // UIM_UPDATE to the visible transparent children that the last change touched.
    void NotifyChildrenUpdate();
    void PaintLook(HDC hdc, int state);
    // Repaints the whole window, frame included, from the background.
    void RedrawNow();

    uiMouseStateTracker& GetTracker() { return m_tracker; }
    BOOL IsTransparent() const { return m_isTransparent; }

protected:
    // The style's shape for the window, or null; the caller owns it.
    HRGN BuildStyleRegion(BOOL reset);
    // Answers UIM_PAINTPARENTBK: the part of the background under the child.
    LRESULT PaintForChild(HDC childDC, const uiParentBkRequest* request);
    // The window's rectangle in its parent's client coordinates.
    RECT GetRectInParent() const;
    BOOL HasTrackerWindow() const { return m_tracker.GetWindow() != nullptr; }

    uiMemDC* m_background = nullptr;
    int m_bkWidth = 0;
    int m_bkHeight = 0;
    uiMouseStateTracker m_tracker;
    uiTransparentHelper m_transparent;
    RECT m_parentPos = {0, 0, 0, 0};
    BOOL m_isTransparent = FALSE;
    uiMovie m_movie;
    BOOL m_movieBound = FALSE;

private:
    // Plays the style's animate items, when it has any.
    void BindMovie();
    // Whether the tracker follows the mouse, by the type and the event items of the style.
    void TakeMouseChoice();
    void StopMovie();
    void OnWindowPosChanged();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    HRGN BuildShapeRegion(const RECT& bounds);
    HRGN BuildColorKeyRegion(const RECT& bounds, BOOL reset);
};

// Replaces the whole behaviour of a standard scroll-bar control: its own scroll state, layout, hit
// testing, thumb dragging, auto-repeat of arrow and page presses and the scroll notifications to
// the parent, with every part painted from the skin's scroll-bar image grid through an off-screen
// buffer. The standard control never paints or sees the mouse.
#pragma once

#include "uiSkinBase.h"

class uiDisplayImage;
class uiMemDC;
struct uiScrollInfo;

class uiSkinScrollBar : public uiSkinBase {
public:
    // Timers of a held arrow or page area: the first delay, then the repeats.
    static const UINT_PTR kDelayTimer = 200;
    static const UINT_PTR kRepeatTimer = 100;
    // The thumb is never shorter than this, for drawing and for hitting.
    static const int kMinThumb = 6;

    uiSkinScrollBar();
    ~uiSkinScrollBar() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Fits the window to the skin's bar thickness, lays it out and makes the buffer.
    void OnAttached() override;
    // The style's image and grid go with the style, and the buffer with them.
    void ReleaseStyle() override;
    // The background item and the scroll record live in the style copy.
    void ForgetStyle() override;
    // Drops the buffer; 1.
    int FreeCache() override;
    int ApplyStyle() override;

    // Stores what the mask names, clamped as the custom scroll bars clamp; the new position.
    int SetScrollInfo(BOOL redraw, const SCROLLINFO* info);
    void GetScrollInfo(SCROLLINFO* info) const;
    void Layout();
    void UpdateThumbOffset();
    // Client rectangle of a part (0, 1 arrows, 2, 3 page areas, 5 thumb).
    RECT GetPartRect(int part) const;
    // Part under a client point, -1 for none.
    int HitTest(POINT pt) const;
    // Grid cell of a part (the gripper included) in a state column; empty without a grid.
    RECT GetCell(int part, int column) const;

    BOOL IsVertical() const;
    int GetTrackLength() const { return m_trackLength; }
    int GetThumbLength() const { return m_thumbLength; }
    int GetThumbHitLength() const { return m_thumbHitLength; }
    int GetThumbOffset() const { return m_thumbOffset; }
    int GetPressedPart() const { return m_pressedPart; }
    int GetHotPart() const { return m_hotPart; }
    BOOL IsDragging() const { return m_dragging; }

private:
    static const int kGripper = 6;  // GetCell's code for the thumb's gripper

    int ArrowLength() const;
    // The position that the thumb shows: the track position while dragging.
    int ShownPosition() const;
    void Notify(WPARAM code);
    bool EnsureBuffer(bool replace);

    void OnSize();
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnMouseMove(POINT pt, bool realMove);
    void OnLButtonDown(POINT pt);
    void OnLButtonUp(POINT pt);
    // Ends a drag or a held part as a release at the client point does.
    void EndPress(POINT pt);
    void OnMouseLeave();
    // The position messages of the standard control, answered from the own state.
    LRESULT OnPositionMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // Drawing into the buffer, and the copy of the buffer to the window.
    // The buffer's DC when the style has no grid cells and the bar takes the built-in look; else null.
    HDC BuiltInLookDC() const;
    void DrawTrack();
    void PaintThumb(int column);
    void DrawArrow(int part, int column);
    void DrawCell(const RECT& dest, const RECT& source);
    void CopyToWindow();
    // Track and thumb in the column, then the copy.
    void Draw(int column);
    void DrawArrowNow(int part, int column);

    uiDisplayImage* m_background = nullptr;
    const uiScrollInfo* m_scrollInfo = nullptr;
    int m_split = 3;
    SCROLLINFO m_state = {sizeof(SCROLLINFO), 0, 0, 0, 0, 0, -1};
    BOOL m_dragging = FALSE;
    POINT m_dragStart = {0, 0};
    int m_dragStartPos = 0;
    int m_pressedPart = -1;
    BOOL m_repeating = FALSE;
    int m_hotPart = -1;
    BOOL m_outside = FALSE;
    BOOL m_tracking = FALSE;
    BOOL m_releasing = FALSE;  // its own ReleaseCapture is under way
    int m_trackLength = 0;
    int m_thumbLength = 0;
    int m_freeLength = 0;
    int m_cellWidth = 18;
    int m_cellHeight = 18;
    int m_length = 0;
    int m_thumbHitLength = 0;
    int m_thumbOffset = 0;
    RECT m_trackRect = {0, 0, 0, 0};
    uiMemDC* m_buffer = nullptr;
    SIZE m_lastSize = {0, 0};
};

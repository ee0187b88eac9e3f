// Puts the custom-drawn scroll bars on a window and paints every part of them (arrows, track,
// thumb, size grip) from the cells of the scroll-bar style's image grid, answering the bars'
// custom-draw notification. Kept by the scroll dialog, the scroll window and the skinned list
// controls.
#pragma once

#include <windows.h>

#include "CString.h"
#include "uiHelper.h"

class uiDisplayImage;
class uiStyle;
struct uiScrollInfo;

class uiScrollBarHelper : public uiHelper {
public:
    // The custom bars' style (uiCsbSetStyle) that skinned bars take: flat with hot tracking.
    static const int kBarStyle = 2;

    uiScrollBarHelper();
    ~uiScrollBarHelper() override;

    // Answers the custom-draw notification of the window's bars; 0 for every other message.
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Takes a copy of the named style (null: the name kept before); whether one was found.
    BOOL LoadStyle(const wchar_t* name);
    // Gives the window the custom bars laid out by the style; 0, attached to nothing, without a style.
    BOOL Attach(HWND hwnd);
    void LoadLayout();
    // Removes the custom bars and drops the style copy; 1.
    BOOL Detach();

    // Paints the source cell of the grid image stretched into the destination.
    void DrawPart(HDC dc, const RECT& dest, const RECT& source) const;
    void Redraw() const;
    void SetTrackCapture(BOOL value) const;
    void SetVerticalHitOnly(BOOL value) const;

    // Adjustments for list and tree controls, which report 0..100 without a page before they have
    // content: that range counts as empty.
    void FixEmptyRange(int bar) const;
    void SyncScrollInfo(int bar) const;
    void HideEmptyBar(int bar);

    BOOL IsVerticalHidden() const { return m_verticalHidden; }
    BOOL IsHorizontalHidden() const { return m_horizontalHidden; }

    // The thumb: its leading and trailing split rows (columns for a horizontal thumb) unstretched,
    // the rest of the cell stretched between them, and the gripper cell centred when it fits.
    static void PaintThumb(uiDisplayImage* image, HDC dc, const RECT& rect, const RECT& cell,
                           const RECT& gripper, int split, int gripperLength, bool vertical);
    static void DrawCell(uiDisplayImage* image, HDC dc, const RECT& dest, const RECT& source);
    // The grid part (uiScrollPart) of a bar part code (arrows, page areas, thumb); -1 for others.
    static int GridPart(int item, bool vertical);
    // Whether the message is the custom bars' custom-draw notification, whose answer owners return.
    static BOOL IsCustomDraw(UINT msg, LPARAM lParam);

private:
    LRESULT OnCustomDraw(LPARAM lParam) const;
    // The bar's scroll information, with 0..100 without a page read as 0..0.
    SCROLLINFO ReadScrollInfo(int bar) const;

    uiStyle* m_style = nullptr;
    CString m_styleName;
    uiDisplayImage* m_background = nullptr;
    const uiScrollInfo* m_scrollInfo = nullptr;
    int m_cellWidth = 18;
    int m_cellHeight = 18;
    int m_split = 3;
    BOOL m_verticalHidden = FALSE;
    BOOL m_horizontalHidden = FALSE;
};

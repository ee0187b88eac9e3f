// The base of every display item: a position rule against a parent rectangle, the states in which the
// item is drawn, a name, a paint-order key and an optional placement to the right of another item.
#pragma once

#include <windows.h>
#include <climits>
#include "CString.h"

// "Not set" in skin positions and sizes.
const int UI_UNSET = INT_MAX;

// Paint states: the state an owner paints, and the states an item is drawn in.
enum uiPaintState : DWORD {
    UI_STATE_NORMAL = 0x1,
    UI_STATE_OVER = 0x2,
    UI_STATE_DOWN = 0x4,
    UI_STATE_DISABLED = 0x80,
    UI_STATE_CHECKED = 0x100,
    UI_STATE_CHECKED_OVER = 0x200,
    UI_STATE_INACTIVE = 0x800,
    UI_STATE_CHECKED_DISABLED = 0x1000,
    UI_STATE_CHECKED_DOWN = 0x2000,
    UI_STATE_DEFAULT = 0x4000,
};

// A rectangle placed by the layout rule: origin and size.
struct uiPlacement {
    int x;
    int y;
    int w;
    int h;
    // Left, top, right, bottom; the far edges saturate.
    RECT ToRect() const;
};

// How a set width or height is taken: display items stay within their parent; a window-region
// shape may reach past the window (the region is cut to the window anyway).
enum uiSizeRule { UI_SIZE_WITHIN_PARENT, UI_SIZE_AS_GIVEN };

// The layout rule of display items and window-region shapes: unset sides take the parent's edges,
// negative offsets count from its far edges, a set size follows the size rule. Sums saturate.
uiPlacement uiPlaceRect(const RECT& parent, int left, int top, int right, int bottom, int width, int height,
                        uiSizeRule sizeRule);

enum uiDisplayItemType {
    UI_ITEM_BASE = 0,
    UI_ITEM_IMAGE = 1,
    UI_ITEM_TEXT = 2,
    UI_ITEM_RECT = 3,
    UI_ITEM_LINE = 4,
    UI_ITEM_EVENT = 5,
    UI_ITEM_ANIMATE = 6,
    UI_ITEM_PROGRESS = 7,
};

enum uiRelativePoint {
    UI_RELATIVE_NONE = 0,
    UI_RELATIVE_RIGHT = 4,
};

class uiDisplayItem {
public:
    explicit uiDisplayItem(int type);
    uiDisplayItem(const uiDisplayItem&) = delete;
    uiDisplayItem& operator=(const uiDisplayItem&) = delete;
    virtual ~uiDisplayItem() = default;

    virtual int Paint(HDC dc) = 0;
    // A new item of the same kind with the same values; the caller owns it.
    virtual uiDisplayItem* Clone() const = 0;
    virtual int PaintDirect(HDC dc);
    virtual int AdjustColor(int hue, int saturation, int lightness);
    virtual void CalcRect(const RECT& parent);

    RECT GetRect() const;
    int SetRectAndPaint(HDC dc, const RECT& rect);
    // Places the item to the right of its relative-to item, resolving that item's placement first.
    void ResolveRelative();
    // Copies the base members; the links to other items are not copied.
    void CopyTo(uiDisplayItem* target) const;

    void SetStateMask(DWORD mask) { m_stateMask = mask; }
    DWORD GetStateMask() const { return m_stateMask; }
    BOOL IsVisible() const { return m_visible; }
    int GetType() const { return m_type; }

    int m_index = 0;
    BOOL m_visible = TRUE;
    int m_left = UI_UNSET;
    int m_top = UI_UNSET;
    int m_right = UI_UNSET;
    int m_bottom = UI_UNSET;
    int m_width = UI_UNSET;
    int m_height = UI_UNSET;
    DWORD m_stateMask = UI_STATE_NORMAL;
    int m_x = 0;
    int m_y = 0;
    int m_w = 0;
    int m_h = 0;
    CString m_name;
    HWND m_ownerWindow = nullptr;
    CString m_relativeToName;
    uiDisplayItem* m_relativeTo = nullptr;
    uiDisplayItem* m_dependent = nullptr;
    int m_relativePoint = UI_RELATIVE_NONE;

private:
    int m_type;
};

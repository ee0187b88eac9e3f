// An ordered list of owned display items: laid out against a rectangle and painted for a state.
#pragma once

#include <windows.h>
#include <list>
#include "CString.h"

class uiDisplayItem;

class uiDisplayList {
public:
    using Items = std::list<uiDisplayItem*>;

    uiDisplayList() = default;
    uiDisplayList(const uiDisplayList&) = delete;
    uiDisplayList& operator=(const uiDisplayList&) = delete;
    virtual ~uiDisplayList();

    // Takes ownership; a null item is not added.
    void Append(uiDisplayItem* item);
    void SortByIndex();
    int GetCount() const { return static_cast<int>(m_items.size()); }
    const Items& GetItems() const { return m_items; }

    void Layout(const RECT& parent);
    int Paint(HDC dc, DWORD state);
    int PaintDirect(HDC dc, DWORD state);
    void PaintItem(HDC dc, const wchar_t* name);
    // rect may be null (no layout); state 0 paints every item of the name.
    void PaintItemEx(HDC dc, const wchar_t* name, const RECT* rect, DWORD state);
    uiDisplayItem* FindItem(const wchar_t* name) const;
    void ShowItem(const wchar_t* name, BOOL visible);
    // The union of the computed rectangles of the items in the index range, empty when none.
    RECT ShowItemsByIndex(int first, int last, BOOL visible);
    BOOL HasDefaultStateItem() const;
    // name null: the text items that show the window's text.
    void SetText(const wchar_t* name, const CString& text);
    void SetTextParam(wchar_t character);
    void SetOwnerWindow(HWND window);
    int AdjustColor(int hue, int saturation, int lightness);
    void ShiftX(int offset);
    void PaintImageFrame(HDC dc, int frame);
    void SetImageWindow(HWND window);
    int GetMaxFrameCount() const;
    // Appends a clone of every item to the target and links the clones' relative placements.
    void CloneInto(uiDisplayList* target) const;

private:
    Items m_items;
};

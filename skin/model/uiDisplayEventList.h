// The event items of a style, a tab record or a list row's draw object, in element order.
#pragma once

#include <windows.h>
#include <vector>

class uiDisplayEventItem;
class uiDisplayList;

class uiDisplayEventList {
public:
    uiDisplayEventList() = default;
    uiDisplayEventList(const uiDisplayEventList&) = delete;
    uiDisplayEventList& operator=(const uiDisplayEventList&) = delete;
    virtual ~uiDisplayEventList();

    // Takes ownership; a null item is not added.
    void Append(uiDisplayEventItem* item);
    int GetCount() const { return static_cast<int>(m_items.size()); }
    // Null when the index is out of range.
    uiDisplayEventItem* ItemAt(int index) const;

    void Layout(const RECT& parent);
    // Every item takes the state as its control state and paints when visible and its mask shares a bit.
    void PaintItems(HDC dc, DWORD state);
    void SetHitRects(const RECT& row);
    int AdjustColor(int hue, int saturation, int lightness);
    // Appends a clone of every item to the target. With a display list (a copied draw object), clones
    // placed relative to an item of that list are linked to it.
    void CloneInto(uiDisplayEventList* target, uiDisplayList* displayList) const;

    // Copied by the owning control into each item when it attaches the list.
    int m_listValue = -1;

private:
    std::vector<uiDisplayEventItem*> m_items;
};

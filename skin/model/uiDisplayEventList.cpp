// The event list: owned event items, laid out, painted and copied together.
#include "uiDisplayEventList.h"
#include "uiDisplayEventItem.h"
#include "uiDisplayList.h"

uiDisplayEventList::~uiDisplayEventList()
{
    for (uiDisplayEventItem* item : m_items)
        delete item;
}

void uiDisplayEventList::Append(uiDisplayEventItem* item)
{
    if (item)
        m_items.push_back(item);
}

uiDisplayEventItem* uiDisplayEventList::ItemAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)];
}

void uiDisplayEventList::Layout(const RECT& parent)
{
    for (uiDisplayEventItem* item : m_items)
        item->CalcRect(parent);
}

void uiDisplayEventList::PaintItems(HDC dc, DWORD state)
{
    for (uiDisplayEventItem* item : m_items) {
        item->SetControlState(state);
        if ((state & item->GetStateMask()) != 0 && item->IsVisible())
            item->Paint(dc);
    }
}

void uiDisplayEventList::SetHitRects(const RECT& row)
{
    for (uiDisplayEventItem* item : m_items)
        item->SetHitRect(row);
}

int uiDisplayEventList::AdjustColor(int hue, int saturation, int lightness)
{
    for (uiDisplayEventItem* item : m_items)
        item->m_look.AdjustColor(hue, saturation, lightness);
    return 1;
}

void uiDisplayEventList::CloneInto(uiDisplayEventList* target, uiDisplayList* displayList) const
{
    for (const uiDisplayEventItem* item : m_items) {
        auto* copy = static_cast<uiDisplayEventItem*>(item->Clone());
        target->Append(copy);
        // Every clone placed against a display item is linked, not only the last one.
        if (!displayList || copy->m_relativeToName.IsEmpty() || copy->m_relativePoint == UI_RELATIVE_NONE)
            continue;
        uiDisplayItem* anchor = displayList->FindItem(copy->m_relativeToName);
        if (anchor) {
            copy->m_relativeTo = anchor;
            anchor->m_dependent = copy;
        }
    }
}

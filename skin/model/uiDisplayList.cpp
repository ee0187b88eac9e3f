// The display list's operations: every one walks the items from the front, names compared exactly.
#include "uiDisplayList.h"

#include <algorithm>
#include "uiDisplayImage.h"
#include "uiDisplayItem.h"
#include "uiDisplayText.h"
#include "uiImage.h"
#include "uiSaturate.h"

namespace {

bool HasName(const uiDisplayItem* item, const wchar_t* name)
{
    return name && item->m_name.Compare(name) == 0;
}

bool Shares(DWORD mask, DWORD state)
{
    return (mask & state) != 0;
}

} // namespace

uiDisplayList::~uiDisplayList()
{
    for (uiDisplayItem* item : m_items)
        delete item;
}

void uiDisplayList::Append(uiDisplayItem* item)
{
    if (item)
        m_items.push_back(item);
}

void uiDisplayList::SortByIndex()
{
    // std::list::sort is stable: equal indexes keep their element order.
    m_items.sort([](const uiDisplayItem* a, const uiDisplayItem* b) { return a->m_index < b->m_index; });
}

void uiDisplayList::Layout(const RECT& parent)
{
    for (uiDisplayItem* item : m_items)
        item->CalcRect(parent);
}

int uiDisplayList::Paint(HDC dc, DWORD state)
{
    for (uiDisplayItem* item : m_items) {
        if (item->IsVisible() && Shares(item->GetStateMask(), state))
            item->Paint(dc);
    }
    return 1;
}

int uiDisplayList::PaintDirect(HDC dc, DWORD state)
{
    for (uiDisplayItem* item : m_items) {
        if (item->IsVisible() && Shares(item->GetStateMask(), state))
            item->PaintDirect(dc);
    }
    return 1;
}

void uiDisplayList::PaintItem(HDC dc, const wchar_t* name)
{
    for (uiDisplayItem* item : m_items) {
        if (item->IsVisible() && HasName(item, name))
            item->Paint(dc);
    }
}

void uiDisplayList::PaintItemEx(HDC dc, const wchar_t* name, const RECT* rect, DWORD state)
{
    for (uiDisplayItem* item : m_items) {
        if (!item->IsVisible() || !HasName(item, name))
            continue;
        if (state != 0 && !Shares(item->GetStateMask(), state))
            continue;
        if (rect)
            item->CalcRect(*rect);
        item->Paint(dc);
    }
}

uiDisplayItem* uiDisplayList::FindItem(const wchar_t* name) const
{
    for (uiDisplayItem* item : m_items) {
        if (HasName(item, name))
            return item;
    }
    return nullptr;
}

void uiDisplayList::ShowItem(const wchar_t* name, BOOL visible)
{
    for (uiDisplayItem* item : m_items) {
        if (HasName(item, name))
            item->m_visible = visible;
    }
}

RECT uiDisplayList::ShowItemsByIndex(int first, int last, BOOL visible)
{
    RECT bounds = {0, 0, 0, 0};
    for (uiDisplayItem* item : m_items) {
        if (item->m_index < first || item->m_index > last)
            continue;
        item->m_visible = visible;
        RECT rect = item->GetRect();
        UnionRect(&bounds, &bounds, &rect);
    }
    return bounds;
}

BOOL uiDisplayList::HasDefaultStateItem() const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const uiDisplayItem* item) { return item->GetStateMask() == UI_STATE_DEFAULT; });
}

void uiDisplayList::SetText(const wchar_t* name, const CString& text)
{
    for (uiDisplayItem* item : m_items) {
        if (item->GetType() != UI_ITEM_TEXT)
            continue;
        auto* textItem = static_cast<uiDisplayText*>(item);
        if (name ? HasName(item, name) : textItem->m_windowText != FALSE)
            textItem->SetText(text);
    }
}

void uiDisplayList::SetTextParam(wchar_t character)
{
    for (uiDisplayItem* item : m_items) {
        if (item->GetType() != UI_ITEM_TEXT)
            continue;
        auto* textItem = static_cast<uiDisplayText*>(item);
        textItem->m_tabChar = character;
        textItem->m_tabSplit = TRUE;
    }
}

void uiDisplayList::SetOwnerWindow(HWND window)
{
    for (uiDisplayItem* item : m_items)
        item->m_ownerWindow = window;
}

int uiDisplayList::AdjustColor(int hue, int saturation, int lightness)
{
    for (uiDisplayItem* item : m_items)
        item->AdjustColor(hue, saturation, lightness);
    return 1;
}

void uiDisplayList::ShiftX(int offset)
{
    for (uiDisplayItem* item : m_items) {
        if (item->m_relativeTo)
            continue;
        item->m_x = item->m_left == UI_UNSET ? offset : uiSaturatedAdd(item->m_x, offset);
    }
}

void uiDisplayList::PaintImageFrame(HDC dc, int frame)
{
    for (uiDisplayItem* item : m_items) {
        if (item->GetType() == UI_ITEM_IMAGE && item->IsVisible())
            static_cast<uiDisplayImage*>(item)->PaintFrame(dc, frame);
    }
}

void uiDisplayList::SetImageWindow(HWND)
{
    // This engine's images draw each frame on request and keep no window to redraw by themselves.
}

int uiDisplayList::GetMaxFrameCount() const
{
    int most = 0;
    for (uiDisplayItem* item : m_items) {
        if (item->GetType() != UI_ITEM_IMAGE)
            continue;
        uiImage* image = static_cast<uiDisplayImage*>(item)->m_image;
        if (image)
            most = std::max(most, image->GetFrameCount());
    }
    return most;
}

void uiDisplayList::CloneInto(uiDisplayList* target) const
{
    bool anyRelative = false;
    for (const uiDisplayItem* item : m_items) {
        uiDisplayItem* copy = item->Clone();
        if (!copy)
            continue;
        anyRelative = anyRelative || (!copy->m_relativeToName.IsEmpty() && copy->m_relativePoint != UI_RELATIVE_NONE);
        target->Append(copy);
    }
    if (!anyRelative)
        return;
    for (uiDisplayItem* copy : target->m_items) {
        if (copy->m_relativeToName.IsEmpty() || copy->m_relativePoint == UI_RELATIVE_NONE)
            continue;
        uiDisplayItem* anchor = target->FindItem(copy->m_relativeToName);
        if (!anchor)
            continue;
        copy->m_relativeTo = anchor;
        anchor->m_dependent = copy;
    }
}

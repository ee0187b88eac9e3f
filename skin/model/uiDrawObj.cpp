// Draw objects and the free functions through which row-drawing controls use them.
#include "uiDrawObj.h"

#include "uiDisplayEventList.h"
#include "uiDisplayProgressItem.h"

uiDrawObj::uiDrawObj() : m_eventList(new uiDisplayEventList)
{
}

// Members go in reverse order: the progress item, then the event list, then the display list.
uiDrawObj::~uiDrawObj() = default;

uiDrawObj* uiDrawObj::Clone() const
{
    auto* copy = new uiDrawObj;
    copy->m_name = m_name;
    m_displayList.CloneInto(&copy->m_displayList);
    m_eventList->CloneInto(copy->m_eventList.get(), &copy->m_displayList);
    if (m_progressItem)
        copy->m_progressItem.reset(static_cast<uiDisplayProgressItem*>(m_progressItem->Clone()));
    return copy;
}

void uiDrawObj::SetProgressItem(uiDisplayProgressItem* item)
{
    m_progressItem.reset(item);
}

void uiDrawObj_Paint(HDC dc, uiDrawObj* object, DWORD state)
{
    if (!object)
        return;
    object->GetDisplayList().Paint(dc, state);
    object->GetEventList().PaintItems(dc, state);
    uiDisplayProgressItem* progress = object->GetProgressItem();
    if (progress && progress->IsVisible())
        progress->Paint(dc);
}

void uiDrawObj_SetText(uiDrawObj* object, const CString& text)
{
    if (object)
        object->GetDisplayList().SetText(nullptr, text);
}

void uiDrawObj_SetRect(uiDrawObj* object, const RECT& rect)
{
    if (!object)
        return;
    object->GetDisplayList().Layout(rect);
    object->GetEventList().Layout(rect);
    if (object->GetProgressItem())
        object->GetProgressItem()->CalcRect(rect);
}

void uiDrawObj_SetHitRect(uiDrawObj* object, const RECT& rowRect)
{
    if (object)
        object->GetEventList().SetHitRects(rowRect);
}

void uiDrawObj_ShiftX(uiDrawObj* object, int offset)
{
    if (object)
        object->GetDisplayList().ShiftX(offset);
}

void uiDrawObj_PaintCollapseIcon(HDC dc, uiDrawObj* object)
{
    if (object)
        object->GetDisplayList().PaintItem(dc, L"collapseicon");
}

void uiDrawObj_PaintExpandIcon(HDC dc, uiDrawObj* object)
{
    if (object)
        object->GetDisplayList().PaintItem(dc, L"expandicon");
}

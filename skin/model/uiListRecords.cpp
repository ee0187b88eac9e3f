// Copies of the records that own draw objects.
#include "uiListRecords.h"
#include "uiDrawObj.h"

uiDrawObjList::uiDrawObjList() = default;
uiDrawObjList::~uiDrawObjList() = default;

void uiDrawObjList::Append(uiDrawObj* object)
{
    if (object)
        m_objects.emplace_back(object);
}

uiDrawObj* uiDrawObjList::At(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_objects[static_cast<size_t>(index)].get();
}

uiDrawObj* uiDrawObjList::Find(const wchar_t* name) const
{
    for (const auto& object : m_objects) {
        if (name && object->m_name.Compare(name) == 0)
            return object.get();
    }
    return nullptr;
}

void uiDrawObjList::CloneInto(uiDrawObjList* target) const
{
    for (const auto& object : m_objects)
        target->Append(object->Clone());
}

void uiTabCtrlInfo::CopyTo(uiTabCtrlInfo* target) const
{
    target->reserved = reserved;
    target->marginLeft = marginLeft;
    target->marginTop = marginTop;
    target->tabSpace = tabSpace;
    target->iconX = iconX;
    target->iconY = iconY;
    target->spinStyle = spinStyle;
    target->spinSize = spinSize;
    target->eventList.m_listValue = eventList.m_listValue;
    eventList.CloneInto(&target->eventList, nullptr);
    drawObjs.CloneInto(&target->drawObjs);
}

void uiListBoxInfo::CopyTo(uiListBoxInfo* target) const
{
    target->drawOver = drawOver;
    target->oddEvenLine = oddEvenLine;
    drawObjs.CloneInto(&target->drawObjs);
}

void uiTreeCtrlInfo::CopyTo(uiTreeCtrlInfo* target) const
{
    target->drawOver = drawOver;
    target->alwaysShowIcon = alwaysShowIcon;
    target->itemHeight = itemHeight;
    target->levelPos = levelPos;
    drawObjs.CloneInto(&target->drawObjs);
}

void uiListCtrlInfo::CopyTo(uiListCtrlInfo* target) const
{
    target->drawOver = drawOver;
    target->itemHeight = itemHeight;
    target->oddEvenLine = oddEvenLine;
    drawObjs.CloneInto(&target->drawObjs);
}

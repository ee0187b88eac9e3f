// Styles: creation from a window element with inheritance, deep copies and colour adjustment.
#include "uiStyle.h"
#include "uiDisplayEventItem.h"
#include "uiDisplayItem.h"
#include "uiSkinAdmin.h"
#include "uiXmlReader.h"

namespace {

// Reads the first child element of that name into the record, creating the record unless inherited.
template <class Record>
void ReadRecord(const TiXmlElement* window, const char* element, std::unique_ptr<Record>& record,
                int (*reader)(const TiXmlElement*, Record*))
{
    const TiXmlElement* child = window->FirstChildElement(element);
    if (!child)
        return;
    if (!record)
        record.reset(new Record);
    reader(child, record.get());
}

template <class Record>
void CopyPlainRecord(const std::unique_ptr<Record>& source, std::unique_ptr<Record>& target)
{
    if (source)
        target.reset(new Record(*source));
}

template <class Record>
void CopyOwningRecord(const std::unique_ptr<Record>& source, std::unique_ptr<Record>& target)
{
    if (!source)
        return;
    target.reset(new Record);
    source->CopyTo(target.get());
}

} // namespace

uiStyle::uiStyle() = default;

uiStyle::~uiStyle()
{
    // Records first, then the event, animation and display lists.
    property.reset();
    dialoginfo.reset();
    buttoninfo.reset();
    editinfo.reset();
    windowregion.reset();
    sysmenu.reset();
    scrollinfo.reset();
    progressinfo.reset();
    groupboxinfo.reset();
    menuinfo.reset();
    comboboxinfo.reset();
    tabctrlinfo.reset();
    listboxinfo.reset();
    treectrlinfo.reset();
    listctrlinfo.reset();
}

uiStyle* uiStyle::CreateFromXml(const TiXmlElement* window)
{
    uiStyle* style = new uiStyle;
    style->ParseXml(window);
    return style;
}

int uiStyle::ParseXml(const TiXmlElement* window)
{
    if (!window)
        return 1;
    // Only styles already in the map can be found, so inheritance never runs in a circle.
    const CString parentName = uiXmlAttributeW(window, "inherit");
    if (!parentName.IsEmpty()) {
        std::unique_ptr<uiStyle> parent(uiGetSkinAdmin().FindStyle(parentName));
        if (parent)
            parent->CopyTo(this);
    }
    name = uiXmlAttributeW(window, "name");
    ReadRecords(window);
    ReadDisplayItems(window, &displayList);
    ReadAnimateItems(window, &animateList);
    ReadEventItems(window, &eventList);
    if (const TiXmlElement* edit = window->FirstChildElement("editinfo")) {
        editinfo.reset(new uiEditInfo);
        ReadEditInfo(edit, editinfo.get());
    }
    displayList.SortByIndex();
    return 1;
}

void uiStyle::ReadRecords(const TiXmlElement* window)
{
    ReadRecord(window, "property", property, &uiStyle::ReadProperty);
    ReadRecord(window, "dialoginfo", dialoginfo, &uiStyle::ReadDialogInfo);
    ReadRecord(window, "buttoninfo", buttoninfo, &uiStyle::ReadButtonInfo);
    ReadRecord(window, "scrollinfo", scrollinfo, &uiStyle::ReadScrollInfo);
    ReadRecord(window, "progressinfo", progressinfo, &uiStyle::ReadProgressInfo);
    ReadRecord(window, "groupboxinfo", groupboxinfo, &uiStyle::ReadGroupBoxInfo);
    ReadRecord(window, "menuinfo", menuinfo, &uiStyle::ReadMenuInfo);
    ReadRecord(window, "comboboxinfo", comboboxinfo, &uiStyle::ReadComboBoxInfo);
    if (const TiXmlElement* tab = window->FirstChildElement("tabctrlinfo")) {
        if (!tabctrlinfo)
            tabctrlinfo.reset(new uiTabCtrlInfo);
        // The tab record's event items are those of the window element itself.
        ReadEventItems(window, &tabctrlinfo->eventList);
        ReadTabCtrlInfo(tab, tabctrlinfo.get());
    }
    ReadRecord(window, "listboxinfo", listboxinfo, &uiStyle::ReadListBoxInfo);
    ReadRecord(window, "treectrlinfo", treectrlinfo, &uiStyle::ReadTreeCtrlInfo);
    ReadRecord(window, "listctrlinfo", listctrlinfo, &uiStyle::ReadListCtrlInfo);
    ReadRecord(window, "windowregion", windowregion, &uiStyle::ReadWindowRegion);
    ReadRecord(window, "sysmenu", sysmenu, &uiStyle::ReadSysMenu);
}

uiStyle* uiStyle::Clone() const
{
    uiStyle* copy = new uiStyle;
    CopyTo(copy);
    return copy;
}

void uiStyle::CopyTo(uiStyle* target) const
{
    if (!target || target == this)
        return;
    target->name = name;
    CopyPlainRecord(property, target->property);
    CopyPlainRecord(dialoginfo, target->dialoginfo);
    CopyPlainRecord(buttoninfo, target->buttoninfo);
    CopyPlainRecord(editinfo, target->editinfo);
    CopyPlainRecord(windowregion, target->windowregion);
    CopyPlainRecord(sysmenu, target->sysmenu);
    CopyPlainRecord(scrollinfo, target->scrollinfo);
    CopyPlainRecord(progressinfo, target->progressinfo);
    CopyPlainRecord(groupboxinfo, target->groupboxinfo);
    CopyPlainRecord(menuinfo, target->menuinfo);
    CopyPlainRecord(comboboxinfo, target->comboboxinfo);
    CopyOwningRecord(tabctrlinfo, target->tabctrlinfo);
    CopyOwningRecord(listboxinfo, target->listboxinfo);
    CopyOwningRecord(treectrlinfo, target->treectrlinfo);
    CopyOwningRecord(listctrlinfo, target->listctrlinfo);
    displayList.CloneInto(&target->displayList);
    animateList.CloneInto(&target->animateList);
    target->eventList.m_listValue = eventList.m_listValue;
    eventList.CloneInto(&target->eventList, nullptr);
}

int uiStyle::AdjustColor(int hue, int saturation, int lightness)
{
    if (property)
        property->bkColor.AdjustColor(hue, saturation, lightness);
    displayList.AdjustColor(hue, saturation, lightness);
    return 1;
}

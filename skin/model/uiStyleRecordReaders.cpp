// Readers of the settings records. Each assigns every field from its attribute or, when the attribute
// is absent, its default; points, rectangles, colour records and the names assigned only when not
// empty keep their earlier (inherited) value instead.
#include "uiStyle.h"
#include "uiDisplayList.h"
#include "uiDrawObj.h"
#include "uiDisplayProgressItem.h"
#include "uiXmlReader.h"

namespace {

void AssignIfNotEmpty(const TiXmlElement* element, const char* name, CString* field)
{
    CString text = uiXmlAttributeW(element, name);
    if (!text.IsEmpty())
        *field = text;
}

// Appends one draw object per drawitem child.
void ReadDrawItems(const TiXmlElement* element, uiDrawObjList* objects)
{
    for (const TiXmlElement* child = element->FirstChildElement("drawitem"); child;
         child = child->NextSiblingElement("drawitem")) {
        auto* object = new uiDrawObj;
        uiStyle::ReadDrawItem(child, object);
        objects->Append(object);
    }
}

} // namespace

int uiStyle::ReadProperty(const TiXmlElement* element, uiStyleProperty* info)
{
    info->bselfpaint = uiXmlGetBool(element, "bselfpaint", FALSE);
    info->hasClipColor = FALSE;
    if (element->Attribute("clipcolor")) {
        info->clipColor = uiXmlGetColor(element, "clipcolor", UI_NO_COLOR);
        info->hasClipColor = info->clipColor != UI_NO_COLOR;
    }
    uiXmlGetColorRef(element, "bkcolor", &info->bkColor);
    info->tooltips = uiXmlAttributeW(element, "tooltips");
    info->cursor = uiXmlAttributeW(element, "cursor");
    AssignIfNotEmpty(element, "scrollbar", &info->scrollbar);
    AssignIfNotEmpty(element, "headerctrl", &info->headerctrl);
    info->width = uiXmlGetInt(element, "width", UI_UNSET);
    info->height = uiXmlGetInt(element, "height", UI_UNSET);
    info->btransparentbk = uiXmlGetBool(element, "btransparentbk", FALSE);
    return 1;
}

int uiStyle::ReadDialogInfo(const TiXmlElement* element, uiDialogInfo* info)
{
    info->borderTop = uiXmlGetInt(element, "bordertop", 4);
    info->borderBottom = uiXmlGetInt(element, "borderbottom", 6);
    info->borderLeft = uiXmlGetInt(element, "borderleft", 6);
    info->borderRight = uiXmlGetInt(element, "borderright", 6);
    info->minWidth = uiXmlGetInt(element, "minwidth", UI_UNSET);
    info->maxWidth = uiXmlGetInt(element, "maxwidth", UI_UNSET);
    info->minHeight = uiXmlGetInt(element, "minheight", UI_UNSET);
    info->maxHeight = uiXmlGetInt(element, "maxheight", UI_UNSET);
    info->captionHeight = uiXmlGetInt(element, "captionheight", UI_UNSET);
    info->clientStartY = uiXmlGetInt(element, "clientstarty", info->captionHeight);
    info->sendSysCmdMsg = uiXmlGetBool(element, "SendSysCmdMsg", FALSE);
    uiXmlGetRect4(element, "iconrect", &info->iconRect);
    uiXmlGetRect4(element, "clientareaborder", &info->clientAreaBorder);
    return 1;
}

int uiStyle::ReadButtonInfo(const TiXmlElement* element, uiButtonInfo* info)
{
    info->width = uiXmlGetInt(element, "width", UI_UNSET);
    info->height = uiXmlGetInt(element, "height", UI_UNSET);
    info->subtype = ReadButtonSubtype(uiXmlAttributeW(element, "subtype"));
    info->splitWidth = uiXmlGetInt(element, "splitwidth", -17);
    info->drawFocus = uiXmlGetBool(element, "drawfocus", FALSE);
    return 1;
}

int uiStyle::ReadEditInfo(const TiXmlElement* element, uiEditInfo* info)
{
    info->useImageBk = uiXmlGetBool(element, "buseimagebk", FALSE);
    info->marginLeft = uiXmlGetInt(element, "marginleft", 0);
    info->marginRight = uiXmlGetInt(element, "marginright", 0);
    info->textColor = uiXmlGetColor(element, "textcolor", 0);
    info->textColorDisabled = uiXmlGetColor(element, "textcolor_dis", 0x99A8AC);
    info->textColorReadOnly = uiXmlGetColor(element, "textcolor_ro", 0);
    info->font = uiXmlAttributeW(element, "font");
    return 1;
}

int uiStyle::ReadWindowRegion(const TiXmlElement* element, uiWindowRegion* info)
{
    info->type = uiXmlAttributeW(element, "type").CompareNoCase(L"clipbycolor") == 0 ? UI_REGION_CLIPBYCOLOR
                                                                                    : UI_REGION_SHAPES;
    int count = 0;
    for (const TiXmlElement* shape = element->FirstChildElement("shape");
         shape && count < uiWindowRegion::MaxShapes; shape = shape->NextSiblingElement("shape"))
        ReadRegionShape(shape, &info->shapes[count++]);
    info->shapeCount = count;
    return 1;
}

int uiStyle::ReadRegionShape(const TiXmlElement* element, uiRegionShape* shape)
{
    shape->type = ReadShapeType(uiXmlAttributeW(element, "type"));
    uiXmlGetPoint(element, "roundsize", &shape->roundSize);
    shape->combineMode = ReadCombineMode(uiXmlAttributeW(element, "combine"));
    shape->left = uiXmlGetInt(element, "left", UI_UNSET);
    shape->top = uiXmlGetInt(element, "top", UI_UNSET);
    shape->right = uiXmlGetInt(element, "right", UI_UNSET);
    shape->bottom = uiXmlGetInt(element, "bottom", UI_UNSET);
    shape->width = uiXmlGetInt(element, "width", UI_UNSET);
    shape->height = uiXmlGetInt(element, "height", UI_UNSET);
    SetRectEmpty(&shape->rect);
    return 1;
}

int uiStyle::ReadSysMenu(const TiXmlElement* element, uiSysMenuInfo* info)
{
    int count = 0;
    for (const TiXmlElement* button = element->FirstChildElement("sysbtn");
         button && count < uiSysMenuInfo::MaxButtons; button = button->NextSiblingElement("sysbtn"))
        ReadSysButton(button, &info->buttons[count++]);
    info->buttonCount = count;
    return 1;
}

int uiStyle::ReadSysButton(const TiXmlElement* element, uiSysButton* button)
{
    uiXmlGetRect(element, &button->rect);
    button->name = uiXmlAttributeW(element, "name");
    button->label = uiXmlAttributeW(element, "label");
    return 1;
}

int uiStyle::ReadScrollInfo(const TiXmlElement* element, uiScrollInfo* info)
{
    info->width = uiXmlGetInt(element, "width", 18);
    info->height = uiXmlGetInt(element, "height", 18);
    info->interval = uiXmlGetInt(element, "interval", 3);
    info->splitWidth = uiXmlGetInt(element, "splitwidth", 3);
    info->ComputeParts();
    return 1;
}

int uiStyle::ReadProgressInfo(const TiXmlElement* element, uiProgressInfo* info)
{
    info->leftPad = uiXmlGetInt(element, "leftpad", 0);
    info->topPad = uiXmlGetInt(element, "toppad", 0);
    return 1;
}

int uiStyle::ReadGroupBoxInfo(const TiXmlElement* element, uiGroupBoxInfo* info)
{
    info->textOffsetX = uiXmlGetInt(element, "textoffsetx", 5);
    info->textOffsetY = uiXmlGetInt(element, "textoffsety", 0);
    return 1;
}

int uiStyle::ReadMenuInfo(const TiXmlElement* element, uiMenuInfo* info)
{
    info->itemHeight = uiXmlGetInt(element, "height", 16);
    info->width = uiXmlGetInt(element, "width", 24);
    info->iconX = uiXmlGetInt(element, "iconx", 5);
    info->iconY = uiXmlGetInt(element, "icony", 0);
    info->separatorHeight = uiXmlGetInt(element, "separatorheight", 3);
    info->borderWidth = uiXmlGetInt(element, "borderwidth", 2);
    info->iconWidth = uiXmlGetInt(element, "iconwidth", 21);
    AssignIfNotEmpty(element, "font", &info->font);
    info->multiBg = uiXmlGetBool(element, "multibg", FALSE);
    return 1;
}

int uiStyle::ReadComboBoxInfo(const TiXmlElement* element, uiComboBoxInfo* info)
{
    uiXmlGetRect4(element, "editmargin", &info->editMargin);
    info->downListStyle = uiXmlAttributeW(element, "downliststyle");
    return 1;
}

int uiStyle::ReadTabCtrlInfo(const TiXmlElement* element, uiTabCtrlInfo* info)
{
    info->marginLeft = uiXmlGetInt(element, "marginleft", 0);
    info->marginTop = uiXmlGetInt(element, "margintop", 0);
    info->tabSpace = uiXmlGetInt(element, "tabspace", 4);
    info->iconX = uiXmlGetInt(element, "iconx", 0);
    info->iconY = uiXmlGetInt(element, "icony", 0);
    info->spinStyle = uiXmlAttributeW(element, "spinstyle");
    uiXmlGetPoint(element, "spinsize", &info->spinSize);
    ReadDrawItems(element, &info->drawObjs);
    return 1;
}

int uiStyle::ReadListBoxInfo(const TiXmlElement* element, uiListBoxInfo* info)
{
    info->drawOver = uiXmlGetBool(element, "bDrawOver", FALSE);
    ReadDrawItems(element, &info->drawObjs);
    info->oddEvenLine = uiXmlGetBool(element, "oddevenline", FALSE);
    return 1;
}

int uiStyle::ReadTreeCtrlInfo(const TiXmlElement* element, uiTreeCtrlInfo* info)
{
    info->drawOver = uiXmlGetBool(element, "bDrawOver", FALSE);
    info->alwaysShowIcon = uiXmlGetBool(element, "alwaysShowIcon", FALSE);
    info->itemHeight = uiXmlGetInt(element, "itemheight", 23);
    ReadDrawItems(element, &info->drawObjs);
    info->levelPos = uiXmlGetInt(element, "levelpos", 16);
    return 1;
}

int uiStyle::ReadListCtrlInfo(const TiXmlElement* element, uiListCtrlInfo* info)
{
    info->drawOver = uiXmlGetBool(element, "bDrawOver", FALSE);
    info->itemHeight = uiXmlGetInt(element, "itemheight", 23);
    ReadDrawItems(element, &info->drawObjs);
    info->oddEvenLine = uiXmlGetBool(element, "oddevenline", FALSE);
    return 1;
}

int uiStyle::ReadDrawItem(const TiXmlElement* element, uiDrawObj* object)
{
    object->m_name = uiXmlAttributeW(element, "id");
    ReadDisplayItems(element, &object->GetDisplayList());
    object->GetDisplayList().SortByIndex();
    ReadEventItems(element, &object->GetEventList());
    if (const TiXmlElement* progress = element->FirstChildElement("progressitem")) {
        auto* item = new uiDisplayProgressItem;
        ReadProgressItem(progress, item);
        object->SetProgressItem(item);
    }
    return 1;
}

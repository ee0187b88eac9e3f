// Readers of the display items below a window element (and below event items, draw objects,
// animation and progress items), and of the lists they form.
#include "uiStyle.h"
#include "uiDisplayAnimateItem.h"
#include "uiDisplayEventItem.h"
#include "uiDisplayImage.h"
#include "uiDisplayLine.h"
#include "uiDisplayProgressItem.h"
#include "uiDisplayRect.h"
#include "uiDisplayText.h"
#include "uiGdiAdmin.h"
#include "uiImage.h"
#include "uiXmlReader.h"

namespace {

bool HasAttribute(const TiXmlElement* element, const char* name)
{
    return element->Attribute(name) != nullptr;
}

// "gradientmode", or "alignmode" when that is absent; null when both are absent.
const char* DirectionAttribute(const TiXmlElement* element)
{
    if (HasAttribute(element, "gradientmode"))
        return "gradientmode";
    if (HasAttribute(element, "alignmode"))
        return "alignmode";
    return nullptr;
}

// A "3in" or "4in" image is one item per state, each painting its own column of the image.
void AppendStateColumns(uiDisplayImage* image, int paintMode, uiDisplayList* list)
{
    static const DWORD kColumnStates[] = {UI_STATE_NORMAL, UI_STATE_OVER, UI_STATE_DOWN, UI_STATE_DISABLED};
    const int columns = paintMode == UI_PAINT_4IN ? 4 : 3;
    image->SetStateMask(kColumnStates[0]);
    list->Append(image);
    for (int column = 1; column < columns; ++column) {
        uiDisplayItem* copy = image->Clone();
        if (!copy)
            continue;
        copy->SetStateMask(kColumnStates[column]);
        list->Append(copy);
    }
}

template <class Item>
void ReadChildren(const TiXmlElement* element, const char* name, uiDisplayList* list,
                  int (*reader)(const TiXmlElement*, Item*))
{
    for (const TiXmlElement* child = element->FirstChildElement(name); child; child = child->NextSiblingElement(name)) {
        auto* item = new Item;
        reader(child, item);
        list->Append(item);
    }
}

} // namespace

int uiStyle::ReadItemBase(const TiXmlElement* element, uiDisplayItem* item)
{
    item->m_left = uiXmlGetInt(element, "left", UI_UNSET);
    item->m_top = uiXmlGetInt(element, "top", UI_UNSET);
    item->m_right = uiXmlGetInt(element, "right", UI_UNSET);
    item->m_bottom = uiXmlGetInt(element, "bottom", UI_UNSET);
    item->m_width = uiXmlGetInt(element, "width", UI_UNSET);
    item->m_height = uiXmlGetInt(element, "height", UI_UNSET);
    item->m_index = uiXmlGetInt(element, "index", 0);
    item->m_name = uiXmlAttributeW(element, "id");
    item->m_relativeToName = uiXmlAttributeW(element, "relativeto");
    item->m_relativePoint = ReadRelativePoint(uiXmlAttributeW(element, "relativepoint"));
    item->m_visible = uiXmlGetBool(element, "visible", TRUE);
    item->SetStateMask(ReadStateMask(uiXmlAttributeW(element, "state")));
    return 1;
}

int uiStyle::ReadImageItem(const TiXmlElement* element, uiDisplayImage* item)
{
    item->m_partLeft = uiXmlGetInt(element, "left_part", 0);
    item->m_partTop = uiXmlGetInt(element, "top_part", 0);
    item->m_partRight = uiXmlGetInt(element, "right_part", 0);
    item->m_partBottom = uiXmlGetInt(element, "bottom_part", 0);
    item->m_transparentColor = uiXmlGetColor(element, "transparentcolor", UI_NO_COLOR);
    item->m_canAdjust = uiXmlGetBool(element, "canadjust", TRUE);
    item->m_autoSize = uiXmlGetBool(element, "autosize", FALSE);
    ReadItemBase(element, item);
    item->m_paintMode = ReadPaintMode(uiXmlAttributeW(element, "paintmode"));
    const CString picture = uiXmlAttributeW(element, "picfile");
    if (!picture.IsEmpty()) {
        item->m_image = uiGetGdiAdmin().GetImage(picture);
        // The grey copy is held by the image beside its decoded bits, so every item of that picture
        // shows it grey from now on, as the skin's own image entries with "bgray" do.
        item->m_gray = uiXmlGetBool(element, "bgray", FALSE);
        if (item->m_gray && item->m_image)
            item->m_image->MakeGray();
    }
    item->m_hasPart = uiXmlGetRect4(element, "rectinfile", &item->m_partRect);
    return item->m_paintMode;
}

int uiStyle::ReadTextItem(const TiXmlElement* element, uiDisplayText* item)
{
    ReadItemBase(element, item);
    item->m_textColor = uiColorInfo();
    uiXmlGetColorRef(element, "textcolor", &item->m_textColor);
    item->SetHorzAlign(ReadHorzAlign(uiXmlAttributeW(element, "horzalign")));
    item->SetVertAlign(ReadVertAlign(uiXmlAttributeW(element, "vertalign")));
    item->SetSingleLine(uiXmlGetBool(element, "bsingleline", FALSE));
    item->SetAutoSize(uiXmlGetBool(element, "autosize", FALSE));
    item->m_richText = uiXmlGetBool(element, "richtext", FALSE);
    const CString content = uiXmlAttributeW(element, "content");
    item->m_windowText = content.IsEmpty() || content.CompareNoCase(L"#default") == 0;
    if (!item->m_windowText)
        item->SetText(content);
    if (uiXmlGetBool(element, "bellipsis", FALSE))
        item->AddFormat(DT_END_ELLIPSIS);
    CString font = uiXmlAttributeW(element, "font");
    if (font.IsEmpty())
        font = L"#default";
    item->m_font = uiGetGdiAdmin().GetFont(font);
    return 1;
}

int uiStyle::ReadRectItem(const TiXmlElement* element, uiDisplayRect* item)
{
    ReadItemBase(element, item);
    uiXmlGetColorRef(element, "bordercolor", &item->m_borderColor);
    uiXmlGetColorRef(element, "fillcolor", &item->m_fillColor);
    item->m_cornerWidth = uiXmlGetInt(element, "roundwidth", 0);
    item->m_cornerHeight = uiXmlGetInt(element, "roundheight", 0);
    item->m_borderWidth = uiXmlGetInt(element, "borderwidth", 1);
    item->m_radius = uiXmlGetInt(element, "nradius", 0);
    item->m_textExtent = uiXmlAttributeW(element, "textextent");
    const CString font = uiXmlAttributeW(element, "textfont");
    item->m_font = font.IsEmpty() ? nullptr : uiGetGdiAdmin().GetFont(font);
    if (const char* direction = DirectionAttribute(element)) {
        item->m_gradient = TRUE;
        item->m_gradientMode = ReadGradientMode(uiXmlAttributeW(element, direction));
        uiXmlGetColorRef(element, "gradientbegincolor", &item->m_gradientBegin);
        uiXmlGetColorRef(element, "gradientendcolor", &item->m_gradientEnd);
    }
    item->m_fill = uiXmlAttributeW(element, "style").CompareNoCase(L"hole") != 0;
    return 1;
}

int uiStyle::ReadLineItem(const TiXmlElement* element, uiDisplayLine* item)
{
    ReadItemBase(element, item);
    uiXmlGetColorRef(element, "linecolor", &item->m_lineColor);
    item->m_penWidth = uiXmlGetInt(element, "penwidth", 1);
    const char* direction = DirectionAttribute(element);
    item->m_direction = direction ? ReadGradientMode(uiXmlAttributeW(element, direction)) : 0;
    if (HasAttribute(element, "gradientbegincolor")) {
        item->m_gradient = TRUE;
        uiXmlGetColorRef(element, "gradientbegincolor", &item->m_gradientBegin);
        uiXmlGetColorRef(element, "gradientendcolor", &item->m_gradientEnd);
    }
    item->m_penStyle = ReadLineStyle(uiXmlAttributeW(element, "linestyle"));
    return 1;
}

int uiStyle::ReadAnimateItem(const TiXmlElement* element, uiDisplayAnimateItem* item)
{
    ReadItemBase(element, item);
    item->m_inOneFile = uiXmlGetBool(element, "inonefile", TRUE);
    item->m_start = uiXmlGetBool(element, "start", TRUE);
    item->m_cycle = uiXmlGetBool(element, "cycle", TRUE);
    item->m_frameWidth = uiXmlGetInt(element, "width", UI_UNSET);
    item->m_frameHeight = uiXmlGetInt(element, "height", UI_UNSET);
    item->m_interval = uiXmlGetInt(element, "delaytime", UI_UNSET);
    item->m_frameCount = uiXmlGetInt(element, "nframecount", UI_UNSET);
    item->m_startAction = ReadAnimateAction(uiXmlAttributeW(element, "action"));
    ReadChildren(element, "image", &item->m_frames, &uiStyle::ReadImageItem);
    return 1;
}

int uiStyle::ReadEventItem(const TiXmlElement* element, uiDisplayEventItem* item)
{
    ReadItemBase(element, item);
    item->m_eventCode = ReadEventName(uiXmlAttributeW(element, "event"));
    item->m_cursor = uiXmlAttributeW(element, "cursor");
    item->m_tooltips = uiXmlAttributeW(element, "tooltips");
    ReadDisplayItems(element, &item->m_look);
    item->m_sendParent = uiXmlGetBool(element, "sendparent", FALSE);
    return 1;
}

int uiStyle::ReadProgressItem(const TiXmlElement* element, uiDisplayProgressItem* item)
{
    ReadItemBase(element, item);
    item->m_pos = uiXmlGetInt(element, "value", 0);
    const CString format = uiXmlAttributeW(element, "textformat");
    if (!format.IsEmpty())
        item->m_textFormat = format;
    ReadDisplayItems(element, &item->m_parts);
    return 1;
}

int uiStyle::ReadDisplayItems(const TiXmlElement* element, uiDisplayList* list)
{
    for (const TiXmlElement* child = element->FirstChildElement("image"); child;
         child = child->NextSiblingElement("image")) {
        auto* image = new uiDisplayImage;
        const int paintMode = ReadImageItem(child, image);
        if (paintMode == UI_PAINT_3IN || paintMode == UI_PAINT_4IN)
            AppendStateColumns(image, paintMode, list);
        else
            list->Append(image);
    }
    ReadChildren(element, "text", list, &uiStyle::ReadTextItem);
    ReadChildren(element, "rect", list, &uiStyle::ReadRectItem);
    ReadChildren(element, "line", list, &uiStyle::ReadLineItem);
    return 1;
}

int uiStyle::ReadAnimateItems(const TiXmlElement* element, uiDisplayList* list)
{
    ReadChildren(element, "animateitem", list, &uiStyle::ReadAnimateItem);
    return 1;
}

int uiStyle::ReadEventItems(const TiXmlElement* element, uiDisplayEventList* list)
{
    for (const TiXmlElement* child = element->FirstChildElement("eventitem"); child;
         child = child->NextSiblingElement("eventitem")) {
        auto* item = new uiDisplayEventItem;
        ReadEventItem(child, item);
        list->Append(item);
    }
    return 1;
}

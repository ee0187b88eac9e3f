// A style: the named look of one kind of control, parsed from a window element of the skin's XML: its
// settings records, the display list that paints it, its animations and its mouse-reactive event items.
// Skinned windows never paint from a stored style; they take their own copy through Clone.
#pragma once

#include <windows.h>
#include <memory>
#include <tinyxml.h>
#include "CString.h"
#include "uiDisplayEventList.h"
#include "uiDisplayList.h"
#include "uiListRecords.h"
#include "uiScrollInfo.h"
#include "uiStyleRecords.h"

class uiDisplayAnimateItem;
class uiDisplayEventItem;
class uiDisplayImage;
class uiDisplayItem;
class uiDisplayLine;
class uiDisplayProgressItem;
class uiDisplayRect;
class uiDisplayText;
class uiDrawObj;

class uiStyle {
public:
    uiStyle();
    uiStyle(const uiStyle&) = delete;
    uiStyle& operator=(const uiStyle&) = delete;
    virtual ~uiStyle();

    // A new style read from a window element; the caller owns it.
    static uiStyle* CreateFromXml(const TiXmlElement* window);
    // Inheritance, name, records, display items, animations, event items; always 1.
    int ParseXml(const TiXmlElement* window);
    // A deep copy; the caller owns it.
    uiStyle* Clone() const;
    // Deep copy into an empty style.
    void CopyTo(uiStyle* target) const;
    // The property background and the display items; always 1.
    int AdjustColor(int hue, int saturation, int lightness);

    // Record readers: every field from its attribute or its default.
    static int ReadProperty(const TiXmlElement* element, uiStyleProperty* info);
    static int ReadDialogInfo(const TiXmlElement* element, uiDialogInfo* info);
    static int ReadButtonInfo(const TiXmlElement* element, uiButtonInfo* info);
    static int ReadEditInfo(const TiXmlElement* element, uiEditInfo* info);
    static int ReadWindowRegion(const TiXmlElement* element, uiWindowRegion* info);
    static int ReadRegionShape(const TiXmlElement* element, uiRegionShape* shape);
    static int ReadSysMenu(const TiXmlElement* element, uiSysMenuInfo* info);
    static int ReadSysButton(const TiXmlElement* element, uiSysButton* button);
    static int ReadScrollInfo(const TiXmlElement* element, uiScrollInfo* info);
    static int ReadProgressInfo(const TiXmlElement* element, uiProgressInfo* info);
    static int ReadGroupBoxInfo(const TiXmlElement* element, uiGroupBoxInfo* info);
    static int ReadMenuInfo(const TiXmlElement* element, uiMenuInfo* info);
    static int ReadComboBoxInfo(const TiXmlElement* element, uiComboBoxInfo* info);
    static int ReadTabCtrlInfo(const TiXmlElement* element, uiTabCtrlInfo* info);
    static int ReadListBoxInfo(const TiXmlElement* element, uiListBoxInfo* info);
    static int ReadTreeCtrlInfo(const TiXmlElement* element, uiTreeCtrlInfo* info);
    static int ReadListCtrlInfo(const TiXmlElement* element, uiListCtrlInfo* info);
    static int ReadDrawItem(const TiXmlElement* element, uiDrawObj* object);

    // Item readers.
    static int ReadItemBase(const TiXmlElement* element, uiDisplayItem* item);
    // The paint mode read.
    static int ReadImageItem(const TiXmlElement* element, uiDisplayImage* item);
    static int ReadTextItem(const TiXmlElement* element, uiDisplayText* item);
    static int ReadRectItem(const TiXmlElement* element, uiDisplayRect* item);
    static int ReadLineItem(const TiXmlElement* element, uiDisplayLine* item);
    static int ReadAnimateItem(const TiXmlElement* element, uiDisplayAnimateItem* item);
    static int ReadEventItem(const TiXmlElement* element, uiDisplayEventItem* item);
    static int ReadProgressItem(const TiXmlElement* element, uiDisplayProgressItem* item);
    // All image, then text, rect and line children, appended in that order.
    static int ReadDisplayItems(const TiXmlElement* element, uiDisplayList* list);
    static int ReadAnimateItems(const TiXmlElement* element, uiDisplayList* list);
    static int ReadEventItems(const TiXmlElement* element, uiDisplayEventList* list);

    // Keyword readers, compared without regard to case; unknown words give the default.
    static DWORD ReadStateMask(const CString& text);
    static int ReadPaintMode(const CString& text);
    static int ReadLineStyle(const CString& text);
    static int ReadEventName(const CString& text);
    static int ReadGradientMode(const CString& text);
    static int ReadHorzAlign(const CString& text);
    static int ReadVertAlign(const CString& text);
    static int ReadRelativePoint(const CString& text);
    static int ReadButtonSubtype(const CString& text);
    static int ReadShapeType(const CString& text);
    static int ReadCombineMode(const CString& text);
    static int ReadAnimateAction(const CString& text);

    CString name;
    std::unique_ptr<uiStyleProperty> property;
    std::unique_ptr<uiDialogInfo> dialoginfo;
    std::unique_ptr<uiButtonInfo> buttoninfo;
    std::unique_ptr<uiEditInfo> editinfo;
    std::unique_ptr<uiWindowRegion> windowregion;
    std::unique_ptr<uiSysMenuInfo> sysmenu;
    std::unique_ptr<uiScrollInfo> scrollinfo;
    std::unique_ptr<uiProgressInfo> progressinfo;
    std::unique_ptr<uiGroupBoxInfo> groupboxinfo;
    std::unique_ptr<uiMenuInfo> menuinfo;
    std::unique_ptr<uiComboBoxInfo> comboboxinfo;
    std::unique_ptr<uiTabCtrlInfo> tabctrlinfo;
    std::unique_ptr<uiListBoxInfo> listboxinfo;
    std::unique_ptr<uiTreeCtrlInfo> treectrlinfo;
    std::unique_ptr<uiListCtrlInfo> listctrlinfo;
    uiDisplayList displayList;
    uiDisplayList animateList;
    uiDisplayEventList eventList;

private:
    void ReadRecords(const TiXmlElement* window);
};

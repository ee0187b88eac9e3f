// The plain settings records of a style: one per kind of control setting that a window element may
// carry. Field defaults are those a record has before its element is read.
#pragma once

#include <windows.h>
#include "CString.h"
#include "uiColorInfo.h"
#include "uiDisplayItem.h"

// General window settings (element "property").
struct uiStyleProperty {
    BOOL bselfpaint = FALSE;
    BOOL hasClipColor = FALSE;
    COLORREF clipColor = 0;
    uiColorInfo bkColor;
    CString tooltips;       // "#default" stands for the window's own text
    CString cursor;
    CString scrollbar;
    CString headerctrl = L"headerctrl";
    int width = UI_UNSET;
    int height = UI_UNSET;
    BOOL btransparentbk = FALSE;
};

// Frame settings of dialogs (element "dialoginfo").
struct uiDialogInfo {
    int borderTop = 4;
    int borderBottom = 6;
    int borderLeft = 6;
    int borderRight = 6;
    int minWidth = UI_UNSET;
    int maxWidth = UI_UNSET;
    int minHeight = UI_UNSET;
    int maxHeight = UI_UNSET;
    int captionHeight = UI_UNSET;
    int clientStartY = UI_UNSET;
    // Two flags that no attribute sets; their meaning is the reading control class's.
    BOOL reservedFlag1 = TRUE;
    BOOL reservedFlag2 = TRUE;
    BOOL sendSysCmdMsg = FALSE;
    RECT iconRect = {8, 8, 24, 24};
    RECT clientAreaBorder = {3, 0, 3, 3};
};

enum uiButtonSubtype { UI_BUTTON_PUSH = 0, UI_BUTTON_CHECKBOX = 1, UI_BUTTON_RADIO = 2, UI_BUTTON_SPLIT = 3 };

// Element "buttoninfo".
struct uiButtonInfo {
    int width = UI_UNSET;
    int height = UI_UNSET;
    int subtype = UI_BUTTON_PUSH;
    CString reservedText;   // no attribute sets it
    int splitWidth = -17;   // negative: counted from the right edge
    BOOL drawFocus = FALSE;
};

// Element "editinfo".
struct uiEditInfo {
    int reserved1 = 0;      // no attribute sets it
    BOOL useImageBk = FALSE;
    int reserved2 = 1;      // no attribute sets it
    int marginLeft = 0;
    int marginRight = 0;
    COLORREF textColor = 0;
    COLORREF textColorDisabled = 0x99A8AC;
    COLORREF textColorReadOnly = 0;
    CString font;
};

enum uiShapeType { UI_SHAPE_RECTANGLE = 0, UI_SHAPE_ROUNDRECT = 1, UI_SHAPE_ELLIPSE = 2 };

// One shape of a window region (element "shape"); placed against the window rectangle like a display item,
// except that a set width or height is taken as given.
struct uiRegionShape {
    int type = UI_SHAPE_RECTANGLE;
    POINT roundSize = {0, 0};
    int combineMode = RGN_AND;
    int left = UI_UNSET;
    int top = UI_UNSET;
    int right = UI_UNSET;
    int bottom = UI_UNSET;
    int width = UI_UNSET;
    int height = UI_UNSET;
    RECT rect = {0, 0, 0, 0};

    // The shape's place against the bounds: unset sides take the bounds', negative ones count from the
    // far edge, a set size is kept even where it reaches past the bounds. The place is kept in rect.
    RECT Resolve(const RECT& bounds);
};

enum uiWindowRegionType { UI_REGION_CLIPBYCOLOR = 0, UI_REGION_SHAPES = 1 };

// Element "windowregion": the window's shape, by the property's clip colour or by up to five shapes.
struct uiWindowRegion {
    static const int MaxShapes = 5;
    int type = UI_REGION_SHAPES;
    uiRegionShape shapes[MaxShapes];
    int shapeCount = 0;
};

// One caption button (element "sysbtn").
struct uiSysButton {
    RECT rect = {UI_UNSET, UI_UNSET, UI_UNSET, UI_UNSET};
    CString name;
    CString label;
};

// Element "sysmenu": up to three caption buttons.
struct uiSysMenuInfo {
    static const int MaxButtons = 3;
    int buttonCount = 0;
    uiSysButton buttons[MaxButtons];
};

// Element "progressinfo".
struct uiProgressInfo {
    int leftPad = 0;
    int topPad = 0;
};

// Element "groupboxinfo".
struct uiGroupBoxInfo {
    int textOffsetX = 5;
    int textOffsetY = 0;
};

// Element "menuinfo".
struct uiMenuInfo {
    int itemHeight = 16;
    int width = 24;
    int reserved = 0;       // no attribute sets it
    int iconX = 5;
    int iconY = 0;
    int separatorHeight = 3;
    int borderWidth = 2;
    int iconWidth = 21;
    CString font = L"default";
    BOOL multiBg = FALSE;
};

// Element "comboboxinfo"; the edit margin's four sides are stored as a rectangle.
struct uiComboBoxInfo {
    RECT editMargin = {3, 3, 22, 3};
    CString downListStyle;
};

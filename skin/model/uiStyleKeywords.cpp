// The keyword tables of the style schema. Keywords are compared without regard to case; a word that
// no table holds gives the table's default.
#include "uiStyle.h"
#include "uiDisplayAnimateItem.h"
#include "uiDisplayImage.h"

namespace {

struct Keyword {
    const wchar_t* text;
    int value;
};

template <size_t N>
int Lookup(const CString& text, const Keyword (&table)[N], int fallback)
{
    for (const Keyword& keyword : table) {
        if (text.CompareNoCase(keyword.text) == 0)
            return keyword.value;
    }
    return fallback;
}

const DWORD kStateAll = 0x7787;
const DWORD kStateNone = 0;

const Keyword kStates[] = {
    {L"normal", UI_STATE_NORMAL},          {L"over", UI_STATE_OVER},
    {L"down", UI_STATE_DOWN},              {L"disable", UI_STATE_DISABLED},
    {L"checked", UI_STATE_CHECKED},        {L"checkedover", UI_STATE_CHECKED_OVER},
    {L"inactive", UI_STATE_INACTIVE},      {L"checkeddisable", UI_STATE_CHECKED_DISABLED},
    {L"checkeddown", UI_STATE_CHECKED_DOWN}, {L"all", kStateAll},
};

const Keyword kPaintModes[] = {
    {L"tilefill", UI_PAINT_TILE},         {L"stretchparthorz", UI_PAINT_STRETCH_PART_HORZ},
    {L"stretchpartvert", UI_PAINT_STRETCH_PART_VERT}, {L"stretchpartall", UI_PAINT_STRETCH_PART_ALL},
    {L"center", UI_PAINT_CENTER},         {L"left", UI_PAINT_LEFT},
    {L"top", UI_PAINT_TOP},               {L"right", UI_PAINT_RIGHT},
    {L"bottom", UI_PAINT_BOTTOM},         {L"3in", UI_PAINT_3IN},
    {L"4in", UI_PAINT_4IN},
};

const Keyword kLineStyles[] = {
    {L"solid", PS_SOLID}, {L"dash", PS_DASH}, {L"dot", PS_DOT}, {L"dashdot", PS_DASHDOT}, {L"dashdotdot", PS_DASHDOTDOT},
};

const Keyword kEventNames[] = {
    {L"LButtonDown", 0}, {L"MButtonDown", 1}, {L"RButtonDown", 2}, {L"MouseEnter", 3}, {L"MouseLeave", 4},
};

const Keyword kGradientModes[] = {{L"horiz", 0}, {L"vert", 1}};
const Keyword kHorzAligns[] = {{L"left", 0}, {L"center", 1}, {L"right", 2}};
const Keyword kVertAligns[] = {{L"top", 0}, {L"bottom", 8}, {L"center", 4}};
const Keyword kRelativePoints[] = {{L"right", UI_RELATIVE_RIGHT}};

const Keyword kButtonSubtypes[] = {
    {L"push", UI_BUTTON_PUSH}, {L"checkbox", UI_BUTTON_CHECKBOX}, {L"radio", UI_BUTTON_RADIO}, {L"split", UI_BUTTON_SPLIT},
};

const Keyword kShapeTypes[] = {
    {L"rectangle", UI_SHAPE_RECTANGLE}, {L"roundrect", UI_SHAPE_ROUNDRECT}, {L"ellipse", UI_SHAPE_ELLIPSE},
};

const Keyword kCombineModes[] = {
    {L"and", RGN_AND}, {L"or", RGN_OR}, {L"xor", RGN_XOR}, {L"diff", RGN_DIFF}, {L"copy", RGN_COPY},
};

const Keyword kAnimateActions[] = {{L"mouseEnter", UI_TRIGGER_MOUSE_ENTER}, {L"mouseLeave", UI_TRIGGER_MOUSE_LEAVE}};

} // namespace

DWORD uiStyle::ReadStateMask(const CString& text)
{
    DWORD mask = 0;
    int start = 0;
    while (start <= text.GetLength()) {
        int bar = text.Find(L'|', start);
        if (bar < 0)
            bar = text.GetLength();
        const CString piece = text.Mid(start, bar - start);
        // "non" and "default" stand for the whole mask, whatever came before them.
        if (piece.CompareNoCase(L"non") == 0)
            return kStateNone;
        if (piece.CompareNoCase(L"default") == 0)
            return UI_STATE_DEFAULT;
        mask |= static_cast<DWORD>(Lookup(piece, kStates, 0));
        start = bar + 1;
    }
    return mask ? mask : UI_STATE_NORMAL;
}

int uiStyle::ReadPaintMode(const CString& text)
{
    return Lookup(text, kPaintModes, UI_PAINT_STRETCH);
}

int uiStyle::ReadLineStyle(const CString& text)
{
    return Lookup(text, kLineStyles, PS_SOLID);
}

int uiStyle::ReadEventName(const CString& text)
{
    return Lookup(text, kEventNames, 0);
}

int uiStyle::ReadGradientMode(const CString& text)
{
    return Lookup(text, kGradientModes, 0);
}

int uiStyle::ReadHorzAlign(const CString& text)
{
    return Lookup(text, kHorzAligns, 0);
}

int uiStyle::ReadVertAlign(const CString& text)
{
    return Lookup(text, kVertAligns, 4);
}

int uiStyle::ReadRelativePoint(const CString& text)
{
    return Lookup(text, kRelativePoints, UI_RELATIVE_NONE);
}

int uiStyle::ReadButtonSubtype(const CString& text)
{
    return Lookup(text, kButtonSubtypes, UI_BUTTON_PUSH);
}

int uiStyle::ReadShapeType(const CString& text)
{
    return Lookup(text, kShapeTypes, UI_SHAPE_RECTANGLE);
}

int uiStyle::ReadCombineMode(const CString& text)
{
    return Lookup(text, kCombineModes, RGN_AND);
}

int uiStyle::ReadAnimateAction(const CString& text)
{
    return Lookup(text, kAnimateActions, UI_TRIGGER_NONE);
}

// The mark-up renderer: tags change the current font and colours, text between them is drawn.
#include "uiMarkupRenderer.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include "uiColorInfo.h"
#include "uiColorText.h"
#include "uiSaturate.h"

namespace {

bool StartsWith(const wchar_t* text, const wchar_t* prefix)
{
    return _wcsnicmp(text, prefix, wcslen(prefix)) == 0;
}

BYTE Flag(int counter)
{
    return static_cast<BYTE>(std::min(counter, 255));
}

// Heights stop at the ends of the range, one short of INT_MIN so that a negative height can still be
// negated when the font is made.
LONG ClampHeight(long long height)
{
    return std::max(uiSaturate(height), INT_MIN + 1);
}

LONG Grow(LONG height)
{
    return ClampHeight(height < 1 ? height - 1LL : height + 1LL);
}

LONG Shrink(LONG height)
{
    return height < 1 ? height + 1 : height - 1;
}

bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

} // namespace

uiMarkupRenderer::uiMarkupRenderer(HFONT font, COLORREF color, UINT format)
    : m_itemColor(color), m_textColor(color), m_format(format)
{
    ZeroMemory(&m_base, sizeof(m_base));
    HGDIOBJ source = font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
    GetObjectW(source, sizeof(m_base), &m_base);
    m_current = m_base;
}

void uiMarkupRenderer::Draw(HDC dc, const RECT& target, const CString& markup)
{
    m_pen = target.left;
    const wchar_t* text = markup.GetString();
    while (*text) {
        const int tagLength = ApplyTag(text);
        if (tagLength < 0)
            return; // an unterminated tag can never be removed: the text ends there
        if (tagLength > 0) {
            text += tagLength;
            continue;
        }
        const wchar_t* next = wcschr(text + 1, L'<');
        const int runLength = *text == L'<' ? 1 : (next ? static_cast<int>(next - text) : static_cast<int>(wcslen(text)));
        DrawRun(dc, target, text, runLength);
        text += runLength;
    }
}

int uiMarkupRenderer::ApplyTag(const wchar_t* text)
{
    if (*text != L'<')
        return 0;
    struct Simple { const wchar_t* tag; void (*apply)(uiMarkupRenderer&); };
    static const Simple simple[] = {
        {L"<B>", [](uiMarkupRenderer& r) { ++r.m_bold; r.m_current.lfWeight = FW_BOLD; }},
        {L"</B>", [](uiMarkupRenderer& r) { r.m_bold = std::max(r.m_bold - 1, 0); r.m_current.lfWeight = r.m_base.lfWeight; }},
        {L"<I>", [](uiMarkupRenderer& r) { ++r.m_italic; r.m_current.lfItalic = Flag(r.m_italic); }},
        {L"</I>", [](uiMarkupRenderer& r) { r.m_italic = std::max(r.m_italic - 1, 0); r.m_current.lfItalic = r.m_base.lfItalic; }},
        {L"<U>", [](uiMarkupRenderer& r) { ++r.m_underline; r.m_current.lfUnderline = Flag(r.m_underline); }},
        {L"</U>", [](uiMarkupRenderer& r) { r.m_underline = std::max(r.m_underline - 1, 0); r.m_current.lfUnderline = r.m_base.lfUnderline; }},
        {L"<STRIKE>", [](uiMarkupRenderer& r) { ++r.m_strikeOut; r.m_current.lfStrikeOut = Flag(r.m_strikeOut); }},
        {L"</STRIKE>", [](uiMarkupRenderer& r) { r.m_strikeOut = std::max(r.m_strikeOut - 1, 0); r.m_current.lfStrikeOut = r.m_base.lfStrikeOut; }},
        {L"<BIG>", [](uiMarkupRenderer& r) { r.m_current.lfHeight = Grow(r.m_current.lfHeight); }},
        {L"</SMALL>", [](uiMarkupRenderer& r) { r.m_current.lfHeight = Grow(r.m_current.lfHeight); }},
        {L"</BIG>", [](uiMarkupRenderer& r) { r.m_current.lfHeight = Shrink(r.m_current.lfHeight); }},
        {L"<SMALL>", [](uiMarkupRenderer& r) { r.m_current.lfHeight = Shrink(r.m_current.lfHeight); }},
        {L"</FONT>", [](uiMarkupRenderer& r) { r.ResetFont(); }},
    };
    for (const Simple& entry : simple) {
        if (StartsWith(text, entry.tag)) {
            entry.apply(*this);
            return static_cast<int>(wcslen(entry.tag));
        }
    }
    if (!StartsWith(text, L"<FONT"))
        return 0;
    const wchar_t* close = wcschr(text, L'>');
    if (!close)
        return -1;
    ApplyFontAttributes(text + 5, close);
    return static_cast<int>(close - text) + 1;
}

void uiMarkupRenderer::ApplyFontAttributes(const wchar_t* begin, const wchar_t* end)
{
    const wchar_t* p = begin;
    while (p < end) {
        if (IsBlank(*p)) {
            ++p;
            continue;
        }
        const bool color = StartsWith(p, L"COLOR"), back = StartsWith(p, L"BGCOLOR");
        const bool face = StartsWith(p, L"FACE"), size = StartsWith(p, L"SIZE");
        if (!color && !back && !face && !size) {
            while (p < end && !IsBlank(*p))
                ++p;
            continue;
        }
        const wchar_t* open = std::find(p, end, L'"');
        if (open == end)
            return;
        const wchar_t* closeQuote = std::find(open + 1, end, L'"');
        if (closeQuote == end) {
            p = open + 1;
            while (p < end && !IsBlank(*p))
                ++p;
            continue;
        }
        const CString value(open + 1, static_cast<int>(closeQuote - open - 1));
        if (color || back) {
            COLORREF parsed = 0;
            uiParseColor(value, &parsed);
            if (back) {
                m_backColor = parsed;
                m_opaque = TRUE;
            } else {
                m_textColor = parsed;
            }
        } else if (face) {
            // The record holds LF_FACESIZE characters with the terminator; a longer name is cut.
            lstrcpynW(m_current.lfFaceName, value, LF_FACESIZE);
        } else {
            m_current.lfHeight = ClampHeight(static_cast<long long>(m_current.lfHeight) - wcstol(value, nullptr, 10));
        }
        p = closeQuote + 1;
    }
}

void uiMarkupRenderer::DrawRun(HDC dc, const RECT& target, const wchar_t* text, int length)
{
    HFONT font = CreateFontIndirectW(&m_current);
    HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;
    const COLORREF previousColor = SetTextColor(dc, uiGdiColor(m_textColor));
    const COLORREF previousBack = GetBkColor(dc);
    const int previousMode = GetBkMode(dc);
    if (m_opaque) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, uiGdiColor(m_backColor));
    }
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(dc, text, length, &extent);
    RECT rect = target;
    rect.left = m_pen;
    DrawTextW(dc, text, length, &rect, m_format);
    m_pen = uiSaturatedAdd(m_pen, extent.cx);
    if (previousFont)
        SelectObject(dc, previousFont);
    SetBkColor(dc, previousBack);
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousColor);
    if (font)
        DeleteObject(font);
}

void uiMarkupRenderer::ResetFont()
{
    m_textColor = m_itemColor;
    m_backColor = 0xFFFFFF;
    m_opaque = FALSE;
    m_current = m_base;
}

// The menu skin object on the owner window: tracking, owner-drawn items, measuring and painting them.
#include "uiSkinMenu.h"

#include "uiCommand.h"
#include "uiDisplayItem.h"
#include "uiDisplayList.h"
#include "uiDrawRoutines.h"
#include "uiGdiAdmin.h"
#include "uiSharedMemDC.h"
#include "uiSkinAdmin.h"
#include "uiStyle.h"

namespace {

const int kCheckCommandCode = 1;
const int kRadioCommandCode = 2;
const int kTabExtraWidth = 20;
const int kItemExtraWidth = 16;
const int kMaxItemText = 256;

}  // namespace

uiSkinMenu::uiSkinMenu()
{
    m_styleName = L"menu";
}

LRESULT uiSkinMenu::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DRAWITEM && wParam == 0 && lParam)
        return OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    if (msg == WM_MEASUREITEM && wParam == 0 && lParam)
        return OnMesureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    return uiSubclassWnd::WindowProc(msg, wParam, lParam);
}

void uiSkinMenu::OnAttached()
{
    uiSkinBase::OnAttached();
    TakeStyle();
    m_checkCommand = uiGetSkinAdmin().FindCommand(kCheckCommandCode);
    m_radioCommand = uiGetSkinAdmin().FindCommand(kRadioCommandCode);
}

void uiSkinMenu::TakeStyle()
{
    if (m_style) {
        LoadMenuInfo();
        m_style->displayList.SetTextParam(L'\t');
        m_separatorItem = m_style->displayList.FindItem(L"menu.sperator");
    }
}

void uiSkinMenu::LoadMenuInfo()
{
    // Nothing of an earlier style may stay: a style without a menu record has the record's
    // defaults, and the menu's own icon offset.
    const uiMenuInfo defaults;
    const uiMenuInfo* info = m_style->menuinfo ? m_style->menuinfo.get() : &defaults;
    m_itemHeight = info->itemHeight != UI_UNSET ? info->itemHeight : defaults.itemHeight;
    m_separatorHeight = info->separatorHeight;
    m_borderWidth = info->borderWidth;
    m_iconX = info->iconX;
    m_iconY = m_style->menuinfo ? info->iconY : kDefaultIconY;
    m_iconWidth = info->iconWidth;
    m_fontName = info->font;
    m_multiBg = info->multiBg;
}

void uiSkinMenu::ReleaseStyle()
{
    uiSkinBase::ReleaseStyle();
    if (GetCurrent() == this)
        SetCurrent(nullptr);
}

void uiSkinMenu::ForgetStyle()
{
    m_separatorItem = nullptr;
    uiSkinBase::ForgetStyle();
}

void uiSkinMenu::RebindStyle()
{
    uiSkinBase::RebindStyle();
    TakeStyle();
}

BOOL uiSkinMenu::TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, const RECT* exclude,
                                const wchar_t* styleName)
{
    const bool newStyle = styleName && m_styleName != styleName;
    if (styleName)
        m_styleName = styleName;
    // Attached once per owner: attaching again would link the object to itself in the chain.
    if (IsAttached() && (GetHwnd() != owner || newStyle))
        Detach();
    if (!IsAttached())
        SkinWindow(owner, nullptr, FALSE, TRUE);
    m_menu = menu;
    // Without its style the skin could not draw owner-drawn items: the menu keeps the system look,
    // and no other menu skin may take its windows either.
    SetCurrent(IsAttached() ? this : nullptr);
    if (IsAttached())
        SetOwnerDraw(menu);
    return ::TrackPopupMenu(menu, flags, x, y, 0, owner, exclude);
}

void uiSkinMenu::SetOwnerDraw(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[kMaxItemText] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
        info.dwTypeData = text;
        info.cch = kMaxItemText;
        if (!GetMenuItemInfoW(menu, position, TRUE, &info))
            continue;
        info.fType |= MFT_OWNERDRAW;
        if (info.fType & MFT_SEPARATOR)
            info.dwTypeData = nullptr;
        else
            info.dwTypeData = text;
        SetMenuItemInfoW(menu, position, TRUE, &info);
        if (info.hSubMenu)
            SetOwnerDraw(info.hSubMenu);
    }
}

CString uiSkinMenu::GetItemText(UINT id) const
{
    wchar_t text[kMaxItemText] = {};
    GetMenuStringW(m_menu, id, text, kMaxItemText, MF_BYCOMMAND);
    return text;
}

BOOL uiSkinMenu::OnMesureItem(MEASUREITEMSTRUCT* item)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    const bool separator = GetMenuItemInfoW(m_menu, item->itemID, FALSE, &info) && (info.fType & MFT_SEPARATOR);
    item->itemHeight = separator ? m_separatorHeight : m_itemHeight;
    if (HFONT font = uiGetGdiAdmin().GetFont(m_fontName)) {
        const CString text = GetItemText(item->itemID);
        HDC screen = GetDC(nullptr);
        item->itemWidth = uiGetTextWidth(screen, font, text) + m_iconWidth;
        ReleaseDC(nullptr, screen);
        if (text.Find(L'\t') >= 0)
            item->itemWidth += kTabExtraWidth;
    }
    item->itemWidth += kItemExtraWidth;
    return TRUE;
}

BOOL uiSkinMenu::OnDrawItem(DRAWITEMSTRUCT* item)
{
    if (item->CtlType != ODT_MENU)
        return TRUE;
    const RECT& target = item->rcItem;
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    const RECT origin = {0, 0, width, height};
    HDC dc = uiGetSharedMemDC()->Ensure(item->hDC, SIZE{width, height});
    if (!dc)
        return TRUE;
    BitBlt(dc, 0, 0, width, height, item->hDC, target.left, target.top, SRCCOPY);
    DrawItemBackground(dc, item->hDC, target);

    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(m_menu, item->itemID, FALSE, &info);
    if (info.fType & MFT_SEPARATOR) {
        if (m_separatorItem) {
            m_separatorItem->CalcRect(origin);
            m_separatorItem->Paint(dc);
        }
    } else if (m_style) {
        RECT text = origin;
        if (IsMsgHookSet() && GetPrintFlag())
            text.bottom += 1;
        text.left += m_borderWidth;
        text.top += 2;
        text.bottom -= 2;
        uiDisplayList& list = m_style->displayList;
        list.Layout(text);
        list.SetText(nullptr, GetItemText(item->itemID));
        const DWORD state = (item->itemState & ODS_DISABLED) ? UI_STATE_DISABLED
                            : (item->itemState & ODS_SELECTED) ? UI_STATE_OVER
                                                               : UI_STATE_NORMAL;
        list.Paint(dc, state);
        if (item->itemState & ODS_CHECKED) {
            uiCommand* mark = (info.fType & MFT_RADIOCHECK) ? m_radioCommand : m_checkCommand;
            if (mark)
                mark->Draw(dc, m_iconX, m_iconY, state);
        }
        if (uiCommand* picture = uiGetSkinAdmin().FindCommand(static_cast<int>(item->itemID)))
            picture->Draw(dc, m_iconX, m_iconY, state);
    }
    BitBlt(item->hDC, target.left, target.top, width, height, dc, 0, 0, SRCCOPY);
    return TRUE;
}

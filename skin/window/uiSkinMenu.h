// Skinned popup menus. A thread-local call-window-procedure hook catches each menu window as it is
// created and subclasses it; the current menu skin, attached to the window that owns the menu, makes
// every item owner-drawn, measures and paints the items, and keeps one background per menu window
// from which the frame, the item backgrounds and the window region come.
#pragma once

#include <windows.h>
#include <map>
#include <set>

#include "uiSkinBase.h"

class uiCommand;
class uiDisplayItem;
class uiMemDC;

class uiSkinMenu : public uiSkinBase {
public:
    // The icon offset of a style without a menu record.
    static const int kDefaultIconY = 2;

    uiSkinMenu();
    ~uiSkinMenu() override;

    // Answers the menu items' WM_MEASUREITEM and WM_DRAWITEM that reach the owner window.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    void ReleaseStyle() override;
    // The separator item lives in the style copy.
    void ForgetStyle() override;
    void RebindStyle() override;

    // Installs (on) or removes the hook for the calling thread; nothing when it is so already.
    static void SetMsgHook(BOOL on);
    static BOOL IsMsgHookSet();
    // The menu skin that the hook gives to new menu windows, or null.
    static uiSkinMenu* GetCurrent();

    // Becomes the current menu skin, attaches itself to the owner (its own head object stays), makes
    // the menu owner-drawn and shows it; the platform's result. styleName null keeps the style name.
    BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, const RECT* exclude,
                        const wchar_t* styleName);
    // Gives every item of the menu and of its submenus the owner-drawn type.
    static void SetOwnerDraw(HMENU menu);

    BOOL OnMesureItem(MEASUREITEMSTRUCT* item);
    BOOL OnDrawItem(DRAWITEMSTRUCT* item);

    // The menu windows' procedure: the skin first, then the window's own procedure.
    static LRESULT CALLBACK MenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static void SetCurrent(uiSkinMenu* menu);
    // 1 unless a menu window has painted since it was last printed with its client area.
    static int GetPrintFlag();
    static LRESULT CALLBACK MsgHook(int code, WPARAM wParam, LPARAM lParam);
    // Subclasses a menu window that is being created; whether it was.
    BOOL SubclassMenuWindow(HWND hwnd);
    // 0 where the message must not reach the window's own procedure.
    LRESULT WindowMenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnWindowPosChanging(HWND hwnd, WINDOWPOS* position);
    void OnNcPaint(HWND hwnd);
    void OnPrint(HWND hwnd, HDC dc, LPARAM flags);

    uiMemDC* GetBackground(HWND hwnd);
    uiMemDC* CreateBackground(HWND hwnd);
    void PaintMenuBack(HWND hwnd, HDC dc, const RECT& rect);
    void PaintNonClient(HWND hwnd, HDC dc);
    void DrawItemBackground(HDC destination, HDC itemDC, const RECT& item);
    void DropBackground(HWND hwnd);
    void ForgetMenuWindow(HWND hwnd);

    // The item's text by command id on the tracked menu.
    CString GetItemText(UINT id) const;
    // The menu record, the tab split of the texts and the separator item of the style.
    void TakeStyle();
    void LoadMenuInfo();

    BOOL m_regionPending = FALSE;
    HMENU m_menu = nullptr;
    int m_iconX = 5;
    int m_iconY = kDefaultIconY;
    int m_itemHeight = 16;
    int m_separatorHeight = 3;
    int m_borderWidth = 2;
    int m_iconWidth = 21;
    uiDisplayItem* m_separatorItem = nullptr;
    uiCommand* m_checkCommand = nullptr;
    uiCommand* m_radioCommand = nullptr;
    std::map<HWND, uiMemDC*> m_backgrounds;
    CString m_fontName = L"default";
    BOOL m_multiBg = FALSE;
    // Menu windows that point at this object; it unlinks them when it goes first.
    std::set<HWND> m_menuWindows;
};

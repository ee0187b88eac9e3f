// The menu bar: a window's menu shown as a skinned toolbar with one button per top-level item. A
// pressed button drops its submenu down as a skinned popup menu; while it is open a message-filter
// hook lets the mouse slide to another button, the arrow keys move between buttons, Escape closes
// and letters or digits choose items of the open submenu by their "&" mnemonic.
#pragma once

#include <windows.h>

#include "CString.h"
#include "uiNoSkinGuard.h"
#include "uiSkinToolbarCtrl.h"

class uiMenuToolBar : public uiSkinToolbarCtrl {
public:
    uiMenuToolBar();
    ~uiMenuToolBar() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the toolbar as a child of the owner with a button per item of the menu (not owned) and
    // attaches itself to it; the toolbar then owns the object. 0 with error 107 when the system's
    // toolbar is unavailable. Without the toolbar style the object stays unattached and the
    // caller's to delete.
    BOOL Create(HWND owner, HMENU menu);

    // The button under a client point, negative for none.
    int HitTest(POINT point) const;
    int GetButtonCount() const;
    void PressButton(int index, BOOL pressed);
    BOOL GetButtonRect(int index, RECT* rect) const;
    HWND GetToolbar() const { return m_toolbar; }
    // Opens the button's drop-down once the caller's message has returned (keyboard access).
    void OpenDropDown(int index);

private:
    static LRESULT CALLBACK MsgFilterHook(int code, WPARAM wParam, LPARAM lParam);

    LRESULT OnLButtonDown(POINT point);
    LRESULT OnOpenCurrent();
    // Shows the submenu of the current button and returns when it closes.
    void DropDown();
    // Non-zero when the message of the open menu is dealt with here and must not reach the menu.
    BOOL FilterMenuMessage(const MSG* msg);
    BOOL OnMenuMouseMove(POINT screenPoint);
    BOOL OnMenuKeyDown(UINT key);
    BOOL OnMenuLButtonDown(POINT screenPoint);
    // Posts the command of the open submenu's item whose mnemonic is the key; whether one was found.
    BOOL ChooseByMnemonic(UINT key);
    void CancelMenu();

    CString m_dropDownStyle = L"menu";
    HMENU m_menu = nullptr;
    HWND m_toolbar = nullptr;
    HWND m_owner = nullptr;
    int m_current = 0;
    POINT m_lastMouse = {0, 0};
    int m_active = 0;  // cleared when a drop-down is cancelled
    uiNoSkinGuard m_noSkinGuard;
};

// Whether the window carries the main-toolbar property by which a dialog finds its menu bar.
BOOL uiIsMenuBarWindow(HWND hwnd);
// Puts the property on (mark) or takes it off a window; the dialog marks the bar it made.
void uiMarkMenuBarWindow(HWND hwnd, BOOL mark);

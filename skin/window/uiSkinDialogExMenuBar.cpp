// The extended dialog's menu bar: the window menu shown as a skinned bar below the caption, opened
// from the keyboard, and given back to the system when the dialog is detached.
#include "uiSkinDialogEx.h"

#include "uiHandleMap.h"
#include "uiMenuToolBar.h"
#include "uiWindowHelpers.h"

void uiSkinDialogEx::FindMenuBar()
{
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (uiIsMenuBarWindow(child))
            m_menuBar = child;
    }
}

void uiSkinDialogEx::CreateMenuBar()
{
    auto* bar = new uiMenuToolBar;
    bar->Create(m_hwnd, GetMenu(m_hwnd));
    HWND toolbar = bar->GetToolbar();
    if (!bar->IsAttached()) {
        // Without the toolbar or its skin the dialog goes on with no bar; the system's stays hidden.
        delete bar;
        if (toolbar)
            DestroyWindow(toolbar);
        return;
    }
    uiMarkMenuBarWindow(toolbar, TRUE);
    m_menuBar = toolbar;
    m_ownMenuBar = TRUE;
}

void uiSkinDialogEx::PlaceMenuBar()
{
    RECT rect = {};
    ::GetWindowRect(m_menuBar, &rect);
    uiRectScreenToClient(m_hwnd, &rect);
    m_menuBarHeight = rect.bottom - rect.top;
    ::MoveWindow(m_menuBar, rect.left + 5, rect.top + 5, rect.right - rect.left, m_menuBarHeight, TRUE);
}

void uiSkinDialogEx::RemoveMenuBar()
{
    const BOOL removed = m_ownMenuBar && IsWindow(m_menuBar);
    if (removed) {
        uiMarkMenuBarWindow(m_menuBar, FALSE);
        // The bar's skin object goes with its window.
        DestroyWindow(m_menuBar);
    }
    m_menuBar = nullptr;
    m_menuBarHeight = 0;
    m_ownMenuBar = FALSE;
    // The frame is recalculated so that the system's menu bar shows again.
    if (removed && IsWindow(m_hwnd) && GetMenu(m_hwnd))
        DrawMenuBar(m_hwnd);
}

BOOL uiSkinDialogEx::OpenMenuBarFromKeyboard(UINT command, LPARAM key)
{
    // Alt or F10 alone (no character): the system would track the hidden menu of the window.
    if ((command & 0xFFF0) != SC_KEYMENU || key != 0 || !m_menuBar)
        return FALSE;
    auto* bar = dynamic_cast<uiMenuToolBar*>(uiGetHandleMap()->Find(m_menuBar));
    if (!bar)
        return FALSE;
    bar->OpenDropDown(0);
    return TRUE;
}

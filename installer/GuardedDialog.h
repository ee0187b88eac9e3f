// A dialog that Enter, Escape and Alt+F4 never close: the base of the main, install and progress
// views, which end only through their own buttons or the close box.
#pragma once

#include "CDialog.h"

class GuardedDialog : public CDialog {
public:
    using CDialog::CDialog;

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (IsCloseKey(msg))
            return TRUE;
        return CDialog::PreTranslateMessage(msg);
    }

    static bool IsCloseKey(const MSG* msg)
    {
        if (msg->message == WM_KEYDOWN)
            return msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE;
        return msg->message == WM_SYSKEYDOWN && msg->wParam == VK_F4;
    }
};

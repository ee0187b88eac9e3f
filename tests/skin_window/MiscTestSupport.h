// Helpers of the frame dialog and control bookkeeping tests: the misc test skin, controls made on a
// host window that reflects their notifications, and the skin object on a window.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include "uiHandleMap.h"
#include "uiSubclassWnd.h"

class MiscSkin : public testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A visible child of the host with the class, style and place, skinned through the factory with
    // the code and the default style; the host reflects its notifications.
    HWND MakeControl(const wchar_t* className, DWORD style, const RECT& place, int code, DWORD exStyle = 0);
    HWND Host() const { return m_host; }

    HWND m_host = nullptr;
};

// The head skin object of the window as the class, or null.
template <class T>
T* SkinOf(HWND hwnd)
{
    return dynamic_cast<T*>(uiGetHandleMap()->Find(hwnd));
}

// A window of a class that counts the messages it gets with one number.
HWND MakeCountingWindow(HWND parent, const wchar_t* className, UINT counted);
int CountOf(HWND window);

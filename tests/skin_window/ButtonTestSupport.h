// Helpers of the button, progress and animation tests: the packed test skin, a visible host window
// that records what its children tell it, real controls skinned like the factory does, the real
// cursor placed over them, and pixels read back from the windows themselves.
#pragma once

#include <windows.h>
#include <vector>

#include "uiSkinBase.h"

// Faces of the test skin (skins/buttons/main.xml), one colour per paint state.
const COLORREF kNormalFace = RGB(40, 160, 40);
const COLORREF kOverFace = RGB(40, 40, 160);
const COLORREF kDownFace = RGB(160, 40, 40);
const COLORREF kDisabledFace = RGB(128, 128, 128);
const COLORREF kDefaultFace = RGB(200, 200, 0);
const COLORREF kCheckedFace = RGB(0, 200, 200);
const COLORREF kCheckedOverFace = RGB(200, 0, 200);
const COLORREF kCheckedDownFace = RGB(250, 120, 0);
const COLORREF kCheckedDisabledFace = RGB(60, 60, 60);

// Loads the test skin once per process.
void LoadButtonSkin();

// A visible window whose children are skinned; it reflects their notifications like a
// skinned parent, records the commands and split drop-downs it receives, and can gate one control's
// enabled state on a check box as the install view does.
class HostWindow {
public:
    struct Command {
        UINT code;
        UINT id;
        HWND control;
    };

    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    operator HWND() const { return m_hwnd; }

    // A child of the system class "BUTTON" (or another class) at x, y in client coordinates.
    HWND AddChild(int id, DWORD style, int x, int y, int width, int height, const wchar_t* cls = L"BUTTON");
    // Each click of the check box enables the target exactly when the box is checked.
    void Gate(HWND checkBox, HWND target)
    {
        m_gate = checkBox;
        m_gated = target;
    }
    // Destroys the window that sends the next command, from inside the command's handler.
    void DestroyOnCommand() { m_destroyOnCommand = true; }

    std::vector<Command> commands;
    std::vector<HWND> dropDowns;
    int drawItems = 0;
    // Called inside the handler that destroyed a control, after DestroyWindow returned.
    void (*afterDestroy)() = nullptr;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    HWND m_gate = nullptr;
    HWND m_gated = nullptr;
    bool m_destroyOnCommand = false;
};

// Attaches the skin object to the window with the type code that the factory would store; the
// object's result of SkinWindow.
BOOL SkinAs(uiSkinBase* object, HWND hwnd, int code, const wchar_t* style);

// Puts the real cursor at a point given relative to the window's top-left corner.
void PlaceCursor(HWND hwnd, int x, int y);
// Puts the real cursor far from every test window.
void ParkCursor();
// Sends a mouse message with the point (window-relative, the windows here have no frame).
LRESULT SendMouse(HWND hwnd, UINT msg, int x, int y);

// Lets the window finish the painting it asked for, then reads a pixel of it back from the screen.
COLORREF WindowPixel(HWND hwnd, int x, int y);
// A clicked button: cursor on it, move, press, release.
void Click(HWND hwnd, int x = 5, int y = 5);

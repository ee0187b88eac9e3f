// CWnd: the window-handle wrapper. A CWnd either only refers to a window (Attach) or owns its
// messages: windows created through Create/CreateEx, and dialogs, are subclassed before WM_CREATE,
// and every message then runs through the virtual WindowProc, whose default dispatches to the
// virtual On... handlers below. A handler that is not overridden passes its message on to the
// window's previous procedure (Default).
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "CString.h"

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object whose messages a window runs through, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    BOOL Attach(HWND hwnd);
    HWND Detach();
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }

    // Creates a window whose messages run through this object from WM_NCCREATE on.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                  HWND parent, UINT id);
    BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();

    // The object of a child control: its own when one runs its messages, else a reference object
    // kept by this object.
    CWnd* GetDlgItem(int id);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
    int GetWindowText(LPWSTR buffer, int maxCount) const { return ::GetWindowTextW(m_hWnd, buffer, maxCount); }
    void GetWindowText(CString& text) const;
    CString GetWindowText() const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }

    BOOL ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd, cmdShow); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }

    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0) { return ModifyLong(GWL_STYLE, remove, add, swpFlags); }
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0) { return ModifyLong(GWL_EXSTYLE, remove, add, swpFlags); }

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC timerProc = nullptr);
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }

    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return ::PostMessageW(m_hWnd, message, wParam, lParam); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return ::SendMessageW(m_hWnd, message, wParam, lParam); }
    void SetFont(HFONT font, BOOL redraw = TRUE) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    HFONT GetFont() { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    HICON SetIcon(HICON icon, BOOL big) { return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon))); }
    int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK) { return ::MessageBoxW(m_hWnd, text, caption, type); }

    // Messages of the modal loop that runs this window, before the dialog manager sees them;
    // TRUE swallows the message.
    virtual BOOL PreTranslateMessage(MSG* msg);

    HWND m_hWnd = nullptr;

protected:
    // Every message of a window that runs through this object; the default dispatches to the
    // handlers below.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The current message, handed to the window's previous procedure.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    virtual int OnCreate(LPCREATESTRUCTW createStruct);
    virtual void OnDestroy();
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnPaint();
    virtual void OnTimer(UINT_PTR id);
    // TRUE when the command was handled; otherwise the message is passed on.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // ctlColor is one of the CTLCOLOR_ values.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColor);
    virtual void OnClose();
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual void OnLButtonDown(UINT flags, POINT point);
    virtual HCURSOR OnQueryDragIcon();
    // After the window is gone and this object is detached from it.
    virtual void PostNcDestroy() {}

private:
    friend class WindowCreationHook;
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Subclass(HWND hwnd);
    void ForgetWindow();
    BOOL ModifyLong(int index, DWORD remove, DWORD add, UINT swpFlags);

    WNDPROC m_previousProc = nullptr;
    std::map<int, std::unique_ptr<CWnd>> m_childReferences;
};

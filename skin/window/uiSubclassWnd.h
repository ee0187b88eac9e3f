// The subclass object: one link of a window's chain of skin objects. All chains share one window
// procedure; the object attached last is the head and sees each message first, then passes on to the
// older objects and finally to the window's previous procedure. Parents reflect their children's
// notifications to the children's own chains.
#pragma once

#include <windows.h>

// What a reflected message carries; built on the parent's stack, valid only during the call.
struct uiReflectInfo {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    // Set to 1 by a child whose result replaces the parent's own processing.
    BOOL handled;
};

class uiSubclassWnd {
public:
    uiSubclassWnd() = default;
    uiSubclassWnd(const uiSubclassWnd&) = delete;
    uiSubclassWnd& operator=(const uiSubclassWnd&) = delete;
    virtual ~uiSubclassWnd();

    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window's previous procedure; 0 when the window or the object is gone.
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info);
    virtual LRESULT OnReflectedCommand(UINT notifyCode, UINT controlId, HWND control);
    virtual LRESULT OnReflectedNotify(uiReflectInfo* info, NMHDR* header);
    // Runs before the object joins the chain.
    virtual void ReapplyStyle() {}
    // Runs after the object joined the chain.
    virtual void OnAttached() {}
    // Runs before the object leaves the chain.
    virtual void ReleaseStyle() {}

    // 0 for a null or destroyed window. An auto-delete object deletes itself when it is detached.
    BOOL Attach(HWND hwnd, BOOL autoDelete);
    // Leaves the chain; an auto-delete object must not be used afterwards.
    void Detach();
    // Passes a message to the object. An object detached meanwhile with auto-delete set is deleted
    // only when its last frame on the stack returns.
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // Reflects a parent's message to the child it is about; non-zero only when the child claimed it.
    LRESULT ReflectChildMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // The window, or null when it no longer exists.
    HWND GetHwnd() const;
    BOOL IsAttached() const { return m_oldProc != nullptr; }

    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    BOOL MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    void ScreenToClient(RECT* rect) const;
    void ClientToScreen(RECT* rect) const;

protected:
    HWND m_hwnd = nullptr;

private:
    friend class uiHandleMap;
    class StackFrame;

    LRESULT DispatchReflected(uiReflectInfo* info);


    // The object attached before this one on the same window.
    uiSubclassWnd* m_next = nullptr;
    // The window procedure from before the first subclassing; null while detached.
    WNDPROC m_oldProc = nullptr;
    BOOL m_autoDelete = TRUE;
    // Frames of this object on the stack, and a deletion waiting for them to return.
    int m_depth = 0;
    bool m_deletePending = false;
};

// The window procedure of every subclassed window.
LRESULT CALLBACK uiSubclassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

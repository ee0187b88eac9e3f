// The window-to-chain map and the window's original procedure.
#include "uiHandleMap.h"

#include "uiSubclassWnd.h"

namespace {

WNDPROC CurrentProc(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

}  // namespace

uiHandleMap* uiGetHandleMap()
{
    static uiHandleMap map;
    return &map;
}

WNDPROC uiHandleMap::Subclass(HWND hwnd)
{
    auto it = m_entries.find(hwnd);
    if (it != m_entries.end()) {
        const uiSubclassWnd* head = it->second.head;
        if (!head || head->GetHwnd() == hwnd)
            return it->second.oldProc;
        // A chain left from a destroyed window whose handle came back.
        m_entries.erase(it);
    }
    // Without a record the shared procedure on the window could not find its way back.
    if (CurrentProc(hwnd) == uiSubclassWndProc)
        return nullptr;
    const WNDPROC old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(uiSubclassWndProc)));
    if (!old)
        return nullptr;
    m_entries[hwnd] = Entry{nullptr, old};
    return old;
}

void uiHandleMap::Attach(HWND hwnd, uiSubclassWnd* object)
{
    if (!Subclass(hwnd))
        return;
    Entry& entry = m_entries[hwnd];
    object->m_next = entry.head;
    object->m_oldProc = entry.oldProc;
    entry.head = object;
}

void uiHandleMap::Detach(uiSubclassWnd* object)
{
    auto it = m_entries.find(object->m_hwnd);
    if (it == m_entries.end())
        return;
    Entry& entry = it->second;
    if (entry.head == object) {
        entry.head = object->m_next;
    } else {
        uiSubclassWnd* before = entry.head;
        while (before && before->m_next != object)
            before = before->m_next;
        if (!before)
            return;
        before->m_next = object->m_next;
    }
    object->m_next = nullptr;
    if (entry.head)
        return;
    const HWND hwnd = it->first;
    if (!IsWindow(hwnd)) {
        m_entries.erase(it);
    } else if (CurrentProc(hwnd) == uiSubclassWndProc) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.oldProc));
        m_entries.erase(it);
    }
    // Otherwise a later subclass still calls the shared procedure: the entry stays and passes every
    // message to the original procedure.
}

uiSubclassWnd* uiHandleMap::Find(HWND hwnd) const
{
    const auto it = m_entries.find(hwnd);
    if (it == m_entries.end() || !it->second.head)
        return nullptr;
    uiSubclassWnd* head = it->second.head;
    return head->GetHwnd() == hwnd ? head : nullptr;
}

void uiHandleMap::DetachAll(HWND hwnd)
{
    while (uiSubclassWnd* head = Find(hwnd))
        head->Detach();
}

WNDPROC uiHandleMap::OriginalProc(HWND hwnd) const
{
    const auto it = m_entries.find(hwnd);
    return it == m_entries.end() ? nullptr : it->second.oldProc;
}

void uiHandleMap::Forget(HWND hwnd)
{
    m_entries.erase(hwnd);
}

// Helpers of the list control tests.
#include "ListTestSupport.h"

#include <commctrl.h>
#include <vector>

#include "uiSkinAdmin.h"
#include "uiSkinBase.h"

bool LoadListsSkin()
{
    static bool loaded = false;
    if (!loaded) {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        loaded = uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2031), L"SKINDB");
    }
    return loaded;
}

int GdiHeadroom()
{
    std::vector<HBRUSH> brushes;
    while (HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3)))
        brushes.push_back(brush);
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return static_cast<int>(brushes.size());
}

ListHost::ListHost()
{
    static HostWindow shared(nullptr, 30, 30, 400, 300);
    static const bool skinned = (new uiSkinBase)->Attach(shared, TRUE) != FALSE;
    (void)skinned;
    m_window = shared;
    // The posted mouse messages alone decide what is hot.
    ParkCursor();
}

ListHost::~ListHost()
{
    while (HWND child = GetWindow(m_window, GW_CHILD))
        DestroyWindow(child);
    PumpPending();
}

HWND ListHost::Child(const wchar_t* className, DWORD style, const RECT& place, DWORD exStyle) const
{
    return CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, m_window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), GetModuleHandleW(nullptr), nullptr);
}

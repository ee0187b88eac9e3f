// The gallery: one skinned frame window that holds every kind of control with sample content (rows,
// columns, tree items, tabs, toolbar buttons, a date), for tests and demonstrations only. The places
// and ids of its controls are fixed here so that a test can probe each one.
#pragma once

#include <windows.h>

namespace gallery {

// The skin database resource of the gallery's skin.
const int kSkinResource = 2040;
const wchar_t kSkinType[] = L"SKINDB";
const wchar_t kWindowClass[] = L"TavrinGallery";
const wchar_t kTitle[] = L"控件一览";

enum ControlId {
    kEdit = 1001,
    kEmptyEdit,
    kSpin,
    kDate,
    kDropDown,
    kDropList,
    kSlider,
    kTab,
    kGroup,
    kToolbar,
    kButton,
    kStatic,
    kListBox,
    kListView,
    kTree,
};

// Where each control lies in the frame window's client area.
struct Placement {
    int id;
    RECT rect;
};
const Placement* Placements(int* count);
RECT PlaceOf(int id);

const int kWidth = 600;
const int kHeight = 440;
const wchar_t* const kTabs[] = {L"常规", L"高级", L"关于"};
const wchar_t* const kToolbarButtons[] = {L"新建", L"打开", L"保存"};
// The date the picker shows.
const SYSTEMTIME kShownDate = {2026, 12, 3, 9, 10, 30, 0, 0};

// Loads the gallery's skin from the module's resources; whether it loaded.
bool LoadSkin();
// A visible frame window at the screen point, with every control, skinned; null on failure. With
// quitOnClose the message loop ends when the window is destroyed.
HWND CreateGalleryWindow(int x, int y, bool quitOnClose);

}  // namespace gallery

// The second reference of the start-up benchmark: the install view without its skin. The dialog
// template 103 from the installer's own resources, the view's controls with their Chinese texts,
// places and the fonts that the skin gives them, the folder box a rich edit as in the view; the
// caption and frame are the system's. It pays what any window of this kind pays under Wine (the
// common controls, the rich edit, the font system and the Chinese font), none of the skin's work.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include "StartupMark.h"

namespace {

const int kTemplateId = 103;
const int kWidth = 549;
const int kHeight = 370;

struct FontSpec {
    int size;
    bool bold;
    bool underline;
};

// The skin's fonts of the view's controls: all "Microsoft YaHei", ClearType.
const FontSpec kDefault = {12, false, false};
const FontSpec kSmall = {11, false, false};
const FontSpec kButtonLarge = {18, true, false};
const FontSpec kTitle = {16, true, false};
const FontSpec kLink = {12, false, false};

struct Control {
    const wchar_t* windowClass;
    const wchar_t* text;
    DWORD style;
    int id, x, y, width, height;
    const FontSpec* font;  // null: the dialog's own font
};

// As the install view creates and places them (mode 2, fresh install).
const Control kControls[] = {
    {L"Button", L"立即安装", 0, 2021, 185, 275, 190, 63, &kButtonLarge},
    {L"Static", L"Tavrin装机版2.5", 0, 2030, 15, 15, 300, 35, &kTitle},
    {L"Button", L"同意Tavrin的", BS_AUTOCHECKBOX, 2022, 10, 345, 84, 20, &kSmall},
    {L"Button", L"安装选项", BS_AUTOCHECKBOX, 2023, kWidth - 80, 345, 75, 20, &kDefault},
    {L"Button", L"浏览...", 0, 2024, kWidth - 70, 378, 53, 26, nullptr},
    {L"Static", L"用户许可协议", 0, 2025, 94, 348, 80, 20, &kLink},
    {L"Static", L"安装目录：", 0, 2026, 10, 382, 70, 20, &kDefault},
    {RICHEDIT_CLASSW, L"C:\\Program Files\\Tavrin", ES_READONLY, 2027, 80, 383, 380, 23, nullptr},
};

HFONT g_fonts[sizeof(kControls) / sizeof(kControls[0])];

HFONT MakeFont(const FontSpec& spec)
{
    return CreateFontW(-spec.size, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE, spec.underline, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"Microsoft YaHei");
}

void CreateControls(HWND dialog)
{
    const HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    for (size_t i = 0; i < sizeof(kControls) / sizeof(kControls[0]); ++i) {
        const Control& control = kControls[i];
        HWND child = CreateWindowExW(0, control.windowClass, control.text, WS_CHILD | WS_VISIBLE | control.style,
                                     control.x, control.y, control.width, control.height, dialog,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                     GetModuleHandleW(nullptr), nullptr);
        g_fonts[i] = control.font ? MakeFont(*control.font) : nullptr;
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_fonts[i] ? g_fonts[i] : dialogFont), TRUE);
    }
    CheckDlgButton(dialog, 2022, BST_CHECKED);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CreateControls(dialog);
        // The client area takes the skinned view's whole window, so that every control shows.
        RECT window = {0, 0, kWidth, kHeight};
        AdjustWindowRectEx(&window, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        RECT workArea = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
        MoveWindow(dialog, (workArea.right - width) / 2, (workArea.bottom - height) / 2, width, height, TRUE);
        SetWindowTextW(dialog, L"Tavrin在线安装器");
        return TRUE;
    }
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    MarkStartup(L"startup:winmain");
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    LoadLibraryW(L"riched20.dll");
    const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(kTemplateId), nullptr, DialogProc, 0);
    for (HFONT font : g_fonts) {
        if (font)
            DeleteObject(font);
    }
    return static_cast<int>(result);
}

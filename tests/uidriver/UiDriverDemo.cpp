// A small dialog for the UI driver's tests: a button that asks a Yes/No question (in a box that shares
// the dialog's caption, as the installer's views share theirs), a check box that enables that button and
// names its state in a label, a close button, and a solid background colour that a picture of the
// window must show. It appends what happens to the record file named by its first
// argument: "pid N" at start, "checked N" per check box change, "answer N" per question.
#include "UiDriverDemo.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::wstring g_recordPath;
HBRUSH g_background = nullptr;
constexpr UINT_PTR kLifetimeTimer = 1;
// A forgotten dialog closes itself, but never within one test, however long a loaded machine makes it.
constexpr UINT kLifetimeMs = 300000;

void Record(const std::string& line)
{
    HANDLE file = CreateFileW(g_recordPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void OnCommand(HWND dialog, int id)
{
    switch (id) {
    case DEMO_ASK:
        Record("answer " + std::to_string(MessageBoxW(dialog, L"确定要继续吗？", L"驱动测试", MB_YESNO)));
        break;
    case DEMO_OPTION: {
        const bool checked = IsDlgButtonChecked(dialog, DEMO_OPTION) == BST_CHECKED;
        SetDlgItemTextW(dialog, DEMO_STATE, checked ? L"已选" : L"未选");
        EnableWindow(GetDlgItem(dialog, DEMO_ASK), checked);
        Record("checked " + std::to_string(checked ? 1 : 0));
        break;
    }
    case DEMO_CLOSE:
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    default:
        break;
    }
}

INT_PTR CALLBACK DemoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CheckDlgButton(dialog, DEMO_OPTION, BST_CHECKED);
        SetTimer(dialog, kLifetimeTimer, kLifetimeMs, nullptr);
        Record("pid " + std::to_string(GetCurrentProcessId()));
        return TRUE;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(g_background);
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_TIMER:
        EndDialog(dialog, 3);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) {
        return 2;
    }
    g_recordPath = argv[1];
    LocalFree(argv);
    g_background = CreateSolidBrush(RGB(0, 128, 255));
    const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(DEMO_DIALOG), nullptr, DemoProc, 0);
    DeleteObject(g_background);
    return static_cast<int>(result);
}

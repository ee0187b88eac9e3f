// Parsing of the UI driver's command line.
#include "DriverOptions.h"

#include <cwchar>

namespace {

bool ParseNumber(const std::wstring& text, unsigned long* value)
{
    wchar_t* end = nullptr;
    *value = std::wcstoul(text.c_str(), &end, 0);
    return !text.empty() && end && *end == L'\0';
}

}  // namespace

const wchar_t* DriverUsage()
{
    return L"usage: uidriver VERB [--class C] [--title T] [--hwnd H] [--pid P] [--hidden] [--id N]\n"
           L"                     [--timeout MS] [--state 0|1] [--button B] [--out FILE] [--value N]\n"
           L"                     [--x N --y N]\n"
           L"verbs (one per run; exit code 0 on success, 1 otherwise):\n"
           L"  list      print the matching top-level windows: handle, process, class, visible, caption\n"
           L"  wait      wait until a matching window is visible; print its handle and rectangle\n"
           L"  gone      wait until no matching window is left\n"
           L"  click     post BM_CLICK to control --id (or to the window)\n"
           L"  command   post WM_COMMAND of control --id to the window\n"
           L"  check     click check box --id until its state is --state\n"
           L"  text      print the text of control --id (or of the window)\n"
           L"  controls  print the child controls (or control --id): id, class, visible, enabled, checked, text\n"
           L"  answer    answer the message box (class #32770 unless --class) with --button; print its text\n"
           L"  shot      write a 24-bit BMP of the window's screen area to --out\n"
           L"  hover     move the mouse pointer to the centre of control --id (or of the window)\n"
           L"  setpos    set progress bar --id to position --value; with --out FILE, then capture the window\n"
           L"  press     press and release the left mouse button at --x, --y of the window's screen area\n"
           L"  scroll    page edit box --id down --value times (as its scroll bar does); print its first visible line\n"
           L"  key       post key-down and key-up of virtual key --value to control --id (or to the window)\n"
           L"  owner     print the handle of the window's owner (0x00000000 without one)\n"
           L"Every verb but list and gone first waits up to --timeout ms (default 5000) for its window and control.\n";
}

DriverOptions ParseDriverOptions(int argc, wchar_t** argv)
{
    DriverOptions options;
    if (argc < 2) {
        options.error = L"no verb";
        return options;
    }
    options.verb = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::wstring name = argv[i];
        if (name == L"--hidden") {
            options.window.includeHidden = true;
            continue;
        }
        if (i + 1 >= argc) {
            options.error = L"missing value of " + name;
            return options;
        }
        const std::wstring value = argv[++i];
        unsigned long number = 0;
        const bool numeric = ParseNumber(value, &number);
        if (name == L"--class") {
            options.window.className = value;
        } else if (name == L"--title") {
            options.window.title = value;
        } else if (name == L"--out") {
            options.out = value;
        } else if (name == L"--button") {
            options.button = value;
        } else if (!numeric) {
            options.error = L"unknown option or not a number: " + name + L" " + value;
            return options;
        } else if (name == L"--hwnd") {
            options.window.handle = reinterpret_cast<HWND>(static_cast<UINT_PTR>(number));
        } else if (name == L"--pid") {
            options.window.processId = number;
        } else if (name == L"--id") {
            options.controlId = static_cast<int>(number);
        } else if (name == L"--state" && number <= 1) {
            options.state = static_cast<int>(number);
        } else if (name == L"--value") {
            options.value = static_cast<int>(number);
        } else if (name == L"--x") {
            options.at.x = static_cast<LONG>(number);
        } else if (name == L"--y") {
            options.at.y = static_cast<LONG>(number);
        } else if (name == L"--timeout") {
            options.timeoutMs = number;
        } else {
            options.error = L"unknown option: " + name;
            return options;
        }
    }
    return options;
}

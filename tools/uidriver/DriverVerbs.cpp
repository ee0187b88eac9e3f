// The UI driver's verbs. Clicks and commands are posted, never sent, so that a click which opens a modal
// box does not hold the driver until someone closes it.
#include "DriverVerbs.h"

#include "WindowCapture.h"

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <map>
#include <vector>

namespace {

void Write(DWORD stream, const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(stream), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void PrintLine(const std::wstring& line)
{
    Write(STD_OUTPUT_HANDLE, line + L"\n");
}

int Fail(const std::wstring& reason)
{
    Write(STD_ERROR_HANDLE, L"uidriver: " + reason + L"\n");
    return 1;
}

std::wstring Hex(const void* handle)
{
    wchar_t text[24];
    std::swprintf(text, 24, L"0x%08lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(handle)));
    return text;
}

HWND FindControl(HWND window, int id)
{
    for (HWND child : DescendantsOf(window)) {
        if (GetDlgCtrlID(child) == id) {
            return child;
        }
    }
    return nullptr;
}

// The window of the query and, with --id, its control, each waited for up to the time-out.
struct Target {
    HWND window = nullptr;
    HWND control = nullptr;  // the window itself without --id
};

// A command may name an id that no control has (IDCANCEL of a dialog without a cancel button).
bool FindTarget(const DriverOptions& options, bool controlMayBeMissing, Target* target, std::wstring* reason)
{
    // Windows may share a caption (the installer's views do); with --id the one holding the control counts.
    const auto look = [&] {
        const std::vector<HWND> windows = FindTopWindows(options.window);
        target->window = windows.empty() ? nullptr : windows.front();
        target->control = target->window;
        if (options.controlId < 0) {
            return target->window != nullptr;
        }
        for (HWND window : windows) {
            if (HWND control = FindControl(window, options.controlId)) {
                *target = {window, control};
                return true;
            }
        }
        target->control = nullptr;
        return target->window && controlMayBeMissing;
    };
    const bool found = WaitUntil(look, options.timeoutMs);
    if (!found) {
        *reason = target->window ? L"no control " + std::to_wstring(options.controlId) : L"no such window";
    }
    return found;
}

bool IsButton(HWND window)
{
    return _wcsicmp(ClassNameOf(window).c_str(), L"Button") == 0;
}

int CheckStateOf(HWND button)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return static_cast<int>(state);
}

std::wstring ControlLine(HWND control)
{
    const std::wstring checked = IsButton(control) ? std::to_wstring(CheckStateOf(control)) : L"-";
    return std::to_wstring(GetDlgCtrlID(control)) + L"\t" + ClassNameOf(control) + L"\t" +
           (IsWindowVisible(control) ? L"1" : L"0") + L"\t" + (IsWindowEnabled(control) ? L"1" : L"0") + L"\t" +
           checked + L"\t" + TextOf(control);
}

int List(const DriverOptions& options)
{
    for (HWND window : FindTopWindows(options.window)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t caption[1024] = {};
        GetWindowTextW(window, caption, 1024);
        PrintLine(Hex(window) + L"\t" + std::to_wstring(process) + L"\t" + ClassNameOf(window) + L"\t" +
                  (IsWindowVisible(window) ? L"1" : L"0") + L"\t" + caption);
    }
    return 0;
}

int Wait(const DriverOptions&, const Target& target)
{
    RECT rect = {};
    GetWindowRect(target.window, &rect);
    PrintLine(Hex(target.window) + L" " + std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
              std::to_wstring(rect.right) + L" " + std::to_wstring(rect.bottom));
    return 0;
}

int Gone(const DriverOptions& options)
{
    if (WaitUntil([&] { return FindTopWindow(options.window) == nullptr; }, options.timeoutMs)) {
        return 0;
    }
    return Fail(L"the window is still there");
}

int Click(const DriverOptions&, const Target& target)
{
    return PostMessageW(target.control, BM_CLICK, 0, 0) ? 0 : Fail(L"cannot post the click");
}

// The real pointer goes to the control's centre, so that the control sees the mouse come over it.
int Hover(const DriverOptions&, const Target& target)
{
    RECT rect = {};
    if (!GetWindowRect(target.control, &rect)) {
        return Fail(L"no rectangle");
    }
    return SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2) ? 0 : Fail(L"cannot move");
}

// A real click: the window under the point sees the pointer come, the button go down and come up.
int Press(const DriverOptions& options, const Target& target)
{
    RECT rect = {};
    if (options.at.x < 0 || options.at.y < 0) {
        return Fail(L"press needs --x and --y");
    }
    if (!GetWindowRect(target.window, &rect) || !SetCursorPos(rect.left + options.at.x, rect.top + options.at.y)) {
        return Fail(L"cannot move");
    }
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2 ? 0 : Fail(L"cannot press");
}

// A progress bar's position, set as the installer itself sets it.
int SetPos(const DriverOptions& options, const Target& target)
{
    if (options.value < 0) {
        return Fail(L"setpos needs --value");
    }
    DWORD_PTR previous = 0;
    if (!SendMessageTimeoutW(target.control, PBM_SETPOS, static_cast<WPARAM>(options.value), 0, SMTO_ABORTIFHUNG,
                             5000, &previous)) {
        return Fail(L"cannot set the position");
    }
    if (options.out.empty()) {
        return 0;
    }
    // The program may set its own position again at any moment: the bar is painted at once and
    // captured before that can happen.
    RedrawWindow(target.control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::wstring why;
    return CaptureWindowToBmp(target.window, options.out, &why) ? 0 : Fail(L"cannot capture: " + why);
}

// Pages are sent as the box's own scroll bar sends them, so the box moves its text and its bar alike.
int Scroll(const DriverOptions& options, const Target& target)
{
    DWORD_PTR answer = 0;
    for (int page = 0; page < options.value; ++page) {
        if (!SendMessageTimeoutW(target.control, WM_VSCROLL, SB_PAGEDOWN, 0, SMTO_ABORTIFHUNG, 5000, &answer)) {
            return Fail(L"cannot scroll");
        }
    }
    if (!SendMessageTimeoutW(target.control, EM_GETFIRSTVISIBLELINE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) {
        return Fail(L"no first visible line");
    }
    PrintLine(std::to_wstring(answer));
    return 0;
}

int Command(const DriverOptions& options, const Target& target)
{
    if (options.controlId < 0) {
        return Fail(L"command needs --id");
    }
    const WPARAM code = MAKEWPARAM(options.controlId, BN_CLICKED);
    return PostMessageW(target.window, WM_COMMAND, code, reinterpret_cast<LPARAM>(target.control)) ? 0
                                                                                           : Fail(L"cannot post");
}

int Check(const DriverOptions& options, const Target& target)
{
    if (options.state < 0 || options.controlId < 0) {
        return Fail(L"check needs --id and --state 0|1");
    }
    if (CheckStateOf(target.control) != options.state) {
        PostMessageW(target.control, BM_CLICK, 0, 0);
    }
    if (WaitUntil([&] { return CheckStateOf(target.control) == options.state; }, options.timeoutMs)) {
        return 0;
    }
    return Fail(L"the check box did not take the state");
}

int Text(const DriverOptions&, const Target& target)
{
    PrintLine(TextOf(target.control));
    return 0;
}

int Controls(const DriverOptions& options, const Target& target)
{
    if (options.controlId >= 0) {
        PrintLine(ControlLine(target.control));
        return 0;
    }
    for (HWND child : DescendantsOf(target.window)) {
        PrintLine(ControlLine(child));
    }
    return 0;
}

// The id of a message-box button by its name, or -1.
int MessageBoxButtonId(std::wstring name)
{
    static const std::map<std::wstring, int> buttons = {{L"ok", IDOK},       {L"cancel", IDCANCEL}, {L"abort", IDABORT},
                                                        {L"retry", IDRETRY}, {L"ignore", IDIGNORE}, {L"yes", IDYES},
                                                        {L"no", IDNO}};
    for (wchar_t& c : name) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    const auto button = buttons.find(name);
    return button == buttons.end() ? -1 : button->second;
}

// The target is the box holding the button (--id set from --button), so that a window sharing the box's
// caption is passed over.
int Answer(const DriverOptions& options, const Target& target)
{
    // The message text is the static control 0xFFFF of a message box.
    const HWND message = FindControl(target.window, 0xFFFF);
    PrintLine(message ? TextOf(message) : L"");
    if (!PostMessageW(target.control, BM_CLICK, 0, 0)) {
        return Fail(L"cannot post the answer");
    }
    const HWND box = target.window;
    if (WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, options.timeoutMs)) {
        return 0;
    }
    return Fail(L"the message box stayed open");
}

// A key as the keyboard would deliver it to the focused control: posted, so that it passes through the
// target's message loop (and whatever that loop does with keys) like a real one.
int Key(const DriverOptions& options, const Target& target)
{
    if (options.value <= 0) {
        return Fail(L"key needs --value VIRTUAL_KEY");
    }
    const WPARAM key = static_cast<WPARAM>(options.value);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
    const LPARAM up = (LPARAM(1) << 30) | (LPARAM(1) << 31);
    return PostMessageW(target.control, WM_KEYDOWN, key, scan | 1) &&
                   PostMessageW(target.control, WM_KEYUP, key, scan | up | 1)
               ? 0
               : Fail(L"cannot post the key");
}

int Owner(const DriverOptions&, const Target& target)
{
    PrintLine(Hex(GetWindow(target.window, GW_OWNER)));
    return 0;
}

int Shot(const DriverOptions& options, const Target& target)
{
    if (options.out.empty()) {
        return Fail(L"shot needs --out FILE");
    }
    std::wstring why;
    return CaptureWindowToBmp(target.window, options.out, &why) ? 0 : Fail(L"cannot capture: " + why);
}

}  // namespace

int RunDriverVerb(const DriverOptions& options)
{
    using TargetVerb = int (*)(const DriverOptions&, const Target&);
    static const std::map<std::wstring, TargetVerb> targetVerbs = {
        {L"wait", Wait},         {L"click", Click},       {L"command", Command}, {L"check", Check},
        {L"text", Text},         {L"controls", Controls}, {L"answer", Answer},   {L"shot", Shot},
        {L"hover", Hover},       {L"setpos", SetPos},     {L"scroll", Scroll},
        {L"press", Press},       {L"key", Key},           {L"owner", Owner},
    };
    if (!options.error.empty()) {
        return Fail(options.error + L"\n" + DriverUsage());
    }
    if (options.verb == L"list") {
        return List(options);
    }
    if (options.verb == L"gone") {
        return Gone(options);
    }
    const auto verb = targetVerbs.find(options.verb);
    if (verb == targetVerbs.end()) {
        return Fail(L"unknown verb " + options.verb + L"\n" + DriverUsage());
    }
    DriverOptions effective = options;
    if (options.verb == L"answer") {
        effective.controlId = MessageBoxButtonId(options.button);
        if (effective.controlId < 0) {
            return Fail(L"answer needs --button ok|cancel|yes|no|retry|ignore|abort");
        }
        if (effective.window.className.empty()) {
            effective.window.className = L"#32770";
        }
    }
    Target target;
    std::wstring reason;
    if (!FindTarget(effective, options.verb == L"command", &target, &reason)) {
        return Fail(reason);
    }
    return verb->second(effective, target);
}

// Helpers of the window skinning tests: real windows of a class whose procedure records what reaches
// it, skin objects that record what reaches them, and one log that both write into.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

#include "uiSubclassWnd.h"

// Messages the tests send; each has a fixed answer from the test window's own procedure.
const UINT kProbe = WM_APP + 1;
const UINT kConsumedByHead = WM_APP + 2;
const LRESULT kOriginalAnswer = 0x5150;

// What reached whom, in order: entries such as "B 32769" or "window 32769".
std::vector<std::string>& EventLog();
void Record(const std::string& who, UINT msg);

// The test window's procedure: records the test messages (and WM_NCDESTROY), answers kProbe and
// WM_COMMAND with kOriginalAnswer, everything else through DefWindowProcW.
LRESULT CALLBACK RecordingWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The procedure that the last test window had installed when it received WM_NCDESTROY.
WNDPROC ProcSeenAtNcDestroy();

// A visible top-level window, or a child with a control id, of the recording class; destroyed with
// the object unless destroyed before.
class TestWindow {
public:
    explicit TestWindow(HWND parent = nullptr, int id = 0);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Get() const { return m_hwnd; }
    operator HWND() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// A skin object that records the test messages and reflected calls under its name; kConsumedByHead
// is answered here without passing on. Its destructor records "<name> deleted".
class RecordingObject : public uiSubclassWnd {
public:
    explicit RecordingObject(std::string name) : m_name(std::move(name)) {}
    ~RecordingObject() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info) override;
    LRESULT OnReflectedCommand(UINT notifyCode, UINT controlId, HWND control) override;
    LRESULT OnReflectedNotify(uiReflectInfo* info, NMHDR* header) override;

    // What the reflected handlers answer; claim also sets the record's handled flag.
    LRESULT reflectedAnswer = 0;
    bool claim = false;
    // Pass reflected calls on to the older object instead of answering.
    bool passReflected = false;
    UINT lastNotifyCode = 0;
    UINT lastControlId = 0;
    HWND lastControl = nullptr;

private:
    LRESULT Answer(uiReflectInfo* info);
    std::string m_name;
};

bool Contains(const std::vector<std::string>& log, const std::string& entry);
std::string Entry(const std::string& who, UINT msg);

// Dialogs and their modal loop: ending and nesting inside OnInitDialog, the order in which the
// loop offers messages, the object attached before WM_CREATE, commands from child controls and
// from other threads.
#include <gtest/gtest.h>

#include "CDialog.h"
#include "CWinApp.h"
#include "Controls.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// A dialog template in memory: no menu, the default class, an empty caption, no controls.
class MemoryTemplate {
public:
    explicit MemoryTemplate(DWORD style)
    {
        DLGTEMPLATE header{};
        header.style = style;
        header.cx = 200;
        header.cy = 100;
        m_words.resize(sizeof(header) / sizeof(WORD));
        memcpy(m_words.data(), &header, sizeof(header));
        m_words.insert(m_words.end(), {0, 0, 0, 0});  // menu, class, caption, padding
    }
    LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(m_words.data()); }

private:
    std::vector<WORD> m_words;
};

const DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// A dialog that records what reaches it, in order.
class RecordingDialog : public CDialog {
public:
    explicit RecordingDialog(DWORD style = kPopup) : m_template(style) { InitModalIndirect(m_template.Get()); }

    std::vector<std::string> log;
    bool everVisible = false;
    HWND hwndAtCreate = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCCREATE)
            log.push_back("WM_NCCREATE");
        if (message == WM_WINDOWPOSCHANGED && (GetStyle() & WS_VISIBLE))
            everVisible = true;
        return CDialog::WindowProc(message, wParam, lParam);
    }
    int OnCreate(LPCREATESTRUCTW cs) override
    {
        log.push_back("OnCreate");
        hwndAtCreate = m_hWnd;
        return CDialog::OnCreate(cs);
    }
    BOOL OnInitDialog() override
    {
        log.push_back("OnInitDialog");
        return CDialog::OnInitDialog();
    }
    void OnCancel() override
    {
        log.push_back("OnCancel");
        CDialog::OnCancel();
    }

private:
    MemoryTemplate m_template;
};

class EndsInInit : public RecordingDialog {
public:
    using RecordingDialog::RecordingDialog;

protected:
    BOOL OnInitDialog() override
    {
        RecordingDialog::OnInitDialog();
        EndDialog(42);
        EndDialog(IDOK);  // too late: the first end counts
        return TRUE;
    }
};

TEST(DialogModalLoop, EndDialogInsideOnInitDialogReturnsAtOnceAndNeverShows)
{
    EndsInInit dialog(kPopup | WS_VISIBLE);
    EXPECT_EQ(42, dialog.DoModal());
    EXPECT_FALSE(dialog.everVisible);
    EXPECT_NE(nullptr, dialog.hwndAtCreate);
    EXPECT_EQ(nullptr, dialog.GetSafeHwnd());
}

// Ends itself from a timer, which proves its own loop was running.
class EndsOnTimer : public RecordingDialog {
public:
    int timerTicks = 0;

protected:
    BOOL OnInitDialog() override
    {
        SetTimer(5, 10);
        return TRUE;
    }
    void OnTimer(UINT_PTR id) override
    {
        if (id != 5)
            return CDialog::OnTimer(id);
        ++timerTicks;
        KillTimer(5);
        EndDialog(IDOK);
    }
};

class RunsNestedInInit : public RecordingDialog {
public:
    using RecordingDialog::RecordingDialog;
    EndsOnTimer inner;
    INT_PTR innerResult = 0;

protected:
    BOOL OnInitDialog() override
    {
        innerResult = inner.DoModal();
        EndDialog(static_cast<int>(innerResult) + 100);
        return TRUE;
    }
};

TEST(DialogModalLoop, DoModalNestedInsideOnInitDialogRunsAndTheOuterEndsUnshown)
{
    RunsNestedInInit outer(kPopup | WS_VISIBLE);
    EXPECT_EQ(IDOK + 100, outer.DoModal());
    EXPECT_EQ(IDOK, outer.innerResult);
    EXPECT_EQ(1, outer.inner.timerTicks);
    EXPECT_TRUE(outer.inner.everVisible);
    EXPECT_FALSE(outer.everVisible);
}

// Sees every message of its loop first; swallows Escape while asked to.
class FiltersKeys : public RecordingDialog {
public:
    bool swallowEscape = true;

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
            log.push_back(swallowEscape ? "Pre:Escape:swallowed" : "Pre:Escape");
            return swallowEscape;
        }
        if (msg->message == WM_APP) {
            swallowEscape = false;
            ::PostMessageW(m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            return TRUE;
        }
        return FALSE;
    }

protected:
    BOOL OnInitDialog() override
    {
        ::PostMessageW(m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageW(m_hWnd, WM_APP, 0, 0);
        return TRUE;
    }
};

TEST(DialogModalLoop, PreTranslateMessageComesBeforeTheDialogManager)
{
    FiltersKeys dialog;
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    const std::vector<std::string> expected{"WM_NCCREATE", "OnCreate", "Pre:Escape:swallowed", "Pre:Escape", "OnCancel"};
    EXPECT_EQ(expected, dialog.log);
}

// The owner is disabled while the dialog runs and enabled again afterwards.
class ChecksOwner : public EndsOnTimer {
public:
    HWND owner = nullptr;
    BOOL ownerEnabled = TRUE;

protected:
    BOOL OnInitDialog() override
    {
        ownerEnabled = ::IsWindowEnabled(owner);
        return EndsOnTimer::OnInitDialog();
    }
};

TEST(DialogModalLoop, DisablesTheParentWhileRunning)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"parent", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0));
    ChecksOwner dialog;
    dialog.owner = parent.m_hWnd;
    MemoryTemplate kept(kPopup);
    dialog.InitModalIndirect(kept.Get(), &parent);
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_FALSE(dialog.ownerEnabled);
    EXPECT_TRUE(::IsWindowEnabled(parent.m_hWnd));
}

// A button created in OnCreate; its clicks reach OnCommand by id; a command sent from another
// thread ends the dialog although the loop waits in GetMessage.
class WithButton : public RecordingDialog {
public:
    CButton button;
    CProgressCtrl progress;
    std::vector<UINT> commands;

protected:
    int OnCreate(LPCREATESTRUCTW cs) override
    {
        if (RecordingDialog::OnCreate(cs) == -1)
            return -1;
        button.Create(L"按钮", WS_VISIBLE | BS_AUTOCHECKBOX, RECT{10, 10, 100, 30}, this, 2021);
        progress.Create(WS_VISIBLE | PBS_SMOOTH, RECT{10, 40, 100, 50}, this, 2017);
        return 0;
    }
    BOOL OnInitDialog() override
    {
        button.SendMessage(BM_CLICK);
        // Sent while the dialog is still initialising: it arrives once the modal loop runs.
        std::thread([hwnd = m_hWnd] {
            ::SendMessageW(hwnd, WM_COMMAND, IDOK, 0);
        }).detach();
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CDialog::OnCommand(wParam, lParam);
    }
};

TEST(DialogMessages, ButtonClicksAndCommandsFromAnotherThread)
{
    WithButton dialog;
    EXPECT_EQ(IDOK, dialog.DoModal());
    ASSERT_EQ(2u, dialog.commands.size());
    EXPECT_EQ(2021u, dialog.commands[0]);
    EXPECT_EQ(static_cast<UINT>(IDOK), dialog.commands[1]);
    // The children went with the dialog, and their objects know it.
    EXPECT_EQ(nullptr, dialog.button.GetSafeHwnd());
    EXPECT_EQ(nullptr, dialog.progress.GetSafeHwnd());
}

class InspectsControls : public WithButton {
public:
    int checkAfterClick = -1;
    int progressPos = -1;
    CString buttonText;
    bool dlgItemIsMember = false;
    bool richEditCreated = false;
    CString richText;
    CRichEditCtrl notes;

protected:
    BOOL OnInitDialog() override
    {
        button.SendMessage(BM_CLICK);
        checkAfterClick = button.GetCheck();
        progress.SetRange(0, 100);
        progress.SetPos(37);
        progressPos = progress.GetPos();
        buttonText = button.GetWindowText();
        dlgItemIsMember = GetDlgItem(2021) == &button;
        richEditCreated = notes.Create(WS_VISIBLE | ES_MULTILINE | ES_READONLY, RECT{0, 60, 100, 90}, this, 2005);
        notes.SetWindowText(L"更新日志");
        notes.GetWindowText(richText);
        EndDialog(IDOK);
        return TRUE;
    }
};

TEST(DialogMessages, ControlWrappersReachTheirControls)
{
    InspectsControls dialog;
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(BST_CHECKED, dialog.checkAfterClick);
    EXPECT_EQ(37, dialog.progressPos);
    EXPECT_STREQ(L"按钮", dialog.buttonText);
    EXPECT_TRUE(dialog.dlgItemIsMember);
    EXPECT_TRUE(dialog.richEditCreated);
    EXPECT_STREQ(L"更新日志", dialog.richText);
}

// The virtual handlers receive their messages with decoded arguments; a close request ends the
// dialog through the dialog manager's cancel command.
class HandlerDialog : public RecordingDialog {
public:
    SIZE lastSize{};
    UINT ctlColorKind = 0xFFFF;
    HWND ctlColorChild = nullptr;
    bool closed = false;
    CStatic label;
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH answeredBrush = nullptr;
    ~HandlerDialog() override { ::DeleteObject(brush); }

protected:
    BOOL OnInitDialog() override
    {
        label.Create(L"text", WS_VISIBLE, RECT{0, 0, 40, 20}, this, 2014);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
        HDC dc = ::GetDC(label.m_hWnd);
        answeredBrush = reinterpret_cast<HBRUSH>(SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(label.m_hWnd)));
        ::ReleaseDC(label.m_hWnd, dc);
        PostMessage(WM_CLOSE);
        return TRUE;
    }
    void OnSize(UINT type, int cx, int cy) override
    {
        lastSize = SIZE{cx, cy};
        CDialog::OnSize(type, cx, cy);
    }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override
    {
        if (control != label.m_hWnd)
            return CDialog::OnCtlColor(dc, control, kind);
        ctlColorKind = kind;
        ctlColorChild = control;
        return brush;
    }
    void OnClose() override
    {
        closed = true;
        CDialog::OnClose();
    }
};

TEST(DialogMessages, HandlersGetDecodedArgumentsAndCloseCancels)
{
    HandlerDialog dialog;
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_GT(dialog.lastSize.cx, 0);
    EXPECT_GT(dialog.lastSize.cy, 0);
    EXPECT_LT(dialog.lastSize.cx, 300);  // the client area, inside the frame
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), dialog.ctlColorKind);
    EXPECT_NE(nullptr, dialog.ctlColorChild);
    EXPECT_EQ(dialog.brush, dialog.answeredBrush);
    EXPECT_TRUE(dialog.closed);
    EXPECT_EQ(std::string("OnCancel"), dialog.log.back());
}

class RefusesCreation : public CWnd {
protected:
    int OnCreate(LPCREATESTRUCTW) override { return -1; }
};

TEST(WindowCreation, OnCreateFailureFailsCreateAndDetaches)
{
    RefusesCreation wnd;
    EXPECT_FALSE(wnd.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    EXPECT_EQ(nullptr, wnd.GetSafeHwnd());
}

// Records the window it has when its WM_CREATE arrives.
class RecordsCreate : public CWnd {
public:
    HWND atCreate = nullptr;

protected:
    int OnCreate(LPCREATESTRUCTW cs) override
    {
        atCreate = m_hWnd;
        return CWnd::OnCreate(cs);
    }
};

class CreatesChildInOnCreate : public RecordsCreate {
public:
    RecordsCreate child;

protected:
    int OnCreate(LPCREATESTRUCTW cs) override
    {
        RecordsCreate::OnCreate(cs);
        return child.CreateEx(0, L"STATIC", L"", WS_CHILD, RECT{0, 0, 5, 5}, m_hWnd, 7) ? 0 : -1;
    }
};

// A window created inside another's creation shares the thread's hook with it; both, and the next
// window created after them, have their objects before their own WM_CREATE.
TEST(WindowCreation, NestedCreationsAndTheNextOneHaveTheirObjectsAtWmCreate)
{
    CreatesChildInOnCreate outer;
    ASSERT_TRUE(outer.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    EXPECT_EQ(outer.m_hWnd, outer.atCreate);
    ASSERT_NE(nullptr, outer.child.m_hWnd);
    EXPECT_EQ(outer.child.m_hWnd, outer.child.atCreate);
    RecordsCreate next;
    ASSERT_TRUE(next.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    EXPECT_EQ(next.m_hWnd, next.atCreate);
}

TEST(WindowCreation, DestroyingTheObjectDestroysItsWindow)
{
    HWND hwnd = nullptr;
    {
        CStatic label;
        ASSERT_TRUE(label.CreateEx(0, L"STATIC", L"x", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
        hwnd = label.m_hWnd;
        EXPECT_EQ(&label, CWnd::FromHandlePermanent(hwnd));
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(WindowCreation, AWindowsObjectIsFoundFromAnyThreadUntilTheWindowOrTheObjectLetsGo)
{
    CStatic destroyed, detached;
    ASSERT_TRUE(destroyed.CreateEx(0, L"STATIC", L"x", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    ASSERT_TRUE(detached.CreateEx(0, L"STATIC", L"y", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    const HWND first = destroyed.m_hWnd;
    const HWND second = detached.m_hWnd;
    CWnd* seenFromWorker = nullptr;
    std::thread([&] { seenFromWorker = CWnd::FromHandlePermanent(first); }).join();
    EXPECT_EQ(&destroyed, seenFromWorker);

    ::DestroyWindow(first);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(first));
    EXPECT_EQ(second, detached.Detach());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(second));
    EXPECT_TRUE(::IsWindow(second));
    ::DestroyWindow(second);
}

TEST(WindowCreation, MissingTemplateFailsWithMinusOne)
{
    CDialog dialog(31999);
    EXPECT_EQ(-1, dialog.DoModal());
}

}  // namespace

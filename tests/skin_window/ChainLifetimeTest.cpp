// Lifetimes around the chain: a window destroyed or an object detached while the object's handler is
// still running, a chain emptied under someone else's subclass, and the tooltip's own subclass of the
// window taken off and put on again with the skin.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "WindowTestSupport.h"
#include "uiHandleMap.h"
#include "uiSubclassWnd.h"

namespace {

WNDPROC ProcOf(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

class ChainLifetime : public testing::Test {
protected:
    void SetUp() override { EventLog().clear(); }
    std::vector<std::string>& log = EventLog();
};

// On kProbe it destroys its window or detaches itself, then keeps using its own members.
class EndsItselfInHandler : public uiSubclassWnd {
public:
    enum Ending { DestroyWindowFirst, DetachFirst, DestroyAfterPassingOn };
    EndsItselfInHandler(Ending ending) : m_ending(ending) {}
    ~EndsItselfInHandler() override { EventLog().push_back("deleted"); }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg != kProbe)
            return uiSubclassWnd::WindowProc(msg, wParam, lParam);
        const HWND window = m_hwnd;
        LRESULT result = 7;
        if (m_ending == DestroyWindowFirst)
            DestroyWindow(window);
        else if (m_ending == DetachFirst)
            Detach();
        else
            result = uiSubclassWnd::WindowProc(msg, wParam, lParam);
        // Still this object's frame: its members must still be there.
        m_counter += 1;
        EventLog().push_back("handler done " + std::to_string(m_counter));
        return result;
    }

private:
    Ending m_ending;
    int m_counter = 41;
};

TEST_F(ChainLifetime, AWindowDestroyedInsideTheHandlerDeletesTheObjectAfterTheHandlerReturns)
{
    TestWindow window;
    auto* object = new EndsItselfInHandler(EndsItselfInHandler::DestroyWindowFirst);
    ASSERT_TRUE(object->Attach(window, TRUE));
    log.clear();

    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 7);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(log, (std::vector<std::string>{Entry("window", WM_NCDESTROY), "handler done 42", "deleted"}));
}

TEST_F(ChainLifetime, AnObjectThatDetachesItselfInItsHandlerIsDeletedAfterTheHandlerReturns)
{
    TestWindow window;
    const WNDPROC original = ProcOf(window);
    auto* object = new EndsItselfInHandler(EndsItselfInHandler::DetachFirst);
    object->Attach(window, TRUE);
    log.clear();

    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 7);
    EXPECT_EQ(log, (std::vector<std::string>{"handler done 42", "deleted"}));
    EXPECT_EQ(ProcOf(window), original);
}

// The window's own procedure destroys the window while the object passed the message on to it.
LRESULT CALLBACK DestroysOnProbe(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kProbe) {
        DestroyWindow(hwnd);
        return kOriginalAnswer;
    }
    return RecordingWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(ChainLifetime, AWindowDestroyedByItsOwnProcedureBelowTheObjectsDeletesThemAfterwards)
{
    TestWindow window;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DestroysOnProbe));
    auto* older = new RecordingObject("A");
    auto* head = new EndsItselfInHandler(EndsItselfInHandler::DestroyAfterPassingOn);
    older->Attach(window, TRUE);
    head->Attach(window, TRUE);
    log.clear();

    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("A", kProbe), Entry("window", WM_NCDESTROY), "A deleted",
                                             "handler done 42", "deleted"}));
}

// Logs after its own handling of a command returns, and when it is deleted.
class LogsAfterPassingOn : public uiSubclassWnd {
public:
    explicit LogsAfterPassingOn(std::string name) : m_name(std::move(name)) {}
    ~LogsAfterPassingOn() override { EventLog().push_back(m_name + " deleted"); }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result = uiSubclassWnd::WindowProc(msg, wParam, lParam);
        if (msg == WM_COMMAND)
            EventLog().push_back(m_name + " done");
        return result;
    }
    LRESULT OnReflectedCommand(UINT, UINT, HWND) override
    {
        DestroyWindow(GetParent(m_hwnd));
        EventLog().push_back(m_name + " handler done");
        return 0;
    }

private:
    std::string m_name;
};

TEST_F(ChainLifetime, AChildThatDestroysItsParentOnAReflectedCommandOutlivesItsHandler)
{
    TestWindow parent;
    TestWindow child(parent, 4);
    (new LogsAfterPassingOn("parent"))->Attach(parent, TRUE);
    (new LogsAfterPassingOn("child"))->Attach(child, TRUE);
    log.clear();

    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(4, BN_CLICKED), reinterpret_cast<LPARAM>(child.Get()));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_EQ(log, (std::vector<std::string>{Entry("window", WM_NCDESTROY), Entry("window", WM_NCDESTROY),
                                             "child handler done", "child deleted", "parent done",
                                             "parent deleted"}));
}

// A subclass of someone else's, put on the window after the chain.
WNDPROC foreignPrevious;
LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(foreignPrevious, hwnd, msg, wParam, lParam);
}

TEST_F(ChainLifetime, AWindowWhoseChainEmptiedUnderAForeignSubclassBehavesAsBefore)
{
    TestWindow window;
    const WNDPROC original = ProcOf(window);
    auto* first = new RecordingObject("A");
    first->Attach(window, TRUE);
    foreignPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProc)));
    first->Detach();
    log.clear();

    // Taking the shared procedure out would have cut the foreign subclass off.
    EXPECT_EQ(ProcOf(window), ForeignProc);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(SendMessageW(window, WM_APP + 77, 0, 0), 0);
    wchar_t text[16] = {};
    EXPECT_EQ(SendMessageW(window, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_STREQ(text, L"test");
    EXPECT_EQ(log, std::vector<std::string>{Entry("window", kProbe)});

    // Skinned again, the chain is reached through the foreign subclass.
    auto* second = new RecordingObject("B");
    ASSERT_TRUE(second->Attach(window, TRUE));
    log.clear();
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("B", kProbe), Entry("window", kProbe)}));

    // The foreign subclass goes; the last detach then restores the original procedure.
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(foreignPrevious));
    second->Detach();
    EXPECT_EQ(ProcOf(window), original);
}

TEST_F(ChainLifetime, AForeignSubclassThatPutsTheSharedProcedureBackLeavesAWorkingWindow)
{
    TestWindow window;
    auto* object = new RecordingObject("A");
    object->Attach(window, TRUE);
    foreignPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProc)));
    object->Detach();
    // The foreign subclass takes itself out the way subclasses do: by restoring what it found.
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(foreignPrevious));
    log.clear();

    EXPECT_EQ(ProcOf(window), uiSubclassWndProc);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(SendMessageW(window, WM_APP + 77, 0, 0), 0);
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 4);
    EXPECT_EQ(log, std::vector<std::string>{Entry("window", kProbe)});
}

// Creates a tooltip for its window while the style is applied, as a skin with tooltips does, and
// destroys it when the style is released.
class TooltipObject : public RecordingObject {
public:
    explicit TooltipObject(std::string name) : RecordingObject(std::move(name)) {}
    BOOL AttachWithTooltip(HWND hwnd)
    {
        m_hwnd = hwnd;
        return Attach(hwnd, TRUE);
    }
    void ReapplyStyle() override
    {
        m_tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, m_hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
        TOOLINFOW info = {};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = m_hwnd;
        info.uId = reinterpret_cast<UINT_PTR>(m_hwnd);
        info.lpszText = const_cast<wchar_t*>(L"tip");
        SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    void ReleaseStyle() override
    {
        DestroyWindow(m_tooltip);
        m_tooltip = nullptr;
    }
    HWND m_tooltip = nullptr;
};

TEST_F(ChainLifetime, ASkinWithATooltipLeavesTheWindowWorkingWhenDetachedAndSkinnedAgain)
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    TestWindow window;
    for (const char* name : {"T1", "T2", "T3"}) {
        auto* object = new TooltipObject(name);
        ASSERT_TRUE(object->AttachWithTooltip(window));
        ASSERT_NE(object->m_tooltip, nullptr);
        log.clear();
        EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
        EXPECT_EQ(log, (std::vector<std::string>{Entry(name, kProbe), Entry("window", kProbe)}));
        object->Detach();
        // The tooltip's subclass may outlive the tooltip above the shared procedure (it does under
        // Wine); either way the window must answer as it did before it was skinned.
        EXPECT_EQ(uiGetHandleMap()->Find(window), nullptr);
        log.clear();
        EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
        EXPECT_EQ(log, std::vector<std::string>{Entry("window", kProbe)});
        wchar_t text[16] = {};
        EXPECT_EQ(SendMessageW(window, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text)), 4);
    }
}

TEST_F(ChainLifetime, ReplacingATooltipSkinAboveAnOlderObjectKeepsTheChainReachable)
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    TestWindow window;
    auto* older = new RecordingObject("P");
    older->Attach(window, TRUE);
    auto* first = new TooltipObject("T1");
    first->AttachWithTooltip(window);
    first->Detach();
    auto* second = new TooltipObject("T2");
    second->AttachWithTooltip(window);
    log.clear();

    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("T2", kProbe), Entry("P", kProbe), Entry("window", kProbe)}));
}

}  // namespace

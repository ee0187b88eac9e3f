// The application object's run as wWinMain drives it, and dialogs from the program's own
// templates, including one that names a registered copy of the system dialog class.
#include <gtest/gtest.h>

#include "CDialog.h"
#include "CWinApp.h"

#include <string>

namespace {

class TestApp : public CWinApp {
public:
    BOOL initResult = FALSE;
    bool ranLoop = false;
    std::wstring commandLine;

    BOOL InitInstance() override
    {
        commandLine = m_lpCmdLine;
        if (initResult)
            ::PostQuitMessage(5);
        return initResult;
    }
    int Run() override
    {
        ranLoop = true;
        return CWinApp::Run();
    }
    int ExitInstance() override { return CWinApp::ExitInstance() + 100; }
};

TEST(Application, RefusedStartSkipsTheLoopAndEndsWithExitInstance)
{
    TestApp app;
    EXPECT_EQ(&app, AfxGetApp());
    EXPECT_EQ(100, AfxWinMain(::GetModuleHandleW(nullptr), const_cast<LPWSTR>(L"-client"), SW_SHOW));
    EXPECT_FALSE(app.ranLoop);
    EXPECT_EQ(L"-client", app.commandLine);
    EXPECT_EQ(::GetModuleHandleW(nullptr), app.m_hInstance);
}

TEST(Application, LoopEndsWithTheQuitCode)
{
    TestApp app;
    app.initResult = TRUE;
    EXPECT_EQ(105, AfxWinMain(::GetModuleHandleW(nullptr), nullptr, SW_SHOW));
    EXPECT_TRUE(app.ranLoop);
    EXPECT_EQ(L"", app.commandLine);
}

class TemplateDialog : public CDialog {
public:
    TemplateDialog() : CDialog(300) {}
    std::wstring className;
    CString caption;
    bool created = false;

protected:
    int OnCreate(LPCREATESTRUCTW cs) override
    {
        created = true;
        return CDialog::OnCreate(cs);
    }
    BOOL OnInitDialog() override
    {
        wchar_t name[64] = {};
        ::GetClassNameW(m_hWnd, name, 64);
        className = name;
        GetWindowText(caption);
        EndDialog(9);
        return TRUE;
    }
};

TEST(ResourceDialog, RunsFromTheProgramsTemplateInARegisteredDialogClass)
{
    WNDCLASSW dialogClass{};
    ASSERT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), L"#32770", &dialogClass));
    dialogClass.lpszClassName = L"FrameworkTestDialog";
    dialogClass.hInstance = ::GetModuleHandleW(nullptr);
    ASSERT_TRUE(AfxRegisterClass(&dialogClass));
    EXPECT_TRUE(AfxRegisterClass(&dialogClass));  // a second registration counts as done

    TemplateDialog dialog;
    EXPECT_EQ(9, dialog.DoModal());
    EXPECT_TRUE(dialog.created);
    EXPECT_EQ(L"FrameworkTestDialog", dialog.className);
    EXPECT_STREQ(L"Template", dialog.caption);
}

}  // namespace

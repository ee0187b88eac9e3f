// The first window of a normal install (template 103): install button, licence agreement check box
// and link, and an options part with the install folder and a browse button.
#pragma once

#include "Controls.h"
#include "GuardedDialog.h"
#include "ViewInterfaces.h"

class InstallView : public GuardedDialog, public IInstallView {
public:
    enum { IDD = 103 };
    enum ControlId {
        kInstall = 2021, kAgreement = 2022, kOptions = 2023, kBrowse = 2024, kAgreementLink = 2025,
        kFolderLabel = 2026, kFolder = 2027, kTitle = 2030
    };

    explicit InstallView(CWnd* parent = nullptr);

    void SetMode(int mode) { m_mode = mode; }
    // Owned by this view, or by the main view while this one is not open (the upgrade road).
    int ShowMessage(const CString& text, const CString& caption, UINT type) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    void InitLayout();
    void OnInstall();
    void OnBrowse();

    int m_optionsOpen = 0;
    int m_mode = 2;
    CButton m_install;
    CButton m_agreement;
    CButton m_options;
    CButton m_browse;
    CStatic m_agreementLink;
    CStatic m_folderLabel;
    CStatic m_title;
    CRichEditCtrl m_folder;
};

// The folder dialog's callback: selects the initial path (data) once the dialog is up.
int CALLBACK BrowseFolderCallback(HWND window, UINT message, LPARAM parameter, LPARAM data);

// The install folder for a folder chosen in the folder dialog: "Tavrin" below it.
CString InstallFolderBelow(const CString& chosenPath);

// The installer's main window (template 102). In modes 1 and 2 it runs the install, progress and
// finish views from its initialisation and ends unseen; in mode 0 (started by the product with
// "-client") it is the upgrade window: installed and newest version, change log, upgrade button.
#pragma once

#include "Controls.h"
#include "GuardedDialog.h"
#include "ViewInterfaces.h"

class MainView : public GuardedDialog, public IMainView {
public:
    enum { IDD = 102 };
    enum ControlId { kUpgrade = 2001, kCancel = 2002, kInstalledVersion = 2003, kNewestVersion = 2004, kNotes = 2005 };

    explicit MainView(CWnd* parent = nullptr);

    void SetNotes(const CString& notes) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    HCURSOR OnQueryDragIcon() override;

private:
    int CenterAndCheckVersion();
    void SetupNotesBox();
    void RunInstallRoad();
    void OnUpgrade();

    HICON m_icon;
    CButton m_upgrade;
    CButton m_cancel;
    CStatic m_installedVersion;
    CStatic m_newestVersion;
    CRichEditCtrl m_notes;
    int m_mode = 2;
};

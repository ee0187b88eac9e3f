// The last window of an install or upgrade (template 106, borderless): a title and the finish
// button, which opens the home page, starts the installed product and sends the install report.
#pragma once

#include "CDialog.h"
#include "Controls.h"
#include "ViewInterfaces.h"

class FinishView : public CDialog, public IFinishView {
public:
    enum { IDD = 106 };
    enum ControlId { kFinish = 2028, kTitle = 2032 };

    explicit FinishView(CWnd* parent = nullptr);

    void SetMode(int mode) { m_mode = mode; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    void OnFinish();

    CButton m_finish;
    int m_mode = 2;
    CStatic m_title;
};

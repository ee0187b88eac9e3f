// The progress window (template 105, borderless): title, status line, sizes, progress bar, minimise
// button and cancel link, with a four-step animation of the skin's display items. The install
// worker hands it each progress record; the window work is posted to the user-interface thread.
#pragma once

#include <atomic>
#include <mutex>

#include "Controls.h"
#include "GuardedDialog.h"
#include "ViewInterfaces.h"

class ProgressView : public GuardedDialog, public IProgressView {
public:
    enum { IDD = 105 };
    enum ControlId { kMinimize = 2012, kStatus = 2014, kSizes = 2015, kCancelLink = 2016, kBar = 2017, kTitle = 2031 };

    explicit ProgressView(CWnd* parent = nullptr);
    ~ProgressView() override;

    void SetMode(int mode) { m_mode = mode; }
    // Called on the worker thread.
    void OnProgress(const DownloadTaskInfo& info) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Every way of closing the window (close box, system menu, taskbar) asks the cancel question.
    void OnCancel() override;
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnTimer(UINT_PTR timerId) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Messages the worker posts; the user-interface thread does the window work.
    enum PostedMessage { kShowProgress = WM_APP + 1, kShowInstalling, kShowRetry };

    void InitLayoutAndStartWorker();
    void AnimateStep();
    void AskCancel();
    void Post(UINT message, WPARAM wParam = 0);

    CButton m_minimize;
    CStatic m_status;
    CStatic m_sizes;
    CStatic m_cancelLink;
    CStatic m_title;
    CProgressCtrl m_bar;
    std::atomic<int> m_cancelConfirmed{0};
    int m_mode = 0;
    std::atomic<HWND> m_window{nullptr};
    std::mutex m_progressLock;  // guards the two values below, written by the worker
    CString m_sizeText;
    int m_percent = 0;
};

// The installer's application object: keeps the installer to one instance, sets up the service
// addresses, the skin and the statistics, runs the whole install inside the main view's modal
// loop, and tears everything down before the message loop would start.
#pragma once

#include "CString.h"
#include "CWinApp.h"

namespace ns_kw_stat {
class IKwStat;
}

class CInstallerApp : public CWinApp {
public:
    CInstallerApp() = default;

    // Always false: the install runs inside InitInstance, no message loop follows.
    BOOL InitInstance() override;
    int ExitInstance() override;
    // Single instance, installed version and service addresses; false for a second instance.
    bool PrepareInstance();

private:
    void StartStatistics();
    // Runs the views with the controller; false when the worker did not end in time, so that the
    // objects it may still use are left to the end of the process.
    bool RunInstall();

    HANDLE m_mutex = nullptr;
    ns_kw_stat::IKwStat* m_stat = nullptr;
    bool m_workerAbandoned = false;
};

// The "fileversion" string of the file's first version translation, "," turned into "." and
// blanks removed; empty without a version resource or translation.
CString GetAppVersionText(const CString& filePath);
// Full path of the running program.
CString GetModuleFilePath();

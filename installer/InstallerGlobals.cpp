// Storage of the installer's process-wide values (see InstallerGlobals.h).
#include "InstallerGlobals.h"

CString g_commandLine;
CString g_installedVersion;
CString g_changeLogUrl;
CString g_versionInfoUrl;
CString g_agreementUrl;
CString g_displayName;
CString g_newestVersion;
CString g_installFolder;

int MODE = 2;
std::atomic<int> g_taskIndex{0};

MainView* g_mainView = nullptr;
InstallView* g_installView = nullptr;
ProgressView* g_progressView = nullptr;
FinishView* g_finishView = nullptr;

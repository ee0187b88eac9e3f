// Process-wide values of the installer: set at start-up and by the version query, read by the
// controller, the views and the downloaders.
#pragma once

#include <atomic>

#include "CString.h"

class MainView;
class InstallView;
class ProgressView;
class FinishView;

// The command line as the application received it ("-client" selects the upgrade mode).
extern CString g_commandLine;
// Product version of the installed program, empty when the product is not installed.
extern CString g_installedVersion;
// The version service's three addresses, built once at start-up.
extern CString g_changeLogUrl;
extern CString g_versionInfoUrl;
extern CString g_agreementUrl;
// Name shown in the windows' titles; a successful version answer appends the newest major.minor.
extern CString g_displayName;
// Newest version from the version answer, empty until one was parsed.
extern CString g_newestVersion;
// Folder the setup installs into, chosen by the install view or the upgrade button.
extern CString g_installFolder;

// Install mode: 0 upgrade started by the product, 1 product installed, 2 fresh install.
extern int MODE;
// Index of the current download attempt; the worker thread advances it after a failed check
// while the user-interface thread reads it, hence atomic.
extern std::atomic<int> g_taskIndex;

extern MainView* g_mainView;
extern InstallView* g_installView;
extern ProgressView* g_progressView;
extern FinishView* g_finishView;

// The install controller: links the four views to the download machinery and holds what the
// version service answered.
#pragma once

#include "CString.h"
#include "DownloaderHolder.h"
#include "ViewInterfaces.h"

class InstallController {
public:
    // Keeps the five pointers (not owned) and links each view back to this controller.
    InstallController(DownloaderHolder* holder, IMainView* mainView, IInstallView* installView,
                      IProgressView* progressView, IFinishView* finishView);
    virtual ~InstallController();
    InstallController(const InstallController&) = delete;
    InstallController& operator=(const InstallController&) = delete;

    // Asks the version service and chooses the install mode (MODE). Returns 0 when a version to
    // install was received, 1 when the installed version is the newest, 2 when no answer came.
    // With the command line "-client" it also hands the change log to the main view.
    int CheckVersion();

    DownloaderHolder* holder;
    IMainView* mainView;
    IInstallView* installView;
    IProgressView* progressView;
    IFinishView* finishView;
    // 0 own HTTP downloader, 1 outside download engine; from the version answer.
    int engineKind = 0;
    CString setupFileName;
    CString downloadUrl;
    CString expectedMd5;
    // Temporary folder plus the setup file name; set by each download start.
    CString localSetupPath;
    CString installFolder;
};

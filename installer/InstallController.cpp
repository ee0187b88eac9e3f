// The install controller: version query and mode choice.
#include "InstallController.h"

#include "InstallerGlobals.h"
#include "InstallerUtils.h"
#include "VersionService.h"

InstallController::InstallController(DownloaderHolder* holder, IMainView* mainView, IInstallView* installView,
                                     IProgressView* progressView, IFinishView* finishView)
    : holder(holder), mainView(mainView), installView(installView), progressView(progressView),
      finishView(finishView)
{
    if (mainView)
        mainView->controller = this;
    if (installView)
        installView->controller = this;
    if (progressView)
        progressView->controller = this;
    if (finishView)
        finishView->controller = this;
}

InstallController::~InstallController() = default;

int InstallController::CheckVersion()
{
    if (g_commandLine == L"-client") {
        CString notes = ChangeLogNotes(DecodeUtf8Text(HttpGetText(g_changeLogUrl)));
        if (mainView)
            mainView->SetNotes(notes);
        MODE = 0;
    } else if (IsProductRegistered() == 1) {
        MODE = 1;
    }

    const CString answer = DecodeUtf8Text(HttpGetText(g_versionInfoUrl));
    if (answer.IsEmpty())
        return 2;
    if (answer == L"0")
        return 1;

    const VersionAnswer parsed = ParseVersionAnswer(answer);
    engineKind = parsed.engineKind;
    g_newestVersion = parsed.newestVersion;
    setupFileName = parsed.setupFileName;
    downloadUrl = parsed.downloadUrl;
    expectedMd5 = parsed.expectedMd5;
    if (holder)
        holder->engineKind = engineKind;
    g_displayName += MajorMinorOf(g_newestVersion);
    return 0;
}

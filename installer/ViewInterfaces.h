// What the install controller needs from each of the four views. Each view derives from its
// dialog class and from one of these; the controller's constructor sets the back pointers.
#pragma once

#include <windows.h>

#include "CString.h"

class InstallController;
struct DownloadTaskInfo;

class IMainView {
public:
    virtual ~IMainView() = default;
    // Puts the change log into the main view's notes box.
    virtual void SetNotes(const CString& notes) = 0;

    InstallController* controller = nullptr;
};

class IInstallView {
public:
    virtual ~IInstallView() = default;
    // A message box owned by the install view; returns the box's result.
    virtual int ShowMessage(const CString& text, const CString& caption, UINT type) = 0;

    InstallController* controller = nullptr;
};

class IProgressView {
public:
    virtual ~IProgressView() = default;
    // Called by the install worker with each progress record, on the worker's thread.
    virtual void OnProgress(const DownloadTaskInfo& info) = 0;

    InstallController* controller = nullptr;
};

class IFinishView {
public:
    virtual ~IFinishView() = default;

    InstallController* controller = nullptr;
};

// The abstract downloader behind which the install controller drives either the own HTTP
// downloader or the outside download engine. A task is named by the caller's task index; every
// operation returns nonzero on success. The slot order is fixed.
#pragma once

#include "CString.h"
#include "DownloadTaskInfo.h"

class BaseDownloader {
public:
    virtual ~BaseDownloader() = default;
    // Creates a download task and begins its transfer.
    virtual int CreateTask(const CString& url, const CString& localPath, const CString& referrer,
                           const CString& cookies, int taskIndex) = 0;
    virtual int StartAllTasks() = 0;
    virtual int StartTask(int taskIndex) = 0;
    virtual int PauseTask(int taskIndex) = 0;
    virtual int StopAllTasks() = 0;
    virtual int DeleteTask(int taskIndex) = 0;
    virtual int DeleteAllTasks() = 0;
    virtual int QueryTaskInfo(int taskIndex, DownloadTaskInfo& info) = 0;
    virtual int SetSpeedLimit(int limit) = 0;
    virtual int SetUploadSpeedLimit(int first, int second) = 0;
};

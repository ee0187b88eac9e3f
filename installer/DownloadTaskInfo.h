// The progress record of one download task, filled by a downloader's QueryTaskInfo and read by the
// install controller and the progress view.
#pragma once

#include "CString.h"

struct DownloadTaskInfo {
    CString status;          // "完成" once the package lies at its final name
    CString fileName;        // name of the file being written (outside engine only)
    CString auxName;         // the engine's second name (outside engine only)
    CString totalSize;       // size text of the whole file
    CString downloadedSize;  // size text of what is present so far
    int percent = 0;         // 0-100
    CString speed;           // "<size>/S" (outside engine only)
};

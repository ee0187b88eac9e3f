// The outside download engine's interface as the installer uses it: the exported functions (one
// calling convention, undecorated names) and the two records exchanged by address. The engine and
// its adapter share this one declaration.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#define XL_CALL __cdecl
#ifdef XLDL_BUILDING_ENGINE
#define XL_EXPORT extern "C" __declspec(dllexport)
#else
#define XL_EXPORT extern "C"
#endif

#pragma pack(push, 1)

// What a new task downloads, filled by the adapter (26564 bytes, zero where nothing is said).
struct XlTaskRecord {
    int32_t zeroAt0;
    wchar_t url[2084];
    wchar_t referrer[2084];
    wchar_t cookies[4096];
    wchar_t fileName[260];
    wchar_t unusedName[260];
    wchar_t saveFolder[260];
    uint8_t zeroBlockA[4];
    int32_t zeroAt18096;
    uint8_t zeroBlockB[256];
    int32_t zeroAt18356;
    int32_t fiveAt18360;    // always 5
    int32_t zeroAt18364;
    int32_t oneAt18368;     // always 1
    uint8_t zeroTail[8192];
};

// A task's state as the engine reports it (1429 bytes). The caller clears it and sets `status` to
// kXlInfoVersion before asking.
struct XlTaskInfo {
    int32_t status;
    int32_t reserved;
    wchar_t name[260];
    wchar_t auxName[260];
    int64_t totalSize;
    int64_t downloadedSize;
    float progress;         // 1.0 = complete
    uint8_t reservedA[84];
    int32_t speed;          // bytes per second
    uint8_t reservedB[273];
};

#pragma pack(pop)

static_assert(sizeof(XlTaskRecord) == 26564, "task record size");
static_assert(offsetof(XlTaskRecord, url) == 4 && offsetof(XlTaskRecord, referrer) == 4172 &&
              offsetof(XlTaskRecord, cookies) == 8340 && offsetof(XlTaskRecord, fileName) == 16532 &&
              offsetof(XlTaskRecord, saveFolder) == 17572 && offsetof(XlTaskRecord, zeroAt18096) == 18096 &&
              offsetof(XlTaskRecord, fiveAt18360) == 18360 && offsetof(XlTaskRecord, oneAt18368) == 18368 &&
              offsetof(XlTaskRecord, zeroTail) == 18372, "task record layout");
static_assert(sizeof(XlTaskInfo) == 1429, "task information size");
static_assert(offsetof(XlTaskInfo, name) == 8 && offsetof(XlTaskInfo, auxName) == 528 &&
              offsetof(XlTaskInfo, totalSize) == 1048 && offsetof(XlTaskInfo, downloadedSize) == 1056 &&
              offsetof(XlTaskInfo, progress) == 1064 && offsetof(XlTaskInfo, speed) == 1152,
              "task information layout");

const int32_t kXlInfoVersion = 2;

enum XlTaskStatus : int32_t {
    kXlFailed = 1,
    kXlPaused = 2,
    kXlDownloading = 3,
    kXlComplete = 4,
    kXlStarting = 5,
    kXlStopping = 6,
};

// A task handle; 0 names no task.
typedef HANDLE XlTask;

XL_EXPORT BOOL XL_CALL XL_Init();
XL_EXPORT BOOL XL_CALL XL_UnInit();
XL_EXPORT XlTask XL_CALL XL_CreateTask(XlTaskRecord* record);
XL_EXPORT BOOL XL_CALL XL_DeleteTask(XlTask task);
XL_EXPORT BOOL XL_CALL XL_StartTask(XlTask task);
XL_EXPORT BOOL XL_CALL XL_StopTask(XlTask task);
XL_EXPORT BOOL XL_CALL XL_QueryTaskInfoEx(XlTask task, XlTaskInfo* info);
XL_EXPORT void XL_CALL XL_SetSpeedLimit(int32_t kilobytesPerSecond);
XL_EXPORT void XL_CALL XL_SetUploadSpeedLimit(int32_t first, int32_t second);

// Public interface of the usage-statistics module: the settings record, the event types, the abstract
// statistics interface and its factory. The interface and the factory are exported from the executable
// that links this module, so that other programs can create and drive a statistics object through it.
#pragma once

#include <string>

#ifdef _WIN32
#define KWSTAT_EXPORT __declspec(dllexport)
#else
#define KWSTAT_EXPORT
#endif

// Settings of a statistics object; the host fills it through GetConfig or SetConfig before reporting.
struct StatConfig {
    std::wstring server;   // base URL of the statistics server, no trailing slash
    std::wstring key;      // AES key text (its narrowed bytes are the key)
    std::wstring iv;       // initialisation-vector text (its first 16 narrowed bytes)
    std::wstring appId;    // first part of every report's query value
    std::wstring channel = L"0000";
    std::wstring version;  // version text of the reporting program
};

namespace ns_kw_stat {

// A custom event: the category becomes the item's "lable", the detail its "name".
struct tagSTAT_CUSTOM_EVENT {
    std::wstring category;
    std::wstring detail;
};

enum ENUM_PHONE_CONNECT_STATE {
    STATE_USB_CONNECTED = 0,
    STATE_USB_CONNECTING = 1,
    STATE_USB_CONNECTING_NO_DEVICE_CHECK = 2,
    STATE_WIFI_CONNECTED = 3,
    STATE_WIFI_CONNECTING = 4,
};

// The slot order of this table is part of the exported interface: append, never reorder.
// Each report without the _Sync suffix runs its _Sync twin on a detached thread and returns at once.
class KWSTAT_EXPORT IKwStat {
public:
    IKwStat();
    IKwStat(const IKwStat& other);
    IKwStat& operator=(const IKwStat& other);
    virtual ~IKwStat();

    virtual bool Init() = 0;
    virtual bool CollectAppLunchyInfo() = 0;
    virtual bool CollectAppLunchyInfo_Sync() = 0;
    virtual bool CollectAppExitInfo() = 0;
    virtual bool CollectAppExitInfo_Sync() = 0;
    virtual bool CollectAppExceptionInfo(std::wstring message) = 0;
    virtual bool CollectAppExceptionInfo_Sync(std::wstring message) = 0;
    virtual bool CollectPhoneConnectState(ENUM_PHONE_CONNECT_STATE state) = 0;
    virtual bool CollectPhoneConnectState_Sync(ENUM_PHONE_CONNECT_STATE state) = 0;
    virtual bool CollectInstall() = 0;
    virtual bool CollectInstall_Sync() = 0;
    virtual bool CollectUnInstall() = 0;
    virtual bool CollectUnInstall_Sync() = 0;
    virtual bool CollectUpdate() = 0;
    virtual bool CollectUpdate_Sync() = 0;
    virtual bool CollectUnInstallFeedback(std::wstring reason, std::wstring detail) = 0;
    virtual bool CollectUnInstallFeedbackReason(int nReason) = 0;
    virtual bool CollectUnInstallFeedback_Sync(std::wstring reason, std::wstring detail) = 0;
    virtual bool CollectUnInstallFeedbackReason_Sync(int nReason) = 0;
    virtual bool CollectDownloadSoft(std::wstring name) = 0;
    virtual bool CollectDownloadSoft_Sync(std::wstring name) = 0;
    virtual bool CollectDownloadMusic(std::wstring name) = 0;
    virtual bool CollectDownloadMusic_Sync(std::wstring name) = 0;
    virtual bool CollectDownloadWP(std::wstring name) = 0;
    virtual bool CollectDownloadWP_Sync(std::wstring name) = 0;
    virtual bool SendEvent(const tagSTAT_CUSTOM_EVENT& event) = 0;
    virtual bool SendEvent_Sync(const tagSTAT_CUSTOM_EVENT& event) = 0;
    virtual void SetConfig(StatConfig config) = 0;
    virtual StatConfig* GetConfig() = 0;
};

}  // namespace ns_kw_stat

// Creates and destroys statistics objects, so that a host never news or deletes across modules.
class KWSTAT_EXPORT CStatFactory {
public:
    CStatFactory();
    ~CStatFactory();
    CStatFactory& operator=(const CStatFactory& other);

    // A new, uninitialised statistics object; null when it cannot be created.
    static ns_kw_stat::IKwStat* MakeKwStat();
    // Destroys an object made by MakeKwStat; null is ignored.
    static void Clear(ns_kw_stat::IKwStat* stat);
};

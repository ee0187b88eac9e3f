// The serial number of the first physical disk, read from its ATA IDENTIFY data; the install report
// names the machine by it. Two roads on NT-family systems: the disk driver's SMART request, then the
// SCSI miniport's identify request. Other platforms yield the empty text.
#pragma once

#include <windows.h>
#include <winioctl.h>

#include <functional>
#include <string>

class CGetHDSerial {
public:
    static constexpr int kIdentifyWords = 256;

    CGetHDSerial() = default;
    virtual ~CGetHDSerial() = default;

    // The serial number as narrow text in a process-wide buffer, valid until the next call; empty
    // when no road yields data. Called from one thread at a time.
    const char* GetHDSerialText();

    // Each fills the array with the IDENTIFY words (one word per value, zero-extended) and returns 1,
    // or leaves it as it was and returns 0.
    int ReadSmartIdentify(DWORD identify[kIdentifyWords]);
    int ReadScsiIdentify(DWORD identify[kIdentifyWords]);

    // Words 10 to 19 of the IDENTIFY data, first character in each word's high byte, without the
    // blanks that pad it at the end (the first character always stays).
    static std::string SerialFromIdentifyDwords(const DWORD identify[kIdentifyWords]);

protected:
    // The device calls, behind one seam so that the request layout can be checked without a disk.
    virtual HANDLE OpenDevice(const char* path);
    virtual BOOL ControlDevice(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                               DWORD* returned);
    virtual void CloseDevice(HANDLE device);

private:
    // The lengths the driver is told; the buffers below are at least that large.
    static constexpr DWORD kSmartInLength = 35;
    static constexpr DWORD kSmartOutLength = 531;
    union SmartRequest {
        SENDCMDINPARAMS params;
        BYTE bytes[kSmartInLength];
    };
    union SmartAnswer {
        SENDCMDOUTPARAMS params;
        BYTE bytes[kSmartOutLength];
    };

    // Opens the device named by the format filled with 0, runs the query on it and closes it; 0 when
    // the device cannot be opened.
    int QueryDevice(const char* pathFormat, const std::function<int(HANDLE)>& query);
    int ReadSmartIdentifyFrom(HANDLE device, DWORD identify[kIdentifyWords]);
    int ReadScsiIdentifyFrom(HANDLE device, DWORD identify[kIdentifyWords]);
    BOOL SendSmartIdentify(SmartRequest& request, BYTE drive, HANDLE device, SmartAnswer& answer, BYTE command,
                           DWORD* returned);
};

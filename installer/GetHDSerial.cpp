// Disk serial number from ATA IDENTIFY data (SMART request first, SCSI miniport request second).
#include "GetHDSerial.h"

#include <ntddscsi.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr BYTE kIdentifyDevice = 0xEC;
constexpr BYTE kIdentifyPacketDevice = 0xA1;
constexpr BYTE kAtapiDeviceMapBit = 0x10;
constexpr DWORD kIdentifyBytes = 512;
constexpr int kSerialFirstWord = 10;
constexpr int kSerialWords = 10;
// First character of the model number (word 27); a miniport answer without it holds no drive data.
constexpr DWORD kModelFirstByte = 54;

// The SENDCMDOUTPARAMS header in front of the identify data.
constexpr DWORD kSmartAnswerHeader = 16;

// Miniport identify request: SRB_IO_CONTROL, then the SMART input parameters; the same buffer
// carries the answer, whose identify data begins behind both headers.
constexpr DWORD kScsiBufferSize = 560;
constexpr DWORD kScsiInLength = 63;
constexpr DWORD kScsiControlIdentify = 0x1B0501;
constexpr DWORD kScsiRequestLength = 532;
constexpr DWORD kScsiTimeoutSeconds = 10000;
constexpr DWORD kScsiIdentifyOffset = sizeof(SRB_IO_CONTROL) + kSmartAnswerHeader;
static_assert(sizeof(SRB_IO_CONTROL) == 28, "miniport header layout");
static_assert(kScsiIdentifyOffset + kIdentifyBytes <= kScsiBufferSize, "identify data fits the buffer");

char g_serialText[256];

void CopyIdentifyWords(const BYTE* source, DWORD identify[CGetHDSerial::kIdentifyWords])
{
    WORD words[CGetHDSerial::kIdentifyWords];
    std::memcpy(words, source, sizeof(words));
    for (int i = 0; i < CGetHDSerial::kIdentifyWords; ++i) {
        identify[i] = words[i];
    }
}

}  // namespace

const char* CGetHDSerial::GetHDSerialText()
{
    g_serialText[0] = '\0';
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        DWORD identify[kIdentifyWords] = {};
        if (!ReadSmartIdentify(identify)) {
            ReadScsiIdentify(identify);
        }
        const std::string serial = SerialFromIdentifyDwords(identify);
        std::snprintf(g_serialText, sizeof(g_serialText), "%s", serial.c_str());
    }
    return g_serialText;
}

int CGetHDSerial::QueryDevice(const char* pathFormat, const std::function<int(HANDLE)>& query)
{
    char path[32];
    std::snprintf(path, sizeof(path), pathFormat, 0);
    HANDLE device = OpenDevice(path);
    if (device == INVALID_HANDLE_VALUE) {
        return 0;
    }
    const int result = query(device);
    CloseDevice(device);
    return result;
}

int CGetHDSerial::ReadSmartIdentify(DWORD identify[kIdentifyWords])
{
    return QueryDevice("\\\\.\\PhysicalDrive%d",
                       [&](HANDLE device) { return ReadSmartIdentifyFrom(device, identify); });
}

int CGetHDSerial::ReadSmartIdentifyFrom(HANDLE device, DWORD identify[kIdentifyWords])
{
    GETVERSIONINPARAMS version = {};
    DWORD returned = 0;
    if (ControlDevice(device, SMART_GET_VERSION, nullptr, 0, &version, sizeof(version), &returned)) {
        const BYTE command = (version.bIDEDeviceMap & kAtapiDeviceMapBit) ? kIdentifyPacketDevice : kIdentifyDevice;
        SmartRequest request;
        SmartAnswer answer = {};
        returned = 0;
        // A driver may accept the request and still report an error or hand back less than a sector;
        // only a full answer counts, so that the miniport road gets its turn otherwise.
        if (SendSmartIdentify(request, 0, device, answer, command, &returned) &&
            answer.params.DriverStatus.bDriverError == 0 && returned >= kSmartAnswerHeader + kIdentifyBytes) {
            CopyIdentifyWords(answer.bytes + kSmartAnswerHeader, identify);
            return 1;
        }
    }
    return 0;
}

BOOL CGetHDSerial::SendSmartIdentify(SmartRequest& request, BYTE drive, HANDLE device, SmartAnswer& answer,
                                     BYTE command, DWORD* returned)
{
    std::memset(&request, 0, sizeof(request));
    request.params.cBufferSize = kIdentifyBytes;
    request.params.irDriveRegs.bFeaturesReg = 0;
    request.params.irDriveRegs.bSectorCountReg = 1;
    request.params.irDriveRegs.bSectorNumberReg = 1;
    request.params.irDriveRegs.bCylLowReg = 0;
    request.params.irDriveRegs.bCylHighReg = 0;
    request.params.irDriveRegs.bDriveHeadReg = static_cast<BYTE>(0xA0 | ((drive & 1) << 4));
    request.params.irDriveRegs.bCommandReg = command;
    request.params.bDriveNumber = drive;
    return ControlDevice(device, SMART_RCV_DRIVE_DATA, request.bytes, kSmartInLength, answer.bytes, kSmartOutLength,
                         returned);
}

int CGetHDSerial::ReadScsiIdentify(DWORD identify[kIdentifyWords])
{
    return QueryDevice("\\\\.\\Scsi%d:", [&](HANDLE device) { return ReadScsiIdentifyFrom(device, identify); });
}

int CGetHDSerial::ReadScsiIdentifyFrom(HANDLE device, DWORD identify[kIdentifyWords])
{
    for (BYTE drive = 0; drive < 2; ++drive) {
        BYTE buffer[kScsiBufferSize] = {};
        auto* header = reinterpret_cast<SRB_IO_CONTROL*>(buffer);
        header->HeaderLength = sizeof(SRB_IO_CONTROL);
        std::memcpy(header->Signature, "SCSIDISK", sizeof(header->Signature));
        header->Timeout = kScsiTimeoutSeconds;
        header->ControlCode = kScsiControlIdentify;
        header->Length = kScsiRequestLength;
        auto* request = reinterpret_cast<SENDCMDINPARAMS*>(buffer + sizeof(SRB_IO_CONTROL));
        request->irDriveRegs.bCommandReg = kIdentifyDevice;
        request->bDriveNumber = drive;
        DWORD returned = 0;
        if (ControlDevice(device, IOCTL_SCSI_MINIPORT, buffer, kScsiInLength, buffer, kScsiBufferSize, &returned) &&
            buffer[kScsiIdentifyOffset + kModelFirstByte] != 0) {
            CopyIdentifyWords(buffer + kScsiIdentifyOffset, identify);
            return 1;
        }
    }
    return 0;
}

std::string CGetHDSerial::SerialFromIdentifyDwords(const DWORD identify[kIdentifyWords])
{
    char text[2 * kSerialWords + 1] = {};
    for (int i = 0; i < kSerialWords; ++i) {
        const DWORD word = identify[kSerialFirstWord + i];
        text[2 * i] = static_cast<char>((word >> 8) & 0xFF);
        text[2 * i + 1] = static_cast<char>(word & 0xFF);
    }
    // Blanks pad the field at its end; a zero byte ends the text early, so the padding is looked
    // for in front of the first zero, not only at the field's last character.
    size_t end = std::strlen(text);
    while (end > 1 && text[end - 1] == ' ') {
        text[--end] = '\0';
    }
    return text;
}

HANDLE CGetHDSerial::OpenDevice(const char* path)
{
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

BOOL CGetHDSerial::ControlDevice(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                                 DWORD* returned)
{
    return DeviceIoControl(device, code, in, inSize, out, outSize, returned, nullptr);
}

void CGetHDSerial::CloseDevice(HANDLE device)
{
    CloseHandle(device);
}

// The install report of the finish view.
#include "InstallReport.h"

#include "GetHDSerial.h"
#include "InstallerUtils.h"
#include "ServiceHosts.h"

CString EscapeQueryField(const CString& field)
{
    static const char kHex[] = "0123456789ABCDEF";
    const CStringA bytes = ToNarrow(field, CP_UTF8);
    CString escaped;
    for (int i = 0; i < bytes.GetLength(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                           byte == '_' || byte == '~';
        if (plain) {
            escaped += static_cast<wchar_t>(byte);
        } else {
            escaped += L'%';
            escaped += static_cast<wchar_t>(kHex[byte >> 4]);
            escaped += static_cast<wchar_t>(kHex[byte & 0x0F]);
        }
    }
    return escaped;
}

CString BuildInstallReportUrl(const CString& reportHost, const CString& macAddress,
                              const CString& diskSerial, const CString& version,
                              const CString& channel)
{
    CString serial = diskSerial;
    serial.TrimRight();
    serial.TrimLeft();
    // The "+" joins the two halves of the machine id; it is part of the report's format.
    return reportHost + L"?tvn_onlineinstall_" + EscapeQueryField(macAddress) + L"+" +
           EscapeQueryField(serial) + L"_V" + EscapeQueryField(version) + L"_" +
           EscapeQueryField(channel) + L"=";
}

void SendInstallReport()
{
    wchar_t channel[129] = {};
    const CString configFile = GetAppDataFolder() + L"\\tvn\\config.ini";
    GetPrivateProfileStringW(L"OEM", L"ChannelID", L"", channel, 128, configFile);

    const CString version = GetFileVersionText(InstalledProductPath());
    CGetHDSerial disk;
    const CString serial(CStringA(disk.GetHDSerialText()));
    HttpPing(BuildInstallReportUrl(kReportHost, GetMacAddressText(), serial, version, channel));
}

// The MAC address of the first network adapter, asked of NetBIOS; the answer is read apart from
// the call, so that recorded answers can be checked.
#include "InstallerUtils.h"

#include <nb30.h>

#include <cstddef>
#include <cstring>

namespace {

UCHAR RunNetbios(UCHAR command, UCHAR adapter, void* buffer, WORD length)
{
    NCB ncb = {};
    ncb.ncb_command = command;
    ncb.ncb_lana_num = adapter;
    ncb.ncb_buffer = static_cast<PUCHAR>(buffer);
    ncb.ncb_length = length;
    if (command == NCBASTAT)
        memcpy(ncb.ncb_callname, "*               ", NCBNAMSZ);
    return Netbios(&ncb);
}

}  // namespace

CString GetMacAddressText()
{
    LANA_ENUM adapters = {};
    if (RunNetbios(NCBENUM, 0, &adapters, sizeof(adapters)) != NRC_GOODRET || adapters.length == 0)
        return CString();
    const UCHAR adapter = adapters.lana[0];
    RunNetbios(NCBRESET, adapter, nullptr, 0);
    // The adapter status comes with the adapter's name table; room for the names keeps the answer
    // complete, and an incomplete one still carries the address.
    struct {
        ADAPTER_STATUS adapter;
        NAME_BUFFER names[30];
    } status = {};
    const UCHAR result = RunNetbios(NCBASTAT, adapter, &status, sizeof(status));
    return MacAddressFromStatus(result, &status, sizeof(status));
}

CString MacAddressFromStatus(unsigned char result, const void* answer, size_t length)
{
    const size_t at = offsetof(ADAPTER_STATUS, adapter_address);
    if ((result != NRC_GOODRET && result != NRC_INCOMP) || length < at + sizeof(ADAPTER_STATUS::adapter_address))
        return CString();
    const UCHAR* a = static_cast<const UCHAR*>(answer) + at;
    CString text;
    text.Format(L"%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
    return text;
}

// Addresses and answer formats of the maker's version service.
#include "VersionService.h"

#include "InstallerGlobals.h"
#include "InstallerUtils.h"
#include "ServiceHosts.h"

#include <cwchar>

namespace {

constexpr wchar_t kBacktick = L'`';

// Splits off the text before the first backtick; without a backtick the field is empty and the
// rest stays as it is.
CString TakeField(CString& rest)
{
    int separator = rest.Find(kBacktick);
    if (separator < 0)
        return CString();
    CString field = rest.Left(separator);
    rest = rest.Mid(separator + 1);
    return field;
}

CString CutAtLastDot(const CString& text)
{
    int dot = text.ReverseFind(L'.');
    return dot < 0 ? text : text.Left(dot);
}

}  // namespace

bool IsTestModeFolder(const CString& programFolder)
{
    return GetFileAttributesW(programFolder + L"\\qmotestver") != INVALID_FILE_ATTRIBUTES;
}

void SetServiceAddresses(const CString& programFolder)
{
    const CString host = IsTestModeFolder(programFolder) ? kTestServiceHost : kOfficialServiceHost;
    g_changeLogUrl.Format(L"%ls/up.php?value={ver:v%ls,type:log}", host.GetString(), g_installedVersion.GetString());
    g_versionInfoUrl.Format(L"%ls/up.php?value={ver:v%ls,type:info,mode:tvn}", host.GetString(),
                            g_installedVersion.GetString());
    // The agreement page keeps its placeholder unfilled.
    g_agreementUrl = host + L"/goto.php?value={ver:v%s,type:protocol}";
    g_displayName = L"Tavrin装机版";
}

int IsProductRegistered()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return 0;
    RegCloseKey(key);
    return 1;
}

VersionAnswer ParseVersionAnswer(const CString& answer)
{
    VersionAnswer parsed;
    CString rest = answer;
    parsed.engineKind = _wtoi(TakeField(rest));
    parsed.newestVersion = TakeField(rest);
    parsed.setupFileName = TakeField(rest);
    parsed.downloadUrl = TakeField(rest);
    int brace = rest.Find(L'}');
    if (brace >= 0)
        parsed.expectedMd5 = rest.Left(brace);
    return parsed;
}

CString ChangeLogNotes(const CString& changeLog)
{
    CString notes;
    CString rest = changeLog;
    for (int separator = rest.Find(kBacktick); separator >= 0; separator = rest.Find(kBacktick)) {
        notes += rest.Left(separator) + L"\r\n";
        rest = rest.Mid(separator + 1);
    }
    return notes;
}

CString MajorMinorOf(const CString& version)
{
    return CutAtLastDot(CutAtLastDot(version));
}

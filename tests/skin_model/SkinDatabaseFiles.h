// Helpers of the skin administrator tests: the databases that make_skin_databases.py packed into the
// build folder, and a UI log opened in a scratch folder whose text the tests read back.
#pragma once

#include <windows.h>
#include <string>
#include <vector>
#include "CString.h"

// Windows path of a file that make_skin_databases.py wrote, e.g. L"basic.skindb" or L"src/basic/cmd.bmp".
CString SkinDatabasePath(const wchar_t* relative);
std::vector<BYTE> ReadSkinDatabaseFile(const wchar_t* relative);
// Empties the administrator and loads the named database file; LoadSkinDB's result.
BOOL LoadSkinDatabase(const wchar_t* relative);

// Opens the UI log afresh in a scratch folder at level 1 (everything written); closes it on destruction.
class LogCapture {
public:
    explicit LogCapture(DWORD sizeLimit = 40960);
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<BYTE> Bytes() const;
    // The file's text (a leading byte-order mark left out).
    std::wstring Text() const;
    bool Contains(const wchar_t* text) const { return Text().find(text) != std::wstring::npos; }
    static CString Folder();
};

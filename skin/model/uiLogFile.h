// The skin engine's UI log: a UTF-16 file named after the executable with ".uilog" appended, one
// timestamped line per report at or above the threshold, cut to its newest three quarters whenever it
// reaches its size limit.
#pragma once

#include <windows.h>
#include "CString.h"

enum uiLogLevel {
    UI_LOG_INFO = 1,
    UI_LOG_WARNING = 2,
    UI_LOG_ERROR = 3,
};

class uiLogFile {
public:
    static uiLogFile& Instance();

    uiLogFile() = default;
    uiLogFile(const uiLogFile&) = delete;
    uiLogFile& operator=(const uiLogFile&) = delete;
    ~uiLogFile();

    // Opens (or creates) the log in the folder; the limit is clamped into 4096..20480000 bytes.
    BOOL Open(const CString& folder, DWORD sizeLimit);
    void Close();
    // Appends the line's UTF-16 units; 1, or 0 when the log is off or the write failed twice.
    BOOL Write(const CString& line);

    void SetLevel(int level) { m_level = level; }
    int GetLevel() const { return m_level; }
    BOOL IsOpen() const { return m_open; }
    const CString& GetPath() const { return m_path; }
    DWORD GetSizeLimit() const { return m_sizeLimit; }

private:
    BOOL WriteUnits(const CString& line);
    BOOL Trim();
    BOOL Reopen();

    BOOL m_open = FALSE;
    int m_level = UI_LOG_ERROR;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    CString m_path;
    DWORD m_sizeLimit = 0;
};

// Formats one line (printf syntax of the wide CRT: %s is a wide string) and writes it to the UI log
// when the log is open and the level reaches its threshold. Messages of 192 characters or more are dropped.
void uiLogReport(int level, const wchar_t* format, ...);

// Creates every missing folder of the path; 1 when the path is a folder afterwards.
BOOL uiCreateDirectoryChain(const CString& path);

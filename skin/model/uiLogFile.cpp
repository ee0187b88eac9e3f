// The UI log file and its report function.
#include "uiLogFile.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

namespace {

const DWORD kMinimumLimit = 4096;
const DWORD kMaximumLimit = 20480000;
const int kMessageCapacity = 192;

// The executable's full path, however long it is.
CString ModulePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return CString();
        if (length < buffer.size())
            return CString(buffer.data(), static_cast<int>(length));
        buffer.resize(buffer.size() * 2);
    }
}

bool IsSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

bool IsFolder(const CString& path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteAll(HANDLE file, const void* bytes, DWORD count)
{
    DWORD written = 0;
    return WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

const wchar_t* LevelWord(int level)
{
    switch (level) {
    case UI_LOG_INFO:
        return L"info: ";
    case UI_LOG_WARNING:
        return L"warning: ";
    case UI_LOG_ERROR:
        return L"error: ";
    default:
        return L"";
    }
}

} // namespace

uiLogFile& uiLogFile::Instance()
{
    static uiLogFile log;
    return log;
}

uiLogFile::~uiLogFile()
{
    Close();
}

void uiLogFile::Close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_open = FALSE;
}

BOOL uiLogFile::Open(const CString& folder, DWORD sizeLimit)
{
    Close();
    const CString module = ModulePath();
    const CString fileName = module.Mid(module.ReverseFind(L'\\') + 1);
    const bool separated = !folder.IsEmpty() && IsSeparator(folder[folder.GetLength() - 1]);
    m_path = folder + (separated ? L"" : L"\\") + fileName + L".uilog";
    m_sizeLimit = sizeLimit < kMinimumLimit ? kMinimumLimit : sizeLimit > kMaximumLimit ? kMaximumLimit : sizeLimit;
    if (!uiCreateDirectoryChain(folder))
        return FALSE;
    m_file = CreateFileW(m_path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(m_file, &size) ||
        (size.QuadPart > 0 && SetFilePointer(m_file, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER)) {
        Close();
        return FALSE;
    }
    m_open = TRUE;
    return TRUE;
}

BOOL uiLogFile::Reopen()
{
    const int cut = [this] {
        for (int i = m_path.GetLength() - 1; i >= 0; --i)
            if (IsSeparator(m_path[i]))
                return i + 1;
        return 0;
    }();
    return Open(m_path.Left(cut), m_sizeLimit);
}

BOOL uiLogFile::WriteUnits(const CString& line)
{
    return WriteAll(m_file, line.GetString(), static_cast<DWORD>(line.GetLength() * sizeof(wchar_t)));
}

BOOL uiLogFile::Write(const CString& line)
{
    if (!m_open)
        return FALSE;
    if (!WriteUnits(line)) {
        if (!Reopen() || !WriteUnits(line)) {
            Close();
            return FALSE;
        }
    }
    FlushFileBuffers(m_file);
    if (!Trim()) {
        Close();
        return FALSE;
    }
    return TRUE;
}

// Keeps the newest three quarters (an even byte count, so UTF-16 units stay whole) behind a byte-order mark.
BOOL uiLogFile::Trim()
{
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(m_file, &size))
        return FALSE;
    if (size.QuadPart < m_sizeLimit)
        return TRUE;
    Close();
    const DWORD total = static_cast<DWORD>(size.QuadPart);
    const DWORD keep = (total - total / 4) & ~1u;
    std::vector<BYTE> kept(keep + 2);
    kept[0] = 0xFF;
    kept[1] = 0xFE;
    HANDLE reader = CreateFileW(m_path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (reader == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD read = 0;
    const bool readOk = SetFilePointer(reader, static_cast<LONG>(total - keep), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
                        ReadFile(reader, kept.data() + 2, keep, &read, nullptr) && read == keep;
    CloseHandle(reader);
    if (!readOk)
        return FALSE;
    m_file = CreateFileW(m_path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return FALSE;
    if (!WriteAll(m_file, kept.data(), static_cast<DWORD>(kept.size())))
        return FALSE;
    FlushFileBuffers(m_file);
    m_open = TRUE;
    return TRUE;
}

void uiLogReport(int level, const wchar_t* format, ...)
{
    uiLogFile& log = uiLogFile::Instance();
    if (level < log.GetLevel() || !log.IsOpen() || !format)
        return;
    wchar_t message[kMessageCapacity + 1] = {};
    va_list args;
    va_start(args, format);
    const int length = _vsnwprintf(message, kMessageCapacity, format, args);
    va_end(args);
    // An empty message, or one cut short at the capacity, loses its whole line.
    if (length <= 0 || length >= kMessageCapacity)
        return;
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    CString line;
    line.Format(L"%02d:%02d:%02d %04d-%02d-%02d  ", now.wHour, now.wMinute, now.wSecond, now.wYear, now.wMonth, now.wDay);
    line += LevelWord(level);
    line += message;
    line += L"\r\n";
    log.Write(line);
}

BOOL uiCreateDirectoryChain(const CString& path)
{
    if (IsFolder(path))
        return TRUE;
    for (int i = 1; i < path.GetLength(); ++i)
        if (IsSeparator(path[i]))
            CreateDirectoryW(path.Left(i), nullptr);
    CreateDirectoryW(path, nullptr);
    return IsFolder(path);
}

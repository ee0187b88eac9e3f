// The stand-in "7z.dll": extracts stored and deflated ZIP entries with zlib. Every entry name is
// checked before anything is written: absolute names, drive names and ".." components refuse the
// whole archive, so nothing lands outside the output folder.
#include <windows.h>

#include <zlib.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "SevenZipApi.h"

namespace {

struct ZipEntry {
    std::wstring name;  // relative, with backslashes
    bool folder = false;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint32_t packedSize = 0;
    uint32_t size = 0;
    uint32_t localHeader = 0;
};

class ExtractError {
public:
    explicit ExtractError(std::wstring text) : message(std::move(text)) {}
    std::wstring message;
};

// Bounds are tested by subtraction: offsets come from the archive and a sum could wrap.
bool Within(const std::vector<uint8_t>& data, size_t at, size_t length) {
    return at <= data.size() && length <= data.size() - at;
}

uint16_t Read16(const std::vector<uint8_t>& data, size_t at) {
    if (!Within(data, at, 2))
        throw ExtractError(L"archive is truncated");
    return static_cast<uint16_t>(data[at] | data[at + 1] << 8);
}

uint32_t Read32(const std::vector<uint8_t>& data, size_t at) {
    return Read16(data, at) | static_cast<uint32_t>(Read16(data, at + 2)) << 16;
}

std::vector<uint8_t> ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw ExtractError(L"cannot open archive " + path);
    std::vector<uint8_t> data(GetFileSize(file, nullptr));
    DWORD got = 0;
    const BOOL read = data.empty() || ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
    CloseHandle(file);
    if (!read || got != data.size())
        throw ExtractError(L"cannot read archive " + path);
    return data;
}

// The entry name as a safe relative path, or an error for a name that could leave the folder.
std::wstring SafeRelativeName(const std::vector<uint8_t>& data, size_t at, size_t length, bool utf8) {
    if (!Within(data, at, length))
        throw ExtractError(L"archive is truncated");
    const char* bytes = reinterpret_cast<const char*>(data.data() + at);
    const UINT codePage = utf8 ? CP_UTF8 : CP_OEMCP;
    std::wstring name(MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(length), nullptr, 0), L'\0');
    MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(length), &name[0], static_cast<int>(name.size()));
    for (wchar_t& c : name)
        if (c == L'/')
            c = L'\\';
    if (name.empty() || name[0] == L'\\' || name.find(L':') != std::wstring::npos)
        throw ExtractError(L"refused absolute entry name: " + name);
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = name.find(L'\\', start);
        const std::wstring part = name.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (part == L"..")
            throw ExtractError(L"refused entry name with \"..\": " + name);
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    return name;
}

std::vector<ZipEntry> ReadDirectory(const std::vector<uint8_t>& data) {
    if (data.size() < 22)
        throw ExtractError(L"not a ZIP archive");
    size_t end = data.size() - 22;
    const size_t lowest = end > 65535 ? end - 65535 : 0;
    while (Read32(data, end) != 0x06054b50) {
        if (end == lowest)
            throw ExtractError(L"not a ZIP archive");
        --end;
    }
    const unsigned count = Read16(data, end + 10);
    size_t at = Read32(data, end + 16);
    std::vector<ZipEntry> entries;
    for (unsigned i = 0; i < count; ++i) {
        if (Read32(data, at) != 0x02014b50)
            throw ExtractError(L"damaged central directory");
        ZipEntry entry;
        const uint16_t flags = Read16(data, at + 8);
        entry.method = Read16(data, at + 10);
        entry.crc = Read32(data, at + 16);
        entry.packedSize = Read32(data, at + 20);
        entry.size = Read32(data, at + 24);
        const uint16_t nameLength = Read16(data, at + 28);
        const size_t skip = Read16(data, at + 30) + Read16(data, at + 32);
        entry.localHeader = Read32(data, at + 42);
        entry.name = SafeRelativeName(data, at + 46, nameLength, (flags & 0x800) != 0);
        entry.folder = entry.name.back() == L'\\';
        if (!entry.folder && entry.method != 0 && entry.method != Z_DEFLATED)
            throw ExtractError(L"unsupported compression method in " + entry.name);
        entries.push_back(entry);
        at += 46 + nameLength + skip;
    }
    return entries;
}

std::vector<uint8_t> Unpack(const std::vector<uint8_t>& data, const ZipEntry& entry) {
    const size_t header = entry.localHeader;
    if (Read32(data, header) != 0x04034b50)
        throw ExtractError(L"damaged local header of " + entry.name);
    const size_t start = header + 30 + Read16(data, header + 26) + Read16(data, header + 28);
    if (!Within(data, start, entry.packedSize))
        throw ExtractError(L"archive is truncated in " + entry.name);
    std::vector<uint8_t> out(entry.size);
    if (entry.method == 0) {
        if (entry.packedSize != entry.size)
            throw ExtractError(L"damaged stored entry " + entry.name);
        std::copy(data.begin() + start, data.begin() + start + entry.size, out.begin());
    } else {
        z_stream stream = {};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            throw ExtractError(L"cannot start decompression");
        stream.next_in = const_cast<Bytef*>(data.data() + start);
        stream.avail_in = entry.packedSize;
        stream.next_out = out.data();
        stream.avail_out = entry.size;
        const int result = inflate(&stream, Z_FINISH);
        const uLong produced = stream.total_out;
        inflateEnd(&stream);
        if (result != Z_STREAM_END || produced != entry.size)
            throw ExtractError(L"damaged compressed data in " + entry.name);
    }
    if (crc32(0L, out.data(), static_cast<uInt>(out.size())) != entry.crc)
        throw ExtractError(L"CRC error in " + entry.name);
    return out;
}

void CreateFolders(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
}

void WriteEntry(const std::wstring& path, const std::vector<uint8_t>& bytes, bool overwrite) {
    CreateFolders(path);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, overwrite ? CREATE_ALWAYS : CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw ExtractError(GetLastError() == ERROR_FILE_EXISTS ? L"file exists (use -y): " + path
                                                               : L"cannot create " + path);
    DWORD written = 0;
    const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size())
        throw ExtractError(L"cannot write " + path);
}

std::wstring OutputRoot(const wchar_t* folder) {
    wchar_t full[MAX_PATH] = {};
    const std::wstring given = folder && *folder ? folder : L".";
    if (!GetFullPathNameW(given.c_str(), MAX_PATH, full, nullptr))
        throw ExtractError(L"bad output folder " + given);
    std::wstring root = full;
    if (root.back() != L'\\')
        root += L'\\';
    return root;
}

int Report(const std::wstring& text, wchar_t* message, int messageChars) {
    if (message && messageChars > 0) {
        wcsncpy(message, text.c_str(), messageChars - 1);
        message[messageChars - 1] = L'\0';
    }
    return kSzFatal;
}

}  // namespace

SZ_EXPORT int __cdecl SzExtractArchive(const wchar_t* archive, const wchar_t* folder, int overwrite,
                                       wchar_t* message, int messageChars) {
    try {
        const std::vector<uint8_t> data = ReadWholeFile(archive ? archive : L"");
        const std::vector<ZipEntry> entries = ReadDirectory(data);
        const std::wstring root = OutputRoot(folder);
        CreateFolders(root);
        for (const ZipEntry& entry : entries) {
            if (entry.folder)
                CreateFolders(root + entry.name);
            else
                WriteEntry(root + entry.name, Unpack(data, entry), overwrite != 0);
        }
        return kSzOk;
    } catch (const ExtractError& error) {
        return Report(error.message, message, messageChars);
    } catch (const std::exception&) {
        return Report(L"out of memory", message, messageChars);
    }
}

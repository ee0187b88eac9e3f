#include "DownloadTestKit.h"

#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>
#include <wincrypt.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <regex>
#include <thread>

#include "ServiceControl.h"

namespace {

// A Unix path as Wine sees it on its Z: drive.
std::wstring WinePath(const std::wstring& unixPath) {
    std::wstring path = L"Z:" + unixPath;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

std::wstring PackageFolder() {
    std::wstring state = TestEnv(L"TAVRIN_SERVICE_STATE");
    if (state.empty())
        state = TestEnv(L"TAVRIN_BINARY_DIR") + L"/service-state";
    return WinePath(state + L"/pkg-files/");
}

}  // namespace

std::wstring BuildPath(const std::wstring& relative) {
    return WinePath(TestEnv(L"TAVRIN_BINARY_DIR") + L"/" + relative);
}

Bytes RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (unsigned char& b : bytes)
        b = static_cast<unsigned char>(random());
    return bytes;
}

std::wstring PublishPackage(const std::wstring& name, const Bytes& content) {
    WriteBytes(PackageFolder() + name, content);
    return ServiceUrl(L"/pkg/files/" + name);
}

std::wstring ScratchFolder(const wchar_t* label) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // Process ids repeat between runs under Wine: take the first name that is not there yet.
    for (unsigned counter = GetTickCount();; ++counter) {
        std::wstring folder = std::wstring(temp) + L"tavrin-dl-" + label + L"-" + std::to_wstring(counter) + L"\\";
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::wstring();
    }
}

void RemoveFolder(const std::wstring& folder) {
    std::wstring from = folder;
    if (!from.empty() && from.back() == L'\\')
        from.pop_back();
    from.push_back(L'\0');  // the list ends with a second zero
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

Bytes ReadBytes(const std::wstring& path) {
    Bytes bytes;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        unsigned char block[65536];
        size_t got;
        while ((got = fread(block, 1, sizeof(block), file)) > 0)
            bytes.insert(bytes.end(), block, block + got);
        fclose(file);
    }
    return bytes;
}

void WriteBytes(const std::wstring& path, const Bytes& content) {
    if (FILE* file = _wfopen(path.c_str(), L"wb")) {
        fwrite(content.data(), 1, content.size(), file);
        fclose(file);
    }
}

std::vector<std::wstring> RecordedHeader(const std::wstring& header) {
    const std::wstring records = ServiceRecords(L"pkg");
    std::vector<std::wstring> values;
    // One record per {"path": ...} object; its headers are a flat JSON object of strings.
    const std::wregex request(LR"re(\{"path": [^{]*\{([^}]*)\})re");
    const std::wregex field(L"\"" + header + LR"re(": "([^"]*)")re");
    for (std::wsregex_iterator it(records.begin(), records.end(), request), end; it != end; ++it) {
        const std::wstring headers = (*it)[1];
        std::wsmatch value;
        values.push_back(std::regex_search(headers, value, field) ? value[1].str() : std::wstring());
    }
    return values;
}

std::wstring Md5OfFile(const std::wstring& path) {
    const Bytes bytes = ReadBytes(path);
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    std::wstring text;
    if (CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
        if (CryptCreateHash(provider, CALG_MD5, 0, 0, &hash)) {
            BYTE digest[16];
            DWORD length = sizeof(digest);
            if (CryptHashData(hash, bytes.data(), static_cast<DWORD>(bytes.size()), 0) &&
                CryptGetHashParam(hash, HP_HASHVAL, digest, &length, 0)) {
                static const wchar_t hex[] = L"0123456789abcdef";
                for (BYTE b : digest) {
                    text += hex[b >> 4];
                    text += hex[b & 15];
                }
            }
            CryptDestroyHash(hash);
        }
        CryptReleaseContext(provider, 0);
    }
    return text;
}

SilentHost::SilentHost() : m_socket(INVALID_SOCKET) {
    WSADATA data;
    m_started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    if (!m_started)
        return;
    m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (m_socket != INVALID_SOCKET && bind(m_socket, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        listen(m_socket, 16) == 0 && getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        m_port = ntohs(address.sin_port);
}

SilentHost::~SilentHost() {
    Close();
    if (m_started)
        WSACleanup();
}

void SilentHost::Close() {
    if (m_socket != INVALID_SOCKET)
        closesocket(m_socket);
    m_socket = INVALID_SOCKET;
}

std::wstring SilentHost::Url(const std::wstring& path) const {
    return m_port ? ServiceUrl(path, m_port) : std::wstring();
}

bool ReturnsWithin(const std::function<void()>& call, unsigned timeoutMs, SilentHost& host) {
    std::atomic<bool> done(false);
    std::thread caller([&] {
        call();
        done = true;
    });
    const bool returned = WaitUntil([&] { return done.load(); }, timeoutMs);
    if (!returned)
        host.Close();
    caller.join();
    return returned;
}

double SecondsOf(const std::function<void()>& call) {
    const auto began = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
}

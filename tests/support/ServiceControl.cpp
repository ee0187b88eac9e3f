#include "ServiceControl.h"

#include <windows.h>
#include <wininet.h>

#include <string>
#include <vector>

namespace {

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() { if (handle_) InternetCloseHandle(handle_); }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }
private:
    HINTERNET handle_;
};

std::wstring Widen(const std::string& bytes) {
    if (bytes.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), &text[0], n);
    return text;
}

std::wstring Escape(const std::wstring& text) {
    std::wstring out;
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &utf8[0], n, nullptr, nullptr);
    static const wchar_t hex[] = L"0123456789ABCDEF";
    for (unsigned char c : utf8) {
        if (isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += (wchar_t)c;
        } else {
            out += L'%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace

int ServicePort() {
    return TAVRIN_SERVICE_PORT;
}

int TestServicePort() {
    return TAVRIN_TEST_SERVICE_PORT;
}

std::wstring ServiceUrl(const std::wstring& path, int port) {
    return L"http://127.0.0.1:" + std::to_wstring(port) + path;
}

std::wstring ServiceGet(const std::wstring& url, int* status) {
    if (status) *status = 0;
    InternetHandle session(InternetOpenW(L"TavrinTest", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session.get()) return std::wstring();
    // A reset or an idle query waits for the requests in flight (the service bounds that by 120 s).
    DWORD receiveMs = 180000;
    InternetSetOptionW(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, sizeof(receiveMs));
    InternetHandle request(InternetOpenUrlW(session.get(), url.c_str(), nullptr, 0,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request.get()) return std::wstring();
    if (status) {
        DWORD code = 0, size = sizeof(code);
        if (HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, nullptr))
            *status = (int)code;
    }
    std::string body;
    std::vector<char> block(8192);
    DWORD got = 0;
    while (InternetReadFile(request.get(), block.data(), (DWORD)block.size(), &got) && got > 0)
        body.append(block.data(), got);
    return Widen(body);
}

bool ServiceSet(const std::wstring& key, const std::wstring& value) {
    return ServiceGet(ServiceUrl(L"/_control/set?" + Escape(key) + L"=" + Escape(value))) == L"ok";
}

bool ServiceReset() {
    return ServiceGet(ServiceUrl(L"/_control/reset")) == L"ok";
}

bool ServiceIdle() {
    return ServiceGet(ServiceUrl(L"/_control/idle")) == L"ok";
}

bool ServiceRelease() {
    return ServiceGet(ServiceUrl(L"/_control/release")) == L"ok";
}

std::wstring ServiceRecords(const std::wstring& kind) {
    return ServiceGet(ServiceUrl(L"/_control/records?kind=" + Escape(kind)));
}

std::wstring TestEnv(const wchar_t* name) {
    wchar_t buffer[4096];
    DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
    return n > 0 && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

// Plain HTTP GETs of the installer: the text request behind the version query and the change log,
// and the fire-and-forget request of the install report.
#include "InstallerUtils.h"

#include "Internet.h"
#include "WinInetRequest.h"

#include <memory>

namespace {

bool IsSuccessStatus(DWORD status)
{
    return status >= 200 && status < 300;
}

// Appends the block's bytes without carriage returns and line feeds: the lines of the answer are
// joined without separators.
void AppendWithoutLineBreaks(CStringA& body, const char* bytes, UINT count)
{
    for (UINT i = 0; i < count; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            body += bytes[i];
    }
}

}  // namespace

CStringA HttpGetText(const CString& url)
{
    try {
        // A null agent stands for the program's name.
        CInternetSession session(nullptr, 1, PRE_CONFIG_INTERNET_ACCESS);
        // This runs on the user-interface thread: a service that takes the connection and never
        // answers is given up after the receive time-out.
        InternetHandle connection;
        InternetHandle request =
            SendGetWithReceiveTimeout(session, url, INTERNET_FLAG_TRANSFER_ASCII, kTextAnswerTimeoutMs, connection);
        if (!request)
            return CStringA();
        CHttpFile file(request.release(), 1);
        // An error page is no answer.
        DWORD status = 0;
        if (!file.QueryInfoStatusCode(status) || !IsSuccessStatus(status))
            return CStringA();
        // Read as raw bytes; a transfer broken off midway throws and is no answer either, and so is
        // one longer than any real answer, before it can fill the memory.
        CStringA body;
        char block[4096];
        int received = 0;
        for (UINT got = file.Read(block, sizeof(block)); got > 0; got = file.Read(block, sizeof(block))) {
            received += static_cast<int>(got);
            if (received > kMaxTextAnswerBytes)
                return CStringA();
            AppendWithoutLineBreaks(body, block, got);
        }
        return body;
    } catch (CInternetException* error) {
        error->Delete();
        return CStringA();
    }
}

CString DecodeUtf8Text(const CStringA& body)
{
    // The body is text up to its first zero byte.
    return ToWide(CStringA(body.GetString()), CP_UTF8);
}

void HttpPing(const CString& url)
{
    try {
        CInternetSession session(kDownloadAgent, 1, PRE_CONFIG_INTERNET_ACCESS);
        session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, 3000);
        std::unique_ptr<CStdioFile> file(session.OpenURL(url, 0, INTERNET_FLAG_RELOAD, L"Accept:*/*\r\n"));
        // The status is read so that the request completes; the body is not.
        if (auto* http = dynamic_cast<CHttpFile*>(file.get())) {
            DWORD status = 0;
            http->QueryInfoStatusCode(status);
        }
    } catch (CInternetException* error) {
        error->Delete();
    }
}

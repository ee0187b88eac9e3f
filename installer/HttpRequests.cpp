// Plain HTTP GETs of the installer: the text request behind the version query and the change log,
// and the fire-and-forget request of the install report.
#include "InstallerUtils.h"

#include "Internet.h"
#include "WinInetRequest.h"

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
        HttpExchange exchange = SendBoundedGet(session, url, CString(), INTERNET_FLAG_TRANSFER_ASCII);
        if (!exchange)
            return CStringA();
        CHttpFile file(exchange.request.release(), 1);
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
    InternetHandle root(InternetOpenW(kDownloadAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!root)
        return;
    // Sent from the finish button on the user-interface thread: a report host that takes the
    // connection and never answers must not hold the button, so the request is bounded like the
    // version query. Sending waits for the answer's status line; the answer itself is not read.
    SendBoundedGet(root.get(), url, L"Accept:*/*\r\n", INTERNET_FLAG_RELOAD);
}

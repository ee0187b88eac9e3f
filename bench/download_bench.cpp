// Downloads one URL twice under Wine: with YDownloader (polled as the controller polls it) and with
// a bare WinInet read loop of the same block size. Prints "<ydownloader seconds> <wininet seconds>".
// Usage: download_bench URL FOLDER (FOLDER ends with a backslash; the files stay there).
#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "YDownloader.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool DownloadWithYDownloader(const std::wstring& url, const std::wstring& target) {
    YDownloader downloader;
    downloader.CreateTask(url.c_str(), target.c_str(), L"", L"", 0);
    downloader.StartTask(0);
    DownloadTaskInfo info;
    for (int polls = 0; polls < 20 * 600; ++polls) {
        downloader.QueryTaskInfo(0, info);
        if (info.status == L"完成")
            return true;
        Sleep(50);
    }
    return false;
}

bool DownloadWithWinInet(const std::wstring& url, const std::wstring& target) {
    HINTERNET root = InternetOpenW(L"Download From HTTP", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET request = root ? InternetOpenUrlW(root, url.c_str(), L"Accept:*/*\r\n", static_cast<DWORD>(-1),
                                                INTERNET_FLAG_RELOAD, 0)
                             : nullptr;
    FILE* file = request ? _wfopen(target.c_str(), L"wb") : nullptr;
    bool ok = file != nullptr;
    std::vector<char> block(40960);
    DWORD got = 0;
    while (ok && (ok = InternetReadFile(request, block.data(), 40960, &got) != 0) && got > 0)
        ok = fwrite(block.data(), 1, got, file) == got;
    if (file)
        fclose(file);
    if (request)
        InternetCloseHandle(request);
    if (root)
        InternetCloseHandle(root);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        fwprintf(stderr, L"usage: download_bench URL FOLDER\\\n");
        return 2;
    }
    const std::wstring url = argv[1], folder = argv[2];
    auto began = std::chrono::steady_clock::now();
    if (!DownloadWithYDownloader(url, folder + L"ydownloader.exe")) {
        fwprintf(stderr, L"YDownloader did not complete\n");
        return 1;
    }
    const double ownSeconds = Seconds(began);
    began = std::chrono::steady_clock::now();
    if (!DownloadWithWinInet(url, folder + L"wininet.bin")) {
        fwprintf(stderr, L"the WinInet loop failed\n");
        return 1;
    }
    printf("%.3f %.3f\n", ownSeconds, Seconds(began));
    return 0;
}

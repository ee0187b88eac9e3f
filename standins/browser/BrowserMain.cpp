// Stands in for the web browser: registered as the handler of http and https URLs (see
// scripts/register-browser.sh), it appends each URL it is asked to open as one line to
// "browser-urls.txt" in the folder named by TAVRIN_STANDIN_DIR, else in the temporary folder.
#include "StandinRecord.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::wstring url = RawArguments();
    // The shell passes the URL as one quoted argument.
    if (url.size() >= 2 && url.front() == L'"' && url.back() == L'"') {
        url = url.substr(1, url.size() - 2);
    }
    return AppendRecordLine(RecordFolder(TempFolder()), L"browser-urls.txt", url) ? 0 : 1;
}

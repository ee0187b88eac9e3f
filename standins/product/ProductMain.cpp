// Stands in for the product's programs ("Tavrin.exe", "zazava.exe"): notes that it started, then stays
// running until it is stopped, so that the tests can see the installer stop and start it.
//
// Marker: a line "<process id> <arguments>" appended to "<program file name>.started" in the folder named
// by TAVRIN_STANDIN_DIR, else in the temporary folder. It ends by itself after TAVRIN_PRODUCT_LIFETIME_MS
// milliseconds (default ten minutes), so that a forgotten copy does not outlive the test session.
#include "StandinRecord.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::wstring path = ModulePath();
    const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    AppendRecordLine(RecordFolder(TempFolder()), name + L".started",
                     std::to_wstring(GetCurrentProcessId()) + L" " + RawArguments());
    Sleep(EnvNumber(L"TAVRIN_PRODUCT_LIFETIME_MS", 10 * 60 * 1000));
    return 0;
}

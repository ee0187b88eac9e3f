// Stands in for the product's setup package ("TavrinSetup.exe"). Run as the installer runs it,
//   TavrinSetup.exe /S /V=U /I="<install folder>"
// it installs the newest product stand-in as "Tavrin.exe" and a copy of itself as "uninst.exe" into the
// folder, registers the uninstall key with "UninstallString", and writes the channel file
// "%APPDATA%\tvn\config.ini" ([OEM] ChannelID).
//
// Test controls (environment variables, inherited from the installer that starts it):
//   TAVRIN_STANDIN_DIR      folder of the record file "setup-runs.txt" (default: the folder of this program)
//   TAVRIN_SETUP_EXIT_CODE  exit code after a successful install (default 0)
//   TAVRIN_SETUP_DELAY_MS   milliseconds to wait before installing (default 0)
//   TAVRIN_SETUP_CHANNEL    the ChannelID written (default "1001")
// Each run appends its raw arguments as one line to the record before anything else. Without an
// "/I=" folder nothing is installed and the exit code is 2; a failed install step gives 3.
#include "SetupInstall.h"
#include "StandinRecord.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::wstring arguments = RawArguments();
    AppendRecordLine(RecordFolder(ModuleFolder()), L"setup-runs.txt", arguments);
    Sleep(EnvNumber(L"TAVRIN_SETUP_DELAY_MS", 0));

    const std::wstring folder = InstallFolderArgument(arguments);
    if (folder.empty()) {
        return 2;
    }
    const std::wstring channel = EnvText(L"TAVRIN_SETUP_CHANNEL");
    if (!InstallProduct(folder, channel.empty() ? L"1001" : channel)) {
        return 3;
    }
    return static_cast<int>(EnvNumber(L"TAVRIN_SETUP_EXIT_CODE", 0));
}

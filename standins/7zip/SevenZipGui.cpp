// The stand-in extractor "7ZG.EXE": reads its command line, loads "7z.dll" from its own folder and
// extracts the archive. Failures end the process with a nonzero code and a message on the error
// stream and the debugger output.
#include <windows.h>

#include <string>

#include "SevenZipApi.h"
#include "SevenZipCommandLine.h"

namespace {

int Fail(int code, const std::wstring& message) {
    const std::wstring line = L"7ZG: " + message + L"\n";
    OutputDebugStringW(line.c_str());
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error && error != INVALID_HANDLE_VALUE) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string text(bytes, '\0');
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &text[0], bytes, nullptr, nullptr);
        DWORD written = 0;
        WriteFile(error, text.data(), static_cast<DWORD>(text.size() - 1), &written, nullptr);
    }
    return code;
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ExtractCommand command;
    std::wstring error;
    if (!ParseExtractCommand(GetCommandLineW(), command, error))
        return Fail(kSzCommandLine, error);
    const std::wstring libraryPath = OwnFolder() + L"7z.dll";
    HMODULE library = LoadLibraryW(libraryPath.c_str());
    if (!library)
        return Fail(kSzFatal, L"cannot load " + libraryPath);
    auto extract = reinterpret_cast<SzExtractArchiveFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "SzExtractArchive")));
    int code = kSzFatal;
    wchar_t message[1024] = L"7z.dll has no extraction entry";
    if (extract)
        code = extract(command.archive.c_str(), command.outputFolder.c_str(), command.overwrite, message, 1024);
    FreeLibrary(library);
    return code == kSzOk ? kSzOk : Fail(code, message);
}

// The UI driver: a console program that the end-to-end tests run under Wine to find the installer's
// windows, press their buttons, read their texts and take pictures of them. See DriverUsage.
#include "DriverOptions.h"
#include "DriverVerbs.h"

#include <shellapi.h>

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) {
        return 1;
    }
    const DriverOptions options = ParseDriverOptions(argc, argv);
    LocalFree(argv);
    return RunDriverVerb(options);
}

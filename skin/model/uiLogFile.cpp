// The UI log. Until the log file itself is in place, reports are accepted and dropped, which is what
// a closed log does.
#include "uiLogFile.h"

void uiLogReport(int, const wchar_t*, ...)
{
}

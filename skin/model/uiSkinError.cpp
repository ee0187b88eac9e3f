// The skin engine's last-error code.
#include "uiSkinError.h"

namespace {
int g_lastSkinError = UI_ERROR_NONE;
}

void uiSetSkinError(int code)
{
    g_lastSkinError = code;
}

int uiGetSkinError()
{
    return g_lastSkinError;
}

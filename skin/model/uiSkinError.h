// The skin engine's last-error code: one process-wide value, overwritten by every failure that has a code.
#pragma once

enum uiSkinErrorCode {
    UI_ERROR_NONE = 0,
    UI_ERROR_IMAGE_NOT_FOUND = 100,
    UI_ERROR_XML_FAILED = 101,
    UI_ERROR_XML_PARSE = 102,
    UI_ERROR_NO_MSIMG32 = 103,
    UI_ERROR_BMP_DECODE = 105,
    UI_ERROR_NO_COMCTL32 = 106,
    UI_ERROR_NO_TOOLBAR = 107,
    UI_ERROR_STYLE_NOT_FOUND = 108,
    UI_ERROR_NO_GENERIC_STYLE = 109,
    UI_ERROR_SKINDB_INVALID = 110,
    UI_ERROR_RESOURCE_NOT_FOUND = 112,
};

void uiSetSkinError(int code);
int uiGetSkinError();

// The skin engine's UI log: levels and the report call used by every part of the engine.
#pragma once

enum uiLogLevel {
    UI_LOG_INFO = 1,
    UI_LOG_WARNING = 2,
    UI_LOG_ERROR = 3,
};

// Formats one line (printf syntax of the wide CRT: %s is a wide string) and writes it to the UI log
// when the log is open and the level reaches its threshold.
void uiLogReport(int level, const wchar_t* format, ...);

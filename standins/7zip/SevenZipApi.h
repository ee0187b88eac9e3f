// The extraction entry of the stand-in "7z.dll", called by the stand-in "7ZG.EXE".
#pragma once

#ifdef SEVENZIP_BUILDING_LIBRARY
#define SZ_EXPORT extern "C" __declspec(dllexport)
#else
#define SZ_EXPORT extern "C"
#endif

// Extracts every entry of the ZIP archive below the folder, with its paths. Existing files are
// replaced only when `overwrite` is nonzero. Returns 0 on success, else an exit code for the
// extractor, with a message in `message` (at most messageChars characters, terminated).
SZ_EXPORT int __cdecl SzExtractArchive(const wchar_t* archive, const wchar_t* folder, int overwrite,
                                       wchar_t* message, int messageChars);

typedef decltype(&SzExtractArchive) SzExtractArchiveFunction;

// Exit codes of the extractor.
const int kSzOk = 0;
const int kSzFatal = 2;
const int kSzCommandLine = 7;

// What the stand-in programs share: where they leave their records for the tests, and how.
#pragma once

#include <string>

// The environment variable's value; empty when it is not set.
std::wstring EnvText(const wchar_t* name);

// An environment variable read as a whole number; the fallback when it is unset or not a number.
unsigned long EnvNumber(const wchar_t* name, unsigned long fallback);

// The folder the records go to: the one named by TAVRIN_STANDIN_DIR when set, else the fallback.
std::wstring RecordFolder(const std::wstring& fallback);

// The full path of the running program, and its folder without a trailing backslash.
std::wstring ModulePath();
std::wstring ModuleFolder();

// The temporary folder without a trailing backslash.
std::wstring TempFolder();

// The raw command line behind the program's own name (quoted or not), leading blanks removed.
std::wstring RawArguments();

// Appends the line as UTF-8 with a line feed to folder\file, creating the folder when needed.
bool AppendRecordLine(const std::wstring& folder, const std::wstring& file, const std::wstring& line);

// The extractor's command line, read the way 7-Zip reads it: blanks separate arguments, a double
// quote toggles quoting and is dropped, and a backslash is always literal, so -o"C:\temp\" names
// the folder C:\temp\.
#pragma once

#include <string>
#include <vector>

std::vector<std::wstring> SplitSevenZipCommandLine(const std::wstring& commandLine);

struct ExtractCommand {
    std::wstring archive;
    std::wstring outputFolder;  // empty: the current folder
    bool overwrite = false;
};

// Reads "<program> x <archive> [-y] [-o<folder>]"; false with a message for anything else.
bool ParseExtractCommand(const std::wstring& commandLine, ExtractCommand& command, std::wstring& error);

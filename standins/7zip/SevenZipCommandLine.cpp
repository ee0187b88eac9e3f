#include "SevenZipCommandLine.h"

#include <cwctype>

std::vector<std::wstring> SplitSevenZipCommandLine(const std::wstring& commandLine) {
    std::vector<std::wstring> arguments;
    std::wstring current;
    bool quoted = false;
    bool inArgument = false;
    for (wchar_t c : commandLine) {
        if (c == L'"') {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == L' ' || c == L'\t')) {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}

bool ParseExtractCommand(const std::wstring& commandLine, ExtractCommand& command, std::wstring& error) {
    const std::vector<std::wstring> arguments = SplitSevenZipCommandLine(commandLine);
    if (arguments.size() < 2 || (arguments[1] != L"x" && arguments[1] != L"X")) {
        error = L"usage: 7ZG x <archive> [-y] [-o<folder>]";
        return false;
    }
    command = ExtractCommand();
    for (size_t i = 2; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument == L"-y" || argument == L"-Y") {
            command.overwrite = true;
        } else if (argument.size() > 2 && argument[0] == L'-' && std::towlower(argument[1]) == L'o') {
            command.outputFolder = argument.substr(2);
        } else if (!argument.empty() && argument[0] == L'-') {
            error = L"unsupported switch: " + argument;
            return false;
        } else if (command.archive.empty()) {
            command.archive = argument;
        } else {
            error = L"more than one archive: " + argument;
            return false;
        }
    }
    if (command.archive.empty()) {
        error = L"no archive given";
        return false;
    }
    return true;
}

// A file's version resource, read once, and the values in it.
#pragma once

#include <windows.h>

#include <vector>

#include "CString.h"

class VersionResource {
public:
    // Reads the resource; a file without one (or that cannot be read) has no values.
    explicit VersionResource(const CString& filePath);

    // The value at subBlock ("\\" for the fixed part, "\\VarFileInfo\\Translation", a string
    // table's entry) and its length as VerQueryValue gives it; null when absent.
    const void* Value(const CString& subBlock, UINT& length) const;

private:
    std::vector<BYTE> block_;
};

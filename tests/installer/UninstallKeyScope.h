// Creates the product's uninstall key in the Wine prefix for one test and removes it afterwards,
// so that every test starts from a machine without the product.
#pragma once

#include <windows.h>

#include <string>

#include "InstallerUtils.h"

class UninstallKeyScope {
public:
    UninstallKeyScope() { Remove(); }
    ~UninstallKeyScope() { Remove(); }
    UninstallKeyScope(const UninstallKeyScope&) = delete;
    UninstallKeyScope& operator=(const UninstallKeyScope&) = delete;

    // Creates the key; with a value, also "UninstallString" holding exactly `bytes` bytes of it
    // (-1: the text with its terminator).
    bool Create(const std::wstring* value = nullptr, int bytes = -1)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return false;
        LONG result = ERROR_SUCCESS;
        if (value) {
            DWORD size = bytes >= 0 ? DWORD(bytes) : DWORD((value->size() + 1) * sizeof(wchar_t));
            result = RegSetValueExW(key, L"UninstallString", 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(value->c_str()), size);
        }
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    static void Remove() { RegDeleteKeyW(HKEY_LOCAL_MACHINE, UninstallKeyPath()); }
};

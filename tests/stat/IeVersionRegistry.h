// Sets the Internet Explorer version values of the registry for a test and puts the previous values
// back afterwards.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class IeVersionRegistry {
public:
    IeVersionRegistry();
    ~IeVersionRegistry();
    IeVersionRegistry(const IeVersionRegistry&) = delete;
    IeVersionRegistry& operator=(const IeVersionRegistry&) = delete;

    // Writes a REG_SZ value ("svcVersion" or "Version").
    void Set(const wchar_t* name, const std::wstring& value);
    void Remove(const wchar_t* name);

private:
    struct Saved {
        std::wstring name;
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    HKEY key_ = nullptr;
    std::vector<Saved> saved_;
};

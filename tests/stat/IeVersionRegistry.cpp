// Registry fixture for the Internet Explorer version probe.
#include "IeVersionRegistry.h"

IeVersionRegistry::IeVersionRegistry()
{
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer", 0, nullptr, 0,
                    KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
    for (const wchar_t* name : {L"svcVersion", L"Version"}) {
        Saved value;
        value.name = name;
        DWORD size = 0;
        if (key_ && RegQueryValueExW(key_, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
            value.data.resize(size);
            value.present = RegQueryValueExW(key_, name, nullptr, &value.type, value.data.data(), &size) ==
                            ERROR_SUCCESS;
        }
        saved_.push_back(value);
    }
}

IeVersionRegistry::~IeVersionRegistry()
{
    if (!key_)
        return;
    for (const Saved& value : saved_) {
        if (value.present)
            RegSetValueExW(key_, value.name.c_str(), 0, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size()));
        else
            RegDeleteValueW(key_, value.name.c_str());
    }
    RegCloseKey(key_);
}

void IeVersionRegistry::Set(const wchar_t* name, const std::wstring& value)
{
    RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void IeVersionRegistry::Remove(const wchar_t* name)
{
    RegDeleteValueW(key_, name);
}

// Machine facts for the "dev_info" object of every statistics document. The probes never fail
// loudly: they give an empty or fallback text instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ns_kw_stat {

// "xp", "vista", "win7", "win8" or empty, from the version GetVersionExW reports.
std::wstring GetOSName();
std::wstring OSNameOfVersion(unsigned major, unsigned minor);
bool IsWow64();
// "64" on 64-bit Windows, else "32".
std::wstring GetOSBits();
// The Internet Explorer version text from the registry, possibly empty.
std::wstring GetIEVersion();
// The major component of a dotted version text as decimal text ("0" for none).
std::wstring MajorVersionText(const std::wstring& version);
// The first network adapter's address as "XX-XX-XX-XX-XX-XX"; empty when no adapter answers.
std::wstring GetMacAddress();
// The address text of an adapter status answer: the bytes that NCBASTAT wrote and the code it
// returned. Empty unless the answer is complete or lacks only the names that did not fit.
std::wstring MacAddressFromStatus(unsigned char result, const void* answer, size_t length);
// CPUID leaf 1's EDX then EAX as 16 upper-case hexadecimal digits.
std::wstring GetCpuId();
// Appends the low byte of each dotted component of text to parts, then pads with zero bytes up to
// minimumCount (a negative count never pads).
void SplitVersion(const std::wstring& text, int minimumCount, std::vector<uint8_t>& parts);

}  // namespace ns_kw_stat

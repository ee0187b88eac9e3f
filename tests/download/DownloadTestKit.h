// Helpers of the download tests: packages placed on the local package host, scratch folders,
// file contents, waiting, and the host's request records.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "WaitUntil.h"

using Bytes = std::vector<unsigned char>;

// Random bytes (fixed seed per call site) for a package.
Bytes RandomBytes(size_t size, unsigned seed);

// Puts a package into the host's folder; returns its URL on the official port.
std::wstring PublishPackage(const std::wstring& name, const Bytes& content);

// A file or folder of the build tree (relative path with slashes) as a Windows path.
std::wstring BuildPath(const std::wstring& relative);

// A new empty folder below the temporary folder, ending with a backslash; empty when none can be
// made there.
std::wstring ScratchFolder(const wchar_t* label);
void RemoveFolder(const std::wstring& folder);

bool FileExists(const std::wstring& path);
long long FileSize(const std::wstring& path);  // -1 without the file
Bytes ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const Bytes& content);


// The values of one request header over the package host's recorded requests, in order
// ("" for a request that did not send it).
std::vector<std::wstring> RecordedHeader(const std::wstring& header);

// The lower-case MD5 of a file, by Windows' own CryptoAPI (independent of the installer's hashing).
std::wstring Md5OfFile(const std::wstring& path);

// Seconds taken by the call.
double SecondsOf(const std::function<void()>& call);

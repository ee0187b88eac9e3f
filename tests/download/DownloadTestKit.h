// Helpers of the download tests: packages placed on the local package host, scratch folders,
// file contents, waiting, and the host's request records.
#pragma once

#include <cstdint>
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

// A host on a port of its own that takes every connection and never answers: it listens and never
// accepts, so the system completes each connection and keeps what the client sends. Closing it
// resets the connections still waiting.
class SilentHost {
public:
    SilentHost();
    ~SilentHost();
    SilentHost(const SilentHost&) = delete;
    SilentHost& operator=(const SilentHost&) = delete;
    // An http URL of the host with the path; empty when it could not listen.
    std::wstring Url(const std::wstring& path) const;
    void Close();

private:
    bool m_started = false;  // Winsock, ended again with the host
    uintptr_t m_socket;
    int m_port = 0;
};

// Runs the call on a thread of its own and waits for it at most timeoutMs; false when it had not
// returned by then, and then closes the host so that the call ends and its thread can be joined.
bool ReturnsWithin(const std::function<void()>& call, unsigned timeoutMs, SilentHost& host);

// Seconds taken by the call.
double SecondsOf(const std::function<void()>& call);

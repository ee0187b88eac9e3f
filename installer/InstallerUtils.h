// Free helpers shared by the installer's start-up, controller, views and downloaders. Every one
// reports failure only through its result (empty text, false, nothing) and never shows a message.
#pragma once

#include <cstddef>

#include "CString.h"

// Folders of the system (SystemFolders.cpp).
CString GetTempFolder();          // ends with a backslash
CString GetModuleFolder();        // folder of the running program, no trailing backslash
CString GetProgramFilesFolder();
CString GetAppDataFolder();

// Writes the bytes of the program's resource (type, numeric id) to a new file, replacing an old
// one; true when the file could be created (FileTexts.cpp).
bool WriteResourceToFile(const CString& filePath, const CString& resourceType, int resourceId);

// HTTP (HttpRequests.cpp). The answer body of a GET as raw bytes with line breaks removed; empty
// when the request fails, the status is not 2xx, the body is longer than kMaxTextAnswerBytes, or
// the service sends nothing for kTextAnswerTimeoutMs (it runs on the user-interface thread).
constexpr int kMaxTextAnswerBytes = 1 << 20;
constexpr DWORD kTextAnswerTimeoutMs = 30000;
CStringA HttpGetText(const CString& url);
// The body's bytes decoded as UTF-8.
CString DecodeUtf8Text(const CStringA& body);
// A fire-and-forget GET: the status is read, the body is not.
void HttpPing(const CString& url);

// Texts about sizes and files (FileTexts.cpp).
CString FormatByteSize(double size);
// Product version of the file's fixed version information as "a.b.c.d", empty without one.
CString GetFileVersionText(const CString& filePath);
// Lower-case hexadecimal MD5 of the file's contents.
CString GetFileMd5Text(const CString& filePath);

// Processes (ProcessControl.cpp).
// Runs the program hidden and waits until it ends; true when it could be started.
bool RunProgramAndWait(const CString& programPath, const CString& parameters);
// Terminates the first running process whose executable name matches (case ignored); true when
// one was terminated.
bool KillProcessByName(const CString& exeName);
// Stops a running copy of the product and of its helper before their files are replaced.
void StopRunningProduct();

// The product's uninstall entry (UninstallEntry.cpp).
bool RunsUnderWow64();
// Registry path of the product's uninstall key below HKEY_LOCAL_MACHINE.
CString UninstallKeyPath();
// The entry's "UninstallString", empty when absent, empty or unreadable.
CString ReadUninstallString();
// Folder of the uninstall entry's program, up to and including its last backslash (empty when it
// has none). A quoted text counts by the path inside its quotes.
CString InstalledProductFolder();
// Full path of the installed product's program: InstalledProductFolder() followed by "Tavrin.exe".
CString InstalledProductPath();

// MAC address of the first network adapter as "XX-XX-XX-XX-XX-XX", empty when the lookup fails
// (MacAddress.cpp).
CString GetMacAddressText();
// The address text of an adapter status answer: the bytes that NCBASTAT wrote and the code it
// returned. Empty unless the answer is complete or lacks only the names that did not fit.
CString MacAddressFromStatus(unsigned char result, const void* answer, size_t length);

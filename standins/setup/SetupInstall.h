// The setup stand-in's work: reading the install folder from its arguments and installing into it.
#pragma once

// Resource id of the embedded product program (this header is also read by the resource compiler).
#define SETUP_PRODUCT_RESOURCE 101

#ifndef RC_INVOKED
#include <string>

// The folder of "/I=\"...\"" (also with the quotes escaped as \", or unquoted "/I=..." up to the end),
// exactly as written, a trailing backslash included; empty when the argument is missing.
std::wstring InstallFolderArgument(const std::wstring& arguments);

// Writes Tavrin.exe and uninst.exe into the folder (created when missing), the uninstall key and the
// channel file. False when a step fails.
bool InstallProduct(const std::wstring& folder, const std::wstring& channel);
#endif

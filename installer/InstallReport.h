// The install report: one GET to the report host naming the machine (MAC address and disk serial
// number), the installed product's version and the distribution channel.
#pragma once

#include "CString.h"

// A query field with every byte of its UTF-8 form that is not a letter, a digit or one of "-._~"
// written as %XX, so that no field can change the query's shape.
CString EscapeQueryField(const CString& field);

// reportHost + "?tvn_onlineinstall_<mac>+<serial>_V<version>_<channel>=", every field escaped and
// the serial number trimmed of white space at both ends.
CString BuildInstallReportUrl(const CString& reportHost, const CString& macAddress,
                              const CString& diskSerial, const CString& version,
                              const CString& channel);

// Reads the channel and the installed version, builds the report and sends it; the answer is not
// read and a failure is not reported.
void SendInstallReport();

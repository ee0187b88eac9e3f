// The maker's version service: its addresses (official or test host), the product's registration,
// and the formats of the version-information answer and of the change log.
#pragma once

#include "CString.h"

// True when the marker file "qmotestver" lies in the program's folder (given without a trailing
// backslash); only its existence counts.
bool IsTestModeFolder(const CString& programFolder);

// Builds the change-log, version-information and agreement addresses for the installed version,
// on the test host when the program's folder holds the marker, and resets the display name.
void SetServiceAddresses(const CString& programFolder);

// 1 when the product's uninstall key opens with full access rights, else 0.
int IsProductRegistered();

// The five fields of a version-information answer: engine kind, newest version, setup file name,
// download URL and expected MD5, separated by backticks, the last one closed by "}".
struct VersionAnswer {
    int engineKind = 0;
    CString newestVersion;
    CString setupFileName;
    CString downloadUrl;
    CString expectedMd5;
};

// Takes the fields one by one; a missing separator leaves its field empty.
VersionAnswer ParseVersionAnswer(const CString& answer);

// Each part of the change log before a backtick becomes one line ending in CR LF; the part after
// the last backtick is not shown.
CString ChangeLogNotes(const CString& changeLog);

// The version's first two components: cut at the last "." twice, where one exists.
CString MajorMinorOf(const CString& version);

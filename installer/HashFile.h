// Digest of a text or of a file's contents by algorithm id, as hexadecimal text in one of four
// layouts. The package check asks it for the MD5 of the downloaded file.
#pragma once

#include "CString.h"

// One hash job. Texts are narrow (ANSI code page).
struct HashRequest {
    HashRequest();

    CStringA text;       // the input when inputKind is 1
    int algorithm;       // 1 CRC-32, 2 GOST R 34.11-94, 3 MD2, 4 MD4, 5 MD5, 6 SHA-1, 7 SHA-2
    CStringA path;       // the file to hash when inputKind is 2
    int outputFormat;    // 1 plain, 2 spaced, 3 upper case, 4 spaced upper case; others as 1
    int inputKind;       // 1 text, 2 file
    int shaBits;         // SHA-2 digest size: 256, 384 or 512
    CStringA hexText;    // working text of the hexadecimal digits
    // When not empty, the file to hash instead of path: a path outside the ANSI code page does
    // not survive narrowing.
    CString widePath;
};

// Runs the job and returns the result (also left in result). Unknown ids and input kinds, an
// empty path, a file that cannot be opened or read to its end and, for MD5, an empty file give
// the empty text.
const CStringA& HashFile(HashRequest& request, CStringA& result);

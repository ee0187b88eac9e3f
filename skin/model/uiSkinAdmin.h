// The skin administrator: owner of the loaded skin database. Images and cursors read their bytes from
// the database's entries through it.
#pragma once

#include <windows.h>
#include "CString.h"

class uiStyle;

class uiSkinAdmin {
public:
    virtual ~uiSkinAdmin() = default;

    // A copy of the named style (the caller owns it), or null.
    uiStyle* FindStyle(const CString& name) const;

    // Data size of the named file entry; 0 when there is none.
    int GetEntrySize(const CString& name) const;
    // Copies the named entry's data into the buffer; the byte count, or 0 on failure.
    int ReadEntry(const CString& name, BYTE* buffer, int size) const;
};

uiSkinAdmin& uiGetSkinAdmin();

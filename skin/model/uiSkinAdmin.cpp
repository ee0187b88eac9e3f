// The skin administrator. No skin database is loaded yet, so no entry exists.
#include "uiSkinAdmin.h"
#include "uiStyle.h"

uiStyle* uiSkinAdmin::FindStyle(const CString&) const
{
    return nullptr;
}

int uiSkinAdmin::GetEntrySize(const CString&) const
{
    return 0;
}

int uiSkinAdmin::ReadEntry(const CString&, BYTE*, int) const
{
    return 0;
}

uiSkinAdmin& uiGetSkinAdmin()
{
    static uiSkinAdmin admin;
    return admin;
}

// The look of one row of a list box, list view or tree view, or of one tab: a named bundle of display
// items, event items and an optional progress bar, copied by the control for each row it paints.
#pragma once

#include <windows.h>
#include <memory>
#include "CString.h"
#include "uiDisplayList.h"

class uiDisplayEventList;
class uiDisplayProgressItem;

class uiDrawObj {
public:
    uiDrawObj();
    uiDrawObj(const uiDrawObj&) = delete;
    uiDrawObj& operator=(const uiDrawObj&) = delete;
    ~uiDrawObj();

    // A deep copy, with relative placements linked among its items; the caller owns it.
    uiDrawObj* Clone() const;

    uiDisplayList& GetDisplayList() { return m_displayList; }
    uiDisplayEventList& GetEventList() { return *m_eventList; }
    uiDisplayProgressItem* GetProgressItem() const { return m_progressItem.get(); }
    // Takes ownership, replacing an earlier progress item.
    void SetProgressItem(uiDisplayProgressItem* item);

    CString m_name;

private:
    uiDisplayList m_displayList;
    std::unique_ptr<uiDisplayEventList> m_eventList;
    std::unique_ptr<uiDisplayProgressItem> m_progressItem;
};

// Each does nothing for a null draw object.
void uiDrawObj_Paint(HDC dc, uiDrawObj* object, DWORD state);
void uiDrawObj_SetText(uiDrawObj* object, const CString& text);
void uiDrawObj_SetRect(uiDrawObj* object, const RECT& rect);
void uiDrawObj_SetHitRect(uiDrawObj* object, const RECT& rowRect);
void uiDrawObj_ShiftX(uiDrawObj* object, int offset);
void uiDrawObj_PaintCollapseIcon(HDC dc, uiDrawObj* object);
void uiDrawObj_PaintExpandIcon(HDC dc, uiDrawObj* object);

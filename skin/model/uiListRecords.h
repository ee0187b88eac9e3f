// The settings records that own draw objects: tab controls, list boxes, tree views and list views.
// Each owns the looks of its rows (or tabs) read from its drawitem children.
#pragma once

#include <windows.h>
#include <memory>
#include <vector>
#include "CString.h"
#include "uiDisplayEventList.h"

class uiDrawObj;

// An owned sequence of draw objects in element order.
class uiDrawObjList {
public:
    uiDrawObjList();
    uiDrawObjList(const uiDrawObjList&) = delete;
    uiDrawObjList& operator=(const uiDrawObjList&) = delete;
    ~uiDrawObjList();

    // Takes ownership; a null object is not added.
    void Append(uiDrawObj* object);
    int GetCount() const { return static_cast<int>(m_objects.size()); }
    // Null when the index is out of range.
    uiDrawObj* At(int index) const;
    // The first draw object of that name (compared exactly), or null.
    uiDrawObj* Find(const wchar_t* name) const;
    // Appends a clone of every draw object to the target.
    void CloneInto(uiDrawObjList* target) const;

private:
    std::vector<std::unique_ptr<uiDrawObj>> m_objects;
};

// Element "tabctrlinfo".
struct uiTabCtrlInfo {
    int reserved = 0;       // no attribute sets it
    int marginLeft = 0;
    int marginTop = 0;
    int tabSpace = 4;
    int iconX = 0;
    int iconY = 0;
    CString spinStyle;
    POINT spinSize = {0, 0};
    // The eventitem children of the window element.
    uiDisplayEventList eventList;
    uiDrawObjList drawObjs;

    // Into a new record: the values, a copy of the event list and clones of the draw objects.
    void CopyTo(uiTabCtrlInfo* target) const;
};

// Element "listboxinfo".
struct uiListBoxInfo {
    BOOL drawOver = FALSE;
    uiDrawObjList drawObjs;
    BOOL oddEvenLine = FALSE;

    void CopyTo(uiListBoxInfo* target) const;
};

// Element "treectrlinfo".
struct uiTreeCtrlInfo {
    BOOL drawOver = FALSE;
    BOOL alwaysShowIcon = FALSE;
    int itemHeight = 23;
    uiDrawObjList drawObjs;
    int levelPos = 16;

    void CopyTo(uiTreeCtrlInfo* target) const;
};

// Element "listctrlinfo".
struct uiListCtrlInfo {
    BOOL drawOver = FALSE;
    int itemHeight = 23;
    uiDrawObjList drawObjs;
    BOOL oddEvenLine = FALSE;

    void CopyTo(uiListCtrlInfo* target) const;
};

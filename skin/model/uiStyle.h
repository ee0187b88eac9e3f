// A style: the named look of one kind of control, parsed from a window element of the skin's XML.
// Skinned windows never paint from a stored style; they take their own copy through Clone.
#pragma once

#include <windows.h>
#include <tinyxml.h>
#include "CString.h"

class uiStyle {
public:
    uiStyle() = default;
    uiStyle(const uiStyle&) = delete;
    uiStyle& operator=(const uiStyle&) = delete;
    virtual ~uiStyle() = default;

    // A new style read from a window element; the caller owns it.
    static uiStyle* CreateFromXml(const TiXmlElement* window);
    int ParseXml(const TiXmlElement* window);
    // A deep copy; the caller owns it.
    uiStyle* Clone() const;
    void CopyTo(uiStyle* target) const;

    CString name;
};

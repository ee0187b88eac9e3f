// Reading the skin's XML: documents from memory, UTF-8 attribute text widened, and the value syntax of
// integers, booleans, points, rectangles and colours.
#pragma once

#include <windows.h>
#include <tinyxml.h>
#include "CString.h"

class uiColorInfo;

// Parses the bytes (line ends normalised to LF); true when TinyXML reports no error.
bool uiXmlLoadMemory(TiXmlDocument& document, const char* bytes, size_t length);

// Widens UTF-8 (Basic Multilingual Plane only) into at most capacity units; the number written.
// A sequence cut short by the end of the bytes ends the conversion.
int uiXmlConvertUtf8ToWide(const char* bytes, int byteCount, wchar_t* destination, int capacity);

// The attribute's text widened; empty when the element or attribute is absent.
CString uiXmlAttributeW(const TiXmlElement* element, const char* name);

int uiXmlGetInt(const TiXmlElement* element, const char* name, int defaultValue);
int uiXmlGetBool(const TiXmlElement* element, const char* name, int defaultValue);
// "x,y" (C %i syntax); 1 when the attribute is present.
int uiXmlGetPoint(const TiXmlElement* element, const char* name, POINT* point);
// "left,top,width,height" (C %i syntax); 1 when the attribute is present.
int uiXmlGetRect4(const TiXmlElement* element, const char* name, RECT* rect);
// The attributes "left", "top", "width", "height"; INT_MAX stands for an absent one.
void uiXmlGetRect(const TiXmlElement* element, RECT* rect);
COLORREF uiXmlGetColor(const TiXmlElement* element, const char* name, COLORREF defaultValue);
void uiXmlGetColorRef(const TiXmlElement* element, const char* name, uiColorInfo* info);
// A "#name" reference to a named colour, or colour text.
COLORREF uiParseColorValue(const CString& text);

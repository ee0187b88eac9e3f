// Helpers of the style tests: a window element parsed from text, kept alive with its document.
#pragma once

#include <memory>
#include <string>
#include <tinyxml.h>
#include "CString.h"
#include "uiStyle.h"

// Writes an 8 x 4 24-bit bitmap file into the temporary folder and returns its path. Its columns, left
// to right, are blue, blue, green, green, red, red, blue, blue.
CString WriteColumnBitmap();
// The path as narrow text for XML (the temporary folder's path is ASCII under the test prefix).
std::string NarrowPath(const CString& path);
// Empties the skin administrator and loads the inheritance skin that the style_databases fixture
// packed into the build folder; whether it loaded.
bool LoadInheritanceSkin();

class StyleDocument {
public:
    // The root element of the text; null when it does not parse.
    const TiXmlElement* Parse(const std::string& text);
    const TiXmlElement* Parse(const char* bytes, size_t length);
    // A style read from the text's root element (a window element); null when it does not parse.
    std::unique_ptr<uiStyle> Style(const std::string& text);

private:
    TiXmlDocument m_document;
};

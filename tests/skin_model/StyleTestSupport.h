// Helpers of the style tests: a window element parsed from text, kept alive with its document.
#pragma once

#include <memory>
#include <string>
#include <tinyxml.h>
#include "uiStyle.h"

class StyleDocument {
public:
    // The root element of the text; null when it does not parse.
    const TiXmlElement* Parse(const std::string& text);
    // A style read from the text's root element (a window element); null when it does not parse.
    std::unique_ptr<uiStyle> Style(const std::string& text);

private:
    TiXmlDocument m_document;
};

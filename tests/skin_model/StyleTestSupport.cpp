// Parsing helpers of the style tests.
#include "StyleTestSupport.h"
#include "uiXmlReader.h"

const TiXmlElement* StyleDocument::Parse(const std::string& text)
{
    m_document.Clear();
    if (!uiXmlLoadMemory(m_document, text.data(), text.size()))
        return nullptr;
    return m_document.RootElement();
}

std::unique_ptr<uiStyle> StyleDocument::Style(const std::string& text)
{
    const TiXmlElement* window = Parse(text);
    if (!window)
        return nullptr;
    return std::unique_ptr<uiStyle>(uiStyle::CreateFromXml(window));
}

// Styles: creation from a window element and deep copies.
#include "uiStyle.h"
#include "uiXmlReader.h"

uiStyle* uiStyle::CreateFromXml(const TiXmlElement* window)
{
    uiStyle* style = new uiStyle;
    style->ParseXml(window);
    return style;
}

int uiStyle::ParseXml(const TiXmlElement* window)
{
    name = uiXmlAttributeW(window, "name");
    return 1;
}

uiStyle* uiStyle::Clone() const
{
    uiStyle* copy = new uiStyle;
    CopyTo(copy);
    return copy;
}

void uiStyle::CopyTo(uiStyle* target) const
{
    target->name = name;
}

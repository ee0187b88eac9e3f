// Skin commands.
#include "uiCommand.h"

#include <cwchar>

#include "uiGdiAdmin.h"
#include "uiImage.h"
#include "uiXmlReader.h"

uiCommand* uiCommand::CreateFromXml(const TiXmlElement* command)
{
    const CString code = uiXmlAttributeW(command, "code");
    if (code.IsEmpty())
        return nullptr;
    uiCommand* result = new uiCommand;
    // %i: the skin may write codes in decimal, hexadecimal (0x) or octal (leading 0).
    swscanf(code, L"%i", &result->m_code);
    result->m_picfile = uiXmlAttributeW(command, "picfile");
    return result;
}

int uiCommand::Draw(HDC dc, int x, int y, int state)
{
    if (!m_picture)
        m_picture = uiGetGdiAdmin().GetImage(m_picfile);
    if (!m_picture)
        return 1;
    const int width = m_picture->GetWidth();
    const int height = m_picture->GetHeight();
    if (width <= 0 || height <= 0)
        return 1;
    const int frame = width / 4;
    RECT source;
    switch (state) {
    case 1:
        source = {0, 0, frame, height};
        break;
    case 2:
        source = {frame, 0, 2 * width / 4, height};
        break;
    case 0x80:
        source = {3 * width / 4, 0, width, height};
        break;
    default:
        return 1;
    }
    const RECT destination = {x, y, x + frame, y + height};
    m_picture->Draw(dc, destination, &source);
    return 1;
}

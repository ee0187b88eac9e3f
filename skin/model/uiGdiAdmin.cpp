// The skin's GDI tables. In every table the first definition of a name stays; later ones are released.
#include "uiGdiAdmin.h"

#include <vector>

#include "uiImage.h"
#include "uiSkinAdmin.h"
#include "uiXmlReader.h"
#include "uiColorText.h"

namespace {

// Lookups accept "#name" for "name".
CString TableKey(const CString& name)
{
    if (name.GetLength() > 1 && name[0] == L'#')
        return name.Mid(1);
    return name;
}

template <typename Map>
typename Map::mapped_type::pointer Find(const Map& table, const CString& name)
{
    const auto found = table.find(TableKey(name));
    return found == table.end() ? nullptr : found->second.get();
}

// Calls f for every child element named child of every element named section below theme.
template <typename F>
void ForEachItem(const TiXmlElement* theme, const char* section, const char* child, F f)
{
    for (const TiXmlElement* list = theme->FirstChildElement(section); list; list = list->NextSiblingElement(section))
        for (const TiXmlElement* item = list->FirstChildElement(child); item; item = item->NextSiblingElement(child))
            f(item);
}

} // namespace

void uiGdiAdmin::FontDeleter::operator()(HFONT__* font) const
{
    DeleteObject(font);
}

void uiGdiAdmin::CursorDeleter::operator()(HICON__* cursor) const
{
    DestroyCursor(cursor);
}

uiGdiAdmin::~uiGdiAdmin() = default;

int uiGdiAdmin::LoadGdiXml(const TiXmlElement* theme, const CString& basePath, const CString& skinFolder,
                           const CString& sourceName)
{
    m_basePath = basePath;
    m_skinFolder = skinFolder;
    m_sourceName = sourceName;
    if (!theme)
        return 1;
    ForEachItem(theme, "uicolor", "color", [this](const TiXmlElement* e) { ReadColorElement(e); });
    ForEachItem(theme, "uicursor", "cursor", [this](const TiXmlElement* e) { ReadCursorElement(e); });
    ForEachItem(theme, "uifont", "font", [this](const TiXmlElement* e) { ReadFontElement(e); });
    ForEachItem(theme, "uiimage", "image", [this](const TiXmlElement* e) { ReadImageElement(e); });
    return 1;
}

CString uiGdiAdmin::FilePath(const CString& fileName) const
{
    return m_basePath + m_skinFolder + L"\\" + fileName;
}

CString uiGdiAdmin::EntryName(const CString& fileName) const
{
    return m_skinFolder + L"\\" + fileName;
}

void uiGdiAdmin::ReadColorElement(const TiXmlElement* element)
{
    const CString id = uiXmlAttributeW(element, "id");
    COLORREF value = 0;
    uiParseColor(uiXmlAttributeW(element, "value"), &value);
    auto color = std::make_unique<uiColorInfo>(value);
    color->SetCanAdjust(uiXmlGetBool(element, "canadjust", 1));
    color->SetOnlyBlackWhite(uiXmlGetBool(element, "onlyBlackWhite", 0));
    m_colors.emplace(id, std::move(color));
}

void uiGdiAdmin::ReadCursorElement(const TiXmlElement* element)
{
    const CString id = uiXmlAttributeW(element, "id");
    const CString value = uiXmlAttributeW(element, "value");
    if (IsDatabaseSource()) {
        // Making a cursor costs as much as the rest of the GDI pass; only the bytes are taken now.
        if (m_cursors.count(id))
            return;
        const CString entry = EntryName(value);
        const int size = uiGetSkinAdmin().GetEntrySize(entry);
        if (size <= 0)
            return;
        std::vector<BYTE> bytes(size);
        if (uiGetSkinAdmin().ReadEntry(entry, bytes.data(), size) == size)
            m_pendingCursors[id].push_back(std::move(bytes));
        return;
    }
    // An earlier definition from the database still comes first.
    if (ResolveCursor(id))
        return;
    HCURSOR cursor = static_cast<HCURSOR>(LoadImageW(nullptr, FilePath(value), IMAGE_CURSOR, 0, 0,
                                                     LR_DEFAULTSIZE | LR_LOADFROMFILE));
    if (cursor)
        m_cursors.emplace(id, CursorHandle(cursor));
}

HCURSOR uiGdiAdmin::ResolveCursor(const CString& id) const
{
    const auto made = m_cursors.find(id);
    if (made != m_cursors.end())
        return made->second.get();
    const auto pending = m_pendingCursors.find(id);
    if (pending == m_pendingCursors.end())
        return nullptr;
    HCURSOR cursor = nullptr;
    for (const std::vector<BYTE>& bytes : pending->second)
        if ((cursor = uiCreateCursorFromBytes(bytes.data(), bytes.size())) != nullptr)
            break;
    m_pendingCursors.erase(pending);
    if (cursor)
        m_cursors.emplace(id, CursorHandle(cursor));
    return cursor;
}

void uiGdiAdmin::ReadFontElement(const TiXmlElement* element)
{
    const CString id = uiXmlAttributeW(element, "id");
    if (id.IsEmpty())
        return;
    const CString face = uiXmlAttributeW(element, "fontface");
    const int size = uiXmlGetInt(element, "fontsize", 13);
    const bool vertical = uiXmlGetBool(element, "bvert", 0);
    HFONT font = CreateFontW(-size, 0, vertical ? 2700 : 0, 0, uiXmlGetBool(element, "bold", 0) ? FW_BOLD : FW_NORMAL,
                             uiXmlGetBool(element, "italic", 0), uiXmlGetBool(element, "underline", 0), FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             uiXmlGetBool(element, "cleartype", 0) ? CLEARTYPE_QUALITY : DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face);
    if (font)
        m_fonts.emplace(id, FontHandle(font));
}

void uiGdiAdmin::ReadImageElement(const TiXmlElement* element)
{
    const CString id = uiXmlAttributeW(element, "id");
    const CString value = uiXmlAttributeW(element, "value");
    auto image = std::make_unique<uiImage>();
    image->SetTransparentColor(uiXmlGetColor(element, "transparentcolor", UI_NO_COLOR));
    image->SetIconSize(uiXmlGetInt(element, "iconwidth", 0), uiXmlGetInt(element, "iconheight", 0));
    if (IsDatabaseSource())
        image->SetDbEntry(EntryName(value));
    else if (!image->SetFile(FilePath(value)))
        return;
    image->SetCanAdjust(uiXmlGetBool(element, "canadjust", 1));
    if (uiXmlGetBool(element, "bgray", 0))
        image->MakeGray();
    m_images.emplace(id, std::move(image));
}

uiColorInfo* uiGdiAdmin::GetColor(const CString& name) const
{
    return Find(m_colors, name);
}

COLORREF uiGdiAdmin::GetColorValue(const CString& name) const
{
    const uiColorInfo* color = GetColor(name);
    return color ? color->GetColor() : 0xFF000000;
}

HCURSOR uiGdiAdmin::GetCursor(const CString& name) const
{
    return ResolveCursor(TableKey(name));
}

HFONT uiGdiAdmin::GetFont(const CString& name) const
{
    return Find(m_fonts, name);
}

uiImage* uiGdiAdmin::GetImage(const CString& name)
{
    if (uiImage* image = Find(m_images, name))
        return image;
    auto image = std::make_unique<uiImage>();
    if (!image->SetFile(name))
        return nullptr;
    uiImage* result = image.get();
    m_images.emplace(TableKey(name), std::move(image));
    return result;
}

void uiGdiAdmin::Clear()
{
    m_fonts.clear();
    m_colors.clear();
    m_cursors.clear();
    m_pendingCursors.clear();
    m_images.clear();
}

uiGdiAdmin& uiGetGdiAdmin()
{
    static uiGdiAdmin admin;
    return admin;
}

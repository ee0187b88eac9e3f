// The skin's named GDI resources: colour records, cursors, fonts and images, filled from the uicolor,
// uicursor, uifont and uiimage sections of every skin document and looked up by name.
#pragma once

#include <windows.h>
#include <map>
#include <memory>
#include <vector>
#include <tinyxml.h>
#include "CString.h"
#include "uiColorInfo.h"

class uiImage;

// Where images and cursors come from.
enum uiSourceMode {
    UI_SOURCE_FILES = 0,
    UI_SOURCE_DATABASE = 1,
    UI_SOURCE_DATABASE_RESOURCE = 2,
};

class uiGdiAdmin {
public:
    uiGdiAdmin() = default;
    uiGdiAdmin(const uiGdiAdmin&) = delete;
    uiGdiAdmin& operator=(const uiGdiAdmin&) = delete;
    virtual ~uiGdiAdmin();

    // Reads the GDI sections of one skin document's theme element; always 1.
    int LoadGdiXml(const TiXmlElement* theme, const CString& basePath, const CString& skinFolder,
                   const CString& sourceName);

    // Names are accepted with or without a leading "#".
    uiColorInfo* GetColor(const CString& name) const;
    // The named colour's current value, or 0xFF000000.
    COLORREF GetColorValue(const CString& name) const;
    HCURSOR GetCursor(const CString& name) const;
    HFONT GetFont(const CString& name) const;
    // A name that is not in the table is taken as a file path and entered under that name.
    uiImage* GetImage(const CString& name);

    void SetSourceMode(int mode) { m_sourceMode = mode; }
    void Clear();

private:
    struct FontDeleter { void operator()(HFONT__* font) const; };
    struct CursorDeleter { void operator()(HICON__* cursor) const; };
    using FontHandle = std::unique_ptr<HFONT__, FontDeleter>;
    using CursorHandle = std::unique_ptr<HICON__, CursorDeleter>;

    void ReadColorElement(const TiXmlElement* element);
    void ReadCursorElement(const TiXmlElement* element);
    void ReadFontElement(const TiXmlElement* element);
    void ReadImageElement(const TiXmlElement* element);
    // Makes the cursor of the first pending definition of that id that gives one; null when none does.
    HCURSOR ResolveCursor(const CString& id) const;
    bool IsDatabaseSource() const { return m_sourceMode == UI_SOURCE_DATABASE || m_sourceMode == UI_SOURCE_DATABASE_RESOURCE; }
    CString FilePath(const CString& fileName) const;
    CString EntryName(const CString& fileName) const;

    std::map<CString, FontHandle> m_fonts;
    std::map<CString, std::unique_ptr<uiColorInfo>> m_colors;
    // Cursors from the database are made when first looked up: until then each id keeps the bytes of
    // its definitions in the order they were read.
    mutable std::map<CString, CursorHandle> m_cursors;
    mutable std::map<CString, std::vector<std::vector<BYTE>>> m_pendingCursors;
    std::map<CString, std::unique_ptr<uiImage>> m_images;
    CString m_skinFolder;
    CString m_sourceName;
    CString m_basePath;
    int m_sourceMode = UI_SOURCE_FILES;
};

uiGdiAdmin& uiGetGdiAdmin();

// Makes a cursor from the bytes of a .cur file; null when the bytes are not a one-image cursor file.
HCURSOR uiCreateCursorFromBytes(const BYTE* bytes, size_t length);

// The skin administrator: the one owner of a loaded skin. It reads the skin database (a container of
// named entries), runs a GDI pass and a style pass over every XML entry, and answers lookups of
// styles, commands, control types and entry bytes. Images and cursors read their bytes from the
// database's entries through it when they are first needed.
#pragma once

#include <windows.h>
#include <map>
#include <memory>
#include <vector>
#include <tinyxml.h>
#include "CString.h"

class uiCommand;
class uiSkinMemStream;
class uiStyle;

class uiSkinAdmin {
public:
    uiSkinAdmin();
    uiSkinAdmin(const uiSkinAdmin&) = delete;
    uiSkinAdmin& operator=(const uiSkinAdmin&) = delete;
    virtual ~uiSkinAdmin();

    // Loads the database held as a resource of the executable's own module; 1 or 0 (error 112 when the
    // resource is missing, 110 when the container is invalid).
    BOOL LoadFromResource(const wchar_t* name, const wchar_t* type);
    // Loads a container from memory; 1 or 0 (error 110). XML entries that fail leave the load a
    // success with error 101.
    BOOL LoadSkinDB(const BYTE* bytes, DWORD size);
    BOOL Unload();

    // A copy of the named style (the caller owns it), or null.
    uiStyle* FindStyle(const CString& name) const;
    uiCommand* FindCommand(int code) const;
    // The control-type code of a window class (looked up in lower case), or -1.
    int GetControlType(const CString& className) const;

    // Data size of the named file entry; 0 when there is none.
    int GetEntrySize(const CString& name) const;
    // Copies the named entry's data into the buffer; the byte count, or 0 on failure.
    int ReadEntry(const CString& name, BYTE* buffer, int size) const;

    const CString& GetTitle() const { return m_title; }
    const CString& GetSkinFolder() const { return m_skinFolder; }
    const CString& GetLastErrorText() const { return m_lastErrorText; }

    // The key of the index transform, built from a pass phrase.
    static DWORD HashPassword(const wchar_t* passPhrase);

private:
    // XORs every whole 32-bit word of the block with the key and the fixed constant; restores as well.
    static void TransformIndex(BYTE* block, size_t length, DWORD key);

    struct Entry {
        DWORD type;
        DWORD dataSize;
        DWORD dataOffset;
        CString name;
    };

    bool ReadIndex(std::vector<BYTE>* index);
    bool ParseIndex(const std::vector<BYTE>& index);
    bool LoadXmlEntries();
    bool ReadEntryData(const Entry& entry, BYTE* buffer) const;
    const Entry* FindEntry(const CString& name) const;
    // The failure end: the entries dropped and error 110; the detail stays in the last error text.
    BOOL FailLoad();

    // The two passes over one parsed XML entry (uiSkinAdminXml.cpp); each returns whether it passed.
    // parsed tells whether the entry's text parsed at all.
    bool GdiPass(const TiXmlDocument& document, bool parsed);
    bool StylePass(const TiXmlDocument& document, bool parsed);
    // theme > manifest, or null with error 102 and a log line.
    const TiXmlElement* FindManifest(const TiXmlDocument& document, bool report);
    void OpenLog(const TiXmlElement* manifest);
    void ReadStyles(const TiXmlElement* theme);
    void ReadCommands(const TiXmlElement* theme);
    void ReadControlClasses(const TiXmlElement* theme);
    void SetDefaultControlClasses();

    CString m_basePath;
    CString m_sourceName;
    CString m_skinFolder;
    mutable CString m_lastErrorText;
    CString m_title;
    std::map<CString, std::unique_ptr<uiStyle>> m_styles;
    std::map<int, std::unique_ptr<uiCommand>> m_commands;
    std::map<CString, int> m_controlClasses;
    // Copies of the index entries: nothing refers into the index block once it is parsed.
    std::vector<Entry> m_entries;
    std::unique_ptr<uiSkinMemStream> m_stream;
    int m_sourceMode = 0;
};

uiSkinAdmin& uiGetSkinAdmin();

// The skin administrator: the container reader, the entry lookups and unloading. The XML passes are
// in uiSkinAdminXml.cpp.
#include "uiSkinAdmin.h"

#include "uiCommand.h"
#include "uiGdiAdmin.h"
#include "uiLittleEndian.h"
#include "uiLogFile.h"
#include "uiMsgBoxSettings.h"
#include "uiSkinError.h"
#include "uiSkinMemStream.h"
#include "uiStyle.h"
#include "uiXmlReader.h"

namespace {

// Must match tools/skinpack/skinpack.py, which writes the databases.
const DWORD kHashSeed = 0x6C3F1A27;
const DWORD kIndexConstant = 0x93D5B84E;
const wchar_t kPassPhrase[] = L"Tavrin skin database 2026";

const DWORD kHeaderSize = 12;
const DWORD kTitleOffset = 16;     // behind three unread words and the title length
const DWORD kMaxTitleLength = 259; // UTF-16 units, the NUL included
const DWORD kEntryFixedSize = 28;  // the fields before the entry's name
const DWORD kFileEntry = 1;

bool LoadDocument(TiXmlDocument& document, const std::vector<BYTE>& xml)
{
    static const char kEmpty[] = "";
    const char* text = xml.empty() ? kEmpty : reinterpret_cast<const char*>(xml.data());
    return uiXmlLoadMemory(document, text, xml.size());
}

} // namespace

uiSkinAdmin::uiSkinAdmin() = default;

uiSkinAdmin::~uiSkinAdmin() = default;

DWORD uiSkinAdmin::HashPassword(const wchar_t* passPhrase)
{
    DWORD key = kHashSeed;
    for (DWORD i = 0; passPhrase && passPhrase[i]; ++i) {
        const DWORD c = static_cast<WORD>(passPhrase[i]);
        switch (i % 4) {
        case 0: key += c; break;
        case 1: key |= c << 16; break;
        case 2: key *= c; break;
        default: key += c << 16; break;
        }
    }
    return key;
}

void uiSkinAdmin::TransformIndex(BYTE* block, size_t length, DWORD key)
{
    const DWORD mask = key ^ kIndexConstant;
    for (size_t at = 0; at + 4 <= length; at += 4) {
        const DWORD word = uiReadDword(block + at) ^ mask;
        for (int i = 0; i < 4; ++i)
            block[at + i] = static_cast<BYTE>(word >> (8 * i));
    }
}

BOOL uiSkinAdmin::LoadFromResource(const wchar_t* name, const wchar_t* type)
{
    SetDefaultControlClasses();
    m_sourceMode = 2;
    uiGetGdiAdmin().SetSourceMode(m_sourceMode);
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, type);
    if (!resource) {
        uiSetSkinError(UI_ERROR_RESOURCE_NOT_FOUND);
        return FALSE;
    }
    HGLOBAL loaded = LoadResource(module, resource);
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = SizeofResource(module, resource);
    if (!bytes || !LoadSkinDB(bytes, size)) {
        uiSetSkinError(UI_ERROR_SKINDB_INVALID);
        return FALSE;
    }
    return TRUE;
}

BOOL uiSkinAdmin::LoadSkinDB(const BYTE* bytes, DWORD size)
{
    // The entries describe the stream they came with; they go with it.
    m_entries.clear();
    m_stream = std::make_unique<uiSkinMemStream>();
    m_stream->Create(bytes, size);
    // Images and cursors of a database skin are its entries, however the database arrived.
    if (m_sourceMode == UI_SOURCE_FILES)
        m_sourceMode = UI_SOURCE_DATABASE;

    std::vector<BYTE> index;
    if (!ReadIndex(&index))
        return FALSE;
    if (!ParseIndex(index))
        return FailLoad();
    return LoadXmlEntries() ? TRUE : FailLoad();
}

// Reads the header and the index block and restores the block.
bool uiSkinAdmin::ReadIndex(std::vector<BYTE>* index)
{
    BYTE header[kHeaderSize];
    DWORD done = 0;
    if (!m_stream->Read(header, kHeaderSize, &done)) {
        m_lastErrorText.Format(L"read failed %s", m_sourceName.GetString());
        FailLoad();
        return false;
    }
    const DWORD dataStart = uiReadDword(header);
    if (dataStart < kHeaderSize) {
        uiSetSkinError(UI_ERROR_SKINDB_INVALID);
        uiLogReport(UI_LOG_ERROR, L"SkinDB format invlaid [%s]", m_sourceName.GetString());
        return false;
    }
    // The length is checked against the data before anything is allocated for it.
    const DWORD length = dataStart - kHeaderSize;
    if (length > m_stream->GetSize() - kHeaderSize) {
        m_lastErrorText.Format(L"read failed %s", m_sourceName.GetString());
        FailLoad();
        return false;
    }
    index->resize(length);
    if (!m_stream->Read(index->data(), length, &done)) {
        m_lastErrorText.Format(L"read failed %s", m_sourceName.GetString());
        FailLoad();
        return false;
    }
    TransformIndex(index->data(), index->size(), HashPassword(kPassPhrase));
    return true;
}

// Checks the title and every entry against the block and the container before taking them.
bool uiSkinAdmin::ParseIndex(const std::vector<BYTE>& index)
{
    const DWORD length = static_cast<DWORD>(index.size());
    const BYTE* block = index.data();
    const DWORD titleLength = length >= kTitleOffset ? uiReadDword(block + 12) : 0;
    if (titleLength < 1 || titleLength > kMaxTitleLength || kTitleOffset + 2 * titleLength > length ||
        uiReadWord(block + kTitleOffset + 2 * (titleLength - 1)) != 0) {
        m_lastErrorText = L"check CRC failed, Wrong password?";
        return false;
    }
    CString title;
    for (DWORD i = 0; i + 1 < titleLength; ++i)
        title += static_cast<wchar_t>(uiReadWord(block + kTitleOffset + 2 * i));

    std::vector<Entry> entries;
    const DWORD containerSize = m_stream->GetSize();
    for (DWORD at = kTitleOffset + 2 * titleLength; at < length;) {
        const DWORD remaining = length - at;
        const DWORD entrySize = remaining >= kEntryFixedSize ? uiReadDword(block + at) : 0;
        if (entrySize < kEntryFixedSize + 2 || entrySize > remaining) {
            m_lastErrorText.Format(L"index entry at %u has an invalid size", at);
            return false;
        }
        Entry entry = {uiReadDword(block + at + 4), uiReadDword(block + at + 8), uiReadDword(block + at + 16), CString()};
        DWORD unit = at + kEntryFixedSize;
        for (; unit + 2 <= at + entrySize && uiReadWord(block + unit) != 0; unit += 2)
            entry.name += static_cast<wchar_t>(uiReadWord(block + unit));
        if (unit + 2 > at + entrySize) {
            m_lastErrorText.Format(L"index entry at %u has no name terminator", at);
            return false;
        }
        if (entry.type == kFileEntry &&
            (entry.dataOffset > containerSize || entry.dataSize > containerSize - entry.dataOffset)) {
            m_lastErrorText.Format(L"index entry %s lies outside the data", entry.name.GetString());
            return false;
        }
        entries.push_back(entry);
        at += entrySize;
    }
    m_title = title;
    m_entries.swap(entries);
    return true;
}

bool uiSkinAdmin::LoadXmlEntries()
{
    bool someFailed = false;
    for (const Entry& entry : m_entries) {
        if (entry.type != kFileEntry || entry.name.Find(L".xml") < 0)
            continue;
        std::vector<BYTE> xml(entry.dataSize);
        if (!ReadEntryData(entry, xml.data()))
            return false;
        // Both passes read the one document: the text is parsed once per entry.
        TiXmlDocument document;
        const bool parsed = LoadDocument(document, xml);
        const bool gdiPassed = GdiPass(document, parsed);
        const bool stylePassed = StylePass(document, parsed);
        someFailed = someFailed || !gdiPassed || !stylePassed;
    }
    if (someFailed) {
        uiLogReport(UI_LOG_ERROR, L"One of the XMLs parse failed.");
        uiSetSkinError(UI_ERROR_XML_FAILED);
    }
    return true;
}

bool uiSkinAdmin::ReadEntryData(const Entry& entry, BYTE* buffer) const
{
    if (m_stream->Seek(static_cast<LONG>(entry.dataOffset), 0) == -1) {
        m_lastErrorText.Format(L"SetFilePointer for %s failed, GetLastError is %d", m_sourceName.GetString(),
                               static_cast<int>(GetLastError()));
        return false;
    }
    DWORD done = 0;
    if (!m_stream->Read(buffer, entry.dataSize, &done) || done != entry.dataSize) {
        m_lastErrorText.Format(L"ReadFile failed for %s, GetLastError is %d", m_sourceName.GetString(),
                               static_cast<int>(GetLastError()));
        return false;
    }
    return true;
}

BOOL uiSkinAdmin::FailLoad()
{
    m_entries.clear();
    uiSetSkinError(UI_ERROR_SKINDB_INVALID);
    return FALSE;
}

const uiSkinAdmin::Entry* uiSkinAdmin::FindEntry(const CString& name) const
{
    for (const Entry& entry : m_entries)
        if (entry.type == kFileEntry && entry.name.CompareNoCase(name) == 0)
            return &entry;
    return nullptr;
}

int uiSkinAdmin::GetEntrySize(const CString& name) const
{
    const Entry* entry = FindEntry(name);
    return entry ? static_cast<int>(entry->dataSize) : 0;
}

int uiSkinAdmin::ReadEntry(const CString& name, BYTE* buffer, int size) const
{
    const Entry* entry = m_stream ? FindEntry(name) : nullptr;
    if (!entry || !buffer || size <= 0)
        return 0;
    // Only the whole entry is read: a buffer of another size is refused before anything is copied.
    if (static_cast<DWORD>(size) != entry->dataSize) {
        m_lastErrorText.Format(L"ReadFile failed for %s, GetLastError is %d", m_sourceName.GetString(), 0);
        return 0;
    }
    return ReadEntryData(*entry, buffer) ? size : 0;
}

uiStyle* uiSkinAdmin::FindStyle(const CString& name) const
{
    const auto found = m_styles.find(name);
    return found == m_styles.end() ? nullptr : found->second->Clone();
}

uiCommand* uiSkinAdmin::FindCommand(int code) const
{
    const auto found = m_commands.find(code);
    return found == m_commands.end() ? nullptr : found->second.get();
}

int uiSkinAdmin::GetControlType(const CString& className) const
{
    CString key = className;
    key.MakeLower();
    const auto found = m_controlClasses.find(key);
    return found == m_controlClasses.end() ? -1 : found->second;
}

BOOL uiSkinAdmin::Unload()
{
    m_styles.clear();
    uiMsgBoxSettings::Instance().ForgetSkinResources();
    uiGetGdiAdmin().Clear();
    m_commands.clear();
    m_controlClasses.clear();
    m_entries.clear();
    m_stream.reset();
    return TRUE;
}

uiSkinAdmin& uiGetSkinAdmin()
{
    static uiSkinAdmin admin;
    return admin;
}

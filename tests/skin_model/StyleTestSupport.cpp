// Parsing helpers of the style tests.
#include "StyleTestSupport.h"
#include "SkinTestSupport.h"
#include "uiSkinAdmin.h"
#include "uiXmlReader.h"

#include <vector>

CString WriteColumnBitmap()
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    // One file per process: the style tests and the style mutation test run side by side.
    CString path;
    path.Format(L"%stavrin-style-columns-%lu.bmp", folder, GetCurrentProcessId());
    const int width = 8, height = 4, stride = width * 3;
    std::vector<BYTE> file(54 + stride * height, 0);
    auto put32 = [&file](size_t at, DWORD value) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<BYTE>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<DWORD>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            file[54 + y * stride + x * 3 + (x / 2) % 3] = 0xFF;
    }
    HANDLE handle = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
        CloseHandle(handle);
    }
    return path;
}

std::string NarrowPath(const CString& text)
{
    std::string narrow;
    for (int i = 0; i < text.GetLength(); ++i)
        narrow += static_cast<char>(text[i]);
    return narrow;
}

const TiXmlElement* StyleDocument::Parse(const std::string& text)
{
    return Parse(text.data(), text.size());
}

const TiXmlElement* StyleDocument::Parse(const char* bytes, size_t length)
{
    m_document.Clear();
    if (!uiXmlLoadMemory(m_document, bytes, length))
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

bool LoadInheritanceSkin()
{
    const std::vector<BYTE> bytes = ReadFileBytes(BuildTreePath(L"style-samples", L"inherit.skindb"));
    uiGetSkinAdmin().Unload();
    return !bytes.empty() && uiGetSkinAdmin().LoadSkinDB(bytes.data(), static_cast<DWORD>(bytes.size()));
}

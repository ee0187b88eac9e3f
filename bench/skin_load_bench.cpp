// Times loading the installer's skin database from its embedded resource (container, GDI pass and
// style pass of every document) and painting the main view's look into a memory DC, against parsing
// the same XML documents with TinyXML alone. Prints both medians and their ratio for bench/skin.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <tinyxml.h>

#include "uiSkinAdmin.h"
#include "uiStyle.h"

namespace {

const int kRounds = 25;
const wchar_t* const kDocuments[] = {L"tavrin\\common.xml", L"tavrin\\finishview.xml", L"tavrin\\installview.xml",
                                     L"tavrin\\mainview.xml", L"tavrin\\progressview.xml"};

double Seconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The load and the first paint, which also decodes the pictures that the main view shows.
bool LoadAndPaint(HDC dc)
{
    uiSkinAdmin& admin = uiGetSkinAdmin();
    if (!admin.LoadFromResource(MAKEINTRESOURCEW(2029), L"SKINDB"))
        return false;
    std::unique_ptr<uiStyle> style(admin.FindStyle(L"mainview.dialog"));
    if (!style)
        return false;
    style->displayList.Layout({0, 0, 430, 318});
    style->displayList.Paint(dc, 1);
    return true;
}

}  // namespace

int main()
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 430, 318);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    ReleaseDC(nullptr, screen);

    std::vector<std::string> documents;
    bool ok = LoadAndPaint(dc);
    for (const wchar_t* name : kDocuments) {
        std::string text(uiGetSkinAdmin().GetEntrySize(name), '\0');
        ok = ok && !text.empty() &&
             uiGetSkinAdmin().ReadEntry(name, reinterpret_cast<BYTE*>(&text[0]), static_cast<int>(text.size())) > 0;
        documents.push_back(text);
    }
    uiGetSkinAdmin().Unload();

    std::vector<double> load, parse;
    for (int round = 0; ok && round < kRounds; ++round) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        ok = LoadAndPaint(dc);
        QueryPerformanceCounter(&end);
        uiGetSkinAdmin().Unload();
        load.push_back(Seconds(start, end));

        QueryPerformanceCounter(&start);
        for (const std::string& text : documents) {
            TiXmlDocument document;
            document.Parse(text.c_str());
            ok = ok && !document.Error();
        }
        QueryPerformanceCounter(&end);
        parse.push_back(Seconds(start, end));
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (!ok) {
        std::fprintf(stderr, "skin_load_bench: the installer skin did not load\n");
        return 1;
    }
    std::printf("%.3f %.3f\n", Median(load) * 1000, Median(parse) * 1000);
    return 0;
}

// Damaged styles for every control kind of the gallery's skin: each damaged database that
// make_gallery_mutations.py wrote is loaded, the gallery window is skinned anew with it through
// uiSkinWindow (which skins every control kind), painted, resized, hovered and clicked through its
// controls, and its drop-downs opened. Now and then the window is destroyed and made again. The test
// passes when nothing crashes or hangs; a failure names the database. Each database ends flush against
// a no-access page, so that a read past its end crashes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "GalleryWindow.h"
#include "MutationInput.h"
#include "uiSkinAdmin.h"
#include "uiSkinEntry.h"

namespace {

std::vector<BYTE> ReadFileBytes(const std::wstring& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    const DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD read = 0;
    if (size == INVALID_FILE_SIZE || !ReadFile(file, bytes.data(), size, &read, nullptr) || read != size)
        bytes.clear();
    CloseHandle(file);
    return bytes;
}

std::wstring MutantFolder()
{
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    return std::wstring(folder) + L"\\mutants\\";
}

// Everything a user could do to the gallery in a moment, by messages.
void Exercise(HWND frame)
{
    PaintNow(frame);
    for (HWND child = GetTopWindow(frame); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(child, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        SendMessageW(child, WM_MOUSELEAVE, 0, 0);
        SendMessageW(child, WM_SETFOCUS, 0, 0);
        SendMessageW(child, WM_KILLFOCUS, 0, 0);
    }
    for (int id : {gallery::kDropDown, gallery::kDropList}) {
        SendMessageW(GetDlgItem(frame, id), CB_SHOWDROPDOWN, TRUE, 0);
        PumpPending();
        SendMessageW(GetDlgItem(frame, id), CB_SHOWDROPDOWN, FALSE, 0);
    }
    SendMessageW(GetDlgItem(frame, gallery::kTab), TCM_SETCURSEL, 2, 0);
    SendMessageW(GetDlgItem(frame, gallery::kSlider), TBM_SETPOS, TRUE, 80);
    SetWindowTextW(GetDlgItem(frame, gallery::kGroup), L"新的分组");
    SendMessageW(frame, WM_NCMOUSEMOVE, HTCLOSE, 0);
    SendMessageW(frame, WM_NCLBUTTONDOWN, HTZOOM, 0);
    SendMessageW(frame, WM_NCMOUSELEAVE, 0, 0);
    SendMessageW(frame, WM_NCACTIVATE, FALSE, 0);
    SendMessageW(frame, WM_NCACTIVATE, TRUE, 0);
    SetWindowPos(frame, nullptr, 0, 0, gallery::kWidth + 40, gallery::kHeight + 20, SWP_NOMOVE | SWP_NOZORDER);
    PaintNow(frame);
    SetWindowPos(frame, nullptr, 0, 0, gallery::kWidth, gallery::kHeight, SWP_NOMOVE | SWP_NOZORDER);
    PaintNow(frame);
}

TEST(GalleryMutation, DamagedStylesOfEveryKindNeitherCrashNorHang)
{
    WIN32_FIND_DATAW found = {};
    const std::wstring folder = MutantFolder();
    HANDLE search = FindFirstFileW((folder + L"mutant-*.skindb").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::vector<std::wstring> names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    ASSERT_GE(names.size(), 100u);
    const std::vector<BYTE> seed = ReadFileBytes(folder + L"seed.txt");
    std::printf("gallery mutants: seed %s", std::string(seed.begin(), seed.end()).c_str());

    ASSERT_TRUE(gallery::LoadSkin());
    HWND frame = gallery::CreateGalleryWindow(30, 30, false);
    ASSERT_NE(frame, nullptr);
    GuardedBuffer guarded;
    int loaded = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string name(names[i].begin(), names[i].end()); // the names are ASCII
        SCOPED_TRACE(name);
        TryingInput(name);
        const std::vector<BYTE> bytes = ReadFileBytes(folder + names[i]);
        ASSERT_FALSE(bytes.empty());
        if (uiGetSkinAdmin().LoadSkinDB(guarded.Place(bytes), static_cast<DWORD>(bytes.size())))
            ++loaded;
        if (i % 40 == 39) {
            DestroyWindow(frame);
            frame = gallery::CreateGalleryWindow(30, 30, false);
            ASSERT_NE(frame, nullptr);
        } else {
            uiSkinWindow(frame, 101, L"gallery", TRUE);
        }
        Exercise(frame);
    }
    DestroyWindow(frame);
    PumpPending();
    // Most damage leaves the container whole: the styles themselves were damaged, not only the file.
    EXPECT_GT(loaded, static_cast<int>(names.size()) / 2);
}

}  // namespace

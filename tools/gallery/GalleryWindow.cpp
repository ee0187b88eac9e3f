// The gallery window and its sample content.
#include "GalleryWindow.h"

#include <commctrl.h>

#include <initializer_list>

#include "uiDrawObj.h"
#include "uiHandleMap.h"
#include "uiSkinEntry.h"
#include "uiSkinListBox.h"
#include "uiSkinListCtrl.h"

namespace gallery {
namespace {

const DWORD kChild = WS_CHILD | WS_VISIBLE;

const Placement kPlacements[] = {
    {kEdit, {12, 12, 172, 36}},       {kEmptyEdit, {184, 12, 344, 36}}, {kSpin, {356, 12, 374, 36}},
    {kDate, {386, 12, 546, 36}},      {kDropDown, {12, 48, 172, 248}},  {kDropList, {184, 48, 344, 248}},
    {kSlider, {356, 48, 556, 78}},    {kTab, {12, 84, 344, 184}},       {kGroup, {356, 84, 556, 184}},
    {kToolbar, {12, 196, 344, 226}},  {kButton, {356, 196, 446, 224}},  {kStatic, {456, 196, 556, 224}},
    {kListBox, {12, 238, 172, 358}},  {kListView, {184, 238, 384, 358}}, {kTree, {396, 238, 556, 358}},
};

bool g_quitOnClose = false;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCDESTROY && g_quitOnClose)
        PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle = 0)
{
    const RECT place = PlaceOf(id);
    return CreateWindowExW(exStyle, className, text, kChild | style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void FillCombo(HWND combo)
{
    for (const wchar_t* text : {L"北京", L"上海", L"广州", L"深圳"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void FillTabs(HWND tab)
{
    int index = 0;
    for (const wchar_t* text : kTabs) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(text);
        SendMessageW(tab, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
    }
}

void FillToolbar(HWND toolbar)
{
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[3] = {};
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = 2001 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
        buttons[i].iString = reinterpret_cast<INT_PTR>(kToolbarButtons[i]);
    }
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(60, 26));
    SendMessageW(toolbar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons));
}

void FillListBox(HWND list)
{
    for (const wchar_t* text : {L"第一行", L"第二行", L"第三行", L"第四行"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(list, LB_SETCURSEL, 1, 0);
}

void FillListView(HWND list)
{
    const wchar_t* const columns[] = {L"名称", L"大小"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = i == 0 ? 110 : 70;
        column.pszText = const_cast<wchar_t*>(columns[i]);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    const wchar_t* const rows[][2] = {{L"安装包", L"12 MB"}, {L"说明", L"4 KB"}, {L"图标", L"9 KB"}};
    for (int row = 0; row < 3; ++row) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(rows[row][0]);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(rows[row][1]);
        SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
    LVITEMW selected = {};
    selected.stateMask = LVIS_SELECTED;
    selected.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&selected));
}

HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, const wchar_t* text)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FillTree(HWND tree)
{
    const HTREEITEM root = AddTreeItem(tree, TVI_ROOT, L"文档");
    AddTreeItem(tree, root, L"报告");
    AddTreeItem(tree, root, L"图片");
    const HTREEITEM last = AddTreeItem(tree, TVI_ROOT, L"下载");
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(last));
}

void CreateControls(HWND frame)
{
    Child(frame, L"EDIT", L"示例文本", ES_AUTOHSCROLL, kEdit, WS_EX_CLIENTEDGE);
    Child(frame, L"EDIT", L"", ES_AUTOHSCROLL, kEmptyEdit, WS_EX_CLIENTEDGE);
    Child(frame, UPDOWN_CLASSW, L"", 0, kSpin);
    const HWND date = Child(frame, DATETIMEPICK_CLASSW, L"", DTS_SHORTDATEFORMAT, kDate);
    SendMessageW(date, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&kShownDate));
    FillCombo(Child(frame, L"COMBOBOX", L"", CBS_DROPDOWN | WS_VSCROLL, kDropDown));
    FillCombo(Child(frame, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, kDropList));
    const HWND slider = Child(frame, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS, kSlider);
    SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageW(slider, TBM_SETPOS, TRUE, 50);
    FillTabs(Child(frame, WC_TABCONTROLW, L"", 0, kTab));
    Child(frame, L"BUTTON", L"分组", BS_GROUPBOX, kGroup);
    FillToolbar(Child(frame, TOOLBARCLASSNAMEW, L"",
                      CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT | TBSTYLE_LIST, kToolbar));
    Child(frame, L"BUTTON", L"按钮", BS_PUSHBUTTON, kButton);
    Child(frame, L"STATIC", L"静态文本", 0, kStatic);
    // Owner-drawn, as the skinned lists expect: their rows are drawn from the skin's row looks.
    FillListBox(Child(frame, L"LISTBOX", L"", WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, kListBox,
                      WS_EX_CLIENTEDGE));
    FillListView(Child(frame, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED, kListView,
                       WS_EX_CLIENTEDGE));
    FillTree(Child(frame, WC_TREEVIEWW, L"", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, kTree,
                   WS_EX_CLIENTEDGE));
}

// The skinned lists draw each row (each cell of a list view) from a look of its own, which shows the
// text that the application gives it: the rows get the texts they hold.
void LabelListBoxRows(HWND list)
{
    auto* skin = dynamic_cast<uiSkinListBox*>(uiGetHandleMap()->Find(list));
    if (!skin)
        return;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        wchar_t text[64] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, row, 0) < 64)
            SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
        uiDrawObj_SetText(skin->GetDrawItemInfo(row), text);
    }
}

void LabelListViewCells(HWND list)
{
    auto* skin = dynamic_cast<uiSkinListCtrl*>(uiGetHandleMap()->Find(list));
    if (!skin)
        return;
    for (int row = 0; row < skin->GetRowCount(); ++row) {
        for (int column = 0; column < skin->GetColumnCount(); ++column) {
            wchar_t text[64] = {};
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 64;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            uiDrawObj_SetText(skin->GetDrawItem(row, column), text);
        }
    }
}

}  // namespace

const Placement* Placements(int* count)
{
    *count = static_cast<int>(sizeof(kPlacements) / sizeof(*kPlacements));
    return kPlacements;
}

RECT PlaceOf(int id)
{
    for (const Placement& placement : kPlacements) {
        if (placement.id == id)
            return placement.rect;
    }
    return {0, 0, 0, 0};
}

bool LoadSkin()
{
    return uiLoadSkin(MAKEINTRESOURCEW(kSkinResource), kSkinType) != 0;
}

HWND CreateGalleryWindow(int x, int y, bool quitOnClose)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = FrameProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);
    g_quitOnClose = quitOnClose;
    const HWND frame = CreateWindowExW(0, kWindowClass, kTitle,
                                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, kWidth, kHeight, nullptr,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!frame)
        return nullptr;
    CreateControls(frame);
    uiSkinWindow(frame, 101, L"gallery", TRUE);
    LabelListBoxRows(GetDlgItem(frame, kListBox));
    LabelListViewCells(GetDlgItem(frame, kListView));
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    return frame;
}

}  // namespace gallery

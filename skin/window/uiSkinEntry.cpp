// The skin engine's entry functions and the control factory that maps a control-type code to the
// skin object class that draws it.
#include "uiSkinEntry.h"

#include "uiApiLoader.h"
#include "uiHandleMap.h"
#include "uiNoSkinGuard.h"
#include "uiScrollHooks.h"
#include "uiSkinAdmin.h"
#include "uiSkinAnimate.h"
#include "uiSkinBase.h"
#include "uiSkinButton.h"
#include "uiSkinComboBox.h"
#include "uiSkinControl.h"
#include "uiSkinDateTimeCtrl.h"
#include "uiSkinDialog.h"
#include "uiSkinDialogEx.h"
#include "uiSkinEditEx.h"
#include "uiSkinError.h"
#include "uiSkinGroupBox.h"
#include "uiSkinListBox.h"
#include "uiSkinListCtrl.h"
#include "uiSkinMenu.h"
#include "uiSkinProgress.h"
#include "uiSkinScrollBar.h"
#include "uiSkinScrollDialog.h"
#include "uiSkinScrollWnd.h"
#include "uiSkinSliderCtrl.h"
#include "uiSkinSpinButton.h"
#include "uiSkinSplitButton.h"
#include "uiSkinTabCtrl.h"
#include "uiSkinToolbarCtrl.h"
#include "uiSkinTreeCtrl.h"
#include "uiTimerWindow.h"
#include "uiWindowHelpers.h"

namespace {

enum RowFlags : unsigned {
    kStoreCode = 1,
    kSkinChildren = 2,
    kParentBeforeCreate = 4,
    kParentAfterCreate = 8,
    // Only a null name takes the default; an empty one is looked up as it is.
    kDefaultForNullOnly = 16,
    // The name goes on unchanged, null included.
    kNameAsGiven = 32,
    // A missing name is error 109.
    kNameRequired = 64,
    kAddNotify = 128,
};

struct FactoryRow {
    int code;
    uiSkinBase* (*create)();
    const wchar_t* defaultStyle;
    unsigned flags;
};

template <class T>
uiSkinBase* Make()
{
    return new T;
}

// Codes without a row (112 and 118 among them) create nothing.
const FactoryRow kFactory[] = {
    {100, Make<uiSkinDialogEx>, L"dialog", kSkinChildren | kDefaultForNullOnly},
    {101, Make<uiSkinDialog>, L"dialog", kSkinChildren | kDefaultForNullOnly},
    {102, Make<uiSkinControl>, L"childdialog", kStoreCode | kSkinChildren},
    {103, Make<uiSkinButton>, L"button", kStoreCode},
    {104, Make<uiSkinButton>, L"checkbutton", kStoreCode},
    {105, Make<uiSkinButton>, L"radiobutton", kStoreCode},
    {106, Make<uiSkinControl>, L"static", kStoreCode | kAddNotify},
    {107, Make<uiSkinEditEx>, L"edit", 0},
    {108, Make<uiSkinListBox>, L"listbox", kParentAfterCreate},
    {109, Make<uiSkinListCtrl>, L"listctrl", kStoreCode | kParentAfterCreate},
    {110, Make<uiSkinComboBox>, L"combobox", 0},
    {111, Make<uiSkinScrollDialog>, L"scrollwindow", 0},
    {113, Make<uiSkinGroupBox>, L"groupbox", 0},
    {114, Make<uiSkinScrollBar>, L"scrollbar", 0},
    {115, Make<uiSkinSliderCtrl>, L"sliderctrl", kParentBeforeCreate},
    {116, Make<uiSkinSpinButton>, L"spinbutton", 0},
    {117, Make<uiSkinTabCtrl>, L"tabctrl", kParentAfterCreate},
    {119, Make<uiSkinProgress>, L"progress", 0},
    {120, Make<uiSkinAnimate>, nullptr, kNameAsGiven},
    {121, Make<uiSkinTreeCtrl>, L"treectrl", kParentBeforeCreate},
    {122, Make<uiSkinToolbarCtrl>, L"toolbarctrl", kParentBeforeCreate},
    {123, Make<uiSkinSplitButton>, L"splitbutton", kStoreCode},
    {124, Make<uiSkinScrollWnd>, L"scrollwindow", 0},
    {125, Make<uiSkinControl>, nullptr, kStoreCode | kNameRequired},
    {126, Make<uiSkinDateTimeCtrl>, L"datetimectrl", kParentBeforeCreate},
};

const FactoryRow* FindRow(int code)
{
    for (const FactoryRow& row : kFactory) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

const wchar_t* ResolveStyleName(const FactoryRow& row, const wchar_t* name)
{
    if (row.flags & kNameAsGiven)
        return name;
    if (row.flags & kDefaultForNullOnly)
        return name ? name : row.defaultStyle;
    return (name && *name) ? name : row.defaultStyle;
}

// Button codes refined by the exact low byte of a button's style, its own type in place of the owner
// drawing that a skin put there.
int RefineButtonCode(HWND child)
{
    switch ((GetWindowLongW(child, GWL_STYLE) & 0xF0) | uiSkinButton::OwnTypeOf(child)) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        return 104;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return 105;
    case BS_GROUPBOX:
        return 113;
    default:
        return 103;
    }
}

}  // namespace

int uiLoadSkin(LPCWSTR name, LPCWSTR type)
{
    if (!name)
        return 0;
    uiSkinAdmin& admin = uiGetSkinAdmin();
    uiInstallScrollHooks();
    uiApiLoader::Load();
    const int loaded = admin.LoadFromResource(name, type) ? 1 : 0;
    uiSetMenuSkin(TRUE);
    uiGetTimerWindow().Create();
    return loaded;
}

BOOL uiSkinWindow(HWND hwnd, int code, LPCWSTR styleName, BOOL bSkinChildren)
{
    const FactoryRow* row = FindRow(code);
    if (!row)
        return FALSE;
    if ((row->flags & kNameRequired) && !(styleName && *styleName)) {
        uiSetSkinError(UI_ERROR_NO_GENERIC_STYLE);
        return FALSE;
    }
    if (row->flags & kParentBeforeCreate)
        uiAttachParentSkin(hwnd);
    uiSkinBase* object = row->create();
    if (row->flags & kStoreCode)
        object->SetTypeCode(code);
    if (row->flags & kParentAfterCreate)
        uiAttachParentSkin(hwnd);
    if (row->flags & kAddNotify)
        uiModifyStyle(hwnd, 0, SS_NOTIFY, 0);
    BOOL result = object->SkinWindow(hwnd, ResolveStyleName(*row, styleName), TRUE, FALSE);
    // An object that did not join the chain has no window to delete it with.
    if (!result && !object->IsAttached())
        delete object;
    if ((row->flags & kSkinChildren) && bSkinChildren) {
        const BOOL children = uiSkinChildWindows(hwnd);
        result = (result && children) ? TRUE : FALSE;
    }
    return result;
}

BOOL uiSkinChildWindows(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return FALSE;
    for (HWND child = GetTopWindow(hwnd); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[512] = {};
        if (!GetClassNameW(child, className, 512))
            continue;
        if (uiNoSkinGuard::IsGuarded(child))
            continue;
        int code = uiGetSkinAdmin().GetControlType(className);
        if (code == 103)
            code = RefineButtonCode(child);
        uiSkinWindow(child, code, nullptr, FALSE);
    }
    return TRUE;
}

void uiAttachParentSkin(HWND hwnd)
{
    HWND parent = GetParent(hwnd);
    if (!parent || !IsWindow(parent) || uiGetHandleMap()->Find(parent))
        return;
    auto* plain = new uiSkinBase;
    if (!plain->Attach(parent, TRUE))
        delete plain;
}

int uiSetDisplayParams(HWND hwnd, int first, int last, BOOL visible, BOOL redraw)
{
    if (!hwnd)
        return 1;
    auto* head = dynamic_cast<uiSkinBase*>(uiGetHandleMap()->Find(hwnd));
    if (!head || !head->GetHwnd())
        return 1;
    head->ShowDisplayItems(first, last, visible);
    if (redraw) {
        head->SetDirty(TRUE);
        InvalidateRect(hwnd, &head->GetDirtyRect(), FALSE);
    }
    return 1;
}

BOOL uiIsMenuSkinned()
{
    return uiSkinMenu::IsMsgHookSet();
}

int uiSetMenuSkin(BOOL enable)
{
    uiSkinMenu::SetMsgHook(enable);
    return 1;
}

int uiExitSkin()
{
    uiRemoveScrollHooks();
    uiApiLoader::Unload();
    uiGetSkinAdmin().Unload();
    uiGetTimerWindow().Destroy();
    if (uiIsMenuSkinned())
        uiSetMenuSkin(FALSE);
    return 1;
}

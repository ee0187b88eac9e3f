// The base of every skin object: a link of the window's subclass chain that owns its own copy of a
// named style, applies it to the window (text, size, tooltip, layout), keeps the rectangle that a
// partial repaint must cover, shows and hides display items, adjusts its colours and sets the
// style's cursor. A plain one, without a style, makes a parent reflect its children's notifications.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CString.h"
#include "uiSubclassWnd.h"

class uiDisplayList;
class uiScrollBarHelper;
class uiStyle;

class uiSkinBase : public uiSubclassWnd {
public:
    uiSkinBase();
    ~uiSkinBase() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void ReapplyStyle() override { ApplyStyle(); }
    // Drops the style copy and the tooltip.
    void ReleaseStyle() override;

    // Attaches the object to the window with a copy of the named style (null: the name stored
    // before). Unless keepExisting is set, the window's present head object is detached first.
    // 0 when the skin has no such style (error 108); the object is then not attached. An object
    // already on the window takes the new copy in place of its old one (and keeps none when the skin
    // lacks the style); one on another window refuses.
    virtual BOOL SkinWindow(HWND hwnd, const wchar_t* styleName, BOOL autoDelete, BOOL keepExisting);
    virtual int FreeCache() { return 1; }
    virtual int ApplyStyle();
    // Fetches a new copy of the style by its name in place of the old one; without that name the
    // object keeps no style.
    virtual int ReloadStyle();
    // A hidden dialog keeps the values for its next background rebuild; others apply them at once.
    virtual int SetColorAdjust(int hue, int saturation, int lightness);
    virtual void SetStateLock(BOOL) {}
    // Display items with an index in first..last take the visible flag; their area joins the
    // dirty rectangle.
    virtual int ShowDisplayItems(int first, int last, BOOL visible);
    virtual int ShowDisplayItemsByName(const wchar_t* name, BOOL visible);
    virtual int GetExtra(int, int) { return 0; }
    // The style copy is about to go: everything that points into it, and the tooltip taken from it,
    // is dropped here, whichever way the copy goes (release, reload, another style on the same
    // window). Overrides call the base.
    virtual void ForgetStyle();
    // A new copy took the old one's place on the attached window: what OnAttached took from the old
    // copy is taken again from it. Overrides call the base.
    virtual void RebindStyle() {}

    void ApplyColorAdjust(int hue, int saturation, int lightness, BOOL redraw);
    // Applies a stored adjustment that waited for this rebuild; whether there was one.
    BOOL ApplyDeferredColorAdjust();

    int SetToolTips();
    void ShowToolTip(const CString& text);
    void HideToolTip();

    void SetDirty(BOOL value) { m_dirty = value; }
    BOOL IsDirty() const { return m_dirty; }
    const RECT& GetDirtyRect() const { return m_dirtyRect; }
    void Invalidate(const RECT* rect, BOOL erase);
    CString GetWindowText() const;
    // Tree, list box or list control.
    BOOL IsItemListType() const;
    void DefaultDrawItem(DRAWITEMSTRUCT* item);

    int GetTypeCode() const { return m_typeCode; }
    void SetTypeCode(int code) { m_typeCode = code; }
    uiStyle* GetSkinStyle() const { return m_style; }
    const CString& GetStyleName() const { return m_styleName; }
    uiDisplayList* GetDisplayList() const { return m_displayList; }
    HWND GetToolTipWindow() const { return m_toolTipWnd; }
    const CString& GetToolTipText() const { return m_toolTipText; }

protected:
    // The one way the style copy goes: ForgetStyle first, then the copy.
    void DeleteStyle();
    // A copy of the named style, holding the window's text; whether the skin has it.
    BOOL FetchStyle();
    // A new copy of the named style in place of the old one on the window; whether the skin has it.
    BOOL ReplaceStyle();
    BOOL IsDialogType() const { return m_typeCode >= 100 && m_typeCode <= 102; }
    // Whether the style asks for the parent's background under the window.
    BOOL HasTransparentBk() const;
    // Destroys the tooltip window and forgets its text.
    void DropToolTip();
    // Puts the custom scroll bars of the style's "scrollbar" style on the window, in place of those
    // of an earlier style; a style that names none gets the default bars when unnamedToo is set,
    // else none.
    void BindScrollBars(uiScrollBarHelper& bars, BOOL unnamedToo);
    void FillToolInfo(BOOL withClientRect);
    void ApplySize(int width, int height);
    // WM_SETTEXT through the previous procedure, which must not paint over the skin of a visible window.
    LRESULT SetTextWithoutRedraw(WPARAM wParam, LPARAM lParam);

    uiStyle* m_style = nullptr;
    CString m_styleName;
    uiDisplayList* m_displayList = nullptr;
    BOOL m_dirty = FALSE;
    int m_typeCode = 1;
    HWND m_toolTipWnd = nullptr;
    CString m_toolTipText;
    int m_colorAdjust[3] = {0, 100, 0};
    RECT m_dirtyRect = {0, 0, 0, 0};
    BOOL m_stateLock = FALSE;
    TOOLINFOW m_toolInfo = {};
    bool m_colorAdjustPending = false;
};

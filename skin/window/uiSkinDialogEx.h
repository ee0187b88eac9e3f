// The skinned top-level dialog without system caption: it draws caption, frame and client area from
// its style as one background, answers its own hit tests (sizing borders, caption, event items),
// makes real child buttons for close, maximise and minimise, and minimises, maximises and restores
// itself. A window menu is shown as a skinned menu bar below the caption.
#pragma once

#include <windows.h>

#include "uiNoSkinGuard.h"
#include "uiSkinControl.h"

struct uiSysButton;

class uiSkinDialogEx : public uiSkinControl {
public:
    enum { kMinimise = 0, kMaximise = 1, kClose = 2, kButtonCount = 3 };
    static const int kCloseId = 0xFFDC;
    static const int kMaximiseId = 0xFFDD;
    static const int kMinimiseId = 0xFFDE;

    uiSkinDialogEx();
    ~uiSkinDialogEx() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnReflectedNotify(uiReflectInfo* info, NMHDR* header) override;
    void OnAttached() override;
    // The dialog record, the caption buttons' places and looks come from the new style.
    void RebindStyle() override;
    void ReleaseStyle() override;
    void UpdateRegion(BOOL reset) override;

    // A caption button's style rectangle against the window's size: negative left, top and bottom
    // and a right of 0 or less count from the far edge.
    static RECT ResolveButtonRect(const RECT& source, int width, int height);

    HWND GetCaptionButton(int index) const { return m_buttons[index]; }
    int GetCaptionHeight() const { return m_captionHeight; }
    BOOL HasOwnCaption() const { return m_ownCaption; }
    HWND GetMenuBar() const { return m_menuBar; }

private:
    LRESULT HitTest(POINT screenPoint);
    LRESULT OnNcActivate(BOOL active);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
    LRESULT OnSize(WPARAM type, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(WPARAM wParam, MINMAXINFO* info);
    BOOL OnCaptionButtonClick(WPARAM wParam, HWND button);
    // The application may cancel a minimise or restore by clearing the value behind lParam.
    BOOL ApplicationAllows(UINT command);
    // Alt or F10 opens the menu bar's first drop-down.
    BOOL OpenMenuBarFromKeyboard(UINT command, LPARAM key);
    void ShowCommand(UINT command);
    void ShowMaximiseLook(BOOL maximiseLook);
    // The style's dialog record, or the defaults for what it lacks.
    void ReadDialogInfo();
    // The style's sysmenu entry of the caption button, or null.
    const uiSysButton* FindButtonSource(int index) const;
    void FindButtonSources();
    void RemoveSystemCaption();
    void CreateCaptionButton(int index, int id);
    // The caption button's look from the style's entry for it; plain without one.
    void SkinCaptionButton(int index);
    void ResolveButtonRects();
    void LayoutCaptionButtons();
    void InvalidateCaptionButtons();
    void FindMenuBar();
    void CreateMenuBar();
    void PlaceMenuBar();
    void RemoveMenuBar();
    // Moves the menu bar and every other child except the caption buttons down.
    void MoveChildrenDown(int menuBarOffset, int childOffset);
    void DestroyCaptionButtons();

    static const int kDefaultCaptionHeight = 26;
    static const int kDefaultClientStartY = 26;

    int m_clientStartY = kDefaultClientStartY;
    HWND m_menuBar = nullptr;
    BOOL m_ownCaption = FALSE;
    BOOL m_sendSysCmd = FALSE;
    HWND m_buttons[kButtonCount] = {};
    int m_menuBarHeight = 0;
    // Only a bar made here goes again on detach; one found among the children is left alone.
    BOOL m_ownMenuBar = FALSE;
    uiNoSkinGuard m_guards[kButtonCount];
    BOOL m_resizable = FALSE;
    int m_borderLeft = 0;
    int m_borderTop = 0;
    int m_borderRight = 0;
    int m_borderBottom = 0;
    int m_captionHeight = kDefaultCaptionHeight;
    RECT m_buttonSource[kButtonCount] = {};
    RECT m_buttonRect[kButtonCount] = {};
    BOOL m_buttonPresent[kButtonCount] = {};
    int m_minWidth = INT_MAX;
    int m_minHeight = INT_MAX;
    int m_maxHeight = INT_MAX;
    int m_maxWidth = INT_MAX;
    BOOL m_sizeBusy = FALSE;
    BOOL m_ready = FALSE;
};

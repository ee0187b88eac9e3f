// The skinned toolbar: the background from one display item (or the parent's background), and every
// button drawn from the style's display list through the toolbar's custom-draw notification.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "uiSkinBase.h"
#include "uiTransparentHelper.h"

class uiDisplayItem;

class uiSkinToolbarCtrl : public uiSkinBase {
public:
    uiSkinToolbarCtrl();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnReflectedNotify(uiReflectInfo* info, NMHDR* header) override;
    // The background item and the transparency of the style, at attach and whenever another style
    // takes the old one's place.
    int ApplyStyle() override;
    // The background item lives in the style copy.
    void ForgetStyle() override;

    // The paint state of a custom-drawn item's state bits.
    static int ItemState(UINT itemState);
    // The text of the button with the command id, whatever its length.
    CString GetButtonText(int command) const;

protected:
    void PaintItem(NMCUSTOMDRAW* draw);

    uiTransparentHelper m_transparent;
    uiDisplayItem* m_background = nullptr;
};

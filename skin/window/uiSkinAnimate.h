// The skinned animation control: plays its style's frame animation (the installer's busy animation),
// rendering each frame into a memory bitmap of the window's size and copying that to the window.
#pragma once

#include <windows.h>

#include "uiMovie.h"
#include "uiSkinBase.h"
#include "uiTransparentHelper.h"

class uiMemDC;

class uiSkinAnimate : public uiSkinBase {
public:
    uiSkinAnimate();
    ~uiSkinAnimate() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    // Stops the ticks before the style, whose animations the movie plays, goes.
    void ForgetStyle() override;
    void RebindStyle() override;
    // Chooses the animation: the first animate item with an index in first..last plays (visible) or the
    // current one stops showing (hidden). 0 when there is nothing to play.
    int ShowDisplayItems(int first, int last, BOOL visible) override;

    // The parent's background when transparent, then the current frame, into the memory bitmap.
    void RenderFrame();
    const uiMovie& GetMovie() const { return m_movie; }

private:
    // The transparency and the animations of the style attached now.
    void TakeStyle();

    uiMemDC* m_background = nullptr;
    uiMovie m_movie;
    // The movie plays the style's animate list; cleared when that list goes with the style.
    BOOL m_movieBound = FALSE;
    uiTransparentHelper m_transparent;
};

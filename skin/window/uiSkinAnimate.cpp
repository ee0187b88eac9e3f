// The skinned animation control.
#include "uiSkinAnimate.h"

#include "uiEngineMessages.h"
#include "uiMemDC.h"
#include "uiStyle.h"
#include "uiWindowHelpers.h"

uiSkinAnimate::uiSkinAnimate()
{
    m_typeCode = 120;
}

uiSkinAnimate::~uiSkinAnimate()
{
    // An object deleted without being detached must not leave its window registered for ticks.
    if (m_movieBound)
        m_movie.StopTimer();
    delete m_background;
}

void uiSkinAnimate::OnAttached()
{
    TakeStyle();
    RECT rect = GetWindowRect();
    uiRectToOrigin(m_hwnd, &rect);
    HDC windowDC = GetWindowDC(m_hwnd);
    delete m_background;
    // The window DC goes back at once: the bitmap must never be copied to it on destruction.
    m_background = new uiMemDC(windowDC, rect, TRUE);
    ReleaseDC(m_hwnd, windowDC);
    RenderFrame();
}

void uiSkinAnimate::TakeStyle()
{
    m_transparent.Follow(m_hwnd, HasTransparentBk());
    if (m_style) {
        m_movie.Attach(m_hwnd, &m_style->animateList);
        m_movieBound = TRUE;
    }
}

void uiSkinAnimate::ForgetStyle()
{
    if (m_movieBound)
        m_movie.Detach();
    m_movieBound = FALSE;
    uiSkinBase::ForgetStyle();
}

void uiSkinAnimate::RebindStyle()
{
    uiSkinBase::RebindStyle();
    TakeStyle();
}

int uiSkinAnimate::ShowDisplayItems(int first, int last, BOOL visible)
{
    if (!m_movieBound)
        return 0;
    m_movie.Select(first, last, visible);
    return 1;
}

void uiSkinAnimate::RenderFrame()
{
    if (!m_background)
        return;
    if (m_transparent.IsAttached())
        m_transparent.PaintParentBk(*m_background, m_hwnd);
    if (m_movieBound) {
        RECT rect = GetWindowRect();
        uiRectToOrigin(m_hwnd, &rect);
        m_movie.SetRect(rect);
        m_movie.Paint(*m_background);
    }
}

LRESULT uiSkinAnimate::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_movieBound)
        m_movie.OnMessage(msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT paint = {};
        BeginPaint(m_hwnd, &paint);
        EndPaint(m_hwnd, &paint);
        HDC windowDC = GetWindowDC(m_hwnd);
        RenderFrame();
        if (m_background)
            m_background->BlitTo(windowDC);
        ReleaseDC(m_hwnd, windowDC);
        return 1;
    }
    case WM_ERASEBKGND:
        return 1;
    case UIM_UPDATE:
        if (wParam == 0) {
            Invalidate(nullptr, TRUE);
            return 1;
        }
        break;
    default:
        break;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}

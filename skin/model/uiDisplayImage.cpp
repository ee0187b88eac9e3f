// The image item and its paint modes.
#include "uiDisplayImage.h"

uiDisplayImage::uiDisplayImage() : uiDisplayItem(UI_ITEM_IMAGE)
{
}

int uiDisplayImage::Paint(HDC)
{
    return 0;
}

uiDisplayItem* uiDisplayImage::Clone() const
{
    return nullptr;
}

int uiDisplayImage::PaintDirect(HDC)
{
    return 0;
}

int uiDisplayImage::GetImageWidth() const
{
    return 0;
}

int uiDisplayImage::GetImageHeight() const
{
    return 0;
}

int uiDisplayImage::PaintInRect(HDC, const RECT&, const RECT*)
{
    return 0;
}

int uiDisplayImage::PaintFrame(HDC, int)
{
    return 0;
}

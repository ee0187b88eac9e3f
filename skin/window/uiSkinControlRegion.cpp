// The skinned control's window region: the non-key pixels of its background, the style's shapes, or
// the key colour cut out inside rectangle shapes.
#include "uiSkinControl.h"

#include "uiDrawRoutines.h"
#include "uiMemDC.h"
#include "uiStyle.h"

namespace {

HRGN CreateShapeRegion(const uiRegionShape& shape, const RECT& rect)
{
    switch (shape.type) {
    case UI_SHAPE_RECTANGLE:
        return CreateRectRgnIndirect(&rect);
    case UI_SHAPE_ELLIPSE:
        return CreateEllipticRgnIndirect(&rect);
    case UI_SHAPE_ROUNDRECT:
        return CreateRoundRectRgn(rect.left, rect.top, rect.right, rect.bottom, shape.roundSize.x, shape.roundSize.y);
    default:
        return nullptr;
    }
}

}  // namespace

void uiSkinControl::UpdateRegion(BOOL reset)
{
    HRGN region = BuildStyleRegion(reset);
    if (reset) {
        SetWindowRgn(m_hwnd, nullptr, TRUE);
        if (region)
            DeleteObject(region);
        return;
    }
    if (region) {
        // The window owns the region from here on.
        if (!SetWindowRgn(m_hwnd, region, TRUE))
            DeleteObject(region);
        return;
    }
    RECT rect = GetWindowRect();
    OffsetRect(&rect, -rect.left, -rect.top);
    region = CreateRectRgnIndirect(&rect);
    if (region && !SetWindowRgn(m_hwnd, region, FALSE))
        DeleteObject(region);
}

HRGN uiSkinControl::BuildStyleRegion(BOOL reset)
{
    if (!m_style || !m_style->property || !m_style->property->hasClipColor)
        return nullptr;
    RECT bounds = GetWindowRect();
    OffsetRect(&bounds, -bounds.left, -bounds.top);
    const uiWindowRegion* shapes = m_style->windowregion.get();
    if (!shapes) {
        if (!m_background)
            return nullptr;
        return uiRegionFromBitmap(m_background->GetDC(), m_background->GetBitmap(), m_style->property->clipColor);
    }
    if (shapes->type == UI_REGION_SHAPES) {
        ++bounds.right;
        ++bounds.bottom;
        return BuildShapeRegion(bounds);
    }
    return BuildColorKeyRegion(bounds, reset);
}

HRGN uiSkinControl::BuildShapeRegion(const RECT& bounds)
{
    uiWindowRegion* shapes = m_style->windowregion.get();
    HRGN result = nullptr;
    for (int i = 0; i < shapes->shapeCount && i < uiWindowRegion::MaxShapes; ++i) {
        uiRegionShape& shape = shapes->shapes[i];
        if (shape.type != UI_SHAPE_RECTANGLE && shape.type != UI_SHAPE_ELLIPSE && shape.type != UI_SHAPE_ROUNDRECT)
            continue;
        const RECT rect = shape.Resolve(bounds);
        HRGN part = CreateShapeRegion(shape, rect);
        if (!part) {
            if (result)
                DeleteObject(result);
            return nullptr;
        }
        if (!result) {
            result = part;
            continue;
        }
        // "diff" keeps the part of the shape outside what is built so far.
        CombineRgn(result, part, result, shape.combineMode);
        DeleteObject(part);
    }
    return result;
}

HRGN uiSkinControl::BuildColorKeyRegion(const RECT& bounds, BOOL reset)
{
    const uiStyleProperty& property = *m_style->property;
    uiWindowRegion* shapes = m_style->windowregion.get();
    HRGN result = CreateRectRgnIndirect(&bounds);
    if (!result || !m_background)
        return result;
    const HDC background = m_background->GetDC();
    for (int i = 0; i < shapes->shapeCount && i < uiWindowRegion::MaxShapes; ++i) {
        uiRegionShape& shape = shapes->shapes[i];
        if (shape.type != UI_SHAPE_RECTANGLE)
            continue;
        const RECT rect = shape.Resolve(bounds);
        HBITMAP copy = uiCopyDCToBitmap(background, rect);
        if (!copy)
            continue;
        if (reset) {
            // No shape for the window (maximised), but the key-coloured pixels must not show.
            const COLORREF previous = SetBkColor(background, uiGdiColor(property.bkColor.GetColor()));
            ExtTextOutW(background, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
            SetBkColor(background, previous);
            if (HDC source = CreateCompatibleDC(background)) {
                const HGDIOBJ old = SelectObject(source, copy);
                const RECT sourceRect = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
                uiTransparentBltRect(background, rect, source, sourceRect, property.clipColor);
                SelectObject(source, old);
                DeleteDC(source);
            }
            DeleteObject(copy);
            continue;
        }
        HRGN keyed = uiBitmapToRegion(copy, property.clipColor);
        DeleteObject(copy);
        if (!keyed) {
            DeleteObject(result);
            return nullptr;
        }
        OffsetRgn(keyed, rect.left, rect.top);
        if (RectInRegion(result, &rect)) {
            if (HRGN cut = CreateRectRgnIndirect(&rect)) {
                CombineRgn(result, result, cut, RGN_DIFF);
                DeleteObject(cut);
            }
        }
        CombineRgn(result, keyed, result, RGN_OR);
        DeleteObject(keyed);
    }
    return result;
}

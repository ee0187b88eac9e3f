// Colour adjustment: saturation around the luma, hue shift through HSV, lightness as a blend toward
// black or white. The state is process-wide, as every image and colour of a skin shares it.
#include "uiColorAdjust.h"

#include <algorithm>
#include <cstdint>

namespace {

struct ColorAdjustState {
    int hue = 0;
    int saturation = 100;
    int lightness = 0;
    int64_t saturationFactor = 1024;
    int blendTarget = 0;
    int blendAmount = 0;
};

ColorAdjustState g_adjust;

int ClampChannel(int64_t value)
{
    return static_cast<int>(std::min<int64_t>(255, std::max<int64_t>(0, value)));
}

// Brings a hue into 0..360 the way repeated adding or subtracting of 360 would (360 itself stays).
int NormaliseHue(int64_t hue)
{
    if (hue > 360)
        hue = (hue - 1) % 360 + 1;
    else if (hue < 0) {
        hue %= 360;
        if (hue < 0)
            hue += 360;
    }
    return static_cast<int>(hue);
}

} // namespace

int uiSetColorAdjust(int hue, int saturation, int lightness)
{
    g_adjust.hue = hue;
    g_adjust.saturation = saturation;
    g_adjust.lightness = lightness;
    g_adjust.saturationFactor = static_cast<int64_t>(saturation) * 1024 / 100;
    // Lightness beyond +-100 percent would weigh the blend outside 0..255; it saturates instead.
    int64_t amount = static_cast<int64_t>(lightness < 0 ? -static_cast<int64_t>(lightness) : lightness) * 255 / 100;
    g_adjust.blendAmount = static_cast<int>(std::min<int64_t>(255, amount));
    g_adjust.blendTarget = lightness < 0 ? 0 : 255;
    return 1;
}

DWORD uiAdjustColorValue(COLORREF color)
{
    int red = GetRValue(color), green = GetGValue(color), blue = GetBValue(color);
    const int64_t luma = (red * 19595 + green * 38470 + blue * 7471) >> 16;
    auto saturate = [&](int channel) {
        return ClampChannel((luma * 1024 + (channel - luma) * g_adjust.saturationFactor) >> 10);
    };
    red = saturate(red);
    green = saturate(green);
    blue = saturate(blue);

    int hue = 0, saturation = 0, value = 0;
    uiRgbToHsv(red, green, blue, &hue, &saturation, &value);
    uiHsvToRgb(NormaliseHue(static_cast<int64_t>(hue) + g_adjust.hue), saturation, value, &red, &green, &blue);

    DWORD top = 0;
    if (g_adjust.blendAmount != 0) {
        const int amount = g_adjust.blendAmount, target = g_adjust.blendTarget;
        auto blend = [&](int channel) { return (channel * (255 - amount) + target * amount) >> 8; };
        red = blend(red);
        green = blend(green);
        blue = blend(blue);
        top = 0xFF000000;
    }
    return top | (static_cast<DWORD>(red) << 16) | (static_cast<DWORD>(green) << 8) | static_cast<DWORD>(blue);
}

void uiRgbToHsv(int red, int green, int blue, int* hue, int* saturation, int* value)
{
    const double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
    const double maxValue = std::max(r, std::max(g, b));
    const double minValue = std::min(r, std::min(g, b));
    const double delta = maxValue - minValue;
    double h = 0, s = 0;
    if (maxValue != 0 && delta != 0) {
        s = delta / maxValue;
        if (r == maxValue)
            h = 60 * ((g - b) / delta);
        else if (b == maxValue)
            h = 60 * ((r - g) / delta + 4);
        else
            h = 60 * ((b - r) / delta + 2);
        if (h < 0)
            h += 360;
    }
    *hue = static_cast<int>(h);
    *saturation = static_cast<int>(s * 100);
    *value = static_cast<int>(maxValue * 100);
}

void uiHsvToRgb(int hue, int saturation, int value, int* red, int* green, int* blue)
{
    const double s = saturation / 100.0, v = value / 100.0;
    auto channel = [](double fraction) { return ClampChannel(static_cast<int64_t>(fraction * 255)); };
    if (saturation == 0) {
        *red = *green = *blue = channel(v);
        return;
    }
    const double h = ((hue % 360 + 360) % 360) / 60.0;
    const int sector = static_cast<int>(h);
    const double f = h - sector;
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r = v, g = p, b = q;
    switch (sector) {
    case 0: r = v; g = t; b = p; break;
    case 1: r = q; g = v; b = p; break;
    case 2: r = p; g = v; b = t; break;
    case 3: r = p; g = q; b = v; break;
    case 4: r = t; g = p; b = v; break;
    default: break;
    }
    *red = channel(r);
    *green = channel(g);
    *blue = channel(b);
}

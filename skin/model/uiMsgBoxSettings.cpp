// Message-box settings read from the skin.
#include "uiMsgBoxSettings.h"

#include "uiGdiAdmin.h"
#include "uiSaturate.h"
#include "uiXmlReader.h"

namespace {

const char* const kCaptionNames[UI_CAPTION_COUNT] = {
    "Abort", "Cancel", "Continue", "DoNotAskAgain", "DoNotTellAgain", "DoNotShowAgain", "Help", "Ignore",
    "IgnoreAll", "No", "NoToAll", "Ok", "Report", "Retry", "Skip", "SkipAll", "TryAgain", "Yes", "YesToAll",
};

// Stores a present value (-1 means absent) converted to dialog units; a unit of 0 pixels (no usable
// font measured) leaves the value as it was rather than dividing by it. The product is taken wide so
// that a huge value from the skin saturates instead of wrapping.
void StoreDialogUnits(const TiXmlElement* element, const char* name, int factor, int unitPixels, int* value)
{
    const int pixels = uiXmlGetInt(element, name, -1);
    if (pixels != -1 && unitPixels > 0)
        *value = uiSaturate(static_cast<long long>(pixels) * factor / unitPixels);
}

} // namespace

uiMsgBoxSettings& uiMsgBoxSettings::Instance()
{
    static uiMsgBoxSettings settings;
    return settings;
}

void uiMsgBoxSettings::LoadXml(const TiXmlElement* messagebox)
{
    if (!messagebox)
        return;
    ReadFont(messagebox->FirstChildElement("font"));
    if (const TiXmlElement* button = messagebox->FirstChildElement("button")) {
        const int width = uiXmlGetInt(button, "width", -1);
        const int height = uiXmlGetInt(button, "height", -1);
        if (width != -1)
            buttonWidth = width;
        if (height != -1)
            buttonHeight = height;
    }
    ReadSpace(messagebox->FirstChildElement("space"));
    if (const TiXmlElement* style = messagebox->FirstChildElement("dialogstyle"))
        dialogStyle = uiXmlAttributeW(style, "id");
    ReadIcons(messagebox->FirstChildElement("ico"));
    ReadCaptions(messagebox->FirstChildElement("lang"));
}

void uiMsgBoxSettings::ReadFont(const TiXmlElement* element)
{
    if (!element)
        return;
    font = uiGetGdiAdmin().GetFont(uiXmlAttributeW(element, "id"));
    if (!font)
        font = uiGetGdiAdmin().GetFont(L"default");
    HDC dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!dc)
        return;
    // Without a skin font the display context's own font gives the units.
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICW metrics = {};
    if (GetTextMetricsW(dc, &metrics))
        charHeight = metrics.tmHeight;
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent = {};
    if (GetTextExtentPoint32W(dc, kAlphabet, 52, &extent))
        averageCharWidth = (extent.cx / 26 + 1) / 2;
    if (previous)
        SelectObject(dc, previous);
    DeleteDC(dc);
}

void uiMsgBoxSettings::ForgetSkinResources()
{
    font = nullptr;
    iconInformation = nullptr;
    iconError = nullptr;
    iconQuestion = nullptr;
    iconWarning = nullptr;
}

void uiMsgBoxSettings::ReadSpace(const TiXmlElement* element)
{
    if (!element)
        return;
    StoreDialogUnits(element, "buttonSpace", 4, averageCharWidth, &buttonSpace);
    StoreDialogUnits(element, "iconSpace", 4, averageCharWidth, &iconSpace);
    StoreDialogUnits(element, "leftSpace", 4, averageCharWidth, &leftSpace);
    StoreDialogUnits(element, "verticalSpace", 8, charHeight, &verticalSpace);
    StoreDialogUnits(element, "topSpace", 8, charHeight, &topSpace);
    bottomSpace = uiXmlGetInt(element, "bottomSpace", -1);
}

void uiMsgBoxSettings::ReadIcons(const TiXmlElement* element)
{
    if (!element)
        return;
    const struct {
        const char* name;
        uiImage** icon;
    } kIcons[] = {
        {"information", &iconInformation}, {"warning", &iconWarning}, {"error", &iconError}, {"question", &iconQuestion},
    };
    for (const auto& icon : kIcons)
        if (const TiXmlElement* child = element->FirstChildElement(icon.name))
            *icon.icon = uiGetGdiAdmin().GetImage(uiXmlAttributeW(child, "file"));
}

void uiMsgBoxSettings::ReadCaptions(const TiXmlElement* element)
{
    if (!element)
        return;
    for (int i = 0; i < UI_CAPTION_COUNT; ++i)
        if (const TiXmlElement* child = element->FirstChildElement(kCaptionNames[i]))
            captions[i] = uiXmlAttributeW(child, "value");
}

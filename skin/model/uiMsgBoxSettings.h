// The message-box settings of the skin: font, button size, spacing in dialog units, dialog style, the
// four icons and the button captions. Read and held for a skinned message box.
#pragma once

#include <windows.h>
#include <tinyxml.h>
#include "CString.h"

class uiImage;

enum uiMsgBoxCaption {
    UI_CAPTION_ABORT, UI_CAPTION_CANCEL, UI_CAPTION_CONTINUE, UI_CAPTION_DONOTASKAGAIN,
    UI_CAPTION_DONOTTELLAGAIN, UI_CAPTION_DONOTSHOWAGAIN, UI_CAPTION_HELP, UI_CAPTION_IGNORE,
    UI_CAPTION_IGNOREALL, UI_CAPTION_NO, UI_CAPTION_NOTOALL, UI_CAPTION_OK, UI_CAPTION_REPORT,
    UI_CAPTION_RETRY, UI_CAPTION_SKIP, UI_CAPTION_SKIPALL, UI_CAPTION_TRYAGAIN, UI_CAPTION_YES,
    UI_CAPTION_YESTOALL, UI_CAPTION_COUNT
};

class uiMsgBoxSettings {
public:
    static uiMsgBoxSettings& Instance();

    // Reads a messagebox element; values it does not give keep what earlier documents set.
    void LoadXml(const TiXmlElement* messagebox);
    // Drops the font and icon pointers when the GDI tables that own them are emptied.
    void ForgetSkinResources();

    HFONT font = nullptr; // owned by the GDI tables
    int buttonWidth = 0;
    int buttonHeight = 0;
    int reserved = 10;
    int buttonSpace = 6;
    int verticalSpace = 0;
    int iconSpace = 8;
    int leftSpace = 0;
    int topSpace = 0;
    int bottomSpace = -1;
    CString dialogStyle;
    uiImage* iconInformation = nullptr;
    uiImage* iconError = nullptr;
    uiImage* iconQuestion = nullptr;
    uiImage* iconWarning = nullptr;
    CString captions[UI_CAPTION_COUNT];
    int charHeight = 0;
    int averageCharWidth = 2;

private:
    void ReadFont(const TiXmlElement* element);
    void ReadSpace(const TiXmlElement* element);
    void ReadIcons(const TiXmlElement* element);
    void ReadCaptions(const TiXmlElement* element);
};

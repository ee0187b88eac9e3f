// A skin command: a code with a picture of four equal frames (normal, hover, unused, disabled) that
// the skinned menu draws beside the item of that code.
#pragma once

#include <windows.h>
#include <tinyxml.h>
#include "CString.h"

class uiImage;

class uiCommand {
public:
    uiCommand() = default;
    uiCommand(const uiCommand&) = delete;
    uiCommand& operator=(const uiCommand&) = delete;
    virtual ~uiCommand() = default;

    // A new command from a command element (the caller owns it); null when "code" is empty.
    static uiCommand* CreateFromXml(const TiXmlElement* command);

    // Draws the frame of the state (1 normal, 2 hover, 0x80 disabled) with its top left at x, y; other
    // states draw nothing. Always 1.
    int Draw(HDC dc, int x, int y, int state);

    int GetCode() const { return m_code; }
    const CString& GetPicFile() const { return m_picfile; }

private:
    uiImage* m_picture = nullptr; // owned by the GDI tables
    CString m_picfile;
    int m_code = 0;
};

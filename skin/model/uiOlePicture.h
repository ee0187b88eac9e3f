// A picture loaded through OLE: a GIF with its frames composed on a canvas of the GIF's logical screen,
// or any other picture format OLE reads, as one picture.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <memory>
#include <vector>

#include "uiGifReader.h"
#include "uiMemDC.h"

class uiOlePicture {
public:
    uiOlePicture() = default;
    uiOlePicture(const uiOlePicture&) = delete;
    uiOlePicture& operator=(const uiOlePicture&) = delete;
    ~uiOlePicture();

    BOOL LoadFromMemory(const BYTE* bytes, size_t length);

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // The GIF's frames; 1 for a single picture, 0 before a load.
    int GetFrameCount() const;
    // Frame n composed over the previous ones (a single picture draws itself stretched); 1 or 0.
    BOOL DrawFrame(HDC dc, const RECT& destination, int frame);

private:
    struct Frame {
        IPicture* picture;
        int width;
        int height;
        int left;
        int top;
        int delay;
        int disposal;
        BOOL transparent;
    };

    BOOL LoadGif(const BYTE* bytes, size_t length, const uiGifStructure& gif);
    void Release();

    int m_width = 0;
    int m_height = 0;
    IPicture* m_picture = nullptr;
    std::vector<Frame> m_frames;
    HBRUSH m_backgroundBrush = nullptr;
    std::unique_ptr<uiMemDC> m_composition;
    std::unique_ptr<uiMemDC> m_background;
};

// The block structure of a GIF file: its logical screen, global colour table and frames (a graphic
// control block, when one precedes it, and an image block). Reading stops at the first block that runs
// past the data; the frames found before it are kept.
#pragma once

#include <windows.h>
#include <vector>

struct uiGifFrameBlocks {
    size_t controlOffset;   // graphic control block, 8 bytes; 0 when the image has none
    size_t imageOffset;     // image descriptor up to the end of its data sub-blocks
    size_t imageLength;
    int left;
    int top;
    int width;
    int height;
    int delay;              // hundredths of a second
    int disposal;
    BOOL transparent;
};

struct uiGifStructure {
    int screenWidth = 0;
    int screenHeight = 0;
    size_t colorTableLength = 0;    // global colour table, behind the 13-byte header
    int backgroundIndex = 0;
    std::vector<uiGifFrameBlocks> frames;
};

// False when the bytes do not begin with a GIF header ("GIF87a" or "GIF89a").
bool uiReadGifStructure(const BYTE* bytes, size_t length, uiGifStructure* gif);

// A standalone GIF of one frame: header, screen descriptor and global colour table, the frame's blocks,
// and the trailer.
std::vector<BYTE> uiBuildGifOfFrame(const BYTE* bytes, const uiGifStructure& gif, const uiGifFrameBlocks& frame);

// GIF block walking with every length checked against the data.
#include "uiGifReader.h"

#include <cstring>

#include "uiLittleEndian.h"

namespace {

const size_t kHeaderSize = 13;
const size_t kControlBlockSize = 8;
const size_t kImageDescriptorSize = 10;

class GifWalker {
public:
    GifWalker(const BYTE* bytes, size_t length) : m_bytes(bytes), m_length(length) {}

    // Position behind a chain of data sub-blocks, or 0 when the chain runs past the data.
    size_t SkipSubBlocks(size_t position) const
    {
        while (position < m_length) {
            const size_t size = m_bytes[position];
            ++position;
            if (size == 0)
                return position;
            position += size;
        }
        return 0;
    }

    // Position behind the block of fixed size (and, when chained, its sub-blocks), or 0.
    size_t SkipBlock(size_t position, size_t fixedSize, bool chained) const
    {
        if (position + fixedSize > m_length)
            return 0;
        return chained ? SkipSubBlocks(position + fixedSize) : position + fixedSize;
    }

private:
    const BYTE* m_bytes;
    size_t m_length;
};

size_t ColorTableLength(BYTE packed)
{
    return (packed & 0x80) ? 3u << ((packed & 7) + 1) : 0;
}

} // namespace

bool uiReadGifStructure(const BYTE* bytes, size_t length, uiGifStructure* gif)
{
    // Only the two versions: picture loaders take other bytes behind "GIF" for other formats.
    if (!bytes || length < kHeaderSize || (memcmp(bytes, "GIF87a", 6) != 0 && memcmp(bytes, "GIF89a", 6) != 0))
        return false;
    gif->screenWidth = uiReadWord(bytes + 6);
    gif->screenHeight = uiReadWord(bytes + 8);
    gif->colorTableLength = ColorTableLength(bytes[10]);
    gif->backgroundIndex = bytes[11];
    gif->frames.clear();
    if (kHeaderSize + gif->colorTableLength > length) {
        gif->colorTableLength = 0;
        return true;
    }

    const GifWalker walker(bytes, length);
    size_t position = kHeaderSize + gif->colorTableLength;
    size_t control = 0;
    while (position != 0 && position < length) {
        const BYTE introducer = bytes[position];
        if (introducer == '!' && position + 1 < length) {
            const BYTE label = bytes[position + 1];
            if (label == 0xF9) {
                if (position + kControlBlockSize > length)
                    break;
                control = position;
                position += kControlBlockSize;
            } else if (label == 0x01) {
                position = walker.SkipBlock(position, 15, true);
            } else if (label == 0xFE) {
                position = walker.SkipBlock(position, 2, true);
            } else if (label == 0xFF) {
                position = walker.SkipBlock(position, 14, true);
            } else {
                break;
            }
        } else if (introducer == ',') {
            if (position + kImageDescriptorSize > length)
                break;
            const BYTE* descriptor = bytes + position;
            const size_t codeSizeAt = position + kImageDescriptorSize + ColorTableLength(descriptor[9]);
            // The image data starts with its LZW code size, 2 to 8 bits; decoders misbehave on others.
            if (codeSizeAt >= length || bytes[codeSizeAt] < 2 || bytes[codeSizeAt] > 8)
                break;
            const size_t end = walker.SkipBlock(position, codeSizeAt + 1 - position, true);
            if (end == 0)
                break;
            uiGifFrameBlocks frame = {};
            frame.controlOffset = control;
            frame.imageOffset = position;
            frame.imageLength = end - position;
            frame.left = uiReadWord(descriptor + 1);
            frame.top = uiReadWord(descriptor + 3);
            frame.width = uiReadWord(descriptor + 5);
            frame.height = uiReadWord(descriptor + 7);
            if (control) {
                const BYTE packed = bytes[control + 3];
                frame.delay = uiReadWord(bytes + control + 4);
                frame.disposal = (packed >> 2) & 7;
                frame.transparent = packed & 1;
            }
            gif->frames.push_back(frame);
            control = 0;
            position = end;
        } else {
            break;
        }
    }
    return true;
}

std::vector<BYTE> uiBuildGifOfFrame(const BYTE* bytes, const uiGifStructure& gif, const uiGifFrameBlocks& frame)
{
    std::vector<BYTE> single(bytes, bytes + kHeaderSize + gif.colorTableLength);
    if (frame.controlOffset)
        single.insert(single.end(), bytes + frame.controlOffset, bytes + frame.controlOffset + kControlBlockSize);
    single.insert(single.end(), bytes + frame.imageOffset, bytes + frame.imageOffset + frame.imageLength);
    single.push_back(';');
    return single;
}

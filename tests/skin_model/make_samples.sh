#!/usr/bin/env bash
# Writes the decoder samples and their oracle pixels into the folder given: every PNG colour type and
# depth, 8-bit and 24-bit BMPs (and depths the decoder refuses), colour, gray, CMYK and progressive
# JPEGs, an animated GIF and a multi-size icon. Oracles: ImageMagick's raw BGRA/BGR output, djpeg's
# PNM output for JPEG (turned into raw BGR here), identify's frame and size lists.
set -euo pipefail
out="$1"
here="$(cd "$(dirname "$0")" && pwd)"
rm -rf "$out"
mkdir -p "$out"
cd "$out"

convert -size 37x23 xc: -channel R -fx 'i/w' -channel G -fx 'j/h' -channel B -fx '((i+j)%7)/7' +channel \
    -depth 8 PNG24:base.png
convert base.png -alpha set -channel A -fx '(i%5)/4' +channel -depth 8 PNG32:rgba8.png

png() { # name source options...
    local name="$1" source="$2"
    shift 2
    # A trailing "PNG8:" names the output format.
    local format=""
    if [ "${!#}" = "PNG8:" ]; then format="PNG8:"; set -- "${@:1:$(($# - 1))}"; fi
    # Without gAMA, composing over the background is plain arithmetic on the stored values, as
    # ImageMagick's -flatten does it.
    convert "$source" "$@" -define png:exclude-chunk=gAMA,cHRM "${format}png/$name.png"
}
mkdir png
png gray1 base.png -colorspace Gray -threshold 50% -define png:color-type=0 -define png:bit-depth=1
png gray2 base.png -colorspace Gray -posterize 4 -define png:color-type=0 -define png:bit-depth=2
png gray4 base.png -colorspace Gray -posterize 16 -define png:color-type=0 -define png:bit-depth=4
png gray8 base.png -colorspace Gray -define png:color-type=0 -define png:bit-depth=8
png gray16 base.png -colorspace Gray -depth 16 -define png:color-type=0 -define png:bit-depth=16
png graya8 rgba8.png -colorspace Gray -background '#606060' -define png:color-type=4 -define png:bit-depth=8
png graya16 rgba8.png -colorspace Gray -depth 16 -define png:color-type=4 -define png:bit-depth=16
png pal4 base.png -colors 16 -define png:bit-depth=4 PNG8:
png pal8 base.png -colors 200 PNG8:
png paltrns rgba8.png -channel A -threshold 50% +channel -colors 64 PNG8:
png rgb8 base.png -define png:color-type=2 -define png:bit-depth=8
png rgb16 base.png -depth 16 -define png:color-type=2 -define png:bit-depth=16
png rgba8 rgba8.png -define png:color-type=6 -define png:bit-depth=8
png rgba16 rgba8.png -background '#cc6633' -depth 16 -define png:color-type=6 -define png:bit-depth=16
png interlaced base.png -interlace PNG -define png:color-type=2 -define png:bit-depth=8
for f in png/*.png; do
    convert "$f" -depth 8 "bgra:${f%.png}.bgra"
done
# Images whose pixels are not 32 bits wide show composed over the bKGD colour that ImageMagick reads
# from the file, or over grey 192 when the file names none.
for name in graya8 rgba16; do
    convert "png/$name.png" -flatten -depth 8 "bgra:png/$name.bgra"
done
convert png/paltrns.png -background 'rgb(192,192,192)' -flatten -depth 8 bgra:png/paltrns.bgra
# Every colour type and depth with each kind of transparency, background and gamma chunk. Each
# group's copy without a gamma chunk is its oracle: composed in the stored values (gamma 1.0), or
# left with its alpha where the pixels are 32 bits wide.
mkdir pngmatrix
/usr/bin/python3 "$here/make_png_matrix.py" pngmatrix
while read -r name oracle background wide; do
    [ "$name" = "$oracle" ] || continue
    if [ "$wide" = 1 ]; then
        convert "pngmatrix/$oracle.png" -depth 8 "bgra:pngmatrix/$oracle.bgra"
    else
        convert "pngmatrix/$oracle.png" -background "rgb($background)" -flatten -depth 8 "bgra:pngmatrix/$oracle.bgra"
    fi
done < pngmatrix/matrix.txt

mkdir bmp
convert base.png -type TrueColor BMP3:bmp/rgb24.bmp
convert base.png -colors 200 -type Palette -compress none BMP3:bmp/pal8.bmp
convert base.png -colors 256 -type Palette -compress none BMP3:bmp/pal256.bmp
for f in bmp/*.bmp; do
    convert "$f" -depth 8 "bgr:${f%.bmp}.bgr"
done
# A top-down copy of the 24-bit file (negative height, rows reversed) decodes to the same pixels.
/usr/bin/python3 - <<'PY'
import struct
data = bytearray(open("bmp/rgb24.bmp", "rb").read())
offset = struct.unpack_from("<I", data, 10)[0]
width, height = struct.unpack_from("<ii", data, 18)
stride = (width * 3 + 3) // 4 * 4
rows = [data[offset + y * stride: offset + (y + 1) * stride] for y in range(height)]
struct.pack_into("<i", data, 22, -height)
data[offset:offset + stride * height] = b"".join(reversed(rows))
open("bmp/topdown.bmp", "wb").write(data)
PY
cp bmp/rgb24.bgr bmp/topdown.bgr
# Depths the decoder refuses.
mkdir bmp-refused
convert rgba8.png BMP:bmp-refused/argb32.bmp
convert base.png -define bmp:subtype=RGB565 BMP:bmp-refused/rgb565.bmp
convert base.png -monochrome BMP3:bmp-refused/mono1.bmp
convert base.png -colors 200 -type Palette -compress RLE BMP3:bmp-refused/rle8.bmp

mkdir jpeg
convert base.png -quality 92 jpeg/rgb.jpg
convert base.png -colorspace Gray -quality 92 jpeg/gray.jpg
convert base.png -interlace JPEG -quality 80 -sampling-factor 2x2 jpeg/progressive.jpg
convert base.png -colorspace CMYK -quality 95 jpeg/cmyk.jpg
pnm_to_bgr() { # PNM (P5 gray or P6 colour) to raw BGR
    /usr/bin/python3 - "$1" "$2" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace():
        pos += 1
    end = pos
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[pos:end])
    pos = end
pixels = data[pos + 1:]
out = bytearray()
if fields[0] == b"P5":
    for g in pixels:
        out += bytes((g, g, g))
else:
    for i in range(0, len(pixels), 3):
        out += bytes((pixels[i + 2], pixels[i + 1], pixels[i]))
open(sys.argv[2], "wb").write(out)
PY
}
for name in rgb gray progressive; do
    djpeg -pnm "jpeg/$name.jpg" > "jpeg/$name.pnm"
    pnm_to_bgr "jpeg/$name.pnm" "jpeg/$name.bgr"
done
convert jpeg/cmyk.jpg -colorspace sRGB -depth 8 bgr:jpeg/cmyk.bgr

mkdir gif
convert -delay 10 -size 20x12 xc:red xc:lime xc:blue -loop 0 gif/anim.gif
convert -delay 7 -dispose Background -size 20x12 xc:red \( -size 8x6 xc:yellow -repage 20x12+4+3 \) \
    -loop 0 gif/partial.gif
convert -size 16x9 xc:'#336699' gif/single.gif
# Transparent frames disposed to the background: a red square, then a half-transparent lime one at 10, 2.
convert -delay 10 -dispose Background -size 20x12 xc:none -fill red -draw 'rectangle 2,2 9,9' \
    \( -size 4x8 xc:none -size 4x8 xc:lime +append -repage 20x12+10+2 \) -loop 0 gif/holes.gif
# An opaque first frame smaller than the canvas, then another partial one.
convert -delay 10 -dispose None \( -size 8x6 xc:yellow -repage 20x12+4+3 \) \
    \( -size 6x4 xc:lime -repage 20x12+12+6 \) -loop 0 gif/smallfirst.gif
for f in gif/*.gif; do
    identify -format '%w %h\n' "$f" > "${f%.gif}.frames"
    convert "$f" -coalesce -depth 8 +adjoin "bgr:${f%.gif}.%d.bgr"
done
convert gif/holes.gif -coalesce -background blue -alpha remove -depth 8 +adjoin "bgr:gif/holes_on_blue.%d.bgr"
# The canvas around the small first frame starts as what lies beneath, not as the GIF's background colour.
convert gif/smallfirst.gif -alpha set -set background none -coalesce -background blue -alpha remove -depth 8 \
    +adjoin "bgr:gif/smallfirst_on_blue.%d.bgr"

mkdir icon
convert base.png -define icon:auto-resize=48,32,16 icon/multi.ico
identify -format '%w %h\n' icon/multi.ico > icon/multi.sizes
convert base.png -resize 32x32! icon/single.ico
# A cursor file is an icon file of type 2 whose entries carry the hot spot where icons keep planes
# and bit count.
/usr/bin/python3 - <<'PY'
import struct
data = bytearray(open("icon/single.ico", "rb").read())
struct.pack_into("<H", data, 2, 2)
struct.pack_into("<HH", data, 6 + 4, 5, 7)
open("icon/pointer.cur", "wb").write(data)
PY
# Drawing: a 9 x 9 grid of 3 x 3 blocks of distinct colours, 24-bit and 8-bit.
mkdir draw
grid() {
    convert -size 3x3 \( xc:'#FF0000' xc:'#00FF00' xc:'#0000FF' +append \) \
        \( xc:'#FFFF00' xc:'#00FFFF' xc:'#804020' +append \) \
        \( xc:'#FFFFFF' xc:'#000000' xc:'#808080' +append \) -append "$@"
}
grid -type TrueColor BMP3:draw/grid24.bmp
# The 8-bit copy is written directly: the converter picks 4 bits for nine colours. Its palette is
# padded to 256 entries (a colour count of 0 says so); the copy whose palette holds only the nine
# colours is one the decoder refuses.
/usr/bin/python3 - <<'PY'
import struct
data = open("draw/grid24.bmp", "rb").read()
offset = struct.unpack_from("<I", data, 10)[0]
width, height = struct.unpack_from("<ii", data, 18)
stride24, stride8 = (width * 3 + 3) // 4 * 4, (width + 3) // 4 * 4
palette, bits = [], bytearray()
for y in range(height):
    row = bytearray()
    for x in range(width):
        bgr = data[offset + y * stride24 + x * 3: offset + y * stride24 + x * 3 + 3]
        if bgr not in palette:
            palette.append(bgr)
        row.append(palette.index(bgr))
    bits += row + bytes(stride8 - width)
def bmp8(path, entries, count_field):
    colors = b"".join(p + b"\0" for p in palette) + bytes(4 * (entries - len(palette)))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(bits), 2835, 2835, count_field, 0)
    start = 14 + 40 + len(colors)
    open(path, "wb").write(b"BM" + struct.pack("<IHHI", start + len(bits), 0, 0, start) + header + colors + bits)
bmp8("draw/grid8.bmp", 256, 0)
bmp8("bmp-refused/pal9.bmp", len(palette), len(palette))
PY
cp png/rgba8.png png/rgba8.bgra draw/
echo done > complete

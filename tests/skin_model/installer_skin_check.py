#!/usr/bin/env python3
"""Checks the installer's skin folder the way the skin database will read it, before any Windows
code runs: every document parses, every colour, font, image and style that a document names is
defined by then (documents are read in the packer's order, and within one document the GDI
sections before the styles), every image file exists and decodes as the engine expects, and every
style name that the installer's views pass is defined.

usage: installer_skin_check.py <skin folder> <installer source folder>
Prints one line per fault and "N passed, M failed" at the end.
"""
import os
import re
import struct
import sys
import xml.etree.ElementTree as ET

# Default style names that the control factory falls back on, and the header style of `property`.
CLASS_DEFAULTS = ['dialog', 'childdialog', 'button', 'checkbutton', 'radiobutton', 'static', 'edit',
                  'listbox', 'listctrl', 'combobox', 'scrollwindow', 'groupbox', 'scrollbar',
                  'sliderctrl', 'spinbutton', 'tabctrl', 'progress', 'treectrl', 'toolbarctrl',
                  'splitbutton', 'datetimectrl', 'headerctrl']
STATE_PIECES = {'normal', 'over', 'down', 'disable', 'checked', 'checkedover', 'inactive',
                'checkeddisable', 'checkeddown', 'all', 'default', 'non'}
PAINT_MODES = {'tilefill', 'stretchparthorz', 'stretchpartvert', 'stretchpartall', 'center', 'left',
               'top', 'right', 'bottom', '3in', '4in'}
ITEM_COMMON = {'left', 'top', 'right', 'bottom', 'width', 'height', 'index', 'id', 'relativeto',
               'relativepoint', 'visible', 'state'}
ATTRIBUTES = {
    'image': ITEM_COMMON | {'left_part', 'top_part', 'right_part', 'bottom_part', 'transparentcolor',
                            'canadjust', 'autosize', 'paintmode', 'picfile', 'bgray', 'rectinfile'},
    'text': ITEM_COMMON | {'textcolor', 'horzalign', 'vertalign', 'bsingleline', 'autosize', 'richtext',
                           'content', 'bellipsis', 'font'},
    'rect': ITEM_COMMON | {'bordercolor', 'fillcolor', 'roundwidth', 'roundheight', 'borderwidth',
                           'nradius', 'textextent', 'textfont', 'gradientmode', 'alignmode',
                           'gradientbegincolor', 'gradientendcolor', 'style'},
    'line': ITEM_COMMON | {'linecolor', 'penwidth', 'gradientmode', 'alignmode', 'gradientbegincolor',
                           'gradientendcolor', 'linestyle'},
    'animateitem': ITEM_COMMON | {'inonefile', 'start', 'cycle', 'delaytime', 'nframecount', 'action'},
    'property': {'bselfpaint', 'clipcolor', 'bkcolor', 'tooltips', 'cursor', 'scrollbar', 'headerctrl',
                 'width', 'height', 'btransparentbk'},
    'dialoginfo': {'bordertop', 'borderbottom', 'borderleft', 'borderright', 'minwidth', 'maxwidth',
                   'minheight', 'maxheight', 'captionheight', 'clientstarty', 'SendSysCmdMsg', 'iconrect',
                   'clientareaborder'},
    'buttoninfo': {'width', 'height', 'subtype', 'splitwidth', 'drawfocus'},
    'editinfo': {'buseimagebk', 'marginleft', 'marginright', 'textcolor', 'textcolor_dis', 'textcolor_ro',
                 'font'},
    'windowregion': {'type'},
    'shape': {'type', 'roundsize', 'combine', 'left', 'top', 'right', 'bottom', 'width', 'height'},
    'sysmenu': set(),
    'sysbtn': {'left', 'top', 'width', 'height', 'name', 'label'},
    'scrollinfo': {'width', 'height', 'interval', 'splitwidth'},
    'progressinfo': {'leftpad', 'toppad'},
    'groupboxinfo': {'textoffsetx', 'textoffsety'},
    'menuinfo': {'height', 'width', 'iconx', 'icony', 'separatorheight', 'borderwidth', 'iconwidth', 'font',
                 'multibg'},
    'comboboxinfo': {'editmargin', 'downliststyle'},
    'tabctrlinfo': {'marginleft', 'margintop', 'tabspace', 'iconx', 'icony', 'spinstyle', 'spinsize'},
    'listboxinfo': {'bDrawOver', 'oddevenline'},
    'treectrlinfo': {'bDrawOver', 'alwaysShowIcon', 'itemheight', 'levelpos'},
    'listctrlinfo': {'bDrawOver', 'itemheight', 'oddevenline'},
}
COLOUR_ATTRIBUTES = {'bkcolor', 'clipcolor', 'textcolor', 'textcolor_dis', 'textcolor_ro', 'bordercolor',
                     'fillcolor', 'gradientbegincolor', 'gradientendcolor', 'linecolor', 'transparentcolor'}
FONT_ATTRIBUTES = {('text', 'font'), ('editinfo', 'font'), ('rect', 'textfont'), ('menuinfo', 'font')}
UNSET = 2147483647


class Checker:
    def __init__(self, folder):
        self.folder = folder
        self.faults, self.checks = [], 0
        self.colours, self.fonts, self.images, self.styles = set(), set(), {}, {}
        self.looked_up = []
        self.cursors, self.cursor_uses = set(), []

    def expect(self, condition, text):
        self.checks += 1
        if not condition:
            self.faults.append(text)

    # GDI sections ----------------------------------------------------------------------------
    def gdi(self, theme, doc):
        for c in theme.findall('uicolor/color'):
            self.colour('%s: colour %s' % (doc, c.get('id')), c.get('value', '').lstrip('#'))
            self.colours.add(c.get('id'))
        for f in theme.findall('uifont/font'):
            self.expect(bool(f.get('id')) and bool(f.get('fontface')), '%s: font without id or face' % doc)
            self.fonts.add(f.get('id'))
        for i in theme.findall('uiimage/image'):
            path = os.path.join(self.folder, i.get('value', ''))
            self.expect(os.path.isfile(path), '%s: image %s names a missing file %s' % (doc, i.get('id'), i.get('value')))
            if os.path.isfile(path):
                self.images[i.get('id')] = image_size(path, self)
        for c in theme.findall('uicursor/cursor'):
            path = os.path.join(self.folder, c.get('value', ''))
            self.expect(os.path.isfile(path), '%s: cursor %s names a missing file' % (doc, c.get('id')))
            if os.path.isfile(path):
                head = open(path, 'rb').read(6)
                self.expect(struct.unpack('<HHH', head) == (0, 2, 1), '%s: %s is not a one-image cursor file' % (doc, c.get('value')))
            self.cursors.add(c.get('id'))

    # Styles ------------------------------------------------------------------------------------
    def colour(self, where, value):
        if value.startswith('#'):
            self.expect(value[1:] in self.colours, '%s: colour %s is not defined yet' % (where, value))
        else:
            self.expect(len(value) >= 4 and re.fullmatch(r'[0-9A-Fa-f]+|rgb\(.*\)|RGB\(.*\)', value) is not None,
                        '%s: colour text %s does not parse' % (where, value))
            # Hexadecimal text sets the top byte, so white would read as 0xFFFFFFFF: "no colour".
            self.expect(value.upper() not in ('FFFFFF', 'FFFFFFFF'), '%s: hexadecimal white reads as no colour' % where)

    def element(self, el, where):
        known = ATTRIBUTES.get(el.tag)
        if known is not None:
            for name in el.attrib:
                self.expect(name in known, '%s: <%s> has an unknown attribute %s' % (where, el.tag, name))
        for name, value in el.attrib.items():
            if name in COLOUR_ATTRIBUTES:
                self.colour('%s <%s %s>' % (where, el.tag, name), value)
            if (el.tag, name) in FONT_ATTRIBUTES and value and value.lower() != '#default':
                self.expect(value.lstrip('#') in self.fonts, '%s: font %s is not defined yet' % (where, value))
        if 'state' in el.attrib:
            pieces = el.get('state').split('|')
            self.expect(all(p in STATE_PIECES for p in pieces), '%s: state %s has an unknown piece' % (where, el.get('state')))
        if el.tag == 'image':
            self.image_item(el, where)
        if el.tag in ITEM_COMMON_TAGS:
            self.placement(el, where)

    def image_item(self, el, where):
        pic = el.get('picfile', '').lstrip('#')
        self.expect(pic in self.images, '%s: picture %s is not defined yet' % (where, pic))
        mode = el.get('paintmode', '').lower()
        self.expect(not mode or mode in PAINT_MODES, '%s: unknown paint mode %s' % (where, mode))
        if pic in self.images and self.images[pic]:
            w, h = self.images[pic]
            if mode in ('3in', '4in'):
                n = int(mode[0])
                self.expect(w % n == 0, '%s: %s is %d wide, not %d equal frames' % (where, pic, w, n))
            if 'rectinfile' in el.attrib:
                x, y, rw, rh = (int(v, 0) for v in el.get('rectinfile').split(','))
                self.expect(x >= 0 and y >= 0 and x + rw <= w and y + rh <= h,
                            '%s: rectinfile %s lies outside %s (%dx%d)' % (where, el.get('rectinfile'), pic, w, h))

    def placement(self, el, where):
        """A set left with a non-negative right: the right edge is taken as it stands, so it must
        lie right of the left edge (a right of 0 means an item of no width)."""
        left, right = el.get('left'), el.get('right')
        if right is not None and int(right) >= 0 and el.get('width') is None:
            self.expect(int(right) > int(left or 0), '%s: <%s> right %s gives no width' % (where, el.tag, right))

    def style(self, window, doc):
        name = window.get('name', '')
        where = '%s: style %s' % (doc, name)
        self.expect(name not in self.styles, '%s is defined twice' % where)
        inherit = window.get('inherit')
        if inherit:
            self.expect(inherit in self.styles, '%s inherits %s, which is not defined before it' % (where, inherit))
        for el in window.iter():
            if el is not window:
                self.element(el, where)
        # Styles that a window looks up by name when it is skinned, not while the skin is read.
        for label in (b.get('label') for b in window.findall('sysmenu/sysbtn')):
            self.looked_up.append((where, label))
        for el in window.iter():
            if el.tag in ('property', 'eventitem') and el.get('cursor'):
                self.cursor_uses.append((where, el.get('cursor').lstrip('#')))
        for key in ('property', 'comboboxinfo'):
            record = window.find(key)
            for attr in ('scrollbar', 'headerctrl', 'downliststyle'):
                if record is not None and record.get(attr):
                    self.looked_up.append((where, record.get(attr)))
        anim = window.findall('animateitem')
        for a in anim:
            frames = int(a.get('nframecount', '0'))
            for img in a.findall('image'):
                size = self.images.get(img.get('picfile', '').lstrip('#'))
                if size and frames:
                    self.expect(size[0] % frames == 0, '%s: %d frames do not divide the picture evenly' % (where, frames))
        self.styles.setdefault(name, window)

    def document(self, path):
        doc = os.path.basename(path)
        try:
            theme = ET.parse(path).getroot()
        except ET.ParseError as error:
            self.expect(False, '%s does not parse: %s' % (doc, error))
            return
        self.expect(theme.tag == 'theme' and theme.find('manifest') is not None, '%s lacks theme/manifest' % doc)
        self.gdi(theme, doc)
        for window in theme.findall('uiwindow/window'):
            self.style(window, doc)
        mb = theme.find('messagebox')
        if mb is not None:
            font = mb.find('font')
            self.expect(font is None or font.get('id') in self.fonts, '%s: message-box font missing' % doc)


ITEM_COMMON_TAGS = {'image', 'text', 'rect', 'line', 'animateitem'}


def image_size(path, checker):
    """Width and height, checking the format that the engine's decoders take."""
    data = open(path, 'rb').read()
    name = os.path.basename(path)
    if path.endswith('.png'):
        ok = data[:8] == b'\x89PNG\r\n\x1a\n' and data[12:16] == b'IHDR'
        w, h, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', data[16:29])
        checker.expect(ok and depth == 8 and colour in (2, 6) and interlace == 0,
                       '%s: PNG must be 8-bit RGB or RGBA, not interlaced' % name)
        return w, h
    if path.endswith('.bmp'):
        w, h, planes, bits = struct.unpack('<iiHH', data[18:30])
        checker.expect(data[:2] == b'BM' and bits in (8, 24), '%s: BMP must be 8-bit or 24-bit' % name)
        return w, abs(h)
    if path.endswith('.jpg'):
        at = 2
        while at < len(data) - 9:
            marker, length = data[at + 1], struct.unpack('>H', data[at + 2:at + 4])[0]
            if marker in (0xC0, 0xC1, 0xC2):
                h, w, comps = struct.unpack('>HHB', data[at + 5:at + 10])
                checker.expect(comps == 3, '%s: JPEG must have three components' % name)
                return w, h
            at += 2 + length
        checker.expect(False, '%s: JPEG without a frame header' % name)
    return None


def view_styles(source):
    names = set()
    for file in sorted(os.listdir(source)):
        if re.fullmatch(r'\w*View\.cpp', file):
            text = open(os.path.join(source, file), encoding='utf-8').read()
            names |= set(re.findall(r'uiSkinWindow\([^;]*?L"([^"]+)"', text))
    return names


def main(folder, source):
    checker = Checker(folder)
    docs = sorted(f for f in os.listdir(folder) if f.endswith('.xml'))  # the packer's order
    for doc in docs:
        checker.document(os.path.join(folder, doc))
    for where, name in checker.looked_up:
        checker.expect(name in checker.styles, '%s names style %s, which is not defined' % (where, name))
    for where, name in checker.cursor_uses:
        checker.expect(name in checker.cursors, '%s names cursor %s, which is not defined' % (where, name))
    used = view_styles(source)
    checker.expect(len(used) >= 20, 'found only %d style names in the views' % len(used))
    for name in sorted(used | set(CLASS_DEFAULTS)):
        checker.expect(name in checker.styles, 'style %s is not defined' % name)
    checker.expect('default' in checker.fonts, 'no font named default')
    # The progress view shows one of the items 1 to 4 at a time: each is there, nothing else is.
    # Only a slide's picture and its caption may carry those indexes; anything else there (a border
    # line, say) would vanish whenever its slide is hidden.
    dialog = checker.styles.get('progress.dialog')
    if dialog is not None:
        items = [(el.tag, int(el.get('index', '0'))) for el in dialog if el.tag in ITEM_COMMON_TAGS]
        for i in range(1, 5):
            pictures = sum(1 for tag, index in items if tag == 'image' and index == i)
            checker.expect(pictures == 1, 'progress.dialog has %d pictures with index %d, not one' % (pictures, i))
        strays = sorted(tag for tag, index in items if 1 <= index <= 4 and tag not in ('image', 'text'))
        checker.expect(not strays, 'progress.dialog: %s items take a slide\'s index' % ', '.join(strays))
    progress = checker.styles.get('progress')
    if progress is not None:
        ids = {el.get('id') for el in progress.iter('image')}
        checker.expect({'progress.bk', 'progress.step'} <= ids, 'progress lacks progress.bk or progress.step')
    referenced = {i.get('value') for d in docs for i in ET.parse(os.path.join(folder, d)).getroot().iter()
                  if i.tag in ('image', 'cursor') and i.get('value')}
    for file in os.listdir(folder):
        checker.expect(file.endswith('.xml') or file in referenced, '%s is packed but no document uses it' % file)
    for fault in checker.faults:
        print('FAIL: ' + fault)
    print('%d passed, %d failed' % (checker.checks - len(checker.faults), len(checker.faults)))
    return 1 if checker.faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2]))

#!/usr/bin/env python3
"""Build Pulvar's icons, cursor, bitmaps and button GIF from the pixel maps
in assets/src/.

    python3 assets/make_images.py
    python3 assets/make_images.py --check   (the tests run this)

With --check nothing is written: it fails when a file in assets/ is not the
bytes its pixel map gives. The GIF's four corners must be transparent.

Every assets/src/*.txt describes one output file:

    # comment lines start with '#'
    file   i01_lights.ico          name of the file written into assets/
    kind   icon                    icon | cursor | bmp | gif
    hotspot 12 1                   cursors only: x y of the hot spot

    palette                        one entry a line: CHAR R G B [name]
    k   0   0   0  black           or CHAR transparent [R G B]
    .   transparent

    image 32x32 4                  WIDTHxHEIGHT BITS-PER-PIXEL, then HEIGHT
    ....kkkk....                   rows of WIDTH palette characters
                                   (an icon may hold several images)

Colour tables:
  * 1 bpp: black, white.
  * 4 bpp: the classic 16 Windows colours, in their usual order; any other
    colour in the map is an error so the images look right in 16 colours.
  * 8 bpp: the classic 16 colours, then the other colours of the map in
    palette order, padded with black to 256 entries.
  * gif (bpp 5 = 32 entries): the source palette in its order, padded.

Icons and cursors store the transparent character as AND bit 1 and XOR
colour black. Bitmaps and GIFs are written exactly as drawn; in a GIF the
transparent character becomes the one transparent colour index.
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, "src")

CLASSIC16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
MONO = [(0, 0, 0), (255, 255, 255)]
KINDS = ("icon", "cursor", "bmp", "gif")


class MapError(Exception):
    pass


class Image:
    def __init__(self, width, height, bpp, rows):
        self.width = width
        self.height = height
        self.bpp = bpp
        self.rows = rows


class Source:
    def __init__(self, path):
        self.path = path
        self.file = None
        self.kind = None
        self.hotspot = None
        self.palette = {}        # char -> (r, g, b) or None for transparent
        self.order = []          # chars in the order they were listed
        self.transparent = None  # char, if any
        self.matte = (255, 255, 255)  # colour stored for it in a GIF table
        self.images = []


def parse(path):
    src = Source(path)
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    where = lambda n: "%s:%d" % (os.path.basename(path), n + 1)
    i = 0
    section = None
    while i < len(lines):
        raw = lines[i].rstrip()
        if not raw or raw.lstrip().startswith("#"):
            i += 1
            continue
        words = raw.split()
        key = words[0]
        if key == "file" and len(words) == 2:
            src.file = words[1]
            section = None
        elif key == "kind" and len(words) == 2:
            if words[1] not in KINDS:
                raise MapError("%s: unknown kind %r" % (where(i), words[1]))
            src.kind = words[1]
            section = None
        elif key == "hotspot" and len(words) == 3:
            src.hotspot = (int(words[1]), int(words[2]))
            section = None
        elif key == "palette" and len(words) == 1:
            section = "palette"
        elif key == "image":
            try:
                w, h = (int(v) for v in words[1].split("x"))
                bpp = int(words[2])
            except (IndexError, ValueError):
                raise MapError("%s: expected 'image WxH BPP'" % where(i))
            rows = lines[i + 1:i + 1 + h]
            if len(rows) != h:
                raise MapError("%s: image needs %d rows" % (where(i), h))
            for n, row in enumerate(rows):
                if len(row) != w:
                    raise MapError("%s: row is %d wide, not %d"
                                   % (where(i + 1 + n), len(row), w))
            src.images.append(Image(w, h, bpp, rows))
            i += h
            section = None
        elif section == "palette" and len(key) == 1:
            if key in src.palette:
                raise MapError("%s: %r defined twice" % (where(i), key))
            if len(words) >= 2 and words[1] == "transparent":
                if src.transparent is not None:
                    raise MapError("%s: second transparent entry" % where(i))
                src.transparent = key
                src.palette[key] = None
                if len(words) >= 5:
                    src.matte = tuple(int(v) for v in words[2:5])
            else:
                try:
                    rgb = tuple(int(v) for v in words[1:4])
                except ValueError:
                    raise MapError("%s: bad colour" % where(i))
                if len(rgb) != 3 or not all(0 <= v <= 255 for v in rgb):
                    raise MapError("%s: bad colour" % where(i))
                src.palette[key] = rgb
            src.order.append(key)
        else:
            raise MapError("%s: cannot read %r" % (where(i), raw))
        i += 1
    check(src)
    return src


def check(src):
    name = os.path.basename(src.path)
    if not src.file or not src.kind:
        raise MapError("%s: needs 'file' and 'kind'" % name)
    if not src.images:
        raise MapError("%s: no image" % name)
    for img in src.images:
        used = set("".join(img.rows))
        missing = used - set(src.palette)
        if missing:
            raise MapError("%s: characters not in palette: %s"
                           % (name, "".join(sorted(missing))))
        if src.kind in ("bmp",) and src.transparent in used:
            raise MapError("%s: bitmaps are opaque" % name)
    if src.kind == "cursor":
        if src.hotspot is None or len(src.images) != 1:
            raise MapError("%s: a cursor has one image and a hotspot" % name)
        x, y = src.hotspot
        img = src.images[0]
        if not (0 <= x < img.width and 0 <= y < img.height):
            raise MapError("%s: hotspot outside the image" % name)
        if img.rows[y][x] == src.transparent:
            raise MapError("%s: hotspot pixel is transparent" % name)
    if src.kind in ("bmp", "gif") and len(src.images) != 1:
        raise MapError("%s: one image only" % name)


def colour_table(src, img):
    """Return (table, char->index) for one image."""
    used = [c for c in src.order if any(c in row for row in img.rows)]
    if src.kind == "gif":
        table = []
        index = {}
        for c in src.order:
            index[c] = len(table)
            table.append(src.matte if c == src.transparent else src.palette[c])
        size = 1 << img.bpp
        if len(table) > size:
            raise MapError("%s: %d colours do not fit %d bpp"
                           % (src.file, len(table), img.bpp))
        return table + [(0, 0, 0)] * (size - len(table)), index
    if img.bpp == 1:
        base = MONO
    elif img.bpp in (4, 8):
        base = CLASSIC16
    else:
        raise MapError("%s: unsupported depth %d" % (src.file, img.bpp))
    table = list(base)
    index = {}
    for c in used:
        rgb = src.palette[c]
        if rgb is None:          # transparent: XOR colour black
            index[c] = 0
        elif rgb in table:
            index[c] = table.index(rgb)
        elif img.bpp == 8 and len(table) < 256:
            index[c] = len(table)
            table.append(rgb)
        else:
            raise MapError("%s: colour %r of %r is not allowed at %d bpp"
                           % (src.file, rgb, c, img.bpp))
    return table + [(0, 0, 0)] * ((1 << img.bpp) - len(table)), index


def pack_rows(rows, bpp):
    """Pack rows of small ints bottom-up, each row padded to 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        bits = 0
        nbits = 0
        line = bytearray()
        for v in row:
            bits = (bits << bpp) | v
            nbits += bpp
            if nbits == 8:
                line.append(bits)
                bits = nbits = 0
        if nbits:
            line.append(bits << (8 - nbits))
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def rgbquads(table):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in table)


def icon_dib(src, img):
    table, index = colour_table(src, img)
    xor = pack_rows([[index[c] for c in row] for row in img.rows], img.bpp)
    mask = pack_rows([[1 if c == src.transparent else 0 for c in row]
                      for row in img.rows], 1)
    header = struct.pack("<IiiHHIIiiII", 40, img.width, 2 * img.height, 1,
                         img.bpp, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + rgbquads(table) + xor + mask


def write_icon(src):
    cursor = src.kind == "cursor"
    dibs = [icon_dib(src, img) for img in src.images]
    out = bytearray(struct.pack("<HHH", 0, 2 if cursor else 1, len(dibs)))
    offset = 6 + 16 * len(dibs)
    for img, dib in zip(src.images, dibs):
        colours = (1 << img.bpp) if img.bpp < 8 else 0
        if cursor:
            a, b = src.hotspot
        else:
            a, b = 1, img.bpp
        out += struct.pack("<BBBBHHII", img.width & 0xFF, img.height & 0xFF,
                           colours, 0, a, b, len(dib), offset)
        offset += len(dib)
    for dib in dibs:
        out += dib
    return bytes(out)


def write_bmp(src):
    img = src.images[0]
    table, index = colour_table(src, img)
    bits = pack_rows([[index[c] for c in row] for row in img.rows], img.bpp)
    off = 14 + 40 + 4 * len(table)
    info = struct.pack("<IiiHHIIiiII", 40, img.width, img.height, 1, img.bpp,
                       0, len(bits), 2835, 2835, len(table), 0)
    head = struct.pack("<2sIHHI", b"BM", off + len(bits), 0, 0, off)
    return head + info + rgbquads(table) + bits


def lzw(indices, min_size):
    """GIF flavour of LZW: variable code width, LSB-first bit packing."""
    clear = 1 << min_size
    end = clear + 1
    out = bytearray()
    acc = 0
    nacc = 0

    def emit(code, width):
        nonlocal acc, nacc
        acc |= code << nacc
        nacc += width
        while nacc >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nacc -= 8

    width = min_size + 1
    table = {}
    nxt = end + 1
    emit(clear, width)
    prefix = indices[0]
    for k in indices[1:]:
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix, width)
        if nxt < 4096:
            table[key] = nxt
            nxt += 1
            if nxt > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table = {}
            nxt = end + 1
            width = min_size + 1
        prefix = k
    emit(prefix, width)
    emit(end, width)
    if nacc:
        out.append(acc & 0xFF)
    return bytes(out)


def write_gif(src):
    img = src.images[0]
    if src.transparent is None:
        raise MapError("%s: a GIF needs its transparent colour" % src.file)
    table, index = colour_table(src, img)
    bpp = img.bpp
    trans = index[src.transparent]
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", img.width, img.height,
                       0x80 | ((8 - 1) << 4) | (bpp - 1), trans, 0)
    out += b"".join(struct.pack("BBB", *rgb) for rgb in table)
    # Graphic Control Extension: no disposal, transparency on, no delay.
    out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, 0x01, 0, trans, 0)
    out += struct.pack("<BHHHHB", 0x2C, 0, 0, img.width, img.height, 0)
    min_size = max(2, bpp)
    data = lzw([index[c] for row in img.rows for c in row], min_size)
    out.append(min_size)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out += b"\x00;"
    return bytes(out)


WRITERS = {"icon": write_icon, "cursor": write_icon,
           "bmp": write_bmp, "gif": write_gif}


def check_button(src):
    """The donate button is rounded: outside its corners the About window shows through."""
    img = src.images[0]
    if any(img.rows[y][x] != src.transparent for y in (0, -1) for x in (0, -1)):
        raise MapError("%s: a corner is not the transparent colour" % src.file)


def main(argv):
    check = argv == ["--check"]
    names = sorted(n for n in os.listdir(SRC) if n.endswith(".txt"))
    if not names:
        print("no pixel maps in %s" % SRC, file=sys.stderr)
        return 1
    stale = []
    try:
        for name in names:
            src = parse(os.path.join(SRC, name))
            data = WRITERS[src.kind](src)
            path = os.path.join(HERE, src.file)
            if src.kind == "gif":
                check_button(src)
            if check:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(src.file)
                continue
            with open(path, "wb") as f:
                f.write(data)
            print("%-22s %6d bytes  from src/%s" % (src.file, len(data), name))
    except (MapError, OSError) as e:
        print("error: %s" % e, file=sys.stderr)
        return 1
    if stale:
        print("not what their pixel maps give (run python3 assets/make_images.py): %s"
              % " ".join(stale), file=sys.stderr)
        return 1
    if check:
        print("assets: %d files are what their pixel maps give" % len(names))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

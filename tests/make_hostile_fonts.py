#!/usr/bin/python3
"""Writes damaged and hostile fonts into a folder, each a family of its own
made from DejaVu Sans (and Terminus for the bitmap one): what a user may find
among downloads and half-copied files. Usage: make_hostile_fonts.py DEJAVU_SANS
TERMINUS_OTB FOLDER."""
import os
import struct
import sys
import zlib

from fontTools.colorLib.builder import buildCOLR, buildCPAL
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.tables import sbixGlyph, sbixStrike

from fontmaking import cut, rename, table_offsets

dejavu, terminus, folder = sys.argv[1], sys.argv[2], sys.argv[3]
os.makedirs(folder, exist_ok=True)
ASCII = range(0x20, 0x7F)


def base(family):
    """DejaVu Sans cut down to ASCII, renamed."""
    return cut(dejavu, ASCII, family)


def save(font, name):
    path = os.path.join(folder, name)
    font.save(path)
    return path


def glyph_of(font, code):
    return font.getBestCmap()[code]


def set_outline(font, name, contours):
    pen = TTGlyphPen(None)
    for contour in contours:
        pen.moveTo(contour[0])
        for point in contour[1:]:
            pen.lineTo(point)
        pen.closePath()
    glyph = pen.glyph()
    glyph.recalcBounds(font["glyf"])
    font["glyf"][name] = glyph
    font["hmtx"][name] = (font["hmtx"][name][0], getattr(glyph, "xMin", 0))


def empty(font, name):
    set_outline(font, name, [])


# Capitals drawn as a star whose points reach the ends of the 16-bit range:
# a legal outline box of +-32,767 units.
font = base("Vantor Oversized")
far = 32767
star = [(-far, 0), (-600, 600), (0, far), (600, 600), (far, 0), (600, -600), (0, -far), (-600, -600)]
for code in range(ord("A"), ord("Z") + 1):
    set_outline(font, glyph_of(font, code), [star])
font["head"].xMin, font["head"].yMin, font["head"].xMax, font["head"].yMax = -far, -far, far, far
save(font, "oversized.ttf")

# Outlines drawn for 2048 units to the em, in a font that says 16.
font = base("Vantor Tiny Em")
font["head"].unitsPerEm = 16
save(font, "tiny-em.ttf")

# Every character maps to a glyph without contours.
font = base("Vantor Empty")
for code in ASCII:
    empty(font, glyph_of(font, code))
save(font, "empty.ttf")

# Colour layers (COLR version 0) over empty base glyphs: each capital's
# outline and a bar beneath it in two colours.
font = base("Vantor Layers")
layers = {}
for code in range(ord("A"), ord("Z") + 1):
    name = glyph_of(font, code)
    shape, bar = name + ".shape", name + ".bar"
    font["glyf"][shape] = font["glyf"][name]
    font["hmtx"][shape] = font["hmtx"][name]
    font["hmtx"][bar] = font["hmtx"][name]
    set_outline(font, bar, [[(100, -200), (1200, -200), (1200, -100), (100, -100)]])
    empty(font, name)
    layers[name] = [(shape, 0), (bar, 1)]
font.setGlyphOrder(font["glyf"].glyphOrder)
font["COLR"] = buildCOLR(layers, version=0)
font["CPAL"] = buildCPAL([[(1.0, 0.0, 0.0, 1.0), (0.0, 0.0, 1.0, 1.0)]])
save(font, "layers.ttf")

# Glyphs only as SVG documents, over empty base glyphs.
font = base("Vantor SVG Only")
documents = []
for code in range(ord("A"), ord("Z") + 1):
    name = glyph_of(font, code)
    gid = font.getGlyphID(name)
    empty(font, name)
    documents.append((f'<svg xmlns="http://www.w3.org/2000/svg"><rect id="glyph{gid}" '
                      f'x="100" y="-1400" width="1000" height="1400"/></svg>', gid, gid))
svg = newTable("SVG ")
svg.docList = documents
font["SVG "] = svg
save(font, "svg-only.ttf")

# No character map: FreeType makes one from the glyph names; HarfBuzz finds
# none.
font = base("Vantor No Cmap")
del font["cmap"]
save(font, "no-cmap.ttf")

# Advances of 32,768 units and more, which hmtx holds unsigned.
font = base("Vantor Wide Advance")
for code, advance in ((ord("A"), 65535), (ord("B"), 40000), (ord("C"), 32768)):
    name = glyph_of(font, code)
    font["hmtx"][name] = (advance, font["hmtx"][name][1])
font["hhea"].advanceWidthMax = 65535
save(font, "wide-advance.ttf")

# A family name full of control characters.
font = base("Hostile \x01\x07\x1b[31m\tName")
save(font, "control-name.ttf")

# A family name holding what XML cannot: U+FFFE, U+FFFF and U+0001, written
# as UTF-16 into the name table. (fontconfig makes a name with a lone
# surrogate all question marks.)
font = base("Vantor Odd Name")
odd = "Vantor ".encode("utf-16-be") + b"\xff\xfe\xff\xff\x00\x01" + " Name".encode("utf-16-be")
for record in font["name"].names:
    if record.nameID in (1, 16) and record.platformID == 3:
        record.string = odd
save(font, "odd-name.ttf")

# Colour bitmaps that are decompression bombs: a PNG of 30,000 pixels a side
# in 1 bit per pixel, a hundred kilobytes that decode to 3.6 GB of colour,
# in an sbix font without outlines and in a CBDT one.
SIDE = 30000
row = b"\0" + bytes((SIDE + 7) // 8)


def chunk(tag, data):
    return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))


packer = zlib.compressobj(9)
pixels = b"".join(packer.compress(row) for _ in range(SIDE)) + packer.flush()
bomb = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIDE, SIDE, 1, 0, 0, 0, 0))
        + chunk(b"IDAT", pixels) + chunk(b"IEND", b""))

font = base("Vantor sbix Bomb")
for table in ("glyf", "loca"):
    del font[table]
font["maxp"].tableVersion = 0x00005000
sbix = newTable("sbix")
sbix.version, sbix.flags = 1, 1
strike = sbixStrike.Strike(ppem=128, resolution=72)
for code in (ord("A"), ord("B")):
    name = glyph_of(font, code)
    strike.glyphs[name] = sbixGlyph.Glyph(glyphName=name, graphicType="png ", imageData=bomb)
sbix.strikes = {128: strike}
font["sbix"] = sbix
save(font, "sbix-bomb.ttf")

font = cut("/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf", [0x1F34E, 0x2764], "Vantor CBDT Bomb")
for glyph in font["CBDT"].strikeData[0].values():
    glyph.ensureDecompiled()
    glyph.imageData = bomb
save(font, "cbdt-bomb.ttf")

# Glyph records that cannot be read: the second half of the capitals have a
# contour count far beyond the data behind it.
path = save(base("Vantor Damaged"), "damaged.ttf")
font = TTFont(path, recalcTimestamp=False)
loca = font["loca"]
damaged = [font.getGlyphID(glyph_of(font, code)) for code in range(ord("N"), ord("Z") + 1)]
offsets = {gid: loca[gid] for gid in damaged}
with open(path, "rb") as file:
    data = bytearray(file.read())
glyf_offset = table_offsets(data)["glyf"][0]
for gid, offset in offsets.items():
    struct.pack_into(">h", data, glyf_offset + offset, 30000)
with open(path, "wb") as file:
    file.write(data)

# The same file cut in the middle of its glyph table.
font = base("Vantor Truncated")
path = save(font, "truncated.ttf")
with open(path, "rb") as file:
    data = file.read()
offset, length = table_offsets(data)["glyf"]
with open(path, "wb") as file:
    file.write(data[:offset + length // 2])

# Terminus with its strikes said to be 0 pixels.
font = TTFont(terminus, recalcTimestamp=False)
rename(font, "Vantor Zero Strike")
path = save(font, "zero-strike.otb")
with open(path, "rb") as file:
    data = bytearray(file.read())
eblc = table_offsets(data)["EBLC"][0]
for strike in range(struct.unpack(">I", data[eblc + 4:eblc + 8])[0]):
    data[eblc + 8 + 48 * strike + 44:eblc + 8 + 48 * strike + 46] = b"\0\0"
with open(path, "wb") as file:
    file.write(data)

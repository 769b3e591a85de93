#!/usr/bin/python3
"""Writes the seed fonts of the font fuzzer into a folder: the test fonts in
each format the program meets, small subsets of those with outlines
(TrueType, CFF, colour bitmaps), the bitmap strikes whole, and a variable
font; beside them the build puts the hostile faces, a colour layer font
among them. Usage: make_corpus.py FOLDER."""
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from fontTools.fontBuilder import FontBuilder  # noqa: E402
from fontTools.pens.ttGlyphPen import TTGlyphPen  # noqa: E402
from fontTools.ttLib.tables.TupleVariation import TupleVariation  # noqa: E402

from fontmaking import cut  # noqa: E402

folder = sys.argv[1]
os.makedirs(folder, exist_ok=True)
TESTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
LETTERS = [ord(c) for c in " AVWgjfi?!.1\u00e9"]

for name, source, codes in [
    ("truetype.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", LETTERS + [0x628, 0x5E9]),
    ("truetype-mono-bold.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", LETTERS),
    ("cff.otf", os.path.join(TESTS, "data", "NotoSansCJKsc-Subset.otf"), [0x20, 0x30, 0x41, 0x2026, 0x4E2D]),
    ("colour-bitmaps.ttf", "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf", [0x1F34E, 0x2764, 0xFE0F]),
]:
    cut(source, codes, "Vantor Seed").save(os.path.join(folder, name))
# Bitmap strikes as they are: fontTools cannot cut a font of bitmaps only.
shutil.copy("/usr/share/fonts/opentype/terminus/terminus-normal.otb", os.path.join(folder, "bitmap-strikes.otb"))

# A variable font: A grows wider with its weight.
builder = FontBuilder(1000, isTTF=True)
builder.setupGlyphOrder([".notdef", "space", "A"])
builder.setupCharacterMap({0x20: "space", 0x41: "A"})
pen = TTGlyphPen(None)
for point in [(100, 0), (100, 700), (500, 700), (500, 0)]:
    (pen.lineTo if point != (100, 0) else pen.moveTo)(point)
pen.closePath()
builder.setupGlyf({".notdef": TTGlyphPen(None).glyph(), "space": TTGlyphPen(None).glyph(), "A": pen.glyph()})
builder.setupHorizontalMetrics({".notdef": (500, 0), "space": (250, 0), "A": (600, 100)})
builder.setupHorizontalHeader(ascent=800, descent=-200)
builder.setupNameTable({"familyName": "Vantor Variable", "styleName": "Regular"})
builder.setupOS2()
builder.setupPost()
builder.setupFvar(axes=[("wght", 100, 400, 900, "Weight")], instances=[])
builder.setupGvar({"A": [TupleVariation({"wght": (0, 1.0, 1.0)}, [(0, 0), (0, 0), (200, 0), (200, 0),
                                                                    (0, 0), (200, 0), (0, 0), (0, 0)])]})
builder.font.recalcTimestamp = False
builder.save(os.path.join(folder, "variable.ttf"))

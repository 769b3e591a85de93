#!/usr/bin/python3
"""Writes fonts as a desktop has them into a folder: one family from two
foundries, as ghostscript's URW fonts come in two formats, made from DejaVu
Sans with every advance one and a half times as wide, so that no other font
measures as it does; and a variable font with a Bold and an Italic
instance. Usage: make_desktop_fonts.py DEJAVU_SANS FOLDER."""
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables.TupleVariation import TupleVariation

from fontmaking import cut

dejavu, folder = sys.argv[1], sys.argv[2]
os.makedirs(folder, exist_ok=True)

for vendor, name in ((b"UKWN", "twin-ukwn.ttf"), (b"urw ", "twin-urw.ttf")):
    font = cut(dejavu, range(0x20, 0x7F), "Vantor Twin")
    font["OS/2"].achVendID = vendor.decode("latin-1")
    metrics = font["hmtx"].metrics
    for glyph, (advance, bearing) in metrics.items():
        metrics[glyph] = (advance * 3 // 2, bearing)
    font.save(os.path.join(folder, name))

# A variable font with named instances, as Inter is: its H wider and bolder
# with the weight, leaning with the slant.
builder = FontBuilder(1000, isTTF=True)
builder.setupGlyphOrder([".notdef", "space", "H"])
builder.setupCharacterMap({0x20: "space", 0x48: "H"})
pen = TTGlyphPen(None)
pen.moveTo((100, 0))
for point in [(100, 700), (300, 700), (300, 0)]:
    pen.lineTo(point)
pen.closePath()
builder.setupGlyf({".notdef": TTGlyphPen(None).glyph(), "space": TTGlyphPen(None).glyph(), "H": pen.glyph()})
builder.setupHorizontalMetrics({".notdef": (500, 0), "space": (250, 0), "H": (400, 100)})
builder.setupHorizontalHeader(ascent=800, descent=-200)
builder.setupNameTable({"familyName": "Vantor Weights", "styleName": "Regular"})
builder.setupOS2()
builder.setupPost()
builder.setupFvar(axes=[("wght", 100, 400, 900, "Weight"), ("slnt", -12, 0, 0, "Slant")],
                  instances=[{"location": {"wght": weight, "slnt": slant}, "stylename": name}
                             for name, weight, slant in (("Regular", 400, 0), ("Bold", 700, 0),
                                                         ("Italic", 400, -12), ("Bold Italic", 700, -12))])
# Four points of the bar, then the four phantom points: at wght 900 the bar
# is 500 units wider and so is the advance; at slnt -12 its top leans right.
builder.setupGvar({"H": [
    TupleVariation({"wght": (0, 1.0, 1.0)}, [(0, 0), (0, 0), (500, 0), (500, 0), (0, 0), (500, 0), (0, 0), (0, 0)]),
    TupleVariation({"slnt": (-1.0, -1.0, 0)}, [(0, 0), (150, 0), (150, 0), (0, 0), (0, 0), (0, 0), (0, 0), (0, 0)]),
]})
builder.font.recalcTimestamp = False
builder.save(os.path.join(folder, "weights.ttf"))

#!/usr/bin/python3
"""Writes fonts as a desktop has them into a folder: one family from two
foundries, as ghostscript's URW fonts come in two formats, made from DejaVu
Sans with every advance one and a half times as wide, so that no other font
measures as it does. Usage: make_desktop_fonts.py DEJAVU_SANS FOLDER."""
import os
import sys

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

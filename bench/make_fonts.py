#!/usr/bin/python3
"""Writes N small fonts, each a family of its own, for the start-up benchmark:
DejaVu Sans cut down to one letter and renamed."""
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

source, folder, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
os.makedirs(folder, exist_ok=True)
font = TTFont(source)
options = subset.Options()
options.name_IDs = [1, 2, 4, 6, 16, 17]
options.hinting = False
options.drop_tables += ["FFTM"]
cutter = subset.Subsetter(options)
cutter.populate(unicodes=[0x41])
cutter.subset(font)
for i in range(count):
    family = f"Vantor Bench {i:04d}"
    for record in font["name"].names:
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID == 4:
            record.string = family + " Book"
        elif record.nameID == 6:
            record.string = family.replace(" ", "") + "-Book"
    font.save(os.path.join(folder, f"bench-{i:04d}.ttf"))

"""Fonts made from installed ones for tests and benchmarks: cut down to a
few characters, renamed, and read at the level of their table directory."""
import struct

from fontTools import subset
from fontTools.ttLib import TTFont


def rename(font, family):
    """Makes the font a family of its own, named `family`."""
    for record in font["name"].names:
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID == 4:
            record.string = family + " Book"
        elif record.nameID == 6:
            record.string = "".join(c for c in family if c.isalnum()) + "-Book"


def cut(source, codes, family):
    """The font of the file cut down to the codes, without hinting, with its
    layout features and glyph names, renamed."""
    # The same bytes at every build: no time of saving in the head table.
    font = TTFont(source, recalcTimestamp=False)
    options = subset.Options()
    options.name_IDs = [1, 2, 4, 6, 16, 17]
    options.hinting = False
    options.layout_features = ["*"]
    options.drop_tables += ["FFTM"]
    options.glyph_names = True
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=list(codes))
    cutter.subset(font)
    rename(font, family)
    return font


def table_offsets(data):
    """Each table's offset and length, from a font file's directory."""
    count = struct.unpack(">H", data[4:6])[0]
    return {bytes(data[12 + 16 * i:16 + 16 * i]).decode("latin-1"): struct.unpack(">II", data[20 + 16 * i:28 + 16 * i])
            for i in range(count)}

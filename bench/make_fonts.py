#!/usr/bin/python3
"""Writes N small fonts, each a family of its own, for the start-up benchmark:
DejaVu Sans cut down to one letter and renamed."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
from fontmaking import cut  # noqa: E402

source, folder, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
os.makedirs(folder, exist_ok=True)
for i in range(count):
    cut(source, [0x41], f"Vantor Bench {i:04d}").save(os.path.join(folder, f"bench-{i:04d}.ttf"))

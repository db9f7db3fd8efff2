#!/usr/bin/env python3
"""Draws the cut position diagram (130 x 101 pixels, 16-colour look) into cut_diagram.png.

A strip of paper seen from above: white, with a black edge on the left and right, torn silver-grey
areas at the top and bottom, and the black mark as a short bar against the right edge. The bar sits
at the nominal cut, 20.5 of the diagram's 55 units from the top (pixel row 37.6).

Usage: python3 resources/draw_cut_diagram.py [output.png]
Needs ImageMagick's `convert` to turn the drawing into a PNG. The output is reproducible: the
ragged edges come from a fixed table, not from a random generator.
"""

import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 130, 101
SCALE_HEIGHT = 55.0

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
SILVER = (192, 192, 192)
GREY = (128, 128, 128)

# Depth of the torn areas, repeated across the width; the top stays above the drag band (row 19)
# and the bottom below it (row 96).
TOP_TEAR = [6, 7, 9, 8, 6, 5, 7, 10, 11, 9, 7, 6, 8, 9, 7, 5, 4, 6, 8, 10, 9, 8, 6, 7]
BOTTOM_TEAR = [4, 3, 2, 3, 4, 5, 3, 2, 1, 2, 4, 5, 4, 3, 2, 2, 3, 4, 3, 2, 1, 2, 3, 4]

PAPER_LEFT, PAPER_RIGHT = 6, 123  # the black edges
MARK_WIDTH = 16
MARK_ROWS = range(36, 40)  # centred on row 38, where the line at 20.5 units is drawn


def tear(table, x):
    """Smooth enough to look torn, ragged enough not to look drawn with a ruler."""
    return table[(x // 3) % len(table)] + (1 if x % 3 == 1 else 0)


def draw():
    pixels = [[WHITE] * WIDTH for _ in range(HEIGHT)]
    for x in range(WIDTH):
        top = tear(TOP_TEAR, x)
        bottom = HEIGHT - tear(BOTTOM_TEAR, x + 7)
        for y in range(HEIGHT):
            if y < top or y >= bottom or x < PAPER_LEFT or x > PAPER_RIGHT:
                pixels[y][x] = SILVER
            elif (y == top or y == bottom - 1) and PAPER_LEFT < x < PAPER_RIGHT:
                pixels[y][x] = GREY  # the torn paper's shadow
    for y in range(HEIGHT):
        for x in (PAPER_LEFT, PAPER_RIGHT):
            if tear(TOP_TEAR, x) <= y < HEIGHT - tear(BOTTOM_TEAR, x + 7):
                pixels[y][x] = BLACK
    for y in MARK_ROWS:
        for x in range(PAPER_RIGHT - MARK_WIDTH, PAPER_RIGHT):
            pixels[y][x] = BLACK
    return pixels


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "cut_diagram.png")
    pixels = draw()
    header = b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT)
    body = bytes(channel for row in pixels for pixel in row for channel in pixel)
    with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as ppm:
        ppm.write(header + body)
    try:
        subprocess.run(["convert", ppm.name, "-strip", "-define", "png:exclude-chunks=date,time",
                        "PNG8:" + output], check=True)
    finally:
        os.unlink(ppm.name)


if __name__ == "__main__":
    main()

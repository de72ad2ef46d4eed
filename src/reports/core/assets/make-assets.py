#!/usr/bin/python3
"""Draws the two report pictures: the maker's logo (125 x 48) and the plan
sketch of a chamber (56 x 63). Needs Debian's python3-pil and fonts-liberation;
a rerun writes the same files.

Usage: make-assets.py [OUTPUT_FOLDER]   (default: this script's folder)
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

FONTS = '/usr/share/fonts/truetype/liberation'
BLUE = (16, 74, 140)
ICE = (70, 150, 215)
INK = (0, 0, 0)
WHITE = (255, 255, 255)


def font(name, size):
    return ImageFont.truetype(os.path.join(FONTS, name), size)


def snowflake(draw, cx, cy, r, colour, width):
    for k in range(6):
        a = math.radians(90 + 60 * k)
        ex, ey = cx + r * math.cos(a), cy - r * math.sin(a)
        draw.line([(cx, cy), (ex, ey)], fill=colour, width=width)
        # two barbs on each arm, at two thirds of its length
        bx, by = cx + 0.62 * r * math.cos(a), cy - 0.62 * r * math.sin(a)
        for s in (-1, 1):
            b = a + s * math.radians(45)
            draw.line([(bx, by), (bx + 0.3 * r * math.cos(b), by - 0.3 * r * math.sin(b))],
                      fill=colour, width=max(1, width - 1))


def logo(path):
    img = Image.new('RGB', (125, 48), WHITE)
    d = ImageDraw.Draw(img)
    # emblem: a blue disc with a white snowflake
    d.ellipse([3, 5, 41, 43], fill=BLUE)
    snowflake(d, 22, 24, 15, WHITE, 2)
    # name and a short line under it
    d.text((47, 5), 'Nivra', font=font('LiberationSans-Bold.ttf', 27), fill=BLUE)
    d.line([(48, 36), (121, 36)], fill=ICE, width=2)
    d.text((48, 38), 'холодильна техніка', font=font('LiberationSans-Regular.ttf', 8), fill=BLUE)
    img.save(path, optimize=True)


def plan(path):
    img = Image.new('RGB', (56, 63), WHITE)
    d = ImageDraw.Draw(img)
    x0, y0, x1, y1 = 11, 11, 44, 50      # the chamber's outline
    wall = 3
    d.rectangle([x0, y0, x1, y1], outline=INK, width=wall)
    # door opening in the bottom wall with its leaf swung inwards
    gap0, gap1 = 23, 33
    d.rectangle([gap0, y1 - wall + 1, gap1, y1], fill=WHITE)
    d.line([(gap0, y1 - 1), (gap0, y1 - 1 - (gap1 - gap0))], fill=INK, width=1)
    d.arc([gap0 - (gap1 - gap0), y1 - 1 - (gap1 - gap0), gap1, y1 - 1 + (gap1 - gap0)],
          270, 360, fill=INK)
    f = font('LiberationSans-Bold.ttf', 10)
    for text, x, y in (('Б', 2, 25), ('В', 24, -1), ('Г', 47, 25), ('А', 36, 51)):
        d.text((x, y), text, font=f, fill=INK)
    img.save(path, optimize=True)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    logo(os.path.join(out, 'logo.png'))
    plan(os.path.join(out, 'plan.png'))


if __name__ == '__main__':
    main()

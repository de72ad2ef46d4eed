#!/usr/bin/env python3
"""Draws the Kvor application icon: a white snowflake on an ice-blue tile.

Writes kvor.svg (the scalable icon, also used from 48 px up), kvor-small.svg
(thicker lines, one pair of branches: 32 px) and kvor-tiny.svg (bare arms: 16 px),
so the small sizes stay legible, then renders
kvor-<size>.png for the usual hicolor sizes with rsvg-convert (librsvg2-bin).
Run from anywhere: python3 packaging/icons/make-icons.py
"""
import math
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
SIZES = (16, 32, 48, 64, 128, 256)
C = 128.0  # centre of the 256 x 256 drawing


def point(r, deg):
    a = math.radians(deg)
    return C + r * math.cos(a), C - r * math.sin(a)


def line(p, q):
    return f'M{p[0]:.2f} {p[1]:.2f}L{q[0]:.2f} {q[1]:.2f}'


def snowflake(arm, branches, hexagon):
    """Path data: six arms, each with pairs of branches (distance, length)."""
    parts = []
    for k in range(6):
        deg = 90 + 60 * k
        parts.append(line(point(0, deg), point(arm, deg)))
        for dist, length in branches:
            base = point(dist, deg)
            for side in (-1, 1):
                a = math.radians(deg + side * 50)
                tip = (base[0] + length * math.cos(a), base[1] - length * math.sin(a))
                parts.append(line(base, tip))
    if hexagon:
        pts = [point(hexagon, 90 + 60 * k) for k in range(6)]
        parts.append('M' + 'L'.join(f'{x:.2f} {y:.2f}' for x, y in pts) + 'Z')
    return ' '.join(parts)


def svg(stroke, arm, branches, hexagon, frost):
    flake = snowflake(arm, branches, hexagon)
    frost_lines = ''
    if frost:
        # A few pale streaks of cold air across the lower part of the tile.
        frost_lines = ('<path d="M40 206C80 194 120 214 160 202S212 196 220 200" fill="none" '
                       'stroke="#ffffff" stroke-opacity="0.25" stroke-width="6" stroke-linecap="round"/>\n'
                       '  <path d="M52 224C92 214 132 232 172 220" fill="none" stroke="#ffffff" '
                       'stroke-opacity="0.18" stroke-width="5" stroke-linecap="round"/>\n  ')
    return f'''<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Kvor</title>
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#5cc4f0"/>
      <stop offset="1" stop-color="#0c4a9c"/>
    </linearGradient>
    <linearGradient id="shine" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff" stop-opacity="0.35"/>
      <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
    </linearGradient>
  </defs>
  <rect x="12" y="12" width="232" height="232" rx="44" fill="url(#tile)"/>
  <rect x="12" y="12" width="232" height="116" rx="44" fill="url(#shine)"/>
  <rect x="13.5" y="13.5" width="229" height="229" rx="42.5" fill="none" stroke="#08336e" stroke-width="3"/>
  {frost_lines}<path d="{flake}" fill="none" stroke="#0a2f66" stroke-opacity="0.35" stroke-width="{stroke + 6}"
        stroke-linecap="round" stroke-linejoin="round" transform="translate(0 3)"/>
  <path d="{flake}" fill="none" stroke="#ffffff" stroke-width="{stroke}"
        stroke-linecap="round" stroke-linejoin="round"/>
</svg>
'''


def main():
    big = os.path.join(HERE, 'kvor.svg')
    small = os.path.join(HERE, 'kvor-small.svg')
    tiny = os.path.join(HERE, 'kvor-tiny.svg')
    with open(big, 'w', encoding='utf-8') as f:
        f.write(svg(stroke=12, arm=92, branches=((40, 28), (66, 20)), hexagon=18, frost=True))
    with open(small, 'w', encoding='utf-8') as f:
        f.write(svg(stroke=24, arm=96, branches=((56, 34),), hexagon=0, frost=False))
    with open(tiny, 'w', encoding='utf-8') as f:
        f.write(svg(stroke=30, arm=96, branches=(), hexagon=0, frost=False))
    for size in SIZES:
        source = tiny if size <= 16 else small if size <= 32 else big
        out = os.path.join(HERE, f'kvor-{size}.png')
        subprocess.run(['rsvg-convert', '-w', str(size), '-h', str(size), '-o', out, source], check=True)
        print(out)


if __name__ == '__main__':
    main()

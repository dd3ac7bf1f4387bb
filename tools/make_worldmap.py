#!/usr/bin/env python3
"""Draws the day/night movie's world map, data/WORLDMAP.PNG.

The map is an equirectangular world map of 640 x 350 pixels, one bit per
pixel: white land outlines (coastlines) on black, 180 degrees West at the
left edge and the north at the top.  The outlines come from the Natural Earth
land polygons (public domain) as packaged in TopoJSON by the npm package
world-atlas (ISC licence):

    tmp=$(mktemp -d) && (cd "$tmp" && npm pack world-atlas && tar xzf world-atlas-*.tgz)
    python3 tools/make_worldmap.py "$tmp/package/land-50m.json" data/WORLDMAP.PNG

Only the standard library is used; the PNG is written with zlib and struct.
"""
import json
import struct
import sys
import zlib

WIDTH = 640    # pixels for 360 degrees of longitude
HEIGHT = 350   # pixels for 180 degrees of latitude
SEAM = 179.99  # a point this far east or west lies on the 180th meridian
POLE = -89.9   # Antarctica's ring is closed along the South Pole below this


def decode_arcs(topology):
    """The arcs as lists of (longitude, latitude) in degrees: each arc's
    positions are quantised and delta-encoded; the transform scales them back."""
    scale_x, scale_y = topology["transform"]["scale"]
    origin_x, origin_y = topology["transform"]["translate"]
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x * scale_x + origin_x, y * scale_y + origin_y))
        arcs.append(points)
    return arcs


def is_cut(a, b):
    """A segment that is no coastline: the data's cut along the 180th meridian,
    where rings crossing it are split, and the closing of Antarctica along
    the South Pole."""
    on_seam = abs(a[0]) >= SEAM and abs(b[0]) >= SEAM and abs(a[0] - b[0]) < 1.0
    return on_seam or (a[1] < POLE and b[1] < POLE)


def pixel(longitude, latitude):
    """Pixel (column, row) as floats; columns may run beyond the map and wrap."""
    return ((longitude + 180.0) * WIDTH / 360.0, (90.0 - latitude) * HEIGHT / 180.0)


def draw_segment(bits, a, b):
    """Sets the pixels of the line from a to b (longitude, latitude).  A
    segment crossing the 180th meridian takes the short way round: b is
    shifted by 360 degrees and the columns wrap."""
    lon_b = b[0]
    if lon_b - a[0] > 180.0:
        lon_b -= 360.0
    elif a[0] - lon_b > 180.0:
        lon_b += 360.0
    x0, y0 = pixel(a[0], a[1])
    x1, y1 = pixel(lon_b, b[1])
    steps = max(1, int(max(abs(x1 - x0), abs(y1 - y0)) * 2))
    for n in range(steps + 1):
        f = n / steps
        column = int(x0 + (x1 - x0) * f) % WIDTH
        row = min(HEIGHT - 1, max(0, int(y0 + (y1 - y0) * f)))
        bits[row][column] = 1


def draw_map(topology):
    bits = [[0] * WIDTH for _ in range(HEIGHT)]
    for points in decode_arcs(topology):
        for a, b in zip(points, points[1:]):
            if not is_cut(a, b):
                draw_segment(bits, a, b)
    return bits


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png_1bit(path, bits):
    """A greyscale PNG of bit depth 1 (0 black, 1 white), filter 0 on every row."""
    height, width = len(bits), len(bits[0])
    raw = bytearray()
    for row in bits:
        raw.append(0)
        for start in range(0, width, 8):
            byte = 0
            for i, bit in enumerate(row[start:start + 8]):
                byte |= bit << (7 - i)
            raw.append(byte)
    header = struct.pack(">IIBBBBB", width, height, 1, 0, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", header))
        out.write(png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        out.write(png_chunk(b"IEND", b""))


def main(argv):
    if len(argv) != 3:
        sys.exit("usage: make_worldmap.py LAND_TOPOJSON OUTPUT_PNG")
    with open(argv[1], encoding="utf-8") as source:
        topology = json.load(source)
    write_png_1bit(argv[2], draw_map(topology))


if __name__ == "__main__":
    main(sys.argv)

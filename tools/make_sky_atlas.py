#!/usr/bin/env python3
"""Builds the planetarium's second star catalogue, data/STARS6.DAT (every star
to magnitude 6.0), and its constellation figures, data/CONSTEL.DAT, from the
d3-celestial data (BSD-3-Clause; Hipparcos positions and magnitudes, equinox
J2000; stick figures and names of the 88 IAU constellations).

Usage:
    npm pack d3-celestial && tar xzf d3-celestial-*.tgz      # in a scratch folder
    python3 tools/make_sky_atlas.py PACKAGE/data [DATA_FOLDER]

PACKAGE/data must hold stars.6.json, starnames.json, constellations.json and
constellations.lines.json.  Standard library only; the output depends only on
the input files, so re-running it gives the same bytes.  Both files are text
in Latin-1, one record a line, '#' starting a comment line:

STARS6.DAT, brightest first:
    HIP  RA(hours)  Dec(degrees)  V(magnitude)  [proper name]
CONSTEL.DAT:
    C ABBR RA(hours) Dec(degrees) Name     the name and where it is written
    L ABBR RA Dec RA Dec ...               one polyline of the stick figure
"""
import json
import os
import sys
import unicodedata

MAGNITUDE_LIMIT = 6.0


def latin1(text):
    """The text in Latin-1; letters outside it lose their accents."""
    plain = "".join(ch for ch in unicodedata.normalize("NFKD", text) if not unicodedata.combining(ch))
    try:
        return text.encode("latin-1")
    except UnicodeEncodeError:
        return plain.encode("latin-1", "replace")


def ra_hours(longitude):
    return (longitude % 360.0) / 15.0


def stars_file(source):
    with open(os.path.join(source, "stars.6.json"), encoding="utf-8") as f:
        stars = json.load(f)["features"]
    with open(os.path.join(source, "starnames.json"), encoding="utf-8") as f:
        names = json.load(f)
    stars = [s for s in stars if s["properties"]["mag"] <= MAGNITUDE_LIMIT]
    stars.sort(key=lambda s: (s["properties"]["mag"], s["id"]))
    lines = [b"# Skyloom 2: the stars to magnitude 6.0, brightest first (d3-celestial stars.6.json:",
             b"# Hipparcos, equinox J2000; (c) 2015 Olaf Frohn, BSD-3-Clause, see tools/README.md).",
             b"# HIP RA(hours) Dec(degrees) V [name]"]
    for s in stars:
        lon, lat = s["geometry"]["coordinates"]
        name = names.get(str(s["id"]), {}).get("name", "")
        line = b"%d %.6f %.5f %.2f" % (s["id"], ra_hours(lon), lat, s["properties"]["mag"])
        if name:
            line += b" " + latin1(name)
        lines.append(line)
    return b"\n".join(lines) + b"\n", len(stars)


def constellations_file(source):
    with open(os.path.join(source, "constellations.json"), encoding="utf-8") as f:
        labels = json.load(f)["features"]
    with open(os.path.join(source, "constellations.lines.json"), encoding="utf-8") as f:
        figures = json.load(f)["features"]
    lines = [b"# Skyloom 2: the constellations' names and stick figures (d3-celestial",
             b"# constellations.json and constellations.lines.json, equinox J2000;",
             b"# (c) 2015 Olaf Frohn, BSD-3-Clause, see tools/README.md).",
             b"# C ABBR RA(hours) Dec(degrees) Name  /  L ABBR RA Dec RA Dec ..."]
    seen = set()
    for c in labels:
        if c["id"] in seen:  # Serpens has two parts, one name
            continue
        seen.add(c["id"])
        lon, lat = c["geometry"]["coordinates"]
        lines.append(b"C %s %.4f %.4f %s" % (c["id"].encode(), ra_hours(lon), lat, latin1(c["properties"]["name"])))
    for c in figures:
        for polyline in c["geometry"]["coordinates"]:
            points = b" ".join(b"%.5f %.4f" % (ra_hours(lon), lat) for lon, lat in polyline)
            lines.append(b"L %s %s" % (c["id"].encode(), points))
    return b"\n".join(lines) + b"\n", len(seen)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    source = sys.argv[1]
    target = sys.argv[2] if len(sys.argv) == 3 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data")
    stars, star_count = stars_file(source)
    constellations, constellation_count = constellations_file(source)
    with open(os.path.join(target, "STARS6.DAT"), "wb") as f:
        f.write(stars)
    with open(os.path.join(target, "CONSTEL.DAT"), "wb") as f:
        f.write(constellations)
    print(f"wrote {target}: {star_count} stars, {constellation_count} constellations", file=sys.stderr)


if __name__ == "__main__":
    main()

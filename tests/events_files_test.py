#!/usr/bin/python3
"""skyloom events, run as a user runs it, its files read by independent
parsers: the iCalendar file by python3-icalendar (Debian) and by a strict
check of RFC 5545's lines, the JSON by Python's json, the CSV by Python's csv.
The instants are checked against published ones (USNO, NASA eclipse pages,
PyEphem run by hand) and London's clock (BST from March 29 to October 25, 2026).

Usage: events_files_test.py SKYLOOM_BINARY
"""
import csv
import datetime
import io
import json
import os
import subprocess
import sys
import tempfile

import icalendar

BINARY = sys.argv[1]
SCRATCH = tempfile.mkdtemp()
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def run(*args):
    env = dict(os.environ, LC_ALL="C", XDG_DATA_HOME=os.path.join(SCRATCH, "share"))
    return subprocess.run([BINARY, "events", *args], capture_output=True, env=env)


def utc(text):
    return datetime.datetime.fromisoformat(text.replace("Z", "+00:00"))


def near(instant, published, minutes):
    return abs((instant - published).total_seconds()) <= minutes * 60


UT = datetime.timezone.utc
PUBLISHED = {  # summary: (UT instant, tolerance in minutes, source)
    "March equinox": (datetime.datetime(2026, 3, 20, 14, 46, tzinfo=UT), 1, "USNO"),
    "Full Moon": (datetime.datetime(2026, 1, 3, 10, 3, tzinfo=UT), 1, "USNO"),
    "Total solar eclipse": (datetime.datetime(2026, 8, 12, 17, 46, 6, tzinfo=UT), 2, "NASA, greatest eclipse"),
    # PyEphem 4.1, elongation sampled every 6 hours: 45.89 degrees east at 06:00 UT.
    "Venus greatest elongation 45.9\u00b0 E": (datetime.datetime(2026, 8, 15, 6, 0, tzinfo=UT), 360, "PyEphem"),
}

# ---- CSV ----
result = run("--year", "2026", "--city", "London", "--format", "csv")
check(result.returncode == 0, "csv: status %d: %s" % (result.returncode, result.stderr))
rows = list(csv.DictReader(io.StringIO(result.stdout.decode("utf-8"), newline="")))
check(list(rows[0].keys()) == ["utc", "local", "kind", "bodies", "summary"], "csv: header %s" % list(rows[0].keys()))
instants = [utc(r["utc"]) for r in rows]
check(instants == sorted(instants), "csv: rows in time order")
first = {}
for r in rows:
    first.setdefault(r["summary"], r)
    check(utc(r["utc"]) == datetime.datetime.fromisoformat(r["local"]), "csv: local and utc the same instant: %s" % r)
for summary, (instant, minutes, source) in PUBLISHED.items():
    check(summary in first and near(utc(first[summary]["utc"]), instant, minutes),
          "csv: %s within %d min of %s (%s): %s" % (summary, minutes, instant, source, first.get(summary)))
# London's clock: GMT in January and March, BST in August.
check(first["Full Moon"]["local"].endswith("+00:00"), "csv: January on GMT")
check(first["March equinox"]["local"].startswith("2026-03-20T14:4"), "csv: March equinox on GMT")
check(first["Total solar eclipse"]["local"].startswith("2026-08-12T18:4") and
      first["Total solar eclipse"]["local"].endswith("+01:00"), "csv: August eclipse on BST")
check(first["Total solar eclipse"]["bodies"] == "Sun;Moon", "csv: the eclipse's bodies")

# ---- JSON ----
result = run("--year", "2027", "--kinds", "conjunctions", "--city", "London", "--format", "json")
check(result.returncode == 0, "json: status %d" % result.returncode)
events = json.loads(result.stdout.decode("utf-8"))
check(all(e["kind"] == "conjunctions" for e in events), "json: only the kind asked for")
mars = [e for e in events if e["summary"] == "Mars at opposition"]
# PyEphem 4.1: Mars and the Sun 180 degrees apart in apparent longitude 2027-02-19 15:38:57 UT.
check(len(mars) == 1 and near(utc(mars[0]["utc"]), datetime.datetime(2027, 2, 19, 15, 39, tzinfo=UT), 30)
      and mars[0]["bodies"] == ["Mars"], "json: Mars opposition 2027-02-19: %s" % mars)

# ---- iCalendar ----
def icalendar_run(place):
    result = run("--year", "2026", "--city", place, "--format", "ics")
    check(result.returncode == 0, "ics: status %d" % result.returncode)
    return result.stdout


raw = icalendar_run("London")
lines = raw.split(b"\r\n")
check(raw.endswith(b"\r\n") and lines[-1] == b"", "ics: ends in CRLF")
check(all(b"\n" not in line and b"\r" not in line for line in lines), "ics: every line ends in CRLF")
check(all(len(line) <= 75 for line in lines), "ics: lines of at most 75 octets")
calendar = icalendar.Calendar.from_ical(raw)
check(calendar.get("VERSION") == "2.0" and calendar.get("PRODID"), "ics: VERSION and PRODID")
vevents = calendar.walk("VEVENT")
check(len(vevents) == len(rows), "ics: one VEVENT per event (%d, %d)" % (len(vevents), len(rows)))
for required in ("UID", "DTSTAMP", "DTSTART", "SUMMARY"):
    check(all(required in v for v in vevents), "ics: every VEVENT has " + required)
uids = [str(v["UID"]) for v in vevents]
check(len(set(uids)) == len(uids), "ics: unique UIDs")
check(all(v.decoded("DTSTART").tzinfo is not None and v.decoded("DTSTART").utcoffset() == datetime.timedelta(0)
          for v in vevents), "ics: DTSTART in UTC")
by_summary = {}
for v in vevents:
    by_summary.setdefault(str(v["SUMMARY"]), v)
for summary, (instant, minutes, source) in PUBLISHED.items():
    check(summary in by_summary and near(by_summary[summary].decoded("DTSTART"), instant, minutes),
          "ics: %s within %d min of %s (%s)" % (summary, minutes, instant, source))
# The same events on another run give the same UIDs.
again = icalendar.Calendar.from_ical(icalendar_run("London"))
check([str(v["UID"]) for v in again.walk("VEVENT")] == uids, "ics: UIDs the same on a second run")
# A place whose name is not ASCII: its folded lines still decode to the name.
sao_paulo = icalendar.Calendar.from_ical(icalendar_run("S\u00e3o Paulo").decode("utf-8"))
check("S\u00e3o Paulo" in str(sao_paulo.walk("VEVENT")[0]["DESCRIPTION"]), "ics: UTF-8 place name kept whole")

# ---- --output and bad input ----
path = os.path.join(SCRATCH, "events.ics")
result = run("--year", "2026", "--kinds", "seasons", "--city", "London", "--format", "ics", "--output", path)
check(result.returncode == 0 and result.stdout == b"", "output: written to the file alone")
check(len(icalendar.Calendar.from_ical(open(path, "rb").read()).walk("VEVENT")) == 4, "output: the four seasons")
check(os.listdir(SCRATCH) == ["events.ics"] or sorted(os.listdir(SCRATCH)) == ["events.ics", "share"],
      "output: no temporary file left: %s" % os.listdir(SCRATCH))
for args, what in ((["--year", "999", "--format", "csv"], "a year out of range"),
                   (["--year", "2026", "--format", "xml"], "an unknown format"),
                   (["--year", "2026", "--kinds", "phases,comets", "--format", "csv"], "an unknown kind"),
                   (["--year", "2026", "--end-year", "2025", "--format", "csv"], "an end year before the year"),
                   (["--format", "csv"], "no year")):
    result = run(*args)
    check(result.returncode == 2 and result.stderr and not result.stdout, "bad input, %s: status %d, message %r"
          % (what, result.returncode, result.stderr))

subprocess.run(["rm", "-rf", SCRATCH])
print("%d failures" % len(failures))
sys.exit(1 if failures else 0)

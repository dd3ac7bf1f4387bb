#!/usr/bin/python3
"""Reference tables for the precise engine's tests, from PyEphem.

PyEphem (Debian package python3-ephem; the XEphem libastro: VSOP87 for the
planets, ELP 2000-82 for the Moon) is an astronomy library independent of
Skyloom's engines.  Every instant it takes or gives is UT with PyEphem's own
Delta T, so instants that should not depend on Delta T (positions, seasons,
phases, conjunctions) are written as Terrestrial Time (UT + PyEphem's Delta T);
rising, setting and twilight are written in UT, which is what they are.

Writes tests/data/precise/{positions,seasons,phases,conjunctions,rise_set,
twilight,apsides,nodes,moon_events,transits}.csv.  The published values (USNO, NASA) are in published.csv, typed
in by hand with their sources.

Usage: tools/make_reference_tables.py [OUTPUT_DIR]
"""
import math
import os
import sys

import ephem

DUBLIN_JD = 2415020.0  # PyEphem dates count days from 1899 December 31, 12 h
OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'data', 'precise')

BODIES = [(0, ephem.Sun), (1, ephem.Moon), (3, ephem.Mercury), (4, ephem.Venus),
          (5, ephem.Mars), (6, ephem.Jupiter), (7, ephem.Saturn), (8, ephem.Uranus),
          (9, ephem.Neptune), (10, ephem.Pluto)]

# name, latitude, longitude (east positive), elevation m, time zone h
PLACES = [('Washington', '38.8895', '-77.0353', 0, -5), ('London', '51.4769', '-0.0005', 0, 0),
          ('Sydney', '-33.8688', '151.2093', 0, 10), ('Tromso', '69.6492', '18.9553', 0, 1),
          ('Quito', '-0.2299', '-78.5250', 0, -5)]

# Short windows that lie between two samples two hours (or one hour) apart
# (scanned_events_of_day):
# Tromso's last sunrise before the polar night and a 34-minute moonless
# window, and a 9-minute astronomical night at 55 degrees North.
NORTH55 = ('North55', '55.0', '48.0', 0, 3)
SHORT_RISE_SET = [(PLACES[3], '2026/11/27', 0), (PLACES[3], '2026/9/29', 1)]
SHORT_TWILIGHT = [(NORTH55, '2026/5/7', 18)]


def jd(date):
    return float(date) + DUBLIN_JD


def tt_of(date):
    return jd(date) + ephem.delta_t(date) / 86400.0


def ut_of_tt(tt):
    d = ephem.Date(tt - DUBLIN_JD)
    for _ in range(3):
        d = ephem.Date(tt - DUBLIN_JD - ephem.delta_t(d) / 86400.0)
    return d


def bisect(f, lo, hi, flo):
    """The root of f between lo and hi (f(lo) = flo, f(hi) of the other sign), after 40 halvings."""
    for _ in range(40):
        mid = ephem.Date((lo + hi) / 2)
        fm = f(mid)
        if (fm < 0) == (flo < 0):
            lo, flo = mid, fm
        else:
            hi = mid
    return ephem.Date((lo + hi) / 2)


def apparent_ecliptic_longitude(body, date):
    body.compute(date, epoch=date)
    return math.degrees(ephem.Ecliptic(ephem.Equatorial(body.g_ra, body.g_dec, epoch=date),
                                       epoch=date).lon)


def write(name, header, rows):
    with open(os.path.join(OUT, name), 'w') as f:
        f.write('# Made by tools/make_reference_tables.py with PyEphem %s\n' % ephem.__version__)
        f.write(header + '\n')
        for r in rows:
            f.write(','.join(r) + '\n')


def positions():
    rows = []
    tt = 2447892.5  # 1990 January 1
    while tt < 2466154.5:  # 2040 January 1
        d = ut_of_tt(tt)
        for bid, cls in BODIES:
            b = cls()
            b.compute(d, epoch=d)
            mag = b.mag if bid >= 3 else 0.0
            rows.append(['%.6f' % tt, str(bid), '%.7f' % math.degrees(b.g_ra / 15.0),
                         '%.6f' % math.degrees(b.g_dec), '%.7f' % b.earth_distance, '%.2f' % mag])
        tt += 97.25
    write('positions.csv', 'tt_jd,body,ra_hours,dec_deg,distance_au,magnitude', rows)


def seasons():
    rows = []
    for year in range(1950, 2051):
        d = ephem.Date('%d/1/1' % year)
        for k, fn in enumerate([ephem.next_vernal_equinox, ephem.next_summer_solstice,
                                ephem.next_autumnal_equinox, ephem.next_winter_solstice]):
            rows.append([str(year), str(k), '%.6f' % tt_of(fn(d))])
    write('seasons.csv', 'year,season,tt_jd', rows)


def phases():
    rows = []
    for q, fn in enumerate([ephem.next_new_moon, ephem.next_first_quarter_moon,
                            ephem.next_full_moon, ephem.next_last_quarter_moon]):
        d = ephem.Date('2000/1/1')
        while d < ephem.Date('2031/1/1'):
            d = fn(d)
            rows.append(['%.6f' % tt_of(d), str(q)])
            d = ephem.Date(d + 1)
    rows.sort()
    write('phases.csv', 'tt_jd,phase', rows)


def conjunctions():
    """Roots of the apparent longitude difference, by bisection on daily samples."""
    rows = []
    sun = ephem.Sun()
    for bid, cls in BODIES[2:]:
        planet = cls()
        for kind, target in ((0, 0.0), (1, 180.0)):
            if kind == 1 and bid <= 4:
                continue

            def f(d):
                x = apparent_ecliptic_longitude(planet, d) - apparent_ecliptic_longitude(sun, d) - target
                return (x + 180.0) % 360.0 - 180.0
            a = ephem.Date('2000/1/1')
            fa = f(a)
            while a < ephem.Date('2031/1/1'):
                b = ephem.Date(a + 1)
                fb = f(b)
                if (fa < 0) != (fb < 0) and abs(fa) < 90 and abs(fb) < 90:
                    rows.append(['%.6f' % tt_of(bisect(f, a, b, fa)), str(bid), str(kind)])
                a, fa = b, fb
    rows.sort()
    write('conjunctions.csv', 'tt_jd,body,kind', rows)


def observer(place, horizon, pressure=0):
    o = ephem.Observer()
    o.lat, o.lon, o.elevation = place[1], place[2], place[3]
    o.pressure = pressure
    o.horizon = horizon
    return o


def events_of_day(o, body, day_start, use_center):
    """First rising and setting in [day_start, day_start + 1) as UT Julian days, or ''."""
    out = []
    for fn in (o.next_rising, o.next_setting):
        o.date = day_start
        try:
            t = fn(body, use_center=use_center)
            out.append('%.6f' % jd(t) if t < day_start + 1 else '')
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            out.append('')
    return out


def scanned_events_of_day(o, body, day_start, horizon_deg, use_center):
    """First rising and setting in [day_start, day_start + 1) as UT Julian days, or ''.

    PyEphem's next_rising does not return for a Moon that rises half an hour
    after it set (Tromso, 2026 September 29), so the short windows are found
    from PyEphem's topocentric altitudes (no refraction): sampled every two
    minutes, each sign change bisected.
    """
    def above(d):
        o.date = d
        body.compute(o)
        limb = 0.0 if use_center else math.degrees(body.radius)
        return math.degrees(body.alt) + limb - horizon_deg
    rise = setting = ''
    a = ephem.Date(day_start)
    fa = above(a)
    while a < day_start + 1:
        b = ephem.Date(a + 2 * ephem.minute)
        fb = above(b)
        if (fa < 0) != (fb < 0):
            t = '%.6f' % jd(bisect(above, a, b, fa))
            if fa < 0 and not rise:
                rise = t
            if fa >= 0 and not setting:
                setting = t
        a, fa = b, fb
    return [rise, setting]


def rise_set():
    rows = []
    for place in PLACES:
        o = observer(place, '-0:34')
        for month in range(1, 13):
            date = '2026/%d/%d' % (month, 1 + (month * 7) % 27)
            start = ephem.Date(ephem.Date(date) - place[4] * ephem.hour)
            for bid, cls in BODIES[:4] + BODIES[5:7]:
                rise, setting = events_of_day(o, cls(), start, bid >= 3)
                rows.append([place[0], date.replace('/', '-'), str(bid), rise, setting])
    for place, date, bid in SHORT_RISE_SET:
        start = ephem.Date(ephem.Date(date) - place[4] * ephem.hour)
        rise, setting = scanned_events_of_day(observer(place, '0'), BODIES[bid][1](), start, -34 / 60.0, False)
        rows.append([place[0], date.replace('/', '-'), str(bid), rise, setting])
    write('rise_set.csv', 'place,local_date,body,rise_ut_jd,set_ut_jd', rows)


def twilight():
    rows = []
    for place in PLACES:
        for depression in (6, 12, 18):
            o = observer(place, '-%d' % depression)
            for month in range(1, 13):
                date = '2026/%d/%d' % (month, 1 + (month * 11) % 27)
                start = ephem.Date(ephem.Date(date) - place[4] * ephem.hour)
                morning, evening = events_of_day(o, ephem.Sun(), start, True)
                rows.append([place[0], date.replace('/', '-'), str(depression), morning, evening])
    for place, date, depression in SHORT_TWILIGHT:
        start = ephem.Date(ephem.Date(date) - place[4] * ephem.hour)
        morning, evening = scanned_events_of_day(observer(place, '0'), ephem.Sun(), start, -depression, True)
        rows.append([place[0], date.replace('/', '-'), str(depression), morning, evening])
    write('twilight.csv', 'place,local_date,depression_deg,morning_ut_jd,evening_ut_jd', rows)


def extrema(f, start, stop, step):
    """Local extrema of f over [start, stop) sampled every step days, refined by golden section."""
    found = []
    t0, t1 = start, start + step
    f0, f1 = f(t0), f(t1)
    while t1 < stop:
        t2 = t1 + step
        f2 = f(t2)
        if (f1 > f0 and f1 >= f2) or (f1 < f0 and f1 <= f2):
            sign = -1 if f1 > f0 else 1
            a, b = t0, t2
            for _ in range(60):
                x1, x2 = b - 0.618034 * (b - a), a + 0.618034 * (b - a)
                if sign * f(x1) < sign * f(x2):
                    b = x2
                else:
                    a = x1
            found.append(((a + b) / 2, 1 if sign < 0 else 0))
        t0, t1, f0, f1 = t1, t2, f1, f2
    return found


def apsides():
    """Extrema of PyEphem's heliocentric (planets) and geocentric (Moon) distances.

    Not the Earth's: PyEphem's Sun distance is not the Earth centre's (its extrema
    lie hours from USNO's perihelia); published.csv holds USNO's instead.
    """
    rows = []
    moon = ephem.Moon()

    def moon_distance(d):
        moon.compute(ephem.Date(d))
        return moon.earth_distance
    for t, far in extrema(moon_distance, ephem.Date('2024/1/1'), ephem.Date('2027/1/1'), 0.5):
        rows.append(['%.6f' % tt_of(ephem.Date(t)), '1', str(far)])
    for bid, cls, step in ((3, ephem.Mercury, 3.0), (5, ephem.Mars, 20.0), (6, ephem.Jupiter, 100.0),
                           (7, ephem.Saturn, 300.0)):
        planet = cls()

        def sun_distance(d):
            planet.compute(ephem.Date(d))
            return planet.sun_distance
        for t, far in extrema(sun_distance, ephem.Date('1950/1/1'), ephem.Date('2051/1/1'), step):
            rows.append(['%.6f' % tt_of(ephem.Date(t)), str(bid), str(far)])
    rows.sort()
    write('apsides.csv', 'tt_jd,body,far', rows)


def nodes():
    """Zeros of the Moon's geocentric ecliptic latitude (ecliptic of date)."""
    rows = []
    moon = ephem.Moon()

    def latitude(d):
        d = ephem.Date(d)
        moon.compute(d, epoch=d)
        return ephem.Ecliptic(ephem.Equatorial(moon.g_ra, moon.g_dec, epoch=d), epoch=d).lat
    a = ephem.Date('2024/1/1')
    fa = latitude(a)
    while a < ephem.Date('2027/1/1'):
        b = a + 1
        fb = latitude(b)
        if (fa < 0) != (fb < 0):
            rows.append(['%.6f' % tt_of(bisect(latitude, a, b, fa)), '1' if fa < 0 else '0'])
        a, fa = b, fb
    write('nodes.csv', 'tt_jd,ascending', rows)


def separation(a, b, date):
    """Degrees between the apparent geocentric places of two bodies."""
    a.compute(date, epoch=date)
    b.compute(date, epoch=date)
    return math.degrees(ephem.separation((a.g_ra, a.g_dec), (b.g_ra, b.g_dec)))


def least(f, lo, hi):
    """The instant of f's minimum in [lo, hi], by golden section to a millisecond."""
    while hi - lo > 1e-8:
        x1, x2 = hi - 0.618034 * (hi - lo), lo + 0.618034 * (hi - lo)
        if f(ephem.Date(x1)) < f(ephem.Date(x2)):
            hi = x2
        else:
            lo = x1
    return ephem.Date((lo + hi) / 2)


class AntiSun:
    """The point opposite the Sun's apparent place: the centre of the Earth's shadow."""
    def __init__(self):
        self.sun = ephem.Sun()

    def compute(self, date, epoch):
        self.sun.compute(date, epoch=epoch)
        self.g_ra = (self.sun.g_ra + math.pi) % (2 * math.pi)
        self.g_dec = -self.sun.g_dec


LUNAR_ECLIPSES = ['2022/11/8', '2025/3/14', '2025/9/7', '2026/3/3', '2028/12/31']


def moon_events():
    """New and full Moons of 2024-2026 and lunar eclipse maxima, to the second.

    The maximum is the instant the Moon's apparent centre passes closest to the
    point opposite the Sun's apparent place, seen from the Earth's centre.
    """
    rows = []
    for kind, fn in (('new_moon', ephem.next_new_moon), ('full_moon', ephem.next_full_moon)):
        d = ephem.Date('2024/1/1')
        while d < ephem.Date('2027/1/1'):
            d = fn(d)
            rows.append(['%.8f' % tt_of(d), kind])
            d = ephem.Date(d + 1)
    moon, anti_sun = ephem.Moon(), AntiSun()
    for date in LUNAR_ECLIPSES:
        full = ephem.next_full_moon(ephem.Date(date) - 1)
        t = least(lambda d: separation(moon, anti_sun, d), full - 0.25, full + 0.25)
        rows.append(['%.8f' % tt_of(t), 'lunar_eclipse_maximum'])
    rows.sort()
    write('moon_events.csv', 'tt_jd,kind', rows)


def transits():
    """Transits of Mercury and Venus, 1900-2100, seen from the Earth's centre.

    At each inferior conjunction in heliocentric longitude, the least apparent
    separation of the two centres; a transit when it is below the sum of the
    two angular radii.
    """
    rows = []
    sun = ephem.Sun()
    for bid, cls in ((3, ephem.Mercury), (4, ephem.Venus)):
        planet = cls()

        def heliocentric_difference(d):
            planet.compute(d)
            sun.compute(d)
            return (math.degrees(planet.hlon - sun.hlon) + 180.0) % 360.0 - 180.0
        a = ephem.Date('1900/1/1')
        fa = heliocentric_difference(a)
        while a < ephem.Date('2101/1/1'):
            b = ephem.Date(a + 1)
            fb = heliocentric_difference(b)
            if fa < 0 <= fb and abs(fa) < 90:
                conj = bisect(heliocentric_difference, a, b, fa)
                t = least(lambda d: separation(planet, sun, d), conj - 0.5, conj + 0.5)
                least_arcsec = separation(planet, sun, t) * 3600.0
                if least_arcsec < planet.radius * 206264.8 + sun.radius * 206264.8:
                    rows.append(['%.6f' % tt_of(t), str(bid), '%.1f' % least_arcsec])
            a, fa = b, fb
    rows.sort()
    write('transits.csv', 'tt_jd,body,least_separation_arcsec', rows)


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    for step in (positions, seasons, phases, conjunctions, rise_set, twilight, apsides, nodes,
                 moon_events, transits):
        step()

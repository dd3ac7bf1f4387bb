#!/usr/bin/env node
// Reference tables for the precise engine's tests from Astronomy Engine (npm
// package astronomy-engine, D. Cross, MIT licence: VSOP87 planets, a truncated
// ELP/MPP02 Moon), a second library independent of Skyloom's engines and of
// PyEphem.  It checks what PyEphem checks where the two libraries are needed
// side by side: the Moon's place, new and full Moons and lunar eclipse maxima
// to the second, short rising and twilight windows, transits of Mercury and
// Venus.  Instants that should not depend on Delta T are written as
// Terrestrial Time; rising, setting and twilight in UT.
//
// Writes tests/data/precise/ae_{moon_positions,moon_events,rise_set,twilight,
// transits}.csv.  The package is never part of the build:
//
//   tmp=$(mktemp -d) && (cd "$tmp" && npm install astronomy-engine@2.1.19)
//   NODE_PATH="$tmp/node_modules" tools/make_astronomy_engine_tables.js [OUTPUT_DIR]
'use strict';
const fs = require('fs');
const path = require('path');
const A = require('astronomy-engine');

const J2000_JD = 2451545.0;
const OUT = process.argv[2] || path.join(__dirname, '..', 'tests', 'data', 'precise');
const VERSION = JSON.parse(fs.readFileSync(path.join(path.dirname(require.resolve('astronomy-engine')), 'package.json'))).version;

function write(name, header, rows) {
    const lines = [`# Made by tools/make_astronomy_engine_tables.js with Astronomy Engine ${VERSION}`, header];
    for (const r of rows) lines.push(r.join(','));
    fs.writeFileSync(path.join(OUT, name), lines.join('\n') + '\n');
}

const jd = (days) => (days + J2000_JD).toFixed(8);
const ut = (time) => (time ? (time.ut + J2000_JD).toFixed(6) : '');

// The Moon's apparent geocentric place (right ascension, declination of date).
function moonPositions() {
    const rows = [];
    for (let tt = 2447892.5; tt < 2466154.5; tt += 97.25) {  // as PyEphem's positions.csv
        const time = A.AstroTime.FromTerrestrialTime(tt - J2000_JD);
        const ofDate = A.RotateVector(A.Rotation_EQJ_EQD(time), A.GeoMoon(time));
        const eq = A.EquatorFromVector(ofDate);
        rows.push([tt.toFixed(6), eq.ra.toFixed(7), eq.dec.toFixed(6), eq.dist.toFixed(9)]);
    }
    write('ae_moon_positions.csv', 'tt_jd,ra_hours,dec_deg,distance_au', rows);
}

// The instant in [a, b] (TT days from J2000) where f is least, by golden section.
function least(f, a, b) {
    while (b - a > 1e-8) {
        const x1 = b - 0.618034 * (b - a), x2 = a + 0.618034 * (b - a);
        if (f(x1) < f(x2)) b = x2; else a = x1;
    }
    return (a + b) / 2;
}

// Degrees between the Moon's apparent centre and the point opposite the Sun's
// apparent place (the centre of the Earth's shadow), seen from the Earth's centre.
function moonFromShadowCentre(tt) {
    const time = A.AstroTime.FromTerrestrialTime(tt);
    const sun = A.GeoVector(A.Body.Sun, time, true);
    const antiSun = new A.Vector(-sun.x, -sun.y, -sun.z, time);
    return A.AngleBetween(A.GeoMoon(time), antiSun);
}

const LUNAR_ECLIPSES = ['2022-11-08', '2025-03-14', '2025-09-07', '2026-03-03', '2028-12-31'];

// The Moon's apparent ecliptic longitude less the Sun's, degrees in
// (-180, 180] about `target`.  (The library's own MoonPhase takes the Sun's
// geometric place, 20" from the apparent one: 40 s in time.)
function apparentElongation(tt, target) {
    const time = A.AstroTime.FromTerrestrialTime(tt);
    const moon = A.Ecliptic(A.GeoMoon(time)).elon;
    const sun = A.Ecliptic(A.GeoVector(A.Body.Sun, time, true)).elon;
    return ((moon - sun - target) % 360 + 540) % 360 - 180;
}

// The root of f in [a, b] (TT days from J2000), by bisection to 1e-9 days.
function root(f, a, b) {
    let fa = f(a);
    while (b - a > 1e-9) {
        const m = (a + b) / 2, fm = f(m);
        if ((fm < 0) === (fa < 0)) { a = m; fa = fm; } else b = m;
    }
    return (a + b) / 2;
}

function moonEvents() {
    const rows = [];
    for (const [kind, longitude] of [['new_moon', 0], ['full_moon', 180]]) {
        let time = A.MakeTime(new Date('2024-01-01T00:00:00Z'));
        const end = A.MakeTime(new Date('2027-01-01T00:00:00Z'));
        for (;;) {
            time = A.SearchMoonPhase(longitude, time, 40);  // the geometric phase, a bracket
            if (time.ut >= end.ut) break;
            rows.push([jd(root((tt) => apparentElongation(tt, longitude), time.tt - 0.01, time.tt + 0.01)), kind]);
            time = time.AddDays(1);
        }
    }
    for (const date of LUNAR_ECLIPSES) {
        const full = A.SearchMoonPhase(180, A.MakeTime(new Date(date + 'T00:00:00Z')).AddDays(-1), 3);
        rows.push([jd(least(moonFromShadowCentre, full.tt - 0.25, full.tt + 0.25)), 'lunar_eclipse_maximum']);
    }
    rows.sort();
    write('ae_moon_events.csv', 'tt_jd,kind', rows);
}

// The places and dates of make_reference_tables.py's short windows.
const TROMSO = { name: 'Tromso', lat: 69.6492, lon: 18.9553, tz: 1 };
const NORTH55 = { name: 'North55', lat: 55.0, lon: 48.0, tz: 3 };
const BODY = { 0: A.Body.Sun, 1: A.Body.Moon };

function localMidnight(place, date) {
    return A.MakeTime(new Date(date + 'T00:00:00Z')).AddDays(-place.tz / 24);
}

function riseSet() {
    const rows = [];
    for (const [place, date, body] of [[TROMSO, '2026-11-27', 0], [TROMSO, '2026-09-29', 1]]) {
        const observer = new A.Observer(place.lat, place.lon, 0);
        const start = localMidnight(place, date);
        const rise = A.SearchRiseSet(BODY[body], observer, +1, start, 1);
        const set = A.SearchRiseSet(BODY[body], observer, -1, start, 1);
        rows.push([place.name, date.replace(/-0/g, '-'), body, ut(rise), ut(set)]);
    }
    write('ae_rise_set.csv', 'place,local_date,body,rise_ut_jd,set_ut_jd', rows);
}

function twilight() {
    const rows = [];
    for (const [place, date, depression] of [[NORTH55, '2026-05-07', 18]]) {
        const observer = new A.Observer(place.lat, place.lon, 0);
        const start = localMidnight(place, date);
        const morning = A.SearchAltitude(A.Body.Sun, observer, +1, start, 1, -depression);
        const evening = A.SearchAltitude(A.Body.Sun, observer, -1, start, 1, -depression);
        rows.push([place.name, date.replace(/-0/g, '-'), depression, ut(morning), ut(evening)]);
    }
    write('ae_twilight.csv', 'place,local_date,depression_deg,morning_ut_jd,evening_ut_jd', rows);
}

// Transits seen from the Earth's centre (the planet's penumbra reaching it),
// 1900-2100: the instant of least separation and that separation.
function transits() {
    const rows = [];
    const end = A.MakeTime(new Date('2101-01-01T00:00:00Z'));
    for (const [id, body] of [[3, A.Body.Mercury], [4, A.Body.Venus]]) {
        let transit = A.SearchTransit(body, A.MakeTime(new Date('1900-01-01T00:00:00Z')));
        while (transit.peak.ut < end.ut) {
            rows.push([(transit.peak.tt + J2000_JD).toFixed(6), id, (transit.separation * 60).toFixed(1)]);
            transit = A.NextTransit(body, transit.finish);
        }
    }
    rows.sort();
    write('ae_transits.csv', 'tt_jd,body,least_separation_arcsec', rows);
}

fs.mkdirSync(OUT, { recursive: true });
moonPositions();
moonEvents();
riseSet();
twilight();
transits();

// Greatest elongations, conjunctions in ecliptic longitude and lunar
// occultations of planets against published dates and against Astronomy
// Engine 2.1.19 (npm astronomy-engine, run by hand: SearchMaxElongation; the
// longitudes of Ecliptic(GeoVector(body, t, true)) and EclipticGeoMoon on the
// true ecliptic of date; topocentric Equator places for the occultations).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/calendar.h"
#include "engine/close_events.h"
#include "engine/close_search.h"
#include "engine/precise/precise_engine.h"

namespace {

JulianDay ut(int year, int month, int day, int hour = 0, int minute = 0) {
    return julian_day(day + (hour + minute / 60.0) / 24.0, month, year);
}

constexpr double MINUTE = 1.0 / 1440.0;

// ---- The refinements, on functions with known answers ----

TEST(CloseSearch, RootsAndAMaximumOfKnownFunctions) {
    auto sine = [](double t) { return std::sin(t); };
    EXPECT_NEAR(bracketed_root(sine, 3.0, 3.5, 1e-12), M_PI, 1e-11);
    auto flat = [](double t) { return std::pow(t - 1.3, 3.0); };  // a triple root: false position alone stalls
    EXPECT_NEAR(bracketed_root(flat, 0.0, 2.0, 1e-9), 1.3, 1e-8);
    auto step = [](double t) { return t < 0.25 ? -1.0 : 1.0; };  // no slope at all: the bisections find it
    EXPECT_NEAR(bracketed_root(step, 0.0, 1.0, 1e-9), 0.25, 1e-8);
    auto cosine = [](double t) { return std::cos(t); };
    EXPECT_NEAR(golden_section_maximum(cosine, 5.5, 7.0, 1e-9), 2.0 * M_PI, 1e-6);
}

// ---- Greatest elongations of 2024 to 2026 ----

struct ElongationRow {
    int body;
    JulianDay jd_ut;    // Astronomy Engine's instant
    double elongation;  // degrees
    bool evening;
};

// Astronomy Engine 2.1.19, SearchMaxElongation; the dates and angles (to 0.1
// degree) are those the almanacs publish (USNO, Sky & Telescope): e.g. Venus
// 47.2 degrees east 2025 January 10 and 45.9 west 2025 June 1.
const ElongationRow ELONGATIONS_2024_2026[] = {
    {3, ut(2024, 1, 12, 14, 40), 23.50, false}, {3, ut(2024, 3, 24, 22, 33), 18.70, true},
    {3, ut(2024, 5, 9, 21, 32), 26.36, false},  {3, ut(2024, 7, 22, 6, 43), 26.94, true},
    {3, ut(2024, 9, 5, 2, 33), 18.05, false},   {3, ut(2024, 11, 16, 8, 12), 22.55, true},
    {3, ut(2024, 12, 25, 2, 24), 22.05, false}, {4, ut(2025, 1, 10, 4, 57), 47.17, true},
    {3, ut(2025, 3, 8, 6, 6), 18.25, true},     {3, ut(2025, 4, 21, 18, 41), 27.39, false},
    {4, ut(2025, 6, 1, 3, 29), 45.88, false},   {3, ut(2025, 7, 4, 4, 32), 25.93, true},
    {3, ut(2025, 8, 19, 9, 46), 18.58, false},  {3, ut(2025, 10, 29, 21, 56), 23.88, true},
    {3, ut(2025, 12, 7, 21, 3), 20.73, false},  {3, ut(2026, 2, 19, 17, 42), 18.12, true},
    {3, ut(2026, 4, 3, 22, 35), 27.82, false},  {3, ut(2026, 6, 15, 20, 3), 24.52, true},
    {3, ut(2026, 8, 2, 8, 2), 19.47, false},    {4, ut(2026, 8, 15, 6, 23), 45.89, true},
    {3, ut(2026, 10, 12, 10, 6), 25.16, true},  {3, ut(2026, 11, 20, 23, 36), 19.62, false},
};

TEST(GreatestElongations, EveryOneOf2024To2026InOrderWithItsAngleAndSky) {
    const std::vector<GreatestElongation> found = greatest_elongations(PRECISE_ENGINE, ut(2024, 1, 1), ut(2027, 1, 1));
    ASSERT_EQ(found.size(), std::size(ELONGATIONS_2024_2026));
    double worst_hours = 0.0;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const ElongationRow& want = ELONGATIONS_2024_2026[i];
        SCOPED_TRACE("elongation " + std::to_string(i));
        EXPECT_EQ(found[i].body, want.body);
        EXPECT_EQ(found[i].evening, want.evening);
        EXPECT_NEAR(found[i].elongation, want.elongation, 0.01);
        // The maximum is flat: a day's change is a few arcseconds, so the
        // instant is held to an hour.
        EXPECT_NEAR(found[i].jd_ut, want.jd_ut, 1.0 / 24.0);
        worst_hours = std::max(worst_hours, std::fabs(found[i].jd_ut - want.jd_ut) * 24.0);
    }
    std::printf("greatest elongations 2024-2026: largest difference %.2f hours\n", worst_hours);
}

TEST(GreatestElongations, TheClassicalEngineFindsTheSameOnesWithinHalfAnHour) {
    const std::vector<GreatestElongation> found = greatest_elongations(CLASSICAL_ENGINE, ut(2024, 1, 1), ut(2027, 1, 1));
    ASSERT_EQ(found.size(), std::size(ELONGATIONS_2024_2026));
    double worst_hours = 0.0, worst_degrees = 0.0;
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].body, ELONGATIONS_2024_2026[i].body);
        EXPECT_EQ(found[i].evening, ELONGATIONS_2024_2026[i].evening);
        worst_hours = std::max(worst_hours, std::fabs(found[i].jd_ut - ELONGATIONS_2024_2026[i].jd_ut) * 24.0);
        worst_degrees = std::max(worst_degrees, std::fabs(found[i].elongation - ELONGATIONS_2024_2026[i].elongation));
    }
    EXPECT_LT(worst_hours, 0.5);
    EXPECT_LT(worst_degrees, 0.05);
    std::printf("classical greatest elongations 2024-2026: largest differences %.2f hours, %.3f degrees\n",
                worst_hours, worst_degrees);
}

TEST(GreatestElongations, TheWindowIsHalfOpen) {
    // Venus, 2026 August 15 06:23 UT: in a window ending after it, not in one ending at it.
    const JulianDay venus = ut(2026, 8, 15, 6, 23);
    const std::vector<GreatestElongation> before = greatest_elongations(PRECISE_ENGINE, ut(2026, 8, 3), venus - 0.1);
    const std::vector<GreatestElongation> around = greatest_elongations(PRECISE_ENGINE, venus - 0.1, venus + 0.1);
    EXPECT_TRUE(before.empty());
    ASSERT_EQ(around.size(), 1u);
    EXPECT_EQ(around[0].body, 4);
}

// ---- Conjunctions in ecliptic longitude ----

struct ConjunctionRow {
    const char* what;
    int first, second;
    JulianDay jd_ut;    // Astronomy Engine's instant of equal longitudes
    double separation;  // degrees, the first's latitude less the second's
    double minutes;     // the instant's tolerance: the planets' theory (eraPlan94: 4" to 86" in
                        // longitude, SOFA) over the pair's relative motion, so an hour for a slow pair
};

// The great conjunction of 2020 December 21 (0.1 degree), Venus and Jupiter
// 2023 March 2 (0.5 degree, published by Sky & Telescope), Venus and Saturn
// 2026 March 8, Mars and Jupiter 2026 November 16, and the Moon with Mars on
// the morning of the occultation of 2022 December 8.
const ConjunctionRow CONJUNCTIONS[] = {
    {"Jupiter-Saturn 2020", 6, 7, ut(2020, 12, 21, 18, 26), -0.099, 90},
    {"Venus-Jupiter 2023", 4, 6, ut(2023, 3, 2, 5, 35), 0.489, 12},
    {"Venus-Saturn 2026", 4, 7, ut(2026, 3, 8, 13, 36), 0.911, 5},
    {"Mars-Jupiter 2026", 5, 6, ut(2026, 11, 16, 6, 22), 1.196, 30},
    {"Moon-Mars 2022", 1, 5, ut(2022, 12, 8, 4, 19), 0.538, 2},
};

TEST(CloseApproaches, PublishedConjunctionsToTheMinuteAndTheirSeparations) {
    for (const ConjunctionRow& row : CONJUNCTIONS) {
        SCOPED_TRACE(row.what);
        const bool moon = row.first == 1;
        const BodySet pair = moon ? NO_BODIES.with(row.second) : NO_BODIES.with(row.first).with(row.second);
        const std::vector<CloseApproach> found =
            close_approaches(PRECISE_ENGINE, pair, moon, row.jd_ut - 2.0, row.jd_ut + 2.0);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].first, row.first);
        EXPECT_EQ(found[0].second, row.second);
        EXPECT_NEAR(found[0].jd_ut, row.jd_ut, row.minutes * MINUTE);
        EXPECT_NEAR(found[0].separation, std::fabs(row.separation), 0.005);
        EXPECT_EQ(found[0].first_north, row.separation > 0.0);
    }
}

// 2026's conjunctions of two planets of Mercury .. Saturn, every one (Astronomy Engine).
const ConjunctionRow PLANET_CONJUNCTIONS_2026[] = {
    {"Venus-Mars", 4, 5, ut(2026, 1, 8, 2, 42), 0.174, 5},         {"Mercury-Mars", 3, 5, ut(2026, 1, 18, 7, 42), -0.962, 5},
    {"Mercury-Venus", 3, 4, ut(2026, 1, 29, 10, 20), -0.686, 5},   {"Mercury-Venus", 3, 4, ut(2026, 2, 28, 5, 34), 4.538, 5},
    {"Venus-Saturn", 4, 7, ut(2026, 3, 8, 13, 36), 0.911, 5},      {"Mercury-Mars", 3, 5, ut(2026, 3, 15, 8, 9), 3.420, 5},
    {"Mars-Saturn", 5, 7, ut(2026, 4, 19, 22, 40), 1.194, 8},      {"Mercury-Saturn", 3, 7, ut(2026, 4, 20, 11, 20), -0.460, 5},
    {"Mercury-Mars", 3, 5, ut(2026, 4, 20, 21, 45), -1.651, 5},    {"Venus-Jupiter", 4, 6, ut(2026, 6, 9, 19, 58), 1.608, 8},
    {"Mercury-Jupiter", 3, 6, ut(2026, 8, 15, 11, 23), 0.554, 6},  {"Mercury-Venus", 3, 4, ut(2026, 10, 7, 0, 6), 5.054, 5},
    {"Mars-Jupiter", 5, 6, ut(2026, 11, 16, 6, 22), 1.196, 30},
};

TEST(CloseApproaches, AYearOfTheMoonAndTheFivePlanets) {
    const std::vector<CloseApproach> found =
        close_approaches(PRECISE_ENGINE, CLOSE_APPROACH_PLANETS, true, ut(2026, 1, 1), ut(2027, 1, 1));
    // Each planet meets the Moon 12 to 14 times (Astronomy Engine: Mercury 12,
    // Venus 12, Mars 13, Jupiter 14, Saturn 13).
    int with_moon[10] = {};
    std::vector<CloseApproach> between_planets;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (i > 0) {
            EXPECT_LE(found[i - 1].jd_ut, found[i].jd_ut);
        }
        if (found[i].first == 1) {
            ++with_moon[found[i].second];
        } else {
            between_planets.push_back(found[i]);
        }
    }
    EXPECT_EQ(with_moon[3], 12);
    EXPECT_EQ(with_moon[4], 12);
    EXPECT_EQ(with_moon[5], 13);
    EXPECT_EQ(with_moon[6], 14);
    EXPECT_EQ(with_moon[7], 13);
    ASSERT_EQ(between_planets.size(), std::size(PLANET_CONJUNCTIONS_2026));
    for (std::size_t i = 0; i < between_planets.size(); ++i) {
        const ConjunctionRow& want = PLANET_CONJUNCTIONS_2026[i];
        SCOPED_TRACE(want.what);
        EXPECT_EQ(between_planets[i].first, want.first);
        EXPECT_EQ(between_planets[i].second, want.second);
        EXPECT_NEAR(between_planets[i].jd_ut, want.jd_ut, want.minutes * MINUTE);
        EXPECT_NEAR(between_planets[i].separation, std::fabs(want.separation), 0.005);
        EXPECT_EQ(between_planets[i].first_north, want.separation > 0.0);
    }
}

// ---- Occultations of planets by the Moon ----

Location place(const char* name, double latitude, double longitude, int elevation) {
    Location l;
    l.name = name;
    l.latitude = std::fabs(latitude);
    l.latitude_hemisphere = latitude < 0.0 ? COMPASS_SOUTH : COMPASS_NORTH;
    l.longitude = std::fabs(longitude);
    l.longitude_hemisphere = longitude < 0.0 ? COMPASS_WEST : COMPASS_EAST;
    l.elevation = elevation;
    return l;
}

struct OccultationRow {
    Location where;
    JulianDay disappearance, reappearance;  // UT
    double moon_altitude_disappearance, moon_altitude_reappearance;
};

// Mars behind the full Moon, 2022 December 8: from London about 05:00 to
// 06:00 GMT with the Moon low in the west, from Toronto late on December 7
// local time (IOTA, timeanddate).  The instants: Astronomy Engine's topocentric
// places, the planet's centre on the Moon's limb.
TEST(LunarOccultations, MarsBehindTheMoonOn2022December8) {
    const OccultationRow rows[] = {
        {place("London", 51.5074, -0.1278, 25), ut(2022, 12, 8, 5, 0.45), ut(2022, 12, 8, 5, 59.45), 26.9, 18.3},
        {place("Toronto", 43.6532, -79.3832, 76), ut(2022, 12, 8, 3, 29.7), ut(2022, 12, 8, 4, 16.6), 62.8, 68.7},
        {place("Berlin", 52.52, 13.405, 34), ut(2022, 12, 8, 5, 1.3), ut(2022, 12, 8, 5, 56.1), 18.8, 11.3},
    };
    double worst_minutes = 0.0;
    for (const OccultationRow& row : rows) {
        SCOPED_TRACE(row.where.name);
        const std::vector<LunarOccultation> found =
            lunar_occultations(PRECISE_ENGINE, row.where, CLOSE_APPROACH_PLANETS, ut(2022, 12, 1), ut(2022, 12, 15));
        ASSERT_EQ(found.size(), 1u);
        const LunarOccultation& o = found[0];
        EXPECT_EQ(o.body, 5);
        EXPECT_TRUE(occultation_seen(o));
        EXPECT_NEAR(o.disappearance_ut, row.disappearance, 1.0 * MINUTE);
        EXPECT_NEAR(o.reappearance_ut, row.reappearance, 1.0 * MINUTE);
        EXPECT_NEAR(o.moon_altitude_disappearance, row.moon_altitude_disappearance, 0.5);
        EXPECT_NEAR(o.moon_altitude_reappearance, row.moon_altitude_reappearance, 0.5);
        EXPECT_LT(o.sun_altitude_disappearance, -6.0);  // before dawn in Europe, evening in Toronto
        worst_minutes = std::max({worst_minutes, std::fabs(o.disappearance_ut - row.disappearance) / MINUTE,
                                  std::fabs(o.reappearance_ut - row.reappearance) / MINUTE});
    }
    std::printf("occultation of Mars 2022-12-08: largest contact difference %.2f minutes\n", worst_minutes);
}

TEST(LunarOccultations, NewYorkSawMarsPassJustClearOfTheLimb) {
    // Astronomy Engine: least separation 0.272 degrees at 03:59 UT, the Moon's
    // topocentric semidiameter 0.253: no occultation.
    const LunarOccultation o =
        lunar_occultation(PRECISE_ENGINE, place("New York", 40.7128, -74.006, 10), 5, ut(2022, 12, 8, 4, 19));
    EXPECT_FALSE(o.occulted);
    EXPECT_NEAR(o.least_separation, 0.272, 0.003);
    EXPECT_NEAR(o.least_ut, ut(2022, 12, 8, 3, 59), 3.0 * MINUTE);
}

}  // namespace

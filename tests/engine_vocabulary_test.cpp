// Both engines answer the seam in one vocabulary: UT Julian days in, signed
// declinations out, dates as the Julian day of their 0 h, twilight from
// either engine; checked against PyEphem's tables and published almanac values.
#include "engine/sky_engine.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/precise/precise_engine.h"
#include "tests/precise_reference.h"

namespace {

const SkyEngine* const ENGINES[] = {&CLASSICAL_ENGINE, &PRECISE_ENGINE};

double arcseconds_apart(Equatorial a, double ra_hours, double dec) {
    const double d = M_PI / 180.0;
    const double c = std::sin(a.dec * d) * std::sin(dec * d) +
                     std::cos(a.dec * d) * std::cos(dec * d) * std::cos((a.ra_hours - ra_hours) * 15.0 * d);
    return std::acos(std::fmin(1.0, c)) / d * 3600.0;
}

TEST(SeamVocabulary, SignedDeclinationsOfTheSunAndMoonAgreeWithPyEphem) {
    // The classical theories hold the Sun to 14" and the Moon to 83" over
    // 1990-2039, the precise ones to 1" and 11".
    const double sun_limit[] = {15.0, 1.0}, moon_limit[] = {90.0, 12.0};
    for (int e = 0; e < 2; ++e) {
        int southern = 0;
        for (const ReferenceRow& r : read_reference_table("positions.csv")) {
            const int body = std::stoi(r[1]);
            if (body > 1) continue;
            const JulianDay t = ut_of_tt(r[0]);
            Equatorial place;
            if (body == 0) {
                const SunPlace sun = ENGINES[e]->sun_place(t, APPARENT_PLACE);
                place = {sun.ra_hours, sun.dec};
            } else {
                const MoonPlace moon = ENGINES[e]->moon_place(t);
                place = {moon.ra_hours, moon.dec};
            }
            ASSERT_LE(std::fabs(place.dec), 90.0) << ENGINES[e]->name.value;
            southern += place.dec < 0.0;
            EXPECT_LT(arcseconds_apart(place, std::stod(r[2]), std::stod(r[3])), body == 0 ? sun_limit[e] : moon_limit[e])
                << ENGINES[e]->name.value << " body " << body << " at TT " << r[0];
        }
        EXPECT_GT(southern, 100) << "half the year south of the equator";
    }
}

TEST(SeamVocabulary, DatesAreTheirMidnightsInEitherEngine) {
    Location greenwich;
    greenwich.latitude = 51.4769;
    for (const SkyEngine* engine : ENGINES) {
        // USNO: sunrise 03:43 and sunset 20:21 UT at Greenwich on 2026 June 21.
        const RiseSet sun = engine->rise_set(0, julian_day(21, 6, 2026), greenwich);
        EXPECT_NEAR(sun.rise, 3 + 43 / 60.0, 2 / 60.0) << engine->name.value;
        EXPECT_NEAR(sun.set, 20 + 21 / 60.0, 2 / 60.0) << engine->name.value;
        // The equation of time's published extremes: +16.4 min on November 3, -14.2 min on February 11.
        EXPECT_NEAR(engine->equation_of_time(julian_day(3, 11, 2026)) * 60.0, 16.4, 0.3) << engine->name.value;
        EXPECT_NEAR(engine->equation_of_time(julian_day(11, 2, 2026)) * 60.0, -14.2, 0.3) << engine->name.value;
    }
}

TEST(SeamVocabulary, ClassicalTwilightFollowsTheReportsRuleNearPyEphem) {
    // The 1995 rule moves sunrise and sunset along the noon declination's day
    // circle: within about 20 minutes of the Sun's true depression at 6, 12
    // and 18 degrees at the five places, 5 minutes on average; the precise
    // engine finds the depression itself.
    double largest = 0.0, sum = 0.0;
    int count = 0;
    for (const ReferenceRow& r : read_reference_table("twilight.csv")) {
        const Location l = reference_place(r[0]);
        const JulianDay date = reference_date(r[1]);
        const Twilight limits = CLASSICAL_ENGINE.twilight(std::stod(r[2]), date, l);
        const JulianDay midnight = date - l.time_zone / 24.0;
        for (const auto& [hours, reference] : {std::pair{limits.morning, r[3]},
                                              std::pair{limits.evening, r.size() > 4 ? r[4] : std::string()}}) {
            EXPECT_TRUE(hours == NO_EVENT || (hours >= 0.0 && hours < 24.0)) << hours;
            if (hours == NO_EVENT || reference.empty()) continue;
            const double minutes = std::fabs(midnight + hours / 24.0 - std::stod(reference)) * 1440.0;
            largest = std::fmax(largest, minutes);
            sum += minutes;
            ++count;
        }
    }
    ASSERT_GT(count, 50);
    EXPECT_LT(largest, 21.0);
    EXPECT_LT(sum / count, 6.0);
}

TEST(SeamVocabulary, ConjunctionsInAWindowAgreeWithPyEphem) {
    // 2020-2023, every planet: the classical daily table refined hourly holds
    // them to 14.2 hours but misses one event (Mercury's inferior conjunction
    // of 2023 January 7; the README's accuracy table counts two in 2000-2030);
    // the precise search finds all, to 36 minutes.
    const double limit_minutes[] = {852.5, 36.0};
    const int allowed_misses[] = {1, 0};
    const JulianDay from = julian_day(1, 1, 2020), to = julian_day(1, 1, 2024);
    for (int e = 0; e < 2; ++e) {
        int matched = 0, missed = 0;
        for (const ReferenceRow& r : read_reference_table("conjunctions.csv")) {
            const JulianDay t = ut_of_tt(r[0]);
            if (t < from + 1.0 || t >= to - 1.0) continue;
            const ConjunctionSearch search = ENGINES[e]->conjunctions(std::stoi(r[1]), from, to, nullptr, nullptr);
            double best = 1e9;
            for (const Conjunction& c : search.events) {
                EXPECT_TRUE(c.jd_ut >= from && c.jd_ut < to);
                if (c.opposition == (r[2] == "1") && std::fabs(c.jd_ut - t) < std::fabs(best)) best = c.jd_ut - t;
            }
            if (std::fabs(best) > 2.0) {
                ++missed;
                continue;
            }
            EXPECT_LT(std::fabs(best) * 1440.0, limit_minutes[e]) << ENGINES[e]->name.value << " body " << r[1] << " at TT " << r[0];
            ++matched;
        }
        EXPECT_GT(matched, 20);
        EXPECT_LE(missed, allowed_misses[e]) << ENGINES[e]->name.value;
    }
}

// The search's step hook sees the work done, in order, and stops it.
int steps_seen = 0;
double last_fraction = -1.0;
int stop_at_tenth(double fraction, void*) {
    EXPECT_GE(fraction, last_fraction);
    EXPECT_LE(fraction, 1.0);
    last_fraction = fraction;
    return ++steps_seen == 10 ? 7 : 0;
}

TEST(SeamVocabulary, ConjunctionSearchesReportProgressAndStop) {
    for (const SkyEngine* engine : ENGINES) {
        steps_seen = 0;
        last_fraction = -1.0;
        const ConjunctionSearch search =
            engine->conjunctions(5, julian_day(1, 1, 2025), julian_day(1, 1, 2026), stop_at_tenth, nullptr);
        if (steps_seen < 10) {  // an engine whose search takes fewer steps finishes: Mars's opposition of January 16
            EXPECT_EQ(search.stopped, 0);
            ASSERT_FALSE(search.events.empty());
        } else {
            EXPECT_EQ(search.stopped, 7) << engine->name.value;
        }
    }
}

}  // namespace

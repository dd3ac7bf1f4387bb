// The engine seam: the reports, graphs and movies compute through the engine
// their SkyContext names, so an engine put in its place decides what they show.
#include "engine/sky_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/calendar.h"
#include "graphs/drawing.h"
#include "engine/sky_context.h"
#include "graphs/planet_graphs.h"
#include "graphs/sun_graphs.h"
#include "platform/recording_surface.h"
#include "reports/moon_reports.h"
#include "reports/planet_reports.h"
#include "reports/seasons_easter.h"
#include "tests/report_test_support.h"

namespace {

// An engine whose four season instants are fixed: 2001 March 20 12 h UT and
// the 21st of June, September and December at the same hour.
void fixed_seasons(int, JulianDay jd[4]) {
    const int months[4] = {3, 6, 9, 12};
    for (int i = 0; i < 4; ++i) jd[i] = julian_day(i == 0 ? 20.5 : 21.5, months[i], 2001);
}
// An engine under which the Sun rises at 6 h and sets at 18 h everywhere, every day.
void twelve_hour_days(int, int, int, int, double& rise, double& set, Location) { rise = 6.0, set = 18.0; }
// An engine under which a planet is always magnitude 0.
double magnitude_zero(int, double, int, int, int) { return 0.0; }

int sun_position_calls = 0;
void counted_sun_position(double hours, int day, int month, int year, int apparent, double& ra, double& dec,
                          double& longitude, double& distance, double& semidiameter, double& mean_anomaly) {
    ++sun_position_calls;
    CLASSICAL_ENGINE.sun_position(hours, day, month, year, apparent, ra, dec, longitude, distance, semidiameter,
                                  mean_anomaly);
}

// The drawing commands of a graph on a recording surface.
template <typename Draw>
std::vector<std::string> drawing_of(Draw draw) {
    SurfaceLog log;
    auto surface = make_recording_surface(log, "s", GRAPH_WIDTH, GRAPH_HEIGHT);
    GraphStyle style;
    setup_drawing(*surface, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, &style);
    draw(*surface, style);
    return log.lines;
}

SkyContext with_engine(const SkyEngine& engine) {
    SkyContext sky(GREENWICH);
    sky.engine = &engine;
    return sky;
}

using EngineSeam = ReportTest;

TEST_F(EngineSeam, ContextStartsWithTheClassicalEngine) {
    EXPECT_EQ(SkyContext{}.engine, &CLASSICAL_ENGINE);
    EXPECT_EQ(SkyContext(GREENWICH).engine, &CLASSICAL_ENGINE);
    EXPECT_STREQ(CLASSICAL_ENGINE.name, "classical");
}

// Every member of the classical engine is set: a second engine copies it and
// replaces what it computes better.
TEST_F(EngineSeam, ClassicalEngineHasEveryMember) {
    const SkyEngine& e = CLASSICAL_ENGINE;
    const void* members[] = {
        reinterpret_cast<const void*>(e.sun_position), reinterpret_cast<const void*>(e.moon_position),
        reinterpret_cast<const void*>(e.planet_position), reinterpret_cast<const void*>(e.star_apparent_place),
        reinterpret_cast<const void*>(e.topocentric_place), reinterpret_cast<const void*>(e.jupiter_satellites),
        reinterpret_cast<const void*>(e.planet_magnitude), reinterpret_cast<const void*>(e.planet_angular_diameter),
        reinterpret_cast<const void*>(e.heliocentric_distance), reinterpret_cast<const void*>(e.sidereal_time),
        reinterpret_cast<const void*>(e.ecliptic_to_equatorial),
        reinterpret_cast<const void*>(e.equatorial_to_horizontal), reinterpret_cast<const void*>(e.equation_of_time),
        reinterpret_cast<const void*>(e.rise_set), reinterpret_cast<const void*>(e.season_instants),
        reinterpret_cast<const void*>(e.build_phase_table), reinterpret_cast<const void*>(e.find_year_eclipses),
        reinterpret_cast<const void*>(e.conjunction_table_sample), reinterpret_cast<const void*>(e.find_conjunctions),
        reinterpret_cast<const void*>(e.moon_distance_at), reinterpret_cast<const void*>(e.moon_apsis_refine),
        reinterpret_cast<const void*>(e.moon_node_instant), reinterpret_cast<const void*>(e.planet_apsis_instant),
    };
    for (const void* m : members) EXPECT_NE(m, nullptr);
}

TEST_F(EngineSeam, SeasonsReportPrintsTheEnginesInstants) {
    SkyEngine engine = CLASSICAL_ENGINE;
    engine.season_instants = fixed_seasons;
    ReportDocument document;
    ASSERT_EQ(seasons_report(document, 3, false, 2001, 2001, with_engine(engine)), 0);
    std::string text;
    for (const std::string& line : lines_of(document)) text += line + "\n";
    EXPECT_NE(text.find("03/20/2001 12:00"), std::string::npos) << text;
    EXPECT_NE(text.find("06/21/2001 12:00"), std::string::npos) << text;
}

TEST_F(EngineSeam, ViewInfoUsesTheEnginesRisings) {
    SkyEngine engine = CLASSICAL_ENGINE;
    engine.rise_set = twelve_hour_days;
    ReportDocument view;
    ASSERT_EQ(view_info_report(view, 7, false, 2020, 1, 1, NO_BODIES.with(Body::Mars), with_engine(engine)), 0);
    std::string text;
    for (const std::string& line : lines_of(view)) text += line + "\n";
    EXPECT_NE(text.find(" 6:00 18:00"), std::string::npos) << text;
}

TEST_F(EngineSeam, GraphsDrawTheEnginesValues) {
    SkyEngine engine = CLASSICAL_ENGINE;
    engine.planet_magnitude = magnitude_zero;
    const BodySet mars = NO_BODIES.with(Body::Mars);
    const auto flat = drawing_of([&](Surface& s, const GraphStyle& g) {
        return planet_magnitude_graph(s, g, 2023, mars, with_engine(engine));
    });
    const auto classical = drawing_of([&](Surface& s, const GraphStyle& g) {
        return planet_magnitude_graph(s, g, 2023, mars, SkyContext(GREENWICH));
    });
    EXPECT_NE(flat, classical) << "Mars at magnitude 0 all year is a flat line";

    engine = CLASSICAL_ENGINE;
    engine.sun_position = counted_sun_position;
    sun_position_calls = 0;
    drawing_of([&](Surface& s, const GraphStyle& g) { return sun_angle_graph(s, g, 2023, with_engine(engine)); });
    EXPECT_GE(sun_position_calls, 52) << "one Sun place at least for each weekly sample";
}

}  // namespace

// The engine seam: the reports, graphs and movies compute through the engine
// their SkyContext names, so an engine put in its place decides what they show.
#include "engine/sky_engine.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <type_traits>
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

// An engine whose season instants are fixed: March 20 12 h UT and the 21st
// of June, September and December at the same hour, every year.
void fixed_year_seasons(int year, JulianDay jd[4]) {
    const int months[4] = {3, 6, 9, 12};
    for (int i = 0; i < 4; ++i) jd[i] = julian_day(i == 0 ? 20.5 : 21.5, months[i], year);
}
std::vector<SeasonEvent> fixed_seasons(JulianDay from_ut, JulianDay to_ut) {
    return seasons_from_years(from_ut, to_ut, fixed_year_seasons);
}
// An engine under which the Sun rises at 6 h and sets at 18 h everywhere, every day.
RiseSet twelve_hour_days(int, JulianDay, const Location&) { return {6.0, 18.0}; }
// An engine under which a planet is always magnitude 0.
double magnitude_zero(int, JulianDay) { return 0.0; }

int sun_place_calls = 0;
SunPlace counted_sun_place(JulianDay jd_ut, PlaceKind kind) {
    ++sun_place_calls;
    return CLASSICAL_ENGINE.sun_place(jd_ut, kind);
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

// Every member of an engine must be given: a member has no default and is
// never null, so an engine that leaves one out does not compile.
static_assert(!std::is_default_constructible_v<SkyEngine>);
static_assert(!std::is_default_constructible_v<EngineCall<double(JulianDay)>>);
static_assert(!std::is_constructible_v<EngineCall<double(JulianDay)>, std::nullptr_t>);
static_assert(std::is_constructible_v<EngineCall<double(JulianDay)>, double (*)(JulianDay)>);

TEST_F(EngineSeam, SeasonsReportPrintsTheEnginesInstants) {
    SkyEngine engine = CLASSICAL_ENGINE;
    engine.seasons = fixed_seasons;
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
    engine.sun_place = counted_sun_place;
    sun_place_calls = 0;
    drawing_of([&](Surface& s, const GraphStyle& g) { return sun_angle_graph(s, g, 2023, with_engine(engine)); });
    EXPECT_GE(sun_place_calls, 52) << "one Sun place at least for each weekly sample";
}

}  // namespace

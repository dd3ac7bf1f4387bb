// The Sun graphs: four yearly curves against the month axis (equation of
// time, day length, altitude at transit, sunrise azimuth) and the analemma.
#include "graphs/sun_graphs.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/clock.h"
#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "format/format.h"
#include "graphs/graph_frame.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// The Sun's azimuth (degrees from north through east, [0, 360)) and altitude
// (degrees) at a UT instant, seen from location.
void sun_horizontal(JulianDay instant, const SkyContext& sky, double& azimuth, double& altitude) {
    const SkyEngine& engine = *sky.engine;
    const SunPlace sun = engine.sun_place(instant, APPARENT_PLACE);
    const Horizontal h = engine.equatorial_to_horizontal(instant, {sun.ra_hours, sun.dec}, sky.location);
    azimuth = normalize_degrees(h.azimuth);
    altitude = h.altitude;
}

// The Sun's altitude normalised into [0, 360): at most 90 while it is above
// the horizon, above 270 while it is below.
double sun_altitude_turned(JulianDay instant, const SkyContext& sky) {
    double azimuth = 0.0, altitude = 0.0;
    sun_horizontal(instant, sky, azimuth, altitude);
    return normalize_degrees(altitude);
}

// 0 h UT of the date of t.
JulianDay date_of(JulianDay t) {
    double day = 0.0;
    int month = 0, year = 0;
    calendar_date(t, day, month, year);
    return julian_day(static_cast<int>(day), month, year);
}

// ---- The sampled values, for a sample at 0 h UT of a date ----
// Each returns false when the sample has no value and is not plotted.
using SunValue = bool (*)(JulianDay t, const SkyContext& sky, double& value);

bool equation_of_time_minutes(JulianDay t, const SkyContext& sky, double& value) {
    value = sky.engine->equation_of_time(date_of(t)) * 60.0;
    return true;
}

// Local mean noon (UT) of the date whose 0 h UT is t: 12 h less the
// longitude in hours, east positive.
JulianDay local_mean_noon(JulianDay t, const Location& location) {
    return t + 0.5 - signed_longitude(location) / 360.0;
}

bool day_length_sample(JulianDay t, const SkyContext& sky, double& value) {
    value = daylight_hours(date_of(t), sky);
    return true;
}

bool transit_altitude(JulianDay t, const SkyContext& sky, double& value) {
    const Location& location = sky.location;
    // Local apparent noon: the true Sun on the observer's meridian.
    double altitude = sun_altitude_turned(local_mean_noon(t, location) - sky.engine->equation_of_time(date_of(t)) / 24.0,
                                          sky);
    value = altitude > 90.0 ? 0.0 : altitude;
    return true;
}

bool sunrise_azimuth(JulianDay t, const SkyContext& sky, double& value) {
    const Location& location = sky.location;
    const double rise = sky.engine->rise_set(id_of(Body::Sun), date_of(t), location).rise;
    if (rise == NO_EVENT) return false;
    // The rise time is the local clock's; the Sun's place wants UT.
    double altitude = 0.0;
    sun_horizontal(t + (rise - reading_offset_hours(location, t + rise / 24.0)) / 24.0, sky, value, altitude);
    return true;
}

// ---- Value rules ----

int label_column(Surface& surface, const GraphFrame& frame, int factor) {
    return frame.x0 - factor * char_width(surface);
}

std::string integer_label(const char* format, int value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// -20 ... 20 minutes every 5, "%3d" written left-aligned four columns left of the frame.
void equation_of_time_rules(Surface& surface, const GraphStyle& style, const GraphFrame& frame) {
    int x = label_column(surface, frame, 4);
    for (int v = -20; v <= 20; v += 5) {
        int y = value_to_y(-20.0, 20.0, v, frame.height, frame.y0);
        draw_y_rule(surface, style, y, frame.x0, frame.width);
        surface.draw_text({x, y + line_height(surface) / 2}, integer_label("%3d", v));
    }
}

// Rules from bottom to top every step, each labelled with format, centred two
// columns left of the frame.
void labelled_rules(Surface& surface, const GraphStyle& style, const GraphFrame& frame, int bottom, int top,
                    int step, const char* format) {
    int x = label_column(surface, frame, 2);
    for (int v = bottom; v <= top; v += step) {
        int y = value_to_y(bottom, top, v, frame.height, frame.y0);
        draw_value_rule(surface, style, frame, y, integer_label(format, v), x);
    }
}

void day_length_rules(Surface& surface, const GraphStyle& style, const GraphFrame& frame) {
    labelled_rules(surface, style, frame, 0, 24, 2, "%2d");
}

void sun_angle_rules(Surface& surface, const GraphStyle& style, const GraphFrame& frame) {
    labelled_rules(surface, style, frame, 0, 90, 10, "%2d\xB0");
}

// 30 ... 150 degrees every 30, labels centred on their y; the end values lie
// on the frame and get no rule.
void sunrise_rules(Surface& surface, const GraphStyle& style, const GraphFrame& frame) {
    int x = label_column(surface, frame, 3);
    for (int v = 30; v <= 150; v += 30) {
        int y = value_to_y(30.0, 150.0, v, frame.height, frame.y0);
        if (v != 30 && v != 150) draw_y_rule(surface, style, y, frame.x0, frame.width);
        draw_text_centered(surface, x, y, integer_label("%d\xB0", v));
    }
}

// ---- The yearly graphs ----

struct YearlySunGraph {
    int x_factor;  // left margin, char_width units
    int y_factor;  // bottom margin, line_height units
    int title_id;
    int caption_id;      // value caption
    int caption_column;  // its column left of the frame, char_width units
    double bottom;       // value axis
    double top;
    void (*draw_rules)(Surface&, const GraphStyle&, const GraphFrame&);
    SunValue value;
    // Stepping from one sample to the next: t := t + lead; the curve ends when
    // t is at or beyond the end, else t := min(t + step, end).
    double lead_days;
    double step_days;
};

constexpr YearlySunGraph EQUATION_OF_TIME = {
    7, 4, STR_EQUATION_OF_TIME_TITLE, STR_MINUTES, 6, -20.0, 20.0, equation_of_time_rules,
    equation_of_time_minutes, 3.0, 3.0};
constexpr YearlySunGraph DAY_LENGTH = {
    7, 4, STR_DAY_LENGTH_TITLE, STR_HOURS, 6, 0.0, 24.0, day_length_rules, day_length_sample, 0.0, 7.0};
constexpr YearlySunGraph SUN_ANGLE = {
    7, 4, STR_SUN_ANGLE_TITLE, STR_ANGLE_AT_TRANSIT, 6, 0.0, 90.0, sun_angle_rules, transit_altitude, 0.0, 5.0};
constexpr YearlySunGraph SUNRISE = {
    9, 4, STR_SUNRISE_TITLE, STR_AZIMUTH_OF_SUN, 8, 30.0, 150.0, sunrise_rules, sunrise_azimuth, 2.0, 2.0};

// A title with the year, the latitude in degrees, minutes and seconds and its
// hemisphere letter.
std::string latitude_title(int title_id, int year, const Location& location) {
    return graph_text(title_id, year, format_angle(location.latitude, true).c_str(),
                      compass_letter(location.latitude_hemisphere));
}

// A full-height line at the local time of each equinox and solstice, with its
// abbreviation above the frame.
void draw_season_markers(Surface& surface, const GraphFrame& frame, int year, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    int label_top = frame.y0 + frame.height + line_height(surface) * 3 / 2;
    for (const SeasonEvent& e : engine.seasons(julian_day(1, 1, year), julian_day(1, 1, year + 1))) {
        int x = date_to_x(frame.x0, frame.width, frame.days, ut_to_clock(location, e.jd_ut), frame.start);
        draw_line(surface, x, frame.y0, x, frame.y0 + frame.height);
        draw_text_centered(surface, x, label_top, season_abbreviation(e.season));
    }
}

int draw_yearly_sun_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky,
                          const YearlySunGraph& graph, const std::string& title) {
    GraphFrame frame = make_graph_frame(surface, graph.x_factor, graph.y_factor, year);
    int row = line_height(surface);
    draw_graph_outline(surface, style, frame);
    draw_graph_caption(surface, frame, title_top(surface, 1, row), title);
    draw_graph_caption(surface, frame, 2 * row, load_string(STR_MONTH_CAPTION));
    draw_value_caption(surface, frame, graph.caption_column, load_string(graph.caption_id));
    graph.draw_rules(surface, style, frame);
    draw_month_axis(surface, style, year, frame);
    draw_season_markers(surface, frame, year, sky);

    if (graph_stopped()) return 1;
    select_color_pen(surface, style, id_of(Body::Sun));
    GraphCurve curve;
    for (JulianDay t = frame.start;;) {
        double value = 0.0;
        if (graph.value(t, sky, value))
            extend_curve(surface, curve, date_to_x(frame.x0, frame.width, frame.days, t, frame.start),
                         value_to_y(graph.bottom, graph.top, value, frame.height, frame.y0));
        if (graph_stopped()) return 1;
        t += graph.lead_days;
        if (t >= frame.end) break;
        t = std::fmin(t + graph.step_days, frame.end);
    }
    return 0;
}

// ---- The analemma ----

// The shadow of a unit vertical stick at local mean noon of the date of t:
// its component along the meridian and its east-west component.
void noon_shadow(JulianDay t, const SkyContext& sky, double& meridian, double& east_west) {
    const Location& location = sky.location;
    double azimuth = 0.0, altitude = 0.0;
    sun_horizontal(local_mean_noon(t, location), sky, azimuth, altitude);
    double length = altitude >= 89.999 ? 0.0 : 1.0 / tan_deg(altitude);
    polar_to_rect(length, azimuth, meridian, east_west);
}

struct Shadow {
    JulianDay t;
    double meridian, east_west;
};

// One scale for both axes, the largest that keeps every shadow inside the
// plot area: the meridian extent across its width, the east-west extent
// either side of the middle line.  x = left + meridian * scale, y = middle -
// east_west * scale.
struct ShadowScale {
    double scale, left, middle;
};

ShadowScale fit_shadows(const std::vector<Shadow>& shadows, const GraphFrame& frame) {
    double lo = shadows.front().meridian, hi = lo, east_west = 0.0;
    for (const Shadow& s : shadows) {
        lo = min_of(lo, s.meridian);
        hi = max_of(hi, s.meridian);
        east_west = max_of(east_west, std::fabs(s.east_west));
    }
    double scale = frame.width / max_of(hi - lo, 1e-9);
    if (east_west * scale > frame.height * 0.5) scale = frame.height * 0.5 / east_west;
    // Centred across the width when the height limits the scale.
    double left = frame.x0 + (frame.width - (hi - lo) * scale) / 2.0 - lo * scale;
    return {scale, left, frame.y0 + frame.height * 0.5};
}

}  // namespace

double daylight_hours(JulianDay date, const SkyContext& sky) {
    const Location& location = sky.location;
    const RiseSet sun = sky.engine->rise_set(id_of(Body::Sun), date, location);
    const double rise = sun.rise, set = sun.set;
    const bool rises = rise != NO_EVENT, sets = set != NO_EVENT;
    if (rises && sets) return set > rise ? set - rise : 24.0 - (rise - set);
    if (rises) return 24.0 - rise;
    if (sets) return set;
    // Neither: polar day when the Sun is up at local noon, else polar night.
    const JulianDay noon = local_mean_noon(date, location);
    return sun_altitude_turned(noon, sky) <= 90.0 ? 24.0 : 0.0;
}

int equation_of_time_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky) {
    return draw_yearly_sun_graph(surface, style, year, sky, EQUATION_OF_TIME,
                                 graph_text(STR_EQUATION_OF_TIME_TITLE, year));
}

int day_length_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky) {
    const Location& location = sky.location;
    return draw_yearly_sun_graph(surface, style, year, sky, DAY_LENGTH,
                                 latitude_title(STR_DAY_LENGTH_TITLE, year, location));
}

int sun_angle_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky) {
    const Location& location = sky.location;
    return draw_yearly_sun_graph(surface, style, year, sky, SUN_ANGLE,
                                 latitude_title(STR_SUN_ANGLE_TITLE, year, location));
}

int sunrise_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky) {
    const Location& location = sky.location;
    return draw_yearly_sun_graph(surface, style, year, sky, SUNRISE,
                                 latitude_title(STR_SUNRISE_TITLE, year, location));
}

int analemma_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky) {
    const Location& location = sky.location;
    int column = char_width(surface);
    int row = line_height(surface);
    GraphFrame frame;
    frame.x0 = 4 * column;
    frame.y0 = 4 * row;
    fill_graph_space(surface, frame);
    set_graph_period(frame, year);
    int left = frame.x0 - column;
    int right = frame.x0 + frame.width + column;
    int middle = frame.y0 + frame.height / 2;

    // The frame stands one character and one line clear of the plot.
    draw_frame(surface, left, frame.y0 + frame.height + row, right, frame.y0 - row, false,
               style.colors[STYLE_WINDOW_TEXT]);
    draw_line(surface, left, middle, right, middle);
    draw_graph_caption(surface, frame, title_top(surface, 1, row), latitude_title(STR_ANALEMMA_TITLE, year, location));
    draw_graph_caption(surface, frame, 2 * row, load_string(STR_SHADOW_CAPTION));

    surface.set_background_opaque(false);
    // The samples every 2 days to 1 January of the next year, so that the
    // figure closes; the scale comes from all of them.
    JulianDay end = julian_day(1.0, 1, year + 1);
    std::vector<Shadow> shadows;
    for (JulianDay t = frame.start;; t = std::fmin(t + 2.0, end)) {
        Shadow s{t, 0.0, 0.0};
        noon_shadow(t, sky, s.meridian, s.east_west);
        shadows.push_back(s);
        if (graph_stopped()) return 1;
        if (t >= end) break;
    }
    const ShadowScale fit = fit_shadows(shadows, frame);

    select_color_pen(surface, style, id_of(Body::Sun));
    GraphCurve curve;
    for (const Shadow& s : shadows) {
        int x = round_to_int(fit.left + s.meridian * fit.scale);
        int y = round_to_int(fit.middle - s.east_west * fit.scale);
        extend_curve(surface, curve, x, y);
        double day = 0.0;
        int month = 0, sample_year = 0;
        calendar_date(s.t, day, month, sample_year);
        if (day <= 2.0 && sample_year == year) surface.draw_text({x, y}, std::to_string(month));
    }
    return 0;
}

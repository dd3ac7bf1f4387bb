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
#include "engine/local_sky.h"
#include "format/format.h"
#include "graphs/day_bands.h"
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

// bottom ... top degrees of azimuth every 30, labels centred on their y; the
// end values lie on the frame and get no rule.
void azimuth_rules(Surface& surface, const GraphStyle& style, const GraphFrame& frame, int bottom, int top) {
    int x = label_column(surface, frame, 3);
    for (int v = bottom; v <= top; v += 30) {
        int y = value_to_y(bottom, top, v, frame.height, frame.y0);
        if (v != bottom && v != top) draw_y_rule(surface, style, y, frame.x0, frame.width);
        draw_text_centered(surface, x, y, integer_label("%d\xB0", v));
    }
}

void sunrise_rules(Surface& surface, const GraphStyle& style, const GraphFrame& frame) {
    azimuth_rules(surface, style, frame, 30, 150);
}

// North to south: where the Sun rises at high latitudes.
void sunrise_rules_north_to_south(Surface& surface, const GraphStyle& style, const GraphFrame& frame) {
    azimuth_rules(surface, style, frame, 0, 180);
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
constexpr YearlySunGraph SUNRISE_NORTH_TO_SOUTH = {
    9, 4, STR_SUNRISE_TITLE, STR_AZIMUTH_OF_SUN, 8, 0.0, 180.0, sunrise_rules_north_to_south, sunrise_azimuth,
    2.0, 2.0};

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

// The outline, captions, rules, month axis and season markers of a yearly
// graph, over the shaded bands of the days the Sun does not rise when there
// are such days (days: what the Sun does on each day of the year, or null).
GraphFrame draw_yearly_frame(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky,
                             const YearlySunGraph& graph, const std::string& title,
                             const std::vector<SunDay>* days = nullptr) {
    GraphFrame frame = make_graph_frame(surface, graph.x_factor, graph.y_factor, year);
    int row = line_height(surface);
    if (days) draw_day_bands(surface, style, frame, *days);
    draw_graph_outline(surface, style, frame);
    draw_graph_caption(surface, frame, title_top(surface, 1, row), title);
    draw_graph_caption(surface, frame, 2 * row, load_string(STR_MONTH_CAPTION));
    draw_value_caption(surface, frame, graph.caption_column, load_string(graph.caption_id));
    graph.draw_rules(surface, style, frame);
    draw_month_axis(surface, style, year, frame);
    draw_season_markers(surface, frame, year, sky);
    return frame;
}

// The sample instants of a yearly graph: from the frame's start, each next
// one lead_days on and then min(step_days more, end), until one is at or
// beyond the end.
std::vector<JulianDay> sample_days(const GraphFrame& frame, const YearlySunGraph& graph) {
    std::vector<JulianDay> days;
    for (JulianDay t = frame.start;;) {
        days.push_back(t);
        t += graph.lead_days;
        if (t >= frame.end) break;
        t = std::fmin(t + graph.step_days, frame.end);
    }
    return days;
}

int draw_yearly_sun_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky,
                          const YearlySunGraph& graph, const std::string& title) {
    const GraphFrame frame = draw_yearly_frame(surface, style, year, sky, graph, title);
    if (graph_stopped()) return 1;
    select_color_pen(surface, style, id_of(Body::Sun));
    GraphCurve curve;
    for (JulianDay t : sample_days(frame, graph)) {
        double value = 0.0;
        if (graph.value(t, sky, value))
            extend_curve(surface, curve, date_to_x(frame.x0, frame.width, frame.days, t, frame.start),
                         value_to_y(graph.bottom, graph.top, value, frame.height, frame.y0));
        if (graph_stopped()) return 1;
    }
    return 0;
}

// ---- The Sunrise graph at every latitude (precise engine) ----

// The azimuth of sunrise every four days or, in a year with days the Sun
// does not rise or set, every day it does (at 89 degrees that is a few days
// about each equinox), on a scale of north to south when the Sun rises
// outside 30-150 degrees.  The curve breaks over the days without a sunrise,
// and the days the Sun stays up or down are shaded bands.
int sunrise_at_every_latitude(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky,
                              const std::string& title) {
    GraphFrame period;
    set_graph_period(period, year);
    const std::vector<SunDay> days = sun_days_of_year(period, sky);
    bool polar = false;
    for (SunDay d : days) polar = polar || d != SunDay::CROSSES;
    std::vector<JulianDay> sample_instants;
    for (int d = 0; polar && d < period.days; ++d) sample_instants.push_back(period.start + d);
    if (!polar) sample_instants = sample_days(period, SUNRISE);
    struct Sample {
        JulianDay t;
        bool rises;
        double azimuth;
    };
    std::vector<Sample> samples;
    bool inside = true;
    for (JulianDay t : sample_instants) {
        Sample s{t, false, 0.0};
        const size_t day = static_cast<size_t>(t - period.start);
        s.rises = (day >= days.size() || days[day] == SunDay::CROSSES) && sunrise_azimuth(t, sky, s.azimuth);
        inside = inside && (!s.rises || (s.azimuth >= SUNRISE.bottom && s.azimuth <= SUNRISE.top));
        samples.push_back(s);
        if (graph_stopped()) return 1;
    }
    const YearlySunGraph& graph = inside ? SUNRISE : SUNRISE_NORTH_TO_SOUTH;
    const GraphFrame frame = draw_yearly_frame(surface, style, year, sky, graph, title, &days);
    if (graph_stopped()) return 1;
    select_color_pen(surface, style, id_of(Body::Sun));
    GraphCurve curve;
    for (const Sample& s : samples) {
        if (!s.rises) {
            curve.started = false;
            continue;
        }
        extend_curve(surface, curve, date_to_x(frame.x0, frame.width, frame.days, s.t, frame.start),
                     value_to_y(graph.bottom, graph.top, s.azimuth, frame.height, frame.y0));
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

// ---- The analemma above 60 degrees of latitude (precise engine) ----
// There the noon shadow grows without bound as the Sun nears the horizon, and
// in polar night there is none: the graph shows the Sun's place in the sky at
// local mean noon instead, in the same Shadow record: meridian = azimuth from
// the meridian's point of the horizon the noon Sun stands over (south in the
// northern hemisphere, north in the southern), growing to the right as the
// observer facing that point sees it (west to the right facing south, east
// facing north), east_west = minus the true altitude of the Sun's centre
// (degrees both), drawn at one scale.

constexpr double SHADOW_MAX_LATITUDE = 60.0;

void noon_sun_place(JulianDay t, const SkyContext& sky, double& across, double& minus_altitude) {
    const Location& location = sky.location;
    double azimuth = 0.0, altitude = 0.0;
    sun_horizontal(local_mean_noon(t, location), sky, azimuth, altitude);
    const double facing = location.latitude_hemisphere == COMPASS_SOUTH ? 0.0 : 180.0;
    across = std::remainder(azimuth - facing, 360.0);
    minus_altitude = -std::remainder(altitude, 360.0);
}

// The one scale that keeps every place and the horizon inside the plot area,
// the figure centred on it; middle is the y of the horizon.
ShadowScale fit_sky_places(const std::vector<Shadow>& places, const GraphFrame& frame) {
    double lo = places.front().meridian, hi = lo, low = 0.0, high = 0.0;
    for (const Shadow& p : places) {
        lo = min_of(lo, p.meridian);
        hi = max_of(hi, p.meridian);
        low = min_of(low, -p.east_west);
        high = max_of(high, -p.east_west);
    }
    const double scale = min_of(frame.width / max_of(hi - lo, 1e-9), frame.height / max_of(high - low, 1e-9));
    const double left = frame.x0 + (frame.width - (hi - lo) * scale) / 2.0 - lo * scale;
    const double bottom = frame.y0 + (frame.height - (high - low) * scale) / 2.0;
    return {scale, left, bottom - low * scale};
}

// The horizon across the frame with its name at the right, and a rule every
// 10 degrees of altitude labelled at the plot's left edge.
void draw_sky_rules(Surface& surface, const GraphStyle& style, const GraphFrame& frame, const ShadowScale& fit,
                    int left, int right) {
    const int column = char_width(surface), row = line_height(surface);
    const int horizon = round_to_int(fit.middle);
    draw_line(surface, left, horizon, right, horizon);
    const std::string name(load_string(STR_HORIZON));
    surface.draw_text({right - column - text_width(surface, name), horizon + row}, name);
    const int lowest = static_cast<int>(std::ceil((frame.y0 - fit.middle) / fit.scale / 10.0)) * 10;
    for (int altitude = lowest;; altitude += 10) {
        const int y = round_to_int(fit.middle + altitude * fit.scale);
        if (y > frame.y0 + frame.height) break;
        if (altitude == 0) continue;
        draw_y_rule(surface, style, y, frame.x0, frame.width);
        surface.draw_text({frame.x0 + column * 3 / 2, y + row / 2}, integer_label("%d\xB0", altitude));
    }
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
    const std::string title = latitude_title(STR_SUNRISE_TITLE, year, sky.location);
    if (sky.engine->precise) return sunrise_at_every_latitude(surface, style, year, sky, title);
    return draw_yearly_sun_graph(surface, style, year, sky, SUNRISE, title);
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
    const bool sky_view = sky.engine->precise && location.latitude > SHADOW_MAX_LATITUDE;
    if (!sky_view) draw_line(surface, left, middle, right, middle);
    draw_graph_caption(surface, frame, title_top(surface, 1, row), latitude_title(STR_ANALEMMA_TITLE, year, location));
    draw_graph_caption(surface, frame, 2 * row, load_string(sky_view ? STR_SUN_PLACE_CAPTION : STR_SHADOW_CAPTION));

    surface.set_background_opaque(false);
    // The samples every 2 days to 1 January of the next year, so that the
    // figure closes; the scale comes from all of them.
    JulianDay end = julian_day(1.0, 1, year + 1);
    std::vector<Shadow> shadows;
    for (JulianDay t = frame.start;; t = std::fmin(t + 2.0, end)) {
        Shadow s{t, 0.0, 0.0};
        (sky_view ? noon_sun_place : noon_shadow)(t, sky, s.meridian, s.east_west);
        shadows.push_back(s);
        if (graph_stopped()) return 1;
        if (t >= end) break;
    }
    const ShadowScale fit = sky_view ? fit_sky_places(shadows, frame) : fit_shadows(shadows, frame);
    if (sky_view) draw_sky_rules(surface, style, frame, fit, left, right);

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

#include "graphs/day_bands.h"

#include <string>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// Whole days without a sunrise: the Sun up all day, shaded in a pale tint of
// its colour, or down all day, in a pale tint of the window-text colour.
struct DayBand {
    SunDay kind;
    int color_index;
    int label_id;
};
constexpr DayBand DAY_BANDS[2] = {
    {SunDay::ABOVE_ALL_DAY, id_of(Body::Sun), STR_SUN_UP_ALL_DAY},
    {SunDay::BELOW_ALL_DAY, STYLE_WINDOW_TEXT, STR_SUN_DOWN_ALL_DAY},
};

// A quarter of the way from the background to the band's colour.
SurfaceColor band_tint(const GraphStyle& style, const DayBand& band) {
    const SurfaceColor c = style.colors[band.color_index], b = style.background;
    auto mix = [&](int shift) { return ((b >> shift & 0xFF) * 3 + (c >> shift & 0xFF)) / 4; };
    return surface_color(mix(16), mix(8), mix(0));
}

}  // namespace

std::vector<SunDay> sun_days_of_year(const GraphFrame& frame, const SkyContext& sky) {
    std::vector<SunDay> days;
    for (int d = 0; d < frame.days; ++d) {
        double day = 0.0;
        int month = 0, year = 0;
        calendar_date(frame.start + d, day, month, year);
        const SunCulminations sun = sun_culminations(*sky.engine, static_cast<int>(day), month, year, sky.location);
        days.push_back(sun_day(sun, sun_rise_set_altitude(*sky.engine, frame.start + d + 0.5)));
    }
    return days;
}

void draw_day_bands(Surface& surface, const GraphStyle& style, const GraphFrame& frame,
                    const std::vector<SunDay>& days) {
    const int column = char_width(surface), row = line_height(surface);
    int legend_x = frame.x0;
    for (const DayBand& band : DAY_BANDS) {
        const SurfaceColor tint = band_tint(style, band);
        bool any = false;
        for (int d = 0; d < frame.days; ++d) {
            if (days[d] != band.kind || (d > 0 && days[d - 1] == band.kind)) continue;
            int last = d;
            while (last + 1 < frame.days && days[last + 1] == band.kind) ++last;
            fill_rect(surface, date_to_x(frame.x0, frame.width, frame.days, frame.start + d, frame.start),
                      frame.y0 + frame.height,
                      date_to_x(frame.x0, frame.width, frame.days, frame.start + last + 1, frame.start), frame.y0,
                      tint, tint);
            any = true;
        }
        if (!any) continue;
        fill_rect(surface, legend_x, 2 * row, legend_x + 2 * column, row, style.colors[STYLE_WINDOW_TEXT],
                  tint);
        const std::string label(load_string(band.label_id));
        surface.draw_text({legend_x + 3 * column, 2 * row}, label);
        legend_x += (5 + static_cast<int>(label.size())) * column;
    }
}


// The planetarium movie (module MOVIES).
#include "movies/planetarium.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "engine/angles.h"
#include "engine/approximate_places.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "graphs/drawing.h"
#include "movies/movie.h"
#include "movies/planetarium_sky.h"
#include "movies/sky_atlas.h"
#include "movies/sky_view.h"
#include "movies/star_catalogue.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

double modulo_360(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    return r < 0.0 ? r + 360.0 : r;
}

}  // namespace

ViewCentre view_centre_of(double ra_hours, double declination) {
    return {modulo_360(180.0 - 15.0 * ra_hours), modulo_360(180.0 + declination)};
}

ViewCentre view_centre_of_vector(const double v[3]) {
    const double horizontal = std::atan2(v[0], -v[2]) * DEGREES_PER_RADIAN;
    const double turned_z = -std::sqrt(v[0] * v[0] + v[2] * v[2]);
    const double vertical = std::atan2(v[1], turned_z) * DEGREES_PER_RADIAN;
    return {modulo_360(horizontal), modulo_360(vertical)};
}

double view_centre_ra_hours(const ViewCentre& centre) {
    return modulo_360(180.0 - centre.horizontal) / 15.0;
}

double view_centre_declination(const ViewCentre& centre) {
    return fold_latitude(centre.vertical - 180.0);
}

ScreenPlace project_direction(const double direction[3], const ViewCentre& centre, double view_angle, int picture) {
    double v[3] = {direction[0], direction[1], direction[2]};
    rotate_vector(sin_deg(centre.vertical), cos_deg(centre.vertical), sin_deg(centre.horizontal),
                  cos_deg(centre.horizontal), v);
    const double half_angle = view_angle / 2.0;
    const double radius = picture / 2.0;
    const double scale = radius * std::sqrt(2.0) / sin_deg(half_angle);
    ScreenPlace place;
    place.in_view = v[2] >= cos_deg(half_angle);
    place.x = static_cast<int>(radius + static_cast<int>(v[0] * scale));
    place.y = static_cast<int>(radius + static_cast<int>(v[1] * scale));
    return place;
}

namespace {

constexpr int CENTRED_STAR = 11;               // body index of the dialog meaning a star
// The stars' apparent places are kept this long (days of simulated time):
// aberration and precession move a star less than 1" a day.
constexpr double STAR_PLACE_DAYS = 1.0;
constexpr double SIDEREAL_PER_SOLAR = 0.041780746218582264;  // sidereal days per solar hour
constexpr double SHADOW_LIGHT_TIME = 0.005775599728083529;   // days; the Sun is seen that much late
constexpr double EARTH_TO_MOON_RADII = 3.6698158803222096;
constexpr double TRUE_SIZE_VIEW_ANGLE = 5.0;   // Sun and Moon drawn to scale only here
constexpr int SUN_MOON_CHARACTERS = 3;         // their radius otherwise, in character widths
// The bodies recomputed in turn on even frames.
constexpr int ROUND_ROBIN[] = {id_of(Body::Sun), id_of(Body::Mercury), id_of(Body::Venus), id_of(Body::Mars), id_of(Body::Jupiter),
                               id_of(Body::Saturn), id_of(Body::Uranus), id_of(Body::Neptune), id_of(Body::Pluto)};

// The body's topocentric place and unit vector, and its drawn radius.
void compute_body(PlanetariumBody& body, int id, JulianDay t, const SkyContext& sky, int picture, int char_w) {
    const SkyEngine& engine = *sky.engine;
    Equatorial place;
    double semidiameter = 0.0;
    if (id == id_of(Body::Sun)) {
        const SunPlace sun = engine.sun_place(t, APPARENT_PLACE);
        place = {sun.ra_hours, sun.dec};
        body.distance = sun.distance_au;
        semidiameter = sun.semidiameter;
    } else if (id == id_of(Body::Moon)) {
        const MoonPlace moon = engine.moon_place(t);
        place = {moon.ra_hours, moon.dec};
        body.parallax = moon.parallax;
        semidiameter = moon.semidiameter;
        body.illuminated = moon.illuminated;
        body.shadow_u = moon.shadow_u;
        // The Sun's direction turns the lit side toward it.
        const SunPlace sun = engine.sun_place(t, APPARENT_PLACE);
        sky_unit_vector(sun.ra_hours, sun.dec, body.sun_direction);
    } else {
        const PlanetPlace planet = engine.planet_place(id, t, PLANET_WITH_EQUATORIAL);
        place = {planet.ra_hours, planet.dec};
        body.distance = planet.distance_au;
        body.illuminated = planet.illuminated;
    }
    const Equatorial seen = engine.topocentric_place(sky.location, id, place, body.distance, body.parallax, t);
    const double ra = seen.ra_hours, dec = seen.dec;
    sky_unit_vector(ra, dec, body.direction);
    body.computed = true;
    if (id > id_of(Body::Moon)) body.radius = char_w / 2.0;
    else if (sky.view_angle == TRUE_SIZE_VIEW_ANGLE)
        body.radius = std::sqrt(2.0) * tan_deg(semidiameter) * (picture / 2.0) / tan_deg(sky.view_angle / 2.0);
    else body.radius = SUN_MOON_CHARACTERS * char_w;
    body.drawn_radius = round_to_int(body.radius);
}

// Whether a body's place is recomputed on this frame: one body per frame
// (the Moon on odd frames, the others in turn on even ones), all on frame 0,
// the centred one while it is tracked, and with turbo the planets of the
// frame's parity.
bool body_due(int id, std::uint32_t frame, BodySet view_set, int centred, int tracking, bool turbo) {
    if (id == centred && tracking != TRACKING_OFF) return true;
    if (!view_set.contains(id)) return false;
    if (frame == 0) return true;
    if (turbo && PLANETS.contains(id) && id % 2 == static_cast<int>(frame % 2)) return true;
    if (id == id_of(Body::Moon)) return frame % 2 == 1;
    return frame % 2 == 0 && ROUND_ROBIN[(frame / 2) % std::size(ROUND_ROBIN)] == id;
}

void compute_star(const SkyEngine& engine, StarRecord& star, JulianDay t) {
    const Equatorial place = engine.star_place(2000, {star.ra_hours, star.dec_degrees}, t);
    sky_unit_vector(place.ra_hours, place.dec, star.direction);
}

// Every star's apparent place at t, when the stored ones are from frame 0's
// reset or more than STAR_PLACE_DAYS away.
void refresh_stars(const SkyEngine& engine, StarCatalogue& catalogue, PlanetariumState& state, JulianDay t,
                   bool first_frame) {
    if (!first_frame && std::fabs(t - state.stars_time) < STAR_PLACE_DAYS) return;
    for (StarRecord& star : catalogue.stars) compute_star(engine, star, t);
    state.stars_time = t;
}

// Places every star for this frame's view: visible when in view and within
// the picture.
void place_stars(StarCatalogue& catalogue, const SkyView& view) {
    for (StarRecord& star : catalogue.stars) {
        const ScreenPlace place = project_on_view(view, star.direction);
        star.screen_x = place.x;
        star.screen_y = place.y;
        star.visible = place.in_view && place.x >= 0 && place.x <= view.picture && place.y >= 0 &&
                       place.y <= view.picture;
    }
}

// The Earth's shadow at the Moon's distance: its centre opposite the Sun (as
// seen a light-time earlier) and the penumbra and umbra radii; shown when it
// touches the Moon's disc.
void update_shadow(PlanetariumState& state, JulianDay t, const SkyContext& sky, const SkyView& view) {
    const PlanetariumBody& moon = state.bodies[id_of(Body::Moon)];
    state.shadow_shown = false;
    const SunPlace sun = sky.engine->sun_place(t - SHADOW_LIGHT_TIME, APPARENT_PLACE);
    const Equatorial antisolar = {normalize_degrees(15.0 * sun.ra_hours + 180.0) / 15.0, -sun.dec};
    const Equatorial centre =
        sky.engine->topocentric_place(sky.location, id_of(Body::Moon), antisolar, 0.0, moon.parallax, t);
    const double ra = centre.ra_hours, dec = centre.dec;
    sky_unit_vector(ra, dec, state.shadow.direction);
    const ScreenPlace place = project_on_view(view, state.shadow.direction);
    if (!place.in_view) return;
    state.shadow.x = place.x;
    state.shadow.y = place.y;
    state.shadow.drawn_radius = round_to_int(std::fabs(moon.shadow_u + 1.2847) * EARTH_TO_MOON_RADII * moon.radius);
    state.umbra_radius = round_to_int(std::fabs(0.7404 - moon.shadow_u) * EARTH_TO_MOON_RADII * moon.radius);
    state.shadow_shown = planar_distance(place.x, place.y, moon.x, moon.y) <= state.shadow.drawn_radius + moon.radius;
}

// Mercury or Venus in front of the Sun: close to its centre and nearly new.
bool in_transit(const PlanetariumState& state, int id, BodySet view_set) {
    const PlanetariumBody& sun = state.bodies[id_of(Body::Sun)];
    const PlanetariumBody& planet = state.bodies[id];
    return view_set.contains(id) && view_set.contains(Body::Sun) && sun.visible && planet.visible &&
           planar_distance(planet.x, planet.y, sun.x, sun.y) <= 2.0 * sun.radius && planet.illuminated < 0.5;
}

// Where a planet's name goes: up and to the right of its disc (the centre
// of the text at (x + c, y + h)), or, when that would touch the Sun's disc,
// pushed straight away from the Sun's centre until it is clear of it.
SurfacePoint label_centre(Surface& frame, const PlanetariumBody& planet, const PlanetariumBody& sun,
                          bool sun_shown, int id) {
    const int c = char_width(frame), h = line_height(frame);
    const std::string_view name = load_string(STR_FIRST_BODY_NAME + id);
    const double half_width = text_width(frame, name) / 2.0, half_height = text_height(frame, name) / 2.0;
    double x = planet.x + c, y = planet.y + h;
    if (!sun_shown) return {static_cast<int>(x), static_cast<int>(y)};
    double dx = planet.x - sun.x, dy = planet.y - sun.y;
    const double length = std::hypot(dx, dy);
    if (length < 1.0) dx = 0.0, dy = 1.0;
    else dx /= length, dy /= length;
    // The nearest point of the label's box to the Sun's centre must lie outside the disc.
    auto touches = [&] {
        const double nx = std::clamp<double>(sun.x, x - half_width, x + half_width);
        const double ny = std::clamp<double>(sun.y, y - half_height, y + half_height);
        return std::hypot(nx - sun.x, ny - sun.y) <= sun.radius + 1.0;
    };
    for (int step = 0; step < 200 && touches(); ++step) {
        x += dx * c / 2.0;
        y += dy * c / 2.0;
    }
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

// pluto_starred: Pluto's label reads "Pluto*" (its place is approximate).
void draw_planetarium(Surface& frame, Surface* trails, const GraphStyle& style, const MovieState& movie,
                      const SkyView& view, double view_altitude, bool pluto_starred) {
    const PlanetariumState& state = movie.planetarium;
    const BodySet view_set = movie.params.planetarium_view_set;
    const bool label = movie.params.label_planets != 0;
    const bool stars = view_set.contains(Body::Stars);
    if (movie.constellations && movie.atlas) draw_constellations(frame, style, *movie.atlas, state, view);
    if (stars && movie.params.atlas_stars && movie.atlas) {
        draw_atlas_stars(frame, style, *movie.atlas, state, movie.star_names, trails);
    } else if (stars && movie.catalogue) {
        for (const StarRecord& star : movie.catalogue->stars) {
            if (!star.visible) continue;
            draw_star(frame, style, star.screen_x, star.screen_y, star.radius);
            if (trails) draw_star(*trails, style, star.screen_x, star.screen_y, star.radius);
        }
    }
    auto draw = [&](int id) {
        const PlanetariumBody& body = state.bodies[id];
        draw_body(frame, style, id, body.x, body.y, body.drawn_radius, false, trails);
    };
    auto shown = [&](int id) { return view_set.contains(id) && state.bodies[id].visible; };
    for (int id = id_of(Body::Pluto); id >= id_of(Body::Mercury); --id)
        if (shown(id)) draw(id);
    const PlanetariumBody& sun = state.bodies[id_of(Body::Sun)];
    if (shown(id_of(Body::Sun))) draw(id_of(Body::Sun));
    for (int id : {id_of(Body::Mercury), id_of(Body::Venus)})
        if (in_transit(state, id, view_set)) draw(id);
    if (shown(id_of(Body::Moon))) {
        const PlanetariumBody& moon = state.bodies[id_of(Body::Moon)];
        draw_moon(frame, style, moon.x, moon.y, moon.drawn_radius, moon.illuminated, moon.bright_limb, trails);
        if (state.shadow_shown) {
            draw_body(frame, style, STYLE_PENUMBRA, state.shadow.x, state.shadow.y, state.shadow.drawn_radius,
                      false, nullptr);
            draw_body(frame, style, STYLE_UMBRA, state.shadow.x, state.shadow.y, state.umbra_radius, false, nullptr);
        }
    }
    // The ground over whatever reaches below the horizon (a setting Sun's disc).
    if (view.horizon) {
        draw_ground(frame, style, view, view_altitude);
        draw_compass_points(frame, style, view);
    }
    // The planets' names last, clear of the Sun's disc, so that nothing hides them.
    if (!label) return;
    for (int id = id_of(Body::Pluto); id >= id_of(Body::Mercury); --id) {
        if (!shown(id)) continue;
        const SurfacePoint at = label_centre(frame, state.bodies[id], sun, shown(id_of(Body::Sun)), id);
        draw_body_name(frame, id, at.x, at.y, pluto_starred && id == id_of(Body::Pluto));
    }
}

}  // namespace

int pan_view(SkyContext& sky, ScrollBarKind bar, ScrollCode code, int thumb) {
    constexpr int THUMB_CENTRE = 180;
    const double step = sky.view_angle / 8.0;
    double north_or_west = 0.0;  // v grows to the north, h to the west
    switch (code) {
    case SCROLL_LINE_UP: north_or_west = step; break;
    case SCROLL_LINE_DOWN: north_or_west = -step; break;
    case SCROLL_PAGE_UP: north_or_west = 2.0 * step; break;
    case SCROLL_PAGE_DOWN: north_or_west = -2.0 * step; break;
    case SCROLL_THUMB_POSITION: north_or_west = THUMB_CENTRE - thumb; break;
    default: return -1;
    }
    if (sky.horizon_view && bar == SCROLL_VERTICAL)
        sky.view_altitude = std::clamp(sky.view_altitude + north_or_west, 0.0, 90.0);
    else if (sky.horizon_view)
        sky.view_azimuth = normalize_degrees(sky.view_azimuth - north_or_west);
    else if (bar == SCROLL_VERTICAL)
        sky.view_vertical += north_or_west;
    else
        sky.view_horizontal -= north_or_west;
    return THUMB_CENTRE;
}

void planetarium_frame(Surface& window, int width, int height, MovieState& movie, SkyContext& sky,
                       const GraphStyle& style, std::uint32_t frame) {
    PlanetariumState& state = movie.planetarium;
    const MovieParams& params = movie.params;
    if (!movie.drawing_copy) {
        const JulianDay clock = movie_clock_now(movie);
        if (frame == 0)
            movie.time = movie.start_time = dialog_start_time(movie, sky.location);
        else
            movie.time = step_clock_time(movie.time, clock, movie.clock_previous, sky.time_speed, sky.turbo != 0);
        movie.clock_previous = clock;
    }

    Surface& buffer = begin_frame(window, width, height, MOVIE_PLANETARIUM, movie, style);
    const int picture = picture_size(buffer);
    const BodySet view_set = params.planetarium_view_set;
    const int centred = params.planetarium_body;
    for (int id = id_of(Body::Sun); id < PLANETARIUM_BODIES; ++id)
        if (id != id_of(Body::Earth) && body_due(id, frame, view_set, centred, state.tracking, sky.turbo != 0))
            compute_body(state.bodies[id], id, movie.time, sky, picture, char_width(buffer));

    // The view centre: on the tracked body, or where the scroll bars left it,
    // turned with the sky since the start so that it stays on the observer's sky.
    ViewCentre centre{sky.view_horizontal, sky.view_vertical};
    StarRecord* centred_star = nullptr;
    if (centred == CENTRED_STAR && movie.catalogue && params.planetarium_star >= 0 &&
        params.planetarium_star < static_cast<int>(movie.catalogue->stars.size()))
        centred_star = &movie.catalogue->stars[params.planetarium_star];
    if (state.tracking != TRACKING_OFF) {
        const double* direction = state.bodies[centred < PLANETARIUM_BODIES ? centred : id_of(Body::Sun)].direction;
        if (centred_star) {
            compute_star(*sky.engine, *centred_star, movie.time);
            direction = centred_star->direction;
        }
        centre = view_centre_of_vector(direction);
        sky.view_horizontal = centre.horizontal;
        sky.view_vertical = centre.vertical;
    } else {
        centre.horizontal -= (movie.time - movie.start_time) * 24.0 * SIDEREAL_PER_SOLAR * 360.0;
    }

    SkyView view = equatorial_view(centre, sky.view_angle, picture);
    if (sky.horizon_view) {
        const double gst = sky.engine->sidereal_time(movie.time);
        view = horizon_view(15.0 * gst_to_lst(gst, sky.location), signed_latitude(sky.location), sky.view_azimuth,
                            sky.view_altitude, sky.view_angle, picture);
    }

    for (int id = id_of(Body::Sun); id < PLANETARIUM_BODIES; ++id) {
        PlanetariumBody& body = state.bodies[id];
        if (id == id_of(Body::Earth) || !view_set.contains(id) || !body.computed) continue;
        const ScreenPlace place = project_on_view(view, body.direction);
        body.x = place.x;
        body.y = place.y;
        body.visible = place.in_view;
        if (id == id_of(Body::Moon)) body.bright_limb = screen_direction_toward(view, body.direction, body.sun_direction);
    }
    const bool atlas_due = movie.atlas && (params.atlas_stars || movie.constellations);
    if (view_set.contains(Body::Stars) && movie.catalogue) {
        refresh_stars(*sky.engine, *movie.catalogue, state, movie.time, frame == 0);
        place_stars(*movie.catalogue, view);
    }
    if (atlas_due) {
        if (frame == 0 || state.figure_points.empty() || std::fabs(movie.time - state.atlas_time) >= STAR_PLACE_DAYS) {
            refresh_atlas(*sky.engine, *movie.atlas, params.atlas_stars ? params.magnitude_limit : -99.0, movie.time,
                          state);
            state.atlas_time = movie.time;
        }
        place_atlas(state, view);
    }
    state.shadow_shown = false;
    if (view_set.contains(Body::Moon) && state.bodies[id_of(Body::Moon)].illuminated > 0.75)
        update_shadow(state, movie.time, sky, view);

    StatusPanel panel = movie_panel(MOVIE_PLANETARIUM, movie);
    panel.tracking = state.tracking == TRACKING_ON;
    // Pluto shown, or the chosen body, at a place its series does not hold for.
    const BodySet placed = centred < PLANETARIUM_BODIES ? view_set.with(centred) : view_set;
    panel.pluto_approximate = pluto_approximate(*sky.engine, placed, movie.time, movie.time);
    panel.ra_hours = view_centre_ra_hours(centre);
    panel.declination = view_centre_declination(centre);
    panel.horizon_view = view.horizon;
    if (view.horizon) {
        double direction[3];
        direction_of_horizontal(view, sky.view_altitude, sky.view_azimuth, direction);
        panel.ra_hours = normalize_degrees(std::atan2(direction[0], direction[2]) * DEGREES_PER_RADIAN) / 15.0;
        panel.declination = std::asin(std::clamp(-direction[1], -1.0, 1.0)) * DEGREES_PER_RADIAN;
    }
    draw_status_panel(buffer, style, panel, sky);
    outline_and_clip_picture(buffer, style);
    draw_planetarium(buffer, movie.jet_trails ? movie.trails.get() : nullptr, style, movie, view, sky.view_altitude,
                     panel.pluto_approximate);
    end_frame(window, buffer);
    if (state.tracking == TRACKING_START) state.tracking = TRACKING_OFF;
}

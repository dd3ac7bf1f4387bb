// The planetarium's horizon view and deeper sky: the altitude and azimuth of
// known stars against PyEphem, the second catalogue's count and brightest
// members against the Hipparcos values, the ground and the objects hidden
// below it, and the Moon's lit side as seen from either hemisphere.
#include "movies/sky_view.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <memory>
#include <string>

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/sky_engine.h"
#include "movies/movie.h"
#include "movies/sky_atlas.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"

namespace {

Location place(double latitude, double longitude, double time_zone) {
    Location l;
    l.latitude = std::fabs(latitude);
    l.latitude_hemisphere = latitude < 0 ? COMPASS_SOUTH : COMPASS_NORTH;
    l.longitude = std::fabs(longitude);
    l.longitude_hemisphere = longitude < 0 ? COMPASS_WEST : COMPASS_EAST;
    l.time_zone = time_zone;
    return l;
}

// Greenwich and Sydney as CITIES.DAT has them.
const Location GREENWICH = place(51 + 28 / 60.0 + 40 / 3600.0, -5 / 3600.0, 0.0);
const Location SYDNEY = place(-(33 + 52 / 60.0 + 4 / 3600.0), 151 + 12 / 60.0 + 26 / 3600.0, 10.0);

const SkyAtlas& atlas() {
    static const std::unique_ptr<SkyAtlas> loaded =
        load_sky_atlas_files(SKYLOOM_SOURCE_DIR "/data/STARS6.DAT", SKYLOOM_SOURCE_DIR "/data/CONSTEL.DAT");
    EXPECT_NE(loaded, nullptr);
    static SkyAtlas empty;
    return loaded ? *loaded : empty;
}

const AtlasStar* star_named(const std::string& name) {
    for (const AtlasStar& star : atlas().stars)
        if (star.name == name) return &star;
    return nullptr;
}

// The count and the brightest stars: Hipparcos (ESA 1997) V magnitudes and
// J2000 places, HIP numbers from the catalogue; the count is that of the
// d3-celestial file to 6.0 (the Bright Star Catalogue holds about 5 000 to 6.0).
TEST(SkyAtlas, CountAndBrightestMembers) {
    EXPECT_EQ(atlas().stars.size(), 5044u);
    EXPECT_EQ(atlas().constellations.size(), 88u);
    struct Bright { int hip; const char* name; double magnitude, ra_hours, dec; };
    const Bright brightest[] = {
        {32349, "Sirius", -1.44, 6 + 45 / 60.0 + 8.92 / 3600, -(16 + 42 / 60.0 + 58.0 / 3600)},
        {30438, "Canopus", -0.62, 6 + 23 / 60.0 + 57.1 / 3600, -(52 + 41 / 60.0 + 44.4 / 3600)},
        {69673, "Arcturus", -0.05, 14 + 15 / 60.0 + 39.7 / 3600, 19 + 10 / 60.0 + 56.7 / 3600},
    };
    for (int i = 0; i < 3; ++i) {
        const AtlasStar& star = atlas().stars[static_cast<std::size_t>(i)];
        EXPECT_EQ(star.hipparcos, brightest[i].hip);
        EXPECT_EQ(star.name, brightest[i].name);
        EXPECT_NEAR(star.magnitude, brightest[i].magnitude, 0.005);
        EXPECT_NEAR(star.place.ra_hours, brightest[i].ra_hours, 0.5 / 3600) << star.name;
        EXPECT_NEAR(star.place.dec_degrees, brightest[i].dec, 5.0 / 3600) << star.name;
    }
    for (const AtlasStar& star : atlas().stars) EXPECT_LE(star.magnitude, 6.0);
    EXPECT_GT(atlas().stars.back().magnitude, 5.9);
    // Orion's figure joins Betelgeuse (RA 5h55m10s, Dec +7 24').
    bool betelgeuse_in_orion = false;
    for (const Constellation& c : atlas().constellations)
        for (const auto& line : c.figure)
            for (const SkyPoint& p : line)
                betelgeuse_in_orion |= c.name == "Orion" && std::fabs(p.ra_hours - 5.9195) < 0.001 &&
                                       std::fabs(p.dec_degrees - 7.407) < 0.01;
    EXPECT_TRUE(betelgeuse_in_orion);
    EXPECT_EQ(load_sky_atlas_files(SKYLOOM_SOURCE_DIR "/data/STARS6.DAT", "/no/such/CONSTEL.DAT"), nullptr);
}

// Altitude and azimuth of bright stars, against PyEphem 4.1.4 (Debian
// python3-ephem): apparent places of date, no refraction (pressure 0).
TEST(HorizonView, StarPlacesAgainstPyEphem) {
    struct Case { const Location* where; int day, hour; const char* star; double altitude, azimuth; };
    const Case cases[] = {
        {&GREENWICH, 15, 21, "Sirius", 16.5179, 148.7851},   {&GREENWICH, 15, 21, "Betelgeuse", 43.2744, 153.9229},
        {&GREENWICH, 15, 21, "Rigel", 29.8882, 170.1352},    {&GREENWICH, 15, 21, "Vega", 3.8016, 337.6583},
        {&GREENWICH, 15, 21, "Polaris", 52.0449, 359.5939},  {&GREENWICH, 15, 21, "Aldebaran", 55.0767, 181.6128},
        {&SYDNEY, 15, 11, "Sirius", 57.7780, 65.5533},       {&SYDNEY, 15, 11, "Canopus", 64.0547, 144.1519},
        {&SYDNEY, 15, 11, "Achernar", 51.1359, 218.8460},    {&SYDNEY, 15, 11, "Polaris", -33.3033, 359.6917},
    };
    double worst = 0.0;
    for (const Case& c : cases) {
        const AtlasStar* star = star_named(c.star);
        ASSERT_NE(star, nullptr) << c.star;
        const JulianDay t = julian_day(c.day, 1, 2026) + c.hour / 24.0;
        double direction[3];
        const Equatorial seen = CLASSICAL_ENGINE.star_place(2000, {star->place.ra_hours, star->place.dec_degrees}, t);
        sky_unit_vector(seen.ra_hours, seen.dec, direction);
        const double gst = CLASSICAL_ENGINE.sidereal_time(t);
        const SkyView view =
            horizon_view(15.0 * gst_to_lst(gst, *c.where), signed_latitude(*c.where), 180.0, 30.0, 90.0, 750);
        const HorizontalPlace got = horizontal_place(view, direction);
        const double azimuth_error = std::remainder(got.azimuth - c.azimuth, 360.0) * cos_deg(c.altitude);
        EXPECT_NEAR(got.altitude, c.altitude, 0.02) << c.star;
        EXPECT_NEAR(azimuth_error, 0.0, 0.02) << c.star;
        worst = std::fmax(worst, std::fmax(std::fabs(got.altitude - c.altitude), std::fabs(azimuth_error)));
        // And back: the horizontal direction is the same sky direction.
        double back[3];
        direction_of_horizontal(view, got.altitude, got.azimuth, back);
        EXPECT_NEAR(dot3(back, direction), 1.0, 1e-12) << c.star;
    }
    std::printf("worst altitude or azimuth difference from PyEphem: %.4f degrees\n", worst);
}

// The view's centre lands on the picture's centre, the zenith straight above
// it; the horizon facing S crosses the vertical through the centre
// tan(15 deg) / tan(22.5 deg) of the half-side below it (stereographic
// projection: 30 degrees below the centre with 45 degrees to the edge).
TEST(HorizonView, CentreZenithAndHorizon) {
    const SkyView view = horizon_view(77.0, 51.5, 180.0, 30.0, 90.0, 750);
    double centre[3], zenith[3], south[3];
    direction_of_horizontal(view, 30.0, 180.0, centre);
    direction_of_horizontal(view, 90.0, 0.0, zenith);
    direction_of_horizontal(view, 0.0, 180.0, south);
    const PicturePoint c = picture_point(view, centre), z = picture_point(view, zenith), s = picture_point(view, south);
    EXPECT_NEAR(c.x, 375.0, 1e-9);
    EXPECT_NEAR(c.y, 375.0, 1e-9);
    EXPECT_NEAR(z.x, 375.0, 1e-9);
    EXPECT_GT(z.y, 375.0);
    EXPECT_NEAR(s.x, 375.0, 1e-9);
    EXPECT_NEAR(s.y, 375.0 - 375.0 * std::tan(15.0 * M_PI / 180) / std::tan(22.5 * M_PI / 180), 1e-9);
    const HorizonCircle horizon = horizon_circle(view, 30.0);
    EXPECT_NEAR(std::hypot(s.x - horizon.x, s.y - horizon.y), horizon.radius, 1e-6);
}

struct Frame {
    MovieState movie;
    std::unique_ptr<Surface> image;
};

// The first frame of the horizon view at a place and UT instant.
std::unique_ptr<Frame> horizon_frame(const Location& where, int day, int hour, double azimuth, double altitude) {
    ensure_gui_session();
    auto frame = std::make_unique<Frame>();
    MovieParams params;
    params.day = day, params.month = 1, params.year = 2026, params.hour = hour;
    params.atlas_stars = true;
    start_movie(frame->movie, MOVIE_PLANETARIUM, params, nullptr);
    frame->movie.atlas = &atlas();
    frame->movie.constellations = true;
    frame->movie.seconds_per_tick = 0.25;
    SkyContext sky(where);
    sky.location.time_zone = 0.0;  // the hour is UT
    sky.view_angle = 90.0;
    sky.time_speed = 1;
    sky.horizon_view = true;
    sky.view_azimuth = azimuth;
    sky.view_altitude = altitude;
    frame->image = make_image_surface(1000, 750);
    draw_movie_frame(*frame->image, 1000, 750, frame->movie, sky, GraphStyle{}, 0);
    return frame;
}

bool visible(const Frame& frame, const char* name) {
    const AtlasStar* star = star_named(name);
    return star && frame.movie.planetarium.atlas_stars[static_cast<std::size_t>(star - atlas().stars.data())].visible;
}

// Facing north from Sydney Polaris is 33 degrees below the horizon: hidden,
// with the ground in its colour across the bottom of the picture and the sky
// above; from Greenwich it is 52 degrees up and shown.
TEST(HorizonView, GroundAndObjectsBelowItHidden) {
    const auto sydney = horizon_frame(SYDNEY, 15, 11, 0.0, 10.0);
    EXPECT_FALSE(visible(*sydney, "Polaris"));
    const QImage& pixels = *surface_image(*sydney->image);
    const GraphStyle style;
    EXPECT_EQ(pixels.pixel(375, 740) & 0xFFFFFF, style.ground);
    EXPECT_EQ(pixels.pixel(20, 740) & 0xFFFFFF, style.ground);
    EXPECT_NE(pixels.pixel(375, 20) & 0xFFFFFF, style.ground);
    const auto greenwich = horizon_frame(GREENWICH, 15, 21, 0.0, 30.0);
    EXPECT_TRUE(visible(*greenwich, "Polaris"));
    EXPECT_FALSE(visible(*greenwich, "Sirius")) << "behind the observer, low in the south";
    int stars = 0;
    for (const PlacedPoint& point : greenwich->movie.planetarium.atlas_stars) stars += point.visible;
    EXPECT_GT(stars, 300);
}

// A waxing Moon is lit on its west side, toward the set Sun: from Sydney,
// facing north-west, that is to the left; from Greenwich, facing south, to
// the right (PyEphem: Sydney 2026-01-26 10:00 UT Moon at altitude 28,
// azimuth 325, Sun at azimuth 238; Greenwich 18:00 UT Moon 58, 173, Sun 256).
TEST(HorizonView, MoonLitTowardTheSunInEitherHemisphere) {
    const auto sydney = horizon_frame(SYDNEY, 26, 10, 315.0, 30.0);
    const PlanetariumBody& moon_south = sydney->movie.planetarium.bodies[id_of(Body::Moon)];
    EXPECT_TRUE(moon_south.visible);
    EXPECT_LT(cos_deg(moon_south.bright_limb), -0.5) << moon_south.bright_limb;
    const auto greenwich = horizon_frame(GREENWICH, 26, 18, 180.0, 45.0);
    const PlanetariumBody& moon_north = greenwich->movie.planetarium.bodies[id_of(Body::Moon)];
    EXPECT_TRUE(moon_north.visible);
    EXPECT_GT(cos_deg(moon_north.bright_limb), 0.5) << moon_north.bright_limb;
}

}  // namespace

#include "qt_test_main.h"

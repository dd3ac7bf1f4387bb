// The day/night movie: time steps, the subsolar column, the daylight band
// table against the spherical-astronomy day length, and whole frames on a
// recording surface and on a headless toolkit image.
#include "movies/day_night.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <filesystem>
#include <string>

#include "engine/angles.h"
#include "engine/classical/sun.h"
#include "movie_test_support.h"
#include "platform/files.h"

namespace {

constexpr double OBLIQUITY = 23.44;  // degrees, the solstices' declination

// Latitude (degrees) at the middle of the band drawn for entry i: the bands
// are 750/175 logical units apart from the top (90 N) down.
double band_latitude(int i) { return 90.0 - (i + 0.5) * 180.0 / DAYLIGHT_BANDS; }

// The sunlit half-width of a latitude in degrees of longitude, from the hour
// angle of sunrise: cos H0 = -tan(latitude) tan(declination) (spherical
// astronomy, e.g. Meeus, Astronomical Algorithms, eq. 15.1 without refraction).
double sunrise_hour_angle(double latitude, double declination) {
    const double c = -tan_deg(latitude) * tan_deg(declination);
    return c <= -1.0 ? 180.0 : c >= 1.0 ? 0.0 : acos_deg(c);
}

// Each step of the speed scale from 2023 January 31, 6 h UT; months carry over.
TEST(DayNightTime, SpeedSteps) {
    const JulianDay t = julian_day(31.25, 1, 2023);
    struct Case { int speed; JulianDay expected; const char* what; };
    const Case cases[] = {
        {DN_REAL_TIME, t + 0.002, "real time: the clock's progress"},
        {DN_ONE_HOUR, t + 1.0 / 24.0, "1 hour"},
        {DN_ONE_DAY, t + 1.0, "1 day"},
        {DN_ONE_WEEK, t + 7.0, "1 week"},
        // February has no 31st: the calendar carries it into March 3 (2023 is no leap year).
        {DN_ONE_MONTH, julian_day(3.25, 3, 2023), "1 month from January 31"},
        {DN_PAUSED, t, "paused"},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(day_night_step(t, c.speed, 2460000.502, 2460000.5), c.expected, 1e-9) << c.what;
    // In a leap year January 31 goes to March 2; December runs into the next year.
    EXPECT_NEAR(day_night_step(julian_day(31.5, 1, 2024), DN_ONE_MONTH, 0, 0), julian_day(2.5, 3, 2024), 1e-9);
    EXPECT_NEAR(day_night_step(julian_day(15.75, 12, 1999), DN_ONE_MONTH, 0, 0), julian_day(15.75, 1, 2000), 1e-9);
}

// At 12 h UT the Sun is within the equation of time (4.1 degrees) of Greenwich, column 160.5 of 321.
TEST(DayNightTime, SubsolarColumnAtGreenwichNoon) {
    EXPECT_DOUBLE_EQ(subsolar_column(5.0, 5.0), 180.0 * 321.0 / 360.0);
    EXPECT_NEAR(subsolar_column(0.0, 6.0), 90.0 * 321.0 / 360.0, 1e-9);  // Sun 90 degrees west of Greenwich
    const int dates[][3] = {{20, 3, 2024}, {21, 6, 2024}, {3, 11, 2024}, {11, 2, 2025}, {1, 1, 1900}};
    for (const auto& d : dates) {
        double ra = 0.0, dec = 0.0, longitude = 0.0, distance = 0.0, semidiameter = 0.0, anomaly = 0.0;
        sun_position(12.0, d[0], d[1], d[2], 1, ra, dec, longitude, distance, semidiameter, anomaly);
        const double column = subsolar_column(ra, ut_to_gst(12.0, d[0], d[1], d[2]));
        EXPECT_NEAR(column, 160.5, 4.2 * 321.0 / 360.0) << d[0] << "/" << d[1] << "/" << d[2];
    }
}

// Equinox: every latitude lit 90 degrees either side (80 columns); the cap rule fills the top three.
TEST(DayNightBands, EquinoxTerminatorThroughThePoles) {
    int bands[DAYLIGHT_BANDS];
    daylight_bands(0.0, bands);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bands[i], DAYLIGHT_FULL_WIDTH) << "entry " << i;
    for (int i = 3; i < DAYLIGHT_BANDS; ++i) EXPECT_NEAR(bands[i], 80, 1) << "entry " << i;
}

// Solstices: half-widths against the sunrise hour angle; midnight sun and polar night beyond the circles.
TEST(DayNightBands, SolsticesAgainstSunriseHourAngle) {
    struct Case { double declination; const char* season; };
    const Case seasons[] = {{OBLIQUITY, "June"}, {360.0 - OBLIQUITY, "December (declination kept in 0..360)"}};
    for (const Case& s : seasons) {
        int bands[DAYLIGHT_BANDS];
        daylight_bands(s.declination, bands);
        const double declination = fold_latitude(s.declination);
        for (int i = 0; i < DAYLIGHT_BANDS; ++i) {
            const double latitude = band_latitude(i);
            const double summer_side = latitude * declination;  // > 0: the hemisphere turned to the Sun
            if (std::fabs(latitude) > 90.0 - OBLIQUITY + 1.5) {
                if (summer_side > 0.0) EXPECT_EQ(bands[i], DAYLIGHT_FULL_WIDTH) << s.season << " entry " << i;
                else EXPECT_EQ(bands[i], DAYLIGHT_NONE) << s.season << " entry " << i;
                continue;
            }
            if (std::fabs(latitude) > 60.0) continue;  // the half-width changes too fast near the circles
            // Allowed: two columns of truncation, plus the change of the
            // half-width over one band's step in latitude.
            const double step = 180.0 / DAYLIGHT_BANDS;
            const double expected = sunrise_hour_angle(latitude, declination) * 321.0 / 360.0;
            const double tolerance = 2.0 + std::fabs(sunrise_hour_angle(latitude + step, declination) -
                                                     sunrise_hour_angle(latitude - step, declination)) / 2.0;
            EXPECT_NEAR(bands[i], expected, tolerance) << s.season << " entry " << i << " latitude " << latitude;
        }
    }
}

// The map is stretched once (again on resize); frames combine it by xor and reach the window inverted.
TEST(DayNightFrame, RecordedFrames) {
    set_data_folder(std::string(SKYLOOM_SOURCE_DIR) + "/data");
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", 1000, 750);
    MovieState movie = start_test_movie(MOVIE_DAY_NIGHT, movie_params(31, 1, 2023, 6));
    SkyContext sky;
    sky.speed_index = DN_ONE_MONTH;
    for (std::uint32_t frame = 0; frame < 3; ++frame)
        day_night_frame(*window, 1000, 750, movie, sky, GraphStyle{}, frame);
    EXPECT_NEAR(movie.time, julian_day(3.25, 4, 2023), 1e-9);  // January 31 -> March 3 -> April 3
    // image1 the map, image2 its source file, image3 the frame buffer.
    EXPECT_EQ(count_lines(log, "image1: image image2 0,0 1000,750"), 1);
    EXPECT_EQ(count_lines(log, "image3: copy_from image1 xor"), 3);
    EXPECT_EQ(count_lines(log, "window: copy_from image3 inverted"), 3);
    EXPECT_EQ(count_lines(log, "window: copy_from image3 source"), 0);
    EXPECT_EQ(count_lines(log, "image3: text 8,32 \"Day/Night\""), 3);
    EXPECT_EQ(count_lines(log, "image3: text 8,16 \"Date: 03/03/2023  Time:  6:00  Time Speed: 1 Month\""), 1);
    EXPECT_EQ(count_lines(log, "image3: text 8,16 \"Date: 04/03/2023  Time:  6:00  Time Speed: 1 Month\""), 1);
    sky.speed_index = DN_PAUSED;
    day_night_frame(*window, 1000, 750, movie, sky, GraphStyle{}, 3);
    EXPECT_NEAR(movie.time, julian_day(3.25, 4, 2023), 1e-9);
    EXPECT_EQ(count_lines(log, "image3: text 8,16 \"Date: 04/03/2023  Time:  6:00  Time Speed: Paused\""), 1);
    auto wide = make_recording_surface(log, "wide", 1200, 900);
    day_night_frame(*wide, 1200, 900, movie, sky, GraphStyle{}, 4);
    EXPECT_EQ(log.images_made, 6);  // a new map, its source and a new frame buffer
    set_data_folder("");
}

// June solstice rendered headless: 80 N lit, 80 S dark, the subsolar point lit (white), 140 degrees away dark.
TEST(DayNightFrame, JuneSolsticeToPngHeadless) {
    set_data_folder(std::string(SKYLOOM_SOURCE_DIR) + "/data");
    MovieState movie = start_test_movie(MOVIE_DAY_NIGHT, movie_params(21, 6, 2024, 12));
    SkyContext sky;
    sky.speed_index = DN_ONE_HOUR;
    auto image = render_frames_to_png(movie, sky, 3, GraphStyle{}, 1000, 750);
    // Now 14 h UT: the Sun stands 30 degrees west of Greenwich at 23.4 N.
    const QImage* pixels = surface_image(*image);
    ASSERT_NE(pixels, nullptr);
    auto lit = [&](int x, int y) { return (pixels->pixel(x, y) & 0xFF) > 127; };
    auto lit_share = [&](int top_row, int bottom_row) {
        int count = 0, total = 0;
        for (int y = top_row; y < bottom_row; ++y)
            for (int x = 0; x < 1000; x += 5, ++total) count += lit(x, y);
        return static_cast<double>(count) / total;
    };
    EXPECT_GT(lit_share(10, 40), 0.9) << "north of 80 N";
    EXPECT_LT(lit_share(715, 740), 0.1) << "south of 80 S";
    const int sun_x = static_cast<int>((150.0 / 360.0) * 1000), sun_y = static_cast<int>((90.0 - 23.4) / 180.0 * 750);
    EXPECT_TRUE(lit(sun_x, sun_y)) << "subsolar point";
    EXPECT_FALSE(lit(static_cast<int>(10.0 / 360.0 * 1000), 375)) << "170 W on the equator, 140 degrees from the Sun";
    set_data_folder("");
}

// The status lines over the map: the bottom-left corner where they stand
// (Antarctica's coast runs through it) comes out the same with the world map
// and with a blank one, so no coastline crosses the text.
TEST(DayNightFrame, StatusLinesClearOfTheCoastlines) {
    auto corner = [](const std::string& folder) {
        set_data_folder(folder);
        MovieState movie = start_test_movie(MOVIE_DAY_NIGHT, movie_params(21, 12, 2024, 12));
        SkyContext sky;
        auto image = render_frames_to_png(movie, sky, 1, GraphStyle{}, 1000, 750);
        set_data_folder("");
        const int lines = 2 * line_height(*image);  // one pixel a unit at this size
        return surface_image(*image)->copy(0, 750 - lines, 200, lines);
    };
    const QTemporaryDir blank_folder;  // its own folder: concurrent runs do not meet
    ASSERT_TRUE(blank_folder.isValid());
    const std::filesystem::path blank = blank_folder.path().toStdString();
    QImage map(640, 350, QImage::Format_Mono);
    map.fill(0);
    ASSERT_TRUE(map.save(QString::fromStdString((blank / "WORLDMAP.PNG").string())));
    const QImage with_map = corner(std::string(SKYLOOM_SOURCE_DIR) + "/data");
    const QImage without = corner(blank.string());
    ASSERT_GT(with_map.height(), 20);
    int differing = 0;
    for (int y = 0; y < with_map.height(); ++y)
        for (int x = 0; x < with_map.width(); ++x) differing += with_map.pixel(x, y) != without.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

}  // namespace

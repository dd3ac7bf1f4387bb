// The report document: record storage and growth, the line limit, centring,
// the location header, the progress line and the two static reports.
#include "reports/report_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/format.h"
#include "platform/locale.h"
#include "platform/message_pump.h"

namespace {

// Records are allocated 100 at a time, one record before they are needed.
TEST(ReportDocument, GrowthLineLimitAndEndMarker) {
    ReportDocument doc;
    EXPECT_EQ(report_record_capacity(doc), 0);
    const struct { int lines, capacity; } steps[] = {{1, 100}, {99, 100}, {100, 200}, {199, 200}, {200, 300}};
    for (const auto& step : steps) {
        while (doc.line_count < step.lines) report_add_line("line " + std::to_string(doc.line_count + 1), doc);
        EXPECT_EQ(report_record_capacity(doc), step.capacity) << step.lines << " lines";
    }
    EXPECT_EQ(report_line(doc, 0), "line 1");
    EXPECT_EQ(report_line(doc, 199), "line 200");
    report_clear(doc);
    EXPECT_EQ(doc.line_count, 0);
    EXPECT_EQ(report_record_capacity(doc), 0);

    report_add_line(std::string(80, 'a'), doc);  // 80 characters fit, 81 are fatal
    EXPECT_EQ(report_line(doc, 0).size(), 80u);
    EXPECT_EXIT(report_add_line(std::string(81, 'a'), doc), ::testing::ExitedWithCode(1),
                "Internal error - please contact product support");
    report_end(doc);
    EXPECT_EQ(report_line(doc, 1), "\f");
}

TEST(CenterLine, CentresInEightyColumnsWithAtLeastOneBlank) {
    for (auto [text, blanks] : {std::pair<std::string, int>("Planet Data Report", 31), {"ab c", 38},
                                {std::string(79, 'x'), 1}, {std::string(80, 'x'), 1}})
        EXPECT_EQ(center_line(text), std::string(blanks, ' ') + text) << text;
}

TEST(ReportHeader, ShowsPlaceZoneAndElevation) {
    const Location sample{"Sample City", COMPASS_NORTH, COMPASS_WEST, 39 + 44 / 60.0 + 21 / 3600.0,
                          104 + 59 / 60.0 + 3 / 3600.0, -7, 200};
    ReportDocument doc;
    report_header(SkyContext(sample), doc);
    ASSERT_EQ(doc.line_count, 3);
    EXPECT_EQ(report_line(doc, 0),
              "Sample City           Latitude:  39\xB0" "44'21\" N  Longitude:  104\xB0" "59'03\" W");
    EXPECT_EQ(report_line(doc, 1), "Local Time = UT -   7.00 hours  Elevation: 200 meters");
    EXPECT_EQ(report_line(doc, 2), "");
    report_clear(doc);
    report_header(SkyContext(Location{"Greenwich", COMPASS_NORTH, COMPASS_WEST, 51.5}), doc);
    EXPECT_EQ(report_line(doc, 1), "Local Time = UT +   0.00 hours  Elevation: 0 meters");
}

TEST(ReportProgress, PercentageTimeToFinishAndFractions) {
    // The first call has no estimate: blanks for minutes and seconds.
    EXPECT_EQ(progress_text(0.0, 0, false),
              "Generating Report:   0.00% complete (will finish in     min,    sec)");
    // 61.2 s remaining: one minute and "02" seconds (rounded up).
    EXPECT_EQ(progress_text(0.5, 61200, true),
              "Generating Report:  50.00% complete (will finish in 1 min, 02 sec)");
    EXPECT_EQ(progress_text(0.0523, 1000, true).substr(0, 36), "Generating Report:   5.23% complete ");
    // Seasons at one half in an Almanac: 0.24 + 0.003 / 2.
    EXPECT_NEAR(almanac_fraction(3, 0.5), 0.2415, 1e-12);
    EXPECT_EQ(format_fixed(almanac_fraction(3, 0.5) * 100, 3, 2), " 24.15");
    EXPECT_EQ(std::pair(almanac_fraction(1, 0.0), almanac_fraction(14, 1.0)), std::pair(0.0, 1.0));
    // First and last step; a single step or an empty range is complete.
    EXPECT_EQ((std::vector<double>{progress_fraction(701, 777, 701), progress_fraction(701, 777, 777),
                                   progress_fraction(5, 5, 5), progress_fraction(5, 3, 4)}),
              (std::vector<double>{0.0, 1.0, 1.0, 1.0}));
    // Years 2000..2001 outer, months 1..12 inner: the last step is the whole.
    EXPECT_DOUBLE_EQ(loop_fraction(2000, 2000, 2001, 1, 1, 12, 1, 1, 1), 0.0);
    EXPECT_DOUBLE_EQ(loop_fraction(2001, 2000, 2001, 12, 1, 12, 1, 1, 1), 1.0);
    EXPECT_DOUBLE_EQ(loop_fraction(2001, 2000, 2001, 1, 1, 12, 1, 1, 1), 12.0 / 23.0);
}

// A display that shows the line now and then is asked first; the text is
// made (and handed over) only for the steps it wants, each with the step's
// own percentage.
TEST(ReportProgress, DisplayThatShowsNowAndThenGetsOnlyTheStepsItWants) {
    static std::vector<std::string> shown;
    static int asked = 0;
    shown.clear();
    asked = 0;
    ReportDisplay display;
    display.progress = [](const std::string& text) { shown.push_back(text.substr(0, 26)); };
    display.progress_due = [] { return ++asked % 3 == 1; };
    set_report_display(display);
    for (int step = 0; step <= 4; ++step) report_progress(1, false, step / 4.0);
    set_report_display({});
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(shown, (std::vector<std::string>{"Generating Report:   0.00%", "Generating Report:  75.00%"}));
}

std::string comma_locale(std::string_view key, std::string_view fallback) {
    return key == "sDecimal" ? "," : std::string(fallback);
}

TEST(StaticTextReport, PlanetDataUsesTheLocaleDecimalSeparator) {
    set_locale_profile_reader(comma_locale);
    reload_locale_settings();
    ReportDocument doc;
    EXPECT_EQ(static_text_report(doc, 600, 640, 10, false), 0);
    set_locale_profile_reader(nullptr);
    reload_locale_settings();
    ASSERT_EQ(doc.line_count, 18);
    EXPECT_EQ(report_line(doc, 7).substr(0, 18), "Mercury       0,39");
    EXPECT_EQ(report_line(doc, 8).substr(0, 30), "Venus         0,72       224,7");
    EXPECT_EQ(report_line(doc, 17), "\f");
}

TEST(StaticTextReport, StopKeepsLinesAndHasNoEndMarker) {
    ReportDocument doc;
    work_signals().stop_requested = true;
    EXPECT_EQ(static_text_report(doc, 700, 777, 1, false), 1);
    work_signals().stop_requested = false;
    ASSERT_EQ(doc.line_count, 1);  // the title only
    EXPECT_NE(report_line(doc, 0), "\f");
}

}  // namespace

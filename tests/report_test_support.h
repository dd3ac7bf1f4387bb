#pragma once
// What the report tests share: the default regional settings (month/day/year,
// '.', no leading zero on hours) with the stop flag, pump and report display
// cleared around each test, two reference places, and the comparison of a
// report with its golden text under tests/data.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/location.h"
#include "format/format.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "reports/report_document.h"

// The profile reader of a system without regional settings: every key answers
// its default.
inline std::string default_profile(std::string_view, std::string_view fallback) { return std::string(fallback); }

// Installs the default regional settings and a clear stop flag; afterwards
// removes any pump and report display and gives back the system's settings.
class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_locale_profile_reader(default_profile);
        reload_locale_settings();
        work_signals().stop_requested = false;
    }
    void TearDown() override {
        set_pending_event_processor(nullptr);
        set_report_display({});
        work_signals().stop_requested = false;
        set_locale_profile_reader(nullptr);
        reload_locale_settings();
    }
};

// The Royal Observatory: 51 28'40" N, 0 00'05" W, UT, 46 m.
inline const Location GREENWICH{"Greenwich", COMPASS_NORTH, COMPASS_WEST, 51 + 28 / 60.0 + 40 / 3600.0, 5 / 3600.0,
                                0.0, 46};
// Denver: 39 44'21" N, 104 59'03" W, UT - 7, 1609 m.
inline const Location DENVER{"Denver", COMPASS_NORTH, COMPASS_WEST, 39 + 44 / 60.0 + 21 / 3600.0,
                             104 + 59 / 60.0 + 3 / 3600.0, -7.0, 1609};

inline std::vector<std::string> lines_of(const ReportDocument& document) {
    std::vector<std::string> lines;
    for (int i = 0; i < document.line_count; ++i) lines.emplace_back(report_line(document, i));
    return lines;
}

// The document against tests/data/NAME line by line; every line within the
// report's 80 columns.
inline void expect_golden(const ReportDocument& document, const char* name) {
    std::ifstream in(std::string(SKYLOOM_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::vector<std::string> expected;
    for (std::string line; std::getline(in, line);) expected.push_back(line);
    const std::vector<std::string> actual = lines_of(document);
    ASSERT_EQ(actual.size(), expected.size()) << name;
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(actual[i], expected[i]) << name << " line " << i + 1;
    for (const std::string& line : actual) EXPECT_LE(line.size(), size_t(REPORT_WIDTH)) << name;
}

// The skyloom command line, run as a user runs it: golden reports, usage and
// exit status 2 with the dialogs' messages on bad input.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <algorithm>

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// Runs the program with args under the C locale, capturing both streams.
CliRun run_skyloom(const std::string& args) {
    // Test programs run in parallel: each run gets its own file for standard error.
    std::string err_file = ::testing::TempDir() + "skyloom_cli_stderr_XXXXXX";
    close(mkstemp(err_file.data()));
    std::string command = "LC_ALL=C " SKYLOOM_BINARY " " + args + " 2>" + err_file;
    CliRun r{};
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
    int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(err_file);
    std::stringstream ss;
    ss << err.rdbuf();
    r.err = ss.str();
    std::remove(err_file.c_str());
    return r;
}

std::string golden(const std::string& name) {
    std::ifstream in(std::string(SKYLOOM_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(CommandLine, StaticReportsMatchTheirGoldenText) {
    CliRun intro = run_skyloom("report introduction");
    EXPECT_EQ(intro.status, 0) << intro.err;
    EXPECT_EQ(intro.out, golden("introduction.txt"));
    CliRun data = run_skyloom("report planet-data --city Greenwich");
    EXPECT_EQ(data.status, 0) << data.err;
    EXPECT_EQ(data.out, golden("planet_data.txt"));
}

TEST(CommandLine, UsageListsEveryReport) {
    CliRun help = run_skyloom("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* name : {"introduction", "calendar", "seasons", "easter", "lunar-eclipses",
                             "solar-eclipses", "planet-view", "planet-apsides", "planet-conj-opp",
                             "planet-data", "moon-apsides", "moon-nodes", "meteor-showers",
                             "twilight", "almanac", "--planets", "--city", "--tz"})
        EXPECT_NE(help.out.find(name), std::string::npos) << name;
    EXPECT_EQ(run_skyloom("report --help").status, 0);
}

TEST(CommandLine, BadInputExitsWithStatusTwo) {
    struct Case { const char* args; const char* message; } cases[] = {
        {"report no-such-report", "Usage:"},
        {"report introduction --colour red", "Usage:"},
        {"report introduction --year", "Usage:"},
        {"frobnicate", "Usage:"},
        {"report seasons --year 999", "Year must be between 1000 and 3000"},
        {"report seasons --year 19x5", "Invalid number"},
        {"report seasons --year 2001 --end-year 2000", "Stop year cannot be less than start year"},
        {"report calendar --year 2000 --from-month 5 --to-month 4",
         "Stop month cannot be less than start month"},
        {"report calendar --year 2000 --from-month 13", "Month must be between 1 and 12"},
        {"report planet-view --planets mercury,vulcan", "vulcan"},
        {"report introduction --city Atlantis", "Atlantis"},
        {"report introduction --lat 91 --lon 0 --tz 0", "Latitude must be between 0\xC2\xB0 and 90\xC2\xB0"},
        {"report introduction --lat 10 --lon 0 --tz 13", "Time zone must be between -12 and 12 hours"},
        {"report introduction --lat 10 --lon 0", "--tz"},
        {"report twilight --lat 61 --lon 10 --tz 1", "Latitude cannot be greater than 60\xC2\xB0"},
    };
    for (const Case& c : cases) {
        CliRun r = run_skyloom(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << " said: " << r.err;
        EXPECT_EQ(r.out, "") << c.args;
    }
}

TEST(CommandLine, ReportsNotYetBuiltSaySoInsteadOfPrintingNothing) {
    CliRun r = run_skyloom("report almanac --year 2026");
    if (r.status == 0) GTEST_SKIP() << "every report is built";
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("not built"), std::string::npos);
    EXPECT_EQ(r.out, "");
}

}  // namespace

namespace {

// Splits a CSV line into its fields.
std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream ss(line);
    std::string f;
    while (std::getline(ss, f, ',')) out.push_back(f);
    return out;
}

TEST(Ephemeris, SunAtTheMarchEquinoxOf2026) {
    // Published: March equinox 2026-03-20 14:46 UT; the Sun then stands at
    // right ascension 0 h and declination 0 deg, about 0.9959 AU away.
    CliRun r = run_skyloom("ephemeris --date 2026-03-20 --time 14:46 --lat 51.4778 --lon 0 --tz 0 "
                           "--bodies sun,moon --csv");
    ASSERT_EQ(r.status, 0) << r.err;
    std::stringstream lines(r.out);
    std::string header, sun, moon;
    std::getline(lines, header);
    std::getline(lines, sun);
    std::getline(lines, moon);
    EXPECT_EQ(header.rfind("body,ra_hours,dec_degrees,distance_au", 0), 0u);
    std::vector<std::string> s = fields(sun);
    ASSERT_EQ(s.size(), 11u);
    EXPECT_EQ(s[0], "Sun");
    double ra = std::stod(s[1]);
    EXPECT_LT(std::min(ra, 24.0 - ra), 0.01);  // within 36 s of 0 h
    EXPECT_NEAR(std::stod(s[2]), 0.0, 0.02);
    EXPECT_NEAR(std::stod(s[3]), 0.9959, 0.0005);
    // Greenwich sunrise 06:03 and sunset 18:14 GMT (published almanac), a minute or two.
    EXPECT_EQ(s[9].substr(0, 4), "06:0");
    EXPECT_EQ(s[10].substr(0, 4), "18:1");
    std::vector<std::string> m = fields(moon);
    ASSERT_EQ(m.size(), 11u);
    EXPECT_EQ(m[0], "Moon");
    EXPECT_GT(std::stod(m[4]), 356000.0);  // km, within the Moon's range
    EXPECT_LT(std::stod(m[4]), 407000.0);
    EXPECT_LT(std::stod(m[5]), 0.1);  // two days after the new Moon of March 19
}

TEST(Ephemeris, JupiterMoonsAndBadDates) {
    CliRun r = run_skyloom("ephemeris --date 1992-12-16 --time 00:00 --lat 0 --lon 0 --tz 0 "
                           "--bodies jupiter --jupiter-moons");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* moon : {"Io", "Europa", "Ganymede", "Callisto"})
        EXPECT_NE(r.out.find(moon), std::string::npos) << moon;
    struct Case { const char* args; const char* message; } cases[] = {
        {"ephemeris --date 2025-02-29", "Invalid date"},
        {"ephemeris --date 1582-10-10", "Invalid date"},
        {"ephemeris --date 2025/01/01", "Invalid date"},
        {"ephemeris --date 0999-01-01", "Year must be between 1000 and 3000"},
        {"ephemeris --time 24:00", "Hours must be between 0 and 23"},
        {"ephemeris --bodies sun,vulcan", "vulcan"},
    };
    for (const Case& c : cases) {
        CliRun bad = run_skyloom(c.args);
        EXPECT_EQ(bad.status, 2) << c.args;
        EXPECT_NE(bad.err.find(c.message), std::string::npos) << c.args << " said: " << bad.err;
    }
}

}  // namespace

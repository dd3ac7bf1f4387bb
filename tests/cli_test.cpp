// The skyloom command line, run as a user runs it: golden reports, usage, the
// ephemeris, exit status 2 with the dialogs' messages on bad input, names and
// damaged data files.  These run against whichever build they are built in,
// the Release one of scripts/test included.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "test_files.h"

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

// Runs the program (the build's, or a copy) with args under the C locale,
// capturing both streams.  Test programs run in parallel: each run gets its
// own file for standard error.
// The user's data folder of this test program's runs, so that the user's own
// cities neither change a result nor are changed.
// A folder of this test program's own, removed when it ends: test programs of
// several build trees may run at once, so no fixed name under /tmp.
struct OwnFolder {
    std::string path;
    explicit OwnFolder(const std::string& prefix) {
        std::string pattern = ::testing::TempDir() + prefix + "XXXXXX";
        path = mkdtemp(pattern.data());
    }
    ~OwnFolder() { std::filesystem::remove_all(path); }
};
const std::string& user_data_home() {
    static const OwnFolder folder("skyloom_cli_share_");
    return folder.path;
}
// Where the tests put the files they make.
std::filesystem::path scratch_folder() {
    static const OwnFolder folder("skyloom_cli_scratch_");
    return folder.path;
}

CliRun run_skyloom(const std::string& args, const std::string& program = SKYLOOM_BINARY) {
    std::string err_file = ::testing::TempDir() + "skyloom_cli_stderr_XXXXXX";
    close(mkstemp(err_file.data()));
    FILE* pipe = popen(("LC_ALL=C XDG_DATA_HOME=" + user_data_home() + " " + program + " " + args + " 2>" + err_file).c_str(), "r");
    CliRun r{};
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) r.out.append(buffer, n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.err = read_text(err_file);
    std::remove(err_file.c_str());
    return r;
}

// Reports that depend on no date match their reviewed text byte for byte
// (the classical engine's: the precise one adds its line under the header).
TEST(CommandLine, StaticReportsMatchTheirGoldenText) {
    const char* cases[][2] = {{"report introduction --classical", "introduction.txt"},
                              {"report planet-data --city Greenwich --classical", "planet_data.txt"}};
    for (const auto& [args, file] : cases) {
        CliRun r = run_skyloom(args);
        EXPECT_EQ(r.status, 0) << args << ": " << r.err;
        EXPECT_EQ(r.out, read_text(std::string(SKYLOOM_TEST_DATA_DIR) + "/" + file)) << file;
    }
}

// --help names every report and option.
TEST(CommandLine, UsageListsEveryReport) {
    CliRun help = run_skyloom("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* name : {"introduction", "calendar", "seasons", "easter", "lunar-eclipses",
                             "solar-eclipses", "planet-view", "planet-apsides", "planet-conj-opp",
                             "planet-data", "moon-apsides", "moon-nodes", "meteor-showers",
                             "twilight", "elongations", "close-approaches", "almanac", "--planets", "--city", "--tz"})
        EXPECT_NE(help.out.find(name), std::string::npos) << name;
    EXPECT_EQ(run_skyloom("report --help").status, 0);
}

// --version: the name and version on the first line, status 0, then the
// licence and the data's credits, in lines of at most 80 columns.
TEST(CommandLine, VersionNamesTheProgramItsLicenceAndTheDataCredits) {
    CliRun version = run_skyloom("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.err, "");
    EXPECT_EQ(version.out.substr(0, version.out.find('\n')), "skyloom (Skyloom 2) 2.02");
    for (const char* notice : {"Copyright \u00A9 2026 The Skyloom 2 developers.", "GPL-3.0-or-later",
                               "NO WARRANTY", "GeoNames", "CC BY 4.0", "timezone-boundary-builder", "ODbL 1.0",
                               "d3-celestial", "BSD-3-Clause",
                               "Natural Earth", "world-atlas", "ISC"})
        EXPECT_NE(version.out.find(notice), std::string::npos) << notice;
    std::istringstream lines(version.out);
    for (std::string line; std::getline(lines, line);) {
        auto characters = std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; });
        EXPECT_LE(characters, 80) << line;
    }
}

// Bad input to reports, the ephemeris, graphs and movies: status 2, the dialogs'
// message on standard error, nothing on standard output.
TEST(CommandLine, BadInputExitsWithStatusTwo) {
    struct Case { const char* args; const char* message; } cases[] = {
        {"frobnicate", "Usage:"},
        {"report no-such-report", "Usage:"},
        {"report seasons --year 999", "Year must be between 1000 and 3000"},
        {"report seasons --year 19x5", "Invalid number"},
        {"report seasons --year 2001 --end-year 2000", "Stop year cannot be less than start year"},
        {"report calendar --year 2000 --from-month 5 --to-month 4", "Stop month cannot be less than start month"},
        {"report planet-view --planets mercury,vulcan", "vulcan"},
        {"report introduction --city Atlantis", "Atlantis"},
        {"report introduction --lat 91 --lon 0 --tz 0", "Latitude must be between 0\xC2\xB0 and 90\xC2\xB0"},
        {"report introduction --lat 10 --lon 0 --tz 13", "Time zone must be between -12 and 12 hours"},
        {"report introduction --lat 10 --lon 0", "--tz"},
        {"ephemeris --elev 5", "--lat, --lon and --tz (or --zone) go together"},  // never read, so never ignored
        {"report seasons --lat 1 --lon 2 --zone Mars/Olympus", "Mars/Olympus: Unknown time zone"},
        {"report seasons --city Denver --zone Europe/Londn", "Europe/Londn: Unknown time zone"},
        {"report seasons --lat 1 --lon 2 --tz 1 --zone Europe/Paris", "Give --tz or --zone, not both"},
        {"report seasons --city Denver --elev 5", "give one place"},
        {"report twilight --lat 61 --lon 10 --tz 1 --classical", "Latitude cannot be greater than 60\xC2\xB0"},
        {"ephemeris --date 1582-10-10", "Invalid date"},  // inside the Gregorian gap
        {"ephemeris --date 0999-01-01", "Year must be between 1000 and 3000"},
        {"ephemeris --time 24:00", "Hours must be between 0 and 23"},
        {"ephemeris --bodies sun,vulcan", "vulcan"},
        {"graph analemma --lat 61 --lon 0 --tz 0 --classical -o x.png", "Latitude cannot be greater than 60"},
        {"graph moon-illumination --year 999 -o x.png", "Year must be between 1000 and 3000"},
        {"graph jupiter-moons --moons io,phobos -o x.png", "phobos"},
        {"graph planet-angle --main-planet earth -o x.png", "earth"},
        {"graph planet-orbit --planets earth -o x.png", "Select at least one planet"},
        {"graph sunrise -o x.txt", "Usage:"},
        {"graph sunrise --size 10x -o x.png", "each from 1 to 10000"},
        {"movie day-night --size 800x10001 --frames 1 -o x", "each from 1 to 10000"},
        // Too small to read: refused with the smallest size of that shape or larger.
        {"graph sun-angle --size 100x100 -o x.png",
         "--size 100x100 is too small to read: pictures need at least 640 pixels across and 480 up; "
         "the smallest that works is --size 640x480"},
        {"movie day-night --size 300x2000 --frames 1 -o x", "the smallest that works is --size 640x2000"},
        {"graph analemma --size 1000x479 -o x.svg", "the smallest that works is --size 1000x480"},
        // Contradictory or out-of-range planetarium options.
        {"movie planetarium --track mars --star Sirius --frames 1 -o x", "--track and --star cannot be given together"},
        {"movie planetarium --facing up --frames 1 -o x", "Facing must be N, NE, E, SE, S, SW, W, NW or an azimuth"},
        {"movie planetarium --facing 361 --frames 1 -o x", "Facing must be"},
        {"movie planetarium --facing S --altitude 91 --frames 1 -o x", "Altitude must be between 0 and 90 degrees"},
        {"movie planetarium --altitude 20 --frames 1 -o x", "--altitude needs --facing"},
        {"movie planetarium --facing S --track moon --frames 1 -o x", "Track Body cannot be used with a facing direction"},
        {"movie planetarium --magnitude-limit 6.5 --frames 1 -o x", "Magnitude limit must be between -2 and 6"},
        {"movie planetarium --magnitude-limit 5,5 --frames 1 -o x", "Invalid number"},
        {"movie ecliptic-top --facing S --frames 1 -o x", "--facing does not apply to movie ecliptic-top"},
        // An option the command does not read is refused, naming what it takes.
        {"report calendar --end-year 2027", "--end-year does not apply to report calendar (it takes --year"},
        {"report seasons --planets mars", "--planets does not apply to report seasons"},
        {"graph equation-of-time --moons io -o x.png", "--moons does not apply to graph equation-of-time"},
        {"movie day-night --speed 3 --frames 1 -o x", "--speed does not apply to movie day-night"},
        {"ephemeris --year 2020", "--year does not apply to ephemeris"},
        // Numbers take a decimal point in every option and locale; a comma is refused alike.
        {"report introduction --lat 10,5 --lon 0 --tz 0", "Invalid number"},
        {"report introduction --lat 10 --lon 0 --tz 1,5", "Invalid number"},
        {"report introduction --lat 10 --lon 0 --tz nan", "Invalid number"},
        // The dialogs' rule: no blanks, exponents, hexadecimal or doubled signs, whole or decimal.
        {"report seasons --year ' 2000'", "Invalid number"},
        {"report introduction --lat 1e1 --lon 0 --tz 0", "Invalid number"},
        {"report introduction --lat 10 --lon 0 --tz 0x1p3", "Invalid number"},
        {"report introduction --lat 10 --lon 0 --tz +-5", "Invalid number"},
        {"report introduction --lat 10 --lon 0 --tz 0 --elev ' 5'", "Invalid number"},
        {"movie binary-star --year 32001 --frames 1 -o x", "Year must be between -4000 and 32000"},
        {"movie planetarium --turbo --track moon --frames 1 -o x", "Turbo mode requires that you track a planet or star"},
        {"movie planetarium --star Vulcan --frames 1 -o x", "Vulcan"},
        {"movie ecliptic-top --speed 65 --frames 1 -o x", "Time speed must be between -64 and 64"},
        {"movie day-night --step fortnight --frames 1 -o x", "fortnight"},
        {"movie day-night --date 2026-02-29 --frames 1 -o x", "Invalid date"},
        {"movie jupiter-moons-top --frames 0 -o x", "Usage:"},
        // Numbers that are no place on Earth are refused before any arithmetic.
        {"report seasons --year 2000 --lat nan --lon 0 --tz 0", "Invalid number"},
        {"report seasons --year 2000 --lat 0 --lon inf --tz 0", "Invalid number"},
        {"report seasons --year 2000 --lat -inf --lon 0 --tz 0", "Invalid number"},
        {"report seasons --year 2000 --lat 2600000000000000 --lon 0 --tz 0", "Latitude must be between"},
        {"report seasons --year 2000 --lat 0 --lon -1000000000000000000000 --tz 0", "Longitude must be between"},
        {"report seasons --year 2000 --lat 0 --lon 0 --tz nan", "Invalid number"},
        {"graph sunrise --lat 90.5 --lon 0 --tz 0 -o x.png", "Latitude must be between"},
        {"movie jupiter-moons-top --frames 1 --skip 2147483647 -o x", "--skip plus --frames"},
        {"report seasons --city '\xC5\x81\xC3\xB3" "d\xC5\xBA'", "Latin-1 only"},
        {"report seasons --lat 1 --lon 1 --tz 0 --name 'S\xE3o'", "Latin-1 only"},  // not UTF-8
    };
    for (const Case& c : cases) {
        CliRun r = run_skyloom(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << " said: " << r.err;
        EXPECT_EQ(r.out, "") << c.args;
    }
}

// A folder of its own with a copy of the program (and of skyloom-qt, which
// draws for it, unless left out) beside the given data files, as an
// installed program stands beside its data.
std::string program_copy(const std::filesystem::path& folder, bool with_toolkit = true) {
    std::filesystem::create_directories(folder);
    const std::filesystem::path built(SKYLOOM_BINARY);
    for (const char* name : {"skyloom", "skyloom-qt"})
        if (with_toolkit || name == std::string("skyloom"))
            std::filesystem::copy_file(built.parent_path() / name, folder / name,
                                       std::filesystem::copy_options::overwrite_existing);
    return (folder / "skyloom").string();
}

// The text commands start without the toolkit: the program needs no Qt
// library (loading Qt's was most of a short report's time), and it hands the
// window and the commands that draw to skyloom-qt; where that program is
// missing a drawing command says so, with status 1, and a report still runs.
TEST(CommandLine, TextCommandsLoadNoToolkitAndDrawingIsHandedOver) {
    CliRun libraries = run_skyloom("", std::string("LD_TRACE_LOADED_OBJECTS=1 ") + SKYLOOM_BINARY);
    EXPECT_NE(libraries.out.find("libc.so"), std::string::npos) << libraries.out;
    EXPECT_EQ(libraries.out.find("libQt6"), std::string::npos) << libraries.out;

    const auto folder = scratch_folder() / "skyloom_cli_alone";
    const std::string program = program_copy(folder, false);
    const std::string picture = (folder / "g.png").string();
    CliRun graph = run_skyloom("graph day-length --year 2026 -o " + picture, program);
    EXPECT_EQ(graph.status, 1);
    EXPECT_NE(graph.err.find("Cannot start " + (folder.parent_path() / "libexec" / "skyloom2" / "skyloom-qt").string()),
              std::string::npos)
        << graph.err;
    EXPECT_FALSE(std::filesystem::exists(picture));
    CliRun window = run_skyloom("--lat 1 --lon 2 --tz 0", program);
    EXPECT_EQ(window.status, 1);
    EXPECT_NE(window.err.find("Cannot start"), std::string::npos) << window.err;
    CliRun pdf = run_skyloom("report easter --year 2026 --pdf " + (folder / "e.pdf").string(), program);
    EXPECT_EQ(pdf.status, 1);
    CliRun easter = run_skyloom("report easter --year 2026", program);
    EXPECT_EQ(easter.status, 0) << easter.err;
    EXPECT_NE(easter.out.find("04/05/2026"), std::string::npos) << easter.out;  // Easter Sunday, 5 April 2026
    std::filesystem::remove_all(folder);
}

// Latin-1 names in CITIES.DAT meet UTF-8 on the command line exactly; a
// damaged city line is left out with its line named; control characters in
// names never reach the terminal; a missing data file is a fatal file error
// naming its path, with a non-zero status.
TEST(CommandLine, DataFilesAndNamesCrossExactly) {
    const auto folder = scratch_folder() / "skyloom_cli_copy";
    const std::string program = program_copy(folder);
    std::ofstream(folder / "CITIES.DAT", std::ios::binary)
        << "S\xE3o Paulo\n"
        << "S\xE3o Paulo         |23|33| 0|S| 46|38| 0|W| 760|-3.00\n"
        << "Isfahan             |32|39| 9|N| 51|40| 0|E|1578|nan\n";

    CliRun r = run_skyloom("report seasons --year 2000 --city 'S\xC3\xA3o Paulo'", program);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("S\xC3\xA3o Paulo"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("UT -   3.00 hours"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("CITIES.DAT, line 3"), std::string::npos) << r.err;
    EXPECT_EQ(run_skyloom("report seasons --city Isfahan", program).status, 2);

    r = run_skyloom("report seasons --year 2000 --lat 1 --lon 2 --tz 0 --name 'Esc\x1B[2J\xC2\x9B'", program);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Esc?[2J?"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\x1B'), std::string::npos);

    const std::pair<const char*, std::string> missing[] = {
        {"day-night", "Cannot load world map: " + (folder / "WORLDMAP.PNG").string()},
        {"planetarium", "Cannot load star database: " + (folder / "STARS.DAT").string()}};
    for (const auto& [movie, message] : missing) {
        r = run_skyloom(std::string("movie ") + movie + " --frames 1 -o " + (folder / "frames").string(), program);
        EXPECT_EQ(r.status, 1) << movie;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(folder / "frames" / "frame-0001.png")) << movie;
    }
    std::filesystem::remove_all(folder);
}

std::vector<std::vector<std::string>> csv_rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::stringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::stringstream fields(line);
        rows.emplace_back();
        for (std::string f; std::getline(fields, f, ',');) rows.back().push_back(f);
    }
    return rows;
}

// Names of bodies and moons are read without regard to case, as city and star
// names are; a number reads the same with a plus sign or trailing zeros.
TEST(CommandLine, NamesIgnoreCaseAndNumbersReadAlike) {
    const std::string planets = "report planet-view --year 2026 --from-month 1 --to-month 1 --planets ";
    CliRun lower = run_skyloom(planets + "mars,venus");
    EXPECT_EQ(lower.status, 0) << lower.err;
    EXPECT_EQ(run_skyloom(planets + "Mars,VENUS").out, lower.out);
    EXPECT_EQ(run_skyloom("ephemeris --date 2026-03-20 --time 12:00 --city greenwich --bodies Sun,MOON").status, 0);
    const std::string place = "report seasons --year 2026 --lat 39.74 --lon -104.98 --tz -7";
    CliRun point = run_skyloom(place);
    EXPECT_EQ(point.status, 0) << point.err;
    EXPECT_EQ(run_skyloom("report seasons --year 2026 --lat +39.740 --lon -104.98 --tz -7.0").out, point.out);
}

// Published: March equinox 2026-03-20 14:46 UT, the Sun at RA 0 h, Dec 0, 0.9959 AU.
TEST(Ephemeris, SunAndMoonAtTheMarchEquinoxOf2026AndJupitersMoons) {
    CliRun r = run_skyloom("ephemeris --date 2026-03-20 --time 14:46 --lat 51.4778 --lon 0 --tz 0 "
                           "--bodies sun,moon --csv");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("body,ra_hours,dec_degrees,distance_au", 0), 0u);
    const auto rows = csv_rows(r.out);
    ASSERT_EQ(rows.size(), 3u) << r.out;
    const auto& s = rows[1];
    ASSERT_EQ(s.size(), 15u);
    EXPECT_EQ(s[0], "Sun");
    EXPECT_EQ(s[11], "precise");  // the default engine, named
    const double ra = std::stod(s[1]);
    EXPECT_LT(std::min(ra, 24.0 - ra), 0.01);  // within 36 s of 0 h
    EXPECT_NEAR(std::stod(s[2]), 0.0, 0.02);
    EXPECT_NEAR(std::stod(s[3]), 0.9959, 0.0005);
    // Greenwich sunrise 06:03 and sunset 18:14 GMT (published almanac), a minute or two.
    EXPECT_EQ(s[9].substr(0, 4), "06:0");
    EXPECT_EQ(s[10].substr(0, 4), "18:1");
    const auto& m = rows[2];
    ASSERT_EQ(m.size(), 15u);
    EXPECT_EQ(m[0], "Moon");
    EXPECT_NEAR(std::stod(m[4]), 381500.0, 25500.0);  // km, within the Moon's range 356000..407000
    EXPECT_LT(std::stod(m[5]), 0.1);  // two days after the new Moon of March 19
    r = run_skyloom("ephemeris --date 1992-12-16 --time 00:00 --lat 0 --lon 0 --tz 0 "
                           "--bodies jupiter --jupiter-moons");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* moon : {"Io", "Europa", "Ganymede", "Callisto"})
        EXPECT_NE(r.out.find(moon), std::string::npos) << moon;
}

// The ephemeris' transit, altitude and azimuth, last in the CSV and in the
// table's second block: Jupiter at Denver, 2026-03-20 20:00 MDT, 73.0 degrees
// up at azimuth 170.6, transit 20:11:49 (Astronomy Engine).  Above 60 degrees
// the precise engine's Twilight report runs: Longyearbyen's midnight Sun.
TEST(Ephemeris, TransitAltitudeAzimuthAndPolarTwilight) {
    const std::string jupiter = "ephemeris --date 2026-03-20 --time 20:00 --city Denver --bodies jupiter";
    CliRun csv = run_skyloom(jupiter + " --csv");
    EXPECT_NE(csv.out.find(",engine,transit,altitude_degrees,azimuth_degrees\n"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find(",precise,20:11:4"), std::string::npos) << csv.out;
    CliRun table = run_skyloom(jupiter);
    EXPECT_NE(table.out.find("\nBody     Transit  Altitude  Azimuth\nJupiter  20:11       73.0\xC2\xB0   170.6\xC2\xB0\n"),
              std::string::npos)
        << table.out;
    CliRun polar = run_skyloom("report twilight --year 2026 --from-month 6 --to-month 6 --city Longyearbyen");
    EXPECT_NE(polar.out.find("06/01/2026 Sun up all day   No darkness"), std::string::npos) << polar.out;
}

// Reads the width and height from a PNG file's header.
bool png_size(const std::string& path, int& width, int& height) {
    std::ifstream in(path, std::ios::binary);
    unsigned char h[24] = {};
    if (!in.read(reinterpret_cast<char*>(h), sizeof h) || h[1] != 'P' || h[2] != 'N' || h[3] != 'G') return false;
    width = (h[16] << 24) | (h[17] << 16) | (h[18] << 8) | h[19];
    height = (h[20] << 24) | (h[21] << 16) | (h[22] << 8) | h[23];
    return true;
}

// Each picture format is written, PNG at the asked size.
TEST(GraphCommand, WritesPictureFilesOfTheAskedSize) {
    std::string dir = scratch_folder().string() + "/";
    CliRun png = run_skyloom("graph day-length --year 2026 --city Greenwich --size 800x600 -o " + dir + "g.png");
    ASSERT_EQ(png.status, 0) << png.err;
    int w = 0, h = 0;
    ASSERT_TRUE(png_size(dir + "g.png", w, h));
    EXPECT_EQ(std::pair(w, h), std::pair(800, 600));
    CliRun svg = run_skyloom("graph planet-distance --year 2026 --from-sun --planets mars,jupiter -o " + dir + "g.svg");
    ASSERT_EQ(svg.status, 0) << svg.err;
    std::string text = read_text(dir + "g.svg");
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("Planet-Sun Distance Graph for 2026"), std::string::npos);
    CliRun pdf = run_skyloom("graph eclipses --year 2024 --end-year 2027 -o " + dir + "g.pdf");
    ASSERT_EQ(pdf.status, 0) << pdf.err;
    EXPECT_EQ(read_text(dir + "g.pdf").rfind("%PDF", 0), 0u);
}

// The precise engine by default on every command, and each output says so;
// --precise is accepted, --classical gives the classical engine's outputs.
TEST(CommandLine, PreciseByDefaultOnEveryCommandAndSaysSo) {
    // USNO: the March equinox of 2024 at 03:06 UT and the June solstice at 20:51,
    // read on Greenwich's clock (Europe/London: GMT in March, BST in June).
    CliRun seasons = run_skyloom("report seasons --year 2024 --city Greenwich");
    ASSERT_EQ(seasons.status, 0) << seasons.err;
    EXPECT_NE(seasons.out.find("\nPrecise calculations\n"), std::string::npos);
    EXPECT_NE(seasons.out.find("MEQ: 03/20/2024  3:06"), std::string::npos) << seasons.out;
    EXPECT_NE(seasons.out.find("JSO: 06/20/2024 21:51"), std::string::npos) << seasons.out;
    EXPECT_EQ(run_skyloom("report seasons --year 2024 --city Greenwich --precise").out, seasons.out);
    CliRun classical = run_skyloom("report seasons --year 2024 --city Greenwich --classical");
    EXPECT_EQ(classical.out.find("Precise"), std::string::npos);
    EXPECT_NE(classical.out, seasons.out);
    CliRun both = run_skyloom("report seasons --year 2024 --classical --precise");
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("--classical and --precise exclude each other"), std::string::npos) << both.err;

    CliRun table = run_skyloom("ephemeris --date 2026-03-20 --time 14:46 --city Greenwich");
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("\nPrecise calculations\n"), std::string::npos);
    CliRun classical_csv = run_skyloom("ephemeris --date 2026-03-20 --time 14:46 --city Greenwich --bodies sun --csv --classical");
    EXPECT_NE(classical_csv.out.find(",set,engine,transit,altitude_degrees,azimuth_degrees\n"), std::string::npos);
    EXPECT_NE(classical_csv.out.find(",classical,"), std::string::npos);
    // Pluto in 1950 is within its series' years; in 1500 it is not, and the ephemeris says so.
    CliRun pluto = run_skyloom("ephemeris --date 1500-01-01 --time 00:00 --city Greenwich --bodies pluto");
    EXPECT_NE(pluto.out.find("Pluto*"), std::string::npos) << pluto.out;
    EXPECT_NE(pluto.out.find("* Pluto outside 1885-2099"), std::string::npos) << pluto.out;
    EXPECT_EQ(run_skyloom("ephemeris --date 1950-01-01 --time 00:00 --city Greenwich --bodies pluto").out.find('*'),
              std::string::npos);
    CliRun pluto_csv = run_skyloom("ephemeris --date 2500-01-01 --time 00:00 --city Greenwich --bodies pluto --csv");
    EXPECT_NE(pluto_csv.out.find(",precise (approximate),"), std::string::npos) << pluto_csv.out;
    CliRun csv = run_skyloom("ephemeris --date 2026-03-20 --time 14:46 --city Greenwich --bodies sun --csv --precise");
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_NE(csv.out.find(",set,engine,transit,altitude_degrees,azimuth_degrees\n"), std::string::npos);
    EXPECT_NE(csv.out.find(",precise,"), std::string::npos);
    // At the equinox (USNO: 14:46 UT) the Sun's declination is within a minute's motion (0.007 degrees) of 0.
    size_t sun = csv.out.find("Sun,");
    ASSERT_NE(sun, std::string::npos);
    double ra = 0, dec = 1;
    ASSERT_EQ(std::sscanf(csv.out.c_str() + sun, "Sun,%lf,%lf", &ra, &dec), 2);
    EXPECT_NEAR(dec, 0.0, 0.007);

    const std::string dir = scratch_folder().string() + "/";
    CliRun graph = run_skyloom("graph equation-of-time --year 2026 --city Greenwich -o " + dir + "p.svg");
    ASSERT_EQ(graph.status, 0) << graph.err;
    EXPECT_NE(read_text(dir + "p.svg").find("Precise calculations"), std::string::npos);
    CliRun classical_graph = run_skyloom("graph equation-of-time --year 2026 --city Greenwich --classical -o " + dir + "c.svg");
    ASSERT_EQ(classical_graph.status, 0) << classical_graph.err;
    EXPECT_EQ(read_text(dir + "c.svg").find("Precise calculations"), std::string::npos);
    CliRun movie = run_skyloom("movie ecliptic-top --date 2026-01-01 --time 00:00 --frames 1 --precise -o " + dir);
    EXPECT_EQ(movie.status, 0) << movie.err;
    CliRun classical_movie = run_skyloom("movie ecliptic-top --date 2026-01-01 --time 00:00 --frames 1 --classical -o " + dir);
    EXPECT_EQ(classical_movie.status, 0) << classical_movie.err;
}

// A city on a zone's clock: saved with its zone= field, its fixed offset the
// zone's standard one kept within 12 hours (Kiribati's Line Islands are on
// UT+14 all year); its reports name the zone.
TEST(CitiesCommand, ACityWithAZone) {
    const std::string mine = user_data_home() + "/skyloom2/MYCITIES.DAT";
    CliRun r = run_skyloom("cities add Kiritimati --lat 1.87 --lon -157.4 --zone Pacific/Kiritimati");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_text(mine),
              "Skyloom 2 cities 1\ncity|Kiritimati          | 1|52|12|N|157|24| 0|W|   0|12.00|zone=Pacific/Kiritimati\n");
    r = run_skyloom("report seasons --year 2026 --city kiritimati");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Local Time = UT +  14.00 hours"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Clock: Pacific/Kiritimati, no daylight saving time"), std::string::npos) << r.out;
    // The March equinox, 20 March 2026 14:46 UT (USNO), is 21 March 04:46 there.
    EXPECT_NE(r.out.find("MEQ: 03/21/2026  4:46"), std::string::npos) << r.out;
    EXPECT_EQ(run_skyloom("cities remove Kiritimati").status, 0);
}

// skyloom cities: the user's own cities over the shipped list, saved as Set
// Location saves them, in the user's data folder only.
TEST(CitiesCommand, ListAddAndRemove) {
    const std::string mine = user_data_home() + "/skyloom2/MYCITIES.DAT";
    CliRun r = run_skyloom("cities add 'Home  Town' --lat -47.5 --lon 8.25 --tz 1 --elev 420");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "  Home Town            47\xC2\xB0" "30'00\"S   8\xC2\xB0" "15'00\"E   420 m   1.00 h  yours\n");
    EXPECT_EQ(read_text(mine), "Skyloom 2 cities 1\ncity|Home Town           |47|30| 0|S|  8|15| 0|E| 420|1.00\n");
    EXPECT_EQ(run_skyloom("cities list --match 'home t'").out, r.out);
    r = run_skyloom("report seasons --year 2000 --city 'home town'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Home Town"), std::string::npos) << r.out;
    // Denver, shipped, removed and changed back: only the removal is the user's.
    const std::string denver = run_skyloom("cities list --match denver").out;
    ASSERT_NE(denver.find("Denver "), std::string::npos) << denver;
    EXPECT_EQ(run_skyloom("cities remove DENVER").status, 0);
    EXPECT_EQ(run_skyloom("cities list --match denver").out, "");
    EXPECT_NE(read_text(mine).find("removed|Denver\n"), std::string::npos) << read_text(mine);
    EXPECT_EQ(run_skyloom("cities add Denver --lat 39.739167 --lon -104.984722 --zone America/Denver --elev 1609").status, 0);
    EXPECT_EQ(run_skyloom("cities list --match denver").out, denver);
    EXPECT_EQ(run_skyloom("cities remove 'Home Town'").status, 0);
    EXPECT_EQ(read_text(mine), "Skyloom 2 cities 1\n");

    const struct { const char* args; int status; const char* message; } refused[] = {
        {"cities add X --lat 1 --lon 2 --zone Europe/Pariss", 2, "Europe/Pariss: Unknown time zone"},
        {"cities add X --lat 1 --lon 2 --tz 1 --zone Europe/Paris", 2, "not both"},
        {"cities add X --lat 1e1 --lon 2 --tz 1", 2, "Invalid number"},
        {"cities add X --lat 1 --lon 2", 2, "--tz"},
        {"cities add '  ' --lat 1 --lon 2 --tz 0", 2, "Must enter location name"},
        {"cities add X --lat 1 --lon 2 --tz 0 --year 2000", 2, "--year does not apply to cities add"},
        {"cities remove Atlantis", 2, "Unknown city: Atlantis"},
        {"cities frobnicate", 2, "Usage:"},
    };
    for (const auto& c : refused) {
        r = run_skyloom(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << " said: " << r.err;
    }
    EXPECT_EQ(read_text(mine), "Skyloom 2 cities 1\n");
}

// Every output is checked: a full disk or a file-size limit fails the
// command with status 1 and a message naming the file, and leaves no partial
// file (a redirected standard output is cut back to what it held).
TEST(CommandLine, FailedWritesExitOneAndLeaveNoPartialFile) {
    CliRun r = run_skyloom("report introduction >/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot write standard output (/dev/full): No space left on device"), std::string::npos) << r.err;
    EXPECT_EQ(run_skyloom("--help >/dev/full").status, 1);

    const std::filesystem::path folder = scratch_folder() / "skyloom_full_disk";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    // Files may not grow past 1 KB (SIGXFSZ ignored: the write fails instead).
    const std::string limited = "bash -c 'trap \"\" XFSZ; ulimit -f 1; exec \"$0\" \"$@\"' " + std::string(SKYLOOM_BINARY);
    const std::string out = (folder / "out.txt").string();
    for (const std::string& args : {"report calendar --year 2026 --city Greenwich >" + out,
                                   "ephemeris --csv --jupiter-moons --date 2026-01-01 --time 00:00 >" + out}) {
        r = run_skyloom(args, limited);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_NE(r.err.find("Cannot write standard output (" + out + "): File too large"), std::string::npos) << r.err;
        EXPECT_EQ(std::filesystem::file_size(out), 0u) << args;
    }
    for (const char* name : {"g.svg", "g.pdf", "g.png"}) {
        const std::string path = (folder / name).string();
        r = run_skyloom("graph equation-of-time --year 2026 -o " + path, limited);
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_NE(r.err.find("Cannot write: " + path + " (File too large)"), std::string::npos) << r.err;
    }
    r = run_skyloom("report calendar --year 2026 --pdf " + (folder / "r.pdf").string(), limited);
    EXPECT_EQ(r.status, 1);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"out.txt"});  // no picture, cut or whole, and no temporary file
    std::filesystem::remove_all(folder);
}

}  // namespace

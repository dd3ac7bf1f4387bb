#include "cli/cli.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/city_list.h"
#include "app/commands.h"
#include "app/graph_table.h"
#include "cli/ephemeris.h"
#include "cli/output.h"
#include "engine/clock.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/precise/precise_engine.h"
#include "format/numbers.h"
#include "movies/movie.h"
#include "movies/sky_atlas.h"
#include "movies/star_catalogue.h"
#include "output/event_export.h"
#include "output/printing.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "reports/event_list.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int EXIT_FILE_ERROR = 1;  // a file could not be read or written
constexpr int EXIT_BAD_INPUT = 2;

// The command of a report, graph or movie by its command-line name; 0 for none.
int command_named(OutputKind kind, const char* name) {
    const CommandEntry* c = find_command_named(kind, name);
    return c ? c->id : 0;
}

constexpr const char* MOON_NAMES[] = {"io", "europa", "ganymede", "callisto"};

constexpr const char* BODY_NAMES[] = {"sun",     "moon",   "earth",  "mercury", "venus", "mars",
                                      "jupiter", "saturn", "uranus", "neptune", "pluto"};

// Before the names of the reports, graphs and movies.
const char USAGE_COMMANDS[] =
    "Usage:\n"
    "  skyloom                          open the window\n"
    "  skyloom --city NAME | --lat DEG --lon DEG --tz HOURS [--elev M] [--name TEXT]\n"
    "                                   open the window at that place (for this run)\n"
    "  skyloom --classical [place options]\n"
    "                                   open the window with the classical engine (this run)\n"
    "  skyloom report NAME [OPTIONS] [--pdf FILE]\n"
    "                                   write a report to standard output, or as printed pages\n"
    "  skyloom ephemeris [--date YYYY-MM-DD] [--time HH:MM] [location options]\n"
    "                   [--bodies LIST] [--csv] [--jupiter-moons]\n"
    "                                   the engine's places of the bodies at one local instant\n"
    "  skyloom graph NAME [OPTIONS] -o FILE.png|FILE.svg|FILE.pdf [--size WxH] [--grid]\n"
    "                                   draw a graph into a picture file\n"
    "  skyloom movie NAME [OPTIONS] --frames N -o DIR [--size WxH] [--trails] [--skip M]\n"
    "                                   draw N frames of 250 ms as DIR/frame-0001.png ...\n"
    "                                   (after M frames drawn but not written)\n"
    "  skyloom events --year Y [--end-year Y] [--kinds LIST] --format csv|json|ics\n"
    "                 [--output FILE] [place options]\n"
    "                                   every event of the years for a calendar program\n"
    "  skyloom cities list [--match TEXT]\n"
    "  skyloom cities add NAME --lat DEG --lon DEG (--tz HOURS | --zone ZONE) [--elev M]\n"
    "  skyloom cities remove NAME\n"
    "                                   list, add or change, or remove your cities\n"
    "  skyloom --help | skyloom report --help\n"
    "  skyloom --version                the program's version, licence and data credits\n"
    "\n";

// After the names of the reports, graphs and movies.
const char USAGE_OPTIONS[] =
    "OPTIONS:\n"
    "  --year Y          year, or the first year of a range (1000..3000)\n"
    "  --end-year Y      last year of a range\n"
    "  --from-month M    first month (1..12)\n"
    "  --to-month M      last month (1..12)\n"
    "  --date YYYY-MM-DD --time HH:MM   local date and time (movies)\n"
    "  --planets LIST    comma-separated bodies, e.g. mercury,venus,mars\n"
    "  --bodies LIST     ephemeris: sun,moon,mercury,...,pluto (default all)\n"
    "  --moons LIST      graphs: io,europa,ganymede,callisto (default all)\n"
    "  --from-sun        planet-distance: distances from the Sun (default: from the Earth)\n"
    "  --main-planet NAME  planet-angle: the planet the angles are measured from\n"
    "  -o FILE           graphs: the picture file, by its extension PNG, SVG or PDF\n"
    "  --size WxH        graphs, movies: pixels, 640x480 up to 10000 each (default 1000x750)\n"
    "  --speed N         movies: time speed -64..64;  --view-angle DEG  5..90\n"
    "  --track BODY      planetarium: keep a body (sun, moon, mercury ... pluto) centred\n"
    "  --star NAME       planetarium: keep a named star centred (Sirius, CMa/Sirius);\n"
    "                    binary-star: the star (Sirius, Castor, \"alpha Centauri\" ...)\n"
    "  --bodies LIST     planetarium: what to show: sun-moon,planets,stars (default all)\n"
    "  --turbo           planetarium: 1000 times faster (with --track of a planet or --star)\n"
    "  --labels          movies: the planets' names, Jupiter's moons' numbers\n"
    "  --facing DIR      planetarium: the horizon view facing N, NE ... NW or an azimuth\n"
    "                    in degrees, ground below and zenith up;  --altitude DEG  its\n"
    "                    centre above the horizon, 0..90 (default 30)\n"
    "  --magnitude-limit M  planetarium: stars to magnitude M (-2..6) from the deeper\n"
    "                    catalogue (default 6 in the horizon view)\n"
    "  --constellations  planetarium: stick figures and names;  --star-names  names of\n"
    "                    the brightest stars\n"
    "  --night           graphs, movies: the Night sky colours (black sky, white stars)\n"
    "  --step STEP       day-night: real-time, hour, day, week or month per frame\n"
    "  --trails          movies: jet trails\n"
    "  --grid            graphs: grid lines instead of tick marks\n"
    "  --pdf FILE        reports: the pages as the printer would print them, A4\n"
    "  --csv             ephemeris: comma-separated values with a header row\n"
    "  --kinds LIST      events: phases,seasons,eclipses,conjunctions,elongations,\n"
    "                    close-approaches,apsides,nodes,meteors (default all)\n"
    "  --format FORMAT   events: csv, json or ics (iCalendar, for calendar programs)\n"
    "  --output FILE     events: the file to write (default: standard output)\n"
    "  --jupiter-moons   ephemeris: also Jupiter's four large moons (x, y, z in Jupiter radii)\n"
    "  --classical       every command, the window too: the classical engine of 1995\n"
    "                    instead of the precise one (ERFA), which computes by default\n"
    "  --precise         every command: the precise engine, even when the window's\n"
    "                    Settings > Classical Calculations (1995) is checked\n"
    "  --city NAME       a city of the list (default: the current city)\n"
    "  --match TEXT      cities list: only the cities whose names hold TEXT (any case)\n"
    "  --lat DEG --lon DEG (--tz HOURS | --zone ZONE) [--elev M] [--name TEXT]\n"
    "                    a place instead: signed decimal degrees, north and east\n"
    "                    positive; tz = hours added to UT for local standard time\n"
    "  --zone ZONE       times on the clock of an IANA time zone (Europe/London),\n"
    "                    daylight saving time included; with --city, instead of\n"
    "                    the city's own\n"
    "\n"
    "Defaults: this year, months 1 to 12, all planets, the current city.\n"
    "Names ignore case; numbers take a decimal point in every locale (--lat 39.74).\n"
    "Bad input, or an option the command does not read, prints a message on\n"
    "standard error and exits with status 2; a file that cannot be read or\n"
    "written, or a fatal error, with status 1.\n";

struct Options {
    std::map<std::string, std::string> values;  // option name (without "--") -> text
};

constexpr const char* OPTION_NAMES[] = {"year", "end-year", "from-month", "to-month", "date", "time",
                                        "moons", "main-planet", "output", "size", "pdf",
                                        "planets", "bodies", "city", "lat", "lon", "tz", "elev", "name",
                                        "speed", "view-angle", "track", "frames", "star", "step", "skip",
                                        "match", "zone", "facing", "altitude", "magnitude-limit",
                                        "kinds", "format"};
constexpr const char* FLAG_NAMES[] = {"csv", "jupiter-moons", "from-sun", "grid", "turbo", "labels", "trails",
                                      "precise", "classical", "constellations", "star-names", "night"};  // options without a value
constexpr const char* LOCATION_OPTION_NAMES[] = {"city", "lat", "lon", "tz", "zone", "elev", "name"};

// The options a command reads besides the place options, separated by blanks:
// its row's (the fields of its dialog) and the options of its verb.
std::string options_of(const std::string& verb, int command) {
    const CommandEntry* entry = command ? find_command(command) : nullptr;
    std::string used = entry ? entry->cli_options : "";
    if (verb == "report") used += " pdf";
    if (verb == "graph") used += " output size grid night";
    if (verb == "movie") used += " output size frames skip trails night";
    if (verb == "ephemeris") used += " date time bodies csv jupiter-moons";
    if (verb == "events") used += " year end-year kinds format output";
    return used;
}

bool is_place_option(const std::string& name) {
    return std::find(std::begin(LOCATION_OPTION_NAMES), std::end(LOCATION_OPTION_NAMES), name) !=
           std::end(LOCATION_OPTION_NAMES);
}

bool is_engine_option(const std::string& name) { return name == "classical" || name == "precise"; }

// The engine the options choose: the precise one unless --classical; null,
// after saying so, when both are given.
const SkyEngine* chosen_engine(const Options& options) {
    const bool classical = options.values.count("classical") != 0;
    if (classical && options.values.count("precise")) {
        std::fprintf(stderr, "--classical and --precise exclude each other\n");
        return nullptr;
    }
    return classical ? &CLASSICAL_ENGINE : &PRECISE_ENGINE;
}

// False, after saying so, when an option is one the command does not read
// (calendar --end-year): a command line never silently ignores what it is told.
bool options_apply(const Options& options, const std::string& verb, const std::string& name, int command) {
    const std::string used = options_of(verb, command);
    const std::string words = " " + used + " ";
    for (const auto& [option, value] : options.values) {
        if (is_place_option(option) || is_engine_option(option) || words.find(" " + option + " ") != std::string::npos)
            continue;
        std::string taken;
        for (size_t start = 0, end; start < used.size(); start = end + 1) {
            end = std::min(used.find(' ', start), used.size());
            if (end == start) continue;
            std::string word = used.substr(start, end - start);
            taken += (word == "output" ? "-o" : "--" + word) + " ";
        }
        std::fprintf(stderr, "%s does not apply to %s%s%s (it takes %sand the place options)\n",
                     option == "output" ? "-o" : ("--" + option).c_str(), verb.c_str(), name.empty() ? "" : " ",
                     name.c_str(), taken.c_str());
        return false;
    }
    return true;
}

// ---- the command line's stand-ins for the window ----

// The run the stand-ins report to.  They are the core's plain function hooks
// (a message presenter, a dialog step), which carry no context, so this one
// record of the command line's run is module state.
struct CliRun {
    bool refused = false;  // a dialog rule or a pre-check refused the input
    const Options* options = nullptr;
    const CliSurfaces* surfaces = nullptr;  // the toolkit's, in skyloom-qt
} run;

// Set by the SIGINT handler, so it must be a global of this type.
volatile std::sig_atomic_t interrupted = 0;
void on_interrupt(int) { interrupted = 1; }

bool print_message(const char* title, const char* text, MessageIcon icon) {
    if (icon == ICON_QUESTION) return false;
    std::fprintf(stderr, "%s\n", latin1_to_terminal(text).c_str());
    run.refused = true;
    return true;
}

void take_interrupt(int) {
    if (interrupted) work_signals().stop_requested = true;
}

void show_progress(const std::string& text) {
    std::fprintf(stderr, "\r%s", latin1_to_terminal(text).c_str());
    std::fflush(stderr);
}

std::optional<std::string> option(const std::string& name) {
    auto it = run.options->values.find(name);
    if (it == run.options->values.end()) return std::nullopt;
    return it->second;
}

void override_field(std::string& field, const char* name) {
    if (auto v = option(name)) field = *v;
}

// The index of name among names (either case); -1 when it is not there.
template <size_t N>
int index_of(const std::string& name, const char* const (&names)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (same_text_ignoring_case(name, names[i])) return static_cast<int>(i);
    return -1;
}

// Bit set over the positions of names (either case) from a comma-separated
// list; -1 for an unknown name.
template <size_t N>
int name_set(const std::string& list, const char* const (&names)[N]) {
    int set = 0;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        int bit = index_of(list.substr(start, end - start), names);
        if (bit < 0) return -1;
        set |= 1 << bit;
        start = end + 1;
    }
    return set;
}

int parse_body_list(const std::string& list) { return name_set(list, BODY_NAMES); }

// A body id from its name; -1 for an unknown name.
int body_of(const std::string& name) {
    int set = parse_body_list(name);
    for (int b = 0; set > 0 && b < static_cast<int>(std::size(BODY_NAMES)); ++b)
        if (set == 1 << b) return b;
    return -1;
}

// The dialog step: the options stand for what the user would type.
void options_dialog(DialogId dialog, CommandParams& params) {
    DialogEntry entry = dialog_entry_from(dialog, params);
    override_field(entry.year, "year");
    override_field(entry.end_year, "end-year");
    override_field(entry.month, "from-month");
    override_field(entry.end_month, "to-month");
    if (!option("end-year") && option("year")) entry.end_year = *option("year");
    // Month ranges cover whole years unless told; one-month dialogs keep the clock's month.
    bool month_range = dialog == DIAL_YEAR_MR || dialog == DIAL_PLANETS;
    if (month_range && !option("from-month")) entry.month = field_text(1);
    if (month_range && !option("to-month")) entry.end_month = field_text(12);
    entry.distance_from_sun = option("from-sun") ? 1 : 0;
    if (auto main = option("main-planet")) entry.main_planet = body_of(*main);
    if (auto moons = option("moons")) entry.moon_set = name_set(*moons, MOON_NAMES);
    DialogError error = apply_dialog(dialog, entry, params);
    if (error.message_id) {
        show_error(error.message_id);
        params.cancelled = true;
    }
}

// ---- parsing ----

bool parse_options(int argc, char** argv, int first, Options& out) {
    for (int i = first; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-o") arg = "--output";
        if (arg.rfind("--", 0) != 0) return false;
        std::string name = arg.substr(2);
        bool flag = false, known = false;
        for (const char* n : FLAG_NAMES) flag = flag || name == n;
        for (const char* n : OPTION_NAMES) known = known || name == n;
        if (flag) {
            out.values.insert_or_assign(name, std::string(1, '1'));
            continue;
        }
        if (!known || i + 1 >= argc) return false;
        out.values[name] = argv[++i];
    }
    return true;
}

// Splits signed decimal degrees into the dialog's whole degrees, minutes and
// seconds.  The number is checked before any arithmetic: not a number gives
// "Invalid number", a magnitude above limit the range message; 0 when the
// text is usable.
int degrees_entry(const std::string& text, double limit, int range_message, std::string& d, std::string& m,
                  std::string& s, int& hemisphere, int positive_code, int negative_code) {
    std::optional<double> read = read_decimal_number(text);
    if (!read) return MSG_INVALID_NUMBER;
    const double value = *read;
    if (!(std::fabs(value) <= limit)) return range_message;
    hemisphere = value < 0 ? negative_code : positive_code;
    long seconds = std::lround(std::fabs(value) * 3600.0);
    d = std::to_string(seconds / 3600);
    m = std::to_string(seconds / 60 % 60);
    s = std::to_string(seconds % 60);
    return 0;
}

// A name option (UTF-8, as the terminal gives it) in the program's Latin-1;
// false after a message when it has a character Latin-1 lacks.
bool latin1_option(const char* name, std::string& latin1) {
    const std::string text = option(name).value_or("");
    if (utf8_to_latin1_exact(text, latin1)) return true;
    std::fprintf(stderr, "--%s: %s has a character the city list cannot hold (Latin-1 only)\n", name,
                 latin1_to_terminal(utf8_to_latin1(text)).c_str());
    run.refused = true;
    return false;
}

// A place typed as signed decimal --lat and --lon, --tz and --elev, checked
// as the Set Location dialog checks it (numbers before any arithmetic);
// nullopt after the refusal was shown.
std::optional<CityRecord> typed_place(const std::string& name, const std::string& lat, const std::string& lon,
                                      const std::string& tz) {
    LocationEntry entry;
    entry.name = name;
    entry.elevation = option("elev").value_or("0");
    entry.time_zone = tz;
    int message = degrees_entry(lat, MAX_LATITUDE_DEGREES, MSG_LATITUDE_RANGE, entry.latitude_degrees,
                                entry.latitude_minutes, entry.latitude_seconds, entry.latitude_hemisphere,
                                COMPASS_NORTH, COMPASS_SOUTH);
    if (message == 0)
        message = degrees_entry(lon, MAX_LONGITUDE_DEGREES, MSG_LONGITUDE_RANGE, entry.longitude_degrees,
                                entry.longitude_minutes, entry.longitude_seconds, entry.longitude_hemisphere,
                                COMPASS_EAST, COMPASS_WEST);
    if (message == 0 && !read_decimal_number(tz)) message = MSG_INVALID_NUMBER;
    Location place;
    if (message == 0) message = apply_location_entry(entry, place).message_id;
    if (message != 0) {
        show_error(message);
        return std::nullopt;
    }
    return city_of_entry(entry, place);
}

// True when the zone name (empty: none) can be used, else false after a
// message naming it.
bool zone_usable(const std::string& zone) {
    const int message = zone_name_message(zone);
    if (message == 0) return true;
    std::fprintf(stderr, "%s: %s\n", latin1_to_terminal(zone).c_str(), std::string(load_string(message)).c_str());
    run.refused = true;
    return false;
}

// The --tz text of a place given by its zone alone: the zone's standard
// offset now, within the fixed offsets' range (Kiritimati's +14 is kept as
// +12; its zone gives the clock).
std::string fixed_offset_text(const std::string& zone) {
    Location place;
    place.zone = zone;
    const double hours = std::clamp(standard_offset_hours(place, now_ut()), -MAX_TIME_ZONE_HOURS, MAX_TIME_ZONE_HOURS);
    char text[32];
    *std::to_chars(text, text + sizeof text - 1, hours, std::chars_format::fixed, 2).ptr = '\0';
    return text;
}

// A typed place's --tz, or the one its --zone gives; nullopt after a message.
std::optional<std::string> typed_offset(const char* needs) {
    auto tz = option("tz"), zone = option("zone");
    if (tz && zone) {
        std::fprintf(stderr, "Give --tz or --zone, not both\n");
        run.refused = true;
        return std::nullopt;
    }
    if (!tz && !zone) {
        std::fprintf(stderr, "%s\n", needs);
        run.refused = true;
        return std::nullopt;
    }
    if (zone && !zone_usable(*zone)) return std::nullopt;
    return tz ? *tz : fixed_offset_text(*zone);
}

// The place of --city or --lat/--lon/--tz; false after a message.
bool choose_place(Location& location) {
    auto lat = option("lat"), lon = option("lon"), tz = option("tz");
    const bool typed = lat || lon || tz || option("elev") || option("name");
    // A place is a city or typed numbers, never both: nothing told is ignored.
    if (option("city") && typed) {
        std::fprintf(stderr, "--city and --lat, --lon, --tz, --elev or --name: give one place\n");
        run.refused = true;
        return false;
    }
    if (option("city")) {
        std::string city;
        if (!latin1_option("city", city)) return false;
        const CityRecord* record = find_city(city);
        if (!record) {
            std::fprintf(stderr, "Unknown city: %s (see skyloom cities list)\n", latin1_to_terminal(city).c_str());
            run.refused = true;
            return false;
        }
        location = location_from_city(*record);
        return true;
    }
    if (!typed) return true;
    constexpr const char* TOGETHER = "--lat, --lon and --tz (or --zone) go together";
    if (!lat || !lon) {
        std::fprintf(stderr, "%s\n", TOGETHER);
        run.refused = true;
        return false;
    }
    const std::optional<std::string> offset = typed_offset(TOGETHER);
    if (!offset) return false;
    std::string name = "Observer";
    if (option("name") && !latin1_option("name", name)) return false;
    std::optional<CityRecord> place = typed_place(name, *lat, *lon, *offset);
    if (place) location = location_from_city(*place);
    return place.has_value();
}

// Fills the location from --city or --lat/--lon/--tz, with --zone's clock;
// false after a message.
bool choose_location(Location& location) {
    if (!choose_place(location)) return false;
    if (option("zone")) location.zone = *option("zone");
    return zone_usable(location.zone);
}

// "TITLE NAME: a b c", wrapped before a name that would pass column 87 onto
// lines indented by six blanks.
std::string name_list(const char* title, OutputKind kind) {
    constexpr std::size_t WIDTH = 87;
    std::string text = title, line = "NAME:";
    if (!text.empty()) line = text + " " + line;
    text.clear();
    for (std::string_view name : command_names(kind)) {
        if (line.size() + 1 + name.size() > WIDTH) {
            text += line + "\n";
            line = "     ";
        }
        line += " ";
        line += name;
    }
    return text + line + "\n\n";
}

int usage(FILE* to, int status) {
    const std::string text = std::string(USAGE_COMMANDS) + name_list("", OutputKind::Report) +
                             name_list("Graph", OutputKind::Graph) + name_list("Movie", OutputKind::Movie) +
                             USAGE_OPTIONS;
    if (to != stdout) {
        std::fputs(text.c_str(), to);
        return status;
    }
    return write_standard_output(text) ? status : EXIT_FILE_ERROR;
}

// skyloom --version: the program's name and version (the build's), its
// licence and the credits of its data.
int print_version() {
    std::string text = std::string("skyloom (Skyloom 2) ") + SKYLOOM_VERSION + "\n";
    for (int id : {STR_COPYRIGHT, STR_LICENCE_NOTICE, STR_DATA_CREDITS}) text += latin1_to_utf8(load_string(id)) + "\n";
    return write_standard_output(text) ? 0 : EXIT_FILE_ERROR;
}

// "Cannot write PATH (reason)" for the errno of a failed write; the status.
int cannot_write(const std::string& path) {
    std::fprintf(stderr, "%s\n", file_error_text(MSG_CANNOT_WRITE_FILE, path, errno).c_str());
    return EXIT_FILE_ERROR;
}

int print_document(const ReportDocument& document) {
    std::string text;
    // Room for every line at full width: a long report's text grows once, not line by line.
    text.reserve(static_cast<std::size_t>(document.line_count) * (REPORT_WIDTH + 1));
    for (int i = 0; i < document.line_count; ++i) {
        text += latin1_to_terminal(report_line(document, i));
        text += '\n';
    }
    return write_standard_output(text) ? 0 : EXIT_FILE_ERROR;
}

// The report's printed pages in a PDF file of A4 pages.
int print_document_pdf(const ReportDocument& document, const std::string& path) {
    return write_report_pdf(document, path, *run.surfaces) ? 0 : cannot_write(path);
}

// Messages on standard error, the city list and the place the options choose.
bool load_place(const Options& options, Location& location) {
    run.options = &options;
    set_message_presenter(print_message);
    load_cities(location);
    run.refused = false;  // a missing city list is not the user's input
    return choose_location(location);
}

// What every command-line run starts with: the parameters' start-up values
// and the chosen place.
bool start_up(const Options& options) {
    AppState& app = app_state();
    const SkyEngine* engine = chosen_engine(options);
    if (!engine) return false;
    app.sky.engine = engine;
    if (!load_place(options, app.sky.location)) return false;
    // A movie without --date starts at the present time on the place's clock.
    app.params = default_command_params(ut_to_clock(app.sky.location, ut_now()));
    return true;
}

// Splits "YYYY-MM-DD" (the year may be negative) and "HH:MM" into the date
// dialog's fields; false when the text has another shape.
bool split_date_time(DialogEntry& entry) {
    if (auto date = option("date")) {
        size_t second = date->rfind('-');
        size_t first = second == std::string::npos || second == 0 ? std::string::npos : date->rfind('-', second - 1);
        if (first == std::string::npos || first == 0) return false;
        entry.year = date->substr(0, first);
        entry.month = date->substr(first + 1, second - first - 1);
        entry.day = date->substr(second + 1);
    }
    if (auto time = option("time")) {
        size_t colon = time->find(':');
        if (colon == std::string::npos) return false;
        entry.hour = time->substr(0, colon);
        entry.minute = time->substr(colon + 1);
    }
    return true;
}

int ephemeris_command(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[2], "--help") == 0) return usage(stdout, 0);
    Options options;
    if (!parse_options(argc, argv, 2, options)) return usage(stderr, EXIT_BAD_INPUT);
    if (!options_apply(options, "ephemeris", "", 0)) return EXIT_BAD_INPUT;
    if (!start_up(options)) return EXIT_BAD_INPUT;
    AppState& app = app_state();
    DialogEntry entry = dialog_entry_from(DIAL_DN_MOVIE, app.params);
    entry.minute = field_text(app.params.minute);
    if (!split_date_time(entry)) {
        show_error(MSG_INVALID_DATE);
        return EXIT_BAD_INPUT;
    }
    if (DialogError error = apply_dialog(DIAL_DN_MOVIE, entry, app.params); error.message_id) {
        show_error(error.message_id);
        return EXIT_BAD_INPUT;
    }
    BodySet bodies = SKY_BODIES;
    if (auto list = option("bodies")) {
        int set = parse_body_list(*list);
        if (set < 0) {
            std::fprintf(stderr, "Unknown body in --bodies: %s\n", list->c_str());
            return EXIT_BAD_INPUT;
        }
        bodies = BodySet{static_cast<std::uint32_t>(set)};
    }
    const CommandParams& p = app.params;
    double hours = p.hour + p.minute / 60.0;
    bool csv = option("csv").has_value();
    std::vector<EphemerisRow> rows = ephemeris_rows(bodies, p.day, p.month, p.year, hours, app.sky);
    std::string text = csv ? ephemeris_csv(rows, *app.sky.engine)
                           : ephemeris_table(rows, p.day, p.month, p.year, hours, app.sky);
    if (option("jupiter-moons")) {
        text += '\n';
        text += jupiter_moons_text(p.day, p.month, p.year, hours, app.sky, csv);
    }
    return write_standard_output(text) ? 0 : EXIT_FILE_ERROR;
}

// skyloom events: the years' events as CSV, JSON or iCalendar, to standard
// output or through a temporary file renamed over --output.
int events_command(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[2], "--help") == 0) return usage(stdout, 0);
    Options options;
    if (!parse_options(argc, argv, 2, options)) return usage(stderr, EXIT_BAD_INPUT);
    if (!options_apply(options, "events", "", 0)) return EXIT_BAD_INPUT;
    run.options = &options;
    const std::optional<EventFormat> format = event_format_named(option("format").value_or(""));
    if (!format) {
        std::fprintf(stderr, "--format must be csv, json or ics%s%s\n", option("format") ? ": " : "",
                     option("format").value_or("").c_str());
        return EXIT_BAD_INPUT;
    }
    const long kinds = option("kinds") ? event_kinds_named(*option("kinds")) : long{ALL_EVENT_KINDS};
    if (kinds < 0) {
        std::fprintf(stderr, "Unknown kind in --kinds: %s (%s)\n", option("kinds")->c_str(), event_kind_names().c_str());
        return EXIT_BAD_INPUT;
    }
    if (!option("year")) {
        std::fprintf(stderr, "events needs --year (and --end-year for a range)\n");
        return EXIT_BAD_INPUT;
    }
    if (!start_up(options)) return EXIT_BAD_INPUT;
    AppState& app = app_state();
    DialogEntry entry = dialog_entry_from(DIAL_YEAR_RANGE, app.params);
    entry.year = *option("year");
    entry.end_year = option("end-year").value_or(entry.year);
    if (DialogError error = apply_dialog(DIAL_YEAR_RANGE, entry, app.params); error.message_id) {
        show_error(error.message_id);
        return EXIT_BAD_INPUT;
    }
    const EventList list = gather_events(app.params.year, app.params.end_year, static_cast<EventKinds>(kinds), app.sky,
                                         nullptr, nullptr);
    const std::string text = events_text(*format, list.events, app.sky.location, now_ut());
    const std::optional<std::string> path = option("output");
    if (!path) return write_standard_output(text) ? 0 : EXIT_FILE_ERROR;
    return write_events_file(*path, text) ? 0 : cannot_write(*path);
}

// --planets into the parameters; --moons and --main-planet checked for the
// dialog step.  False after a message about an unknown name.
bool take_body_options(CommandParams& params) {
    if (auto planets = option("planets")) {
        int set = parse_body_list(*planets);
        if (set < 0) {
            std::fprintf(stderr, "Unknown body in --planets: %s\n", planets->c_str());
            return false;
        }
        params.planet_set = BodySet{static_cast<std::uint32_t>(set)};
    }
    if (auto moons = option("moons"); moons && name_set(*moons, MOON_NAMES) < 0) {
        std::fprintf(stderr, "Unknown moon in --moons: %s (io, europa, ganymede, callisto)\n", moons->c_str());
        return false;
    }
    if (auto main = option("main-planet"); main && (body_of(*main) < id_of(Body::Mercury))) {
        std::fprintf(stderr, "Unknown planet in --main-planet: %s (mercury ... pluto)\n", main->c_str());
        return false;
    }
    return true;
}

// White paper, or with --night the Night sky colours.
GraphStyle command_line_style(bool grid_lines) {
    return current_graph_style(grid_lines, surface_color(255, 255, 255),
                               option("night") ? ColorScheme::NightSky : ColorScheme::Day);
}

// The picture file a graph goes to, by its extension.
FileKind picture_kind(const std::string& path) {
    const FileKind kind = file_kind_of(path);
    return kind == FileKind::Text ? FileKind::None : kind;
}

constexpr int MAX_PICTURE_SIDE = 10000;  // pixels

// The picture size from --size "WxH" (default 1000 x 750); false after a
// message naming the limits, or, for a picture too small to read, the
// smallest size of at least its width and height that is drawn.
bool picture_size(int& width, int& height) {
    width = GRAPH_WIDTH;
    height = GRAPH_HEIGHT;
    auto text = option("size");
    if (!text) return true;
    size_t x = text->find('x');
    if (x != std::string::npos) {
        width = read_whole_number(std::string_view(*text).substr(0, x)).value_or(0);
        height = read_whole_number(std::string_view(*text).substr(x + 1)).value_or(0);
    }
    if (x == std::string::npos || width < 1 || width > MAX_PICTURE_SIDE || height < 1 || height > MAX_PICTURE_SIDE) {
        std::fprintf(stderr, "--size must be WIDTHxHEIGHT in pixels, each from 1 to %d (e.g. 1000x750): %s\n",
                     MAX_PICTURE_SIDE, text->c_str());
        return false;
    }
    if (picture_readable(width, height)) return true;
    const SurfaceSize least = smallest_picture();
    std::fprintf(stderr,
                 "--size %dx%d is too small to read: pictures need at least %d pixels across and %d up; "
                 "the smallest that works is --size %dx%d\n",
                 width, height, least.width, least.height, std::max(width, least.width),
                 std::max(height, least.height));
    return false;
}

int graph_command(int argc, char** argv) {
    if (argc < 3 || std::strcmp(argv[2], "--help") == 0) return usage(argc < 3 ? stderr : stdout, argc < 3 ? EXIT_BAD_INPUT : 0);
    const int command = command_named(OutputKind::Graph, argv[2]);
    Options options;
    if (command == 0 || !parse_options(argc, argv, 3, options)) return usage(stderr, EXIT_BAD_INPUT);
    if (!options_apply(options, "graph", argv[2], command)) return EXIT_BAD_INPUT;
    run.options = &options;
    std::string path = option("output").value_or("");
    const FileKind kind = picture_kind(path);
    if (kind == FileKind::None) return usage(stderr, EXIT_BAD_INPUT);
    int width, height;
    if (!picture_size(width, height)) return EXIT_BAD_INPUT;
    if (!start_up(options)) return EXIT_BAD_INPUT;
    AppState& app = app_state();
    if (!take_body_options(app.params)) return EXIT_BAD_INPUT;

    ShellHooks hooks;
    hooks.run_dialog = options_dialog;
    set_shell_hooks(hooks);
    dispatch_command(command);  // the pre-checks and the dialog's rules
    if (run.refused || app.current_output != command) return EXIT_BAD_INPUT;

    const GraphStyle style = command_line_style(option("grid").has_value());
    const bool written = write_picture(kind, path, width, height, [&](Surface& surface, int w, int h) {
        draw_command_graph(command, surface, w, h, style, app.params, app.sky);
    }, *run.surfaces);
    return written ? 0 : cannot_write(path);
}

// The day/night movie's steps per tick, by speed index.
constexpr const char* STEP_NAMES[] = {"real-time", "hour", "day", "week", "month"};
// The planetarium's View boxes: Sun/Moon, Planets, Stars.
constexpr const char* VIEW_NAMES[] = {"sun-moon", "planets", "stars"};

// The planetarium's options: the body (--track BODY or --star NAME), the
// View boxes and turbo.  False after a message about an unknown name.
bool planetarium_entry(DialogEntry& entry) {
    if (option("track") && option("star")) {
        std::fprintf(stderr, "--track and --star cannot be given together: the view centres one body or one star\n");
        return false;
    }
    if (option("altitude") && !option("facing")) {
        std::fprintf(stderr, "--altitude needs --facing: it raises the horizon view\n");
        return false;
    }
    // Numbers as every option reads them (a decimal point in every locale);
    // the ranges are the dialog's.
    for (const char* name : {"facing", "altitude", "magnitude-limit"}) {
        auto text = option(name);
        const bool compass = std::string(name) == "facing" && text && text->find_first_of("0123456789") == std::string::npos;
        if (text && !compass && !read_decimal_number(*text)) {
            show_error(MSG_INVALID_NUMBER);
            return false;
        }
    }
    override_field(entry.facing, "facing");
    override_field(entry.altitude, "altitude");
    override_field(entry.magnitude_limit, "magnitude-limit");
    entry.constellations = option("constellations") ? 1 : 0;
    entry.star_names = option("star-names") ? 1 : 0;
    entry.turbo = option("turbo") ? 1 : 0;
    entry.track_body = option("track") || option("star") ? 1 : 0;
    if (auto track = option("track")) entry.planetarium_body = body_of(*track);
    if (auto star = option("star")) {
        const StarCatalogue* catalogue = app_state().star_catalogue.get();
        entry.planetarium_star = catalogue ? find_named_star(*catalogue, *star) : -1;
        entry.planetarium_body = PLANETARIUM_STAR_BODY;
        if (entry.planetarium_star < 0) {
            std::fprintf(stderr, "Unknown star in --star: %s (a named star, e.g. Sirius or CMa/Sirius)\n",
                         star->c_str());
            return false;
        }
    }
    entry.planetarium_star = std::max(entry.planetarium_star, 0);
    if (auto view = option("bodies")) {
        int set = name_set(*view, VIEW_NAMES);
        if (set < 0) {
            std::fprintf(stderr, "Unknown item in --bodies: %s (sun-moon, planets, stars)\n", view->c_str());
            return false;
        }
        entry.view_sun_moon = set & 1;
        entry.view_planets = set >> 1 & 1;
        entry.view_stars = set >> 2 & 1;
    }
    return true;
}

// The options of a movie's own dialog; false after a message about an unknown name.
bool movie_entry(DialogId dialog, DialogEntry& entry) {
    switch (dialog) {
    case DIAL_PL_MOVIE: return planetarium_entry(entry);
    case DIAL_DN_MOVIE:
        if (auto step = option("step")) {
            entry.speed_index = index_of(*step, STEP_NAMES);
            if (entry.speed_index < 0) {
                std::fprintf(stderr, "Unknown --step: %s (real-time, hour, day, week, month)\n", step->c_str());
                return false;
            }
        }
        return true;
    case DIAL_BS_MOVIE:
        override_field(entry.year, "year");
        if (auto star = option("star")) {
            entry.binary_star = -1;
            for (int i = 0; i < BINARY_STAR_COUNT; ++i)
                if (same_text_ignoring_case(*star, load_string(STR_FIRST_BINARY_STAR + i)))
                    entry.binary_star = i;
            if (entry.binary_star < 0) {
                std::fprintf(stderr, "Unknown binary star in --star: %s (e.g. Sirius, \"alpha Centauri\")\n",
                             star->c_str());
                return false;
            }
        }
        return true;
    case DIAL_JM_MOVIES:
        if (auto moons = option("moons")) entry.moon_set = name_set(*moons, MOON_NAMES);
        entry.number_moons = option("labels") ? 1 : 0;
        return true;
    default:  // DIAL_EC_MOVIES: --planets is in the parameters already; its boxes are Earth to Pluto
        entry.planet_set &= static_cast<int>(EARTH_AND_PLANETS.bits);
        return true;
    }
}

// A movie dialog's step from the options: date and time, speed, view angle
// and the movie's own choices.
void movie_options_dialog(DialogId dialog, CommandParams& params) {
    DialogEntry entry = dialog_entry_from(dialog, params);
    if (!split_date_time(entry)) {
        std::fprintf(stderr, "--date is YYYY-MM-DD, --time HH:MM\n");
        params.cancelled = run.refused = true;
        return;
    }
    override_field(entry.time_speed, "speed");
    override_field(entry.view_angle, "view-angle");
    entry.label_planets = option("labels") ? 1 : 0;
    if (!movie_entry(dialog, entry)) {
        params.cancelled = run.refused = true;
        return;
    }
    DialogError error = apply_dialog(dialog, entry, params);
    if (error.message_id) {
        show_error(error.message_id);
        params.cancelled = true;
    }
}

// Frames of a movie drawn off-screen, one 250 ms tick apart, as PNG files.
int movie_command(int argc, char** argv) {
    if (argc < 3 || std::strcmp(argv[2], "--help") == 0) return usage(argc < 3 ? stderr : stdout, argc < 3 ? EXIT_BAD_INPUT : 0);
    const int command = command_named(OutputKind::Movie, argv[2]);
    Options options;
    if (command == 0 || !parse_options(argc, argv, 3, options)) return usage(stderr, EXIT_BAD_INPUT);
    if (!options_apply(options, "movie", argv[2], command)) return EXIT_BAD_INPUT;
    run.options = &options;
    const std::string folder = option("output").value_or("");
    const int frames = read_whole_number(option("frames").value_or("")).value_or(0);
    const int skipped = read_whole_number(option("skip").value_or("0")).value_or(-1);
    int width, height;
    if (folder.empty() || frames < 1 || skipped < 0) return usage(stderr, EXIT_BAD_INPUT);
    if (!picture_size(width, height)) return EXIT_BAD_INPUT;
    if (skipped > INT_MAX - frames) {  // the frame counter is an int
        std::fprintf(stderr, "--skip plus --frames must be at most %d\n", INT_MAX);
        return EXIT_BAD_INPUT;
    }
    if (!start_up(options) || !take_body_options(app_state().params)) return EXIT_BAD_INPUT;
    if (auto track = option("track"); track && body_of(*track) < 0) {
        std::fprintf(stderr, "Unknown body in --track: %s (sun, moon, mercury ... pluto)\n", track->c_str());
        return EXIT_BAD_INPUT;
    }
    AppState& app = app_state();
    const CommandEntry& row = *find_command(command);
    if (row.needs_star_catalogue && !app.star_catalogue && !(app.star_catalogue = load_star_catalogue())) {
        std::fprintf(stderr, "%s\n", latin1_to_terminal(star_catalogue_error()).c_str());
        return EXIT_FILE_ERROR;  // a data file, not the user's input
    }

    const bool atlas_needed = option("facing") || option("magnitude-limit") || option("constellations") ||
                              option("star-names");
    if (row.dialog == DIAL_PL_MOVIE && atlas_needed && !app.sky_atlas && !(app.sky_atlas = load_sky_atlas())) {
        std::fprintf(stderr, "%s\n", latin1_to_terminal(sky_atlas_error()).c_str());
        return EXIT_FILE_ERROR;
    }

    ShellHooks hooks;
    hooks.run_dialog = movie_options_dialog;
    set_shell_hooks(hooks);
    dispatch_command(command);  // the pre-checks and the dialog's rules
    if (run.refused || app.current_output != command) return EXIT_BAD_INPUT;

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    run.surfaces->start();
    std::unique_ptr<Surface> surface = run.surfaces->image(width, height, 1.0);
    MovieState movie;
    start_movie(movie, row.movie, movie_params_of(app.params), app.star_catalogue.get());
    movie.seconds_per_tick = 0.25;
    movie.jet_trails = option("trails").has_value();
    movie.atlas = app.sky_atlas.get();
    movie.constellations = app.constellations;
    movie.star_names = app.star_names;
    const GraphStyle style = command_line_style(false);
    for (int frame = 0; frame < skipped + frames; ++frame) {
        draw_movie_frame(*surface, width, height, movie, app.sky, style, static_cast<std::uint32_t>(frame));
        if (frame < skipped) continue;
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%04d.png", frame - skipped + 1);
        errno = 0;
        if (!run.surfaces->save_png(*surface, folder + name)) return cannot_write(folder + name);
    }
    return 0;
}

int report_command(int argc, char** argv) {
    if (argc < 3 || std::strcmp(argv[2], "--help") == 0) return usage(argc < 3 ? stderr : stdout, argc < 3 ? EXIT_BAD_INPUT : 0);
    const int command = command_named(OutputKind::Report, argv[2]);
    Options options;
    if (command == 0 || !parse_options(argc, argv, 3, options)) return usage(stderr, EXIT_BAD_INPUT);
    if (!options_apply(options, "report", argv[2], command)) return EXIT_BAD_INPUT;
    if (!start_up(options)) return EXIT_BAD_INPUT;
    AppState& app = app_state();
    if (!take_body_options(app.params)) return EXIT_BAD_INPUT;

    ShellHooks hooks;
    hooks.run_dialog = options_dialog;
    set_shell_hooks(hooks);
    std::signal(SIGINT, on_interrupt);
    set_pending_event_processor(take_interrupt);
    bool terminal = isatty(STDERR_FILENO);
    ReportDisplay display;
    if (terminal) display.progress = show_progress;
    set_report_display(display);

    dispatch_command(command);

    if (terminal) std::fputs("\r\033[K", stderr);
    if (run.refused) return EXIT_BAD_INPUT;
    if (std::optional<std::string> pdf = option("pdf")) return print_document_pdf(app.report, *pdf);
    return print_document(app.report);
}

// ---- skyloom cities: the city list for scripts ----

// One city as "cities list" shows it, in Latin-1: the current city marked
// "*", signed angles as degrees, minutes and seconds with the hemisphere,
// elevation, time zone in hours ("." in every locale), its clock's zone name
// when it has one, and whether the city is the user's own.
std::string city_row(const CityRecord& c) {
    char zone[32];
    auto [end, error] = std::to_chars(zone, zone + sizeof zone, c.time_zone, std::chars_format::fixed, 2);
    *end = '\0';
    const CityOrigin origin = city_origin(c);
    char row[256];
    std::snprintf(row, sizeof row, "%c %-20s %2d\xB0%02d'%02d\"%c %3d\xB0%02d'%02d\"%c %5d m %6s h%s%.60s%s\n",
                  same_text_ignoring_case(c.name, current_city_name()) ? '*' : ' ', c.name.c_str(),
                  c.latitude_degrees, c.latitude_minutes, c.latitude_seconds,
                  c.latitude_hemisphere == COMPASS_SOUTH ? 'S' : 'N', c.longitude_degrees, c.longitude_minutes,
                  c.longitude_seconds, c.longitude_hemisphere == COMPASS_EAST ? 'E' : 'W', c.elevation, zone,
                  c.zone.empty() ? "" : " ", c.zone.c_str(),
                  origin == CityOrigin::ADDED ? "  yours" : origin == CityOrigin::CHANGED ? "  yours, changed" : "");
    return row;
}

// True when text holds part, ignoring letter case and accents (Latin-1).
bool holds_ignoring_accents(const std::string& text, const std::string& part) {
    return without_accents_or_case(text).find(without_accents_or_case(part)) != std::string::npos;
}

int cities_list() {
    std::string match;
    if (option("match") && !latin1_option("match", match)) return EXIT_BAD_INPUT;
    std::string text;
    for (int i = 0; i < city_count(); ++i) {
        const CityRecord& city = *find_city(city_name(i));
        if (holds_ignoring_accents(city_name(i), match)) text += latin1_to_terminal(city_row(city));
    }
    return write_standard_output(text) ? 0 : EXIT_FILE_ERROR;
}

int cities_add(const std::string& name) {
    constexpr const char* TAKES = "cities add takes --lat, --lon and --tz or --zone";
    auto lat = option("lat"), lon = option("lon");
    if (!lat || !lon) {
        std::fprintf(stderr, "%s\n", TAKES);
        return EXIT_BAD_INPUT;
    }
    const std::optional<std::string> offset = typed_offset(TAKES);
    if (!offset) return EXIT_BAD_INPUT;
    std::optional<CityRecord> city = typed_place(name, *lat, *lon, *offset);
    if (!city) return EXIT_BAD_INPUT;
    city->zone = option("zone").value_or("");
    add_city(*city);
    if (!save_cities()) return EXIT_FILE_ERROR;
    return write_standard_output(latin1_to_terminal(city_row(*find_city(city->name)))) ? 0 : EXIT_FILE_ERROR;
}

int cities_remove(const std::string& name) {
    if (!remove_city(name)) {
        std::fprintf(stderr, "Unknown city: %s (see skyloom cities list)\n", latin1_to_terminal(name).c_str());
        return EXIT_BAD_INPUT;
    }
    return save_cities() ? 0 : EXIT_FILE_ERROR;
}

// skyloom cities list [--match TEXT] | add NAME ... | remove NAME.
int cities_command(int argc, char** argv) {
    const std::string action = argc > 2 ? argv[2] : "";
    const bool named = action == "add" || action == "remove";
    if (action == "--help") return usage(stdout, 0);
    if (action != "list" && !named) return usage(stderr, EXIT_BAD_INPUT);
    Options options;
    const int first = named ? 4 : 3;
    if (named && argc < 4) return usage(stderr, EXIT_BAD_INPUT);
    if (!parse_options(argc, argv, first, options)) return usage(stderr, EXIT_BAD_INPUT);
    const std::string takes = action == "list" ? "match" : action == "add" ? "lat lon tz zone elev" : "";
    for (const auto& [option_name, value] : options.values)
        if ((" " + takes + " ").find(" " + option_name + " ") == std::string::npos) {
            std::fprintf(stderr, "--%s does not apply to cities %s\n", option_name.c_str(), action.c_str());
            return EXIT_BAD_INPUT;
        }
    run.options = &options;
    set_message_presenter(print_message);
    Location current;
    load_cities(current);
    std::string name;
    if (named && !utf8_to_latin1_exact(argv[3], name)) {
        std::fprintf(stderr, "%s has a character the city list cannot hold (Latin-1 only)\n", argv[3]);
        return EXIT_BAD_INPUT;
    }
    if (named && normalize_city_name(name).empty()) {
        show_error(MSG_LOCATION_NAME);
        return EXIT_BAD_INPUT;
    }
    return action == "list" ? cities_list() : action == "add" ? cities_add(name) : cities_remove(name);
}

}  // namespace

bool cli_window_options(int argc, char** argv) {
    Options options;
    if (argc < 2 || !parse_options(argc, argv, 1, options)) return false;
    for (const auto& [name, value] : options.values)
        if (!is_place_option(name) && !is_engine_option(name)) return false;
    return true;
}

bool cli_window_start(int argc, char** argv, Location& location, const SkyEngine*& engine) {
    Options options;
    if (!parse_options(argc, argv, 1, options)) return false;
    if (options.values.count("classical") || options.values.count("precise")) {
        engine = chosen_engine(options);
        if (!engine) return false;
    }
    return load_place(options, location);
}

bool cli_draws(int argc, char** argv) {
    if (argc < 2) return false;
    const std::string verb = argv[1];
    if (verb == "graph" || verb == "movie") return true;
    return verb == "report" && std::any_of(argv + 2, argv + argc, [](const char* a) { return std::strcmp(a, "--pdf") == 0; });
}

int cli_hand_over(char** argv) {
    const std::filesystem::path folder = program_folder();
    std::string path = (folder / "skyloom-qt").string();
    if (access(path.c_str(), X_OK) != 0) path = (folder / SKYLOOM_TOOLKIT_PROGRAM).lexically_normal().string();
    execv(path.c_str(), argv);
    std::fprintf(stderr, "Cannot start %s (%s)\n", path.c_str(), std::strerror(errno));
    return EXIT_FILE_ERROR;
}

int cli_main(int argc, char** argv, const CliSurfaces* surfaces) {
    run.surfaces = surfaces;
    if (!surfaces && cli_draws(argc, argv)) {
        std::fprintf(stderr, "%s draws with the toolkit: run it with skyloom\n", argc > 1 ? argv[1] : "");
        return EXIT_FILE_ERROR;
    }
    if (argc < 2) return usage(stdout, 0);
    std::string verb = argv[1];
    if (verb == "--help" || verb == "-h" || verb == "help") return usage(stdout, 0);
    if (verb == "--version") return print_version();
    if (verb == "report") return report_command(argc, argv);
    if (verb == "ephemeris") return ephemeris_command(argc, argv);
    if (verb == "graph") return graph_command(argc, argv);
    if (verb == "movie") return movie_command(argc, argv);
    if (verb == "cities") return cities_command(argc, argv);
    if (verb == "events") return events_command(argc, argv);
    return usage(stderr, EXIT_BAD_INPUT);
}

// Fuzz target: the command line's argument parsing.  The input's first byte
// picks a command (cities list/add/remove, a few quick reports, the
// ephemeris); its lines are the arguments after it.  Whatever they are, the
// status is 0, 1 or 2, and 0 only when every number the command read is a
// plain number by the rule every dialog and option follows (a command asked
// for its "--help" reads none).
#include <fcntl.h>
#include <unistd.h>

#include <map>
#include <regex>
#include <set>

#include "cli/cli.h"
#include "fuzz/fuzz_support.h"

namespace {

const std::vector<std::vector<std::string>> COMMANDS = {
    {"cities", "list"}, {"cities", "add"}, {"cities", "remove"}, {"report", "seasons"},
    {"report", "easter"}, {"report", "introduction"}, {"ephemeris"},
};
// Options without a value, as the command line knows them.
const std::set<std::string> FLAGS = {"--csv", "--jupiter-moons", "--from-sun", "--grid", "--turbo",
                                     "--labels", "--trails", "--precise"};
const std::set<std::string> WHOLE = {"--year", "--end-year", "--from-month", "--to-month", "--elev"};
const std::set<std::string> DECIMAL = {"--lat", "--lon", "--tz"};

// The plain numbers, written here as patterns rather than with the program's own reader.
const std::regex WHOLE_NUMBER("[+-]?[0-9]+");
const std::regex DECIMAL_NUMBER("[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)");

// Standard output to /dev/null, the program's data in the scratch folder, no display.
void set_up_once() {
    static const bool done = [] {
        fuzz::scratch_folder();
        fuzz::put_file("CITIES.DAT", "Alpha\nAlpha|10|20|30|N|40|50|0|E|100|2\nBeta|11|22|33|S|44|55|6|W|-5|-3.5\n");
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return chdir(fuzz::scratch_folder().c_str()) == 0;
    }();
    (void)done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    set_up_once();
    std::vector<std::string> args = {"skyloom"};
    const std::vector<std::string>& command = COMMANDS[data[0] % COMMANDS.size()];
    for (const std::string& word : command) args.push_back(word);
    // cities add and remove take the city's name first.
    const std::size_t first_option = args.size() + (command.size() == 2 && command[0] == "cities" && command[1] != "list");
    const std::vector<std::string> rest = fuzz::lines(data + 1, size - 1, 12);
    // An argument is a C string: it ends at a zero byte, as the program sees it.
    for (const std::string& line : rest)
        if (!line.empty()) args.push_back(line.substr(0, line.find('\0')));
    // No files written where the fuzzer would not look: no PDF pages.
    for (const std::string& arg : args)
        if (arg == "--pdf" || arg == "-o") return 0;
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int status = cli_main(static_cast<int>(args.size()), argv.data());
    fuzz::require(status == 0 || status == 1 || status == 2, "status 0, 1 or 2");
    if (status != 0) return 0;
    // "--help" right after the command prints the usage and reads nothing else.
    if (args.size() > command.size() + 1 && args[command.size() + 1] == "--help") return 0;
    // The value each option was given last, as the command line keeps it.
    std::map<std::string, std::string> values;
    for (std::size_t i = first_option; i + 1 < args.size(); ++i)
        if (!FLAGS.count(args[i])) values[args[i]] = args[i + 1], ++i;
    for (const auto& [name, value] : values) {
        if (WHOLE.count(name)) fuzz::require(std::regex_match(value, WHOLE_NUMBER), "0 only with valid numbers");
        if (DECIMAL.count(name)) fuzz::require(std::regex_match(value, DECIMAL_NUMBER), "0 only with valid numbers");
    }
    return 0;
}

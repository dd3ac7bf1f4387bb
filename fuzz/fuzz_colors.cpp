// Fuzz target: the settings store and the colour settings read from it (one
// stored value a line, in colour-table order).  Every colour loads in range;
// every value reads back cut to 80 characters.
#include "app/colors.h"
#include "fuzz/fuzz_support.h"
#include "platform/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    install_memory_settings_store();
    const std::vector<std::string> values = fuzz::lines(data, size, COLOR_COUNT);
    for (int i = 0; i < COLOR_COUNT; ++i) {
        const std::string& value = values[static_cast<std::size_t>(i)];
        write_setting(color_name(i), value);
        const std::string read = read_setting(color_name(i));
        fuzz::require(read == value.substr(0, SETTING_VALUE_LENGTH), "a value reads back cut to 80");
    }
    load_colors();
    for (int i = 0; i < COLOR_COUNT; ++i) {
        const Rgb c = color_of(i);
        fuzz::require(c.red >= 0 && c.red <= 255 && c.green >= 0 && c.green <= 255 && c.blue >= 0 && c.blue <= 255,
                      "components 0..255");
    }
    fuzz::require(!colors_modified(), "loading changes nothing");
    return 0;
}

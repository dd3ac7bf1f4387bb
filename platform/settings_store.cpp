// The settings store's dispatch and its in-memory form.
#include "platform/settings_store.h"

#include <map>

namespace {

bool write_memory_setting(const std::string& key, const std::string& value);
std::string read_memory_setting(const std::string& key);

// The module's state: the backend in use, and the in-memory store that
// stands in until a platform's is installed (and in tests).
struct SettingsState {
    SettingsBackend backend{write_memory_setting, read_memory_setting};
    std::map<std::string, std::string> memory;
};
SettingsState settings;

bool write_memory_setting(const std::string& key, const std::string& value) {
    settings.memory[key] = value;
    return true;
}

std::string read_memory_setting(const std::string& key) {
    auto found = settings.memory.find(key);
    return found == settings.memory.end() ? std::string() : found->second;
}

}  // namespace

bool write_setting(const std::string& key, const std::string& value) {
    return settings.backend.write(key, value);
}

std::string read_setting(const std::string& key) {
    std::string value = settings.backend.read(key);
    if (value.size() > SETTING_VALUE_LENGTH) value.resize(SETTING_VALUE_LENGTH);
    return value;
}

void set_settings_backend(const SettingsBackend& backend) { settings.backend = backend; }

void install_memory_settings_store() {
    settings.memory.clear();
    set_settings_backend({write_memory_setting, read_memory_setting});
}

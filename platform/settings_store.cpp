// The settings store's dispatch and its in-memory form.
#include "platform/settings_store.h"

#include <map>

namespace {

std::map<std::string, std::string> memory_settings;

bool write_memory_setting(const std::string& key, const std::string& value) {
    memory_settings[key] = value;
    return true;
}

std::string read_memory_setting(const std::string& key) {
    auto found = memory_settings.find(key);
    return found == memory_settings.end() ? std::string() : found->second;
}

SettingsBackend settings_backend{write_memory_setting, read_memory_setting};

}  // namespace

bool write_setting(const std::string& key, const std::string& value) {
    return settings_backend.write(key, value);
}

std::string read_setting(const std::string& key) {
    std::string value = settings_backend.read(key);
    if (value.size() > SETTING_VALUE_LENGTH) value.resize(SETTING_VALUE_LENGTH);
    return value;
}

void set_settings_backend(const SettingsBackend& backend) { settings_backend = backend; }

void install_memory_settings_store() {
    memory_settings.clear();
    set_settings_backend({write_memory_setting, read_memory_setting});
}

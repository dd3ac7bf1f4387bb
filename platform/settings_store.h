#pragma once
// The settings store (module REGISTRY): a tiny per-user key/value store for
// what must survive the program, such as the assigned colours.  A key is a
// short name ("Sun"); a value is a short Latin-1 string that the caller
// formats and parses.  Standard library only: the window installs the store
// that persists (the toolkit's per-user settings file); until then, and in the
// command line and tests, an in-memory store serves.
#include <string>

// Longest value that reads back whole; longer stored values read back cut to
// this many characters, as through an 81-byte read buffer.
constexpr std::size_t SETTING_VALUE_LENGTH = 80;

// Stores value under key; false when the store could not write it.
bool write_setting(const std::string& key, const std::string& value);
// The value stored under key (at most SETTING_VALUE_LENGTH characters), or ""
// when the key was never written or cannot be read.
std::string read_setting(const std::string& key);

// A store: its write and its read.  read gives "" for a missing key and may
// give values of any length (read_setting cuts them).
struct SettingsBackend {
    bool (*write)(const std::string& key, const std::string& value);
    std::string (*read)(const std::string& key);
};
void set_settings_backend(const SettingsBackend& backend);

// Installs the in-memory store, emptied.  It is also the store in use before
// any other is installed.
void install_memory_settings_store();

#pragma once
// The user's regional settings, as the seven values the formatters use.  The
// platform reads them under the names of the "intl" profile keys ("sDecimal",
// "iLzero", "iTLzero", "sShortDate", "sTime"); a platform with no regional
// settings (the C/POSIX locale) answers every key with the given default.
#include <string>
#include <string_view>

// Source of the raw profile values: key and default in, value out.
using LocaleProfileReader = std::string (*)(std::string_view key, std::string_view fallback);

// Reads one profile value through the installed reader.
std::string read_locale_profile(std::string_view key, std::string_view fallback);

// Installs the reader (nullptr restores the system one).  Tests install fixed settings.
void set_locale_profile_reader(LocaleProfileReader reader);

// The system's reader: the process locale (LC_ALL / LC_NUMERIC / LC_TIME, as the
// environment sets them) mapped onto the profile keys.
std::string system_locale_profile(std::string_view key, std::string_view fallback);

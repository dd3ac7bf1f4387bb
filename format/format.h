#pragma once
// The formatters behind every number, angle, date and time the program shows,
// and the cached regional settings they follow (decimal separator, leading
// zeros, date order and separator, time separator).  Texts are single-byte
// Latin-1: the degree sign is byte 0xB0.
#include <string>

// ---- Regional settings ----
// Date orders as the short-date pattern gives them.
enum DateOrder {
    DATE_ORDER_DMY = 0,
    DATE_ORDER_DYM = 1,
    DATE_ORDER_MDY = 2,
    DATE_ORDER_MYD = 3,
    DATE_ORDER_YDM = 4,
    DATE_ORDER_YMD = 5,
};

// Each reader returns its cached value unless reload is true or the value was
// never read; then it reads the locale profile (platform/locale.h) again.
char decimal_separator(bool reload);      // "sDecimal", default '.'
bool leading_zero_numbers(bool reload);   // "iLzero" = 1, default on
bool leading_zero_hours(bool reload);     // "iTLzero" = 1, default off
char date_separator(bool reload);         // from "sShortDate", default '/'
bool day_leading_zero(bool reload);       // "dd" in "sShortDate", default on
bool month_leading_zero(bool reload);     // "MM" in "sShortDate", default on
DateOrder date_order(bool reload);        // from "sShortDate", default DATE_ORDER_MDY
char time_separator(bool reload);         // "sTime", default ':'
// Re-reads every setting: called when the system announces a change of them.
void reload_locale_settings();

// ---- Numbers ----
// value printed with precision fraction digits; the integer part is right-aligned
// in exactly width columns (width >= 0), then the locale's decimal separator and
// the digits.  Without the locale's leading zero, 0.5 gives ".50".
std::string format_fixed(double value, int width, int precision);

// ---- Dates ----
// The date in the locale's order and separator; day and month "%02d" or "%2d"
// as the locale's leading zeros say, the year always "%4d".
std::string format_date(int day, int month, int year);
// "<first day of start_month> to <last day of stop_month>" of year; months 1..12.
std::string format_month_range(int start_month, int stop_month, int year);
// "first to last", or one year when both are equal.
std::string format_year_range(int first_year, int last_year);

// ---- Times and angles ----
// Hours and minutes of a time of day or duration (hours; the sign is dropped,
// no wrap at 24); -1.0, the mark of an event that does not happen, gives "None ".
std::string format_hours_minutes(double hours);
// Signed degrees, minutes and seconds (degrees true: sign, degrees, the degree
// sign 0xB0, "%02d" minutes, an apostrophe, "%02d" seconds, a double quote) or
// hours, minutes and seconds (degrees false: "  5h30m00s"); the sign is a blank
// or '-', the seconds are rounded.
std::string format_angle(double value, bool degrees);
// format_angle without the seconds: its first 7 characters.
std::string format_angle_short(double value, bool degrees);

// ---- Names ----
// "January" ... "December" for the months 1..12.
std::string month_name(int month);
// The body's name, "Sun" ... "Pluto", for the body ids 0..10 (at most 80 characters).
std::string body_name(int id);
// 'N', 'S', 'W' or 'E' for the compass codes 0..3 of engine/location.h.
char compass_letter(int hemisphere);
// One of the eight points "N", "NE", ... "NW" for an azimuth in degrees;
// the four main points only for exactly 0, 90, 180 and 270 (or 360).
std::string compass_point(double azimuth);
// "NM", "FQ", "FM", "LQ" for the Moon's phases 0..3.
std::string phase_abbreviation(int phase);
// "MEQ", "JSO", "SEQ", "DSO" for the seasons 0..3 (March equinox first).
std::string season_abbreviation(int season);

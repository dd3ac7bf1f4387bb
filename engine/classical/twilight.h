#pragma once
// Twilight by the 1995 program's rule: sunrise and sunset moved by the
// interval the Sun takes to go from the geometric horizon to the twilight's
// depression below it, on the declination's day circle (no refraction, the
// hour angles turned into solar time with the factor 0.9973).
#include "engine/location.h"

// Zenith distances of the Sun's centre at the twilight limits, degrees.
constexpr double ASTRONOMICAL_TWILIGHT_ZENITH = 108.0;
constexpr double NAUTICAL_TWILIGHT_ZENITH = 102.0;
constexpr double CIVIL_TWILIGHT_ZENITH = 96.0;
// What twilight_offset returns when the Sun never reaches the zenith distance.
constexpr double TWILIGHT_NEVER_HOURS = 100.0;

// Given the latitude (degrees, north positive), the Sun's declination (degrees,
// signed or kept in [0, 360)) and a zenith distance z (degrees); returns the
// solar hours between the Sun's centre on the geometric horizon and at z, or
// TWILIGHT_NEVER_HOURS when it does not reach z that day.
double twilight_offset(double latitude, double declination, double zenith_distance);

// Given a depression (degrees below the geometric horizon), a civil date and
// the location; returns the local hours of the morning and evening twilight
// limits: the date's sunrise less twilight_offset for the Sun's geometric
// declination at 12 h UT, and its sunset plus it; -1.0 when one falls
// outside the date or does not happen.
void classical_twilight(double depression, int day, int month, int year, const Location& location,
                        double& morning, double& evening);

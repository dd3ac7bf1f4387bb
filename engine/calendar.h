#pragma once
// Calendar and time scales: Julian days (Julian calendar before 1582 October 15,
// Gregorian from then on, astronomical years with a year 0), the day of the week,
// Easter, Delta T, sidereal time, and the small numeric helpers of the engine.

#include "engine/location.h"

using JulianDay = double;  // days; the fraction runs from noon (JD 2451544.5 = 2000 Jan 1, 0 h)

// ---- Numeric helpers ----
int round_to_int(double x);          // x + 0.5 truncated toward zero: -2.7 -> -2, -0.4 -> 0
double frac(double x);               // fractional part with the sign of x
double square(double x);             // x * x
int mul_div(int a, int b, int c);    // (a * b) / c in 32-bit arithmetic, truncated toward zero
int is_odd(int n);                   // 1 when |n| is odd, else 0

// ---- Calendar ----
JulianDay julian_day(double day, int month, int year);  // day may carry a fraction of a day
void calendar_date(JulianDay jd, double& day, int& month, int& year);  // day keeps the fraction
int year_of(JulianDay jd);  // the calendar year of the instant
// A Julian day as the engine's time argument: hours of the day (0..24) and the
// whole day, month and year.
void split_instant(JulianDay jd, double& hours, int& day, int& month, int& year);
bool is_valid_date(int day, int month, int year);
int days_in_month(int month, int year);                 // 1582 October has 21 days
int day_of_week(int day, int month, int year);          // 0 = Sunday ... 6 = Saturday
void easter_date(int year, int& day, int& month);       // Easter Sunday; month 3 or 4

// ---- Clock ----
// The present instant, UT Julian day to the second (the place's clock reading
// of it: ut_to_clock in engine/clock.h).
JulianDay ut_now();

// ---- Time scales ----
double delta_t_hours(int year);                  // ephemeris time minus UT, hours
double add_delta_t(double hours, int year);      // hours + delta_t_hours(year)
double centuries_1900(JulianDay jd);             // Julian centuries since JD 2415020.0

// ---- Sidereal time (hours) ----
double sidereal_year_constant(int year);
double ut_to_gst(double ut, int day, int month, int year);   // Greenwich mean sidereal time
double gst_to_ut(double gst, int day, int month, int year);  // inverse, for the same UT date
double gst_to_lst(double gst, const Location& location);     // local sidereal time

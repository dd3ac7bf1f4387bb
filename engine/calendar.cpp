// Calendar and time scales.  Truncation is toward zero throughout (std::trunc
// and C++ integer division), which is what keeps year 0 and negative years on
// the same formulas as the rest.
#include "engine/calendar.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>

// ---- Numeric helpers ----

// Given any double; returns x + 0.5 truncated toward zero, so halves round up
// (-2.5 -> -2) and negative values truncate (-2.7 -> -2, -0.4 -> 0).
int round_to_int(double x) { return static_cast<int>(x + 0.5); }

// Given any double; returns x minus its integer part (truncated toward zero),
// so the result carries the sign of x: frac(-1.25) = -0.25.
double frac(double x) { return x - std::trunc(x); }

double square(double x) { return x * x; }

// Given integers a, b and a non-zero c; returns (a * b) / c with the product
// kept in 32 bits (wrapping on overflow instead of being undefined) and the
// quotient truncated toward zero.  Used to scale pixel coordinates.
int mul_div(int a, int b, int c) {
    const auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(a) *
                                                   static_cast<std::uint32_t>(b));
    return product / c;
}

int is_odd(int n) { return n % 2 != 0 ? 1 : 0; }

// ---- Calendar ----

// Given a calendar date (day with an optional fraction of a day, month 1-12,
// astronomical year: 0 is 1 BC); returns the Julian day.  Dates before
// 1582 October 15 are read as Julian-calendar dates, later ones as Gregorian.
// Meeus, Astronomical Algorithms, ch. 7; the 0.75 correction for years <= 0 is
// the form in Duffett-Smith, Practical Astronomy with your Calculator.
JulianDay julian_day(double day, int month, int year) {
    const double t = year > 0 ? 0.0 : 0.75;
    int y = year;
    int m = month;
    if (month == 1 || month == 2) {
        y = year - 1;
        m = month + 12;
    }
    double b = 0.0;
    if ((y * 100.0 + m) * 100.0 + day >= 15821015.0) {  // Gregorian: skip the dropped leap days
        const double a = std::trunc(y * 0.01);
        b = std::trunc(a * 0.25) - a + 2.0;
    }
    return std::trunc(y * 365.25 - t) + std::trunc((m + 1) * 30.6001) + b + day + 1720994.5;
}

// Given a Julian day (JD >= 0, years from -4712 on); returns the calendar date,
// the day keeping the fraction of the day.  Meeus, Astronomical Algorithms,
// ch. 7; the divisions by 36524.25, 365.25 and 30.6001 are multiplications by
// their reciprocals as doubles.
void calendar_date(JulianDay jd, double& day, int& month, int& year) {
    const double j = jd + 0.5;
    const int i = static_cast<int>(std::trunc(j));
    const double f = j - i;
    int b = i;
    if (i >= 2299161) {  // Gregorian from 1582 October 15
        const int a = static_cast<int>(std::trunc((i - 1867216.25) * 2.7379070069885075e-05));
        b = i + 1 + a - a / 4;
    }
    const int c = b + 1524;
    const int d = static_cast<int>(std::trunc((c - 122.1) * 0.0027378507871321013));
    const int e = static_cast<int>(std::trunc(d * 365.25));
    const int g = static_cast<int>(std::trunc((c - e) * 0.03267963176590926));
    day = c - e - std::trunc(g * 30.6001) + f;
    month = g <= 13 ? g - 1 : g - 13;
    year = month > 2 ? d - 4716 : d - 4715;
}

int year_of(JulianDay jd) {
    double day = 0.0;
    int month = 0;
    int year = 0;
    calendar_date(jd, day, month, year);
    return year;
}

void split_instant(JulianDay jd, double& hours, int& day, int& month, int& year) {
    double day_with_fraction = 0.0;
    calendar_date(jd, day_with_fraction, month, year);
    day = static_cast<int>(day_with_fraction);
    hours = (day_with_fraction - day) * 24.0;
}

// Given a whole-day date; true when it exists in its calendar, i.e. when it
// survives the trip to a Julian day and back (rejects February 30 and the
// Gregorian gap 1582 October 5-14).
bool is_valid_date(int day, int month, int year) {
    double back_day = 0.0;
    int back_month = 0;
    int back_year = 0;
    calendar_date(julian_day(day, month, year), back_day, back_month, back_year);
    return static_cast<int>(back_day) == day && back_month == month && back_year == year;
}

// Given a month 1-12 and an astronomical year; returns the number of days in
// that month of that calendar (1582 October has 21).
int days_in_month(int month, int year) {
    if (month == 12) return 31;
    return round_to_int(julian_day(1, month + 1, year) - julian_day(1, month, year));
}

// Given a whole-day date; returns 0 = Sunday ... 6 = Saturday (JD 0.0 fell on
// a Monday noon).
int day_of_week(int day, int month, int year) {
    return static_cast<int>(static_cast<long long>(std::trunc(julian_day(day, month, year) + 1.5)) % 7);
}

// Given an astronomical year; returns the date of Easter Sunday (month 3 or 4).
// Before 1583 the Julian-calendar rule, from 1583 on the Gregorian rule of
// Butcher's Ecclesiastical Calendar (1876), both as in Meeus, Astronomical
// Algorithms, ch. 8.  All arithmetic is integer, truncating toward zero, also
// for negative years.
void easter_date(int year, int& day, int& month) {
    int n = 0;
    if (year < 1583) {
        const int a = year % 4;
        const int b = year % 7;
        const int c = year % 19;
        const int d = (19 * c + 15) % 30;
        const int e = (2 * a + 4 * b - d + 34) % 7;
        n = d + e + 114;
    } else {
        const int a = year % 19;
        const int b = year / 100;
        const int c = year % 100;
        const int d = b / 4;
        const int e = b % 4;
        const int f = (b + 8) / 25;
        const int g = (b - f + 1) / 3;
        const int h = (19 * a + b - d - g + 15) % 30;
        const int i = c / 4;
        const int k = c % 4;
        const int l = (32 + 2 * e + 2 * i - h - k) % 7;
        const int m = (a + 11 * h + 22 * l) / 451;
        n = h + l - 7 * m + 114;
    }
    month = n / 31;
    day = n % 31 + 1;
}

// ---- Clock ----

// The present instant by the computer's clock, which counts UTC seconds from
// 1970-01-01 0 h (Julian day 2440587.5), to the whole second.  Read as UT: the
// leap seconds between the two are below the second.
JulianDay ut_now() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    return 2440587.5 + static_cast<double>(now) / 86400.0;
}

// ---- Time scales ----

namespace {

// Delta T (ephemeris time minus UT) in minutes for years of the telescopic
// record, in the table's own row order (the nearest-row search relies on it).
struct DeltaTRow {
    std::int16_t year;
    double minutes;
};

constexpr DeltaTRow delta_t_table[] = {
    {1710, -0.2}, {1730, -0.1}, {1750, 0.0}, {1770, 0.1},  {1800, 0.1},  {1840, 0.0},
    {1870, 0.0},  {1880, -0.1}, {1895, -0.1}, {1903, 0.0}, {1912, 0.2},  {1927, 0.4},
    {1940, 0.4},  {1950, 0.5},  {1965, 0.6},  {1971, 0.7}, {1977, 0.8},  {1980, 0.85},
};

}  // namespace

// Given an astronomical year; returns Delta T = ET - UT in hours, constant over
// the year.  From 1710 to 1980 the nearest table row (on a tie the earlier
// row); outside that span the parabola 0.41 + 1.2053 T + 0.4992 T^2 minutes in
// Julian centuries T from 1900 January 1.
double delta_t_hours(int year) {
    if (year >= 1710 && year <= 1980) {
        const DeltaTRow* best = &delta_t_table[0];
        for (const DeltaTRow& row : delta_t_table) {
            if (std::abs(year - row.year) < std::abs(year - best->year)) best = &row;
        }
        return best->minutes / 60.0;
    }
    const double t = (julian_day(1.0, 1, year) - julian_day(1.0, 1, 1900)) / 36525.0;
    return (0.41 + 1.2053 * t + 0.4992 * t * t) / 60.0;
}

// Given UT hours and the year; returns the same instant in ephemeris hours
// (may run past 24; the caller keeps the date).
double add_delta_t(double hours, int year) { return hours + delta_t_hours(year); }

// Given a Julian day; returns T, Julian centuries of 36525 days from
// JD 2415020.0 (1900 January 0.5), the time argument of the series.
double centuries_1900(JulianDay jd) { return (jd - 2415020.0) / 36525.0; }

// ---- Sidereal time ----

// Given a year; returns the constant B in hours: 24 h minus the Greenwich
// sidereal time at 0 h UT on January 0.0 of that year (reduced by whole days
// of 24 h).  Duffett-Smith, Practical Astronomy with your Calculator.
double sidereal_year_constant(int year) {
    const double t = (julian_day(0.0, 1, year) - 2415020.0) * 2.7378507871321012e-05;
    const double r = 6.6460656 + 2400.051262 * t + 0.00002581 * t * t;
    return 24.0 - (r - 24.0 * (year - 1900));
}

namespace {

// Greenwich sidereal time at 0 h UT of a whole-day date, hours, before any
// wrap: 0.0657098 h per day into the year less the year constant B.
double gst_at_0h(int day, int month, int year) {
    const double days = julian_day(day, month, year) - julian_day(0.0, 1, year);
    return 0.0657098 * days - sidereal_year_constant(year);
}

// Brings hours above 24 down once, then negative hours up once.  Exactly 24.0
// stays as it is.
double wrap_hours_once(double h) {
    if (h > 24.0) h -= 24.0;
    if (h < 0.0) h += 24.0;
    return h;
}

}  // namespace

// Given UT hours (0-24) of a whole-day date; returns Greenwich mean sidereal
// time in hours.  Duffett-Smith, Practical Astronomy with your Calculator
// (the year-constant method).
double ut_to_gst(double ut, int day, int month, int year) {
    return wrap_hours_once(gst_at_0h(day, month, year) + 1.002738 * ut);
}

// Given Greenwich sidereal hours and the UT date; returns the UT hours of that
// date, the inverse of ut_to_gst.  Duffett-Smith, as above.
double gst_to_ut(double gst, int day, int month, int year) {
    double t0 = gst_at_0h(day, month, year);
    if (t0 < 0.0) t0 += 24.0;
    double a = gst - t0;
    if (a < 0.0) a += 24.0;
    return 0.99727 * a;
}

// Given Greenwich sidereal hours and the observer; returns local sidereal
// hours: east longitude adds longitude/15 hours, west longitude subtracts it.
double gst_to_lst(double gst, const Location& location) {
    double hours_per_degree = 0.06666666666666667;
    if (location.longitude_hemisphere == COMPASS_WEST) hours_per_degree = -hours_per_degree;
    return wrap_hours_once(gst + location.longitude * hours_per_degree);
}

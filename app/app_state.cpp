#include "app/app_state.h"


#include "engine/calendar.h"

CommandParams default_command_params(double local_julian_day) {
    CommandParams p;
    double day = 0.0;
    calendar_date(local_julian_day, day, p.month, p.year);
    p.day = static_cast<int>(day);
    double hours = (day - p.day) * 24.0 + 1e-6;  // the clock has whole seconds; keep 10:00:00 from reading 9:59
    p.hour = static_cast<int>(hours);
    p.minute = static_cast<int>((hours - p.hour) * 60.0);
    p.end_year = p.year;
    p.binary_star_year = p.year;
    return p;
}

#include "engine/sky_events.h"

std::vector<SeasonEvent> seasons_from_years(JulianDay from_ut, JulianDay to_ut,
                                            void (*year_seasons)(int year, JulianDay jd[4])) {
    // A year's four instants lie between its March and its December.
    std::vector<SeasonEvent> events;
    for (int year = year_of(from_ut); year <= year_of(to_ut); ++year) {
        JulianDay jd[4];
        year_seasons(year, jd);
        for (int k = 0; k < 4; ++k) {
            if (jd[k] >= from_ut && jd[k] < to_ut) events.push_back({jd[k], static_cast<SeasonKind>(k)});
        }
    }
    return events;
}

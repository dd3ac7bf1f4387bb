// The README's accuracy table: the classical and the precise engine against
// the reference tables of tests/data/precise (PyEphem, USNO, NASA), largest
// and mean error per category.  Prints Markdown.
//   cmake --build build --target accuracy_table && build/tests/accuracy_table
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/classical/conjunctions.h"
#include "engine/precise/precise_engine.h"
#include "engine/sky_engine.h"
#include "precise_reference.h"

namespace {

constexpr double SECONDS_PER_DAY = 86400.0;

struct Errors {
    double largest = 0, sum = 0;
    int count = 0, missed = 0;
    void add(double e) {
        largest = std::fmax(largest, std::fabs(e));
        sum += std::fabs(e);
        ++count;
    }
    std::string text(const char* unit, int decimals) const {
        char s[96];
        std::snprintf(s, sizeof s, "%.*f / %.*f %s", decimals, largest, decimals, count ? sum / count : 0.0, unit);
        std::string out = s;
        if (missed) out += " (" + std::to_string(missed) + " missed or wrong)";
        return out;
    }
};

void positions(const SkyEngine& e, Errors& sun, Errors& moon, Errors& planets, Errors& magnitudes) {
    for (const ReferenceRow& r : read_reference_table("positions.csv")) {
        const int body = std::stoi(r[1]);
        const JulianDay t = ut_of_tt(r[0]);
        Equatorial place;
        if (body == 0) {
            const SunPlace p = e.sun_place(t, APPARENT_PLACE);
            place = {p.ra_hours, p.dec};
        } else if (body == 1) {
            const MoonPlace p = e.moon_place(t);
            place = {p.ra_hours, p.dec};
        } else {
            const PlanetPlace p = e.planet_place(body, t, PLANET_WITH_EQUATORIAL);
            place = {p.ra_hours, p.dec};
        }
        double error = arcseconds_apart(place.ra_hours, place.dec, std::stod(r[2]), std::stod(r[3]));
        (body == 0 ? sun : body == 1 ? moon : planets).add(error);
        if (body >= 3) magnitudes.add(e.planet_magnitude(body, t) - std::stod(r[5]));
    }
}

void seasons(const SkyEngine& e, Errors& pyephem, Errors& usno) {
    std::map<int, std::vector<JulianDay>> years;
    auto year_of = [&](int y) -> std::vector<JulianDay>& {
        if (!years.count(y)) {
            for (const SeasonEvent& s : e.seasons(julian_day(1, 1, y), julian_day(1, 1, y + 1)))
                years[y].push_back(s.jd_ut);
        }
        return years[y];
    };
    for (const ReferenceRow& r : read_reference_table("seasons.csv"))
        pyephem.add((year_of(std::stoi(r[0]))[std::stoi(r[1])] - ut_of_tt(r[2])) * SECONDS_PER_DAY);
    for (const ReferenceRow& r : read_reference_table("published.csv")) {
        if (r[0] != "season") continue;
        usno.add((year_of(std::stoi(r[1].substr(0, 4)))[std::stoi(r[3])] - reference_date(r[1], r[2])) * SECONDS_PER_DAY);
    }
}

void phases(const SkyEngine& e, Errors& errors) {
    std::vector<std::pair<JulianDay, int>> found;
    for (const PhaseEvent& p : e.moon_phases(julian_day(1, 1, 2000), julian_day(1, 1, 2031), nullptr, nullptr).events)
        found.push_back({p.jd_ut, p.phase});
    for (const ReferenceRow& r : read_reference_table("phases.csv")) {
        JulianDay t = ut_of_tt(r[0]);
        double best = 1e9;
        for (const auto& [jd, phase] : found)
            if (phase == std::stoi(r[1]) && std::fabs(jd - t) < std::fabs(best)) best = jd - t;
        if (std::fabs(best) > 1.0) ++errors.missed;
        else errors.add(best * SECONDS_PER_DAY);
    }
}

// Local hours of an engine against a reference UT Julian day (or none).
void add_event(double hours, const std::string& reference, JulianDay midnight_ut, Errors& errors) {
    if (reference.empty() || hours < 0) {
        if (reference.empty() != (hours < 0)) ++errors.missed;
        return;
    }
    errors.add((midnight_ut + hours / 24.0 - std::stod(reference)) * SECONDS_PER_DAY);
}

void rise_set_rows(const SkyEngine& e, Errors& sun, Errors& moon) {
    for (const ReferenceRow& r : read_reference_table("rise_set.csv")) {
        int body = std::stoi(r[2]);
        if (body > 1) continue;
        Location l = reference_place(r[0]);
        JulianDay day = reference_date(r[1]);
        const RiseSet times = e.rise_set(body, day, l);
        Errors& errors = body == 0 ? sun : moon;
        add_event(times.rise, r[3], day - l.time_zone / 24.0, errors);
        add_event(times.set, r.size() > 4 ? r[4] : "", day - l.time_zone / 24.0, errors);
    }
}

void twilight_rows(const SkyEngine& e, Errors& errors) {
    for (const ReferenceRow& r : read_reference_table("twilight.csv")) {
        Location l = reference_place(r[0]);
        JulianDay day = reference_date(r[1]);
        const Twilight limits = e.twilight(std::stod(r[2]), day, l);
        add_event(limits.morning, r[3], day - l.time_zone / 24.0, errors);
        add_event(limits.evening, r.size() > 4 ? r[4] : "", day - l.time_zone / 24.0, errors);
    }
}

void conjunctions(const SkyEngine& e, Errors& errors) {
    std::vector<std::pair<int, Conjunction>> found;  // with the body
    for (int body = 3; body <= 10; ++body)
        for (const Conjunction& c : e.conjunctions(body, julian_day(1, 1, 2000), julian_day(1, 1, 2031), nullptr, nullptr).events)
            found.push_back({body, c});
    for (const ReferenceRow& r : read_reference_table("conjunctions.csv")) {
        JulianDay t = ut_of_tt(r[0]);
        double best = 1e9;
        for (const auto& [body, c] : found)
            if (body == std::stoi(r[1]) && c.opposition == (std::stoi(r[2]) == PASS_OPPOSITION) &&
                std::fabs(c.jd_ut - t) < std::fabs(best))
                best = c.jd_ut - t;
        if (std::fabs(best) > 2.0) ++errors.missed;
        else errors.add(best * 1440.0);
    }
}

}  // namespace

int main() {
    struct Row { std::string category, reference; Errors by_engine[2]; const char* unit; int decimals; };
    std::vector<Row> rows = {
        {"Sun, apparent place", "PyEphem 1990-2039, 188 dates", {}, "\"", 1},
        {"Moon, apparent place", "PyEphem 1990-2039", {}, "\"", 1},
        {"Planets, apparent places", "PyEphem 1990-2039, Mercury-Pluto", {}, "\"", 1},
        {"Planet magnitudes", "PyEphem 1990-2039", {}, "mag", 2},
        {"Seasons", "PyEphem 1950-2050", {}, "s", 0},
        {"Seasons", "USNO 2024-2025", {}, "s", 0},
        {"Moon phases", "PyEphem 2000-2030", {}, "s", 0},
        {"Sunrise and sunset", "PyEphem 2026, 5 places", {}, "s", 0},
        {"Moonrise and moonset", "PyEphem 2026, 5 places", {}, "s", 0},
        {"Twilight (6, 12, 18 degrees)", "PyEphem 2026, 5 places", {}, "s", 0},
        {"Conjunctions and oppositions", "PyEphem 2000-2030, all planets", {}, "min", 1},
    };
    const SkyEngine* engines[2] = {&CLASSICAL_ENGINE, &PRECISE_ENGINE};
    for (int i = 0; i < 2; ++i) {
        const SkyEngine& e = *engines[i];
        positions(e, rows[0].by_engine[i], rows[1].by_engine[i], rows[2].by_engine[i], rows[3].by_engine[i]);
        seasons(e, rows[4].by_engine[i], rows[5].by_engine[i]);
        phases(e, rows[6].by_engine[i]);
        rise_set_rows(e, rows[7].by_engine[i], rows[8].by_engine[i]);
        twilight_rows(e, rows[9].by_engine[i]);
        conjunctions(e, rows[10].by_engine[i]);
    }
    std::printf("| category | reference | classical: largest / mean | precise: largest / mean |\n");
    std::printf("|---|---|---|---|\n");
    for (const Row& r : rows)
        std::printf("| %s | %s | %s | %s |\n", r.category.c_str(), r.reference.c_str(),
                    r.by_engine[0].text(r.unit, r.decimals).c_str(), r.by_engine[1].text(r.unit, r.decimals).c_str());
    return 0;
}

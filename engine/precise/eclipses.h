#pragma once
// Solar and lunar eclipses of the precise engine, from the apparent places of
// the Sun and the Moon around each new and full Moon.
//   Solar: the shadow axis (the line from the Sun through the Moon) and the
//   fundamental plane through the Earth's centre perpendicular to it; gamma
//   is the least distance of the axis from the Earth's centre (Earth radii)
//   and its instant the maximum; the umbral radius on the plane decides the
//   kind (the criteria of Meeus, Astronomical Algorithms, chapter 54).
//   Lunar: the Moon's distance from the centre of the Earth's shadow, whose
//   radii follow Danjon's rule (1.01 x the Moon's parallax, plus the Sun's
//   parallax, minus or plus its semi-diameter), as in the NASA canons.
#include <vector>

#include "engine/calendar.h"
#include "engine/precise/events.h"

namespace precise {

enum EclipseKind {
    SOLAR_PARTIAL_ECLIPSE, SOLAR_ANNULAR_ECLIPSE, SOLAR_TOTAL_ECLIPSE, SOLAR_HYBRID_ECLIPSE,
    LUNAR_PENUMBRAL_ECLIPSE, LUNAR_PARTIAL_ECLIPSE, LUNAR_TOTAL_ECLIPSE
};

struct Eclipse {
    JulianDay maximum = 0;   // instant of greatest eclipse, UT
    EclipseKind kind = SOLAR_PARTIAL_ECLIPSE;
    double gamma = 0;        // Earth radii, signed: >= 0 when the axis passes north of the centre
    double magnitude = 0;    // solar partial: greatest magnitude; lunar: umbral magnitude
    double partial_semiduration_hours = 0;  // lunar: half the umbral (partial) phase; 0 without one
    double total_semiduration_hours = 0;    // lunar: half the total phase; 0 without one
};

bool is_solar(EclipseKind kind);

// The radius of the Moon's umbral cone on the plane through the Earth's
// centre perpendicular to the shadow axis, Earth radii: negative where the
// umbra reaches past the plane (the u of the eclipse theory).
double umbral_cone_radius(JulianDay jd_ut);

// Every solar and lunar eclipse (penumbral ones included) whose maximum lies
// in [first, last), in time order.
std::vector<Eclipse> find_eclipses(JulianDay first, JulianDay last);
// The same among the given phases (their new and full Moons), which must
// cover [first - 1, last + 1].
std::vector<Eclipse> find_eclipses(JulianDay first, JulianDay last, const std::vector<PhaseInstant>& phases);

}  // namespace precise

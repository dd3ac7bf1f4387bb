#include "engine/precise/pluto.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>

#include "engine/classical/planets.h"

namespace precise {
namespace {

// Meeus, Astronomical Algorithms, table 37.A without its three smallest rows
// (each below 0.02"): multiples of J, S, P, then the sine and cosine
// coefficients of longitude and latitude (1e-6 degree) and radius (1e-7 AU).
struct PlutoTerm { int j, s, p; double la, lb, ba, bb, ra, rb; };
constexpr PlutoTerm TERMS[] = {
    {0, 0, 1, -19799805, 19850055, -5452852, -14974862, 66865439, 68951812},
    {0, 0, 2, 897144, -4954829, 3527812, 1672790, -11827535, -332538},
    {0, 0, 3, 611149, 1211027, -1050748, 327647, 1593179, -1438890},
    {0, 0, 4, -341243, -189585, 178690, -292153, -18444, 483220},
    {0, 0, 5, 129287, -34992, 18650, 100340, -65977, -85431},
    {0, 0, 6, -38164, 30893, -30697, -25823, 31174, -6032},
    {0, 1, -1, 20442, -9987, 4878, 11248, -5794, 22161},
    {0, 1, 0, -4063, -5071, 226, -64, 4601, 4032},
    {0, 1, 1, -6016, -3336, 2030, -836, -1729, 234},
    {0, 1, 2, -3956, 3039, 69, -604, -415, 702},
    {0, 1, 3, -667, 3572, -247, -567, 239, 723},
    {0, 2, -2, 1276, 501, -57, 1, 67, -67},
    {0, 2, -1, 1152, -917, -122, 175, 1034, -451},
    {0, 2, 0, 630, -1277, -49, -164, -129, 504},
    {1, -1, 0, 2571, -459, -197, 199, 480, -231},
    {1, -1, 1, 899, -1449, -25, 217, 2, -441},
    {1, 0, -3, -1016, 1043, 589, -248, -3359, 265},
    {1, 0, -2, -2343, -1012, -269, 711, 7856, -7832},
    {1, 0, -1, 7042, 788, 185, 193, 36, 45763},
    {1, 0, 0, 1199, -338, 315, 807, 8663, 8547},
    {1, 0, 1, 418, -67, -130, -43, -809, -769},
    {1, 0, 2, 120, -274, 5, 3, 263, -144},
    {1, 0, 3, -60, -159, 2, 17, -126, 32},
    {1, 0, 4, -82, -29, 2, 5, -35, -16},
    {1, 1, -3, -36, -29, 2, 3, -19, -4},
    {1, 1, -2, -40, 7, 3, 1, -15, 8},
    {1, 1, -1, -14, 22, 2, -1, -4, 12},
    {1, 1, 0, 4, 13, 1, -1, 5, 6},
    {1, 1, 1, 5, 2, 0, -1, 3, 1},
    {1, 1, 3, -1, 0, 0, 0, 6, -2},
    {2, 0, -6, 2, 0, 0, -2, 2, 2},
    {2, 0, -5, -4, 5, 2, 2, -2, -2},
    {2, 0, -4, 4, -7, -7, 0, 14, 13},
    {2, 0, -3, 14, 24, 10, -8, -63, 13},
    {2, 0, -2, -49, -34, -3, 20, 136, -236},
    {2, 0, -1, 163, -48, 6, 5, 273, 1065},
    {2, 0, 0, 9, -24, 14, 17, 251, 149},
    {2, 0, 1, -4, 1, -2, 0, -25, -9},
    {2, 0, 2, -3, 1, 0, 0, 9, -2},
    {2, 0, 3, 1, 3, 0, 0, -8, 7},
};

constexpr double SERIES_FIRST_JD = 2409542.5;  // 1885 January 1
constexpr double SERIES_LAST_JD = 2488069.5;   // 2100 January 1

// Ecliptic of J2000 -> equatorial of J2000 (obliquity 23.4392911 degrees).
void ecliptic_to_equatorial_j2000(double lon_rad, double lat_rad, double r, double p[3]) {
    double x = r * std::cos(lat_rad) * std::cos(lon_rad);
    double y = r * std::cos(lat_rad) * std::sin(lon_rad);
    double z = r * std::sin(lat_rad);
    double eps = 23.4392911 * ERFA_DD2R;
    p[0] = x;
    p[1] = y * std::cos(eps) - z * std::sin(eps);
    p[2] = y * std::sin(eps) + z * std::cos(eps);
}

}  // namespace

bool pluto_series_covers(double jd_tt) {
    return jd_tt >= SERIES_FIRST_JD && jd_tt < SERIES_LAST_JD;
}

void pluto_position(double jd_tt, double position[3]) {
    if (!pluto_series_covers(jd_tt)) {
        // The classical series gives the ecliptic of date; take it back to J2000.
        double lat = 0, lon = 0, r = 0;
        pluto_heliocentric(jd_tt, lat, lon, r);
        double p_date[3];
        double cl = std::cos(lat * ERFA_DD2R);
        p_date[0] = r * cl * std::cos(lon * ERFA_DD2R);
        p_date[1] = r * cl * std::sin(lon * ERFA_DD2R);
        p_date[2] = r * std::sin(lat * ERFA_DD2R);
        double rm[3][3];
        eraEcm06(jd_tt, 0.0, rm);  // ICRS -> ecliptic of date
        eraTrxp(rm, p_date, position);
        return;
    }
    double t = (jd_tt - ERFA_DJ00) / ERFA_DJC;
    double j = 34.35 + 3034.9057 * t;
    double s = 50.08 + 1222.1138 * t;
    double p = 238.96 + 144.9600 * t;
    double lon = 0, lat = 0, r = 0;
    for (const PlutoTerm& k : TERMS) {
        double a = (k.j * j + k.s * s + k.p * p) * ERFA_DD2R;
        double sa = std::sin(a), ca = std::cos(a);
        lon += k.la * sa + k.lb * ca;
        lat += k.ba * sa + k.bb * ca;
        r += k.ra * sa + k.rb * ca;
    }
    lon = 238.958116 + 144.96 * t + lon * 1e-6;
    lat = -3.908239 + lat * 1e-6;
    r = 40.7241346 + r * 1e-7;
    ecliptic_to_equatorial_j2000(lon * ERFA_DD2R, lat * ERFA_DD2R, r, position);
}

}  // namespace precise

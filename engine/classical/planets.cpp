// The planets from mean orbital elements with their classical periodic
// perturbations, and Pluto from a trigonometric series.
#include "engine/classical/planets.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/calendar.h"
#include "engine/classical/sun.h"

namespace {

constexpr int MERCURY = 3;
constexpr int VENUS = 4;
constexpr int MARS = 5;
constexpr int JUPITER = 6;
constexpr int SATURN = 7;
constexpr int URANUS = 8;
constexpr int NEPTUNE = 9;
constexpr int PLUTO = 10;

// A cubic a0 + a1 T + a2 T^2 + a3 T^3 in Julian centuries from 1900.
struct Cubic {
    double a0, a1, a2, a3;
};

double evaluate(const Cubic& c, double t) { return c.a0 + c.a1 * t + c.a2 * t * t + c.a3 * t * t * t; }

// Mean elements of date, Mercury to Neptune: mean longitude L, eccentricity e,
// inclination i, longitude of the ascending node, argument of perihelion
// (degrees, e pure number) and the semi-major axis a (AU).  Explanatory
// Supplement to the Astronomical Ephemeris (1961), as tabulated in Meeus,
// Astronomical Formulae for Calculators.
struct ElementsRow {
    Cubic longitude, eccentricity, inclination, node, perihelion;
    double semi_major_axis;
};

constexpr ElementsRow elements_table[] = {
    // Mercury
    {{178.179078, 149474.07078, 0.0003011, 0},
     {0.20561421, 0.00002046, -0.00000003, 0},
     {7.002881, 0.0018608, -0.0000183, 0},
     {47.145944, 1.1852083, 0.0001739, 0},
     {28.753753, 0.3702806, 0.0001208, 0},
     0.3870986},
    // Venus
    {{342.767053, 58519.21191, 0.0003097, 0},
     {0.00682069, -0.00004774, 0.000000091, 0},
     {3.393631, 0.0010058, -0.000001, 0},
     {75.779647, 0.89985, 0.00041, 0},
     {54.384186, 0.5081861, -0.0013864, 0},
     0.7233316},
    // Mars
    {{293.737334, 19141.69551, 0.0003107, 0},
     {0.0933129, 0.000092064, -0.000000077, 0},
     {1.850333, -0.000675, 0.0000126, 0},
     {48.786442, 0.7709917, -0.0000014, -0.00000533},
     {285.431761, 1.0697667, 0.0001313, 0.00000414},
     1.5236883},
    // Jupiter
    {{238.049257, 3036.301986, 0.0003347, -0.00000165},
     {0.04833475, 0.00016418, -0.0000004676, -0.0000000017},
     {1.308736, -0.0056961, 0.0000039, 0},
     {99.443414, 1.01053, 0.00035222, -0.00000851},
     {273.277558, 0.5994317, 0.00070405, 0.00000508},
     5.202561},
    // Saturn
    {{266.564377, 1223.509884, 0.0003245, -0.0000058},
     {0.05589232, -0.0003455, -0.00000728, 0.00000000074},
     {2.492519, -0.0039189, -0.00001549, 0.00000004},
     {112.790414, 0.8731951, -0.00015218, -0.00000531},
     {338.3078, 1.0852207, 0.00097854, 0.00000992},
     9.554747},
    // Uranus
    {{244.19747, 429.863546, 0.000316, -0.0000006},
     {0.0463444, -0.00002658, 0.0000395, 0},
     {0.772464, 0.0006253, 0.0000395, 0},
     {73.477111, 0.4986678, 0.0013117, 0},
     {98.071581, 0.985765, -0.0010745, -0.00000061},
     19.21814},
    // Neptune
    {{84.457994, 219.885914, 0.0003205, -0.0000006},
     {0.00899704, 0.00000633, 0.000000002, 0},
     {1.779242, -0.0095436, -0.0000091, 0},
     {130.681389, 1.098935, 0.00024987, -0.000004718},
     {276.045975, 0.3256394, 0.00014095, 0.000004113},
     30.10957},
};

MeanAnomalies mean_anomalies(double t) {
    const double t2 = t * t;
    return {normalize_degrees(102.27938 + 149472.51529 * t + 0.000007 * t2),
            normalize_degrees(212.60322 + 58517.80387 * t + 0.001286 * t2),
            normalize_degrees(319.51913 + 19139.85475 * t + 0.000181 * t2),
            normalize_degrees(225.32833 + 3034.69202 * t - 0.000722 * t2),
            normalize_degrees(175.46622 + 1221.55147 * t - 0.000502 * t2),
            normalize_degrees(72.64878 + 428.37911 * t + 0.000079 * t2),
            normalize_degrees(37.73063 + 218.46134 * t - 0.00007 * t2)};
}

// The periodic perturbations of one planet: mean longitude, mean anomaly,
// eccentricity, semi-major axis (AU), heliocentric longitude and latitude
// (degrees) and radius vector (AU).
struct Perturbations {
    double mean_longitude = 0, mean_anomaly = 0, eccentricity = 0, semi_major_axis = 0;
    double longitude = 0, latitude = 0, radius = 0;
};

// Given the planet, T, its own mean anomalies, the Sun's mean anomaly sun_m
// and the planet's unperturbed eccentricity e; returns its perturbations.
// Meeus, Astronomical Formulae for Calculators; the outer planets' terms in
// the arguments P, Q, S, G of Jupiter, Saturn, Uranus and Neptune.
Perturbations perturbations(int body, double t, const MeanAnomalies& m, double sun_m, double e) {
    Perturbations p;
    const double m1 = m.mercury;
    const double m2 = m.venus;
    const double m4 = m.mars;
    const double m5 = m.jupiter;
    // Arguments of the outer planets (not normalised).
    const double tau = 0.2 * t + 0.1;
    const double big_p = 237.47555 + 3034.9061 * t;
    const double big_q = 265.9165 + 1222.1139 * t;
    const double big_s = 243.51721 + 428.4677 * t;
    const double big_g = 83.76922 + 218.4901 * t;
    const double big_h = 2 * big_g - big_s;
    switch (body) {
    case MERCURY:
        p.longitude = 0.00204 * cos_deg(5 * m2 - 2 * m1 + 12.22) +
                      0.00103 * cos_deg(2 * m2 - m1 - 160.692) +
                      0.00091 * cos_deg(2 * m5 - m1 - 37.003) +
                      0.00078 * cos_deg(5 * m2 - 3 * m1 + 10.137);
        p.radius = 0.000005457 * cos_deg(2 * m2 - 2 * m1 - 71.188) +
                   0.000003569 * cos_deg(5 * m2 - m1 - 77.75) +
                   0.000006802 * cos_deg(5 * m2 - 3 * m1 - 259.918) +
                   0.000007525 * cos_deg(2 * m5 - m1 + 53.013);
        break;
    case VENUS: {
        p.mean_longitude = 0.00077 * sin_deg(237.24 + 150.27 * t);
        p.mean_anomaly = p.mean_longitude;
        const double mm = sun_m;
        p.longitude = 0.00313 * cos_deg(2 * mm - 2 * m2 - 148.225) +
                      0.00198 * cos_deg(3 * mm - 3 * m2 + 2.565) +
                      0.00136 * cos_deg(mm - m2 - 119.107) +
                      0.00096 * cos_deg(3 * mm - 2 * m2 - 135.912) +
                      0.00082 * cos_deg(m5 - m2 - 208.087);
        p.radius = 0.000022501 * cos_deg(2 * mm - 2 * m2 - 58.208) +
                   0.000019045 * cos_deg(3 * mm - 3 * m2 + 92.577) +
                   0.000006887 * cos_deg(m5 - m2 - 118.09) +
                   0.000005172 * cos_deg(mm - m2 - 29.11) +
                   0.00000362 * cos_deg(5 * mm - 4 * m2 - 104.208) +
                   0.000003283 * cos_deg(4 * mm - 4 * m2 + 63.513) +
                   0.000003074 * cos_deg(2 * m5 - 2 * m2 - 55.167);
        break;
    }
    case MARS: {
        const double mm = sun_m;
        const double a = 3 * m5 - 8 * m4 + 4 * mm;
        p.mean_longitude = -0.01133 * sin_deg(a) - 0.00933 * cos_deg(a);
        p.mean_anomaly = p.mean_longitude;
        p.longitude = 0.00705 * cos_deg(m5 - m4 - 48.958) +
                      0.00607 * cos_deg(2 * m5 - m4 - 188.35) +
                      0.00445 * cos_deg(2 * m5 - 2 * m4 - 191.897) +
                      0.00388 * cos_deg(mm - 2 * m4 + 20.495) +
                      0.00238 * cos_deg(mm - m4 + 35.097) +
                      0.00204 * cos_deg(2 * mm - 3 * m4 + 158.638) +
                      0.00177 * cos_deg(3 * m4 - m2 - 57.602) +
                      0.00136 * cos_deg(2 * mm - 4 * m4 + 154.093) +
                      0.00104 * cos_deg(m5 + 17.618);
        p.radius = 0.000053227 * cos_deg(m5 - m4 + 41.1306) +
                   0.000050989 * cos_deg(2 * m5 - 2 * m4 - 101.9847) +
                   0.000038278 * cos_deg(2 * m5 - m4 - 98.3292) +
                   0.000015996 * cos_deg(mm - m4 - 55.555) +
                   0.000014764 * cos_deg(2 * mm - 3 * m4 + 68.622) +
                   0.000008966 * cos_deg(m5 - 2 * m4 + 43.615) +
                   0.000007914 * cos_deg(3 * m5 - 2 * m4 - 139.737) +
                   0.000007004 * cos_deg(2 * m5 - 3 * m4 - 102.888) +
                   0.00000662 * cos_deg(mm - 2 * m4 + 113.202) +
                   0.00000493 * cos_deg(3 * m5 - 3 * m4 - 76.243) +
                   0.000004693 * cos_deg(3 * mm - 5 * m4 + 190.603) +
                   0.000004571 * cos_deg(2 * mm - 4 * m4 + 244.702) +
                   0.000004409 * cos_deg(3 * m5 - m4 - 115.828);
        break;
    }
    case JUPITER: {
        const double v = 5 * big_q - 2 * big_p;
        p.mean_longitude = (0.3314 - 0.0103 * tau) * sin_deg(v) - 0.0644 * tau * cos_deg(v);
        break;
    }
    case SATURN: {
        const double v = 5 * big_q - 2 * big_p;
        const double zeta = big_q - big_p;
        p.mean_longitude = (0.1609 * tau - 0.0105) * cos_deg(v) +
                           (0.0182 * tau - 0.8142) * sin_deg(v) - 0.0408 * sin_deg(2 * zeta) -
                           0.1488 * sin_deg(zeta) + 0.0856 * sin_deg(zeta) * cos_deg(big_q) +
                           0.0813 * cos_deg(zeta) * sin_deg(big_q);
        break;
    }
    case URANUS: {
        const double zeta = big_s - big_p;
        const double eta = big_s - big_q;
        const double theta = big_g - big_s;
        const double h = big_h;
        p.mean_longitude = (0.864319 - 0.001583 * tau) * sin_deg(h) +
                           (0.082222 - 0.006833 * tau) * cos_deg(h) + 0.036017 * sin_deg(2 * h) -
                           0.003019 * cos_deg(2 * h) +
                           0.008122 * sin_deg(2 * big_p + 3 * big_s - 6 * big_q);
        p.mean_anomaly = p.mean_longitude - (0.120303 * sin_deg(h) + 0.006197 * sin_deg(2 * h) +
                                             (0.019472 - 0.000947 * tau) * cos_deg(h)) /
                                                e;
        p.eccentricity = (0.0000163 * tau - 0.0003349) * sin_deg(h) + 0.0020981 * cos_deg(h) +
                         0.0001311 * cos_deg(2 * h);
        p.semi_major_axis = -0.003825 * cos_deg(h);
        p.longitude = (0.010122 - 0.000988 * tau) * sin_deg(big_s + eta) +
                      (0.002031 * tau - 0.00191 * tau * tau - 0.038581) * cos_deg(big_s + eta) +
                      (0.034964 - 0.001038 * tau + 0.000868 * tau * tau) * cos_deg(2 * big_s + eta) +
                      0.005594 * sin_deg(big_s + 3 * theta) - 0.014808 * sin_deg(zeta) -
                      0.005794 * sin_deg(eta) + 0.002347 * cos_deg(eta) + 0.009872 * sin_deg(theta) +
                      0.008803 * sin_deg(2 * theta) - 0.004308 * sin_deg(3 * theta);
        p.latitude = (0.000458 * sin_deg(eta) - 0.000642 * cos_deg(eta) -
                      0.000517 * cos_deg(4 * theta)) * sin_deg(big_s) -
                     (0.000347 * sin_deg(eta) + 0.000853 * cos_deg(eta) +
                      0.000517 * sin_deg(4 * eta)) * cos_deg(big_s) +
                     0.000403 * (cos_deg(2 * theta) * sin_deg(2 * big_s) +
                                 sin_deg(2 * theta) * cos_deg(2 * big_s));
        p.radius = -0.025948 + 0.004985 * cos_deg(zeta) - 0.00123 * cos_deg(big_s) +
                   0.003354 * cos_deg(eta) +
                   (0.005795 * cos_deg(big_s) - 0.001165 * sin_deg(big_s) +
                    0.001388 * cos_deg(2 * big_s)) * sin_deg(eta) +
                   (0.001351 * cos_deg(big_s) + 0.005702 * sin_deg(big_s) +
                    0.001388 * sin_deg(2 * big_s)) * cos_deg(eta) +
                   0.000904 * cos_deg(2 * theta) + 0.000894 * (cos_deg(theta) - cos_deg(3 * theta));
        break;
    }
    case NEPTUNE: {
        const double zeta = big_g - big_p;
        const double eta = big_g - big_q;
        const double theta = big_g - big_s;
        const double h = big_h;
        p.mean_longitude = (0.001089 * tau - 0.589833) * sin_deg(h) +
                           (0.004658 * tau - 0.056094) * cos_deg(h) - 0.024286 * sin_deg(2 * h);
        p.mean_anomaly = p.mean_longitude - (0.024039 * sin_deg(h) + 0.006206 * sin_deg(2 * h) -
                                             0.025303 * cos_deg(h) - 0.005992 * cos_deg(2 * h)) /
                                                e;
        p.eccentricity = 0.0004389 * sin_deg(h) + 0.0001129 * sin_deg(2 * h) +
                         0.0004262 * cos_deg(h) + 0.0001089 * cos_deg(2 * h);
        p.semi_major_axis = 0.008189 * cos_deg(h) - 0.000817 * sin_deg(h) + 0.000781 * cos_deg(2 * h);
        p.longitude = -0.009556 * sin_deg(zeta) - 0.005178 * sin_deg(eta) +
                      (0.002572 - 0.002833 * cos_deg(big_g)) * sin_deg(2 * theta) -
                      0.002972 * sin_deg(big_g) * cos_deg(2 * theta);
        p.latitude = 0.000336 * sin_deg(big_g) * cos_deg(2 * theta) +
                     0.000364 * cos_deg(big_g) * sin_deg(2 * theta);
        p.radius = -0.040596 + 0.004992 * cos_deg(zeta) + 0.002744 * cos_deg(eta) +
                   0.002044 * cos_deg(theta) + 0.001051 * cos_deg(2 * theta);
        break;
    }
    default:
        break;
    }
    return p;
}

// Pluto's periodic terms: multipliers (j, s, p) of the mean longitudes of
// Jupiter, Saturn and Pluto, then sine and cosine coefficients of longitude
// and latitude (1e-6 degree) and radius vector (1e-6 AU).  Referred to the
// mean equinox and ecliptic of 1950.0.
struct PlutoTerm {
    int j, s, p;
    int longitude_sin, longitude_cos, latitude_sin, latitude_cos, radius_sin, radius_cos;
};

constexpr PlutoTerm pluto_terms[] = {
    {0, 0, 1, -19977972, 19667536, -5323113, -15024245, 6623876, 6955990},
    {0, 0, 2, 987114, -4939350, 3497557, 1735457, -1181808, -54836},
    {0, 0, 3, 577978, 1226898, -1059559, 299464, 163227, -139603},
    {0, 0, 4, -334695, -201966, 189102, -285383, -3644, 48144},
    {0, 0, 5, 130519, -29025, 14231, 101218, -6268, -8851},
    {0, 0, 6, -39851, 28968, -29164, -27461, 3111, -408},
    {0, 1, -1, 20387, -9832, 4935, 11282, -621, 2223},
    {0, 1, 0, -3986, -4954, 312, -128, 438, 450},
    {0, 1, 1, -5817, -3365, 2057, -904, -153, 61},
    {0, 1, 2, -3903, 2895, 19, -674, -3, 79},
    {0, 1, 3, -738, 3443, -307, -576, 50, 54},
    {0, 2, -2, 1234, 472, -65, 39, -1, -22},
    {0, 2, -1, 1101, -894, -97, 208, 84, -48},
    {0, 2, 0, 625, -1214, 0, -160, -30, 61},
    {1, -1, 0, 2485, -486, -177, 259, 26, -39},
    {1, -1, 1, 852, -1407, 15, 235, -19, -40},
    {1, 0, -3, -948, 1073, 578, -293, -321, 42},
    {1, 0, -2, -2309, -1024, -294, 694, 797, -792},
    {1, 0, -1, 7047, 770, 156, 201, -4, 4564},
    {1, 0, 0, 1184, -344, 294, 829, 852, 855},
    {1, 0, 1, 394, -55, -123, -31, -88, -82},
    {1, 0, 2, 119, -264, 0, 0, 21, -12},
    {1, 0, 3, -46, -156, 0, 0, -14, 6},
    {1, 0, 4, -77, -33, 0, 0, 0, 0},
    {1, 1, -3, -34, -26, 0, 0, 0, 0},
    {1, 1, -2, -43, 0, 0, 0, 0, 0},
    {1, 1, -1, -15, 21, 0, 0, 0, 0},
    {2, 0, -3, 10, 22, 0, 0, -6, 1},
    {2, 0, -2, -57, -32, 0, 0, 13, -23},
    {2, 0, -1, 158, -43, 0, 0, 25, 107},
    {2, 0, 0, 0, 0, 0, 0, 25, 16},
};

// planet_elements for T given.
void elements_for(int body, double t, double& mean_longitude, double& semi_major_axis, double& eccentricity,
                  double& inclination, double& perihelion_argument, double& node_longitude, double& mean_anomaly) {
    const ElementsRow& row = elements_table[body - MERCURY];
    mean_longitude = normalize_degrees(evaluate(row.longitude, t));
    eccentricity = evaluate(row.eccentricity, t);
    inclination = normalize_degrees(evaluate(row.inclination, t));
    node_longitude = normalize_degrees(evaluate(row.node, t));
    perihelion_argument = normalize_degrees(evaluate(row.perihelion, t));
    semi_major_axis = row.semi_major_axis;
    mean_anomaly = mean_longitude - node_longitude - perihelion_argument;
}

}  // namespace

// Given a planet 3-9 and an instant taken as it stands (no Delta T added);
// returns the mean elements of the table at T = centuries_1900 of the
// instant: L, i, node and perihelion argument normalised, e and a as the
// cubics give them, and M = L - node - perihelion argument (not normalised).
// Explanatory Supplement (1961) elements via Meeus, Astronomical Formulae for
// Calculators.
void planet_elements(int body, double hours, int day, int month, int year,
                     double& mean_longitude, double& semi_major_axis, double& eccentricity,
                     double& inclination, double& perihelion_argument, double& node_longitude,
                     double& mean_anomaly) {
    elements_for(body, centuries_of_date(hours, day, month, year), mean_longitude, semi_major_axis, eccentricity,
                 inclination, perihelion_argument, node_longitude, mean_anomaly);
}

// Given an ecliptic place (degrees) for the mean equinox and ecliptic of
// 1950.0 and a Julian day; precesses it in place to the equinox and ecliptic
// of that day.  Rigorous rotation by the angles eta, Pi and p of the ecliptic
// (Meeus, Astronomical Algorithms, chapter 21), worked in radians.
void precess_ecliptic_1950(double jd, double& longitude, double& latitude) {
    const double to_radians = 0.0174532925239284;
    const double to_degrees = 57.2957795;
    const double revolutions_per_radian = 0.15915494309189535;
    const double lambda = longitude * to_radians;
    const double beta = latitude * to_radians;
    const double t = (jd - 2451545.0) / 36525.0 + 0.5;  // centuries from 1950.0
    const double eta = 0.000228 * t;
    const double big_pi = 3.044;
    const double p = (0.0243764 + 0.00000539 * t) * t;
    const double s = std::sin(eta) * std::sin(big_pi - lambda) * std::cos(beta) +
                     std::cos(eta) * std::sin(beta);
    latitude = std::atan(s / std::sqrt((1.0 + s) * (1.0 - s))) * to_degrees;
    const double q = std::cos(big_pi - lambda) * std::cos(beta);
    double turns = (p -
                    std::atan((std::sin(big_pi - lambda) * std::cos(beta) * std::cos(eta) -
                               std::sin(beta) * std::sin(eta)) /
                              q) +
                    big_pi) *
                   revolutions_per_radian;
    if (q <= 0.0) turns += 0.5;
    turns = frac(turns);
    if (turns < 0.0) turns += 1.0;
    longitude = turns * 360.0;
}

// Given an ephemeris Julian day; returns Pluto's heliocentric latitude and
// longitude (degrees, equinox of date) and radius vector (AU) from 31
// periodic terms in the mean longitudes of Jupiter, Saturn and Pluto (the
// form of Meeus, Astronomical Algorithms, chapter 37, referred to 1950.0).
void pluto_heliocentric(double jde, double& helio_latitude, double& helio_longitude,
                        double& radius) {
    const double t = centuries_1900(jde);
    const double j = normalize_degrees(238.74 + 3034.9057 * t);
    const double s = normalize_degrees(267.26 + 1222.1138 * t);
    const double p = normalize_degrees(93.48 + 144.96 * t);
    double sum_l = 0.0;
    double sum_b = 0.0;
    double sum_r = 0.0;
    for (const PlutoTerm& term : pluto_terms) {
        const double alpha = term.j * j + term.s * s + term.p * p;
        const double sin_a = sin_deg(alpha);
        const double cos_a = cos_deg(alpha);
        sum_l += term.longitude_sin * sin_a + term.longitude_cos * cos_a;
        sum_b += term.latitude_sin * sin_a + term.latitude_cos * cos_a;
        sum_r += term.radius_sin * sin_a + term.radius_cos * cos_a;
    }
    helio_longitude = normalize_degrees(sum_l * 1e-6 + 144.96 * t + 93.297471);
    helio_latitude = sum_b * 1e-6 - 3.909434;
    radius = sum_r * 1e-6 + 40.724725;
    precess_ecliptic_1950(jde, helio_longitude, helio_latitude);
}

// Given a UT instant; the ephemeris instant and what every planet's place at
// it needs besides its own elements.
PlanetInstant planet_instant(double hours, int day, int month, int year, int want_equatorial) {
    PlanetInstant p;
    p.jde = julian_day(day, month, year) + hours / 24.0 + delta_t_hours(year) / 24.0;
    split_instant(p.jde, p.hours_e, p.day_e, p.month_e, p.year_e);
    p.centuries = centuries_1900(p.jde);
    p.mean_anomalies = mean_anomalies(p.centuries);
    p.sun = sun_ecliptic(hours, day, month, year);
    p.date_centuries = centuries_of_date(p.hours_e, p.day_e, p.month_e, p.year_e);
    p.want_equatorial = want_equatorial;
    if (want_equatorial) {
        double delta_psi = 0.0, delta_epsilon = 0.0;
        nutation_for(p.date_centuries, delta_psi, delta_epsilon);
        p.apparent = apparent_place_terms(obliquity_for(p.date_centuries, false), p.sun.longitude, delta_psi,
                                          delta_epsilon);
        const double true_obliquity = obliquity_for(p.date_centuries, true);
        p.sin_true_obliquity = sin_deg(true_obliquity);
        p.cos_true_obliquity = cos_deg(true_obliquity);
    }
    return p;
}

// Given a planet 3-10 and its instant; returns its Earth distance, lit
// fraction, elongation and heliocentric place, and with want_equatorial also
// its apparent right ascension and declination (nutation and aberration, no
// light time).  Meeus, Astronomical Formulae for Calculators, chapter "Planets".
void planet_place(int body, const PlanetInstant& instant, int want_equatorial, double& ra, double& dec,
                  double& distance, double& illuminated, double& elongation, double& helio_latitude,
                  double& helio_longitude, double& radius) {
    const double sun_longitude = instant.sun.longitude;
    double l = 0.0;    // heliocentric longitude
    double psi = 0.0;  // heliocentric latitude
    double r = 0.0;    // radius vector
    if (body == PLUTO) {
        pluto_heliocentric(instant.jde, psi, l, r);
    } else {
        double mean_longitude = 0.0;
        double a = 0.0;
        double e = 0.0;
        double inclination = 0.0;
        double perihelion = 0.0;
        double node = 0.0;
        double mean_anomaly = 0.0;
        elements_for(body, instant.date_centuries, mean_longitude, a, e, inclination, perihelion, node,
                     mean_anomaly);
        const double t = instant.centuries;
        const MeanAnomalies& m = instant.mean_anomalies;
        const double own_mean_anomaly[] = {m.mercury, m.venus,  m.mars,   m.jupiter,
                                           m.saturn,  m.uranus, m.neptune};
        mean_anomaly = own_mean_anomaly[body - MERCURY];
        const Perturbations d = perturbations(body, t, m, instant.sun.mean_anomaly, e);
        mean_longitude += d.mean_longitude;
        mean_anomaly += d.mean_anomaly;
        e += d.eccentricity;
        a += d.semi_major_axis;

        const double ecc_anomaly = solve_kepler(mean_anomaly, e);
        const double nu = true_anomaly(e, ecc_anomaly);
        r = radius_vector(a, e, ecc_anomaly) + d.radius;
        const double u = normalize_degrees(nu - mean_anomaly + mean_longitude - node);
        l = normalize_degrees(
                normalize_degrees(atan2_deg(cos_deg(u), cos_deg(inclination) * sin_deg(u))) +
                node) +
            d.longitude;
        psi = asin_deg(sin_deg(u) * sin_deg(inclination)) + d.latitude;
    }
    helio_longitude = l;
    helio_latitude = psi;
    radius = r;

    // Geocentric rectangular place, x toward the Sun.
    const double big_r = instant.sun.distance;
    const double cos_psi = cos_deg(psi);
    const double sin_psi = sin_deg(psi);
    const double cos_from_sun = cos_deg(l - sun_longitude);
    const double r_projected = r * cos_psi;
    const double x = r_projected * cos_from_sun + big_r;
    const double y = r_projected * sin_deg(l - sun_longitude);
    const double z = r * sin_psi;
    distance = std::sqrt(x * x + y * y + z * z);
    illuminated = (big_r * cos_psi * cos_from_sun + r + distance) / (2 * distance);
    elongation = acos_deg((distance * distance + big_r * big_r - r * r) / (2 * big_r * distance));

    if (want_equatorial == 0) {
        ra = 0.0;
        dec = 0.0;
        return;
    }
    const double lambda = normalize_degrees(atan2_deg(x, y) + sun_longitude);
    const double beta = asin_deg(r * sin_psi / distance);
    ecliptic_to_equatorial_for(instant.sin_true_obliquity, instant.cos_true_obliquity, lambda, beta, ra, dec);
    apparent_place_correction_for(ra, dec, instant.apparent);
}

void planet_position(int body, double hours, int day, int month, int year, int want_equatorial,
                     double& ra, double& dec, double& distance, double& illuminated,
                     double& elongation, double& helio_latitude, double& helio_longitude,
                     double& radius) {
    planet_place(body, planet_instant(hours, day, month, year, want_equatorial), want_equatorial, ra, dec, distance,
                 illuminated, elongation, helio_latitude, helio_longitude, radius);
}

bool is_planet(int id) { return id >= MERCURY && id < 11; }

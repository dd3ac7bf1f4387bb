// Makes the precise engine's compact ephemeris (engine/precise/ephemeris_table.h)
// from ERFA: for each granule, the functions sampled at the Chebyshev nodes
// of its interval and turned into Chebyshev coefficients (the discrete
// cosine transform of the samples); a series fitted through n nodes and
// cut to its first m terms serves for the smoother Sun velocity.
// Usage: make_ephemeris_table OUTPUT   (written through OUTPUT.tmp and a rename)
#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "engine/precise/ephemeris_table.h"

namespace {

using precise::EphemerisGranule;

// The Chebyshev coefficients of the n samples f[k] taken at x_k = cos(pi (k + 1/2) / n).
std::vector<double> coefficients(const std::vector<double>& f) {
    const int n = static_cast<int>(f.size());
    std::vector<double> c(n);
    for (int j = 0; j < n; ++j) {
        double s = 0.0;
        for (int k = 0; k < n; ++k) s += f[k] * std::cos(ERFA_DPI * j * (k + 0.5) / n);
        c[j] = (j == 0 ? 1.0 : 2.0) * s / n;
    }
    return c;
}

// The TT instants of the n Chebyshev nodes of granule i.
std::vector<double> nodes(int i, int n) {
    std::vector<double> t(n);
    double first = precise::TABLE_FIRST_TT + i * precise::GRANULE_DAYS;
    for (int k = 0; k < n; ++k)
        t[k] = first + (std::cos(ERFA_DPI * (k + 0.5) / n) + 1.0) * 0.5 * precise::GRANULE_DAYS;
    return t;
}

EphemerisGranule make_granule(int i) {
    EphemerisGranule g{};
    std::vector<double> earth[3], sun_velocity[3], nutation[2];
    for (double t : nodes(i, precise::EARTH_TERMS)) {
        double pvh[2][3], pvb[2][3];
        eraEpv00(t, 0.0, pvh, pvb);
        for (int c = 0; c < 3; ++c) {
            earth[c].push_back(pvh[0][c]);
            sun_velocity[c].push_back(pvb[1][c] - pvh[1][c]);
        }
    }
    for (double t : nodes(i, precise::NUTATION_TERMS)) {
        double dpsi, deps;
        eraNut00b(t, 0.0, &dpsi, &deps);
        nutation[0].push_back(dpsi);
        nutation[1].push_back(deps);
    }
    for (int c = 0; c < 3; ++c) {
        std::vector<double> e = coefficients(earth[c]), v = coefficients(sun_velocity[c]);
        for (int j = 0; j < precise::EARTH_TERMS; ++j) g.earth[c][j] = e[j];
        for (int j = 0; j < precise::SUN_VELOCITY_TERMS; ++j) g.sun_velocity[c][j] = v[j];
    }
    for (int a = 0; a < 2; ++a) {
        std::vector<double> n = coefficients(nutation[a]);
        for (int j = 0; j < precise::NUTATION_TERMS; ++j) g.nutation[a][j] = static_cast<float>(n[j]);
    }
    return g;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_ephemeris_table OUTPUT\n");
        return 2;
    }
    std::vector<EphemerisGranule> table(precise::GRANULE_COUNT);
    unsigned workers = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> threads;
    for (unsigned w = 0; w < workers; ++w)
        threads.emplace_back([&table, w, workers] {
            for (int i = static_cast<int>(w); i < precise::GRANULE_COUNT; i += static_cast<int>(workers))
                table[i] = make_granule(i);
        });
    for (std::thread& t : threads) t.join();
    std::string temporary = std::string(argv[1]) + ".tmp";
    FILE* out = std::fopen(temporary.c_str(), "wb");
    bool written = out && std::fwrite(table.data(), sizeof(EphemerisGranule), table.size(), out) == table.size();
    if (out && std::fclose(out) != 0) written = false;
    if (!written || std::rename(temporary.c_str(), argv[1]) != 0) {
        std::fprintf(stderr, "Cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

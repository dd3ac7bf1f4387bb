#pragma once
// The classical engine's cache, one record per thread:
//   sun   the last sun_position call's place, by its arguments exactly as
//         passed (the instant split as hours, day, month, year, and apparent
//         or not); one: a report asks for the Sun at one instant several
//         times in a row.
// Lifetime and thread rule: a thread's record lives as long as the thread
// and no other thread sees it, so searches on other threads may call the
// engine too.  What it holds never changes a result, only saves its work.
#include "engine/slot_cache.h"

struct SunCall {
    double hours = 0.0;
    int day = 0, month = 0, year = 0;
    int apparent = 0;
    bool operator==(const SunCall&) const = default;
};

struct SunValues {
    double ra = 0.0, dec = 0.0, longitude = 0.0, distance = 0.0, semidiameter = 0.0, mean_anomaly = 0.0;
};

struct ClassicalCaches {
    SlotCache<SunCall, SunValues, 1> sun;
};

// The calling thread's cache.
ClassicalCaches& classical_caches();

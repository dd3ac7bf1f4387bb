#pragma once
// What every report, graph and movie receives by value: the observer, the
// engine that computes for them, and the movie view.
#include "engine/location.h"
#include "engine/sky_engine.h"

struct SkyContext {
    SkyContext() = default;
    // The observer with the classical engine and no view (the generators' callers that know only a place).
    explicit SkyContext(const Location& observer) : location(observer) {}

    Location location;
    const SkyEngine* engine = &CLASSICAL_ENGINE;  // never null
    double view_vertical = 0.0;    // planetarium view centre, degrees
    double view_horizontal = 0.0;  // planetarium view centre, degrees
    double view_angle = 0.0;       // movie field of view, degrees, 5..90
    int time_speed = 0;            // movie time speed, -64..64
    int saved_time_speed = 0;      // parked by Pause
    int speed_index = 0;           // day/night movie speed 0..4; 5 while paused
    int saved_speed_index = 0;     // parked by Pause
    int turbo = 0;                 // planetarium turbo flag
    // The planetarium's horizon view: the sky as seen standing at the place,
    // facing view_azimuth (degrees from north through east) with the view's
    // centre view_altitude degrees above the horizon; false: the equatorial view.
    bool horizon_view = false;
    double view_azimuth = 180.0;
    double view_altitude = 30.0;
};

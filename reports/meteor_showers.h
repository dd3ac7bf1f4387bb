#pragma once
// The Meteor Showers report: the maxima of 28 annual showers that fall in a
// month range of one year, each with its zenithal hourly rate, radiant, the
// Moon's illuminated fraction on the date and the Sun's ecliptic longitude.
// A maximum is defined by the Sun's geometric longitude (equinox 2000.0); the
// date is the day whose 0 h UT longitude is nearest to it.
#include "engine/sky_context.h"
#include "reports/report_document.h"

constexpr int METEOR_SHOWER_COUNT = 28;

// The Sun's geometric longitude (degrees, equinox 2000.0) that marks the
// maximum of shower s (table order; its name is string STR_SHOWER_NAME + s).
double shower_maximum_longitude(int shower);
// The Sun's geometric ecliptic longitude at the instant referred to the
// equinox of 2000.0 by the general precession of `year`'s distance from
// 2000, degrees [0, 360).
double sun_longitude_2000(const SkyEngine& engine, JulianDay jd_ut, int year);

// segment: the report's place in an Almanac (13); in_almanac: run as part of
// one.  Showers are listed in table order (by solar longitude, the
// Quadrantids first) when the Sun comes within 2 degrees of the shower's
// longitude on a day of the range.  Returns 1 when the user stopped it (the
// lines so far stay, without an end marker), else 0.
int meteor_report(ReportDocument& document, int segment, bool in_almanac, int year,
                  int start_month, int stop_month, const SkyContext& sky);

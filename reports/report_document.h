#pragma once
// The report document: the lines of the current report, at most 80 columns
// each, kept as fixed 81-byte records (the characters and a NUL), plus the
// standard header, the centred titles, the progress line and the two reports
// that need no astronomy.  The window, the printer, the clipboard and the
// command line only read the document.
#include <string>
#include <string_view>
#include <vector>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/location.h"
#include "engine/sky_context.h"

constexpr int REPORT_WIDTH = 80;         // columns of every report line
constexpr int REPORT_RECORD_BYTES = 81;  // one line and its NUL
constexpr int REPORT_GROWTH_RECORDS = 100;
constexpr char REPORT_END_MARKER[] = "\f";  // the line that ends a report

struct ReportDocument {
    int line_count = 0;     // lines stored
    int top_line = 0;       // first line shown (vertical scroll position)
    int first_column = 0;   // first column shown (horizontal scroll position), 0..79
    std::vector<char> text; // records of REPORT_RECORD_BYTES; empty until the first line
};

// Where a report shows itself while it is made.  The window installs one; the
// command line may show progress on a terminal.  Null members do nothing.
struct ReportDisplay {
    void (*line_added)(const ReportDocument& document, int line_number) = nullptr;  // 1-based
    void (*progress)(const std::string& text) = nullptr;  // the progress line's text
    // Asked at each progress step before the text is made: false skips the
    // step (a display that shows the line only now and then).  Null: every step.
    bool (*progress_due)() = nullptr;
};
void set_report_display(const ReportDisplay& display);

// Line index (0-based) of the document as text, without its NUL.
std::string_view report_line(const ReportDocument& document, int index);
// Number of 81-byte records the document has room for.
int report_record_capacity(const ReportDocument& document);

void report_add_line(std::string_view text, ReportDocument& document);  // 0..80 characters
void report_end(ReportDocument& document);
void report_clear(ReportDocument& document);
// The two location lines, "Precise calculations" when the precise engine
// computes the report, and an empty line.  A place with a zone has the
// zone's standard offset in "Local Time = UT ..." and, under it, the zone's
// name and its periods of daylight saving time in the local years
// first_year..last_year (0, 0: the name alone).
void report_header(const SkyContext& sky, ReportDocument& document, int first_year = 0, int last_year = 0);
// Given the bodies a report shows and its first and last UT instants; adds a
// line saying that Pluto's places are approximate, and an empty line, when
// the engine's Pluto does not hold at either end; else nothing.
void report_places_note(const SkyContext& sky, BodySet bodies, JulianDay first, JulianDay last,
                        ReportDocument& document);
// The title with (80 - length) / 2 blanks in front, at least one.
std::string center_line(std::string_view title);

// Shows "Generating Report: ..% complete (will finish in .. min, .. sec)".
// segment is the report's place in the Almanac (1..14); fraction is 0..1.
void report_progress(int segment, bool in_almanac, double fraction);
// The fraction (0..1, of the whole Almanac in one) report_progress was last given.
double report_progress_fraction();
// The progress text for an elapsed time, as report_progress shows it (exposed for tests).
std::string progress_text(double fraction, double elapsed_ms, bool known);
double almanac_fraction(int segment, double fraction);

// A part of a report's progress, base .. base + span of the report's own 0..1.
struct ProgressRange {
    int segment;
    bool in_almanac;
    double base;
    double span;
};
// One step of long work inside a report: shows the progress line at
// fraction (0..1) of the range, then runs the message pump; returns 1 when
// stopped.  Its shape fits the engine's step hooks (context: a ProgressRange).
int report_work_step(double fraction, void* range);

double progress_fraction(int first, int last, int current);
double loop_fraction(int i, int i_first, int i_last, int j, int j_first, int j_last, int k,
                     int k_first, int k_last);

// Introduction (ids 700-777, segment 1) and Planet Data (600-640, segment 10):
// the title string centred, then every later string, "!" strings skipped and
// "#" replaced by the decimal separator.  Returns 1 when stopped, else 0.
int static_text_report(ReportDocument& document, int first_id, int last_id, int segment,
                       bool in_almanac);

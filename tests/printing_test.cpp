// Printing and the clipboard text: the page-break rule, copies, job names, the
// degree sign, the picture scale, PDF files from a report and from a graph.
#include <gtest/gtest.h>

#include <QFile>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/graph_table.h"
#include "output/printing.h"
#include "platform/qt/surface_qt.h"
#include "platform/recording_surface.h"
#include "window/printing_qt.h"

namespace {

ReportDocument report_of(int lines, bool ended) {
    ReportDocument document;
    for (int i = 1; i <= lines; ++i) report_add_line("Line " + std::to_string(i), document);
    if (ended) report_end(document);
    return document;
}

// Lines drawn on each page of a recording ("page" lines separate pages).
std::vector<int> lines_per_page(const SurfaceLog& log) {
    std::vector<int> pages{0};
    for (const std::string& line : log.lines) {
        if (line.find(": page") != std::string::npos) pages.push_back(0);
        else if (line.find(": text ") != std::string::npos) ++pages.back();
    }
    return pages;
}

std::string file_text(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

// Page objects of a PDF: "/Type /Page" but not "/Type /Pages".
int pdf_page_count(const std::string& pdf) {
    int count = 0;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++count;
    return count;
}

std::string temp_path(const char* name) { return ::testing::TempDir() + name; }

}  // namespace

TEST(PrintingTest, PageBreaksCopiesAndEndMarker) {
    const int line_height = RECORDING_LINE_HEIGHT;
    struct Case {
        int lines;        // of each report
        bool ended;       // each report closed by the end marker
        int reports;      // reports in the document, one after the other (as in the Almanac)
        int copies;
        std::vector<int> expected;  // lines on each page
    } cases[] = {
        {70, true, 1, 1, {56, 14}},          // 70 lines and the marker on 60 line heights: no empty third page
        {56, true, 1, 1, {56}},              // the marker right after a full page ends it, no empty page
        {56, false, 1, 1, {56}},             // a stopped report that exactly fills the page
        {70, true, 1, 2, {56, 14, 56, 14}},  // two copies: one document, the pages twice
        {10, true, 2, 1, {10, 10}},          // each report (or Calendar month) starts a page
    };
    for (const Case& c : cases) {
        SurfaceLog log;
        auto page = make_recording_surface(log, "printer", 640, 60 * line_height);
        ReportDocument document;
        for (int r = 0; r < c.reports; ++r) {
            ReportDocument one = report_of(c.lines, c.ended);
            for (int i = 0; i < one.line_count; ++i) report_add_line(report_line(one, i), document);
        }
        EXPECT_EQ(print_report_pages(*page, document, c.copies, PrintFont{}, PrintProgress{}), PrintResult::Done);
        EXPECT_EQ(lines_per_page(log), c.expected) << c.lines << " lines, " << c.reports << " reports, "
                                                   << c.copies << " copies";
    }
    // The first line at three line heights, one character width in; the 56th at 58.
    SurfaceLog log;
    auto page = make_recording_surface(log, "printer", 640, 60 * line_height);
    print_report_pages(*page, report_of(70, true), 1, PrintFont{}, PrintProgress{});
    std::string all;
    for (const std::string& line : log.lines) all += line + "\n";
    EXPECT_NE(all.find("text 8," + std::to_string(3 * line_height) + " \"Line 1\""), std::string::npos);
    EXPECT_NE(all.find("text 8," + std::to_string(58 * line_height) + " \"Line 56\""), std::string::npos);
    // Cancel in the abort box: nothing more is printed.
    SurfaceLog cancelled;
    page = make_recording_surface(cancelled, "printer", 640, 60 * line_height);
    PrintProgress progress{nullptr, [] { return false; }};
    EXPECT_EQ(print_report_pages(*page, report_of(10, true), 1, PrintFont{}, progress), PrintResult::Aborted);
    EXPECT_EQ(lines_per_page(cancelled), std::vector<int>{0});
}

TEST(PrintingTest, JobNamesDegreeSignAndPictureScale) {
    PrintSession session;
    EXPECT_EQ(next_print_job_name(session), "SKY Printout #1");
    EXPECT_EQ(next_print_job_name(session), "SKY Printout #2");
    EXPECT_EQ(printable_line("Alt 45\xB0 Az 120\xB0"), "Alt 45d Az 120d");

    struct Case {
        SurfaceSize window, page;
        double scale;
        int width, height;
    } cases[] = {
        {{800, 600}, {2400, 3300}, 3.0, 2400, 1800},  // the design's worked case
        {{1000, 750}, {794, 1123}, 0.794, 794, 595},  // a window larger than an A4 page at 96 dpi
    };
    for (const Case& c : cases) {
        PictureLayout layout = picture_layout(c.window, c.page);
        EXPECT_DOUBLE_EQ(layout.scale, c.scale);
        EXPECT_EQ(layout.width, c.width);
        EXPECT_EQ(layout.height, c.height);
    }
}

// Pasted text on Linux: a line feed ends each line, no carriage return, and
// the form feed that ends a report is no line of text.
TEST(PrintingTest, ClipboardTextOfThreeLines) {
    ReportDocument document = report_of(3, false);
    EXPECT_EQ(clipboard_text(document), "Line 1\nLine 2\nLine 3\n");
    report_end(document);
    EXPECT_EQ(clipboard_text(document), "Line 1\nLine 2\nLine 3\n");
}

// A report line with degrees prints its "\xB0" in a font that has the sign
// (DejaVu Sans Mono, the fixed font here), "d" only in one without.
TEST(PrintingTest, DegreeSignPrintedWhereTheFontHasIt) {
    ReportDocument document;
    report_add_line("Alt 45\xB0", document);
    auto pdf = make_image_surface(640, 480);
    pdf->set_font("", 0);
    FontMetrics font = pdf->font_metrics();
    EXPECT_TRUE(font.has_degree_sign);
    SurfaceLog log;
    auto page = make_recording_surface(log, "printer", 640, 480);
    int index = 0;
    font.line_height = RECORDING_LINE_HEIGHT;
    print_page(*page, document, index, font, PrintProgress{});
    font.has_degree_sign = false;
    index = 0;
    print_page(*page, document, index, font, PrintProgress{});
    std::string all;
    for (const std::string& line : log.lines) all += line + "\n";
    EXPECT_NE(all.find("\"Alt 45\xB0\""), std::string::npos) << all;
    EXPECT_NE(all.find("\"Alt 45d\""), std::string::npos) << all;
}

TEST(PrintingTest, PdfFromAReportAndFromAGraph) {
    std::string report_path = temp_path("printing_report.pdf");
    int expected_pages = 0;
    {
        auto pdf = make_pdf_surface(report_path, 794, 1123);
        ASSERT_NE(pdf, nullptr);
        EXPECT_EQ(print_report_pages(*pdf, report_of(150, true), 1, PrintFont{}, PrintProgress{}), PrintResult::Done);
        // Lines at 3, 4, ... line heights while the line's bottom stays above the page's last row.
        int per_page = (1123 - 1) / pdf->font_metrics().line_height - 3;
        expected_pages = (150 + per_page - 1) / per_page;
        ASSERT_TRUE(finish_file(std::move(pdf)));
    }
    std::string report_pdf = file_text(report_path);
    EXPECT_GE(expected_pages, 2);
    EXPECT_EQ(pdf_page_count(report_pdf), expected_pages);
    EXPECT_NE(report_pdf.find("/FontFile"), std::string::npos) << "no embedded font: no text";

    std::string graph_path = temp_path("printing_graph.pdf");
    {
        auto window = make_image_surface(800, 600);
        window->set_mapping(graph_mapping(800, 600));
        find_graph_generator(CMD_EQUATION_OF_TIME)(*window, current_graph_style(false), app_state().params,
                                                   app_state().sky);
        auto mono = monochrome_copy(*window, surface_color(255, 255, 255));
        auto pdf = make_pdf_surface(graph_path, 794, 1123);
        ASSERT_TRUE(mono && pdf);
        print_picture_page(*pdf, *mono);
        ASSERT_TRUE(finish_file(std::move(pdf)));
    }
    std::string graph_pdf = file_text(graph_path);
    EXPECT_EQ(pdf_page_count(graph_pdf), 1);
    EXPECT_NE(graph_pdf.find("/Subtype /Image"), std::string::npos);
}

// A graph prints by being drawn anew on the printer's page, at the page's own
// resolution: a 4:3 graph on a page of 2400 x 3300 pixels is drawn over 2400 x
// 1800 of them (not a 800 x 600 window enlarged three times), its lines kept as lines.
std::vector<SurfaceSize> drawn_sizes;
TEST(PrintingTest, GraphDrawnOnThePrintersPage) {
    static SurfaceLog log;
    log = SurfaceLog{};
    PrinterHooks hooks;
    hooks.choose_printer = [](bool, int& copies) { copies = 2; return true; };
    hooks.start_document = [](const std::string&) { return make_recording_surface(log, "printer", 2400, 3300); };
    MonochromeCopy no_bitmap = [](const Surface&, SurfaceColor) -> std::unique_ptr<Surface> {
        ADD_FAILURE() << "a graph printed through the window's bitmap";
        return nullptr;
    };
    drawn_sizes.clear();
    auto window = make_recording_surface(log, "window", 800, 600);
    const PictureDrawing drawing = [](Surface& page, int width, int height) {
        drawn_sizes.push_back({width, height});
        page.draw_line({0, 0}, {width, height});
    };
    run_output_command(OutputAction::Print, ReportDocument{}, window.get(), surface_color(255, 255, 255), no_bitmap,
                       hooks, drawing, {1000, 750});
    EXPECT_EQ(drawn_sizes, std::vector<SurfaceSize>({{2400, 1800}, {2400, 1800}}));  // two copies, two documents
    std::string all;
    for (const std::string& line : log.lines) all += line + "\n";
    EXPECT_NE(all.find("line 0,0 2400,1800"), std::string::npos) << all;
}

#include "qt_test_main.h"

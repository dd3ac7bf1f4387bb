// The main window on Qt: a QMainWindow with the menu bar, the client area and
// two scroll bars.  What the client area shows is kept in an image surface,
// the window's own drawing surface: the paint handler draws the current
// output on it, a report's new lines and its progress line are drawn on it
// the moment they come, a movie draws its frames on it, and Qt's paint events
// only copy it to the screen.  A paint that pumps messages (a graph)
// therefore runs from a posted request, never inside one of Qt's paint events.
#include "window/window.h"

#include <fenv.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QIcon>
#include <QFontDatabase>
#include <QStatusBar>
#include <QLineEdit>
#include <QLabel>
#include <QImage>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <QSessionManager>
#include <QShortcut>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/city_list.h"
#include "app/colors.h"
#include "app/commands.h"
#include "app/graph_table.h"
#include "app/help.h"
#include "app/menu_state.h"
#include "app/window_place.h"
#include "engine/clock.h"
#include "engine/calendar.h"
#include "format/format.h"
#include "movies/movie.h"
#include "movies/sky_atlas.h"
#include "movies/star_catalogue.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/messages.h"
#include "platform/qt/message_box.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/settings_qt.h"
#include "platform/qt/surface_qt.h"
#include "platform/qt/vector_state.h"
#include "platform/settings_store.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "window/color_dialog.h"
#include "window/help_window.h"
#include "window/parameter_dialogs.h"
#include "window/printing_qt.h"
#include "window/export_events.h"
#include "window/save_as.h"

namespace {

constexpr int FRAME_PERIOD_MS = 250;
// The first client area: a report line (80 columns) with a column of margin
// either side, and 3 : 4 of that high, the shape of a graph.
constexpr int FIRST_CLIENT_COLUMNS = 82;
constexpr double SCREEN_SHARE = 0.95;    // at most this part of the screen's free area
constexpr const char* GEOMETRY_SETTING = "Window";  // "x,y,width,height,maximised" of the frame
constexpr const char* GRID_LINES_SETTING = "Grid Lines";  // "1": Grid Lines, "0" or none: Tick Marks
constexpr const char* REPORT_SIZE_SETTING = "Report Font Size";  // points; "0" or none: the system's
constexpr int MIN_REPORT_POINTS = 6, MAX_REPORT_POINTS = 36;  // Ctrl+minus and Ctrl+plus stop here
constexpr int WHEEL_NOTCH = 120;         // angle delta of one wheel notch, 1/8 degree

// A report as it grows is shown in batches: new lines and the progress text
// wait here and are drawn together at most every REPORT_SHOW_PERIOD (the
// progress line only when its text changed).  Drawing and repainting at every
// step (twenty thousand synchronous repaints a century of eclipses, half the
// time spent shaping text) made a long report a hundred times slower in the
// window than on the command line.
constexpr std::chrono::milliseconds REPORT_SHOW_PERIOD{50};

struct GrowingReport {
    const ReportDocument* document = nullptr;
    int first_new_line = 0;  // 1-based; 0: no line waits
    int last_new_line = 0;
    std::string progress;    // the latest progress text
    std::string shown;       // the progress text on the screen; empty when none is
    std::chrono::steady_clock::time_point shown_at;
};

// The one main window: the toolkit's event handlers and the shell hooks, plain
// functions, reach it through this record.
struct Window {
    QMainWindow* frame = nullptr;
    QWidget* client = nullptr;  // the client area
    QScrollBar* bars[2] = {};  // by ScrollBarKind
    QMenu* menus[MENU_COUNT] = {};
    std::map<int, QAction*> items;  // by command id
    QAction* save_as = nullptr;     // File > Save As, an item of the window's own
    QLabel* status = nullptr;       // the status bar's place, zone and engine
    QLineEdit* find = nullptr;      // the status bar's find field, shown by Ctrl+F
    int report_points = 0;          // the report font's size, points; 0 for the system fixed font's
    QTimer* frame_timer = nullptr;
    ReportViewMetrics metrics; // character width, line height, client size
    std::unique_ptr<Surface> screen;    // what the client area shows
    std::unique_ptr<Surface> snapshot;  // the graph snapshot bitmap; null when there is none
    bool screen_invalid = false;  // the paint handler must draw the client area again
    bool paint_posted = false;    // a paint request waits in the event queue
    bool painting = false;        // the paint handler is running
    int wheel_delta = 0;          // wheel turning not yet worth a line
    GrowingReport growing;        // what of a growing report waits to be shown
    MovieState movie;             // the running movie's own state (its clock, trails, places)
    WindowPlugins plugins;
} main_window;

// ---- frame timer ----

void restart_frame_timer() {
    if (main_window.frame_timer) main_window.frame_timer->start(FRAME_PERIOD_MS);
}

void stop_frame_timer() {
    if (main_window.frame_timer) main_window.frame_timer->stop();
}

// ---- menus ----

void show_status();

// Shows the menu groups and the check marks of menu_state() on the menu bar.
void show_menu_state() {
    const MenuState& menus = menu_state();
    for (int position = 0; position < MENU_COUNT; ++position)
        main_window.menus[position]->menuAction()->setEnabled(menus.group_enabled[position]);
    for (auto& [id, action] : main_window.items)
        if (menu_item_checkable(id)) action->setChecked(menu_item_checked(id, menus, app_state()));
    main_window.frame->menuBar()->update();
    show_status();
}

void enable_menu_groups(OutputKind kind, bool enable) {
    set_menu_groups_enabled(menu_state(), kind, enable);
    show_menu_state();
}

// An item can be chosen when it and its menu are enabled.
bool item_enabled(int id) {
    QAction* action = menu_action(id);
    return action && action->isEnabled() && menu_state().group_enabled[menu_position_of(id)];
}

// ---- the client area's surface ----

SurfaceColor background_color() {
    QColor c = main_window.client->palette().color(QPalette::Base);
    return surface_color(c.red(), c.green(), c.blue());
}

SurfaceColor text_color() {
    Rgb c = color_of(COLOR_WINDOW_TEXT);
    return surface_color(c.red, c.green, c.blue);
}

// Pixels from (left, top) to (right, bottom) in the background colour.
void erase(Surface& surface, int left, int top, int right, int bottom) {
    surface.set_pen(background_color(), 1);
    surface.set_brush(background_color());
    surface.draw_rectangle({left, top}, {right, bottom});
}

// Makes the surface as large as the client area, at the screen's pixel
// ratio (sharp on a high-density screen; sizes stay in logical pixels), erased.
void fit_screen_to_client() {
    SurfaceSize size{main_window.client->width(), main_window.client->height()};
    const double ratio = main_window.client->devicePixelRatioF();
    if (main_window.screen && main_window.screen->device_size() == size &&
        surface_image(*main_window.screen)->devicePixelRatio() == ratio)
        return;
    main_window.screen = make_image_surface(size.width, size.height, ratio);
    if (!main_window.screen) fatal_error(MSG_GDI_ERROR, "SKY", __LINE__);
    erase(*main_window.screen, 0, 0, size.width, size.height);
}

// The device-pixel mapping, the system fixed-pitch font and the window's
// colours, text on an opaque background: what reports are drawn with.
void prepare_for_text(Surface& surface) {
    surface.set_mapping(text_mapping());
    surface.set_font("", main_window.report_points);
    surface.set_text_color(text_color());
    surface.set_background(background_color());
    surface.set_background_opaque(true);
}

// As for text, with the graph mapping over the drawing size.
void prepare_for_graph(Surface& surface) {
    AppState& app = app_state();
    prepare_for_text(surface);
    surface.set_mapping(graph_mapping(app.drawing_width, app.drawing_height));
}

void discard_screen_bitmaps() {
    main_window.snapshot.reset();
    if (main_window.plugins.discard_movie_bitmaps) main_window.plugins.discard_movie_bitmaps();
}

// Stop, and a graph drawn in full: later paints copy this picture.
void capture_snapshot() {
    if (!main_window.screen) return;
    SurfaceSize size = main_window.screen->device_size();
    main_window.snapshot = main_window.screen->create_image(size.width, size.height);
    if (!main_window.snapshot) fatal_error(MSG_GDI_ERROR, "SKY", __LINE__);
    main_window.snapshot->copy_from(*main_window.screen, COPY_SOURCE);  // the whole image: its text mapping
}

void paint_client();

// Asks for the whole client area to be painted again once the events
// waiting now have run.
void invalidate() {
    main_window.screen_invalid = true;
    if (main_window.paint_posted || !main_window.client) return;
    main_window.paint_posted = true;
    QMetaObject::invokeMethod(
        main_window.client,
        [] {
            main_window.paint_posted = false;
            if (main_window.screen_invalid) paint_client();
        },
        Qt::QueuedConnection);
}

void repaint_now() {
    main_window.screen_invalid = true;
    paint_client();
    main_window.client->repaint();
}

// Steps 4 to 7 of a paint: the graph drawn by its generator under the graph
// mapping, the menus enabled again.  Returns true when a graph was drawn.
bool paint_graph(Surface& screen) {
    AppState& app = app_state();
    OutputKind kind = output_kind_of(app.current_output);
    bool drawn = false;
    if (kind == OutputKind::Graph && main_window.plugins.draw_graph) {
        enable_menu_groups(OutputKind::Graph, false);
        app.saved_output = app.current_output;
        app.current_output = CMD_NONE;
        app.graph_drawing = true;
        prepare_for_graph(screen);
        main_window.plugins.draw_graph(screen, app.saved_output);
        if (!work_signals().stop_requested) app.current_output = app.saved_output;
        app.graph_drawing = false;
        drawn = true;
    }
    if (kind != OutputKind::Movie) enable_menu_groups(OutputKind::Other, true);
    return drawn;
}

// The paint handler: draws the current output on the window's surface.
void paint_client() {
    if (main_window.painting) return;  // asked again while painting: done when this paint ends
    main_window.painting = true;
    main_window.screen_invalid = false;
    fit_screen_to_client();
    Surface& screen = *main_window.screen;
    const ReportViewMetrics& m = main_window.metrics;
    AppState& app = app_state();
    screen.save_state();
    prepare_for_text(screen);
    erase(screen, 0, 0, m.client_width, m.client_height);
    bool movie_or_nothing = app.current_output == CMD_NONE || output_kind_of(app.current_output) == OutputKind::Movie;
    bool went_on = false, graph_drawn = false;
    // A whole paint shows every waiting line and erases the progress line.
    main_window.growing.first_new_line = main_window.growing.last_new_line = 0;
    main_window.growing.shown.clear();
    if (app.report.line_count > 0) {
        report_view_paint(app.report, app.report_complete, m,
                          [&screen](int x, int y, std::string_view text) { screen.draw_text({x, y}, text); });
    } else if (main_window.snapshot) {
        screen.copy_from(*main_window.snapshot, COPY_SOURCE);
    } else if (!movie_or_nothing) {
        went_on = true;
        graph_drawn = paint_graph(screen);
    }
    // A movie, or nothing current, and no snapshot: the window stays erased; a movie draws on its next tick.
    screen.restore_state();
    main_window.painting = false;
    main_window.client->update();
    WorkSignals& work = work_signals();
    if (went_on) {
        // Later paints copy the snapshot instead of drawing the graph again;
        // a paint cut short by a resize or focus change draws it once more.
        if (graph_drawn && output_kind_of(app.current_output) == OutputKind::Graph && !work.repaint_pending &&
            main_window.client->hasFocus())
            capture_snapshot();
        if (work.repaint_pending) {
            work.repaint_pending = false;
            main_window.screen_invalid = true;
        }
    }
    if (main_window.screen_invalid) invalidate();
}

// ---- the report as it is made ----

// Draws the lines and the progress text that wait, and asks Qt to paint them
// when it next runs (update(), not a repaint on the spot).
void show_growing_report() {
    GrowingReport& g = main_window.growing;
    g.shown_at = std::chrono::steady_clock::now();
    if (main_window.frame->isMinimized() || main_window.painting || !main_window.screen) return;
    const ReportViewMetrics& m = main_window.metrics;
    Surface& screen = *main_window.screen;
    prepare_for_text(screen);
    for (int n = g.first_new_line; g.document && n >= 1 && n <= g.last_new_line; ++n) {
        std::string_view text = report_line(*g.document, n - 1);
        int y = new_line_y(text, n, m, false);
        if (y < 0) continue;
        screen.draw_text({m.char_width, y}, text);
        main_window.client->update(0, y, m.client_width, m.line_height);
    }
    g.first_new_line = g.last_new_line = 0;
    if (g.progress == g.shown) return;
    // The progress line on the last line of the client area, the rest of that line erased.
    int y = progress_line_y(m);
    screen.draw_text({m.char_width, y}, g.progress);
    int text_end = m.char_width * (static_cast<int>(g.progress.size()) + 1);
    erase(screen, text_end, y, m.client_width, m.client_height);
    main_window.client->update(0, y, m.client_width, m.client_height - y);
    g.shown = g.progress;
}

// Whether what waits is shown now: the first progress line of a view at
// once, later ones a period after the last.
bool growing_report_due() {
    const GrowingReport& g = main_window.growing;
    return g.shown.empty() || std::chrono::steady_clock::now() - g.shown_at >= REPORT_SHOW_PERIOD;
}

void show_new_line(const ReportDocument& document, int line_number) {
    GrowingReport& g = main_window.growing;
    g.document = &document;
    if (g.first_new_line == 0) g.first_new_line = line_number;
    g.last_new_line = line_number;
    if (growing_report_due()) show_growing_report();
}

// Asked before a progress text is made: only when it will be shown.
void show_progress(const std::string& text) {
    main_window.growing.progress = text;
    show_growing_report();
}

// ---- scrolling ----

// A report's bars show only when there is something to scroll: the
// vertical one when its lines do not all fit, the horizontal one when its
// 80 columns do not; a bar that goes takes the view back to its start.
bool report_bar_needed(ScrollBarKind kind) {
    ReportDocument& report = app_state().report;
    const ReportViewMetrics& m = main_window.metrics;
    const bool needed = kind == SCROLL_VERTICAL ? report.line_count + 1 > m.client_height / m.line_height
                                                : REPORT_WIDTH + 2 > m.client_width / m.char_width;
    if (!needed) (kind == SCROLL_VERTICAL ? report.top_line : report.first_column) = 0;
    return needed;
}

void fit_report_bars() {
    if (app_state().report.line_count == 0 || main_window.bars[SCROLL_VERTICAL]->maximum() == 0) return;
    for (ScrollBarKind kind : {SCROLL_HORIZONTAL, SCROLL_VERTICAL}) {
        const bool needed = report_bar_needed(kind);
        if (main_window.bars[kind]->isVisibleTo(main_window.frame) != needed) main_window.bars[kind]->setVisible(needed);
    }
}

void show_scroll_bars(bool shown, int position) {
    const bool report = app_state().report.line_count > 0;
    for (ScrollBarKind kind : {SCROLL_HORIZONTAL, SCROLL_VERTICAL}) {
        QScrollBar* bar = main_window.bars[kind];
        bar->setRange(0, shown ? SCROLL_RANGE : 0);
        bar->setValue(position);
        bar->setVisible(shown && (!report || report_bar_needed(kind)));
    }
    // The client area takes its new size now, as the shown or hidden bars leave it.
    main_window.client->parentWidget()->layout()->activate();
}

// Whether the output running is a movie whose view the scroll bars pan (the planetarium).
bool panning_movie_running() {
    const CommandEntry* row = find_command(app_state().current_output);
    return row && row->kind == OutputKind::Movie && row->movie == MOVIE_PLANETARIUM;
}

// A scroll-bar request, from a bar or a key: pans the planetarium, or
// scrolls the report.  Returns the bar's new thumb position, -1 to leave it.
int scroll_request(ScrollBarKind bar, ScrollCode code, int thumb) {
    AppState& app = app_state();
    int new_thumb = -1;
    if (panning_movie_running() && main_window.plugins.scroll_movie_view) {
        // Jet trails drawn for the old view would no longer match.
        if (app.jet_trails) discard_screen_bitmaps();
        new_thumb = main_window.plugins.scroll_movie_view(bar, code, thumb);
    }
    if (app.report.line_count > 0) {
        ScrollResult result = report_view_scroll(bar, code, thumb, main_window.metrics, app.report);
        if (result.moved) {
            new_thumb = result.thumb;
            repaint_now();
        }
    }
    return new_thumb;
}

// A key standing for a scroll bar.
void scroll_by_key(ScrollBarKind bar, ScrollCode code) {
    int thumb = scroll_request(bar, code, 0);
    if (thumb >= 0) main_window.bars[bar]->setValue(thumb);
}

// The bar's own actions.  Qt moves the thumb by itself; the request decides
// where it ends up (where it was, when the view did not move).
void connect_scroll_bar(ScrollBarKind kind) {
    QScrollBar* bar = main_window.bars[kind];
    QObject::connect(bar, &QAbstractSlider::actionTriggered, [bar, kind](int action) {
        ScrollCode code;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: code = SCROLL_LINE_UP; break;
        case QAbstractSlider::SliderSingleStepAdd: code = SCROLL_LINE_DOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SCROLL_PAGE_UP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SCROLL_PAGE_DOWN; break;
        case QAbstractSlider::SliderToMinimum: code = SCROLL_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SCROLL_BOTTOM; break;
        case QAbstractSlider::SliderMove: code = SCROLL_THUMB_TRACK; break;
        default: return;
        }
        int before = bar->value();
        int thumb = scroll_request(kind, code, bar->sliderPosition());
        if (code != SCROLL_THUMB_TRACK) bar->setSliderPosition(thumb >= 0 ? thumb : before);
    });
    // The frame timer rests while the planetarium's view is dragged.
    QObject::connect(bar, &QAbstractSlider::sliderPressed, [] {
        if (panning_movie_running()) stop_frame_timer();
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, [bar, kind] {
        scroll_request(kind, SCROLL_THUMB_POSITION, bar->sliderPosition());
        if (panning_movie_running()) restart_frame_timer();
    });
}

// ---- keys ----

bool accelerator_key(int qt_key, AcceleratorKey& key) {
    static const std::pair<int, AcceleratorKey> KEYS[] = {
        {Qt::Key_F2, KEY_F2}, {Qt::Key_F3, KEY_F3}, {Qt::Key_F4, KEY_F4},         {Qt::Key_F5, KEY_F5},
        {Qt::Key_F6, KEY_F6}, {Qt::Key_F7, KEY_F7}, {Qt::Key_F8, KEY_F8},         {Qt::Key_F9, KEY_F9},
        {Qt::Key_F10, KEY_F10}, {Qt::Key_Escape, KEY_ESCAPE},
        {Qt::Key_Insert, KEY_INSERT},                {Qt::Key_C, KEY_C},
    };
    for (auto [qt, k] : KEYS) {
        if (qt != qt_key) continue;
        key = k;
        return true;
    }
    return false;
}

// After a command the keys go to the report view again, so that Page Down
// and End scroll at once; this also ends the menu bar's keyboard mode that
// Esc leaves it in.  A dialog or help window keeps its own focus.
void give_keys_to_view() {
    if (!QApplication::activeModalWidget()) main_window.client->setFocus(Qt::OtherFocusReason);
}

// A menu item chosen by its key: the menu state brought up to date first,
// as opening its menu would, and a greyed item does nothing.
void run_item_by_key(int id) {
    menu_opened();
    if (item_enabled(id)) dispatch_command(id);
    give_keys_to_view();
}

// An accelerator key runs its menu item's command, as choosing the item
// would: the menu state is brought up to date first, and a greyed item does
// nothing.  Returns true when the key is an accelerator.
bool translate_accelerator(const QKeyEvent& event) {
    AcceleratorKey key;
    if ((event.modifiers() & Qt::AltModifier) || !accelerator_key(event.key(), key)) return false;
    int id = accelerator_command(key, (event.modifiers() & Qt::ControlModifier) != 0);
    if (id == 0) return false;
    run_item_by_key(id);
    return true;
}

void key_down(const QKeyEvent& event) {
    if (translate_accelerator(event)) return;
    struct KeyScroll {
        int key;
        ScrollBarKind bar;
        ScrollCode code;
    };
    static constexpr KeyScroll KEY_SCROLLS[] = {
        {Qt::Key_PageUp, SCROLL_VERTICAL, SCROLL_PAGE_UP},  {Qt::Key_PageDown, SCROLL_VERTICAL, SCROLL_PAGE_DOWN},
        {Qt::Key_End, SCROLL_VERTICAL, SCROLL_BOTTOM},      {Qt::Key_Home, SCROLL_VERTICAL, SCROLL_TOP},
        {Qt::Key_Left, SCROLL_HORIZONTAL, SCROLL_LINE_UP},  {Qt::Key_Up, SCROLL_VERTICAL, SCROLL_LINE_UP},
        {Qt::Key_Right, SCROLL_HORIZONTAL, SCROLL_LINE_DOWN}, {Qt::Key_Down, SCROLL_VERTICAL, SCROLL_LINE_DOWN},
    };
    for (const KeyScroll& k : KEY_SCROLLS) {
        if (event.key() != k.key) continue;
        scroll_by_key(k.bar, k.code);
        return;
    }
    if (event.key() == Qt::Key_F1 && main_window.plugins.run_command) main_window.plugins.run_command(CMD_HELP_INDEX);
}

// Each notch of the wheel scrolls the report by the desktop's number of lines.
void wheel_turned(const QWheelEvent& event) {
    main_window.wheel_delta += event.angleDelta().y();
    while (std::abs(main_window.wheel_delta) >= WHEEL_NOTCH) {
        bool up = main_window.wheel_delta > 0;
        main_window.wheel_delta += up ? -WHEEL_NOTCH : WHEEL_NOTCH;
        for (int i = 0; i < QApplication::wheelScrollLines(); ++i)
            scroll_by_key(SCROLL_VERTICAL, up ? SCROLL_LINE_UP : SCROLL_LINE_DOWN);
    }
}

// ---- window events ----

void client_resized() {
    AppState& app = app_state();
    int width = main_window.client->width(), height = main_window.client->height();
    main_window.metrics.client_width = width;
    main_window.metrics.client_height = height;
    work_signals().repaint_pending = true;
    if (app.initial_width == 0 && app.initial_height == 0) {
        app.initial_width = app.drawing_width = width;
        app.initial_height = app.drawing_height = height;
    } else {
        // Below the first size the picture is clipped, not scaled down.
        app.drawing_width = std::max(width, app.initial_width);
        app.drawing_height = std::max(height, app.initial_height);
    }
    // Never below the smallest picture that can be read: a smaller window
    // shows part of it, as below the first size.
    const SurfaceSize least = smallest_picture();
    app.drawing_width = std::max(app.drawing_width, least.width);
    app.drawing_height = std::max(app.drawing_height, least.height);
    discard_screen_bitmaps();
    restart_frame_timer();
    invalidate();
    fit_report_bars();
}

void focus_gained() {
    work_signals().repaint_pending = true;
    invalidate();
    restart_frame_timer();
}

void locale_changed() {
    reload_locale_settings();
    discard_screen_bitmaps();
    invalidate();
}

// One tick of the frame timer: the next frame of the running movie.
void frame_tick() {
    clear_vector_upper_state();  // the event loop may leave them dirty; the frame's arithmetic follows
    AppState& app = app_state();
    if (output_kind_of(app.current_output) != OutputKind::Movie) return;
    if (main_window.plugins.draw_movie_frame && !main_window.painting) {
        fit_screen_to_client();
        Surface& screen = *main_window.screen;
        screen.save_state();
        prepare_for_graph(screen);
        main_window.plugins.draw_movie_frame(screen, app.current_output, app.frame_counter);
        screen.restore_state();
        main_window.client->update();
    }
    ++app.frame_counter;
}

// Exit, and the end of the desktop session: save what the user changed, if the user wants.
void offer_to_save() {
    save_cities_if_modified();
    save_colors_if_changed();
}

// The frame's place and size for the next run: "x,y,width,height,maximised".
// A maximised window keeps the place it will go back to (its own area's, as
// the frame's is not known then).
void save_window_geometry() {
    const QMainWindow& frame = *main_window.frame;
    const QRect normal = frame.normalGeometry();
    const QPoint corner = frame.isMaximized() ? normal.topLeft() : frame.pos();
    write_setting(GEOMETRY_SETTING, window_place_setting({{corner.x(), corner.y(), normal.width(), normal.height()},
                                                          frame.isMaximized()}));
}

// The first window: 82 columns of the report font beside the vertical scroll
// bar, 3 : 4 of that high under the menu bar, and never smaller than the
// smallest readable picture (so a graph is seen whole at first), within the
// screen's free area; or the place and size of the last run when they still
// lie on a screen.
void size_first_window() {
    QMainWindow& frame = *main_window.frame;
    const ReportViewMetrics& m = main_window.metrics;
    const SurfaceSize least = smallest_picture();
    const int client_width = std::max(FIRST_CLIENT_COLUMNS * m.char_width, least.width);
    const int client_height = std::max(client_width * 3 / 4, least.height);
    QSize wanted(client_width + main_window.bars[SCROLL_VERTICAL]->sizeHint().width(),
                 client_height + main_window.bars[SCROLL_HORIZONTAL]->sizeHint().height() +
                     frame.menuBar()->sizeHint().height() + frame.statusBar()->sizeHint().height());
    if (QScreen* screen = frame.screen()) wanted = wanted.boundedTo(screen->availableGeometry().size() * SCREEN_SHARE);
    frame.resize(wanted);

    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect free = screen->availableGeometry();
        screens.push_back({free.x(), free.y(), free.width(), free.height()});
    }
    const std::optional<WindowPlace> saved = saved_window_place(
        read_setting(GEOMETRY_SETTING), screens, frame.minimumSizeHint().width(), frame.minimumSizeHint().height());
    if (!saved) return;  // a screen that has gone, or a value edited by hand: the defaults stay
    frame.move(saved->frame.x, saved->frame.y);
    frame.resize(saved->frame.width, saved->frame.height);
    if (saved->maximised) frame.setWindowState(Qt::WindowMaximized);
}

void window_closing() {
    save_window_geometry();
    offer_to_save();
    stop_frame_timer();
    close_help_window();
    // Work still running under the pump ends at its next step.
    work_signals().stop_requested = true;
}

class ClientArea : public QWidget {
public:
    ClientArea() {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!main_window.screen) return;
        QPainter painter(this);
        const QImage& image = *surface_image(*main_window.screen);
        painter.drawImage(0, 0, image);
        // Enlarged while a graph draws: the new area shows the background
        // until the graph is drawn again at the new size.
        QRegion uncovered = QRegion(rect()) - QRect(QPoint(0, 0), image.deviceIndependentSize().toSize());
        QColor background = palette().color(QPalette::Base);
        for (const QRect& part : uncovered) painter.fillRect(part, background);
    }
    void resizeEvent(QResizeEvent*) override { client_resized(); }
    void keyPressEvent(QKeyEvent* event) override { key_down(*event); }
    void keyReleaseEvent(QKeyEvent* event) override {
        restart_frame_timer();
        QWidget::keyReleaseEvent(event);
    }
    void wheelEvent(QWheelEvent* event) override { wheel_turned(*event); }
    void focusInEvent(QFocusEvent* event) override {
        focus_gained();
        QWidget::focusInEvent(event);
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::LocaleChange) locale_changed();
        QWidget::changeEvent(event);
    }
    // Moved to a screen of another pixel ratio: everything is drawn again at that ratio.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ScreenChangeInternal) {
            discard_screen_bitmaps();
            invalidate();
        }
        return QWidget::event(event);
    }
};

class MainWindow : public QMainWindow {
protected:
    void closeEvent(QCloseEvent* event) override {
        window_closing();
        event->accept();
    }
};

// ---- commands ----

void run_window_dialog(DialogId dialog, CommandParams& params) {
    if (dialog == DIAL_ASSIGN_COLORS) run_assign_colors_dialog(main_window.frame);
    else if (main_window.plugins.run_dialog) main_window.plugins.run_dialog(dialog, params, main_window.frame);
}

// Commands that are neither outputs nor dialogs.
void run_other_command(int id) {
    MenuCommandResult result = run_menu_command(id, menu_state(), app_state());
    if (result == MenuCommandResult::DiscardBitmaps) discard_screen_bitmaps();
    const CommandEntry* row = find_command(id);
    // Tick Marks or Grid Lines, kept for the next run.
    if (id == CMD_TICK_MARKS || id == CMD_GRID_LINES) write_setting(GRID_LINES_SETTING, menu_state().grid_lines ? "1" : "0");
    if (result != MenuCommandResult::NotMenuCommand) show_menu_state();
    else if (row && row->window_action == WindowAction::Exit) main_window.frame->close();
    else if (main_window.plugins.run_command) main_window.plugins.run_command(id);
}

// A menu item chosen: its command runs once the menu has closed.
void command_chosen(int id) {
    clear_vector_upper_state();  // as the event loop left them; a report computes before it pumps
    dispatch_command(id);
    show_menu_state();  // Qt toggled the item's check mark by itself
    give_keys_to_view();
}

// F1 with a menu item highlighted shows that command's help topic instead
// of running it (Exit does not end the program, Tick Marks stays as it is).
class MenuHelpFilter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* menu = qobject_cast<QMenu*>(watched);
        if (!menu || event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        int context = -1;
        for (const auto& [id, action] : main_window.items)
            if (action == menu->activeAction()) context = help_context_of(id);
        if (context < 0) return false;
        menu->close();
        // The topic opens once the menu has gone.
        QMetaObject::invokeMethod(
            main_window.client, [context] { show_help_context(context, main_window.frame); }, Qt::QueuedConnection);
        return true;
    }
};

// What the window shows now, for Save As: the report, a graph drawn in
// full, or the picture of a movie or of a stopped graph.
ShownOutput shown_output() {
    const AppState& app = app_state();
    ShownOutput shown;
    if (app.report.line_count > 0) shown.report = &app.report;
    else if (output_kind_of(app.current_output) == OutputKind::Graph && !app.graph_drawing) shown.graph = app.current_output;
    else if (main_window.snapshot) shown.picture = main_window.snapshot.get();
    else if (output_kind_of(app.current_output) == OutputKind::Movie) shown.picture = main_window.screen.get();
    if (shown.picture && !main_window.snapshot && main_window.plugins.draw_movie_copy && app.frame_counter > 0)
        shown.movie_frame = [](Surface& surface, int width, int height) {
            main_window.plugins.draw_movie_copy(surface, width, height);
        };
    return shown;
}

void save_as() {
    menu_opened();
    if (main_window.save_as->isEnabled()) run_save_as(shown_output(), main_window.frame);
    give_keys_to_view();
}

// The system fixed-pitch font's maximum character width and line height
// (character height plus external leading), measured on an image of the display's kind.
FontMetrics fixed_font_metrics() {
    std::unique_ptr<Surface> probe = make_image_surface(1, 1);
    if (!probe) fatal_error(MSG_GDI_ERROR, "SKY", __LINE__);
    probe->set_font("", main_window.report_points);
    return probe->font_metrics();
}

// The status bar: the place, its clock (the zone's name with its offset now,
// "Europe/Paris UT+2.00", or the fixed "UT+1.00") and the engine.
void show_status() {
    if (!main_window.status) return;
    const SkyContext& sky = app_state().sky;
    char zone[96];
    const double hours = utc_offset_hours(sky.location, now_ut());
    if (sky.location.zone.empty()) std::snprintf(zone, sizeof zone, "UT%+.2f", sky.location.time_zone);
    else std::snprintf(zone, sizeof zone, "%.60s UT%+.2f", sky.location.zone.c_str(), hours);
    const std::string engine(load_string(sky.engine && sky.engine->precise ? STR_PRECISE_ENGINE : STR_CLASSICAL_ENGINE));
    main_window.status->setText(to_qstring(sky.location.name + "    " + zone + "    " + engine));
}

// The report text one size larger (steps > 0) or smaller, or back to the
// system's size (steps 0); kept in the settings for the next run.
void zoom_report(int steps) {
    const int system = QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSize();
    const int now = main_window.report_points > 0 ? main_window.report_points : std::max(system, MIN_REPORT_POINTS);
    main_window.report_points = steps == 0 ? 0 : std::clamp(now + steps, MIN_REPORT_POINTS, MAX_REPORT_POINTS);
    write_setting(REPORT_SIZE_SETTING, std::to_string(main_window.report_points));
    const FontMetrics font = fixed_font_metrics();
    main_window.metrics.char_width = font.char_width;
    main_window.metrics.line_height = font.line_height;
    fit_report_bars();
    invalidate();
}

// Finds text in the report from the line after the view's top (before it,
// backwards), wrapping at the ends, in any letter case; the line found
// becomes the view's top.  Returns false when no line holds it.
bool find_in_report(const std::string& text, bool backwards) {
    ReportDocument& report = app_state().report;
    if (text.empty() || report.line_count == 0) return false;
    const QString wanted = to_qstring(text);
    for (int step = 1; step <= report.line_count; ++step) {
        const int count = report.line_count;
        const int line = ((report.top_line + (backwards ? -step : step)) % count + count) % count;
        if (!to_qstring(report_line(report, line)).contains(wanted, Qt::CaseInsensitive)) continue;
        report.top_line = line;
        const int rows = main_window.metrics.client_height / main_window.metrics.line_height;
        const int max = std::max(report.line_count - rows, 1);
        main_window.bars[SCROLL_VERTICAL]->setValue(std::min(line, max) * SCROLL_RANGE / max);
        repaint_now();
        return true;
    }
    return false;
}

void find_next(bool backwards) {
    if (!main_window.find || main_window.find->isHidden()) return;
    const bool found = find_in_report(from_qstring(main_window.find->text()), backwards);
    // Not found: the field says so in the way text fields do, by its colour.
    main_window.find->setStyleSheet(found || main_window.find->text().isEmpty() ? QString()
                                                                                 : QStringLiteral("color: red"));
}

void open_find() {
    if (app_state().report.line_count == 0) return;
    main_window.find->show();
    main_window.find->setFocus(Qt::ShortcutFocusReason);
    main_window.find->selectAll();
}

void toggle_full_screen() { main_window.frame->setWindowState(main_window.frame->windowState() ^ Qt::WindowFullScreen); }

// The status bar with the place, and the find field that Ctrl+F shows
// (Enter finds the next line, Shift+Enter the one before, Esc closes it).
void build_status_bar() {
    main_window.status = new QLabel;
    main_window.find = new QLineEdit;
    main_window.find->setPlaceholderText(to_qstring(load_string(STR_FIND_PLACEHOLDER)));
    main_window.find->setClearButtonEnabled(true);
    main_window.find->hide();
    QObject::connect(main_window.find, &QLineEdit::returnPressed, [] {
        find_next((QApplication::keyboardModifiers() & Qt::ShiftModifier) != 0);
    });
    auto* close_find = new QShortcut(QKeySequence(Qt::Key_Escape), main_window.find, nullptr, nullptr, Qt::WidgetShortcut);
    QObject::connect(close_find, &QShortcut::activated, [] {
        main_window.find->hide();
        main_window.client->setFocus(Qt::OtherFocusReason);
    });
    main_window.frame->statusBar()->addWidget(main_window.status, 1);
    main_window.frame->statusBar()->addPermanentWidget(main_window.find);
    show_status();
}

// The keys a desktop program is expected to have, on top of the accelerator
// table's: each works wherever the keys are in the main window, and the
// menu item it stands for shows it.
void add_window_keys() {
    struct Key {
        QKeySequence sequence;
        int item;  // the command it runs; 0 for the window's own action
        void (*run)();
    };
    const Key keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_S), 0, save_as},
        {QKeySequence(Qt::CTRL | Qt::Key_P), CMD_PRINT, [] { run_item_by_key(CMD_PRINT); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), CMD_EXIT, [] { run_item_by_key(CMD_EXIT); }},
        {QKeySequence(Qt::CTRL | Qt::Key_F), 0, open_find},
        {QKeySequence(Qt::CTRL | Qt::Key_G), 0, [] { find_next(false); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G), 0, [] { find_next(true); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), 0, [] { zoom_report(1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), 0, [] { zoom_report(1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), 0, [] { zoom_report(-1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_0), 0, [] { zoom_report(0); }},
        {QKeySequence(Qt::Key_F11), 0, toggle_full_screen},
    };
    for (const Key& key : keys) {
        auto* shortcut = new QShortcut(key.sequence, main_window.frame);
        QObject::connect(shortcut, &QShortcut::activated, key.run);
        if (QAction* action = key.item ? menu_action(key.item) : key.run == save_as ? main_window.save_as : nullptr) {
            // Shown beside the item; as the item's own key it acts only inside the open menu.
            action->setShortcut(key.sequence);
            action->setShortcutContext(Qt::WidgetShortcut);
        }
    }
}

// File > Save As at the top of the File menu.
void add_save_as_item() {
    QMenu* file = main_window.menus[MENU_FILE];
    QAction* first = file->actions().value(0);
    main_window.save_as = new QAction(to_qstring(load_string(STR_SAVE_AS_ITEM)), file);
    file->insertAction(first, main_window.save_as);
    file->insertSeparator(first);
    QObject::connect(main_window.save_as, &QAction::triggered, main_window.client,
                     [] { run_save_as(shown_output(), main_window.frame); }, Qt::QueuedConnection);
}

void build_menu_bar() {
    auto* menu_help_filter = new MenuHelpFilter;
    menu_help_filter->setParent(main_window.frame);
    const std::vector<Menu> bar = menu_bar();
    for (int position = 0; position < MENU_COUNT; ++position) {
        QMenu* menu = main_window.frame->menuBar()->addMenu(to_qstring(bar[position].title));
        main_window.menus[position] = menu;
        for (const MenuItem& item : bar[position].items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(to_qstring(item.text));
            action->setCheckable(menu_item_checkable(item.id));
            int id = item.id;
            QObject::connect(action, &QAction::triggered, main_window.client, [id] { command_chosen(id); },
                             Qt::QueuedConnection);
            main_window.items[id] = action;
        }
        // Movies stand still while a menu is open.
        QObject::connect(menu, &QMenu::aboutToShow, menu_opened);
        QObject::connect(menu, &QMenu::aboutToHide, restart_frame_timer);
        menu->installEventFilter(menu_help_filter);
    }
}

void create_window() {
    main_window.frame = new MainWindow;
    main_window.frame->setWindowTitle(to_qstring(load_string(STR_PRODUCT)));

    // The Graphs menu's choice and the report text's size the user last made.
    menu_state().grid_lines = read_setting(GRID_LINES_SETTING) == "1";
    menu_state().tick_marks = !menu_state().grid_lines;
    const int points = std::atoi(read_setting(REPORT_SIZE_SETTING).c_str());
    main_window.report_points = points >= MIN_REPORT_POINTS && points <= MAX_REPORT_POINTS ? points : 0;
    FontMetrics font = fixed_font_metrics();
    main_window.metrics.char_width = font.char_width;
    main_window.metrics.line_height = font.line_height;

    auto* central = new QWidget;
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    main_window.client = new ClientArea;
    // At least a line and a few columns: the view's page steps need one.  A
    // report may be narrower than its 80 columns and scroll sideways; graphs
    // and movies are drawn no smaller than the smallest readable picture and
    // clipped (client_resized).
    main_window.client->setMinimumSize(4 * main_window.metrics.char_width, 2 * main_window.metrics.line_height);
    main_window.bars[SCROLL_HORIZONTAL] = new QScrollBar(Qt::Horizontal);
    main_window.bars[SCROLL_VERTICAL] = new QScrollBar(Qt::Vertical);
    grid->addWidget(main_window.client, 0, 0);
    grid->addWidget(main_window.bars[SCROLL_VERTICAL], 0, 1);
    grid->addWidget(main_window.bars[SCROLL_HORIZONTAL], 1, 0);
    for (ScrollBarKind kind : {SCROLL_HORIZONTAL, SCROLL_VERTICAL}) {
        main_window.bars[kind]->setFocusPolicy(Qt::NoFocus);
        connect_scroll_bar(kind);
    }
    main_window.frame->setCentralWidget(central);
    main_window.client->setFocus();

    build_menu_bar();
    add_save_as_item();
    build_status_bar();
    add_window_keys();
    show_menu_state();
    size_first_window();

    main_window.frame_timer = new QTimer(main_window.frame);
    QObject::connect(main_window.frame_timer, &QTimer::timeout, frame_tick);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, [](QSessionManager&) { offer_to_save(); });
}

void install_shell() {
    ShellHooks hooks;
    hooks.run_dialog = run_window_dialog;
    hooks.set_menu_groups_enabled = enable_menu_groups;
    hooks.show_scroll_bars = show_scroll_bars;
    hooks.repaint_now = repaint_now;
    hooks.invalidate = invalidate;
    hooks.restart_frame_timer = restart_frame_timer;
    hooks.stop_frame_timer = stop_frame_timer;
    hooks.discard_screen_bitmaps = discard_screen_bitmaps;
    hooks.capture_snapshot = capture_snapshot;
    hooks.run_other_command = run_other_command;
    set_shell_hooks(hooks);
    ReportDisplay display;
    display.line_added = show_new_line;
    display.progress = show_progress;
    display.progress_due = growing_report_due;
    set_report_display(display);
}

}  // namespace

QIcon program_icon() {
    Q_INIT_RESOURCE(skyloom);  // the resources of a static library are registered by hand
    return QIcon(QStringLiteral(":/skyloom.svg"));
}

QMainWindow* open_main_window(const Location* place, const SkyEngine* engine) {
    VectorStateGuard clean;
    // Every window and box of the program shows it: the main window, the dialogs, the About box.
    QApplication::setWindowIcon(program_icon());
    install_qt_message_presenter();
    install_qt_event_pump();
    install_qt_settings_store();
    install_qt_window_text_color();
    // Overflow, underflow, division by zero and inexact results give
    // infinities, zeros and rounded values; they never trap.
    fedisableexcept(FE_ALL_EXCEPT);

    AppState& app = app_state();
    load_colors();
    load_engine_setting(app.sky);
    if (engine) app.sky.engine = engine;  // --classical or --precise: this run only
    load_cities(app.sky.location);
    // The place given to this run, else the one chosen in an earlier run while the list still has it.
    if (place) app.sky.location = *place;
    else if (const CityRecord* city = find_city(read_setting(PLACE_SETTING))) app.sky.location = location_from_city(*city);
    app.params = default_command_params(ut_to_clock(app.sky.location, ut_now()));
    recall_dialog_values(app.params);

    create_window();
    install_shell();
    show_scroll_bars(false, 0);
    main_window.frame->show();
    restart_frame_timer();
    return main_window.frame;
}

void release_main_window() {
    VectorStateGuard clean;
    stop_frame_timer();
    discard_screen_bitmaps();
    report_clear(app_state().report);
    free_cities();
    set_shell_hooks(ShellHooks{});
    set_report_display(ReportDisplay{});
    // Messages and the pump go back to standard error and to nothing: Qt is leaving.
    set_message_presenter(nullptr);
    set_pending_event_processor(nullptr);
    delete main_window.frame;
    // A stop or a repaint asked of this window (also while it was being
    // deleted) means nothing to work done after it.
    work_signals() = WorkSignals{};
    WindowPlugins plugins = main_window.plugins;
    main_window = Window{};
    main_window.plugins = plugins;
}

namespace {
// Graphs draw through the graph table, in the window's colours and with the
// Graphs menu's choice of tick marks or grid lines.
void draw_window_graph(Surface& surface, int command) {
    const GraphStyle style = current_graph_style(menu_state().grid_lines, background_color());
    const AppState& app = app_state();
    setup_drawing(surface, DRAWING_GRAPH, app.drawing_width, app.drawing_height, &style);
    if (GraphGenerator graph = find_graph_generator(command)) draw_graph(graph, surface, style, app.params, app.sky);
}

// The running movie between ticks of the frame timer; frame 0 starts it from
// the dialog's parameters.

void draw_window_movie_frame(Surface& surface, int command, std::uint32_t frame) {
    AppState& app = app_state();
    if (frame == 0)
        start_movie(main_window.movie, find_command(command)->movie, movie_params_of(app.params),
                    app.star_catalogue.get());
    if (frame == 0) main_window.movie.atlas = app.sky_atlas.get();
    main_window.movie.jet_trails = app.jet_trails;
    main_window.movie.paused = menu_state().paused;
    main_window.movie.constellations = app.constellations;
    main_window.movie.star_names = app.star_names;
    const GraphStyle style = current_graph_style(menu_state().grid_lines, background_color());
    draw_movie_frame(surface, app.drawing_width, app.drawing_height, main_window.movie, app.sky, style, frame);
}

void discard_window_movie_trails() { discard_movie_trails(main_window.movie); }

// The running movie's last frame again, on white paper as the command line
// draws movies.
void draw_window_movie_copy(Surface& surface, int width, int height) {
    const AppState& app = app_state();
    if (app.frame_counter == 0) return;
    const GraphStyle style = current_graph_style(menu_state().grid_lines, surface_color(255, 255, 255), ColorScheme::Day);
    draw_movie_copy(surface, width, height, main_window.movie, app.sky, style, app.frame_counter - 1);
}

int pan_window_movie(ScrollBarKind bar, ScrollCode code, int thumb) { return pan_view(app_state().sky, bar, code, thumb); }

// Print, Print Setup, Set Font and Copy: the report when it has lines, else
// the client area's picture.
void run_output_window_command(int command) {
    const CommandEntry* row = find_command(command);
    OutputAction action = OutputAction::Print;
    switch (row ? row->window_action : WindowAction::None) {
    case WindowAction::Print: action = OutputAction::Print; break;
    case WindowAction::PrintSetup: action = OutputAction::PrintSetup; break;
    case WindowAction::SetFont: action = OutputAction::SetFont; break;
    case WindowAction::Copy: action = OutputAction::Copy; break;
    default: return;
    }
    // A graph drawn in full, or a running movie's frame, prints anew at the
    // printer's resolution.
    const ShownOutput shown = shown_output();
    const SurfaceSize shape = shown.movie_frame ? shown.picture->device_size() : SurfaceSize{PICTURE_WIDTH, PICTURE_HEIGHT};
    run_output_command(action, app_state().report, main_window.screen.get(), background_color(), monochrome_copy,
                       qt_printer_hooks(main_window.frame), shown.graph ? paper_graph(shown.graph) : shown.movie_frame,
                       shape);
}

// The Help menu opens the help window; the other commands print and copy.
void run_window_command(int command) {
    const CommandEntry* row = find_command(command);
    if (row && row->window_action == WindowAction::ExportEvents)
        run_export_events(app_state().sky, app_state().params.year, main_window.frame);
    else if (!run_help_command(command, main_window.frame))
        run_output_window_command(command);
}

// The parameter dialogs, Set Location and About on Qt.
void run_qt_dialog(DialogId dialog, CommandParams& params, QWidget* parent) {
    if (dialog == DIAL_SET_LOCATION) params.cancelled = !run_set_location_dialog(app_state().location_work_copy, parent);
    else if (dialog == DIAL_ABOUT) show_about_box(parent);
    else run_parameter_dialog(dialog, params, parent);
}
}  // namespace

WindowPlugins program_plugins(const WindowPlugins& given) {
    WindowPlugins plugins = given;
    if (!plugins.draw_graph) plugins.draw_graph = draw_window_graph;
    if (!plugins.draw_movie_frame) plugins.draw_movie_frame = draw_window_movie_frame;
    if (!plugins.draw_movie_copy) plugins.draw_movie_copy = draw_window_movie_copy;
    if (!plugins.discard_movie_bitmaps) plugins.discard_movie_bitmaps = discard_window_movie_trails;
    if (!plugins.scroll_movie_view) plugins.scroll_movie_view = pan_window_movie;
    if (!plugins.run_dialog) plugins.run_dialog = run_qt_dialog;
    if (!plugins.run_command) plugins.run_command = run_window_command;
    return plugins;
}

int window_main(int argc, char** argv, const Location* place, const SkyEngine* engine) {
    QApplication application(argc, argv);
    // The installed desktop entry's name: Wayland desktops find the icon and
    // the menu entry of the window through it.
    QGuiApplication::setDesktopFileName("com.vantorel.skyloom2");
    set_window_plugins(program_plugins(main_window.plugins));
    // Qt gives the C library the user's locale; printf and strtod keep the
    // '.' that the rest of the program reads and writes.
    std::setlocale(LC_NUMERIC, "C");
    open_main_window(place, engine);
    app_state().star_catalogue = load_star_catalogue();
    if (!app_state().star_catalogue) show_error_text(star_catalogue_error().c_str());
    // The deeper stars and the constellations; without them the horizon view
    // and the constellations are refused (the planetarium keeps STARS.DAT).
    app_state().sky_atlas = load_sky_atlas();
    int code = QApplication::exec();
    release_main_window();
    app_state().star_catalogue.reset();
    app_state().sky_atlas.reset();
    return code;
}

void set_window_plugins(const WindowPlugins& plugins) { main_window.plugins = plugins; }

QWidget* client_area() { return main_window.client; }

QScrollBar* window_scroll_bar(ScrollBarKind bar) { return main_window.bars[bar]; }

QMenu* top_menu(int position) { return main_window.menus[position]; }

QAction* menu_action(int id) {
    auto it = main_window.items.find(id);
    return it == main_window.items.end() ? nullptr : it->second;
}

const ReportViewMetrics& window_view_metrics() { return main_window.metrics; }

void menu_opened() {
    AppState& app = app_state();
    for (const MenuItemEnable& item : update_menu_state(app, main_window.snapshot != nullptr))
        if (QAction* action = menu_action(item.id)) action->setEnabled(item.enabled);
    // What is shown can be saved when it could be printed, and a running movie's frame.
    const bool movie = output_kind_of(app.current_output) == OutputKind::Movie;
    if (main_window.save_as)
        main_window.save_as->setEnabled((item_enabled(CMD_PRINT) || movie) && !save_extensions(shown_output()).empty());
    show_menu_state();
    stop_frame_timer();
}

// The drawing surface on QPainter.  Every logical coordinate is mapped to a
// device pixel with the shared mapping functions and drawn with the painter's
// identity transform: lines, shapes and pixels land where the recording
// surface says they do, and text and images stay upright under the y-up
// graph mapping.
#include "platform/qt/surface_qt.h"

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QStaticText>
#include <QSvgGenerator>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/messages.h"
#include "platform/qt/png_file.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/vector_state.h"
#include "resources/string_ids.h"

namespace {

constexpr int FILE_DOTS_PER_INCH = 96;    // images, SVG and PDF files
constexpr double POINTS_PER_INCH = 72.0;  // PDF page sizes are in points
constexpr double FALLBACK_POINT_SIZE = 10.0;

QColor to_qcolor(SurfaceColor color) { return QColor::fromRgb(static_cast<QRgb>(color)); }

QRect to_qrect(const DeviceRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

// The system fixed-pitch font in its usual size.  The generic family may
// resolve to a proportional face, so a known fixed-pitch one is asked for.
// Full hinting rounds the advance to whole pixels, so n characters are
// exactly n character widths wide and columns of text line up.
QFont fixed_font() {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setHintingPreference(QFont::PreferFullHinting);
    double size = QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSizeF();
    font.setPointSizeF(size > 0 ? size : FALLBACK_POINT_SIZE);
    return font;
}

// The whole of source stretched to width x height.  Each destination pixel
// takes the bitwise OR of the source pixels that fall on it (at least one),
// so a shrunk map keeps its thin white coastlines; enlarging repeats pixels.
QImage stretch_or(const QImage& source, int width, int height) {
    QImage out(width, height, QImage::Format_RGB32);
    const long long source_width = source.width(), source_height = source.height();
    for (int y = 0; y < height; ++y) {
        int y0 = static_cast<int>(y * source_height / height);
        int y1 = std::max(y0 + 1, static_cast<int>((y + 1) * source_height / height));
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            int x0 = static_cast<int>(x * source_width / width);
            int x1 = std::max(x0 + 1, static_cast<int>((x + 1) * source_width / width));
            QRgb value = 0;
            for (int sy = y0; sy < y1; ++sy) {
                auto* source_row = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
                for (int sx = x0; sx < x1; ++sx) value |= source_row[sx];
            }
            row[x] = value | 0xFF000000u;
        }
    }
    return out;
}

// Pen, brush, colours and font as the caller set them; applied to the painter
// by each drawing call, because text and shapes use them differently.
struct DrawState {
    QColor pen_color = Qt::black;
    int pen_width = 1;  // logical units
    QBrush brush = QBrush(Qt::white);
    QColor text_color = Qt::black;
    QColor background = Qt::white;
    bool background_opaque = true;
    QFont font = fixed_font();
};

// Every call that reaches the painter or the font engine leaves the vector
// registers clean for the caller's arithmetic (platform/qt/vector_state.h).
class QtSurface final : public Surface {
public:
    // device is the target; image and owned_device keep it alive when this
    // surface owns it; paged is the device when it has pages.
    QtSurface(QPaintDevice& device, std::unique_ptr<QImage> image, std::unique_ptr<QPaintDevice> owned_device,
              QPagedPaintDevice* paged, std::unique_ptr<QBuffer> file_bytes = nullptr, std::string file_path = {})
        : file_bytes(std::move(file_bytes)), file_path(std::move(file_path)), image(std::move(image)),
          owned_device(std::move(owned_device)), device(device), paged(paged) {}

    bool begin() {
        VectorStateGuard clean;
        if (!painter.begin(&device)) return false;
        painter.setRenderHint(QPainter::Antialiasing, false);
        return true;
    }
    const QImage* held_image() const { return image.get(); }

    // An SVG or PDF surface: ends painting, which writes the file's bytes
    // into memory, and writes them to the file whole.
    bool finish_file() {
        VectorStateGuard clean;
        if (!file_bytes || !painter.end()) return false;
        const QByteArray& bytes = file_bytes->data();
        return replace_file(file_path, output_temporary_prefix(file_path), std::string(bytes.constData(), bytes.size())) ==
               ReplaceResult::Done;
    }

    void set_mapping(const SurfaceMapping& m) override {
        map = m;
        refresh_font();
    }
    SurfaceMapping mapping() const override { return map; }
    // In logical pixels: an image drawn at a pixel ratio of 2 has twice the pixels each way.
    SurfaceSize device_size() const override {
        if (image) return {qRound(image->width() / pixel_ratio()), qRound(image->height() / pixel_ratio())};
        return {device.width(), device.height()};
    }

    void save_state() override {
        VectorStateGuard clean;
        painter.save();
        saved.push_back(state);
    }
    void restore_state() override {
        VectorStateGuard clean;
        if (saved.empty()) fatal_error(MSG_GDI_ERROR, "GRAPHICS", __LINE__);
        painter.restore();
        state = saved.back();
        saved.pop_back();
        refresh_font();
    }
    void set_pen(SurfaceColor color, int width) override {
        state.pen_color = to_qcolor(color);
        state.pen_width = width;
    }
    void set_brush(SurfaceColor color) override { state.brush = QBrush(to_qcolor(color)); }
    void set_hatch_brush(SurfaceColor color, HatchStyle style) override {
        state.brush = QBrush(to_qcolor(color), style == HATCH_VERTICAL ? Qt::VerPattern : Qt::HorPattern);
    }
    void set_no_brush() override { state.brush = QBrush(Qt::NoBrush); }
    void set_text_color(SurfaceColor color) override { state.text_color = to_qcolor(color); }
    void set_background(SurfaceColor color) override { state.background = to_qcolor(color); }
    void set_background_opaque(bool opaque) override { state.background_opaque = opaque; }
    void set_font(std::string_view family, int point_size) override {
        QFont font = fixed_font();
        if (!family.empty()) font.setFamily(to_qstring(family));
        if (point_size >= 1) font.setPointSize(point_size);
        state.font = font;
        refresh_font();
    }
    void set_clip_rect(SurfacePoint corner1, SurfacePoint corner2) override {
        VectorStateGuard clean;
        painter.setClipRect(to_qrect(to_device_rect(map, corner1, corner2)));
    }

    FontMetrics font_metrics() override {
        VectorStateGuard clean;
        QFontMetrics metrics(drawn_font, &device);
        return {to_logical_length(map, metrics.maxWidth()), to_logical_length(map, metrics.lineSpacing()),
                metrics.inFont(QChar(0x00B0))};
    }
    TextExtent text_extent(std::string_view text) override {
        VectorStateGuard clean;
        QFontMetrics metrics(drawn_font, &device);
        return {to_logical_length(map, metrics.horizontalAdvance(to_qstring(text))),
                to_logical_length(map, metrics.height())};
    }

    void draw_line(SurfacePoint from, SurfacePoint to) override {
        VectorStateGuard clean;
        apply_line_pen();
        painter.drawLine(fine_point(from), fine_point(to));
    }
    void draw_polyline(std::span<const SurfacePoint> points) override {
        VectorStateGuard clean;
        QPolygonF polygon;
        for (SurfacePoint p : points) polygon << fine_point(p);
        apply_line_pen();
        painter.drawPolyline(polygon);
    }
    void draw_rectangle(SurfacePoint corner1, SurfacePoint corner2) override {
        VectorStateGuard clean;
        QRect box = to_qrect(to_device_rect(map, corner1, corner2));
        if (box.isEmpty()) return;
        apply_pen();
        apply_brush();
        painter.drawRect(outline_of(box));
    }
    void draw_polygon(std::span<const SurfacePoint> points) override {
        VectorStateGuard clean;
        QPolygon polygon;
        for (SurfacePoint p : points) polygon << device_point(p);
        apply_pen();
        apply_brush();
        painter.drawPolygon(polygon);
    }
    bool draw_ellipse(SurfacePoint corner1, SurfacePoint corner2) override {
        VectorStateGuard clean;
        QRect box = to_qrect(to_device_rect(map, corner1, corner2));
        if (box.isEmpty()) return false;
        apply_pen();
        apply_brush();
        painter.drawEllipse(outline_of(box));
        return true;
    }
    void set_pixel(SurfacePoint at, SurfaceColor color) override {
        VectorStateGuard clean;
        painter.fillRect(QRect(device_point(at), QSize(1, 1)), to_qcolor(color));
    }
    void draw_text(SurfacePoint top_left, std::string_view text) override {
        VectorStateGuard clean;
        if (text.empty()) return;
        QPoint corner = device_point(top_left);
        // Images (the window, movie frames) draw a line again and again and keep
        // its layout; printers and files lay each line out at their own resolution.
        const ShapedText* shaped = image ? &shaped_text(text) : nullptr;
        QFontMetrics metrics = shaped ? *shaped_metrics : QFontMetrics(drawn_font, &device);
        QString string = shaped ? QString() : to_qstring(text);
        if (state.background_opaque)
            painter.fillRect(QRect(corner, QSize(shaped ? shaped->advance : metrics.horizontalAdvance(string),
                                                 metrics.height())),
                             state.background);
        painter.setFont(drawn_font);
        painter.setPen(state.text_color);
        painter.setBackgroundMode(Qt::TransparentMode);
        if (shaped) painter.drawStaticText(corner, shaped->layout);
        else painter.drawText(corner + QPoint(0, metrics.ascent()), string);
    }

    std::unique_ptr<Surface> create_image(int width, int height) override {
        return make_image_surface(width, height, pixel_ratio());
    }
    std::unique_ptr<Surface> load_image(const std::string& path) override {
        VectorStateGuard clean;
        QImage loaded(QFile::decodeName(path.c_str()));
        if (loaded.isNull()) return nullptr;
        return image_surface(loaded.convertToFormat(QImage::Format_RGB32));
    }
    void copy_from(const Surface& source, CopyMode mode) override {
        VectorStateGuard clean;
        const QImage& from = image_of(source);
        // The same logical area of both, each in its own pixels.
        const double from_ratio = from.devicePixelRatio();
        QRect area = drawing_area() & QRect(QPoint(0, 0), from.deviceIndependentSize().toSize());
        const QRectF source_area(QPointF(area.topLeft()) * from_ratio, QSizeF(area.size()) * from_ratio);
        painter.save();
        if (mode == COPY_XOR) painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        if (mode == COPY_INVERTED) {
            QImage piece = from.copy(source_area.toRect());
            piece.invertPixels();
            painter.drawImage(QRectF(area), piece);
        } else {
            // Straight from the source: a copy of a whole frame first cost as much again.
            painter.drawImage(QRectF(area), from, source_area);
        }
        painter.restore();
    }
    void draw_image(const Surface& source, SurfacePoint corner1, SurfacePoint corner2) override {
        VectorStateGuard clean;
        const QImage& from = image_of(source);
        QRect box = to_qrect(to_device_rect(map, corner1, corner2));
        if (box.isEmpty() || from.isNull()) return;
        // Stretched to this surface's own pixels, so a map keeps its detail on a sharper screen.
        const double ratio = pixel_ratio();
        QImage stretched = stretch_or(from, qRound(box.width() * ratio), qRound(box.height() * ratio));
        stretched.setDevicePixelRatio(ratio);
        painter.drawImage(box.topLeft(), stretched);
    }
    bool new_page() override {
        VectorStateGuard clean;
        return paged && paged->newPage();
    }

    static std::unique_ptr<Surface> image_surface(QImage image) {
        auto held = std::make_unique<QImage>(std::move(image));
        QImage& target = *held;
        auto surface = std::make_unique<QtSurface>(target, std::move(held), nullptr, nullptr);
        if (!surface->begin()) fatal_error(MSG_GDI_ERROR, "GRAPHICS", __LINE__);
        return surface;
    }

private:
    QPoint device_point(SurfacePoint logical) const {
        SurfacePoint d = to_device(map, logical);
        return {d.x, d.y};
    }
    // Device pixels per logical pixel: 1, or more on an image for a high-density screen.
    double pixel_ratio() const { return image ? image->devicePixelRatio() : 1.0; }
    // A line's end under the graph mapping to the nearest pixel of the image
    // itself, so that curves are as smooth as the screen allows; in logical
    // pixels, as the painter takes them.  At a ratio of 1, device_point.
    QPointF fine_point(SurfacePoint logical) const {
        const double ratio = pixel_ratio();
        if (!map.graph || ratio == 1.0) return device_point(logical);
        SurfaceMapping fine = graph_mapping(qRound(map.device_width * ratio), qRound(map.device_height * ratio));
        SurfacePoint d = to_device(fine, logical);
        return {d.x / ratio, d.y / ratio};
    }
    // The device pixels of the drawing: the graph space's whole area under
    // the graph mapping, the whole surface under the text mapping.
    QRect drawing_area() const {
        if (!map.graph) return QRect(QPoint(0, 0), QSize(device_size().width, device_size().height));
        return to_qrect(to_device_rect(map, {0, 0}, {map.width, map.height}));
    }
    // A pen as wide as its logical width in pixels of ratio device pixels
    // each, and never thinner than one of them.
    QPen pen_at(double ratio) const {
        double width = std::max(1.0, std::round(state.pen_width * map.scale * ratio));
        return QPen(state.pen_color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }
    void apply_pen() { painter.setPen(pen_at(1.0)); }
    // Lines are as wide in the image's own pixels: hairlines stay hairlines
    // on a sharper screen.
    void apply_line_pen() {
        const double ratio = pixel_ratio();
        if (ratio == 1.0) return apply_pen();
        QPen pen = pen_at(ratio);
        pen.setCosmetic(true);  // its width in the image's pixels
        painter.setPen(pen);
    }
    // Where the pen's centre runs so that its outline covers exactly the
    // pixels of box.  A QRect is drawn one pixel larger than its size with a
    // one-pixel pen; a wider pen of an image with more pixels is kept inside
    // by half its width.
    QRectF outline_of(const QRect& box) const {
        if (pixel_ratio() == 1.0) return box.adjusted(0, 0, -1, -1);
        const double half = painter.pen().widthF() / 2;
        return QRectF(box).adjusted(half, half, -half, -half);
    }
    // The font as drawn: under the graph mapping its size follows the
    // picture's text scale, as large against the picture as in a 1000 x 750
    // image at 96 pixels to the inch, whatever the device's resolution.
    void refresh_font() {
        drawn_font = state.font;
        const double factor = map.graph ? map.text_scale * FILE_DOTS_PER_INCH / device.logicalDpiY() : 1.0;
        if (factor != 1.0) drawn_font.setPointSizeF(state.font.pointSizeF() * factor);
    }
    void apply_brush() {
        painter.setBrush(state.brush);
        painter.setBackground(state.background);
        painter.setBackgroundMode(state.background_opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    }
    // A line of text as laid out once in the current font: movies draw the
    // same status lines frame after frame, and laying a line out (shaping)
    // costs more than drawing it.  The store starts again when the font
    // changes or it grows past SHAPED_TEXT_LIMIT lines.
    struct ShapedText {
        QStaticText layout;
        int advance = 0;  // pixels, as the text advances the pen
    };
    static constexpr size_t SHAPED_TEXT_LIMIT = 512;
    const ShapedText& shaped_text(std::string_view text) {
        if (!shaped_metrics || shaped_font != drawn_font || shaped.size() >= SHAPED_TEXT_LIMIT) {
            shaped.clear();
            shaped_font = drawn_font;
            shaped_metrics.emplace(drawn_font, &device);
        }
        auto [entry, added] = shaped.try_emplace(std::string(text));
        if (added) {
            QString string = to_qstring(text);
            entry->second.advance = shaped_metrics->horizontalAdvance(string);
            entry->second.layout.setText(string);
            entry->second.layout.setTextFormat(Qt::PlainText);
            entry->second.layout.prepare(QTransform(), drawn_font);
        }
        return entry->second;
    }

    static const QImage& image_of(const Surface& surface) {
        const QImage* image = surface_image(surface);
        if (!image) fatal_error(MSG_GDI_ERROR, "GRAPHICS", __LINE__);
        return *image;
    }

    VectorStateGuard leave_clean;  // declared first, so it acts last, after the painter has ended
    std::unique_ptr<QBuffer> file_bytes;  // an SVG or PDF file, until finish_file writes it
    std::string file_path;
    std::unique_ptr<QImage> image;
    std::unique_ptr<QPaintDevice> owned_device;
    QPaintDevice& device;
    QPagedPaintDevice* paged;
    QPainter painter;  // declared last: it ends (and writes files) before the devices go
    SurfaceMapping map = text_mapping();
    DrawState state;
    QFont drawn_font = state.font;  // refresh_font
    std::vector<DrawState> saved;
    std::unordered_map<std::string, ShapedText> shaped;  // by text, in shaped_font
    QFont shaped_font;
    std::optional<QFontMetrics> shaped_metrics;  // of shaped_font on this device
};

// A surface on a device this surface owns, which writes into bytes for the
// file at path; nullptr when painting cannot begin.
std::unique_ptr<Surface> owning_surface(std::unique_ptr<QPaintDevice> device, QPagedPaintDevice* paged,
                                        std::unique_ptr<QBuffer> bytes, const std::string& path) {
    QPaintDevice& target = *device;
    auto surface = std::make_unique<QtSurface>(target, nullptr, std::move(device), paged, std::move(bytes), path);
    if (!surface->begin()) return nullptr;
    return surface;
}

}  // namespace

std::unique_ptr<Surface> make_image_surface(int width, int height, double pixel_ratio) {
    VectorStateGuard clean;
    QImage image(qRound(width * pixel_ratio), qRound(height * pixel_ratio), QImage::Format_RGB32);
    if (image.isNull()) return nullptr;
    image.setDevicePixelRatio(pixel_ratio);
    image.fill(Qt::black);
    return QtSurface::image_surface(std::move(image));
}

std::unique_ptr<Surface> make_widget_surface(QWidget& widget) {
    auto surface = std::make_unique<QtSurface>(widget, nullptr, nullptr, nullptr);
    if (!surface->begin()) fatal_error(MSG_GDI_ERROR, "GRAPHICS", __LINE__);
    return surface;
}

// Memory for a file's bytes, open for writing.
std::unique_ptr<QBuffer> file_buffer() {
    auto bytes = std::make_unique<QBuffer>();
    bytes->open(QIODevice::WriteOnly);
    return bytes;
}

std::unique_ptr<Surface> make_svg_surface(const std::string& path, int width, int height) {
    auto bytes = file_buffer();
    auto svg = std::make_unique<QSvgGenerator>();
    svg->setOutputDevice(bytes.get());
    svg->setSize(QSize(width, height));
    svg->setViewBox(QRect(0, 0, width, height));
    svg->setResolution(FILE_DOTS_PER_INCH);
    return owning_surface(std::move(svg), nullptr, std::move(bytes), path);
}

std::unique_ptr<Surface> make_pdf_surface(const std::string& path, int width, int height) {
    auto bytes = file_buffer();
    auto pdf = std::make_unique<QPdfWriter>(bytes.get());
    pdf->setResolution(FILE_DOTS_PER_INCH);
    const double points_per_pixel = POINTS_PER_INCH / FILE_DOTS_PER_INCH;
    pdf->setPageSize(QPageSize(QSizeF(width * points_per_pixel, height * points_per_pixel), QPageSize::Point,
                               QString(), QPageSize::ExactMatch));
    pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
    QPagedPaintDevice* paged = pdf.get();
    return owning_surface(std::move(pdf), paged, std::move(bytes), path);
}

std::unique_ptr<Surface> make_printer_surface(QPrinter& printer) {
    auto surface = std::make_unique<QtSurface>(printer, nullptr, nullptr, &printer);
    if (!surface->begin()) return nullptr;
    return surface;
}

bool finish_file(std::unique_ptr<Surface> surface) {
    auto* qt_surface = dynamic_cast<QtSurface*>(surface.get());
    return qt_surface && qt_surface->finish_file();
}

const QImage* surface_image(const Surface& surface) {
    auto* qt_surface = dynamic_cast<const QtSurface*>(&surface);
    return qt_surface ? qt_surface->held_image() : nullptr;
}

bool save_png(const Surface& surface, const std::string& path) {
    VectorStateGuard clean;
    const QImage* image = surface_image(surface);
    return image && write_png_file(*image, path);
}

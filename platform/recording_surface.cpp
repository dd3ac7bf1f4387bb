// The recording surface: every drawing call becomes a line of text.
#include "platform/recording_surface.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <utility>

#include "platform/messages.h"
#include "resources/string_ids.h"

namespace {

std::string point_text(SurfacePoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string color_text(SurfaceColor color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(color & 0xFFFFFF));
    return text;
}

const char* copy_mode_text(CopyMode mode) {
    switch (mode) {
        case COPY_XOR: return "xor";
        case COPY_INVERTED: return "inverted";
        case COPY_SOURCE: break;
    }
    return "source";
}

// Width and height from a PNG file's header (signature, then the IHDR chunk
// with both as big-endian 32-bit numbers); false when the file is no PNG.
bool read_png_size(const std::string& path, SurfaceSize& size) {
    std::ifstream file(path, std::ios::binary);
    unsigned char header[24] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return false;
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (int i = 0; i < 8; ++i)
        if (header[i] != signature[i]) return false;
    if (std::string(reinterpret_cast<char*>(header + 12), 4) != "IHDR") return false;
    auto be32 = [&](int at) {
        return static_cast<int>(header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3]);
    };
    size = {be32(16), be32(20)};
    return size.width > 0 && size.height > 0;
}

class RecordingSurface final : public Surface {
public:
    RecordingSurface(SurfaceLog& log, std::string name, SurfaceSize size)
        : log(log), name(std::move(name)), size(size) {}

    void set_mapping(const SurfaceMapping& m) override {
        map = m;
        write(m.graph ? "mapping graph " + std::to_string(m.device_width) + "x" + std::to_string(m.device_height)
                      : std::string("mapping text"));
    }
    SurfaceMapping mapping() const override { return map; }
    SurfaceSize device_size() const override { return size; }

    void save_state() override { write("save"); }
    void restore_state() override { write("restore"); }
    void set_pen(SurfaceColor color, int width) override {
        write("pen " + color_text(color) + " " + std::to_string(width));
    }
    void set_brush(SurfaceColor color) override { write("brush " + color_text(color)); }
    void set_hatch_brush(SurfaceColor color, HatchStyle style) override {
        write("hatch_brush " + color_text(color) + (style == HATCH_VERTICAL ? " vertical" : " horizontal"));
    }
    void set_no_brush() override { write("no_brush"); }
    void set_text_color(SurfaceColor color) override { write("text_color " + color_text(color)); }
    void set_background(SurfaceColor color) override { write("background " + color_text(color)); }
    void set_background_opaque(bool opaque) override {
        write(opaque ? "background opaque" : "background transparent");
    }
    void set_font(std::string_view family, int point_size) override {
        write("font \"" + std::string(family) + "\" " + std::to_string(point_size));
    }
    void set_clip_rect(SurfacePoint corner1, SurfacePoint corner2) override {
        write("clip " + point_text(corner1) + " " + point_text(corner2));
    }

    FontMetrics font_metrics() override { return {text_length(RECORDING_CHAR_WIDTH), text_length(RECORDING_LINE_HEIGHT)}; }
    TextExtent text_extent(std::string_view text) override {
        return {text_length(RECORDING_CHAR_WIDTH * static_cast<int>(text.size())), text_length(RECORDING_LINE_HEIGHT)};
    }

    void draw_line(SurfacePoint from, SurfacePoint to) override {
        write("line " + point_text(from) + " " + point_text(to));
    }
    void draw_polyline(std::span<const SurfacePoint> points) override {
        std::string line = "polyline";
        for (SurfacePoint p : points) {
            line += ' ';
            line += point_text(p);
        }
        write(line);
    }
    void draw_rectangle(SurfacePoint corner1, SurfacePoint corner2) override {
        write("rectangle " + point_text(corner1) + " " + point_text(corner2));
    }
    void draw_polygon(std::span<const SurfacePoint> points) override {
        write("polygon of " + std::to_string(points.size()) + " points");
    }
    bool draw_ellipse(SurfacePoint corner1, SurfacePoint corner2) override {
        DeviceRect box = to_device_rect(map, corner1, corner2);
        bool drawn = box.right > box.left && box.bottom > box.top;
        write("ellipse " + point_text(corner1) + " " + point_text(corner2) + (drawn ? "" : " empty"));
        return drawn;
    }
    void set_pixel(SurfacePoint at, SurfaceColor color) override {
        write("pixel " + point_text(at) + " " + color_text(color));
    }
    void draw_text(SurfacePoint top_left, std::string_view text) override {
        write("text " + point_text(top_left) + " \"" + std::string(text) + "\"");
    }

    std::unique_ptr<Surface> create_image(int width, int height) override {
        auto image = make_image({width, height});
        write("create_image " + image->name + " " + std::to_string(width) + "x" + std::to_string(height));
        return image;
    }
    std::unique_ptr<Surface> load_image(const std::string& path) override {
        SurfaceSize image_size;
        if (!read_png_size(path, image_size)) {
            write("load_image failed " + path);
            return nullptr;
        }
        auto image = make_image(image_size);
        write("load_image " + image->name + " " + std::to_string(image_size.width) + "x" +
              std::to_string(image_size.height) + " " + path);
        return image;
    }
    void copy_from(const Surface& source, CopyMode mode) override {
        write("copy_from " + recorded(source).name + " " + copy_mode_text(mode));
    }
    void draw_image(const Surface& image, SurfacePoint corner1, SurfacePoint corner2) override {
        write("image " + recorded(image).name + " " + point_text(corner1) + " " + point_text(corner2));
    }
    bool new_page() override {
        write("page");
        return true;
    }

private:
    std::unique_ptr<RecordingSurface> make_image(SurfaceSize image_size) {
        return std::make_unique<RecordingSurface>(log, "image" + std::to_string(++log.images_made), image_size);
    }
    void write(const std::string& line) { log.lines.push_back(name + ": " + line); }
    static const RecordingSurface& recorded(const Surface& surface) {
        auto* recording = dynamic_cast<const RecordingSurface*>(&surface);
        if (!recording) fatal_error(MSG_GDI_ERROR, "GRAPHICS", __LINE__);
        return *recording;
    }

    // A length of the recording font, device pixels at a text scale of 1, in
    // logical units: under the graph mapping the font grows with the text scale.
    int text_length(int pixels) const {
        return to_logical_length(map, static_cast<int>(std::lround(pixels * map.text_scale)));
    }

    SurfaceLog& log;
    std::string name;
    SurfaceSize size;
    SurfaceMapping map = text_mapping();
};

}  // namespace

std::unique_ptr<Surface> make_recording_surface(SurfaceLog& log, std::string name, int width, int height) {
    return std::make_unique<RecordingSurface>(log, std::move(name), SurfaceSize{width, height});
}

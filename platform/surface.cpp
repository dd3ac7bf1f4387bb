// The text and graph mappings shared by every surface.
#include "platform/surface.h"

#include <algorithm>
#include <cmath>

#include "platform/messages.h"
#include "resources/string_ids.h"

namespace {

int round_to_nearest(double value) { return static_cast<int>(std::floor(value + 0.5)); }

}  // namespace

SurfaceMapping text_mapping() { return {}; }

SurfaceMapping graph_mapping(int width, int height) {
    if (width < 1 || height < 1) fatal_error(MSG_GDI_ERROR, "GRAPHICS", __LINE__);
    // Isotropic: the smaller of the two scales serves both axes, and the
    // other axis gets the units that reach its far edge.
    double scale = std::min(static_cast<double>(width) / GRAPH_WIDTH, static_cast<double>(height) / GRAPH_HEIGHT);
    return {true,
            scale,
            width,
            height,
            std::max(GRAPH_WIDTH, round_to_nearest(width / scale)),
            std::max(GRAPH_HEIGHT, round_to_nearest(height / scale)),
            std::max(scale, MIN_PICTURE_SCALE)};
}

SurfaceSize smallest_picture() {
    return {static_cast<int>(std::lround(GRAPH_WIDTH * MIN_PICTURE_SCALE)),
            static_cast<int>(std::lround(GRAPH_HEIGHT * MIN_PICTURE_SCALE))};
}

bool picture_readable(int width, int height) {
    const SurfaceSize least = smallest_picture();
    return width >= least.width && height >= least.height;
}

SurfacePoint to_device(const SurfaceMapping& mapping, SurfacePoint logical) {
    if (!mapping.graph) return logical;
    return {round_to_nearest(logical.x * mapping.scale),
            mapping.device_height - round_to_nearest(logical.y * mapping.scale)};
}

SurfacePoint to_logical(const SurfaceMapping& mapping, SurfacePoint device) {
    if (!mapping.graph) return device;
    return {round_to_nearest(device.x / mapping.scale),
            round_to_nearest((mapping.device_height - device.y) / mapping.scale)};
}

int to_logical_length(const SurfaceMapping& mapping, int device_pixels) {
    return mapping.graph ? round_to_nearest(device_pixels / mapping.scale) : device_pixels;
}

DeviceRect to_device_rect(const SurfaceMapping& mapping, SurfacePoint corner1, SurfacePoint corner2) {
    SurfacePoint a = to_device(mapping, corner1);
    SurfacePoint b = to_device(mapping, corner2);
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

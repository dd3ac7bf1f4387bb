// The planetarium's two views: equatorial and horizon (see sky_view.h).
#include "movies/sky_view.h"

#include <cmath>

#include "engine/angles.h"

namespace {

void multiply(const double m[3][3], const double v[3], double out[3]) {
    for (int i = 0; i < 3; ++i) out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
}

}  // namespace

SkyView equatorial_view(const ViewCentre& centre, double view_angle, int picture) {
    SkyView view;
    view.centre = centre;
    view.view_angle = view_angle;
    view.picture = picture;
    return view;
}

SkyView horizon_view(double lst_degrees, double latitude, double azimuth, double altitude, double view_angle,
                     int picture) {
    SkyView view = equatorial_view({}, view_angle, picture);
    view.horizon = true;
    // sky_unit_vector gives (cos d sin a, -sin d, cos d cos a); with the hour
    // angle H = LST - a: east = -cos d sin H, north = sin d cos phi -
    // cos d cos H sin phi, up = sin d sin phi + cos d cos H cos phi.
    const double sl = sin_deg(lst_degrees), cl = cos_deg(lst_degrees);
    const double sp = sin_deg(latitude), cp = cos_deg(latitude);
    const double horizontal[3][3] = {{cl, 0.0, -sl}, {-sl * sp, -cp, -cl * sp}, {sl * cp, -sp, cl * cp}};
    const double sa = sin_deg(azimuth), ca = cos_deg(azimuth);
    const double sh = sin_deg(altitude), ch = cos_deg(altitude);
    const double picture_axes[3][3] = {{ca, -sa, 0.0}, {-sh * sa, -sh * ca, ch}, {ch * sa, ch * ca, sh}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            view.to_horizontal[i][j] = horizontal[i][j];
            view.to_picture[i][j] = picture_axes[i][j];
        }
    view.scale = (picture / 2.0) / tan_deg(view_angle / 4.0);
    return view;
}

HorizontalPlace horizontal_place(const SkyView& view, const double direction[3]) {
    double h[3];
    multiply(view.to_horizontal, direction, h);
    HorizontalPlace place;
    place.altitude = std::asin(std::fmax(-1.0, std::fmin(1.0, h[2]))) * DEGREES_PER_RADIAN;
    place.azimuth = normalize_degrees(std::atan2(h[0], h[1]) * DEGREES_PER_RADIAN);
    return place;
}

void direction_of_horizontal(const SkyView& view, double altitude, double azimuth, double direction[3]) {
    const double h[3] = {cos_deg(altitude) * sin_deg(azimuth), cos_deg(altitude) * cos_deg(azimuth),
                         sin_deg(altitude)};
    // The rows of to_horizontal are orthonormal: its transpose turns back.
    for (int j = 0; j < 3; ++j)
        direction[j] = view.to_horizontal[0][j] * h[0] + view.to_horizontal[1][j] * h[1] + view.to_horizontal[2][j] * h[2];
}

PicturePoint picture_point(const SkyView& view, const double direction[3]) {
    const double radius = view.picture / 2.0;
    PicturePoint point;
    if (!view.horizon) {
        double v[3] = {direction[0], direction[1], direction[2]};
        rotate_vector(sin_deg(view.centre.vertical), cos_deg(view.centre.vertical), sin_deg(view.centre.horizontal),
                      cos_deg(view.centre.horizontal), v);
        const double scale = radius * std::sqrt(2.0) / sin_deg(view.view_angle / 2.0);
        point.x = radius + v[0] * scale;
        point.y = radius + v[1] * scale;
        point.in_front = v[2] > 0.0;
        return point;
    }
    double h[3], p[3];
    multiply(view.to_horizontal, direction, h);
    multiply(view.to_picture, h, p);
    constexpr double BACK_LIMIT = -0.9;  // beyond about 154 degrees from the centre
    point.in_front = p[2] > BACK_LIMIT;
    const double k = view.scale / (1.0 + std::fmax(p[2], BACK_LIMIT));
    point.x = radius + p[0] * k;
    point.y = radius + p[1] * k;
    return point;
}

ScreenPlace project_on_view(const SkyView& view, const double direction[3]) {
    if (!view.horizon) return project_direction(direction, view.centre, view.view_angle, view.picture);
    const PicturePoint point = picture_point(view, direction);
    double h[3];
    multiply(view.to_horizontal, direction, h);
    ScreenPlace place;
    place.x = static_cast<int>(std::lround(point.x));
    place.y = static_cast<int>(std::lround(point.y));
    place.in_view = point.in_front && h[2] >= 0.0 && place.x >= 0 && place.x <= view.picture && place.y >= 0 &&
                    place.y <= view.picture;
    return place;
}

double screen_direction_toward(const SkyView& view, const double from[3], const double to[3]) {
    const double along = dot3(from, to);
    double b[3];
    for (int i = 0; i < 3; ++i) b[i] = from[i] + 1e-3 * (to[i] - along * from[i]);
    const PicturePoint p = picture_point(view, from), q = picture_point(view, b);
    return std::atan2(q.y - p.y, q.x - p.x) * DEGREES_PER_RADIAN;
}

HorizonCircle horizon_circle(const SkyView& view, double altitude) {
    // The horizon's pole, the zenith, is (0, cos h, sin h) on the picture's
    // axes.  A point q of the picture (in tan(distance / 2)) comes from
    // p = (2 q, 1 - |q|^2) / (1 + |q|^2); p . n = 0 gives |q - m / n_z|^2 =
    // 1 / n_z^2 with m = (n_x, n_y): the circle about (0, cot h) of radius
    // 1 / sin h, the zenith's side inside.
    HorizonCircle circle;
    const double radius = view.picture / 2.0;
    const double s = sin_deg(altitude);
    if (std::fabs(s) < 1e-3) {
        circle.straight = true;
        circle.y = radius;
        return circle;
    }
    circle.x = radius;
    circle.y = radius + view.scale * cos_deg(altitude) / s;
    circle.radius = view.scale / std::fabs(s);
    return circle;
}

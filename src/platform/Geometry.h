#pragma once

#include <cmath>
#include <string>

namespace wexo::platform {

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle with the semantics of Quartz: a point on the maximum edge lies
// outside, rectangles that only touch do not intersect, and an empty or zero
// rectangle contains and meets nothing.
struct Rect {
    Point origin;
    Size size;

    Rect() = default;
    Rect(double x, double y, double w, double h) : origin{x, y}, size{w, h} {}

    double minX() const { return std::fmin(origin.x, origin.x + size.width); }
    double maxX() const { return std::fmax(origin.x, origin.x + size.width); }
    double minY() const { return std::fmin(origin.y, origin.y + size.height); }
    double maxY() const { return std::fmax(origin.y, origin.y + size.height); }
    bool isEmpty() const { return size.width == 0 || size.height == 0; }
    bool isZero() const { return *this == Rect(); }

    bool contains(Point p) const {
        return !isEmpty() && p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    bool intersects(const Rect& o) const {
        return !isEmpty() && !o.isEmpty() && minX() < o.maxX() && o.minX() < maxX() &&
               minY() < o.maxY() && o.minY() < maxY();
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// "{x, y}" the way the system renders a point as text.
std::string toString(Point p);

}  // namespace wexo::platform

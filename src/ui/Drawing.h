#pragma once

#include <optional>
#include <vector>

#include "platform/Geometry.h"
#include "ui/Color.h"

namespace wexo::ui {

// One stroke: straight segments through its points, in the colour and
// width it was drawn with.
struct Stroke {
    std::vector<platform::Point> points;
    Color color;
    double thickness = 1;

    friend bool operator==(const Stroke&, const Stroke&) = default;
};

// What a drawing view shows within its bounds, in the view's coordinates
// (origin at the bottom left, y up): the background, when it has one, then
// the strokes in order. A front end paints it; the image renderer turns it
// into pixels.
struct Drawing {
    platform::Size size;
    std::optional<Color> background;
    std::vector<Stroke> strokes;

    friend bool operator==(const Drawing&, const Drawing&) = default;
};

}  // namespace wexo::ui

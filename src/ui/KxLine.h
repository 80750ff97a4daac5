#pragma once

#include <vector>

#include "platform/Geometry.h"
#include "ui/Color.h"
#include "ui/Drawing.h"

namespace wexo::ui {

// One stroke of a drawn gesture: a path of straight segments from the
// point it started at, with its colour and width.
class KxLine {
  public:
    // The path starts (moves) to `point`.
    explicit KxLine(platform::Point point) : path_{point} {}

    // A straight segment to the point.
    void addPoint(platform::Point point) { path_.push_back(point); }
    // The stroke as it is drawn: the path in the colour, `thickness` wide.
    Stroke draw() const { return Stroke{path_, color, thickness}; }

    const std::vector<platform::Point>& path() const { return path_; }

    Color color = Color::black();
    double thickness = 1;

  private:
    std::vector<platform::Point> path_;
};

}  // namespace wexo::ui

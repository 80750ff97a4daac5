#pragma once

#include <memory>
#include <vector>

#include "ui/Drawing.h"
#include "ui/KxLine.h"
#include "ui/View.h"

namespace wexo::ui {

// A view that draws strokes over its background colour, if it has one; it
// is never opaque, so what lies behind shows through elsewhere. Every change
// of its strokes asks for a redraw (an appearance change).
class KxLinesView : public View {
  public:
    explicit KxLinesView(std::string identifier = {}) : View(std::move(identifier)) {}

    bool isOpaque() const { return false; }

    const std::vector<std::shared_ptr<KxLine>>& lines() const { return lines_; }
    void addLine(std::shared_ptr<KxLine> line);
    // The last line, to which a stroke in progress adds its points; null
    // when there is none.
    KxLine* lastLine() const { return lines_.empty() ? nullptr : lines_.back().get(); }
    void removeAllLines();
    // Asks the toolkit to draw the view again (setNeedsDisplay:).
    void setNeedsDisplay();

    // What the view draws within its bounds: its background colour when one
    // is set, then every line in order.
    virtual Drawing draw();

  private:
    std::vector<std::shared_ptr<KxLine>> lines_;
};

}  // namespace wexo::ui

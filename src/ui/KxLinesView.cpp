#include "ui/KxLinesView.h"

namespace wexo::ui {

void KxLinesView::addLine(std::shared_ptr<KxLine> line) {
    if (line) lines_.push_back(std::move(line));
}

void KxLinesView::removeAllLines() {
    lines_.clear();
    setNeedsDisplay();
}

void KxLinesView::setNeedsDisplay() {
    changed(ControlChange::Appearance);
}

Drawing KxLinesView::draw() {
    Drawing drawing;
    drawing.size = frame().size;
    drawing.background = backgroundColor();
    for (const auto& line : lines_) drawing.strokes.push_back(line->draw());
    return drawing;
}

}  // namespace wexo::ui

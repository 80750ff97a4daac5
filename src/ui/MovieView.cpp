#include "ui/MovieView.h"

namespace wexo::ui {

void MovieView::loadMovie(std::string name, std::string type) {
    name_ = std::move(name);
    type_ = std::move(type);
    position_ = 0;
    changed(ControlChange::Value);
}

void MovieView::play() {
    if (playing_ || name_.empty()) return;
    playing_ = true;
    changed(ControlChange::State);
}

void MovieView::pause() {
    if (!playing_) return;
    playing_ = false;
    changed(ControlChange::State);
}

void MovieView::seekToZero() {
    position_ = 0;
    changed(ControlChange::Value);
}

void MovieView::didPlayToEnd(double length) {
    if (!playing_) return;
    // Nothing happens at the end by itself: the player stays on the last frame.
    playing_ = false;
    position_ = length;
    changed(ControlChange::State);
    if (onEnd_) onEnd_();
}

}  // namespace wexo::ui

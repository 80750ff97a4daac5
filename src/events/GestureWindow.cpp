#include "events/GestureWindow.h"

#include "platform/Platform.h"

namespace wexo {

namespace {
// Height of the main display, which turns global event coordinates (origin
// top left, y down) into screen-list coordinates (origin bottom left, y up).
double mainDisplayHeight() {
    auto& screens = installedPlatform().screens();
    return screens.displayBounds(screens.mainDisplayId()).size.height;
}
}  // namespace

GestureWindow::GestureWindow() : mainDisplayHeight_(mainDisplayHeight()) {}

void GestureWindow::show() {
    std::lock_guard lock(mutex_);
    visible_ = true;
}

void GestureWindow::close() {
    std::lock_guard lock(mutex_);
    visible_ = false;
}

void GestureWindow::setFrame(platform::Rect frame) {
    const double height = mainDisplayHeight();
    std::lock_guard lock(mutex_);
    frame_ = frame;
    mainDisplayHeight_ = height;
}

void GestureWindow::setLevel(int level) {
    std::lock_guard lock(mutex_);
    level_ = level;
}

void GestureWindow::setHasShadow(bool shadow) {
    std::lock_guard lock(mutex_);
    shadow_ = shadow;
}

bool GestureWindow::isVisible() const {
    std::lock_guard lock(mutex_);
    return visible_;
}

platform::Rect GestureWindow::frame() const {
    std::lock_guard lock(mutex_);
    return frame_;
}

int GestureWindow::level() const {
    std::lock_guard lock(mutex_);
    return level_;
}

bool GestureWindow::hasShadow() const {
    std::lock_guard lock(mutex_);
    return shadow_;
}

platform::Point GestureWindow::mouseLocationOutsideOfEventStream() const {
    const platform::Point p = installedPlatform().eventStream().pointerLocation();
    std::lock_guard lock(mutex_);
    return {p.x - frame_.origin.x, (mainDisplayHeight_ - p.y) - frame_.origin.y};
}

}  // namespace wexo

#include "ui/KxLocalDrawView.h"

namespace wexo::ui {

namespace {
constexpr std::int64_t kLeftButton = 0;
}  // namespace

KxLocalDrawView::KxLocalDrawView(std::string identifier) : KxLinesView(std::move(identifier)) {
    setBackgroundColor(Color::backgroundGray());
}

platform::Point KxLocalDrawView::convertPointFromWindow(platform::Point inWindow) const {
    const platform::Rect frame = frameInWindow();
    return platform::Point{inWindow.x - frame.origin.x, inWindow.y - frame.origin.y};
}

bool KxLocalDrawView::mouseDown(platform::Point inWindow, std::int64_t buttonNumber) {
    if (delegate_) delegate_->mouseWasDown(convertPointFromWindow(inWindow), buttonNumber);
    return buttonNumber != kLeftButton;
}

bool KxLocalDrawView::mouseDragged(platform::Point inWindow, std::int64_t buttonNumber) {
    if (delegate_) delegate_->mouseWasDragged(convertPointFromWindow(inWindow), buttonNumber);
    return true;
}

bool KxLocalDrawView::mouseUp(platform::Point inWindow, std::int64_t buttonNumber) {
    if (delegate_) delegate_->mouseWasUp(convertPointFromWindow(inWindow), buttonNumber);
    return true;
}

Drawing KxLocalDrawView::draw() {
    setBackgroundColor(Color::backgroundGray());
    return KxLinesView::draw();
}

}  // namespace wexo::ui

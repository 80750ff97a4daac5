#include "app/OverlayWindow.h"

namespace wexo {

void OverlayWindow::bind(ui::Window* window) {
    window_ = window;
    if (!window_) return;
    window_->setFrame(frame());
    window_->setLevel(level());
    window_->setHasShadow(hasShadow());
    if (isVisible())
        window_->makeKeyAndOrderFront();
    else
        window_->close();
}

void OverlayWindow::show() {
    GestureWindow::show();
    if (window_) window_->makeKeyAndOrderFront();
}

void OverlayWindow::close() {
    GestureWindow::close();
    if (window_) window_->close();
}

void OverlayWindow::setFrame(platform::Rect frame) {
    GestureWindow::setFrame(frame);
    if (window_) window_->setFrame(frame);
}

void OverlayWindow::setLevel(int level) {
    GestureWindow::setLevel(level);
    if (window_) window_->setLevel(level);
}

void OverlayWindow::setHasShadow(bool shadow) {
    GestureWindow::setHasShadow(shadow);
    if (window_) window_->setHasShadow(shadow);
}

}  // namespace wexo

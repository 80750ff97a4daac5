#include "ui/Window.h"

#include "ui/Application.h"
#include "ui/ViewController.h"

namespace wexo::ui {

Window::Window(std::string name, platform::Rect frame) : name_(std::move(name)), frame_(frame) {
    if (auto* app = Application::shared()) app->windowCreated(*this);
}

Window::~Window() {
    if (content_ && content_->window_ == this) content_->window_ = nullptr;
    report(WindowChange::Destroyed);
}

void Window::report(WindowChange change) {
    if (auto* app = Application::shared()) app->windowDidChange(*this, change);
}

void Window::setFrame(platform::Rect frame) {
    if (frame_ == frame) return;
    frame_ = frame;
    report(WindowChange::Frame);
}

void Window::setLevel(int level) {
    if (level_ == level) return;
    level_ = level;
    report(WindowChange::Level);
}

void Window::setHasShadow(bool shadow) {
    if (hasShadow_ == shadow) return;
    hasShadow_ = shadow;
    report(WindowChange::Shadow);
}

void Window::setBackgroundColor(std::optional<Color> color) {
    background_ = color;
    report(WindowChange::Appearance);
}

void Window::setOpaque(bool opaque) {
    opaque_ = opaque;
    report(WindowChange::Appearance);
}

void Window::setBorderless(bool borderless) {
    borderless_ = borderless;
    report(WindowChange::Appearance);
}

void Window::setMovableByWindowBackground(bool movable) {
    movableByBackground_ = movable;
    report(WindowChange::Appearance);
}

void Window::setZoomAndMiniaturizeButtonsHidden(bool hidden) {
    standardButtonsHidden_ = hidden;
    report(WindowChange::Appearance);
}

void Window::bringOnScreen() {
    if (visible_) {
        report(WindowChange::OrderedFront);
        return;
    }
    if (content_) content_->appearanceWillChange(true);
    visible_ = true;
    report(WindowChange::Shown);
    if (content_) content_->appearanceDidChange(true);
}

void Window::makeKeyAndOrderFront() {
    bringOnScreen();
}

void Window::orderFrontRegardless() {
    bringOnScreen();
}

void Window::close() {
    if (!visible_) return;
    if (content_) content_->appearanceWillChange(false);
    visible_ = false;
    report(WindowChange::Closed);
    if (content_) content_->appearanceDidChange(false);
}

void Window::setContentViewController(ViewController* controller) {
    if (content_ && content_->window_ == this) content_->window_ = nullptr;
    content_ = controller;
    if (content_) {
        content_->window_ = this;
        content_->loadViewIfNeeded();
    }
}

}  // namespace wexo::ui

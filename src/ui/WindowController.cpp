#include "ui/WindowController.h"

namespace wexo::ui {

WindowController::WindowController(std::unique_ptr<Window> window,
                                   std::unique_ptr<ViewController> content)
    : content_(std::move(content)), window_(std::move(window)) {
    // Giving the window its content loads the screen.
    if (content_) window_->setContentViewController(content_.get());
}

WindowController::~WindowController() = default;

}  // namespace wexo::ui

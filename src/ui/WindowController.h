#pragma once

#include <memory>

#include "ui/ViewController.h"
#include "ui/Window.h"

namespace wexo::ui {

// A window with the screen that fills it (if any), as a storyboard
// instantiates them together. It owns both; the window goes first.
class WindowController {
  public:
    WindowController(std::unique_ptr<Window> window, std::unique_ptr<ViewController> content);
    ~WindowController();
    WindowController(const WindowController&) = delete;
    WindowController& operator=(const WindowController&) = delete;

    Window& window() { return *window_; }
    ViewController* contentViewController() { return content_.get(); }

    // showWindow: puts the window on screen, in front.
    void showWindow() { window_->makeKeyAndOrderFront(); }

  private:
    std::unique_ptr<ViewController> content_;
    std::unique_ptr<Window> window_;
};

}  // namespace wexo::ui

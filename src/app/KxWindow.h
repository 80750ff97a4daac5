#pragma once

#include "ui/Window.h"

namespace wexo {

// The window class of the borderless windows: it takes the keyboard focus
// although it has no title bar.
class KxWindow : public ui::Window {
  public:
    using ui::Window::Window;
    bool canBecomeKeyWindow() const override { return true; }
};

}  // namespace wexo

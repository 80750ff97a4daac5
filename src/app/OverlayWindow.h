#pragma once

#include "events/GestureWindow.h"
#include "ui/Window.h"

namespace wexo {

// The overlay the event paths draw in (gestureWindow), shown as a window of
// the user interface: every change the event paths make to the model is
// made to the bound window too, so that it comes on screen, moves and goes
// with them.
class OverlayWindow : public GestureWindow {
  public:
    // The window takes the model's frame, level and shadow. nullptr unbinds.
    void bind(ui::Window* window);
    ui::Window* window() const { return window_; }

    void show() override;
    void close() override;
    void setFrame(platform::Rect frame) override;
    void setLevel(int level) override;
    void setHasShadow(bool shadow) override;

  private:
    ui::Window* window_ = nullptr;
};

}  // namespace wexo

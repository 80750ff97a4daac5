#pragma once

#include <optional>
#include <string>

#include "platform/Geometry.h"
#include "ui/Color.h"
#include "ui/UserInterface.h"

namespace wexo::ui {

class ViewController;

// NSNormalWindowLevel and NSFloatingWindowLevel.
inline constexpr int kNormalWindowLevel = 0;
inline constexpr int kWindowLevelFloating = 3;

// A window of the program. Its frame is in the screen list's coordinates
// (origin at the bottom left of the main display, y up). It joins the
// installed Application when built and reports every change through it to
// the toolkit. Main thread only.
class Window {
  public:
    // `name` tells the program's windows apart ("Preferences", "Permission",
    // "Overlay", "About").
    Window(std::string name, platform::Rect frame);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const std::string& name() const { return name_; }

    platform::Rect frame() const { return frame_; }
    void setFrame(platform::Rect frame);
    int level() const { return level_; }
    void setLevel(int level);
    bool hasShadow() const { return hasShadow_; }
    void setHasShadow(bool shadow);

    const std::optional<Color>& backgroundColor() const { return background_; }
    void setBackgroundColor(std::optional<Color> color);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque);
    // Without title bar and frame (NSWindowStyleMaskBorderless).
    bool isBorderless() const { return borderless_; }
    void setBorderless(bool borderless);
    bool isMovableByWindowBackground() const { return movableByBackground_; }
    void setMovableByWindowBackground(bool movable);
    // The zoom and minimise buttons are hidden.
    bool areZoomAndMiniaturizeButtonsHidden() const { return standardButtonsHidden_; }
    void setZoomAndMiniaturizeButtonsHidden(bool hidden);

    // A rectangle of the window's content in the screen list's coordinates.
    platform::Rect convertRectToScreen(platform::Rect inWindow) const {
        return platform::Rect(frame_.origin.x + inWindow.origin.x,
                              frame_.origin.y + inWindow.origin.y, inWindow.size.width,
                              inWindow.size.height);
    }

    // Whether the window may take the keyboard focus; a borderless window
    // may not, unless its class says so (KxWindow).
    virtual bool canBecomeKeyWindow() const { return !borderless_; }

    bool isVisible() const { return visible_; }
    // Shows the window in front of the program's others (showWindow: of its
    // controller, makeKeyAndOrderFront:).
    void makeKeyAndOrderFront();
    // Puts the window in front even when the application is not active.
    void orderFrontRegardless();
    void close();

    // The controller whose view fills the window; it hears when the window
    // appears and disappears. Not owned.
    ViewController* contentViewController() const { return content_; }
    void setContentViewController(ViewController* controller);

    // The window a sheet is attached to.
    Window* sheetParent() const { return sheetParent_; }
    void setSheetParent(Window* parent) { sheetParent_ = parent; }

  private:
    void report(WindowChange change);
    void bringOnScreen();

    std::string name_;
    platform::Rect frame_;
    int level_ = kNormalWindowLevel;
    bool hasShadow_ = true;
    std::optional<Color> background_;
    bool opaque_ = true;
    bool borderless_ = false;
    bool movableByBackground_ = false;
    bool standardButtonsHidden_ = false;
    bool visible_ = false;
    ViewController* content_ = nullptr;
    Window* sheetParent_ = nullptr;
};

}  // namespace wexo::ui

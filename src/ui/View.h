#pragma once

#include <optional>
#include <vector>

#include "ui/Color.h"
#include "ui/Control.h"

namespace wexo::ui {

class ViewController;

// A view that holds other controls (a container, a box, a screen's root
// view). It does not own its subviews: their owner (a controller, a table)
// keeps them, and a subview that goes away leaves its superview by itself.
class View : public Control {
  public:
    explicit View(std::string identifier = {});
    ~View() override;

    // Adds at the end (drawn on top); a control in another view moves here.
    void addSubview(Control& control);
    void removeSubview(Control& control);
    const std::vector<Control*>& subviews() const { return subviews_; }
    std::vector<Control*> innerControls() override { return subviews_; }

    // Filled with this colour when set (layer background).
    const std::optional<Color>& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<Color> color);
    // A box's border and fill colours.
    const std::optional<Color>& borderColor() const { return borderColor_; }
    void setBorderColor(std::optional<Color> color);
    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius);

    // Whether the tooltips of the controls inside are shown.
    bool toolTipsEnabled() const { return toolTipsEnabled_; }
    void setToolTipsEnabled(bool on);

    // The controller whose root view this is, when it is one.
    ViewController* viewController() const { return viewController_; }

  private:
    friend class ViewController;

    std::vector<Control*> subviews_;
    std::optional<Color> backgroundColor_;
    std::optional<Color> borderColor_;
    double cornerRadius_ = 0;
    bool toolTipsEnabled_ = true;
    ViewController* viewController_ = nullptr;
};

}  // namespace wexo::ui

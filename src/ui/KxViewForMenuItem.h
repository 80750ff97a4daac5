#pragma once

#include <memory>
#include <string>

#include "platform/Geometry.h"
#include "ui/TextField.h"
#include "ui/View.h"

namespace wexo::ui {

class MenuItem;

// A custom view for a pop-up menu's item: a centred title, the whole view
// filled with smurfBlue while its item is highlighted. A click on it acts as
// a click on an ordinary item.
class KxViewForMenuItem : public View {
  public:
    // 145 x 30 points unless told otherwise.
    explicit KxViewForMenuItem(platform::Size size = {145, 30});

    // Adds the title label covering the view: system font 13, dirtyWhite,
    // centred, neither editable nor selectable.
    void createTitle(const std::string& text);
    TextField* titleLabel() const { return title_.get(); }

    // What the view is filled with.
    static Color fillColor(bool itemHighlighted) {
        return itemHighlighted ? Color::smurfBlue() : Color::clear();
    }

    // A mouse-down: the enclosing item's action runs through its menu and
    // the menu closes. False when the view is in no menu.
    bool mouseDown();

  private:
    std::unique_ptr<TextField> title_;
};

}  // namespace wexo::ui

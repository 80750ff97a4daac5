#pragma once

#include <cstddef>
#include <memory>

#include "ui/Control.h"
#include "ui/Menu.h"

namespace wexo::ui {

class MenuItem;

// A button that opens a menu and shows its chosen item.
class PopUpButton : public Control {
  public:
    explicit PopUpButton(std::string identifier = {});
    ~PopUpButton() override;

    Menu& menu() { return *menu_; }
    const Menu& menu() const { return *menu_; }

    // -1 when nothing is chosen.
    std::ptrdiff_t indexOfSelectedItem() const { return selected_; }
    MenuItem* selectedItem() const;
    // Shows the item as chosen, without acting (out of range: none).
    void selectItemAtIndex(std::ptrdiff_t index);

    // A click on the button: its menu opens.
    void performClick();
    // A person picks an item of the open menu: it becomes the chosen one and
    // its action runs (the item's own, else the button's). False when the
    // index is outside the menu or the item is disabled.
    bool chooseItemAtIndex(std::size_t index);

    std::vector<Control*> innerControls() override;

  private:
    std::shared_ptr<Menu> menu_ = std::make_shared<Menu>();
    std::ptrdiff_t selected_ = -1;
    platform::Subscription menuObservation_;
};

}  // namespace wexo::ui

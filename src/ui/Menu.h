#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Subscription.h"
#include "ui/ObserverList.h"

namespace wexo::ui {

class MenuItem;

enum class MenuChange {
    Items,      // items added or removed
    ItemTitle,  // an item's title
    Item,       // anything else of an item (enabled, hidden, state, tag …)
    Tracking,   // the menu opened or closed
    Appearance,
};

// A menu: the status item's, a pop-up button's, a submenu.
class Menu {
  public:
    explicit Menu(std::string title = {});
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const std::string& title() const { return title_; }

    const std::vector<std::shared_ptr<MenuItem>>& items() const { return items_; }
    std::size_t numberOfItems() const { return items_.size(); }
    // The item at an index; nullptr outside the menu.
    MenuItem* itemAtIndex(std::size_t index) const;
    // The first item with that title, nullptr when none has it.
    MenuItem* itemWithTitle(const std::string& title) const;
    // -1 when the item is not in this menu.
    std::ptrdiff_t indexOfItem(const MenuItem& item) const;

    // An item belongs to one menu: adding it here takes it out of its old one.
    void addItem(std::shared_ptr<MenuItem> item);
    void insertItem(std::shared_ptr<MenuItem> item, std::size_t index);
    void removeItem(MenuItem& item);
    void removeAllItems();

    // Chooses the item as a click would: an enabled item sends its action
    // (a pop-up button's menu lets the button choose it). False when the
    // index is outside the menu or the item cannot act.
    bool performActionForItemAtIndex(std::size_t index);
    // Who chooses the items instead of the items themselves (a pop-up button).
    void setItemChooser(std::function<bool(std::size_t)> chooser) { chooser_ = std::move(chooser); }

    // Open (tracking) while a person looks at it.
    bool isTracking() const { return tracking_; }
    void setTracking(bool on);
    void cancelTracking() { setTracking(false); }

    // Drawn dark regardless of the system's appearance (where the toolkit
    // can; elsewhere the menu follows the system appearance).
    bool isDark() const { return dark_; }
    void setDark(bool dark);

    platform::Subscription observe(std::function<void(Menu&, MenuChange)> observer) {
        return observers_.add(std::move(observer));
    }

  private:
    friend class MenuItem;
    void changed(MenuChange what) { observers_.notify(*this, what); }
    void adopt(const std::shared_ptr<MenuItem>& item);

    std::string title_;
    std::vector<std::shared_ptr<MenuItem>> items_;
    bool tracking_ = false;
    bool dark_ = false;
    std::function<bool(std::size_t)> chooser_;
    ObserverList<Menu&, MenuChange> observers_;
};

}  // namespace wexo::ui

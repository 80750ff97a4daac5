#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ui/Button.h"
#include "ui/Control.h"
#include "ui/Image.h"

namespace wexo::ui {

class Menu;
class View;

// An item of a menu: a title with its target and action, or a separator, or
// a custom view drawn in the item's place (KxViewForMenuItem).
class MenuItem : public Control {
  public:
    explicit MenuItem(std::string title = {}, std::string keyEquivalent = {});
    ~MenuItem() override;

    static std::shared_ptr<MenuItem> separatorItem();
    bool isSeparatorItem() const { return separator_; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    const std::string& keyEquivalent() const { return keyEquivalent_; }

    int state() const { return state_; }
    void setState(int state);
    const std::optional<Image>& image() const { return image_; }
    void setImage(std::optional<Image> image);

    // A view drawn instead of the title; the item owns it.
    View* view() const { return view_.get(); }
    void setView(std::unique_ptr<View> view);

    std::shared_ptr<Menu> submenu() const { return submenu_; }
    void setSubmenu(std::shared_ptr<Menu> submenu);

    // The menu holding the item, while it is in one.
    Menu* menu() const { return menu_; }

    std::vector<Control*> innerControls() override;

  protected:
    void didChange(ControlChange what) override;

  private:
    friend class Menu;

    std::string title_;
    std::string keyEquivalent_;
    bool separator_ = false;
    int state_ = kStateOff;
    std::optional<Image> image_;
    std::unique_ptr<View> view_;
    std::shared_ptr<Menu> submenu_;
    Menu* menu_ = nullptr;
};

}  // namespace wexo::ui

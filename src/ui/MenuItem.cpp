#include "ui/MenuItem.h"

#include "ui/Menu.h"
#include "ui/View.h"

namespace wexo::ui {

MenuItem::MenuItem(std::string title, std::string keyEquivalent)
    : Control(title), title_(std::move(title)), keyEquivalent_(std::move(keyEquivalent)) {}

MenuItem::~MenuItem() = default;

std::shared_ptr<MenuItem> MenuItem::separatorItem() {
    auto item = std::make_shared<MenuItem>();
    item->separator_ = true;
    item->setEnabled(false);
    return item;
}

void MenuItem::setTitle(std::string title) {
    if (title_ == title) return;
    title_ = std::move(title);
    changed(ControlChange::Title);
}

void MenuItem::setState(int state) {
    if (state_ == state) return;
    state_ = state;
    changed(ControlChange::State);
}

void MenuItem::setImage(std::optional<Image> image) {
    if (image_ == image) return;
    image_ = std::move(image);
    changed(ControlChange::Image);
}

void MenuItem::setView(std::unique_ptr<View> view) {
    view_ = std::move(view);
    if (view_) adoptPart(*view_);
    changed(ControlChange::Subviews);
}

void MenuItem::setSubmenu(std::shared_ptr<Menu> submenu) {
    submenu_ = std::move(submenu);
    changed(ControlChange::Items);
}

std::vector<Control*> MenuItem::innerControls() {
    if (view_) return {view_.get()};
    return {};
}

void MenuItem::didChange(ControlChange what) {
    if (menu_)
        menu_->changed(what == ControlChange::Title ? MenuChange::ItemTitle : MenuChange::Item);
}

}  // namespace wexo::ui

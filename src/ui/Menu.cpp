#include "ui/Menu.h"

#include <algorithm>

#include "ui/MenuItem.h"

namespace wexo::ui {

Menu::Menu(std::string title) : title_(std::move(title)) {}

Menu::~Menu() {
    for (auto& item : items_) item->menu_ = nullptr;
}

MenuItem* Menu::itemAtIndex(std::size_t index) const {
    return index < items_.size() ? items_[index].get() : nullptr;
}

MenuItem* Menu::itemWithTitle(const std::string& title) const {
    for (const auto& item : items_)
        if (!item->isSeparatorItem() && item->title() == title) return item.get();
    return nullptr;
}

std::ptrdiff_t Menu::indexOfItem(const MenuItem& item) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == &item) return static_cast<std::ptrdiff_t>(i);
    return -1;
}

void Menu::adopt(const std::shared_ptr<MenuItem>& item) {
    if (item->menu_ && item->menu_ != this) item->menu_->removeItem(*item);
    item->menu_ = this;
}

void Menu::addItem(std::shared_ptr<MenuItem> item) {
    if (!item || item->menu_ == this) return;
    adopt(item);
    items_.push_back(std::move(item));
    changed(MenuChange::Items);
}

void Menu::insertItem(std::shared_ptr<MenuItem> item, std::size_t index) {
    if (!item || item->menu_ == this) return;
    adopt(item);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(std::min(index, items_.size())),
                  std::move(item));
    changed(MenuChange::Items);
}

void Menu::removeItem(MenuItem& item) {
    auto it =
        std::find_if(items_.begin(), items_.end(), [&](const auto& i) { return i.get() == &item; });
    if (it == items_.end()) return;
    // Keep the item alive until the change is told: an observer may look.
    auto keep = *it;
    items_.erase(it);
    keep->menu_ = nullptr;
    changed(MenuChange::Items);
}

void Menu::removeAllItems() {
    if (items_.empty()) return;
    auto keep = std::move(items_);
    items_.clear();
    for (auto& item : keep) item->menu_ = nullptr;
    changed(MenuChange::Items);
}

bool Menu::performActionForItemAtIndex(std::size_t index) {
    if (index >= items_.size()) return false;
    if (chooser_) return chooser_(index);
    auto item = items_[index];  // the action may rebuild the menu
    if (item->isSeparatorItem() || !item->isEnabled() || item->isHidden()) return false;
    return item->sendAction();
}

void Menu::setTracking(bool on) {
    if (tracking_ == on) return;
    tracking_ = on;
    changed(MenuChange::Tracking);
}

void Menu::setDark(bool dark) {
    if (dark_ == dark) return;
    dark_ = dark;
    changed(MenuChange::Appearance);
}

}  // namespace wexo::ui

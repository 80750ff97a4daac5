#include "ui/PopUpButton.h"

#include "ui/MenuItem.h"

namespace wexo::ui {

PopUpButton::PopUpButton(std::string identifier) : Control(std::move(identifier)) {
    menuObservation_ = menu_->observe([this](Menu& menu, MenuChange what) {
        if (what != MenuChange::Items) return;
        if (selected_ >= static_cast<std::ptrdiff_t>(menu.numberOfItems())) selectItemAtIndex(-1);
        changed(ControlChange::Items);
    });
    menu_->setItemChooser([this](std::size_t index) { return chooseItemAtIndex(index); });
}

PopUpButton::~PopUpButton() = default;

MenuItem* PopUpButton::selectedItem() const {
    return selected_ < 0 ? nullptr : menu_->itemAtIndex(static_cast<std::size_t>(selected_));
}

void PopUpButton::selectItemAtIndex(std::ptrdiff_t index) {
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(menu_->numberOfItems())) index = -1;
    if (selected_ == index) return;
    selected_ = index;
    changed(ControlChange::Selection);
}

void PopUpButton::performClick() {
    if (isEnabled()) menu_->setTracking(true);
}

bool PopUpButton::chooseItemAtIndex(std::size_t index) {
    MenuItem* item = menu_->itemAtIndex(index);
    if (!item || item->isSeparatorItem() || !item->isEnabled()) return false;
    menu_->setTracking(false);
    selectItemAtIndex(static_cast<std::ptrdiff_t>(index));
    if (item->target() && !item->action().empty()) return item->sendAction();
    return sendAction();
}

std::vector<Control*> PopUpButton::innerControls() {
    std::vector<Control*> items;
    for (const auto& item : menu_->items()) items.push_back(item.get());
    return items;
}

}  // namespace wexo::ui

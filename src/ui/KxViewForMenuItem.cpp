#include "ui/KxViewForMenuItem.h"

#include "ui/Menu.h"
#include "ui/MenuItem.h"

namespace wexo::ui {

KxViewForMenuItem::KxViewForMenuItem(platform::Size size) : View("KxViewForMenuItem") {
    setFrame(platform::Rect(0, 0, size.width, size.height));
}

void KxViewForMenuItem::createTitle(const std::string& text) {
    if (!title_) {
        title_ = std::make_unique<TextField>("title");
        addSubview(*title_);
    }
    title_->setFrame(platform::Rect(0, 0, frame().size.width, frame().size.height));
    title_->setFontSize(13);
    title_->setTextColor(Color::dirtyWhite());
    title_->setAlignment(TextAlignment::Center);
    title_->setEditable(false);
    title_->setSelectable(false);
    title_->setStringValue(text);
}

bool KxViewForMenuItem::mouseDown() {
    auto* item = dynamic_cast<MenuItem*>(enclosingControl());
    if (!item || !item->menu()) return false;
    Menu* menu = item->menu();
    const auto index = menu->indexOfItem(*item);
    if (index < 0) return false;
    // The action may rebuild the menu; it is still the same menu object.
    const bool acted = menu->performActionForItemAtIndex(static_cast<std::size_t>(index));
    menu->cancelTracking();
    return acted;
}

}  // namespace wexo::ui

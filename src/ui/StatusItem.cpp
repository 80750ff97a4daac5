#include "ui/StatusItem.h"

#include "ui/Application.h"

namespace wexo::ui {

StatusItem::StatusItem(double length) : length_(length) {
    if (auto* app = Application::shared()) app->statusItemCreated(*this);
}

StatusItem::~StatusItem() {
    menuObservation_.reset();
    report(StatusItemChange::Destroyed);
}

void StatusItem::report(StatusItemChange change) {
    if (auto* app = Application::shared()) app->statusItemDidChange(*this, change);
}

void StatusItem::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    report(StatusItemChange::Visible);
}

void StatusItem::setTitle(std::string title) {
    if (title_ == title) return;
    title_ = std::move(title);
    report(StatusItemChange::Appearance);
}

void StatusItem::setImage(std::optional<Image> image) {
    if (image_ == image) return;
    image_ = std::move(image);
    report(StatusItemChange::Appearance);
}

void StatusItem::setMenu(std::shared_ptr<Menu> menu) {
    menuObservation_.reset();
    menu_ = std::move(menu);
    if (menu_) {
        menuObservation_ = menu_->observe([this](Menu&, MenuChange what) {
            if (what == MenuChange::Items || what == MenuChange::ItemTitle)
                report(StatusItemChange::Menu);
        });
    }
    report(StatusItemChange::Menu);
}

}  // namespace wexo::ui

#include "ui/qt/MenuMirror.h"

#include "ui/KxViewForMenuItem.h"
#include "ui/MenuItem.h"
#include "ui/qt/Conversions.h"
#include "ui/qt/ImageProvider.h"

namespace wexo::ui::qt {

MenuMirror::MenuMirror(std::shared_ptr<Menu> menu, QMenu& qmenu)
    : QObject(&qmenu), menu_(std::move(menu)), qmenu_(&qmenu) {
    observation_ = menu_->observe([this](Menu&, MenuChange what) {
        if (what == MenuChange::Items)
            rebuild();
        else if (what == MenuChange::ItemTitle || what == MenuChange::Item)
            refreshItems();
    });
    rebuild();
}

QString MenuMirror::titleOf(const MenuItem& item) {
    if (!item.title().empty()) return qs(item.title());
    if (auto* custom = dynamic_cast<const KxViewForMenuItem*>(item.view()))
        if (custom->titleLabel()) return qs(custom->titleLabel()->stringValue());
    return {};
}

void MenuMirror::rebuild() {
    if (!qmenu_) return;
    qmenu_->clear();
    const auto& items = menu_->items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = *items[i];
        if (item.isSeparatorItem()) {
            qmenu_->addSeparator();
            continue;
        }
        QAction* action = qmenu_->addAction(titleOf(item));
        std::weak_ptr<Menu> weak = menu_;
        connect(action, &QAction::triggered, this, [weak, i] {
            // The model's item at that place when the person chose it.
            if (auto m = weak.lock()) m->performActionForItemAtIndex(i);
        });
    }
    refreshItems();
}

void MenuMirror::refreshItems() {
    if (!qmenu_) return;
    const auto actions = qmenu_->actions();
    const auto& items = menu_->items();
    if (static_cast<std::size_t>(actions.size()) != items.size()) {
        rebuild();
        return;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = *items[i];
        QAction* action = actions[static_cast<qsizetype>(i)];
        if (item.isSeparatorItem()) continue;
        action->setText(titleOf(item));
        action->setEnabled(item.isEnabled());
        action->setVisible(!item.isHidden());
        action->setCheckable(item.state() != kStateOff);
        action->setChecked(item.state() == kStateOn);
        action->setIcon(item.image() ? ImageProvider::icon(*item.image()) : QIcon());
    }
}

}  // namespace wexo::ui::qt

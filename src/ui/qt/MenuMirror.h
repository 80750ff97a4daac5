#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <memory>

#include "platform/Subscription.h"
#include "ui/Menu.h"

namespace wexo::ui::qt {

// Keeps a QMenu equal to a model menu: its items' titles (or their custom
// views' titles), separators, enabled, hidden and checked states, rebuilt
// whenever the model's items change; choosing an action chooses the model's
// item. Main thread only.
class MenuMirror : public QObject {
    Q_OBJECT

  public:
    MenuMirror(std::shared_ptr<Menu> menu, QMenu& qmenu);

    Menu& menu() const { return *menu_; }
    QMenu* qmenu() const { return qmenu_; }
    // The text a person sees for an item.
    static QString titleOf(const MenuItem& item);

  private:
    void rebuild();
    void refreshItems();

    std::shared_ptr<Menu> menu_;
    QPointer<QMenu> qmenu_;
    platform::Subscription observation_;
};

}  // namespace wexo::ui::qt

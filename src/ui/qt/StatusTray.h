#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <memory>

#include "ui/StatusItem.h"
#include "ui/qt/MenuMirror.h"

namespace wexo::ui::qt {

// The status item as an icon in the desktop's system tray, with the
// model's menu; shown and hidden as the model says. A click on the icon
// opens the menu as well, as panel icons do on Linux desktops.
class StatusTray : public QObject {
    Q_OBJECT

  public:
    explicit StatusTray(StatusItem& item);
    ~StatusTray() override;

    QSystemTrayIcon& icon() { return icon_; }
    QMenu& menu() { return menu_; }
    StatusItem& item() const { return item_; }

    void refresh(StatusItemChange change);

  private:
    StatusItem& item_;
    QMenu menu_;
    QSystemTrayIcon icon_;
    MenuMirror* mirror_ = nullptr;
    std::shared_ptr<Menu> mirrored_;
};

}  // namespace wexo::ui::qt

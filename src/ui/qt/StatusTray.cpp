#include "ui/qt/StatusTray.h"

#include <QCursor>

#include "ui/qt/Conversions.h"
#include "ui/qt/ImageProvider.h"

namespace wexo::ui::qt {

StatusTray::StatusTray(StatusItem& item) : item_(item) {
    menu_.setAccessibleName(tr("Wexo"));
    icon_.setContextMenu(&menu_);
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger) menu_.popup(QCursor::pos());
    });
    refresh(StatusItemChange::Appearance);
    refresh(StatusItemChange::Menu);
    refresh(StatusItemChange::Visible);
}

StatusTray::~StatusTray() {
    icon_.hide();
}

void StatusTray::refresh(StatusItemChange change) {
    switch (change) {
        case StatusItemChange::Created:
        case StatusItemChange::Visible:
            icon_.setVisible(item_.isVisible());
            break;
        case StatusItemChange::Appearance: {
            const QIcon image = item_.image() ? ImageProvider::icon(*item_.image()) : QIcon();
            icon_.setIcon(image.isNull() ? ImageProvider::applicationIcon() : image);
            icon_.setToolTip(item_.title().empty() ? tr("Wexo") : qs(item_.title()));
            break;
        }
        case StatusItemChange::Menu:
            // The mirror follows the items itself; only a new menu needs a new one.
            if (item_.menu() != mirrored_) {
                delete mirror_;
                mirror_ = nullptr;
                menu_.clear();
                mirrored_ = item_.menu();
                if (mirrored_) mirror_ = new MenuMirror(mirrored_, menu_);
            }
            break;
        case StatusItemChange::Destroyed:
            icon_.hide();
            break;
    }
}

}  // namespace wexo::ui::qt

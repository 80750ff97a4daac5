#include "ui/qt/PopUpBinder.h"

#include <QAbstractItemView>
#include <QTimer>

#include "ui/MenuItem.h"
#include "ui/qt/MenuMirror.h"

namespace wexo::ui::qt {

PopUpBinder::PopUpBinder(PopUpButton& popUp, QComboBox& combo)
    : ControlBinder(popUp, combo), popUp_(popUp), combo_(combo) {
    menuObservation_ = popUp.menu().observe([this](Menu& menu, MenuChange what) {
        if (what == MenuChange::Tracking) {
            if (menu.isTracking() && !combo_.view()->isVisible())
                QTimer::singleShot(0, &combo_, [this] {
                    combo_.showPopup();
                    // The list closes without telling; the model takes the
                    // menu as closed, so that the next click opens it again.
                    popUp_.menu().cancelTracking();
                });
            return;
        }
        showItems();
    });
    connect(&combo, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (index < 0) return;
        if (!asPerson(true,
                      [this, index] { popUp_.chooseItemAtIndex(static_cast<std::size_t>(index)); }))
            return;
        showSelection();
    });
}

void PopUpBinder::refresh(ControlChange what) {
    switch (what) {
        case ControlChange::Items:
            showItems();
            break;
        case ControlChange::Selection:
            showSelection();
            break;
        default:
            ControlBinder::refresh(what);
    }
}

void PopUpBinder::showItems() {
    const QSignalBlocker block(combo_);
    combo_.clear();
    for (const auto& item : popUp_.menu().items())
        combo_.addItem(item->isSeparatorItem() ? QString() : MenuMirror::titleOf(*item));
    showSelection();
}

void PopUpBinder::showSelection() {
    const QSignalBlocker block(combo_);
    combo_.setCurrentIndex(static_cast<int>(popUp_.indexOfSelectedItem()));
}

}  // namespace wexo::ui::qt

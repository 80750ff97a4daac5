#pragma once

#include <QComboBox>

#include "platform/Subscription.h"
#include "ui/PopUpButton.h"
#include "ui/qt/ControlBinder.h"

namespace wexo::ui::qt {

// A pop-up button on a QComboBox: the model menu's items, its chosen item;
// the model opening the menu (a click on a button beside it) opens the
// combo box's list, and a person's choice chooses the model's item.
class PopUpBinder : public ControlBinder {
    Q_OBJECT

  public:
    PopUpBinder(PopUpButton& popUp, QComboBox& combo);

  protected:
    void refresh(ControlChange what) override;

  private:
    void showItems();
    void showSelection();

    PopUpButton& popUp_;
    QComboBox& combo_;
    platform::Subscription menuObservation_;
};

}  // namespace wexo::ui::qt

#pragma once

#include <QWidget>
#include <string>

#include "ui/Control.h"

namespace wexo::ui::qt {

class ControlBinder;

// Chooses the binder for a control by its kind and starts it: a table on a
// QTableWidget, a slider on a KnobSlider, a button on a QAbstractButton and
// so on. The binder belongs to the widget.
class BinderFactory {
  public:
    // nullptr, with the reason in `why`, when the widget cannot show that
    // kind of control (a form that puts a label where a check box belongs).
    static ControlBinder* bind(Control& control, QWidget& widget, std::string* why = nullptr);
};

}  // namespace wexo::ui::qt

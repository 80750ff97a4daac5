#pragma once

#include "ui/View.h"
#include "ui/qt/ControlBinder.h"

namespace wexo::ui::qt {

// A view that holds others (a container, a box, a screen's part). What
// every control shows, plus the model's colours when the form draws the
// view as a ModelBox.
class ViewBinder : public ControlBinder {
    Q_OBJECT

  public:
    ViewBinder(View& view, QWidget& widget);

  protected:
    void refresh(ControlChange what) override;

  private:
    View& view_;
};

}  // namespace wexo::ui::qt

#pragma once

#include "ui/KxLinesView.h"
#include "ui/KxLocalDrawView.h"
#include "ui/qt/ControlBinder.h"
#include "ui/qt/DrawingWidget.h"

namespace wexo::ui::qt {

// A lines view (the overlay's trail) or a drawing area (the Gestures
// screen's) on a DrawingWidget: the widget paints the model's drawing again
// whenever it asks for a redraw. A drawing area's size follows the widget,
// so that what is drawn and what is saved as the thumbnail are what the
// person sees, and its mouse goes to the model in the window's coordinates.
class DrawingBinder : public ControlBinder {
    Q_OBJECT

  public:
    DrawingBinder(KxLinesView& view, DrawingWidget& widget);

  protected:
    void refresh(ControlChange what) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void followWidgetSize();
    platform::Point inWindow(QPointF inView) const;

    KxLinesView& view_;
    DrawingWidget& widget_;
    KxLocalDrawView* area_ = nullptr;
};

}  // namespace wexo::ui::qt

#include "ui/qt/DrawingBinder.h"

#include <QEvent>

namespace wexo::ui::qt {

DrawingBinder::DrawingBinder(KxLinesView& view, DrawingWidget& widget)
    : ControlBinder(view, widget),
      view_(view),
      widget_(widget),
      area_(dynamic_cast<KxLocalDrawView*>(&view)) {
    if (!area_) {
        // The overlay's trail lets the mouse through.
        widget.setAttribute(Qt::WA_TransparentForMouseEvents);
        return;
    }
    widget.installEventFilter(this);
    widget.setCursor(Qt::CrossCursor);
    auto send = [this](bool (KxLocalDrawView::*event)(platform::Point, std::int64_t)) {
        return [this, event](QPointF p, std::int64_t button) {
            // Everything by value: GCC's AddressSanitizer build read a
            // reference captured through two closures off the stack.
            KxLocalDrawView* area = area_;
            const platform::Point at = inWindow(p);
            asPerson(button == 0, [area, event, at, button] { (area->*event)(at, button); });
        };
    };
    widget.setMouseHandlers(send(&KxLocalDrawView::mouseDown), send(&KxLocalDrawView::mouseDragged),
                            send(&KxLocalDrawView::mouseUp));
}

platform::Point DrawingBinder::inWindow(QPointF inView) const {
    // The model converts back with the frames it holds.
    const platform::Rect f = area_->frameInWindow();
    return platform::Point{f.origin.x + inView.x(), f.origin.y + inView.y()};
}

void DrawingBinder::refresh(ControlChange what) {
    if (what == ControlChange::Appearance || what == ControlChange::Frame) {
        if (what == ControlChange::Frame) ControlBinder::refresh(what);
        widget_.setDrawing(view_.draw());
        return;
    }
    ControlBinder::refresh(what);
}

bool DrawingBinder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &widget_ && event->type() == QEvent::Resize) followWidgetSize();
    return false;
}

void DrawingBinder::followWidgetSize() {
    platform::Rect f = view_.frame();
    const platform::Size size{static_cast<double>(widget_.width()),
                              static_cast<double>(widget_.height())};
    if (f.size == size) return;
    f.size = size;
    view_.setFrame(f);
}

}  // namespace wexo::ui::qt

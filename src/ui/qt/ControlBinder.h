#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/Subscription.h"
#include "ui/Control.h"

class QGraphicsOpacityEffect;
class QTimer;
class QVariantAnimation;

namespace wexo::ui::qt {

// Mirrors one control of a screen into its widget and hands a person's
// operation of the widget back to the control. The base shows what every
// control has: hidden, enabled, alpha (fades over the model's duration),
// tooltip, and, for a widget its parent does not lay out, the frame (with
// the model's position animations). A binder is a child of its widget and
// goes with it; the widget never outlives the screen's controls by more
// than a deferred deletion. Main thread only.
class ControlBinder : public QObject {
    Q_OBJECT

  public:
    ControlBinder(Control& control, QWidget& widget);
    ~ControlBinder() override;

    Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }

    // Starts observing the control and shows its whole state. Called once,
    // after construction (a constructor cannot reach the subclass yet).
    void start();

  protected:
    // Shows one kind of change; subclasses handle theirs and pass the rest on.
    virtual void refresh(ControlChange what);
    // Every kind of change, for the first showing.
    void refreshAll();

    // Runs a person's operation on the model. `leftMouseUp` tells the
    // controllers whether it came with a release of the left button. Answers
    // false when the binder went away meanwhile (an action may rebuild the
    // table whose cell this binder drew): the caller then touches nothing.
    template <class Act>
    bool asPerson(bool leftMouseUp, Act&& act);

  private:
    void showAlpha();
    void showFrame();
    void followPositionAnimation();

    Control& control_;
    QPointer<QWidget> widget_;
    platform::Subscription observation_;
    QGraphicsOpacityEffect* opacity_ = nullptr;
    QPointer<QVariantAnimation> fade_;
    QTimer* motion_ = nullptr;
};

}  // namespace wexo::ui::qt

#include "ui/qt/CurrentEvent.h"

namespace wexo::ui::qt {
template <class Act>
bool ControlBinder::asPerson(bool leftMouseUp, Act&& act) {
    QPointer<ControlBinder> self(this);
    {
        CurrentEvent::Scope scope(leftMouseUp);
        act();
    }
    return !self.isNull();
}
}  // namespace wexo::ui::qt

#pragma once

#include "platform/Subscription.h"
#include "ui/KxSlider.h"
#include "ui/qt/ControlBinder.h"
#include "ui/qt/KnobSlider.h"

namespace wexo::ui::qt {

// A slider with its knob label (KxSlider) on a KnobSlider. Dragging sends
// the action while the knob moves (when the slider is continuous) and once
// more at the release, which the controllers take as the end of the drag; a
// change by keyboard or wheel is complete at once and counts as such an
// end. A double-click on the knob lets a person type a value.
class SliderBinder : public ControlBinder {
    Q_OBJECT

  public:
    SliderBinder(KxSlider& slider, KnobSlider& widget);

  protected:
    void refresh(ControlChange what) override;

  private:
    void showRange();
    void showValue();
    void showKnobEditing();
    int positionOf(double value) const;
    double valueAt(int position) const;
    void moved(int position);
    void released();
    void knobEditingFinished();

    KxSlider& slider_;
    KnobSlider& widget_;
    // The slider's track in steps: whole numbers for a whole-number slider
    // of a wide range, else a fine division of the range.
    int steps_ = 1000;
    bool wholeSteps_ = false;
    platform::Subscription knobObservation_;
};

}  // namespace wexo::ui::qt

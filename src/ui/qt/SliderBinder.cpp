#include "ui/qt/SliderBinder.h"

#include <cmath>

#include "ui/qt/Conversions.h"

namespace wexo::ui::qt {

namespace {
constexpr int kFineSteps = 1000;
// Below this many whole numbers a slider keeps the fine division, so that
// its knob does not jump (the acceleration slider's 0 to 3, whose format
// drops the decimals at its ends).
constexpr double kWholeStepsFrom = 5;
}  // namespace

SliderBinder::SliderBinder(KxSlider& slider, KnobSlider& widget)
    : ControlBinder(slider, widget), slider_(slider), widget_(widget) {
    QSlider& s = widget.slider();
    connect(&s, &QSlider::valueChanged, this, [this](int position) { moved(position); });
    connect(&s, &QSlider::sliderReleased, this, [this] { released(); });
    KnobField& knob = widget.knob();
    connect(&knob, &KnobField::doubleClicked, this, [this] {
        if (slider_.isEnabled()) asPerson(false, [this] { slider_.beginEditingKnob(); });
    });
    connect(&knob, &QLineEdit::editingFinished, this, [this] { knobEditingFinished(); });
    connect(&knob, &KnobField::cancelled, this,
            [this] { asPerson(false, [this] { slider_.endEditingKnob(); }); });
    knobObservation_ = slider.knobField().observe([this](Control&, ControlChange what) {
        if (what == ControlChange::Editing || what == ControlChange::Text) showKnobEditing();
    });
    if (!widget.accessibleName().isEmpty()) {
        s.setAccessibleName(widget.accessibleName());
        knob.setAccessibleName(widget.accessibleName());
    }
}

void SliderBinder::refresh(ControlChange what) {
    switch (what) {
        case ControlChange::Range:
        case ControlChange::Format:
            showRange();
            showValue();
            break;
        case ControlChange::Value:
            showValue();
            break;
        case ControlChange::Enabled:
            ControlBinder::refresh(what);
            showKnobEditing();
            break;
        case ControlChange::ToolTip:
            ControlBinder::refresh(what);
            widget_.slider().setToolTip(widget_.toolTip());
            widget_.knob().setToolTip(widget_.toolTip());
            if (widget_.slider().accessibleName().isEmpty())
                widget_.slider().setAccessibleName(widget_.toolTip());
            break;
        default:
            ControlBinder::refresh(what);
    }
}

void SliderBinder::showRange() {
    const double width = slider_.maxValue() - slider_.minValue();
    const bool whole =
        slider_.knobFormat() == "%.f" && std::floor(slider_.minValue()) == slider_.minValue() &&
        std::floor(slider_.maxValue()) == slider_.maxValue() && width >= kWholeStepsFrom;
    wholeSteps_ = whole;
    steps_ = whole ? static_cast<int>(width) : kFineSteps;
    const QSignalBlocker block(widget_.slider());
    widget_.slider().setRange(0, steps_);
    widget_.slider().setPageStep(std::max(1, steps_ / 10));
}

int SliderBinder::positionOf(double value) const {
    const double width = slider_.maxValue() - slider_.minValue();
    if (width <= 0) return 0;
    return static_cast<int>(std::lround((value - slider_.minValue()) / width * steps_));
}

double SliderBinder::valueAt(int position) const {
    const double width = slider_.maxValue() - slider_.minValue();
    return slider_.minValue() + width * position / steps_;
}

void SliderBinder::showValue() {
    {
        const QSignalBlocker block(widget_.slider());
        widget_.slider().setValue(positionOf(slider_.doubleValue()));
    }
    if (!slider_.knobField().isEditing()) widget_.knob().setText(qs(slider_.knobText()));
}

void SliderBinder::showKnobEditing() {
    KnobField& knob = widget_.knob();
    const bool editing = slider_.knobField().isEditing();
    knob.setReadOnly(!editing);
    knob.setFrame(editing);
    if (editing) {
        knob.setText(qs(slider_.knobText()));
        knob.setFocus(Qt::MouseFocusReason);
        knob.selectAll();
    } else {
        knob.setText(qs(slider_.knobText()));
    }
}

void SliderBinder::moved(int position) {
    // Fine steps land between the numbers a person can read; the knob shows
    // what the model keeps.
    slider_.setDoubleValue(valueAt(position));
    if (widget_.slider().isSliderDown()) {
        if (slider_.isContinuous()) asPerson(false, [this] { slider_.sendAction(); });
        return;
    }
    asPerson(true, [this] { slider_.sendAction(); });
}

void SliderBinder::released() {
    asPerson(true, [this] { slider_.sendAction(); });
}

void SliderBinder::knobEditingFinished() {
    TextField& knob = slider_.knobField();
    if (!knob.isEditing()) return;
    knob.setStringValue(ss(widget_.knob().text()));
    // The controller decides whether it takes the number, and ends the editing.
    asPerson(false, [&knob] { knob.endEditing(); });
}

}  // namespace wexo::ui::qt

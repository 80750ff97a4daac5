#include "ui/KxSlider.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/ObjcFormat.h"

namespace wexo::ui {

KxSlider::KxSlider(std::string identifier, double minValue, double maxValue)
    : Control(identifier), knob_(identifier + ".knob") {
    adoptPart(knob_);
    setRange(minValue, maxValue);
    value_ = min_;
    refreshKnob();
}

void KxSlider::setDoubleValue(double value) {
    if (!std::isfinite(value)) return;
    value = std::clamp(value, min_, max_);
    if (value_ == value) return;
    value_ = value;
    changed(ControlChange::Value);
    refreshKnob();
}

void KxSlider::setRange(double minValue, double maxValue) {
    if (!std::isfinite(minValue) || !std::isfinite(maxValue)) return;
    if (minValue > maxValue) std::swap(minValue, maxValue);
    min_ = minValue;
    max_ = maxValue;
    changed(ControlChange::Range);
    const double inRange = std::clamp(value_, min_, max_);
    if (inRange != value_) {
        value_ = inRange;
        changed(ControlChange::Value);
    }
    refreshKnob();
}

void KxSlider::setKnobFormat(std::string format) {
    if (format_ == format) return;
    format_ = std::move(format);
    changed(ControlChange::Format);
    refreshKnob();
}

std::string KxSlider::knobText() const {
    return objcFormat(format_, value_);
}

void KxSlider::beginEditingKnob() {
    if (!isEnabled()) return;
    knob_.setEditable(true);
    knob_.beginEditing();
}

void KxSlider::endEditingKnob() {
    knob_.abortEditing();
    knob_.setEditable(false);
    refreshKnob();
}

void KxSlider::setSliderTag(std::int64_t tag) {
    setTag(tag);
    knob_.setTag(tag);
}

void KxSlider::refreshKnob() {
    // While a person types, the label keeps what they typed.
    if (!knob_.isEditing()) knob_.setStringValue(knobText());
}

}  // namespace wexo::ui

#pragma once

#include <cstdint>
#include <string>

#include "ui/Control.h"
#include "ui/TextField.h"

namespace wexo::ui {

// A slider whose knob shows its value as text, formatted with an
// Objective-C style format ("%.f", "%.02f"). A double-click makes the knob's
// label editable; the number typed there reaches the label's action
// (controlTextDidEndEditing:), and the controller decides whether to take it.
// The label carries the slider's tag, so one handler tells sliders apart.
class KxSlider : public Control {
  public:
    explicit KxSlider(std::string identifier = {}, double minValue = 0, double maxValue = 1);

    double doubleValue() const { return value_; }
    // Kept within the range, as a slider's knob cannot leave its track.
    void setDoubleValue(double value);
    // The value as an integer, its fraction cut off.
    std::int64_t integerValue() const { return static_cast<std::int64_t>(value_); }

    double minValue() const { return min_; }
    double maxValue() const { return max_; }
    // Sets both ends (swapped when given the wrong way round); the value is
    // brought into the new range.
    void setRange(double minValue, double maxValue);

    // Whether the action is sent while the knob is dragged (not only at its
    // release).
    bool isContinuous() const { return continuous_; }
    void setContinuous(bool on) { continuous_ = on; }

    const std::string& knobFormat() const { return format_; }
    void setKnobFormat(std::string format);
    // What the knob shows.
    std::string knobText() const;

    // The knob's label. Its tag follows the slider's.
    TextField& knobField() { return knob_; }
    const TextField& knobField() const { return knob_; }
    std::vector<Control*> innerControls() override { return {&knob_}; }
    // A double-click on the knob: its label becomes editable and takes the focus.
    void beginEditingKnob();
    // The label stops being editable, gives up the focus and shows the value again.
    void endEditingKnob();

    // Keeps the knob label's tag equal to the slider's.
    void setSliderTag(std::int64_t tag);

  private:
    void refreshKnob();

    double value_ = 0;
    double min_ = 0;
    double max_ = 1;
    bool continuous_ = true;
    std::string format_ = "%.f";
    TextField knob_;
};

}  // namespace wexo::ui

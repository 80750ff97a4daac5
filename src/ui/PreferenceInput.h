#pragma once

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/KxSlider.h"

namespace wexo::ui {

// The number a person typed into a slider's knob: its leading number, as the
// system reads text as a number. Text that does not start with a number, or
// a number too large to hold, is none, so that a slip of the keyboard never
// becomes a setting.
inline std::optional<double> typedNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    std::size_t j = i;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[j])) ||
                              (text[j] == '.' && j + 1 < text.size() &&
                               std::isdigit(static_cast<unsigned char>(text[j + 1])))))
        return std::nullopt;
    const std::string rest = text.substr(i);
    const double value = std::strtod(rest.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// Ends the typing in a slider's knob and answers the number typed there when
// it lies within the slider's range (both ends included); the knob shows the
// slider's value again either way.
inline std::optional<double> typedKnobValue(KxSlider& slider) {
    const auto typed = typedNumber(slider.knobField().stringValue());
    slider.endEditingKnob();
    if (!typed || *typed < slider.minValue() || *typed > slider.maxValue()) return std::nullopt;
    return typed;
}

// The event being handled ends a drag (a release of the left button):
// sliders that change a setting take their value only then.
inline bool sliderDragEnded() {
    const auto* app = Application::shared();
    return app && app->currentEventIsLeftMouseUp();
}

inline int stateOf(bool on) {
    return on ? kStateOn : kStateOff;
}

}  // namespace wexo::ui

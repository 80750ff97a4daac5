#include "ui/ScrollSettingsControls.h"

#include <cmath>

#include "easing/EasingCurveHelper.h"
#include "platform/ObjcFormat.h"

namespace wexo {

namespace {
// The sliders' ranges (the interface's choice). The speed is the duration of
// one notch's animation in milliseconds.
struct SliderSetup {
    std::int64_t tag;
    double min;
    double max;
    const char* format;
};
constexpr SliderSetup kLines{ScrollSettingsControls::kLinesTag, 0.1, 10, "%.02f"};
constexpr SliderSetup kHorzLines{ScrollSettingsControls::kHorzLinesTag, 0.1, 10, "%.02f"};
constexpr SliderSetup kMultiply{ScrollSettingsControls::kMultiplyTag, 1, 10, "%.f"};
constexpr SliderSetup kDivide{ScrollSettingsControls::kDivideTag, 1, 10, "%.f"};
constexpr SliderSetup kContinDelta{ScrollSettingsControls::kContinDeltaTag, 0.1, 1.5, "%.02f"};
constexpr SliderSetup kSpeed{ScrollSettingsControls::kSpeedTag, 100, 1500, "%.f"};

void configure(ui::KxSlider& slider, const SliderSetup& setup) {
    slider.setRange(setup.min, setup.max);
    slider.setSliderTag(setup.tag);
    slider.setKnobFormat(setup.format);
}

int stateOf(bool on) {
    return on ? ui::kStateOn : ui::kStateOff;
}

// A value kept as the single-precision number the setting is.
double asFloat(double value) {
    return static_cast<double>(static_cast<float>(value));
}
}  // namespace

ScrollSettingsControls::ScrollSettingsControls(ui::View& area) {
    configure(linesSliderOutlt, kLines);
    configure(horzLinesSliderOutlt, kHorzLines);
    configure(multiplySliderOutlt, kMultiply);
    configure(divideSliderOutlt, kDivide);
    configure(continDeltaSliderOutlt, kContinDelta);
    configure(speedOutlt, kSpeed);

    for (ui::Control* c : std::initializer_list<ui::Control*>{&animateScrollOutlt,
                                                              &horzAnimateScrollOutlt,
                                                              &verAnimateScrollOutlt,
                                                              &continuousAnimOutlt,
                                                              &multiLinesOutlt,
                                                              &divideLinesOutlt,
                                                              &reverseMouseOutlt,
                                                              &reverseMouseHorizontalOutlt,
                                                              &linesLbl,
                                                              &linesSliderOutlt,
                                                              &horzLinesLbl,
                                                              &horzLinesSliderOutlt,
                                                              &multiplySliderOutlt,
                                                              &divideSliderOutlt,
                                                              &speedLbl,
                                                              &speedOutlt,
                                                              &accelLbl,
                                                              &continDeltaSliderOutlt,
                                                              &continDeltaLbl,
                                                              &moreLbl,
                                                              &selectedAnimationLbl,
                                                              &selectAnimationOutlt})
        area.addSubview(*c);

    for (ui::Button* box : allCheckBoxes()) {
        box->setImage(ui::Image::named("checkbox_off"));
        box->setAlternateImage(ui::Image::named("checkbox_on"));
    }

    animateScrollOutlt.setToolTipKey("scrollAnimate");
    horzAnimateScrollOutlt.setToolTipKey("horzScrollAnimate");
    verAnimateScrollOutlt.setToolTipKey("verScrollAnimate");
    linesLbl.setToolTipKey("scrollLines");
    linesSliderOutlt.setToolTipKey("scrollLines");
    horzLinesSliderOutlt.setToolTipKey("scrollLines");
    selectAnimationOutlt.setToolTipKey("scrollAnimationSelect");
    continuousAnimOutlt.setToolTipKey("scrollContinuous");
    multiplySliderOutlt.setToolTipKey("multiplyLines");
    multiLinesOutlt.setToolTipKey("multiplyLines");
    divideSliderOutlt.setToolTipKey("divideLines");
    divideLinesOutlt.setToolTipKey("divideLines");
    accelLbl.setToolTipKey("scrollAcceleration");
    continDeltaSliderOutlt.setToolTipKey("scrollAcceleration");
    speedLbl.setToolTipKey("scrollDuration");
    speedOutlt.setToolTipKey("scrollDuration");
    reverseMouseOutlt.setToolTipKey("scrollDirectionV");
    reverseMouseHorizontalOutlt.setToolTipKey("scrollDirectionH");
}

std::vector<ui::Button*> ScrollSettingsControls::allCheckBoxes() {
    return {&animateScrollOutlt,     &reverseMouseOutlt,    &reverseMouseHorizontalOutlt,
            &multiLinesOutlt,        &divideLinesOutlt,     &continuousAnimOutlt,
            &horzAnimateScrollOutlt, &verAnimateScrollOutlt};
}

std::vector<ui::Button*> ScrollSettingsControls::animationCheckBoxes() {
    return {&continuousAnimOutlt, &horzAnimateScrollOutlt, &verAnimateScrollOutlt};
}

void ScrollSettingsControls::setTickedImage(const std::vector<ui::Button*>& boxes, bool enabled) {
    for (ui::Button* box : boxes)
        box->setAlternateImage(ui::Image::named(enabled ? "checkbox_on" : "checkbox_on_gray"));
}

std::vector<ui::KxSlider*> ScrollSettingsControls::sliders() {
    return {&linesSliderOutlt,  &horzLinesSliderOutlt,   &multiplySliderOutlt,
            &divideSliderOutlt, &continDeltaSliderOutlt, &speedOutlt};
}

bool ScrollSettingsControls::takeTypedValue(std::int64_t tag, double v,
                                            SingleScrollSettingsObject& s) {
    ui::KxSlider* slider = sliderWithTag(tag);
    if (!slider || !std::isfinite(v) || v < slider->minValue() || v > slider->maxValue())
        return false;
    double shown = v;
    switch (tag) {
        case kLinesTag:
            s.verticalLinesNumber = shown = asFloat(v);
            break;
        case kHorzLinesTag:
            s.horizontalLinesNumber = shown = asFloat(v);
            break;
        case kMultiplyTag:
            s.multiplyLinesNumber = std::lround(v);
            shown = static_cast<double>(*s.multiplyLinesNumber);
            break;
        case kDivideTag:
            s.divideLinesNumber = std::lround(v);
            shown = static_cast<double>(*s.divideLinesNumber);
            break;
        case kContinDeltaTag:
            s.contidDelta = shown = asFloat(v);
            continDeltaLbl.setStringValue(objcFormat("%f", shown));
            break;
        case kSpeedTag:
            s.scrollSpeed = static_cast<std::int64_t>(v);
            shown = static_cast<double>(*s.scrollSpeed);
            break;
        default:
            return false;
    }
    slider->setDoubleValue(shown);
    return true;
}

ui::KxSlider* ScrollSettingsControls::sliderWithTag(std::int64_t tag) {
    for (ui::KxSlider* s : sliders())
        if (s->tag() == tag) return s;
    return nullptr;
}

void ScrollSettingsControls::disableAll() {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &linesSliderOutlt, &horzLinesSliderOutlt, &linesLbl, &horzLinesLbl,
             &animateScrollOutlt, &reverseMouseOutlt, &reverseMouseHorizontalOutlt,
             &multiLinesOutlt, &divideLinesOutlt, &multiplySliderOutlt, &divideSliderOutlt})
        c->setEnabled(false);
    setTickedImage({&animateScrollOutlt, &reverseMouseOutlt, &reverseMouseHorizontalOutlt,
                    &multiLinesOutlt, &divideLinesOutlt},
                   false);
    disableAnimateScrollOutlts();
}

void ScrollSettingsControls::enableAll() {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &linesSliderOutlt, &horzLinesSliderOutlt, &linesLbl, &horzLinesLbl,
             &animateScrollOutlt, &reverseMouseOutlt, &reverseMouseHorizontalOutlt,
             &multiLinesOutlt, &divideLinesOutlt, &multiplySliderOutlt, &divideSliderOutlt})
        c->setEnabled(true);
    setTickedImage({&animateScrollOutlt, &reverseMouseOutlt, &reverseMouseHorizontalOutlt,
                    &multiLinesOutlt, &divideLinesOutlt},
                   true);
    enableAnimateScrollOutlts();
}

void ScrollSettingsControls::disableAnimateScrollOutlts() {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &selectedAnimationLbl, &selectAnimationOutlt, &continuousAnimOutlt,
             &horzAnimateScrollOutlt, &verAnimateScrollOutlt, &speedOutlt, &speedLbl, &accelLbl,
             &continDeltaSliderOutlt, &moreLbl})
        c->setEnabled(false);
    setTickedImage(animationCheckBoxes(), false);
}

void ScrollSettingsControls::enableAnimateScrollOutlts() {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &selectedAnimationLbl, &selectAnimationOutlt, &continuousAnimOutlt,
             &horzAnimateScrollOutlt, &verAnimateScrollOutlt, &speedOutlt, &speedLbl, &accelLbl,
             &continDeltaSliderOutlt, &moreLbl})
        c->setEnabled(true);
    setTickedImage(animationCheckBoxes(), true);
}

void ScrollSettingsControls::loadScrollSettings(const SingleScrollSettingsObject& s) {
    const bool native = s.isNativeScroll;
    if (native)
        disableAll();
    else
        enableAll();

    linesSliderOutlt.setDoubleValue(
        s.verticalLinesNumber.value_or(SingleScrollSettingsObject::kDefaultLinesNumber));
    horzLinesSliderOutlt.setDoubleValue(
        s.horizontalLinesNumber.value_or(SingleScrollSettingsObject::kDefaultLinesNumber));
    speedOutlt.setDoubleValue(static_cast<double>(
        s.scrollSpeed.value_or(SingleScrollSettingsObject::kDefaultScrollSpeed)));
    const double contidDelta =
        s.contidDelta.value_or(SingleScrollSettingsObject::kDefaultContidDelta);
    continDeltaSliderOutlt.setDoubleValue(contidDelta);
    continDeltaLbl.setStringValue(objcFormat("%f", contidDelta));

    animateScrollOutlt.setState(stateOf(s.isAnimatingScroll));
    if (!s.isAnimatingScroll)
        disableAnimateScrollOutlts();
    else if (!native)
        enableAnimateScrollOutlts();

    // The box always shows the entry's own value; its slider only acts for
    // an animating entry of its own.
    continuousAnimOutlt.setState(stateOf(s.isContinuous));
    const bool continuousActive = s.isContinuous && s.isAnimatingScroll && !native;
    accelLbl.setEnabled(continuousActive);
    continDeltaSliderOutlt.setEnabled(continuousActive);

    horzAnimateScrollOutlt.setState(stateOf(s.isAnimatingHorizontalScroll));
    verAnimateScrollOutlt.setState(stateOf(s.isAnimatingVerticalScroll));
    selectedAnimationLbl.setStringValue(
        EasingCurveHelper::getGraphName(
            s.scrollAnimationIndex.value_or(
                SingleScrollSettingsObject::kDefaultScrollAnimationIndex))
            .value_or(""));

    multiLinesOutlt.setState(stateOf(s.isMultiplyLines));
    if (!s.isMultiplyLines) multiplySliderOutlt.setEnabled(false);
    multiplySliderOutlt.setDoubleValue(static_cast<double>(
        s.multiplyLinesNumber.value_or(SingleScrollSettingsObject::kDefaultMultiplyLinesNumber)));
    divideLinesOutlt.setState(stateOf(s.isDivideLines));
    if (!s.isDivideLines) divideSliderOutlt.setEnabled(false);
    divideSliderOutlt.setDoubleValue(static_cast<double>(
        s.divideLinesNumber.value_or(SingleScrollSettingsObject::kDefaultDivideLinesNumber)));

    reverseMouseOutlt.setState(stateOf(s.isReverseVertical));
    reverseMouseHorizontalOutlt.setState(stateOf(s.isReverseHorizontal));
}

std::vector<ScrollSettingsControls::Binding> ScrollSettingsControls::actions(
    std::function<void(const Edit&)> edit, std::function<bool()> dragEnded) {
    std::vector<Binding> bindings;
    bindings.push_back({&animateScrollOutlt, "animteScroll:", [this, edit, dragEnded] {
                            const bool on = animateScrollOutlt.isOn();
                            edit([on](SingleScrollSettingsObject& o) { o.isAnimatingScroll = on; });
                            if (on) {
                                enableAnimateScrollOutlts();
                                // The acceleration slider belongs to the continuous mode alone.
                                const bool continuous = continuousAnimOutlt.isOn();
                                accelLbl.setEnabled(continuous);
                                continDeltaSliderOutlt.setEnabled(continuous);
                            } else {
                                disableAnimateScrollOutlts();
                            }
                        }});
    bindings.push_back(
        {&horzAnimateScrollOutlt, "horzAnimateScroll:", [this, edit, dragEnded] {
             const bool on = horzAnimateScrollOutlt.isOn();
             edit([on](SingleScrollSettingsObject& o) { o.isAnimatingHorizontalScroll = on; });
         }});
    bindings.push_back(
        {&verAnimateScrollOutlt, "verAnimateScroll:", [this, edit, dragEnded] {
             const bool on = verAnimateScrollOutlt.isOn();
             edit([on](SingleScrollSettingsObject& o) { o.isAnimatingVerticalScroll = on; });
         }});
    bindings.push_back({&continuousAnimOutlt, "continuousAnim:", [this, edit, dragEnded] {
                            const bool on = continuousAnimOutlt.isOn();
                            accelLbl.setEnabled(on);
                            continDeltaSliderOutlt.setEnabled(on);
                            edit([on](SingleScrollSettingsObject& o) { o.isContinuous = on; });
                        }});
    bindings.push_back({&multiLinesOutlt, "multiLinesEnable:", [this, edit, dragEnded] {
                            const bool on = multiLinesOutlt.isOn();
                            multiplySliderOutlt.setEnabled(on);
                            edit([on](SingleScrollSettingsObject& o) { o.isMultiplyLines = on; });
                        }});
    bindings.push_back({&divideLinesOutlt, "divideLinesEnable:", [this, edit, dragEnded] {
                            const bool on = divideLinesOutlt.isOn();
                            divideSliderOutlt.setEnabled(on);
                            edit([on](SingleScrollSettingsObject& o) { o.isDivideLines = on; });
                        }});
    bindings.push_back({&reverseMouseOutlt, "reverseMouseBtn:", [this, edit, dragEnded] {
                            const bool on = reverseMouseOutlt.isOn();
                            edit([on](SingleScrollSettingsObject& o) { o.isReverseVertical = on; });
                        }});
    bindings.push_back(
        {&reverseMouseHorizontalOutlt, "reverseMouseHorizontalBtn:", [this, edit, dragEnded] {
             const bool on = reverseMouseHorizontalOutlt.isOn();
             edit([on](SingleScrollSettingsObject& o) { o.isReverseHorizontal = on; });
         }});
    // Sliders follow the mouse; the setting takes the value when the drag ends.
    bindings.push_back({&linesSliderOutlt, "selectLinesNumber:", [this, edit, dragEnded] {
                            if (!dragEnded()) return;
                            const double v = asFloat(linesSliderOutlt.doubleValue());
                            edit([v](SingleScrollSettingsObject& o) { o.verticalLinesNumber = v; });
                        }});
    bindings.push_back(
        {&horzLinesSliderOutlt, "selectHorzLinesNumber:", [this, edit, dragEnded] {
             if (!dragEnded()) return;
             const double v = asFloat(horzLinesSliderOutlt.doubleValue());
             edit([v](SingleScrollSettingsObject& o) { o.horizontalLinesNumber = v; });
         }});
    bindings.push_back({&multiplySliderOutlt, "multiplyAction:", [this, edit, dragEnded] {
                            if (!dragEnded()) return;
                            const auto v = std::lround(multiplySliderOutlt.doubleValue());
                            edit([v](SingleScrollSettingsObject& o) { o.multiplyLinesNumber = v; });
                        }});
    bindings.push_back({&divideSliderOutlt, "divideAction:", [this, edit, dragEnded] {
                            if (!dragEnded()) return;
                            const auto v = std::lround(divideSliderOutlt.doubleValue());
                            edit([v](SingleScrollSettingsObject& o) { o.divideLinesNumber = v; });
                        }});
    bindings.push_back({&speedOutlt, "speedAction:", [this, edit, dragEnded] {
                            if (!dragEnded()) return;
                            const auto v = speedOutlt.integerValue();
                            edit([v](SingleScrollSettingsObject& o) { o.scrollSpeed = v; });
                        }});
    bindings.push_back({&continDeltaSliderOutlt, "continDeltaSlider:", [this, edit, dragEnded] {
                            const double v = asFloat(continDeltaSliderOutlt.doubleValue());
                            continDeltaLbl.setStringValue(objcFormat("%f", v));
                            if (!dragEnded()) return;
                            edit([v](SingleScrollSettingsObject& o) { o.contidDelta = v; });
                        }});
    return bindings;
}

}  // namespace wexo

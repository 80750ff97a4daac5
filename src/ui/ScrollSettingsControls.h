#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "settings/SingleScrollSettingsObject.h"
#include "ui/Button.h"
#include "ui/KxSlider.h"
#include "ui/TextField.h"
#include "ui/View.h"

namespace wexo {

// The Scroll screen's controls that edit one set of scroll settings, and
// the rules that enable them: a native entry disables the whole set, an
// entry that does not animate disables the animation group, and the
// continuous, multiply and divide check boxes each enable their slider.
class ScrollSettingsControls {
  public:
    // The sliders' tags, which tell them apart in the typed-value handler.
    static constexpr std::int64_t kLinesTag = 100;
    static constexpr std::int64_t kHorzLinesTag = 101;
    static constexpr std::int64_t kMultiplyTag = 102;
    static constexpr std::int64_t kDivideTag = 103;
    static constexpr std::int64_t kContinDeltaTag = 104;
    static constexpr std::int64_t kSpeedTag = 105;

    // A change of the set being edited.
    using Edit = std::function<void(SingleScrollSettingsObject&)>;
    // A control, its action's selector, and what the action does.
    struct Binding {
        ui::Control* control;
        const char* action;
        std::function<void()> handler;
    };

    // Builds the controls inside `area`.
    explicit ScrollSettingsControls(ui::View& area);

    // The controls' actions. Each hands the change its control makes to
    // `edit` (which applies it to the entry being edited and saves), and
    // keeps the controls that depend on it enabled or not. Sliders follow
    // the mouse but change the setting only at the end of a drag
    // (`dragEnded`).
    std::vector<Binding> actions(std::function<void(const Edit&)> edit,
                                 std::function<bool()> dragEnded);

    // Shows a set: every control takes its value and its enabled state.
    void loadScrollSettings(const SingleScrollSettingsObject& settings);

    void enableAll();
    void disableAll();
    void enableAnimateScrollOutlts();
    void disableAnimateScrollOutlts();

    // A number typed into the knob of the slider with `tag`: when it lies
    // within the slider's range (ends included) the setting takes it, as
    // the setting keeps numbers (single precision, rounded to the nearest
    // integer, or an integer with its fraction cut off), and the slider
    // shows that. False, and nothing changes, otherwise.
    bool takeTypedValue(std::int64_t tag, double value, SingleScrollSettingsObject& settings);

    // The slider with a tag; nullptr for any other tag.
    ui::KxSlider* sliderWithTag(std::int64_t tag);
    std::vector<ui::KxSlider*> sliders();

    ui::Button animateScrollOutlt{"animateScrollOutlt", ui::ButtonType::CheckBox};
    ui::Button horzAnimateScrollOutlt{"horzAnimateScrollOutlt", ui::ButtonType::CheckBox};
    ui::Button verAnimateScrollOutlt{"verAnimateScrollOutlt", ui::ButtonType::CheckBox};
    ui::Button continuousAnimOutlt{"continuousAnimOutlt", ui::ButtonType::CheckBox};
    ui::Button multiLinesOutlt{"multiLinesOutlt", ui::ButtonType::CheckBox};
    ui::Button divideLinesOutlt{"divideLinesOutlt", ui::ButtonType::CheckBox};
    ui::Button reverseMouseOutlt{"reverseMouseOutlt", ui::ButtonType::CheckBox};
    ui::Button reverseMouseHorizontalOutlt{"reverseMouseHorizontalOutlt", ui::ButtonType::CheckBox};

    ui::KxSlider linesSliderOutlt{"linesSliderOutlt"};
    ui::KxSlider horzLinesSliderOutlt{"horzLinesSliderOutlt"};
    ui::KxSlider multiplySliderOutlt{"multiplySliderOutlt"};
    ui::KxSlider divideSliderOutlt{"divideSliderOutlt"};
    ui::KxSlider speedOutlt{"speedOutlt"};
    ui::KxSlider continDeltaSliderOutlt{"continDeltaSliderOutlt"};

    ui::TextField linesLbl{"linesLbl"};
    ui::TextField horzLinesLbl{"horzLinesLbl"};
    ui::TextField speedLbl{"speedLbl"};
    ui::TextField accelLbl{"accelLbl"};
    ui::TextField continDeltaLbl{"continDeltaLbl"};
    ui::TextField moreLbl{"moreLbl"};
    ui::TextField selectedAnimationLbl{"selectedAnimationLbl"};
    // Opens the curve chooser.
    ui::Button selectAnimationOutlt{"selectAnimationOutlt", ui::ButtonType::Push};

  private:
    // The check boxes whose ticked image follows the enabled state.
    std::vector<ui::Button*> allCheckBoxes();
    std::vector<ui::Button*> animationCheckBoxes();
    void setTickedImage(const std::vector<ui::Button*>& boxes, bool enabled);
};

}  // namespace wexo

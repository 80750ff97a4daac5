#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Subscription.h"
#include "ui/ObserverList.h"

namespace wexo::ui {

class ActionTarget;
class View;

// How an animation's progress is eased: the fraction of the way travelled
// for the fraction of the time elapsed, both 0 at the start and 1 at the end
// (an easing curve). nullptr: linear.
using TimingFunction = double (*)(double);

// A key-frame animation of a control's position (a layer's position
// animation built from an easing function between two points).
struct PositionAnimation {
    platform::Point from;
    platform::Point to;
    TimingFunction timing = nullptr;
    double duration = 0;
    // Run-loop time (RunLoop::now) at which it began.
    double beganAt = 0;

    // Where the animation shows the origin `elapsed` seconds after it began:
    // `from` before, `to` from the end on.
    platform::Point originAt(double elapsed) const;
};

// What changed in a control, for whoever draws it.
enum class ControlChange {
    Hidden,
    Enabled,
    Alpha,
    ToolTip,
    Tag,
    Title,
    State,
    Value,
    Range,
    Image,
    Text,
    TextColor,
    Format,
    Editing,
    Items,
    Selection,
    Rows,
    Frame,
    Subviews,
    Appearance,
};

// A piece of the user interface as state: what a person sees of it and what
// it does when operated. Controllers own their controls and change them; a
// front end draws them and, when a person operates one, gives it the new
// state and calls sendAction(). Main thread only.
class Control {
  public:
    // `identifier` is the outlet's name ("animateScrollOutlt"), for front
    // ends and diagnostics.
    explicit Control(std::string identifier = {});
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& identifier() const { return identifier_; }

    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);
    // Hidden, or inside a view that is: not on screen either way.
    bool isHiddenOrHasHiddenAncestor() const;

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    double alphaValue() const { return alpha_; }
    void setAlphaValue(double alpha);
    // A timed fade: the alpha takes its new value at once (as the model of
    // an animation does) and a front end shows the change over `duration`
    // seconds; `completion` then runs on the main run loop, after `duration`
    // (virtual time on the simulated desktop). The completion is dropped if
    // the control is gone by then.
    void animateAlphaValue(double alpha, double duration, std::function<void()> completion = {});
    // Duration of the fade that set the current alpha; 0 for a plain change.
    double alphaAnimationDuration() const { return alphaDuration_; }

    // A key-frame animation of the frame's origin: the origin takes `to` at
    // once (the model, as with a fade), and a front end shows it travelling
    // from `from` along `timing` for `duration` seconds; `completion` then
    // runs on the main run loop, after `duration` (virtual time on the
    // simulated desktop), unless the control is gone by then. A plain
    // setFrame afterwards ends what is shown of it.
    void animateFrameOrigin(platform::Point from, platform::Point to, double duration,
                            TimingFunction timing, std::function<void()> completion = {});
    // The position animation that set the current origin; nothing after a
    // plain change of the frame.
    const std::optional<PositionAnimation>& positionAnimation() const { return positionAnim_; }
    // The origin as it is shown now: along the position animation while it
    // runs, the frame's origin otherwise.
    platform::Point presentationOrigin() const;

    // Key of the tooltip in the application's localized string table.
    const std::optional<std::string>& toolTipKey() const { return toolTipKey_; }
    void setToolTipKey(std::optional<std::string> key);

    // The rectangle in the superview's coordinates (a front end's layout may
    // place controls itself).
    platform::Rect frame() const { return frame_; }
    void setFrame(platform::Rect frame);
    // The frame in the coordinates of the window's content (the root view's
    // frame origin counts as the content's origin): the frames of the views
    // it is in, added up.
    platform::Rect frameInWindow() const;

    std::int64_t tag() const { return tag_; }
    void setTag(std::int64_t tag);

    // Target-action: what operating the control sends, and to whom.
    void setTarget(ActionTarget* target, std::string action);
    ActionTarget* target() const { return target_; }
    const std::string& action() const { return action_; }
    // Sends the action to the target with this control as sender; false
    // when there is none. The control may be gone when this returns (an
    // action may rebuild the table holding it): callers do not touch it
    // afterwards.
    bool sendAction();
    // True while an action is running (anywhere in the user interface).
    static bool isSendingAction();

    View* superview() const { return superview_; }
    void removeFromSuperview();
    // The view or control this one is drawn in: its superview, or the
    // control it is part of (a slider's knob label).
    Control* enclosingControl() const;
    // The controls that are part of this one or drawn inside it, for walking
    // a screen's whole tree (subviews, a slider's knob label, table cells).
    virtual std::vector<Control*> innerControls() { return {}; }

    platform::Subscription observe(std::function<void(Control&, ControlChange)> observer) {
        return observers_.add(std::move(observer));
    }

  protected:
    // Sends another of the control's messages to its target, as sendAction
    // sends the action (a collection view's deselection); false when the
    // target has none of that name.
    bool sendToTarget(std::string_view selector);
    void changed(ControlChange what);
    // Runs after the observers heard of a change (a menu item tells its menu).
    virtual void didChange(ControlChange) {}
    // Makes `part` a part of this control (see enclosingControl).
    void adoptPart(Control& part) { part.partOf_ = this; }

  private:
    friend class View;

    std::string identifier_;
    bool hidden_ = false;
    bool enabled_ = true;
    double alpha_ = 1;
    double alphaDuration_ = 0;
    std::optional<PositionAnimation> positionAnim_;
    std::optional<std::string> toolTipKey_;
    platform::Rect frame_;
    std::int64_t tag_ = 0;
    ActionTarget* target_ = nullptr;
    std::string action_;
    View* superview_ = nullptr;
    Control* partOf_ = nullptr;
    // Completions of fades hold a weak reference and skip a control that is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    ObserverList<Control&, ControlChange> observers_;
};

}  // namespace wexo::ui

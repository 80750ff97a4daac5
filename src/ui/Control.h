#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Subscription.h"
#include "ui/ObserverList.h"

namespace wexo::ui {

class ActionTarget;
class View;

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

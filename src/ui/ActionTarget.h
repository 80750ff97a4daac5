#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace wexo::ui {

class Control;

// What controls and menu items send their actions to, by the action's
// selector as the system names it ("reverseMouseBtn:", "toggleScrollingEnable:"),
// the way target-action works: a control knows its target and selector, the
// target knows what each selector does. A front end and the scenario runner
// reach every action of a screen through this table.
class ActionTarget {
  public:
    using Handler = std::function<void(Control& sender)>;

    ActionTarget() = default;
    virtual ~ActionTarget() = default;
    ActionTarget(const ActionTarget&) = delete;
    ActionTarget& operator=(const ActionTarget&) = delete;

    bool respondsToSelector(std::string_view selector) const;
    // Runs the action with its sender; false (and nothing runs) when the
    // target has no action of that name.
    bool performAction(std::string_view selector, Control& sender);
    // Every selector the target answers, in name order.
    std::vector<std::string> selectors() const;

  protected:
    // Declares an action; a later declaration of the same selector replaces
    // the earlier one (a subclass overriding its base's action).
    void addAction(std::string selector, Handler handler);

  private:
    std::map<std::string, Handler, std::less<>> actions_;
};

}  // namespace wexo::ui

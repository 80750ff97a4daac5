#include "ui/ActionTarget.h"

namespace wexo::ui {

bool ActionTarget::respondsToSelector(std::string_view selector) const {
    return actions_.find(selector) != actions_.end();
}

bool ActionTarget::performAction(std::string_view selector, Control& sender) {
    auto it = actions_.find(selector);
    if (it == actions_.end()) return false;
    // A copy: the action may replace the table's entry while it runs.
    Handler handler = it->second;
    handler(sender);
    return true;
}

std::vector<std::string> ActionTarget::selectors() const {
    std::vector<std::string> names;
    names.reserve(actions_.size());
    for (const auto& [name, handler] : actions_) names.push_back(name);
    return names;
}

void ActionTarget::addAction(std::string selector, Handler handler) {
    actions_[std::move(selector)] = std::move(handler);
}

}  // namespace wexo::ui

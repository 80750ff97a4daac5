#include "ui/Storyboard.h"

#include <algorithm>

#include "platform/Shared.h"

namespace wexo::ui {

const Storyboard* Storyboard::main() {
    return SharedSlot<const Storyboard>::get();
}

void Storyboard::addWindowController(std::string identifier, std::string screenName,
                                     WindowControllerFactory factory) {
    entries_[std::move(identifier)] = Entry{std::move(screenName), std::move(factory), nullptr};
}

void Storyboard::addViewController(std::string identifier, std::string screenName,
                                   ViewControllerFactory factory) {
    entries_[std::move(identifier)] = Entry{std::move(screenName), nullptr, std::move(factory)};
}

bool Storyboard::hasController(const std::string& identifier) const {
    return entries_.count(identifier) > 0;
}

std::unique_ptr<WindowController> Storyboard::instantiateWindowController(
    const std::string& identifier) const {
    auto it = entries_.find(identifier);
    if (it == entries_.end() || !it->second.window) return nullptr;
    return it->second.window();
}

std::unique_ptr<ViewController> Storyboard::instantiateViewController(
    const std::string& identifier) const {
    auto it = entries_.find(identifier);
    if (it == entries_.end() || !it->second.view) return nullptr;
    return it->second.view();
}

bool Storyboard::makesScreen(const std::string& screenName) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const auto& e) { return e.second.screenName == screenName; });
}

std::vector<std::string> Storyboard::screenNames() const {
    std::vector<std::string> names;
    for (const auto& [id, entry] : entries_)
        if (!entry.screenName.empty()) names.push_back(entry.screenName);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

}  // namespace wexo::ui

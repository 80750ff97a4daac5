#include "ui/sim/SimUserInterface.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/Menu.h"
#include "ui/MenuItem.h"
#include "ui/StatusItem.h"
#include "ui/Window.h"

namespace wexo::ui::sim {

namespace records = platform::sim::records;
using platform::sim::SimProcess;

SimUserInterface::SimUserInterface(platform::sim::SimDesktop& desktop) : desktop_(desktop) {}

SimUserInterface::~SimUserInterface() {
    detach();
}

void SimUserInterface::attach(Application& application) {
    detach();
    application_ = &application;
    std::weak_ptr<bool> alive = alive_;
    screensObservation_ = desktop_.simScreens().observeChanges([this, alive] {
        // The notification reaches the program after the change, on its run loop.
        desktop_.runLoop().postToMain([this, alive] {
            if (alive.lock() && application_) application_->screenParametersDidChange();
        });
    });
    frontObservation_ = desktop_.workspace().observeFrontmostApplication(
        [this](const std::optional<platform::RunningApplication>& app) {
            const bool front = app && app->pid == SimProcess::kPid;
            const bool becameActive = front && !programFrontmost_;
            programFrontmost_ = front;
            if (becameActive && application_) application_->willBecomeActive();
        });
}

void SimUserInterface::detach() {
    screensObservation_.reset();
    frontObservation_.reset();
    application_ = nullptr;
    programFrontmost_ = false;
    // What the program put on screen goes with it.
    alerts_.clear();
    panels_.clear();
}

std::uint64_t SimUserInterface::idOf(Window& window) {
    auto [it, inserted] = windowIds_.try_emplace(&window, nextWindowId_);
    if (inserted) ++nextWindowId_;
    return it->second;
}

platform::Rect SimUserInterface::quartzBounds(const Window& window) const {
    const auto screens = desktop_.screens().screens();
    const platform::Rect f = window.frame();
    if (screens.empty()) return f;
    const platform::Rect& main = screens.front().frame;
    const double mainTop = main.origin.y + main.size.height;
    return platform::Rect(f.origin.x, mainTop - (f.origin.y + f.size.height), f.size.width,
                          f.size.height);
}

Window* SimUserInterface::frontWindow(const std::function<bool(Window&)>& accept) const {
    for (Window* w : onScreen_)
        if (accept(*w)) return w;
    return nullptr;
}

void SimUserInterface::windowDidChange(Window& window, WindowChange change) {
    auto& list = desktop_.simWindowList();
    if (change == WindowChange::Shown || change == WindowChange::OrderedFront) {
        std::erase(onScreen_, &window);
        onScreen_.insert(onScreen_.begin(), &window);
    } else if (change == WindowChange::Closed || change == WindowChange::Destroyed) {
        std::erase(onScreen_, &window);
    }
    switch (change) {
        case WindowChange::Shown:
            desktop_.recorder().record(records::Window{window.name(), true});
            list.showProgramWindow(idOf(window), window.level(), quartzBounds(window), true);
            break;
        case WindowChange::OrderedFront:
            list.showProgramWindow(idOf(window), window.level(), quartzBounds(window), true);
            break;
        case WindowChange::Frame:
        case WindowChange::Level:
            if (window.isVisible())
                list.showProgramWindow(idOf(window), window.level(), quartzBounds(window), false);
            break;
        case WindowChange::Closed:
            desktop_.recorder().record(records::Window{window.name(), false});
            list.removeProgramWindow(idOf(window));
            break;
        case WindowChange::Destroyed:
            if (window.isVisible())
                desktop_.recorder().record(records::Window{window.name(), false});
            list.removeProgramWindow(idOf(window));
            windowIds_.erase(&window);
            break;
        case WindowChange::Shadow:
        case WindowChange::Appearance:
            break;
    }
}

void SimUserInterface::statusItemDidChange(StatusItem& item, StatusItemChange change) {
    switch (change) {
        case StatusItemChange::Created:
        case StatusItemChange::Visible:
            desktop_.recorder().record(records::StatusItem{item.isVisible()});
            break;
        case StatusItemChange::Menu: {
            std::vector<std::string> titles;
            if (item.menu())
                for (const auto& entry : item.menu()->items())
                    titles.push_back(entry->isSeparatorItem() ? "-" : entry->title());
            auto [it, inserted] = menuTitles_.try_emplace(&item, titles);
            if (!inserted && it->second == titles) break;
            it->second = titles;
            desktop_.recorder().record(records::Menu{std::move(titles)});
            break;
        }
        case StatusItemChange::Destroyed:
            menuTitles_.erase(&item);
            break;
        case StatusItemChange::Appearance:
            break;
    }
}

void SimUserInterface::activationPolicyDidChange(ActivationPolicy policy) {
    policy_ = policy;
    desktop_.recorder().record(records::ActivationPolicy{policy == ActivationPolicy::Regular});
}

void SimUserInterface::runModal(const Alert& alert, std::function<void(std::size_t)> completion) {
    desktop_.recorder().record(records::Alert{alert.messageText, alert.buttons});
    alerts_.push_back(PendingAlert{alert, std::move(completion)});
}

void SimUserInterface::beginSheet(const OpenPanel& panel, Window*,
                                  std::function<void(std::optional<std::string>)> completion) {
    panels_.push_back(PendingPanel{panel, std::move(completion)});
}

const Alert* SimUserInterface::currentAlert() const {
    return alerts_.empty() ? nullptr : &alerts_.back().alert;
}

bool SimUserInterface::answerAlert(const std::string& buttonTitle) {
    if (alerts_.empty()) return false;
    const auto& buttons = alerts_.back().alert.buttons;
    auto it = std::find(buttons.begin(), buttons.end(), buttonTitle);
    if (it == buttons.end()) return false;
    const auto index = static_cast<std::size_t>(it - buttons.begin());
    PendingAlert answered = std::move(alerts_.back());
    alerts_.pop_back();
    if (answered.completion) answered.completion(index);
    return true;
}

const OpenPanel* SimUserInterface::currentOpenPanel() const {
    return panels_.empty() ? nullptr : &panels_.back().panel;
}

bool SimUserInterface::answerOpenPanel(std::optional<std::string> path) {
    if (panels_.empty()) return false;
    PendingPanel answered = std::move(panels_.back());
    panels_.pop_back();
    if (answered.completion) answered.completion(std::move(path));
    return true;
}

void SimUserInterface::reopen() {
    if (!desktop_.simProcess().alive()) return;
    desktop_.simWorkspace().setFrontmost(SimProcess::kPid);
    if (application_) application_->reopen();
}

}  // namespace wexo::ui::sim

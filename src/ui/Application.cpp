#include "ui/Application.h"

#include <algorithm>

#include "platform/Platform.h"
#include "platform/Shared.h"
#include "ui/StatusItem.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace wexo::ui {

Application::Application(UserInterface& userInterface) : ui_(userInterface) {
    addAction("terminate:", [this](Control&) { terminate(); });
}

Application::~Application() = default;

Application* Application::shared() {
    return SharedSlot<Application>::get();
}

void Application::setActivationPolicy(ActivationPolicy policy) {
    policy_ = policy;
    ui_.activationPolicyDidChange(policy);
}

void Application::terminate() {
    if (delegate_) delegate_->applicationWillTerminate();
    installedPlatform().process().terminate();
}

bool Application::hasVisibleWindows() const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [](const Window* w) { return w->isVisible(); });
}

void Application::finishLaunching() {
    if (delegate_) delegate_->applicationDidFinishLaunching();
}

void Application::screenParametersDidChange() {
    screenObservers_.notify();
}

void Application::willBecomeActive() {
    if (delegate_) delegate_->applicationWillBecomeActive();
}

void Application::reopen() {
    if (delegate_) delegate_->applicationShouldHandleReopen(hasVisibleWindows());
}

void Application::windowCreated(Window& window) {
    windows_.push_back(&window);
}

void Application::windowDidChange(Window& window, WindowChange change) {
    ui_.windowDidChange(window, change);
    if (change == WindowChange::Destroyed) std::erase(windows_, &window);
}

void Application::statusItemCreated(StatusItem& item) {
    statusItems_.push_back(&item);
    ui_.statusItemDidChange(item, StatusItemChange::Created);
}

void Application::statusItemDidChange(StatusItem& item, StatusItemChange change) {
    ui_.statusItemDidChange(item, change);
    if (change == StatusItemChange::Destroyed) std::erase(statusItems_, &item);
}

void Application::viewControllerLoaded(ViewController& controller) {
    if (std::find(viewControllers_.begin(), viewControllers_.end(), &controller) ==
        viewControllers_.end())
        viewControllers_.push_back(&controller);
}

void Application::viewControllerDestroyed(ViewController& controller) {
    std::erase(viewControllers_, &controller);
}

}  // namespace wexo::ui

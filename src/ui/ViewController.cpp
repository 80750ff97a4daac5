#include "ui/ViewController.h"

#include <algorithm>

#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Window.h"

namespace wexo::ui {

struct ViewController::Presentation {
    // Declared before its window, so that the window goes first.
    std::unique_ptr<ViewController> screen;
    std::unique_ptr<Window> window;
};

namespace {
// What a presented screen's window measures when its view names no size.
constexpr platform::Size kDefaultPresentedSize{480, 320};

platform::Rect centredOnMainScreen(platform::Size size) {
    auto screens = installedPlatform().screens().screens();
    if (screens.empty()) return platform::Rect(0, 0, size.width, size.height);
    const platform::Rect& main = screens.front().frame;
    return platform::Rect(main.origin.x + (main.size.width - size.width) / 2,
                          main.origin.y + (main.size.height - size.height) / 2, size.width,
                          size.height);
}
}  // namespace

ViewController::ViewController(std::string screenName)
    : screenName_(std::move(screenName)), view_(screenName_ + ".view") {
    view_.viewController_ = this;
}

ViewController::~ViewController() {
    if (auto* app = Application::shared()) app->viewControllerDestroyed(*this);
    // Presented screens and their windows go first, then the children.
    dismissed_.clear();
    presented_.clear();
    children_.clear();
    if (window_ && window_->contentViewController() == this)
        window_->setContentViewController(nullptr);
}

void ViewController::loadViewIfNeeded() {
    if (loaded_) return;
    loaded_ = true;
    if (auto* app = Application::shared()) app->viewControllerLoaded(*this);
    viewDidLoad();
}

Window* ViewController::window() const {
    for (const ViewController* c = this; c; c = c->parent_)
        if (c->window_) return c->window_;
    return nullptr;
}

ViewController& ViewController::embedChildViewController(std::unique_ptr<ViewController> child,
                                                         View& container) {
    ViewController& embedded = *child;
    embedded.parent_ = this;
    children_.push_back(std::move(child));
    container.addSubview(embedded.view());
    embedded.loadViewIfNeeded();
    return embedded;
}

ViewController& ViewController::presentViewControllerAsModalWindow(
    std::unique_ptr<ViewController> screen) {
    return present(std::move(screen), false);
}

ViewController& ViewController::presentViewControllerAsSheet(
    std::unique_ptr<ViewController> screen) {
    return present(std::move(screen), true);
}

ViewController& ViewController::present(std::unique_ptr<ViewController> screen, bool asSheet) {
    releaseDismissed();
    auto p = std::make_unique<Presentation>();
    p->screen = std::move(screen);
    p->screen->presenter_ = this;
    platform::Size size = p->screen->view().frame().size;
    if (size.width <= 0 || size.height <= 0) size = kDefaultPresentedSize;
    Window* parent = window();
    platform::Rect frame = centredOnMainScreen(size);
    if (asSheet && parent) {
        // A sheet hangs from the top edge of its window, centred.
        const platform::Rect pf = parent->frame();
        frame = platform::Rect(pf.origin.x + (pf.size.width - size.width) / 2,
                               pf.origin.y + pf.size.height - size.height, size.width, size.height);
    }
    p->window = std::make_unique<Window>(p->screen->screenName(), frame);
    if (asSheet) p->window->setSheetParent(parent);
    p->window->setContentViewController(p->screen.get());
    ViewController& shown = *p->screen;
    Window& window = *p->window;
    presented_.push_back(std::move(p));
    window.makeKeyAndOrderFront();
    return shown;
}

void ViewController::dismissViewController(ViewController& screen) {
    auto it = std::find_if(presented_.begin(), presented_.end(),
                           [&](const auto& p) { return p->screen.get() == &screen; });
    if (it == presented_.end()) return;
    std::unique_ptr<Presentation> p = std::move(*it);
    presented_.erase(it);
    p->window->close();
    dismissed_.push_back(std::move(p));
    releaseDismissed();
}

void ViewController::dismiss() {
    if (presenter_) presenter_->dismissViewController(*this);
}

std::vector<ViewController*> ViewController::presentedViewControllers() const {
    std::vector<ViewController*> out;
    for (const auto& p : presented_) out.push_back(p->screen.get());
    return out;
}

void ViewController::releaseDismissed() {
    // A screen may dismiss itself from its own action: it lives on until no
    // action runs any more.
    if (!Control::isSendingAction()) dismissed_.clear();
}

void ViewController::appearanceWillChange(bool appearing) {
    loadViewIfNeeded();
    if (appearing)
        viewWillAppear();
    else
        viewWillDisappear();
    for (auto& child : children_) child->appearanceWillChange(appearing);
}

void ViewController::appearanceDidChange(bool appearing) {
    if (appearing)
        viewDidAppear();
    else
        viewDidDisappear();
    for (auto& child : children_) child->appearanceDidChange(appearing);
}

}  // namespace wexo::ui

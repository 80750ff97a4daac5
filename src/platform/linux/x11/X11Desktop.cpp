#include "platform/linux/x11/X11Desktop.h"

#include "platform/Event.h"
#include "platform/Log.h"
#include "platform/linux/x11/XSettings.h"

namespace wexo::platform::x11 {

std::unique_ptr<X11Desktop> X11Desktop::open(Options options) {
    auto connection = X11Connection::open(options.displayName);
    if (!connection) return nullptr;
    return std::unique_ptr<X11Desktop>(new X11Desktop(std::move(connection), std::move(options)));
}

std::unique_ptr<X11Desktop> X11Desktop::openOrExplain(Options options) {
    const std::string name = options.displayName;
    auto desktop = open(std::move(options));
    if (!desktop)
        platform::Log::write(
            LogLevel::Warning, __FILE__, __LINE__,
            objcFormat("No X display%@%@: per-application settings, gestures per application "
                       "and smart auto-scroll need one; running with one screen and no "
                       "application windows",
                       name.empty() ? "" : " ", name));
    return desktop;
}

X11Desktop::X11Desktop(std::unique_ptr<X11Connection> connection, Options options)
    : c_(std::move(connection)), identities_(entries_, std::move(options.own)) {
    screens_ = std::make_unique<X11Screens>(*c_);
    tracker_ = std::make_unique<X11WindowTracker>(*c_, *screens_, identities_);
    workspace_ = std::make_unique<X11Workspace>(*c_, *tracker_, launcher_);
    hotKeys_ = std::make_unique<X11HotKeys>(*c_, [this](int x, int y) { return toGlobal(x, y); });
    cursor_ = std::make_unique<X11Cursor>(*c_);
    dock_ = std::make_unique<X11Dock>(*c_, *tracker_);
    accessibility_ = std::make_unique<AtspiAccessibility>(
        AtspiAccessibility::Hooks{[this](Point p) { return windowOwnerAt(p); },
                                  [this](Point p) {
                                      const Point o = screens_->mainOrigin();
                                      return Point{p.x + o.x, p.y + o.y};
                                  }});
    acceleration_ = std::make_unique<PointerAcceleration>(*c_);
    // Events still unread on the connection wake the run loop by its
    // descriptor; those a round trip already read do not, so a query takes
    // them first. Looking costs no system call.
    const auto takeQueued = [this] {
        if (XEventsQueued(c_->display(), QueuedAlready) > 0) processEvents();
    };
    workspace_->setBeforeQuery(takeQueued);
    tracker_->setBeforeQuery(takeQueued);
    tracker_->setPointer([this] { return lastPointer_; });
    readDoubleClickSettings();
    updatePanelStruts();
    processEvents();
}

X11Desktop::~X11Desktop() {
    *alive_ = false;
    watch_.reset();
}

void X11Desktop::attach(RunLoop& loop, lnx::DescriptorWatcher& watcher) {
    loop_ = &loop;
    watch_ = watcher.watchReadable(c_->fd(), [this] { processEvents(); });
    processEvents();
}

Point X11Desktop::toGlobal(int rootX, int rootY) const {
    const Point o = screens_->mainOrigin();
    return Point{rootX - o.x, rootY - o.y};
}

void X11Desktop::processEvents() {
    // Observers called from here may query the desktop, which would bring
    // them back here.
    // A lost connection stays readable: nothing more will come from it.
    if (processing_ || c_->lost()) return;
    processing_ = true;
    Display* d = c_->display();
    while (XPending(d) > 0) {
        XEvent event;
        XNextEvent(d, &event);
        dispatch(event);
    }
    tracker_->refresh();
    updatePanelStruts();
    workspace_->refresh();
    processing_ = false;
}

void X11Desktop::dispatch(XEvent& e) {
    if (screens_->handleEvent(e)) return;
    if (acceleration_->handleEvent(e)) return;
    if (hotKeys_->handleEvent(e)) return;
    if (e.type == PropertyNotify && e.xproperty.window == c_->root()) {
        const Atom a = e.xproperty.atom;
        if (a == c_->atoms().netWorkarea) return screens_->workAreaChanged();
        if (a == c_->atoms().netCurrentDesktop) screens_->workAreaChanged();
        if (workspace_->handleEvent(e)) return;
    }
    if (e.type == PropertyNotify && e.xproperty.atom == c_->atoms().xsettingsSettings)
        return readDoubleClickSettings();
    tracker_->handleEvent(e);
}

void X11Desktop::updatePanelStruts() {
    std::vector<Strut> struts;
    for (const auto& w : tracker_->windows())
        if (w->kind == WindowKind::Panel && w->onScreen() && w->strut) struts.push_back(*w->strut);
    screens_->setPanelStruts(std::move(struts));
}

void X11Desktop::readDoubleClickSettings() {
    const auto settings = readXSettings(*c_);
    if (auto time = settings.integer("Net/DoubleClickTime"); time && *time > 0)
        doubleClickInterval_ = *time / 1000.0;
    if (auto distance = settings.integer("Net/DoubleClickDistance"); distance && *distance > 0)
        doubleClickDistance_ = *distance;
}

void X11Desktop::drainSoon() {
    if (!loop_ || drainPosted_ || XEventsQueued(c_->display(), QueuedAlready) == 0) return;
    drainPosted_ = true;
    std::weak_ptr<bool> alive = alive_;
    loop_->postToMain([this, alive] {
        if (!alive.lock()) return;
        drainPosted_ = false;
        processEvents();
    });
}

lnx::PointerState X11Desktop::queryPointer() {
    ::Window root = 0, child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    lnx::PointerState state;
    if (XQueryPointer(c_->display(), c_->root(), &root, &child, &rx, &ry, &wx, &wy, &mask)) {
        state.location = toGlobal(rx, ry);
        if (mask & ShiftMask) state.modifierFlags |= EventFlags::Shift;
        if (mask & ControlMask) state.modifierFlags |= EventFlags::Control;
        if (mask & Mod1Mask) state.modifierFlags |= EventFlags::Alternate;
        if (mask & Mod4Mask) state.modifierFlags |= EventFlags::Command;
        if (mask & LockMask) state.modifierFlags |= EventFlags::AlphaShift;
        lastPointer_ = state.location;
    }
    drainSoon();
    return state;
}

void X11Desktop::warpPointer(Point p) {
    const Point o = screens_->mainOrigin();
    XWarpPointer(c_->display(), None, c_->root(), 0, 0, 0, 0, static_cast<int>(p.x + o.x),
                 static_cast<int>(p.y + o.y));
    XFlush(c_->display());
}

pid_t X11Desktop::windowOwnerAt(Point p) {
    if (XEventsQueued(c_->display(), QueuedAlready) > 0) processEvents();
    const TrackedWindow* w = tracker_->windowAt(p);
    if (!w || w->kind != WindowKind::Application) return 0;
    return w->hints.pid;
}

std::optional<double> X11Desktop::pointerAcceleration() {
    auto value = acceleration_->get();
    drainSoon();
    return value;
}

bool X11Desktop::setPointerAcceleration(double scale) {
    const bool set = acceleration_->set(scale);
    drainSoon();
    return set;
}

}  // namespace wexo::platform::x11

#include "platform/linux/x11/X11WindowTracker.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace wexo::platform::x11 {

namespace {
constexpr long kClientEvents = PropertyChangeMask | StructureNotifyMask;
}

X11WindowTracker::X11WindowTracker(X11Connection& connection, const X11Screens& screens,
                                   AppIdentities& identities)
    : c_(connection), screens_(screens), identities_(identities) {
    XWindowAttributes attributes;
    XGetWindowAttributes(c_.display(), c_.root(), &attributes);
    XSelectInput(c_.display(), c_.root(),
                 attributes.your_event_mask | PropertyChangeMask | SubstructureNotifyMask);
    refresh();
}

Rect X11WindowTracker::toGlobal(const Rect& r) const {
    const Point o = screens_.mainOrigin();
    return Rect(r.origin.x - o.x, r.origin.y - o.y, r.size.width, r.size.height);
}

TrackedWindow* X11WindowTracker::byClientOrFrame(::Window w) {
    if (auto it = byClient_.find(w); it != byClient_.end()) return it->second.get();
    if (auto it = byFrame_.find(w); it != byFrame_.end()) return it->second.get();
    return nullptr;
}

const TrackedWindow* X11WindowTracker::find(::Window client) const {
    auto it = byClient_.find(client);
    return it == byClient_.end() ? nullptr : it->second.get();
}

bool X11WindowTracker::handleEvent(const XEvent& e) {
    const Atoms& a = c_.atoms();
    switch (e.type) {
        case PropertyNotify: {
            const Atom p = e.xproperty.atom;
            if (e.xproperty.window == c_.root()) {
                if (p != a.netClientListStacking) return false;
                listDirty_ = true;
                return true;
            }
            TrackedWindow* w = byClientOrFrame(e.xproperty.window);
            // Titles and user times change all the time; only what the list
            // reports makes a window stale.
            if (!w || !(p == a.netWmPid || p == a.netFrameExtents || p == a.netWmWindowType ||
                        p == a.netWmState || p == a.netWmStrutPartial || p == a.netWmStrut ||
                        p == a.gtkApplicationId || p == a.kdeNetWmDesktopFile || p == a.wmClass))
                return false;
            w->dirtyProperties = anyWindowDirty_ = true;
            return true;
        }
        case ConfigureNotify: {
            // Without a window manager's list, the root's children are the
            // list, and a restack changes it.
            if (e.xconfigure.event == c_.root() && !haveWmList_) listDirty_ = true;
            TrackedWindow* w = byClientOrFrame(e.xconfigure.window);
            if (!w) return listDirty_;
            w->dirtyGeometry = anyWindowDirty_ = true;
            return true;
        }
        case MapNotify:
        case UnmapNotify: {
            const ::Window which = e.type == MapNotify ? e.xmap.window : e.xunmap.window;
            TrackedWindow* w = byClientOrFrame(which);
            if (!w) {
                if (e.xany.window == c_.root() && !haveWmList_) listDirty_ = true;
                return listDirty_;
            }
            w->dirtyMapState = w->dirtyGeometry = anyWindowDirty_ = true;
            return true;
        }
        case ReparentNotify: {
            TrackedWindow* w = byClientOrFrame(e.xreparent.window);
            if (w) {
                byFrame_.erase(w->frame);
                w->frame = 0;
                w->dirtyGeometry = w->dirtyMapState = anyWindowDirty_ = true;
            }
            listDirty_ = true;
            return true;
        }
        case DestroyNotify: {
            TrackedWindow* w = byClientOrFrame(e.xdestroywindow.window);
            if (!w) return false;
            // Forgotten at once: the server may give the id to a new window
            // before the window manager's list has let go of the old one.
            const ::Window client = w->client;
            byFrame_.erase(w->frame);
            std::erase_if(order_, [&](const auto& t) { return t->client == client; });
            byClient_.erase(client);
            ++generation_;
            listDirty_ = true;
            return true;
        }
        case CreateNotify:
        case CirculateNotify:
            if (haveWmList_) return false;
            listDirty_ = true;
            return true;
        default:
            return false;
    }
}

void X11WindowTracker::readClientList() {
    Display* d = c_.display();
    std::vector<::Window> bottomToTop;
    auto list = c_.cardinals(c_.root(), c_.atoms().netClientListStacking, XA_WINDOW);
    haveWmList_ = list.has_value();
    if (list) {
        for (long w : *list) bottomToTop.push_back(static_cast<::Window>(w));
    } else {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(d, c_.root(), &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count; ++i) {
                XWindowAttributes at;
                if (!XGetWindowAttributes(d, children[i], &at)) continue;
                if (at.c_class == InputOutput && !at.override_redirect &&
                    at.map_state == IsViewable)
                    bottomToTop.push_back(children[i]);
            }
            if (children) XFree(children);
        }
    }
    std::unordered_map<::Window, std::shared_ptr<TrackedWindow>> kept;
    for (::Window w : bottomToTop) {
        if (auto it = byClient_.find(w); it != byClient_.end()) kept[w] = it->second;
    }
    for (auto& [client, w] : byClient_)
        if (!kept.count(client)) byFrame_.erase(w->frame);
    byClient_ = std::move(kept);
    order_.clear();
    for (auto it = bottomToTop.rbegin(); it != bottomToTop.rend(); ++it) {
        if (!byClient_.count(*it)) track(*it);
        if (auto found = byClient_.find(*it); found != byClient_.end())
            order_.push_back(found->second);
    }
    ++generation_;
}

void X11WindowTracker::track(::Window client) {
    // Selected before anything is read, so that no change between the reads
    // and the selection is missed.
    const int error = c_.trapErrors([&] { XSelectInput(c_.display(), client, kClientEvents); });
    if (error != 0) return;  // gone already
    auto w = std::make_shared<TrackedWindow>();
    w->client = client;
    byClient_[client] = w;
    anyWindowDirty_ = true;
}

::Window X11WindowTracker::frameOf(::Window client) {
    ::Window w = client;
    for (int depth = 0; depth < 16; ++depth) {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(c_.display(), w, &root, &parent, &children, &count)) return client;
        if (children) XFree(children);
        if (parent == root || parent == 0) return w;
        w = parent;
    }
    return client;
}

void X11WindowTracker::readProperties(TrackedWindow& w) {
    const Atoms& a = c_.atoms();
    w.dirtyProperties = false;
    const ::Window c = w.client;
    w.hints = WindowHints{};
    if (auto pid = c_.cardinals(c, a.netWmPid, XA_CARDINAL); pid && !pid->empty())
        w.hints.pid = static_cast<pid_t>((*pid)[0]);
    if (auto id = c_.text(c, a.gtkApplicationId)) w.hints.gtkApplicationId = *id;
    if (auto file = c_.text(c, a.kdeNetWmDesktopFile)) w.hints.kdeDesktopFile = *file;
    if (auto cls = c_.text(c, a.wmClass)) {
        const auto nul = cls->find('\0');
        w.hints.wmInstance = cls->substr(0, nul);
        if (nul != std::string::npos) {
            std::string rest = cls->substr(nul + 1);
            w.hints.wmClass = rest.substr(0, rest.find('\0'));
        }
    }
    w.extents = {};
    if (auto ext = c_.cardinals(c, a.netFrameExtents, XA_CARDINAL); ext && ext->size() >= 4)
        for (int i = 0; i < 4; ++i) w.extents[i] = std::max(0L, (*ext)[i]);

    w.kind = WindowKind::Application;
    w.layer = WindowLevel::Normal;
    if (auto types = c_.cardinals(c, a.netWmWindowType, XA_ATOM); types && !types->empty()) {
        // The first type the window lists that we know decides.
        for (long t : *types) {
            const Atom type = static_cast<Atom>(t);
            if (type == a.netWmWindowTypeDock) {
                w.kind = WindowKind::Panel;
                w.layer = WindowLevel::Dock;
            } else if (type == a.netWmWindowTypeDesktop) {
                w.kind = WindowKind::Desktop;
            } else if (type == a.netWmWindowTypeUtility || type == a.netWmWindowTypeToolbar ||
                       type == a.netWmWindowTypeMenu) {
                w.layer = WindowLevel::Floating;
            } else {
                continue;
            }
            break;
        }
    }
    w.hidden = w.fullscreen = false;
    if (auto states = c_.cardinals(c, a.netWmState, XA_ATOM)) {
        for (long s : *states) {
            const Atom state = static_cast<Atom>(s);
            if (state == a.netWmStateHidden) w.hidden = true;
            if (state == a.netWmStateFullscreen) w.fullscreen = true;
            if (state == a.netWmStateAbove && w.kind == WindowKind::Application)
                w.layer = WindowLevel::Floating;
        }
    }
    w.strut.reset();
    if (w.kind == WindowKind::Panel) {
        if (auto partial = c_.cardinals(c, a.netWmStrutPartial, XA_CARDINAL);
            partial && partial->size() >= 12) {
            Strut s{};
            std::copy_n(partial->begin(), 12, s.begin());
            w.strut = s;
        } else if (auto plain = c_.cardinals(c, a.netWmStrut, XA_CARDINAL);
                   plain && plain->size() >= 4) {
            // A plain strut spans its whole edge.
            const long big = 1L << 30;
            w.strut = Strut{(*plain)[0], (*plain)[1], (*plain)[2], (*plain)[3], 0, big,
                            0,           big,         0,           big,         0, big};
        }
    }
    w.identity = identities_.identify(w.hints);
}

void X11WindowTracker::readGeometry(TrackedWindow& w) {
    w.dirtyGeometry = false;
    Display* d = c_.display();
    if (w.frame == 0) {
        w.frame = frameOf(w.client);
        if (w.frame != w.client) {
            byFrame_[w.frame] = byClient_[w.client];
            // Moves of the frame come with the root's substructure events.
        }
    }
    ::Window root = 0, child = 0;
    int x = 0, y = 0, rx = 0, ry = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    const int error = c_.trapErrors(
        [&] {
            if (XGetGeometry(d, w.client, &root, &x, &y, &width, &height, &border, &depth))
                XTranslateCoordinates(d, w.client, c_.root(), 0, 0, &rx, &ry, &child);
        },
        /*withReplies=*/true);
    if (error == 0) w.clientRect = Rect(rx, ry, width, height);
}

void X11WindowTracker::readMapState(TrackedWindow& w) {
    w.dirtyMapState = false;
    XWindowAttributes at{};
    const int error = c_.trapErrors([&] { XGetWindowAttributes(c_.display(), w.client, &at); },
                                    /*withReplies=*/true);
    w.viewable = error == 0 && at.map_state == IsViewable;
}

void X11WindowTracker::refresh() {
    if (listDirty_) {
        listDirty_ = false;
        readClientList();
    }
    if (!anyWindowDirty_) return;
    anyWindowDirty_ = false;
    for (auto& w : order_) {
        if (w->dirtyProperties) readProperties(*w);
        if (w->dirtyGeometry) readGeometry(*w);
        if (w->dirtyMapState) readMapState(*w);
    }
    ++generation_;
}

void X11WindowTracker::rebuildSnapshot() const {
    snapshot_.clear();
    snapshot_.reserve(order_.size());
    for (const auto& w : order_) {
        if (!w->onScreen()) continue;
        WindowInfo info;
        info.ownerPid = w->hints.pid;
        info.layer = w->layer;
        info.ownerName = w->identity.name;
        info.bounds = toGlobal(w->bounds());
        snapshot_.push_back(std::move(info));
    }
    snapshotGeneration_ = generation_;
    snapshotOrigin_ = screens_.mainOrigin();
}

std::vector<WindowInfo> X11WindowTracker::onScreenWindows() const {
    if (beforeQuery_) beforeQuery_();
    if (snapshotGeneration_ != generation_ || snapshotOrigin_ != screens_.mainOrigin())
        rebuildSnapshot();
    return snapshot_;
}

const TrackedWindow* X11WindowTracker::windowAt(Point p) const {
    for (const auto& w : order_)
        if (w->onScreen() && toGlobal(w->bounds()).contains(p)) return w.get();
    return nullptr;
}

}  // namespace wexo::platform::x11

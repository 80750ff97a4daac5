#pragma once

#include <sys/types.h>

#include <array>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/WindowList.h"
#include "platform/linux/x11/AppIdentities.h"
#include "platform/linux/x11/X11Connection.h"
#include "platform/linux/x11/X11Screens.h"

namespace wexo::platform::x11 {

enum class WindowKind { Application, Panel, Desktop };

// Window levels as the window list reports them.
namespace WindowLevel {
inline constexpr int Normal = 0;
inline constexpr int Floating = 3;  // utility windows, toolbars, kept-above windows
inline constexpr int Dock = 20;     // panels
}  // namespace WindowLevel

// One top-level client window as last heard from the server.
struct TrackedWindow {
    ::Window client = 0;
    ::Window frame = 0;  // the window manager's frame (the client without one)
    WindowKind kind = WindowKind::Application;
    int layer = WindowLevel::Normal;
    bool viewable = false;
    bool hidden = false;  // _NET_WM_STATE_HIDDEN: minimised
    bool fullscreen = false;
    Rect clientRect;                // root coordinates
    std::array<long, 4> extents{};  // _NET_FRAME_EXTENTS: left, right, top, bottom
    std::optional<Strut> strut;     // panels only
    WindowHints hints;
    AppIdentity identity;

    bool dirtyProperties = true;
    bool dirtyGeometry = true;
    bool dirtyMapState = true;

    bool onScreen() const { return viewable && !hidden && kind != WindowKind::Desktop; }
    // Root coordinates, decorations included.
    Rect bounds() const {
        return Rect(clientRect.origin.x - extents[0], clientRect.origin.y - extents[2],
                    clientRect.size.width + extents[0] + extents[1],
                    clientRect.size.height + extents[2] + extents[3]);
    }
};

// The window list of the desktop, front to back, kept from X events: the
// client list (_NET_CLIENT_LIST_STACKING, or the root's children when no
// window manager keeps one), each window's bounds, state and identity. A
// query asks the server only about what changed since the last one, so a
// wheel notch costs no round trip per window.
class X11WindowTracker : public WindowList {
  public:
    X11WindowTracker(X11Connection& connection, const X11Screens& screens,
                     AppIdentities& identities);

    std::vector<WindowInfo> onScreenWindows() const override;

    // Reads what the events since the last call made stale. Cheap when
    // nothing changed.
    void refresh();
    // True when the event concerned the window list (it is then marked for
    // the next refresh).
    bool handleEvent(const XEvent& event);

    // Front to back, every tracked window (on screen or not).
    const std::vector<std::shared_ptr<TrackedWindow>>& windows() const { return order_; }
    const TrackedWindow* find(::Window client) const;
    // The front-most window on screen containing `p` (global coordinates).
    const TrackedWindow* windowAt(Point p) const;
    // Root coordinates to global ones.
    Rect toGlobal(const Rect& root) const;
    // Called before a query so that it answers from fresh state.
    void setBeforeQuery(std::function<void()> hook) { beforeQuery_ = std::move(hook); }
    // Bumped whenever the list, a window's bounds, state or identity changed.
    std::uint64_t generation() const { return generation_; }

  private:
    void readClientList();
    void track(::Window client);
    void readProperties(TrackedWindow& w);
    void readGeometry(TrackedWindow& w);
    void readMapState(TrackedWindow& w);
    ::Window frameOf(::Window client);
    TrackedWindow* byClientOrFrame(::Window w);
    void rebuildSnapshot() const;

    X11Connection& c_;
    const X11Screens& screens_;
    AppIdentities& identities_;
    std::unordered_map<::Window, std::shared_ptr<TrackedWindow>> byClient_;
    std::unordered_map<::Window, std::shared_ptr<TrackedWindow>> byFrame_;
    std::vector<std::shared_ptr<TrackedWindow>> order_;  // front to back
    bool listDirty_ = true;
    bool haveWmList_ = false;
    bool anyWindowDirty_ = true;
    std::uint64_t generation_ = 0;
    mutable std::uint64_t snapshotGeneration_ = ~std::uint64_t{0};
    mutable Point snapshotOrigin_;
    mutable std::vector<WindowInfo> snapshot_;
    std::function<void()> beforeQuery_;
};

}  // namespace wexo::platform::x11

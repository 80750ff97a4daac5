#include "platform/linux/x11/X11Dock.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <gio/gio.h>

#include "platform/Log.h"
#include "platform/linux/xdg/GioPointers.h"

namespace wexo::platform::x11 {

namespace {
// Long enough for a desktop that is busy, short enough that an action never
// stalls the mouse for long.
constexpr int kBusTimeoutMs = 200;

bool nameHasOwner(GDBusConnection* bus, const char* name) {
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "NameHasOwner", g_variant_new("(s)", name), G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE,
        kBusTimeoutMs, nullptr, nullptr);
    if (!reply) return false;
    gboolean owned = FALSE;
    g_variant_get(reply, "(b)", &owned);
    g_variant_unref(reply);
    return owned;
}

bool call(GDBusConnection* bus, const char* name, const char* path, const char* interface,
          const char* method, GVariant* arguments) {
    GError* raw = nullptr;
    GVariant* reply =
        g_dbus_connection_call_sync(bus, name, path, interface, method, arguments, nullptr,
                                    G_DBUS_CALL_FLAGS_NONE, kBusTimeoutMs, nullptr, &raw);
    xdg::GErrorPtr error(raw);
    if (!reply) {
        WEXO_LOG_ERROR("%@ did not open its overview: %@", std::string(name),
                       error ? error->message : "");
        return false;
    }
    g_variant_unref(reply);
    return true;
}
}  // namespace

X11Dock::X11Dock(X11Connection& connection, X11WindowTracker& tracker)
    : c_(connection), tracker_(tracker) {}

int X11Dock::orientation() const {
    for (const auto& w : tracker_.windows()) {
        if (w->kind != WindowKind::Panel || !w->onScreen()) continue;
        if (w->strut) {
            const Strut& s = *w->strut;
            if (s[0] > 0) return kLeft;
            if (s[1] > 0) return kRight;
            return kBottom;
        }
        // Without a strut, a tall panel stands on a side.
        const Rect b = w->bounds();
        if (b.size.height > b.size.width) return b.origin.x <= 0 ? kLeft : kRight;
        return kBottom;
    }
    return kBottom;
}

bool X11Dock::openDesktopOverview() {
    xdg::GObjectPtr<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
    if (!bus) return false;
    if (nameHasOwner(bus.get(), "org.gnome.Shell"))
        return call(bus.get(), "org.gnome.Shell", "/org/gnome/Shell",
                    "org.freedesktop.DBus.Properties", "Set",
                    g_variant_new("(ssv)", "org.gnome.Shell", "OverviewActive",
                                  g_variant_new_boolean(TRUE)));
    if (nameHasOwner(bus.get(), "org.kde.kglobalaccel"))
        return call(bus.get(), "org.kde.kglobalaccel", "/component/kwin",
                    "org.kde.kglobalaccel.Component", "invokeShortcut",
                    g_variant_new("(s)", "Overview"));
    return false;
}

void X11Dock::toggleShowingDesktop() {
    const Atom showing = c_.atoms().netShowingDesktop;
    auto now = c_.cardinals(c_.root(), showing, XA_CARDINAL);
    const bool shown = now && !now->empty() && (*now)[0] != 0;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = c_.root();
    e.xclient.message_type = showing;
    e.xclient.format = 32;
    e.xclient.data.l[0] = shown ? 0 : 1;
    XSendEvent(c_.display(), c_.root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &e);
    XFlush(c_.display());
}

bool X11Dock::openApplicationsView() {
    xdg::GObjectPtr<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
    if (!bus || !nameHasOwner(bus.get(), "org.gnome.Shell")) return false;
    return call(bus.get(), "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell",
                "ShowApplications", nullptr);
}

bool X11Dock::switchDesktop(int step) {
    const auto count = c_.cardinals(
        c_.root(), XInternAtom(c_.display(), "_NET_NUMBER_OF_DESKTOPS", False), XA_CARDINAL);
    const auto current = c_.cardinals(c_.root(), c_.atoms().netCurrentDesktop, XA_CARDINAL);
    if (!count || count->empty() || !current || current->empty()) return false;
    const long next = (*current)[0] + step;
    if (next < 0 || next >= (*count)[0]) return false;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = c_.root();
    e.xclient.message_type = c_.atoms().netCurrentDesktop;
    e.xclient.format = 32;
    e.xclient.data.l[0] = next;
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(c_.display(), c_.root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &e);
    XFlush(c_.display());
    return true;
}

const TrackedWindow* X11Dock::activeWindow() {
    const auto active = c_.cardinals(c_.root(), c_.atoms().netActiveWindow, XA_WINDOW);
    if (!active || active->empty() || (*active)[0] == 0) return nullptr;
    const TrackedWindow* w = tracker_.find(static_cast<::Window>((*active)[0]));
    return w && w->kind == WindowKind::Application ? w : nullptr;
}

bool X11Dock::minimizeWindows(const std::function<bool(const TrackedWindow&)>& which) {
    bool any = false;
    for (const auto& w : tracker_.windows()) {
        if (w->kind != WindowKind::Application || !w->onScreen() || !which(*w)) continue;
        XIconifyWindow(c_.display(), w->client, DefaultScreen(c_.display()));
        any = true;
    }
    XFlush(c_.display());
    return any;
}

bool X11Dock::perform(DesktopCommand command) {
    tracker_.refresh();
    switch (command) {
        case DesktopCommand::ShowOverview:
            return openDesktopOverview();
        case DesktopCommand::ShowApplications:
            return openApplicationsView() || openDesktopOverview();
        case DesktopCommand::ShowDesktop:
            toggleShowingDesktop();
            return true;
        case DesktopCommand::NextDesktop:
            return switchDesktop(1);
        case DesktopCommand::PreviousDesktop:
            return switchDesktop(-1);
        case DesktopCommand::MinimizeWindow: {
            const TrackedWindow* active = activeWindow();
            if (!active) return false;
            const ::Window client = active->client;
            return minimizeWindows([client](const TrackedWindow& w) { return w.client == client; });
        }
        case DesktopCommand::HideApplication:
        case DesktopCommand::HideOtherApplications: {
            const TrackedWindow* active = activeWindow();
            if (!active || active->hints.pid == 0) return false;
            const pid_t pid = active->hints.pid;
            const bool others = command == DesktopCommand::HideOtherApplications;
            return minimizeWindows(
                [pid, others](const TrackedWindow& w) { return (w.hints.pid == pid) != others; });
        }
    }
    return false;
}

void X11Dock::sendNotification(const std::string& name, int) {
    if (name == kExposeNotification || name == kExposeAllNotification) {
        if (!openDesktopOverview()) toggleShowingDesktop();
    } else if (name == kShowDesktopNotification) {
        toggleShowingDesktop();
    } else {
        WEXO_LOG_INFO("No desktop counterpart for the Dock notification %@", name);
    }
}

}  // namespace wexo::platform::x11

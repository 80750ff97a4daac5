#include "platform/linux/x11/X11Connection.h"

#include <X11/Xatom.h>

#include <array>
#include <mutex>
#include <utility>

#include "platform/Log.h"

namespace wexo::platform::x11 {

namespace {

// Xlib's error handler is one per process. Errors on our connections while a
// trap is open are recorded; any other error of ours is logged, never the
// default handler's exit.
std::mutex trapMutex;
Display* trappedDisplay = nullptr;
int trappedError = 0;
XErrorHandler previousHandler = nullptr;

int onXError(Display* display, XErrorEvent* error) {
    if (display == trappedDisplay) {
        if (trappedError == 0) trappedError = error->error_code;
        return 0;
    }
    char message[128] = {};
    XGetErrorText(display, error->error_code, message, sizeof message);
    platform::Log::write(platform::LogLevel::Warning, __FILE__, __LINE__,
                         objcFormat("X error %d (%@) on request %d", error->error_code,
                                    std::string(message), error->request_code));
    return 0;
}

// Xlib's own handler prints to standard error and its exit handler ends
// the process; each connection says it in the log and stops its own way.
int quietIOError(Display*) {
    return 0;
}

// Property reads are capped: no property we read comes near it, and a
// hostile client cannot make us allocate without end.
constexpr long kMaxLongs = 1 << 20;

}  // namespace

std::unique_ptr<X11Connection> X11Connection::open(const std::string& displayName) {
    XInitThreads();
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!display) return nullptr;
    {
        std::lock_guard lock(trapMutex);
        XErrorHandler old = XSetErrorHandler(onXError);
        if (old != onXError) previousHandler = old;
        XSetIOErrorHandler(quietIOError);
    }
    return std::unique_ptr<X11Connection>(new X11Connection(display));
}

X11Connection::X11Connection(Display* display)
    : display_(display), root_(DefaultRootWindow(display)) {
    // Before the first round trip: the server may go at any one of them.
    XSetIOErrorExitHandler(display_, &X11Connection::connectionLost, this);
    std::array names{"_NET_CLIENT_LIST_STACKING",
                     "_NET_ACTIVE_WINDOW",
                     "_NET_WM_PID",
                     "_NET_FRAME_EXTENTS",
                     "_NET_WM_WINDOW_TYPE",
                     "_NET_WM_WINDOW_TYPE_DOCK",
                     "_NET_WM_WINDOW_TYPE_DESKTOP",
                     "_NET_WM_WINDOW_TYPE_UTILITY",
                     "_NET_WM_WINDOW_TYPE_TOOLBAR",
                     "_NET_WM_WINDOW_TYPE_MENU",
                     "_NET_WM_STATE",
                     "_NET_WM_STATE_HIDDEN",
                     "_NET_WM_STATE_FULLSCREEN",
                     "_NET_WM_STATE_ABOVE",
                     "_NET_WORKAREA",
                     "_NET_CURRENT_DESKTOP",
                     "_NET_SHOWING_DESKTOP",
                     "_NET_WM_STRUT_PARTIAL",
                     "_NET_WM_STRUT",
                     "_NET_WM_NAME",
                     "_GTK_APPLICATION_ID",
                     "_KDE_NET_WM_DESKTOP_FILE",
                     "UTF8_STRING",
                     "WM_CLASS",
                     "EDID",
                     "_XSETTINGS_S0",
                     "_XSETTINGS_SETTINGS"};
    std::array<Atom, names.size()> atoms{};
    XInternAtoms(display_, const_cast<char**>(names.data()), static_cast<int>(names.size()), False,
                 atoms.data());
    Atom* out = &atoms_.netClientListStacking;
    static_assert(sizeof(Atoms) == sizeof(Atom) * names.size());
    for (std::size_t i = 0; i < names.size(); ++i) out[i] = atoms[i];
}

void X11Connection::connectionLost(Display* display, void* self) {
    auto* c = static_cast<X11Connection*>(self);
    if (c->lost_) return;
    c->lost_ = true;
    WEXO_LOG_ERROR("Lost the connection to the X server \"%s\"; stopping", DisplayString(display));
    if (c->lostHandler_) c->lostHandler_();
}

X11Connection::~X11Connection() {
    XCloseDisplay(display_);
}

void X11Connection::beginTrap(bool sync) {
    if (sync) XSync(display_, False);
    std::lock_guard lock(trapMutex);
    trappedDisplay = display_;
    trappedError = 0;
}

int X11Connection::endTrap(bool sync) {
    if (sync) XSync(display_, False);
    std::lock_guard lock(trapMutex);
    trappedDisplay = nullptr;
    return std::exchange(trappedError, 0);
}

namespace {
struct PropertyReply {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned char* data = nullptr;
    ~PropertyReply() {
        if (data) XFree(data);
    }
};

bool readProperty(X11Connection& c, ::Window w, Atom property, PropertyReply& r) {
    unsigned long after = 0;
    int status = Success;
    const int error = c.trapErrors(
        [&] {
            status =
                XGetWindowProperty(c.display(), w, property, 0, kMaxLongs, False, AnyPropertyType,
                                   &r.type, &r.format, &r.count, &after, &r.data);
        },
        /*withReplies=*/true);
    return error == 0 && status == Success && r.type != None && r.data;
}
}  // namespace

std::optional<std::vector<long>> X11Connection::cardinals(::Window w, Atom property, Atom type) {
    PropertyReply r;
    if (!readProperty(*this, w, property, r) || r.format != 32 || r.type != type)
        return std::nullopt;
    const auto* items = reinterpret_cast<const long*>(r.data);
    return std::vector<long>(items, items + r.count);
}

std::optional<std::string> X11Connection::text(::Window w, Atom property) {
    PropertyReply r;
    if (!readProperty(*this, w, property, r) || r.format != 8) return std::nullopt;
    if (r.type != XA_STRING && r.type != atoms_.utf8String) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(r.data), r.count);
}

std::optional<std::vector<std::uint8_t>> X11Connection::bytes(::Window w, Atom property) {
    PropertyReply r;
    if (!readProperty(*this, w, property, r) || r.format != 8) return std::nullopt;
    return std::vector<std::uint8_t>(r.data, r.data + r.count);
}

}  // namespace wexo::platform::x11

#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <array>

#include <chrono>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace wexo::platform::x11 {

// Another client on the test's display: it makes the windows the desktop
// sees, and acts as the user and the other programs would.
class TestClient {
  public:
    explicit TestClient(const std::string& display) : d_(XOpenDisplay(display.c_str())) {}
    ~TestClient() {
        if (d_) XCloseDisplay(d_);
    }
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    Display* display() const { return d_; }
    ::Window root() const { return DefaultRootWindow(d_); }
    Atom atom(const char* name) const { return XInternAtom(d_, name, False); }

    struct WindowSpec {
        long pid = 0;
        std::string instance = "test", cls = "Test";
        int x = 100, y = 100;
        unsigned width = 300, height = 200;
        std::string gtkApplicationId, kdeDesktopFile;
        std::vector<const char*> types;  // _NET_WM_WINDOW_TYPE_…
        std::optional<std::array<long, 12>> strut;
    };

    ::Window createWindow(const WindowSpec& s) {
        ::Window w = XCreateSimpleWindow(d_, root(), s.x, s.y, s.width, s.height, 0, 0, 0);
        XClassHint hint{const_cast<char*>(s.instance.c_str()), const_cast<char*>(s.cls.c_str())};
        XSetClassHint(d_, w, &hint);
        // Honour the requested place, as a program restoring its window would.
        XSizeHints size{};
        size.flags = USPosition | USSize;
        size.x = s.x;
        size.y = s.y;
        size.width = static_cast<int>(s.width);
        size.height = static_cast<int>(s.height);
        XSetWMNormalHints(d_, w, &size);
        if (s.pid) setCardinals(w, "_NET_WM_PID", XA_CARDINAL, {s.pid});
        if (!s.gtkApplicationId.empty()) setText(w, "_GTK_APPLICATION_ID", s.gtkApplicationId);
        if (!s.kdeDesktopFile.empty()) setText(w, "_KDE_NET_WM_DESKTOP_FILE", s.kdeDesktopFile);
        if (!s.types.empty()) {
            std::vector<long> types;
            for (const char* t : s.types) types.push_back(static_cast<long>(atom(t)));
            setCardinals(w, "_NET_WM_WINDOW_TYPE", XA_ATOM, types);
        }
        if (s.strut)
            setCardinals(w, "_NET_WM_STRUT_PARTIAL", XA_CARDINAL,
                         std::vector<long>(s.strut->begin(), s.strut->end()));
        XMapWindow(d_, w);
        XSync(d_, False);
        return w;
    }

    void setCardinals(::Window w, const char* name, Atom type, const std::vector<long>& values) {
        XChangeProperty(d_, w, atom(name), type, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values.data()),
                        static_cast<int>(values.size()));
        XSync(d_, False);
    }
    void setText(::Window w, const char* name, const std::string& text) {
        XChangeProperty(d_, w, atom(name), atom("UTF8_STRING"), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(text.data()),
                        static_cast<int>(text.size()));
        XSync(d_, False);
    }
    std::vector<long> cardinals(::Window w, const char* name) {
        Atom type = None;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        std::vector<long> out;
        if (XGetWindowProperty(d_, w, atom(name), 0, 1024, False, AnyPropertyType, &type, &format,
                               &n, &after, &data) == Success &&
            data && format == 32) {
            const long* items = reinterpret_cast<const long*>(data);
            out.assign(items, items + n);
        }
        if (data) XFree(data);
        return out;
    }

    // Asks the window manager to activate a window, as a pager would.
    void activate(::Window w) { clientMessage(w, "_NET_ACTIVE_WINDOW", {2, CurrentTime, 0}); }
    void clientMessage(::Window w, const char* type, std::vector<long> data) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = atom(type);
        e.xclient.format = 32;
        for (std::size_t i = 0; i < data.size() && i < 5; ++i) e.xclient.data.l[i] = data[i];
        XSendEvent(d_, root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XSync(d_, False);
    }

    // The window manager's frame around a client: the client's ancestor
    // that is a child of the root.
    ::Window frameOf(::Window w) {
        for (;;) {
            ::Window r = 0, parent = 0, *children = nullptr;
            unsigned n = 0;
            XQueryTree(d_, w, &r, &parent, &children, &n);
            if (children) XFree(children);
            if (parent == r || parent == 0) return w;
            w = parent;
        }
    }
    // A window's box in root coordinates.
    std::array<int, 4> rootGeometry(::Window w) {
        ::Window r = 0, child = 0;
        int x = 0, y = 0, rx = 0, ry = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        XGetGeometry(d_, w, &r, &x, &y, &width, &height, &border, &depth);
        XTranslateCoordinates(d_, w, r, 0, 0, &rx, &ry, &child);
        return {rx, ry, static_cast<int>(width), static_cast<int>(height)};
    }

    void key(unsigned keycode, bool down) {
        XTestFakeKeyEvent(d_, keycode, down, CurrentTime);
        XSync(d_, False);
    }
    void movePointer(int x, int y) {
        XTestFakeMotionEvent(d_, -1, x, y, CurrentTime);
        XSync(d_, False);
    }

    // Waits up to `seconds` for a condition that other processes (the
    // window manager, the server) make true; `step` runs before each look.
    static bool eventually(const std::function<bool()>& done,
                           const std::function<void()>& step = {}, int seconds = 5) {
        for (int i = 0; i < seconds * 100; ++i) {
            if (step) step();
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

  private:
    Display* d_;
};

}  // namespace wexo::platform::x11

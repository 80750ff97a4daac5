#include "platform/linux/HeadlessDesktop.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/Log.h"
#include "platform/linux/xdg/DesktopEntries.h"
#include "platform/linux/xdg/Launcher.h"

namespace wexo::platform::lnx {

namespace {

class OneScreen : public Screens {
  public:
    explicit OneScreen(const HeadlessDesktop::Mode& mode) {
        screen_.screenNumber = HeadlessDesktop::kDisplayId;
        screen_.frame = Rect(0, 0, mode.width, mode.height);
        screen_.visibleFrame = screen_.frame;
        screen_.productNames = {{"en_US", "Headless"}};
    }
    std::vector<ScreenInfo> screens() const override { return {screen_}; }
    DisplayId mainDisplayId() const override { return screen_.screenNumber; }
    std::optional<std::vector<DisplayId>> displaysWithPoint(
        Point p, std::size_t maxDisplays) const override {
        std::vector<DisplayId> found;
        if (maxDisplays > 0 && screen_.frame.contains(p)) found.push_back(screen_.screenNumber);
        return found;
    }
    // The one screen is the main one: its Quartz bounds are its frame.
    Rect displayBounds(DisplayId id) const override {
        return id == screen_.screenNumber ? screen_.frame : Rect();
    }
    std::uint32_t displayVendorNumber(DisplayId) const override { return 0; }
    std::uint32_t displayModelNumber(DisplayId) const override { return 0; }
    std::uint32_t displaySerialNumber(DisplayId) const override { return 0; }
    std::optional<std::vector<DisplayService>> displayServices() const override {
        return std::vector<DisplayService>{};
    }

  private:
    ScreenInfo screen_;
};

RunningApplication unidentifiedApplication() {
    RunningApplication app;
    app.pid = HeadlessDesktop::kApplicationPid;
    app.active = true;
    return app;
}

class OneWindow : public WindowList {
  public:
    explicit OneWindow(const HeadlessDesktop::Mode& mode)
        : bounds_(0, 0, mode.width, mode.height) {}
    std::vector<WindowInfo> onScreenWindows() const override {
        WindowInfo w;
        w.ownerPid = HeadlessDesktop::kApplicationPid;
        w.bounds = bounds_;
        return {w};
    }

  private:
    Rect bounds_;
};

class OneApplication : public Workspace {
  public:
    std::optional<RunningApplication> frontmostApplication() const override {
        return unidentifiedApplication();
    }
    // The front-most application never changes here.
    Subscription observeFrontmostApplication(
        std::function<void(const std::optional<RunningApplication>&)> changed) override {
        if (changed) changed(frontmostApplication());
        return {};
    }
    std::vector<RunningApplication> runningApplications() const override {
        return {unidentifiedApplication()};
    }
    std::optional<RunningApplication> runningApplicationWithProcessIdentifier(
        pid_t pid) const override {
        if (pid != HeadlessDesktop::kApplicationPid) return std::nullopt;
        return unidentifiedApplication();
    }
    // Applications are the installed desktop entries, with or without a
    // display server to ask about their windows (a Wayland session).
    std::optional<std::string> bundleIdentifierAtPath(const std::string& path) const override {
        return launcher_.idAtPath(path);
    }
    std::string displayNameAtPath(const std::string& path) const override {
        if (auto name = launcher_.nameAtPath(path)) return *name;
        return Workspace::displayNameAtPath(path);
    }
    bool launchApplication(const std::string& path) override { return launcher_.launch(path); }
    bool openURL(const std::string& url) override { return launcher_.openUri(url); }
    Subscription observeActiveSpaceDidChange(std::function<void()>) override { return {}; }

  private:
    mutable xdg::DesktopEntries entries_;
    mutable xdg::Launcher launcher_{entries_};
};

class NoHotKeys : public HotKeys {
  public:
    Subscription installHandler(std::function<int(const HotKeyEvent&)>) override { return {}; }
    std::unique_ptr<HotKeyRegistration> registerHotKey(std::uint32_t, std::uint32_t,
                                                       HotKeyId) override {
        return nullptr;
    }
};

class NoCursor : public Cursor {
  public:
    void allowSetInBackground() override {}
    void set(CursorShape) override {}
    void hide() override {}
    void unhide() override {}
    Point currentSystemCursorHotSpot() const override { return {}; }
    Point pointingHandHotSpot() const override { return {}; }
};

// A Dock that is always hidden: no click ever lands on it.
class NoDock : public Dock {
  public:
    void sendNotification(const std::string& name, int) override {
        WEXO_LOG_ERROR("No Dock to send \"%s\" to", name.c_str());
    }
    bool autoHideEnabled() const override { return true; }
    int orientation() const override { return 2; }
    int pinning() const override { return 0; }
    float magnificationSize() const override { return 0; }
};

class NoElements : public Accessibility {
  public:
    bool isProcessTrusted(bool) const override { return false; }
    AXElement systemWideElement() const override { return AXElement{1}; }
    std::optional<AXElement> elementAtPosition(AXElement, Point) const override {
        return std::nullopt;
    }
    std::vector<std::string> attributeNames(AXElement) const override { return {}; }
    std::optional<AXValue> attributeValue(AXElement, const std::string&) const override {
        return std::nullopt;
    }
};

bool parseNumber(std::string_view text, int& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

struct HeadlessDesktop::Services {
    explicit Services(const Mode& mode) : screens(mode), windows(mode) {}
    OneScreen screens;
    OneWindow windows;
    OneApplication workspace;
    NoHotKeys hotKeys;
    NoCursor cursor;
    NoDock dock;
    NoElements elements;
};

std::optional<HeadlessDesktop::Mode> HeadlessDesktop::parseMode(const std::string& text) {
    const auto x = text.find('x');
    const auto at = text.find('@');
    if (x == std::string::npos || at == std::string::npos || at < x) return std::nullopt;
    Mode mode;
    int hz = 0;
    const std::string_view all(text);
    if (!parseNumber(all.substr(0, x), mode.width) ||
        !parseNumber(all.substr(x + 1, at - x - 1), mode.height) ||
        !parseNumber(all.substr(at + 1), hz))
        return std::nullopt;
    if (mode.width < 1 || mode.width > 32768 || mode.height < 1 || mode.height > 32768 || hz < 1 ||
        hz > 1000)
        return std::nullopt;
    mode.refreshRate = hz;
    return mode;
}

HeadlessDesktop::HeadlessDesktop(Mode mode)
    : mode_(mode),
      pointer_{mode.width / 2.0, mode.height / 2.0},
      services_(std::make_unique<Services>(mode_)) {}

HeadlessDesktop::HeadlessDesktop() : HeadlessDesktop(Mode{}) {}

HeadlessDesktop::~HeadlessDesktop() = default;

void HeadlessDesktop::attach(RunLoop&, DescriptorWatcher&) {}

PointerState HeadlessDesktop::queryPointer() {
    std::lock_guard lock(pointerMutex_);
    return PointerState{pointer_, 0};
}

Point HeadlessDesktop::clamp(Point p) const {
    // The last pixel is the edge: a pointer at x = width is off the screen.
    return Point{std::clamp(p.x, 0.0, mode_.width - 1.0), std::clamp(p.y, 0.0, mode_.height - 1.0)};
}

void HeadlessDesktop::pointerMoved(double dx, double dy) {
    if (!std::isfinite(dx) || !std::isfinite(dy)) return;
    std::lock_guard lock(pointerMutex_);
    pointer_ = clamp(Point{pointer_.x + dx, pointer_.y + dy});
}

void HeadlessDesktop::warpPointer(Point p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    std::lock_guard lock(pointerMutex_);
    pointer_ = clamp(p);
}

pid_t HeadlessDesktop::windowOwnerAt(Point p) {
    return Rect(0, 0, mode_.width, mode_.height).contains(p) ? kApplicationPid : 0;
}

double HeadlessDesktop::refreshRate(DisplayId display) const {
    return display == kDisplayId ? mode_.refreshRate : 0;
}

Screens& HeadlessDesktop::screens() {
    return services_->screens;
}
WindowList& HeadlessDesktop::windowList() {
    return services_->windows;
}
Workspace& HeadlessDesktop::workspace() {
    return services_->workspace;
}
HotKeys& HeadlessDesktop::hotKeys() {
    return services_->hotKeys;
}
Cursor& HeadlessDesktop::cursor() {
    return services_->cursor;
}
Dock& HeadlessDesktop::dock() {
    return services_->dock;
}
Accessibility& HeadlessDesktop::accessibility() {
    return services_->elements;
}

std::optional<double> HeadlessDesktop::pointerAcceleration() {
    return std::nullopt;
}

bool HeadlessDesktop::setPointerAcceleration(double) {
    return false;
}

}  // namespace wexo::platform::lnx

#pragma once

#include <functional>
#include <memory>

#include "platform/LocalKeyMonitors.h"
#include "platform/Platform.h"
#include "platform/linux/Desktop.h"
#include "platform/linux/Devices.h"
#include "platform/linux/LinuxDisplayLinks.h"
#include "platform/linux/LinuxEventStream.h"
#include "platform/linux/LinuxRunLoop.h"
#include "platform/linux/LinuxServices.h"

namespace wexo::platform::lnx {

// The platform of a real Linux machine: the input path (mice read on a
// thread of their own, written to virtual twins), the epoll run loop,
// display links on threads, the local key monitors, and a desktop (the X11
// one, or the headless one) answering the rest. The thread that builds it
// is the main thread.
class LinuxPlatform : public Platform {
  public:
    struct Parts {
        std::unique_ptr<Desktop> desktop;              // required
        std::unique_ptr<DeviceBackend> devices;        // required
        std::unique_ptr<PreferenceStore> preferences;  // required
        // Simple ones stand in when these are not given.
        std::unique_ptr<LoginItems> loginItems;
        std::unique_ptr<Process> process;
        // Whether the program may intercept input (the mice readable and
        // /dev/uinput writable); nothing: always.
        std::function<bool()> trusted;
        // How to grant it, for the permission screen; nothing: no guide.
        std::function<std::optional<TrustGuide>()> trustGuide;
        std::chrono::milliseconds settleTimeout{200};
        bool measureLatency = false;
    };
    // The key under which the number of pixels one native notch scrolls is
    // stored.
    static constexpr const char* kPixelsPerNotchKey = "pixelsPerNotch";

    // The run loop's status when the desktop's server went away: a failure,
    // so that a service manager starts the program again.
    static constexpr int kServerLostStatus = 4;

    explicit LinuxPlatform(Parts parts);
    ~LinuxPlatform() override;
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    EventStream& eventStream() override { return *stream_; }
    RunLoop& runLoop() override { return loop_; }
    DisplayLinks& displayLinks() override { return *displayLinks_; }
    Screens& screens() override { return desktop_->screens(); }
    WindowList& windowList() override { return desktop_->windowList(); }
    Workspace& workspace() override { return desktop_->workspace(); }
    Accessibility& accessibility() override { return *accessibility_; }
    HotKeys& hotKeys() override { return desktop_->hotKeys(); }
    KeyMonitors& keyMonitors() override { return keyMonitors_; }
    Cursor& cursor() override { return desktop_->cursor(); }
    HidSystem& hidSystem() override { return *hid_; }
    Dock& dock() override { return desktop_->dock(); }
    LoginItems& loginItems() override { return *loginItems_; }
    Process& process() override { return *process_; }
    PreferenceStore& preferences() override { return *preferences_; }

    LinuxRunLoop& linuxRunLoop() { return loop_; }
    LinuxEventStream& linuxEventStream() { return *stream_; }
    LinuxDisplayLinks& linuxDisplayLinks() { return *displayLinks_; }
    // The front end hands keys typed in the program's windows to these.
    LocalKeyMonitors& localKeyMonitors() { return keyMonitors_; }
    Desktop& desktop() { return *desktop_; }

  private:
    LinuxRunLoop loop_;
    std::unique_ptr<PreferenceStore> preferences_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<DeviceBackend> devices_;
    std::function<bool()> trusted_;
    std::unique_ptr<LinuxEventStream> stream_;
    std::unique_ptr<LinuxDisplayLinks> displayLinks_;
    LocalKeyMonitors keyMonitors_{loop_};
    std::unique_ptr<LinuxHidSystem> hid_;
    std::unique_ptr<LinuxAccessibility> accessibility_;
    std::unique_ptr<LoginItems> loginItems_;
    std::unique_ptr<Process> process_;
};

}  // namespace wexo::platform::lnx

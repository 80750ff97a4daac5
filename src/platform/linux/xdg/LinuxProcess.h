#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/linux/xdg/DesktopEntries.h"

namespace wexo::platform::xdg {

// The program's own process on Linux. Its "bundle" is its installed desktop
// entry when there is one (the file a login item and the launcher name),
// else its executable. A relaunch without delay replaces the process image
// (exec) when the process ends, after everything it holds was released, so
// that the new instance never meets the old one's grabbed devices.
class LinuxProcess : public Process {
  public:
    struct Identity {
        std::string bundleIdentifier;  // "com.wexo.Wexo"
        std::string version;
        // The command line to start again with, the program first. When the
        // program is empty, /proc/self/exe stands for it.
        std::vector<std::string> arguments;
    };

    LinuxProcess(DesktopEntries& entries, Identity identity);

    std::string bundleIdentifier() const override { return identity_.bundleIdentifier; }
    std::string bundlePath() const override;
    std::string version() const override { return identity_.version; }
    // Intercepting input needs access to the devices, as Accessibility trust
    // does on macOS.
    bool isMojaveOrBigger() const override { return true; }
    // $XDG_DATA_HOME (~/.local/share).
    std::optional<std::string> applicationSupportDirectory() const override;

    void launchNewInstance(double delaySeconds) override;
    void terminate() override;
    void exit(int status) override;

    // What the application runs to end normally (quit its run loop). Without
    // one, terminate() exits with status 0.
    void setTerminateHandler(std::function<void()> handler) { terminate_ = std::move(handler); }
    // Runs before the process ends or is replaced: release held buttons and
    // keys, ungrab the devices.
    void setBeforeExit(std::function<void()> hook) { beforeExit_ = std::move(hook); }

    // A relaunch waits for the end of the process. After a normal shutdown,
    // the application calls execRelaunch() last.
    bool relaunchPending() const { return relaunchPending_; }
    // Replaces the process with a new instance. Returns only when that
    // failed (logged).
    void execRelaunch();

    // The executable of the running process.
    static std::string selfExecutable();

  private:
    std::vector<std::string> commandLine() const;

    DesktopEntries& entries_;
    Identity identity_;
    std::function<void()> terminate_;
    std::function<void()> beforeExit_;
    bool relaunchPending_ = false;
};

}  // namespace wexo::platform::xdg

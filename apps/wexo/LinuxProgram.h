#pragma once

#include <memory>

#include "platform/Shared.h"
#include "platform/Subscription.h"
#include "platform/linux/EvdevDevices.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/xdg/DesktopEntries.h"
#include "platform/linux/xdg/LinuxProcess.h"
#include "wexo/Options.h"
#include "wexo/TraceWriter.h"

namespace wexo::app {

// Blocks SIGINT and SIGTERM in this thread and in every thread made after
// it, and answers a descriptor they arrive on instead: stopping then runs on
// the main loop like any other work. Call before any thread is made.
int blockStopSignals();

// The Linux platform a run of `wexo` works on (the devices the options
// name, the X11 desktop when a display can be reached and the headless one
// otherwise, the preference file in the XDG config folder, XDG autostart
// login items), and what every run does around it: hearing the stop signals
// and the input path's news, tracing, letting go of everything at the end,
// and starting again when the program asked for it.
class LinuxProgram {
  public:
    // `arguments`: the command line to start again with.
    LinuxProgram(const Options& options, int signalFd, std::vector<std::string> arguments);
    ~LinuxProgram();
    LinuxProgram(const LinuxProgram&) = delete;
    LinuxProgram& operator=(const LinuxProgram&) = delete;

    platform::lnx::LinuxPlatform& platform() { return *platform_; }
    platform::lnx::LinuxRunLoop& loop() { return platform_->linuxRunLoop(); }
    // True when the mice can be read and /dev/uinput written (always in the
    // stream form); the problems are logged.
    bool mayIntercept();

    // Starts hearing the signals and, when the program may intercept, reads
    // the devices. False when there is nothing to read at all.
    bool start();
    // Once the loop has ended: stops reading and releases what is held.
    void finish();
    // After finish(), when the program asked to start again: replaces the
    // process with a new one. Returns only when there is nothing to do or
    // it failed.
    void relaunchIfAsked();

  private:
    const Options options_;
    const int signals_;
    std::shared_ptr<platform::lnx::DeviceAccess> access_;
    platform::xdg::DesktopEntries entries_;
    platform::xdg::LinuxProcess* process_ = nullptr;
    std::unique_ptr<platform::lnx::LinuxPlatform> platform_;
    std::unique_ptr<TraceWriter> trace_;
    std::unique_ptr<SharedInstallation<DecisionTracer>> traceInstallation_;
    std::shared_ptr<platform::Timer> finishing_;
    platform::Subscription signalWatch_;
    platform::Subscription screenChanges_;
    bool finished_ = false;
};

}  // namespace wexo::app

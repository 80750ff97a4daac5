#pragma once

#include <memory>

#include "platform/Shared.h"
#include "platform/Subscription.h"
#include "platform/linux/EvdevDevices.h"
#include "platform/linux/LinuxPlatform.h"
#include "wexo/Options.h"
#include "wexo/TraceWriter.h"

namespace wexo::app {

// Blocks SIGINT and SIGTERM in this thread and in every thread made after
// it, and answers a descriptor they arrive on instead: stopping then runs on
// the main loop like any other work. Call before any thread is made.
int blockStopSignals();

// The Linux platform a run of `wexo` works on (the devices the options
// name, the desktop there is, the preference file in the XDG config
// folder), and what every run does around it: hearing the stop signals and
// the input path's news, tracing, and letting go of everything at the end.
class LinuxProgram {
  public:
    LinuxProgram(const Options& options, int signalFd);
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

  private:
    const Options options_;
    const int signals_;
    std::shared_ptr<platform::lnx::DeviceAccess> access_;
    std::unique_ptr<platform::lnx::LinuxPlatform> platform_;
    std::unique_ptr<TraceWriter> trace_;
    std::unique_ptr<SharedInstallation<DecisionTracer>> traceInstallation_;
    std::shared_ptr<platform::Timer> finishing_;
    platform::Subscription signalWatch_;
    bool finished_ = false;
};

}  // namespace wexo::app

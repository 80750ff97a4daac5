#pragma once

#include <sys/types.h>
#include <atomic>
#include <optional>
#include <string>

#include "platform/Process.h"
#include "platform/sim/SimRecorder.h"

namespace wexo::platform::sim {

// The program's own process on the simulated desktop. Relaunching only
// records the request; terminating or exiting records it and ends the
// program: from then on its taps, timers, display links, hot keys, monitors
// and observers no longer act, while the desktop itself keeps running.
class SimProcess : public Process {
  public:
    // The program's process identifier and name on the desktop.
    static constexpr pid_t kPid = 100;
    static constexpr const char* kName = "Wexo";
    static constexpr const char* kBundlePath = "/Applications/Wexo.app";
    // The bundle identifier and version fixed by the build.
    static std::string builtBundleIdentifier();
    static std::string builtVersion();

    explicit SimProcess(SimRecorder& recorder) : recorder_(recorder) {}

    std::string bundleIdentifier() const override { return builtBundleIdentifier(); }
    std::string bundlePath() const override { return kBundlePath; }
    std::string version() const override { return builtVersion(); }
    bool isMojaveOrBigger() const override { return mojaveOrBigger_; }
    std::optional<std::string> applicationSupportDirectory() const override {
        return supportDirectory_;
    }
    void launchNewInstance(double delaySeconds) override;
    void terminate() override;
    void exit(int status) override;

    // True until the program terminates or exits. Any thread.
    bool alive() const { return alive_.load(std::memory_order_acquire); }

    // Driver.
    void setMojaveOrBigger(bool on) { mojaveOrBigger_ = on; }
    void setApplicationSupportDirectory(std::optional<std::string> dir) {
        supportDirectory_ = std::move(dir);
    }

  private:
    SimRecorder& recorder_;
    std::atomic<bool> alive_{true};
    bool mojaveOrBigger_ = true;
    std::optional<std::string> supportDirectory_;
};

}  // namespace wexo::platform::sim

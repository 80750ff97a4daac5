#pragma once

#include "platform/Dock.h"
#include "platform/sim/SimRecorder.h"

namespace wexo::platform::sim {

// The Dock: its settings, and the notifications the program sends it
// (recorded). Defaults: not hidden, at the bottom (orientation 2), pinned in
// the middle (2), no magnification. Main thread only.
class SimDock : public Dock {
  public:
    explicit SimDock(SimRecorder& recorder) : recorder_(recorder) {}

    void sendNotification(const std::string& name, int argument) override {
        recorder_.record(records::DockNotification{name, argument});
    }
    // The simulated desktop carries out every command: it shows in the records.
    bool perform(DesktopCommand command) override {
        recorder_.record(records::DesktopCommand{std::string(desktopCommandName(command))});
        return true;
    }
    bool autoHideEnabled() const override { return autoHide_; }
    int orientation() const override { return orientation_; }
    int pinning() const override { return pinning_; }
    float magnificationSize() const override { return magnification_; }

    // ---- Driver ----
    void setAutoHide(bool on) { autoHide_ = on; }
    void setOrientation(int o) { orientation_ = o; }
    void setPinning(int p) { pinning_ = p; }
    void setMagnificationSize(float m) { magnification_ = m; }

  private:
    SimRecorder& recorder_;
    bool autoHide_ = false;
    int orientation_ = 2;
    int pinning_ = 2;
    float magnification_ = 0;
};

}  // namespace wexo::platform::sim

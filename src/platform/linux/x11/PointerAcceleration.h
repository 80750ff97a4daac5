#pragma once

#include <optional>
#include <vector>

#include "platform/linux/x11/X11Connection.h"

namespace wexo::platform::x11 {

// The stored acceleration scale (0 to 3, where 0.6875 is the middle of the
// desktop's range) against libinput's acceleration speed (-1 to 1, 0 the
// middle): two straight pieces meeting at the middle, so both ends and the
// middle match and the mapping rises everywhere. Values outside are clamped.
double accelSpeedForScale(double scale);
double scaleForAccelSpeed(double speed);

// The core pointer's acceleration when no device speaks libinput: the scale
// s as the factor (1 + s) in sixteenths, so the middle, 0.6875, is exactly
// 27/16.
struct PointerControl {
    int numerator = 1;
    int denominator = 1;
};
PointerControl pointerControlForScale(double scale);
double scaleForPointerControl(PointerControl control);

// Pointer acceleration through XInput: "libinput Accel Speed" on every
// pointer device that has it, else the core pointer control. A pointer that
// appears later (a mouse plugged in, the input path's virtual twins) gets
// the last value set.
class PointerAcceleration {
  public:
    explicit PointerAcceleration(X11Connection& connection);

    std::optional<double> get();
    bool set(double scale);
    // XInput hierarchy changes; true when the event was one.
    bool handleEvent(XEvent& event);

  private:
    std::vector<int> devicesWithSpeed();
    bool writeSpeed(int device, double speed);

    X11Connection& c_;
    int xiOpcode_ = -1;
    Atom speedAtom_ = None;
    Atom floatAtom_ = None;
    std::optional<double> lastSet_;
};

}  // namespace wexo::platform::x11

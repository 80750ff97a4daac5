#pragma once

#include <cstdint>

namespace wexo {

// The pointer's acceleration for mice and the cursor's shape while the
// program grabs. Class methods on the installed platform; main thread only.
class MouseCursor {
  public:
    // The style numbers changeCursorStyle takes.
    static constexpr std::uint64_t kOpenHand = 0;
    static constexpr std::uint64_t kClosedHand = 1;
    static constexpr std::uint64_t kCrosshair = 2;
    static constexpr std::uint64_t kArrow = 3;
    static constexpr std::uint64_t kHide = 4;
    static constexpr std::uint64_t kUnhide = 5;

    // The system's "HIDMouseAcceleration"; -1.0 when it cannot be read,
    // also when the HID system cannot be reached at all.
    static double getMouseAcceleration();
    // Writes "HIDMouseAcceleration"; true when the system took the value. A
    // value that is not a finite number is never written.
    static bool setMouseAcceleration(double value);
    // Sets the cursor for a style (0 open hand, 1 closed hand, 2 crosshair,
    // 3 arrow, 4 hidden, 5 shown again; any other style changes nothing).
    // Every call first allows the cursor to be set while another
    // application is in front, since the program grabs over other windows.
    static void changeCursorStyle(std::uint64_t style);
};

}  // namespace wexo

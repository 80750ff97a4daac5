#pragma once

#include <cstdint>
#include <vector>

#include "actions/CustomAction.h"
#include "platform/Geometry.h"

namespace wexo {

// Clicks and wheel steps the program makes on the user's behalf, posted at
// the HID level so that every application sees them as input. Positions are
// global display coordinates (origin top left); the helpers without one act
// where the pointer is. Main thread only.
class SimulateMouse {
  public:
    // While one lives, every press, release and drag posted here carries
    // EventMarks::kSyntheticInput too. The mouse tap runs a rocker action while the
    // gesture button is still held: unmarked, the action's click would come
    // back, be taken for another rocker press, be swallowed and run the
    // action again. Elsewhere clicks stay unmarked, like the user's own.
    class MarkedClicks {
      public:
        MarkedClicks();
        ~MarkedClicks();
        MarkedClicks(const MarkedClicks&) = delete;
        MarkedClicks& operator=(const MarkedClicks&) = delete;
    };

    // The simulated-mouse catalogue, in the order shown to the user: kind 4
    // actions whose auxKey is their index.
    static std::vector<CustomAction> getSimulateMouseActions();

    // Runs catalogue entry `index`; any index outside the catalogue does
    // nothing.
    static void postSimulateMouseKey(std::int64_t index);

    // One plain click of button `n` at the pointer, marked as the program's
    // own: left for 0, right for 1, an other-button click for any other
    // number (carrying n in its button field from 3 up).
    static void simulateMouseByButtonNumber(std::int64_t n);

    static void leftClick();
    static void rightClick();
    static void middleClick();
    static void doubleLeftClick();
    static void leftClickKeepPressed();

    static void leftClickAtCoordinate(platform::Point point);
    static void rightClickAtCoordinate(platform::Point point);
    static void middleClickAtCoordinate(platform::Point point);
    // Two left clicks, the second with click state 2.
    static void doubleLeftClickAtCoordinate(platform::Point point);
    // Presses the left button and keeps it down: until the next press of any
    // button, moving the mouse drags. That press only lets go of the left
    // button and reaches no application. Nothing happens while a left
    // button is already held this way. When the temporary tap cannot be
    // installed the button is let go at once (a plain click), since nothing
    // else would release it.
    static void leftClickAKeepPressedtCoordinate(platform::Point point);

    static void scrollRightHorizontalLines();
    static void scrollLeftHorizontalLines();
    static void scrollUpVerticalLines();
    static void scrollDownVerticalLines();
};

}  // namespace wexo

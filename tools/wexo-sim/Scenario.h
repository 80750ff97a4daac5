#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Cursor.h"
#include "platform/Screens.h"
#include "platform/Workspace.h"
#include "platform/sim/SimAccessibility.h"
#include "platform/sim/SimWindowList.h"
#include "plist/Value.h"

namespace wexo::simrunner {

struct RunContext;

// The desktop a scenario starts on. Members left out keep the simulated
// desktop's defaults.
struct DesktopSetup {
    std::optional<bool> trusted;
    std::optional<double> refreshRate;
    std::optional<platform::Point> pointer;  // default: the main display's centre
    std::optional<pid_t> frontmost;          // default: the first application, else none
    bool menuBarAutoHidden = false;
    std::optional<std::vector<platform::ScreenInfo>> screens;
    std::vector<platform::RunningApplication> apps;
    std::vector<platform::sim::SimWindow> windows;
    std::vector<platform::sim::SimElement> elements;
    std::optional<bool> dockAutoHide;
    std::optional<int> dockOrientation;
    std::optional<double> dockMagnification;
    std::optional<platform::CursorShape> cursor;
    std::vector<std::string> loginItems;
    std::optional<double> acceleration;
    // The user's application-support folder on the machine (where the
    // gesture thumbnails go); none when left out.
    std::optional<std::string> applicationSupport;
};

// One timed step: what it does, ready to play.
struct Step {
    std::int64_t at = 0;  // virtual nanoseconds
    std::string kind;
    std::function<void(RunContext&)> play;
};

struct Scenario {
    plist::Dictionary defaults;
    DesktopSetup desktop;
    std::vector<Step> steps;  // in playing order
    std::int64_t until = 0;   // virtual nanoseconds
};

}  // namespace wexo::simrunner

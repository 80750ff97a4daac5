#pragma once

#include "app/CompositionRoot.h"
#include "platform/sim/SimDesktop.h"

namespace wexo::simrunner {

// What a step acts on while a scenario plays: the desktop, and the program
// running on it.
struct RunContext {
    platform::sim::SimDesktop& desktop;
    CompositionRoot& program;
};

}  // namespace wexo::simrunner

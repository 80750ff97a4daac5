#pragma once

#include <stdexcept>
#include <string>

#include "app/CompositionRoot.h"
#include "platform/sim/SimDesktop.h"
#include "ui/sim/SimUserInterface.h"

namespace wexo::simrunner {

// What a step acts on while a scenario plays: the desktop, the program
// running on it, and the program's user interface.
struct RunContext {
    platform::sim::SimDesktop& desktop;
    CompositionRoot& program;
    ui::sim::SimUserInterface& userInterface;
};

// A step that cannot be played as written (a menu item, control, alert or
// panel that is not there): the run stops and the runner exits with 1.
class RunError : public std::runtime_error {
  public:
    RunError(const std::string& at, const std::string& what)
        : std::runtime_error(at + ": " + what) {}
};

}  // namespace wexo::simrunner

#pragma once

#include <string>

namespace wexo {

// Starting the application again later, as the application object's
// relaunch category does.
class ApplicationRelaunch {
  public:
    // The shell command that starts the bundle after the delay.
    static std::string relaunchCommand(float delaySeconds);
    // Starts a new instance after `delaySeconds` without waiting for it, then
    // asks the application to terminate normally.
    static void relaunchAfterDelay(float delaySeconds);
};

}  // namespace wexo

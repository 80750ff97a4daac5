#pragma once

#include <string>

namespace wexo::ui {

// The program's update checks. It checks nothing on the network: a check
// says which version is installed. The automatic-check setting is kept so
// that the Settings screen can show and change it.
class Updater {
  public:
    // The preference key of the automatic-check setting.
    static constexpr const char* kAutomaticChecksKey = "automaticallyChecksForUpdates";

    // A check started by the person: an alert naming the installed version.
    static void checkForUpdates();
    // The text that alert shows.
    static std::string versionMessage();

    // Off unless the person turned it on.
    static bool automaticallyChecksForUpdates();
    static void setAutomaticallyChecksForUpdates(bool on);
};

}  // namespace wexo::ui

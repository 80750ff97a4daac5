#pragma once

#include <optional>
#include <string>

namespace wexo::platform {

// The program's own process and bundle.
class Process {
  public:
    virtual ~Process() = default;
    virtual std::string bundleIdentifier() const = 0;
    virtual std::string bundlePath() const = 0;
    virtual std::string version() const = 0;
    // True on macOS 10.14 or later (or a platform that behaves like it:
    // Accessibility trust is required to intercept input).
    virtual bool isMojaveOrBigger() const = 0;
    // The user's application-support directory, when one is known.
    virtual std::optional<std::string> applicationSupportDirectory() const = 0;

    // Starts a new instance of the program ("open -n" when delay is 0, else
    // "sleep <delay>; open"), without ending this one.
    virtual void launchNewInstance(double delaySeconds) = 0;
    // Asks the application to terminate normally.
    virtual void terminate() = 0;
    // Ends the process at once with a status. On a real system this does not
    // return; callers return right after it anyway.
    virtual void exit(int status) = 0;
};

}  // namespace wexo::platform

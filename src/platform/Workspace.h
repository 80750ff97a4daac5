#pragma once

#include <sys/types.h>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Subscription.h"

namespace wexo::platform {

// Presentation options of an application (NSApplicationPresentationOptions).
namespace PresentationOptions {
inline constexpr std::uint64_t AutoHideDock = 1 << 0;
inline constexpr std::uint64_t HideDock = 1 << 1;
inline constexpr std::uint64_t AutoHideMenuBar = 1 << 2;
inline constexpr std::uint64_t HideMenuBar = 1 << 3;
inline constexpr std::uint64_t DisableAppleMenu = 1 << 4;
inline constexpr std::uint64_t FullScreen = 1 << 10;
}  // namespace PresentationOptions

// A running application as seen at the moment it was looked up.
struct RunningApplication {
    pid_t pid = 0;
    std::string bundleIdentifier;  // empty when the process has none
    std::string localizedName;
    std::string bundlePath;
    std::uint64_t presentationOptions = 0;  // currentSystemPresentationOptions
    bool active = false;

    friend bool operator==(const RunningApplication&, const RunningApplication&) = default;
};

class Workspace {
  public:
    virtual ~Workspace() = default;

    virtual std::optional<RunningApplication> frontmostApplication() const = 0;
    // Key-value observation of "frontmostApplication" with the initial value:
    // `changed` runs at once with the current value and then on the main
    // thread at every change.
    virtual Subscription observeFrontmostApplication(
        std::function<void(const std::optional<RunningApplication>&)> changed) = 0;
    virtual std::vector<RunningApplication> runningApplications() const = 0;
    virtual std::optional<RunningApplication> runningApplicationWithProcessIdentifier(
        pid_t pid) const = 0;
    // The bundle identifier of the bundle at a path, when it is one.
    virtual std::optional<std::string> bundleIdentifierAtPath(const std::string& path) const = 0;
    // The name a person knows the application at a path by (NSFileManager
    // displayNameAtPath: the bundle's name without its extension).
    virtual std::string displayNameAtPath(const std::string& path) const {
        return std::filesystem::path(path).stem().string();
    }

    // NSWorkspace launchApplication:; false when nothing could be launched.
    virtual bool launchApplication(const std::string& path) = 0;
    virtual bool openURL(const std::string& url) = 0;

    // NSWorkspaceActiveSpaceDidChangeNotification, delivered on the main thread.
    virtual Subscription observeActiveSpaceDidChange(std::function<void()> changed) = 0;
};

}  // namespace wexo::platform

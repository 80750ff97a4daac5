#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "actions/ExposeQuery.h"
#include "platform/Geometry.h"
#include "platform/Subscription.h"
#include "platform/WindowList.h"
#include "platform/Workspace.h"

namespace wexo {

// Knows which application is front-most (kept current by observing the
// workspace), finds the application that owns the window under the pointer,
// and tells whether the desktop's all-windows view is open.
//
// While finding the application under the pointer it leaves in
// SettingsKeeper the bounds of the window it found and of the windows in
// front of it that overlap it: the scroll animation stops when the pointer
// leaves that window or moves onto one of those.
//
// Threads: observation and the window-list queries run on the main thread;
// `current` and frontMostBundle may be read from any thread.
class FrontMostObserver : public ExposeQuery {
  public:
    static constexpr const char* kNoBundle = "error";

    FrontMostObserver() = default;
    ~FrontMostObserver() override;
    FrontMostObserver(const FrontMostObserver&) = delete;
    FrontMostObserver& operator=(const FrontMostObserver&) = delete;

    // The installed instance (the composition root owns it).
    static FrontMostObserver& shared();

    // Follows the workspace's front-most application, taking its present
    // value at once; every change is also handed to the status menu (when it
    // exists) so that its per-application item names the new application.
    void startObserving();
    void stopObserving();

    // The front-most application as last reported; nothing when none is.
    std::optional<platform::RunningApplication> current() const;

    // The bundle identifier of the shared observer's front-most application,
    // or "error" when there is none (or no observer): never the program's own.
    static std::string frontMostBundle();

    // The application owning the window under the pointer, or nothing when
    // the pointer is over no window or that window's owner has gone. Leaves
    // the found window's bounds (the zero rectangle when none was found) and
    // the bounds of the windows in front of it that overlap it in
    // SettingsKeeper. The Dock, full-screen presentations and one media
    // player are recognised from the front-most window; windows of levels
    // other than normal and floating are looked through, and so are the
    // program's own windows.
    static std::optional<platform::RunningApplication> underMouseApp();

    // The pointer lies inside the entry's bounds.
    static bool isInWindow(const platform::WindowInfo& entry);
    static platform::Rect getRectFromDict(const platform::WindowInfo& entry);

    // Three or more on-screen windows of the Dock: the all-windows view.
    bool isExposeOpen() const override;

  private:
    void setCurrent(const std::optional<platform::RunningApplication>& app);

    mutable std::mutex currentMutex_;
    std::optional<platform::RunningApplication> current_;  // guarded by currentMutex_
    platform::Subscription observation_;
};

}  // namespace wexo

#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/DisplayLinks.h"
#include "platform/LinkThread.h"
#include "platform/Screens.h"

namespace wexo::platform::lnx {

// Display links on threads of their own (LinkThread: absolute deadlines, no
// drift), each ticking at the refresh rate of its display as `refreshRate`
// reports it, 60 Hz when that is 0 or unknown.
class LinuxDisplayLinks : public DisplayLinks {
  public:
    // kCVReturnInvalidDisplay: the answer for a display that does not exist.
    static constexpr int kInvalidDisplay = -6661;
    static constexpr double kFallbackRate = 60.0;

    // The refresh rate of a display in Hz; 0 when unknown.
    using RefreshRate = std::function<double(DisplayId)>;
    LinuxDisplayLinks(const Screens& screens, RefreshRate refreshRate);
    ~LinuxDisplayLinks() override;

    std::variant<std::unique_ptr<DisplayLink>, int> create(DisplayId display) override;

    // The period a link of this display ticks at.
    std::chrono::nanoseconds periodOf(DisplayId display) const;
    // Links that exist and run (the program waits for them at the end of
    // its input).
    std::size_t runningCount() const;
    // Stops every link thread for good.
    void shutDown();

    struct Core;

  private:
    class Link;
    const Screens& screens_;
    RefreshRate refreshRate_;
    mutable std::mutex mutex_;
    std::vector<std::weak_ptr<Core>> links_;
};

}  // namespace wexo::platform::lnx

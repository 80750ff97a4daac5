#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "events/EngineLinks.h"
#include "events/MouseDirectionInspectorDelegate.h"
#include "platform/DisplayLinks.h"
#include "platform/Geometry.h"
#include "platform/RunLoop.h"
#include "platform/Shared.h"

namespace wexo {

// Grab-and-drag scrolling: while the grab button or key is held, the pointer
// movement the direction tracker reports becomes one pixel scroll event per
// display refresh; after the release a throw can keep the content moving and
// decay along the cubic ease-out curve. It also owns the two-hour
// maintenance timer that restarts an idle program.
//
// Threads: the tap and the key listener call in on the main thread; the frame
// callback runs on the display link's thread. The points, distances and
// counters form one group that a frame reads and writes as a whole, so they
// live behind one small lock that is never held while calling out (posting,
// starting or stopping the link). isGrabAnimationRunning is atomic: the
// scroll engine asks it from its own display-link thread.
class GrabnDragScroll : public GrabEngineLink, public MouseDirectionInspectorDelegate {
  public:
    // The throw decays along this curve of the catalogue (cubic ease-out).
    static constexpr std::int64_t kThrowCurve = 5;
    // With the pointer pinned, this many frames without a movement report
    // end the scrolling.
    static constexpr std::int64_t kPinnedStillFrames = 5;
    static constexpr double kMaintenanceInterval = 7200;
    // Scrolling within this many seconds keeps the program from restarting.
    static constexpr std::int64_t kRecentScrollSeconds = 301;

    // The engine's fields, as one consistent reading.
    struct Fields {
        bool isGrabAnimationRunning = false;
        bool localAnimateScroll = false;
        std::int64_t currentAcceleration = 1;
        std::uint64_t currentDirection = 0;
        std::int64_t draggingIsLiveCounter = 0;
        double distanceFromDeltaX = 0;
        double distanceFromDeltaY = 0;
        double verticalDistance = 0;
        double horizontalDistance = 0;
        std::int64_t finishingAnimationCounter = 0;
        double localThrowDuration = 1.0;
        platform::Point currentPoint;
        platform::Point lastPoint;
    };

    // Creates the display link on the main display (logging "DisplayLink
    // created with error:%d" and keeping none on failure), schedules the
    // maintenance timer and records itself as the shared instance.
    GrabnDragScroll();
    ~GrabnDragScroll() override;
    GrabnDragScroll(const GrabnDragScroll&) = delete;
    GrabnDragScroll& operator=(const GrabnDragScroll&) = delete;

    static GrabnDragScroll& sharedInstance();

    // GrabEngineLink.
    bool isGrabAnimationRunning() const override {
        return isGrabAnimationRunning_.load(std::memory_order_acquire);
    }
    // Live dragging begins (again): counters zeroed, speed taken from the
    // settings, link started. Called after every movement report.
    void startDisplayLink() override;
    // Back to idle at once: any throw ends, the link stops.
    void stopDisplayLink() override;
    // The release: a throw when throws are on (and there is a link to run
    // it), otherwise idle at once.
    void stopScrollWithGrab() override;
    MouseDirectionInspectorDelegate& directionDelegate() override { return *this; }

    // MouseDirectionInspectorDelegate: the direction tracker's reports.
    void foundNewDirection(std::uint64_t direction) override;
    void foundNewEvent(platform::Point location, double deltaX, double deltaY) override;

    // One display refresh: computes and posts this frame's scroll event.
    void displayLinkCallback();
    // The maintenance timer: restarts the program unless a special button is
    // held or the wheel was used within kRecentScrollSeconds while scrolling
    // is enabled.
    void grabRestartFire();

    Fields fields() const;
    bool hasDisplayLink() const { return displayLink_ != nullptr; }

  private:
    // Idle values of the throw and the points (caller holds mutex_).
    void resetLocked();
    // Stops the link after the running flag was cleared, and starts it again
    // if a grab started meanwhile on the main thread.
    void stopLinkUnlessRestarted();

    std::unique_ptr<platform::DisplayLink> displayLink_;
    std::shared_ptr<platform::Timer> grabRestartTimer_;
    std::atomic<bool> isGrabAnimationRunning_{false};

    mutable std::mutex mutex_;
    Fields fields_;  // guarded by mutex_, except its isGrabAnimationRunning

    SharedInstallation<GrabnDragScroll> installation_{this};
    SharedInstallation<GrabEngineLink> linkInstallation_{this};
};

}  // namespace wexo

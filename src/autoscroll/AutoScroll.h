#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "events/EngineLinks.h"
#include "platform/Accessibility.h"
#include "platform/DisplayLinks.h"
#include "platform/Geometry.h"
#include "platform/Shared.h"

namespace wexo {

// Auto-scroll: after the auto-scroll button starts it at an anchor, every
// display refresh posts a pixel scroll event whose speed grows with the
// pointer's distance from the anchor, along the dominant axis only; after it
// ends, an optional release animation eases the last speed out. It also
// answers the smart-scroll question: can the element under the pointer
// scroll at all?
//
// Threads: the tap calls in on the main thread; the frame callback runs on
// the display link's thread and reads the pointer through the overlay
// window. The anchor, direction, speeds and counters form one group behind a
// small lock, never held while calling out. isScrollingInProgress is atomic
// for the tap's reads. The accessibility side is main-thread only.
class AutoScroll : public AutoScrollLink {
  public:
    // Within this many points of the anchor nothing scrolls.
    static constexpr std::int64_t kDeadZone = 15;
    // The speed setting divides the distance by (kSpeedLimit - speed).
    static constexpr std::int64_t kSpeedLimit = 21;
    // What an unusable speed setting reads as: the first-use default.
    static constexpr std::int64_t kDefaultSpeed = 10;
    // The release eases out along this curve of the catalogue (cubic out).
    static constexpr std::int64_t kReleaseCurve = 5;
    // The smart-scroll test looks at most this many ancestors up.
    static constexpr std::int64_t kMaxAncestors = 6;

    // The engine's fields (without the accessibility ones), as one reading.
    struct Fields {
        bool isScrollingInProgress = false;
        bool isAnimatingRelease = false;
        std::uint64_t currentDirection = 0;
        std::int64_t currentHorizontalDistance = 0;
        std::int64_t currentVerticalDistance = 0;
        std::int64_t finishingAnimationCounter = 0;
        std::int64_t superSlowDownCounter = 0;
        double localReleaseDuration = 1.0;
        platform::Point anchorPoint;
    };

    // Creates the display link on the main display (logging "DisplayLink
    // created with error:%d" and keeping none on failure), and the
    // system-wide element when the process is trusted; records itself as
    // the shared instance.
    AutoScroll();
    ~AutoScroll() override;
    AutoScroll(const AutoScroll&) = delete;
    AutoScroll& operator=(const AutoScroll&) = delete;

    static AutoScroll& sharedInstance();

    // AutoScrollLink.
    bool isScrollingInProgress() const override {
        return isScrollingInProgress_.load(std::memory_order_acquire);
    }
    // Auto-scroll starts at this anchor, in overlay-window coordinates.
    void startDisplayLinkWithPoint(platform::Point anchorInOverlay) override;
    // Auto-scroll ends: with the release animation on, the link keeps
    // running to ease out; otherwise everything stops at once.
    void stopDisplayLink() override;
    // Main thread: the element under the pointer is a scroll area or a list,
    // or has a scroll area among its first kMaxAncestors ancestors.
    bool isScrollArea() override;

    // Idle values of the speeds and counters.
    void finalStop();
    // Sets the direction from the point's offset to the anchor.
    void findMouseDirection(platform::Point point);
    // One display refresh.
    void displayLinkCallback();

    // The speed setting as the frames use it: a whole number below
    // kSpeedLimit (a larger one would divide by zero or scroll backward),
    // not below 0, kDefaultSpeed when it is not a number.
    static std::int64_t usableSpeed(double stored);

    // Accessibility helpers (main thread).
    void updateCurrentUIElement();
    static std::optional<std::string> roleOfUIElement(std::optional<platform::AXElement> element);
    static std::optional<platform::AXElement> parentOfUIElement(
        std::optional<platform::AXElement> element);
    static std::optional<platform::AXValue> valueOfAttribute(const std::string& attribute,
                                                             platform::AXElement ofUIElement);
    static std::vector<std::string> attributeNamesOfUIElement(platform::AXElement element);
    bool isAncestorsScroller(std::optional<platform::AXElement> element);

    Fields fields() const;
    bool hasDisplayLink() const { return displayLink_ != nullptr; }
    std::optional<platform::AXElement> currentUIElement() const { return currentUIElement_; }

  private:
    void finalStopLocked();
    void findMouseDirectionLocked(platform::Point point);
    // Stops the link after the scrolling ended, and starts it again if a new
    // auto-scroll started meanwhile on the main thread.
    void stopLinkUnlessRestarted();
    // Logs a speed setting that had to be brought into range, once per value.
    void noteUnusableSpeed(double stored);

    std::unique_ptr<platform::DisplayLink> displayLink_;
    std::atomic<bool> isScrollingInProgress_{false};
    // The last unusable speed setting logged (its bits), so that a frame
    // logs it only when it changes.
    std::atomic<std::uint64_t> lastNotedSpeedBits_{0};

    mutable std::mutex mutex_;
    Fields fields_;  // guarded by mutex_, except its isScrollingInProgress

    // Main thread only.
    std::optional<platform::AXElement> currentUIElement_;
    std::optional<platform::AXElement> systemWideElement_;
    std::int64_t ancestorsCounter_ = 0;
    std::optional<platform::Point> lastMousePoint_;

    SharedInstallation<AutoScroll> installation_{this};
    SharedInstallation<AutoScrollLink> linkInstallation_{this};
};

}  // namespace wexo

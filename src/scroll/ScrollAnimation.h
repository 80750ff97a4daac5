#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/DisplayLinks.h"
#include "platform/Event.h"
#include "platform/EventStream.h"
#include "platform/Geometry.h"
#include "platform/Subscription.h"
#include "platform/Workspace.h"
#include "settings/SingleDisplay.h"
#include "settings/SingleScrollSettingsObject.h"

namespace wexo {

// The scroll engine. Its wheel tap shapes every wheel event with the scroll
// settings of the display and application under the pointer: some events
// pass untouched (trackpads, the program's own events, Control held,
// directions assigned to an action, disabled applications), the others are
// replaced by pixel scrolling, either at once or eased over display frames
// by the animation this engine runs on its display link.
//
// Threads: the taps and the space notification run on the main thread, the
// frame callback on the display link's thread. Every field both of them
// touch is atomic on its own; on top of that, adding a notch and computing
// a frame exclude each other, so a notch that arrives while the last frame
// of an animation stops it is never lost.
class ScrollAnimation {
  public:
    // The four wheel directions, also the button numbers of their assignments.
    static constexpr std::int64_t kScrollUp = 500;
    static constexpr std::int64_t kScrollDown = 501;
    static constexpr std::int64_t kScrollLeft = 502;
    static constexpr std::int64_t kScrollRight = 503;

    // Reads the legacy disabled applications, creates the display link of
    // the main display and the pass-through tap (disabled), and follows the
    // active space.
    ScrollAnimation();
    ~ScrollAnimation();
    ScrollAnimation(const ScrollAnimation&) = delete;
    ScrollAnimation& operator=(const ScrollAnimation&) = delete;

    // The engine whose wheel tap was started last, or nullptr.
    static ScrollAnimation* shared();

    // Records this engine as the process-wide one and installs its wheel tap
    // at the head of the session's stream, behind the mouse tap (SessionTap),
    // or enables it again.
    void startListeningToWheel();
    // Disables the wheel tap; it stays installed.
    void stopListeningToWheel();

    // Takes one settings set as the working copy.
    void applySettingsToScroller(const SingleScrollSettingsObject& settings);
    // The direction code (500 to 503) of a wheel event, with Shift turning
    // vertical movement horizontal and reversal choosing the opposite code.
    std::int64_t findDelta(const platform::Event& event) const;
    // Notch duration in milliseconds; the frames per notch follow from it.
    void setMilliSec(std::int64_t milliSec);
    // Whole 60 Hz frames in a duration; 0 for a duration that is not positive.
    static std::int64_t calcualteFramesFromMs(std::int64_t milliSec);

    void setupBlock();
    void startBlock();
    void stopBlock();
    // The active space changed: held modifiers are forgotten.
    void spaceChanged();
    // The pointer lies in the rectangle.
    static bool isInRect(const platform::Rect& rect);

    // The wheel tap's callback. Main thread.
    [[nodiscard]] platform::Verdict scrollEventCallback(platform::EventType type,
                                                        platform::Event& event);
    // The display link's output callback: one frame of the animation.
    void displayLinkCallback();

    // The application whose settings are in force, or nothing when the next
    // wheel event resolves them again. Main thread.
    std::optional<platform::RunningApplication> lastUnderMouseApp() const;

    // The animation and its working settings as they stand.
    struct State {
        bool isEnabled, continuousScroll;
        bool cmndPressed, optionPressed, ctrlPressed, shiftPressed;
        std::int64_t milliSec, fixedFrames, currentDirection, delta;
        double fixedPixels, horzFixedPixels, continDeltaPref, myMultiplier;
        std::int64_t selectedGraphType, outGraphType, currentGraphType;
        std::int64_t framesCounter, cumulativeFrames, fixedCumulativeFrames, scrollsInProccess;
        double cumulativePixels, pixelsTraveled, continAccelDelta, lastKnownPercent;
        double lastKnownCumulativePixels, lastKnownpixelsToMove;
    };
    State stateForTesting() const;
    bool hasDisplayLinkForTesting() const { return link_ != nullptr; }
    bool isBlockEnabledForTesting() const;

  private:
    // Steps of the wheel tap after the event was found to be a plain wheel
    // notch: finding the settings in force, then shaping.
    enum class Resolution { InForce, Resolved, NoDisplay };
    Resolution resolveSettings(platform::Point pointer);
    bool isDisabledApplication() const;
    platform::Verdict passThrough(platform::Event& event);
    platform::Verdict shape(platform::Event& event);
    void postScroll(std::int64_t direction, std::int32_t value, platform::Point at) const;
    // The current event's notch factor, changed only under animationMutex_
    // so that a frame sees one value for its whole step.
    void publishMultiplier(double multiplier);
    // Adding a notch of `pixels` in direction `sign`. Under animationMutex_.
    void addNotch(double pixels, std::int64_t sign);
    // Ends the animation (under animationMutex_), leaving the idle state.
    void stopAnimation();
    void stopGrabAnimationIfRunning() const;
    void clearLastUnderMouseApp() { settingsInForce_.store(false); }

    // Working settings (main thread only).
    bool animateScroll_ = false, verAnimateScroll_ = false, horzAnimateScroll_ = false;
    bool isMultiplyLines_ = false, isDivideLines_ = false;
    std::int64_t linesMultiplier_ = 1, linesDivider_ = 1;
    bool isReverseVertical_ = false, isReverseHorizontal_ = false;
    std::vector<std::string> legacyDisabledApps_;

    // Working settings the frames read too.
    std::atomic<bool> isEnabled_{false};
    std::atomic<bool> continuousScroll_{false};
    std::atomic<bool> cmndPressed_{false}, optionPressed_{false}, ctrlPressed_{false},
        shiftPressed_{false};
    std::atomic<std::int64_t> milliSec_{0}, fixedFrames_{0};
    std::atomic<double> fixedPixels_{0}, horzFixedPixels_{0}, continDeltaPref_{0};
    std::atomic<std::int64_t> selectedGraphType_{0}, outGraphType_{0}, currentGraphType_{0};
    std::atomic<double> myMultiplier_{1};
    std::atomic<std::int64_t> currentDirection_{0}, delta_{0};

    // The animation.
    std::atomic<std::int64_t> framesCounter_{0}, cumulativeFrames_{0}, fixedCumulativeFrames_{0},
        scrollsInProccess_{0};
    std::atomic<double> cumulativePixels_{0}, pixelsTraveled_{0}, continAccelDelta_{0.9},
        lastKnownPercent_{0}, lastKnownCumulativePixels_{0}, lastKnownpixelsToMove_{0},
        lastKnownPixels_{0};
    std::mutex animationMutex_;

    // The settings in force: the application and display they were resolved
    // for. The frame thread only ever clears the flag; the rest belongs to the
    // main thread, which reads it only while the flag is set.
    std::atomic<bool> settingsInForce_{false};
    std::optional<platform::RunningApplication> lastUnderMouseApp_;
    std::shared_ptr<SingleDisplay> lastUsedDisplay_;
    platform::DisplayId lastDisplayId_ = 0;

    std::unique_ptr<platform::EventTap> scrollEventTap_;
    std::unique_ptr<platform::EventTap> blockEventTap_;
    platform::Subscription spaceObservation_;
    // Lets work handed to the main thread by a frame find out whether the
    // engine still exists.
    std::shared_ptr<ScrollAnimation*> self_;
    std::unique_ptr<platform::DisplayLink> displayLink_;
    // The same link for the frames: set once at construction and never
    // written again, so that the frame thread can read it while the
    // destructor takes the link down.
    platform::DisplayLink* link_ = nullptr;
};

}  // namespace wexo

#include "ui/EasingFunctionGraphView.h"

#include <cstdint>

#include "platform/Log.h"
#include "platform/Platform.h"

namespace wexo {

namespace {
// The grid: a line every fifth of the way from 0 to 1.
constexpr int kGridLines = 6;
constexpr double kGridSpacing = 0.2;
constexpr double kGridLineWidth = 1;
constexpr double kCurveLineWidth = 3;
constexpr int kMaxCurvePoints = 100000;
constexpr ui::Color kGridColor = ui::Color::grey(0.17);
constexpr ui::Color kIdleCurveColor = ui::Color::grey(0.3);
// The graph's size in the chooser's items; the dot rests at the curve's
// right end, its centre at y = 0 of the plane when resting and y = 1 at the
// top of its jump.
constexpr platform::Size kGraphSize{120, 98};
constexpr double kDotX = 103;
}  // namespace

platform::Point GraphDrawing::toView(platform::Point p) const {
    return platform::Point{(p.x - gridBounds.origin.x) * scaleX,
                           (p.y - gridBounds.origin.y) * scaleY};
}

EasingFunctionGraphView::EasingFunctionGraphView(std::string identifier)
    : ui::View(std::move(identifier)) {
    setFrame(platform::Rect(0, 0, kGraphSize.width, kGraphSize.height));
    jumpingDot.setFrame(platform::Rect(kDotX, kDotRestY, jumpingDot.frame().size.width,
                                       jumpingDot.frame().size.height));
    addSubview(jumpingDot);
}

EasingFunctionGraphView::~EasingFunctionGraphView() = default;

GraphDrawing EasingFunctionGraphView::drawing() const {
    GraphDrawing d;
    d.gridBounds = gridBounds_;
    const platform::Size size = frame().size;
    d.scaleX = gridBounds_.size.width != 0 ? size.width / gridBounds_.size.width : 0;
    d.scaleY = gridBounds_.size.height != 0 ? size.height / gridBounds_.size.height : 0;

    for (int k = 0; k < kGridLines; ++k) {
        const double y = k * kGridSpacing;
        d.strokes.push_back(GraphStroke{{{0, y}, {1, y}}, kGridLineWidth, kGridColor, false});
    }

    if (easingFunction_) {
        GraphStroke curve{
            {}, kCurveLineWidth, animating_ ? ui::Color::smurfBlue() : kIdleCurveColor, true};
        curve.points.push_back({0, easingFunction_(0)});
        // Each t is computed from its step number, so that rounding does not
        // pile up and drop the curve's end point. A grid too narrow to step
        // through stops at a bounded number of points.
        const double width = gridBounds_.size.width;
        for (int k = 1; width > 0 && k <= kMaxCurvePoints; ++k) {
            const double t = k * width / kCurveSteps;
            if (!(t <= 1)) break;
            curve.points.push_back({t, easingFunction_(t)});
        }
        d.strokes.push_back(std::move(curve));
    }
    return d;
}

void EasingFunctionGraphView::setNeedsDisplay() {
    changed(ui::ControlChange::Appearance);
    jumpingDot.drawRect();
}

// ---- Responder chain ----

void EasingFunctionGraphView::setViewController(ui::ActionTarget* controller) {
    if (viewController_ == controller) return;
    // A controller leaving gives its place back to what followed it.
    if (viewController_) nextResponder_ = controllerNextResponder_;
    viewController_ = controller;
    controllerNextResponder_ = nullptr;
    if (controller) {
        controllerNextResponder_ = nextResponder_;
        nextResponder_ = controller;
    }
}

void EasingFunctionGraphView::setNextResponder(ui::ActionTarget* responder) {
    if (viewController_)
        controllerNextResponder_ = responder;
    else
        nextResponder_ = responder;
}

bool EasingFunctionGraphView::tryToPerform(std::string_view selector, ui::Control& sender) {
    for (ui::ActionTarget* responder :
         {nextResponder_, viewController_ ? controllerNextResponder_ : nullptr})
        if (responder && responder->respondsToSelector(selector))
            return responder->performAction(selector, sender);
    return false;
}

// ---- Demonstration ----

void EasingFunctionGraphView::later(double delay, std::function<void()> work) {
    std::weak_ptr<bool> alive = alive_;
    installedPlatform().runLoop().performAfterDelay(delay, [alive, work = std::move(work)] {
        if (alive.lock()) work();
    });
}

void EasingFunctionGraphView::animateDotWithScroll(FakeScrollView& scroll) {
    // A graph runs one demonstration, or one wait, at a time: a running one
    // starts over by itself while the graph animates, a waiting one retries.
    if (!animating_ || holdsSample_ || waiting_) return;
    fakeScroller_ = &scroll;
    if (scroll.animating()) {
        if (retryCounter_ < kMaxRetries) {
            ++retryCounter_;
            waiting_ = true;
            FakeScrollView* sample = &scroll;
            later(kRetrySeconds, [this, sample] {
                waiting_ = false;
                animateDotWithScroll(*sample);
            });
            return;
        }
        // Held far longer than a demonstration takes: whoever held it is not
        // coming back for it.
        WEXO_LOG_ERROR("Something went wrong");
        scroll.setAnimating(false);
    }
    retryCounter_ = 0;
    // Taken now, so that no other graph starts on it while the dot fades in.
    scroll.setAnimating(true);
    holdsSample_ = true;
    if (jumpingDot.isHidden() || jumpingDot.alphaValue() <= 0) {
        jumpingDot.setHidden(false);
        // The dot is a part of this graph: its fade ends only while the graph lives.
        jumpingDot.animateAlphaValue(1, kDotFadeInSeconds, [this] { startAnimations(); });
    } else {
        startAnimations();
    }
}

void EasingFunctionGraphView::startAnimations() {
    FakeScrollView* scroll = fakeScroller_;
    if (!scroll) return;
    scroll->setAnimating(true);
    const platform::Point dotFrom = jumpingDot.frame().origin;
    jumpingDot.animateFrameOrigin(dotFrom, platform::Point{dotFrom.x, kDotTopY}, kJumpSeconds,
                                  easingFunction_, [this] { animationDidStop(); });
    const platform::Point sampleFrom = scroll->frame().origin;
    const double sampleTop =
        static_cast<double>(static_cast<std::int64_t>(sampleFrom.y)) + kSampleTravel;
    scroll->animateFrameOrigin(sampleFrom, platform::Point{sampleFrom.x, sampleTop}, kJumpSeconds,
                               easingFunction_);
}

void EasingFunctionGraphView::animationDidStop() {
    jumpingDot.animateAlphaValue(0, kFadeOutSeconds);
    FakeScrollView* scroll = fakeScroller_;
    if (!scroll) return;
    // The rest hangs on the sample view's fades, so that the sample view is
    // put back and freed even when this graph goes away meanwhile.
    std::weak_ptr<bool> alive = alive_;
    scroll->animateAlphaValue(0, kFadeOutSeconds, [this, alive, scroll] {
        if (alive.lock()) {
            platform::Rect dot = jumpingDot.frame();
            dot.origin.y = kDotRestY;
            jumpingDot.setFrame(dot);
        }
        platform::Rect sample = scroll->frame();
        sample.origin.y -= kSampleTravel;
        scroll->setFrame(sample);
        scroll->animateAlphaValue(1, kSampleFadeInSeconds, [this, alive, scroll] {
            scroll->setAnimating(false);
            if (!alive.lock()) return;
            holdsSample_ = false;
            if (animating_) animateDotWithScroll(*scroll);
        });
    });
}

}  // namespace wexo

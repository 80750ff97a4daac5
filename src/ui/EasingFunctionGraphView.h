#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "easing/PennerEasing.h"
#include "platform/Geometry.h"
#include "ui/ActionTarget.h"
#include "ui/Color.h"
#include "ui/FakeScrollView.h"
#include "ui/JumpingDot.h"
#include "ui/View.h"

namespace wexo {

// One line of a graph's drawing, its points in the function's plane.
struct GraphStroke {
    std::vector<platform::Point> points;
    double lineWidth = 1;
    ui::Color color;
    bool roundJoins = false;
};

// What a graph draws, as data: a toolkit strokes the lines in order, each
// point placed through toView.
struct GraphDrawing {
    // The part of the plane that fills the view, and the view points one
    // unit of the plane takes across and up.
    platform::Rect gridBounds;
    double scaleX = 0;
    double scaleY = 0;
    // The grid lines, then the curve.
    std::vector<GraphStroke> strokes;

    // A point of the plane in the view's coordinates, which have their
    // origin at the bottom left like frames: the curve stands upright, so a
    // toolkit that paints from the top left flips the vertical.
    platform::Point toView(platform::Point p) const;
};

// A small graph of one easing curve in the curve chooser. While it is the
// chosen graph (`animating`) it is drawn highlighted and demonstrates its
// curve over and over: its dot jumps up with the curve's easing while the
// chooser's sample view scrolls with it. The sample view serves one
// demonstration at a time; a graph whose turn it is not waits for it.
class EasingFunctionGraphView : public ui::View {
  public:
    // The demonstration's figures.
    static constexpr double kDotRestY = 7;        // the dot's place between runs
    static constexpr double kDotTopY = 77;        // where it jumps to
    static constexpr double kSampleTravel = 500;  // how far the sample view scrolls
    static constexpr double kDotFadeInSeconds = 0.4;
    static constexpr double kJumpSeconds = 0.75;
    static constexpr double kFadeOutSeconds = 2.0;
    static constexpr double kSampleFadeInSeconds = 1.0;
    static constexpr double kRetrySeconds = 1.0;
    // Waits for a busy sample view before it is taken as stuck.
    static constexpr int kMaxRetries = 11;
    // The curve is sampled at steps of the grid width divided by this.
    static constexpr int kCurveSteps = 300;

    explicit EasingFunctionGraphView(std::string identifier = "graphView");
    ~EasingFunctionGraphView() override;

    // The curve drawn and demonstrated; linear until set. nullptr draws no
    // curve and demonstrates linearly.
    EasingFunction easingFunction() const { return easingFunction_; }
    void setEasingFunction(EasingFunction function) { easingFunction_ = function; }
    // The part of the function's plane that fills the view.
    platform::Rect gridBounds() const { return gridBounds_; }
    void setGridBounds(platform::Rect bounds) { gridBounds_ = bounds; }
    bool animating() const { return animating_; }
    void setAnimating(bool animating) { animating_ = animating; }

    // ---- Drawing ----
    // Horizontal grid lines at 0, 0.2 … 1.0 from x = 0 to 1, a point wide in
    // grey 0.17; the curve from (0, f(0)) through (t, f(t)) while t ≤ 1,
    // three points wide with round joins, smurf blue while animating and
    // grey 0.3 otherwise.
    GraphDrawing drawing() const;
    // The graph is redrawn: a toolkit paints it again, and its dot is drawn
    // with it (and so turns invisible).
    void setNeedsDisplay();

    // ---- Responder chain ----
    // The controller that comes right after the view in the responder
    // chain; setting it hands the view's next responder on to it.
    ui::ActionTarget* viewController() const { return viewController_; }
    void setViewController(ui::ActionTarget* controller);
    ui::ActionTarget* nextResponder() const { return nextResponder_; }
    // With a controller in place the responder goes after the controller,
    // which stays right after the view.
    void setNextResponder(ui::ActionTarget* responder);
    // Sends the message to the first responder of the chain that answers
    // it; false when none does.
    bool tryToPerform(std::string_view selector, ui::Control& sender);

    // ---- Demonstration ----
    // Demonstrates the curve with `scroll` as the sample view, while the
    // graph is animating: waits (retrying every second) while another
    // demonstration has the sample view, takes it, fades the dot in when it
    // is invisible and starts.
    void animateDotWithScroll(FakeScrollView& scroll);
    // The jump: dot and sample view move together with the curve's easing.
    void startAnimations();
    // The dot's jump ended: both fade out, go back, and the sample view
    // fades in and is free again; an animating graph then starts over.
    void animationDidStop();
    // The sample view of the last demonstration.
    FakeScrollView* fakeScroller() const { return fakeScroller_; }
    // The waits of the demonstration waiting now.
    int retryCounter() const { return retryCounter_; }

    JumpingDot jumpingDot;

  private:
    // Runs `work` after `delay` on the main run loop, unless the graph is gone.
    void later(double delay, std::function<void()> work);

    EasingFunction easingFunction_ = &LinearInterpolation;
    platform::Rect gridBounds_{-0.1, -0.2, 1.2, 1.4};
    bool animating_ = false;
    ui::ActionTarget* viewController_ = nullptr;
    ui::ActionTarget* nextResponder_ = nullptr;
    // Where the chain goes on after the controller.
    ui::ActionTarget* controllerNextResponder_ = nullptr;
    FakeScrollView* fakeScroller_ = nullptr;
    int retryCounter_ = 0;
    // A retry is due.
    bool waiting_ = false;
    // This graph's demonstration has the sample view, from taking it to
    // freeing it at the end of the run.
    bool holdsSample_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace wexo

#include <numeric>

#include "ScrollTestDesktop.h"
#include "events/EngineLinks.h"

namespace wexo::testing {
namespace {

using Pixels = std::vector<std::int64_t>;

class ScrollFramesTest : public ScrollTestDesktop {
  protected:
    ScrollFramesTest() { start(); }

    static SingleScrollSettingsObject perNotch(std::int64_t graph, std::int64_t ms, double lines) {
        SingleScrollSettingsObject s;
        s.isContinuous = false;
        s.scrollAnimationIndex = graph;
        s.scrollSpeed = ms;
        s.verticalLinesNumber = lines;
        return s;
    }
    bool linkRunning() { return desktop->simDisplayLinks().runningCount() > 0; }
};

// Quadratic Out over 4 frames (80 ms: trunc(60 ÷ 12.5) = 4), 100 pixels:
// p = 1 − (1 − k/4)², so 0.4375, 0.75, 0.9375, 1, all exact in binary; the
// frames are trunc(43.75) = 43, trunc(75 − 43.75) = 31, trunc(93.75 − 75) =
// 18 and trunc(100 − 93.75) = 6: 98 pixels, the fractions lost.
// With a second notch after two frames (74 pixels done, 200 in all) the next
// frame posts the rest of the first notch, (200 − 100) − 74 = 26, and the
// second notch eases from its start: 43, 31, 18, 6.
TEST_F(ScrollFramesTest, PerNotchFramesFollowTheCurveAndASecondNotchFinishesTheFirst) {
    useSettings(perNotch(2, 80, 1));
    wheel(-1);
    EXPECT_TRUE(posted().empty());
    EXPECT_TRUE(engine().isBlockEnabledForTesting());
    EXPECT_EQ(engine().lastUnderMouseApp()->pid, kSafari);
    frames(4);
    EXPECT_EQ(verticalPixels(), (Pixels{-43, -31, -18, -6}));
    // Idle again.
    EXPECT_FALSE(linkRunning());
    EXPECT_FALSE(engine().isBlockEnabledForTesting());
    EXPECT_FALSE(engine().lastUnderMouseApp());
    const auto st = state();
    EXPECT_EQ(st.cumulativePixels, 0);
    EXPECT_EQ(st.framesCounter, 0);
    EXPECT_EQ(st.continAccelDelta, 0.9);
    EXPECT_EQ(st.delta, -1);  // kept for the next animation

    desktop->clearRecords();
    wheel(-1);
    frames(2);
    wheel(-1);
    framesUntilIdle();
    EXPECT_EQ(verticalPixels(), (Pixels{-43, -31, -26, -43, -31, -18, -6}));
}

// Defaults in the per-notch mode: 200 pixels, 42 frames, Cubic Out. Frame k
// posts trunc(200 × (p_k − p_(k−1))) with p_k = 1 − (1 − k/42)³, that is
// trunc(200 × (3m² + 3m + 1) ÷ 74088) with m = 42 − k: 13 at k = 1 (m = 41,
// 5167), 1 at k = 31 (m = 11, 397), and 0 at k = 32 (m = 10, 331), where
// p = 1 − (10/42)³ = 0.9865 > 0.96 ends the animation ten frames early with
// 183 of its 200 pixels posted.
TEST_F(ScrollFramesTest, PerNotchEndsWhenAFrameIsEmptyNearTheEnd) {
    useSettings(perNotch(5, 700, 2));
    wheel(1);
    framesUntilIdle();
    const Pixels expected = {13, 13, 12, 12, 11, 10, 10, 9, 9, 8, 8, 7, 7, 6, 6, 5,
                             5,  4,  4,  4,  3,  3,  3,  2, 2, 2, 1, 1, 1, 1, 1, 0};
    EXPECT_EQ(verticalPixels(), expected);
    EXPECT_EQ(std::accumulate(expected.begin(), expected.end(), std::int64_t{0}), 183);
}

// Continuous mode, n notches from rest: ceil(n × 42 ÷ (0.9 + n × 0.5)) frames.
TEST_F(ScrollFramesTest, ContinuousBurstsLengthenLessThanInProportion) {
    useSettings(SingleScrollSettingsObject{});
    const std::pair<int, std::int64_t> cases[] = {
        {1, 31},   // 42 ÷ 1.4 = 30.000000000000004 in double precision
        {2, 45},   // 84 ÷ 1.9 = 44.2
        {3, 53},   // 126 ÷ 2.4 = 52.5
        {10, 72},  // 420 ÷ 5.9 = 71.2
    };
    for (const auto& [notches, expectedFrames] : cases) {
        for (int i = 0; i < notches; ++i) wheel(-1);
        frames(1);
        EXPECT_EQ(state().cumulativeFrames, expectedFrames) << notches;
        EXPECT_EQ(state().cumulativePixels, 200.0 * notches);
        framesUntilIdle();
    }
}

// Two notches down from rest: 400 pixels over 45 frames; the first frame is
// trunc(400 × (1 − (44/45)³)) = trunc(26.08) = 26. A notch up then starts
// over with 200 pixels, 42 frames and a divisor of 1.0. On the next frame
// 200 differs from the 400 seen last, so the easing restarts on the ease-out
// partner and repeats the last frame size, which the reversal set to 0. Then
// trunc(200 × (1 − (41/42)³)) = trunc(13.95) = 13 and
// trunc(200 × ((1 − (40/42)³) − (1 − (41/42)³))) = trunc(13.28) = 13.
TEST_F(ScrollFramesTest, ContinuousReversalRestartsWithTheNewNotchAlone) {
    useSettings(SingleScrollSettingsObject{});
    wheel(-1);
    wheel(-1);
    frames(1);
    wheel(1);
    auto st = state();
    EXPECT_EQ(st.continAccelDelta, 1.0);
    EXPECT_EQ(st.cumulativePixels, 200);
    EXPECT_EQ(st.fixedCumulativeFrames, 42);
    EXPECT_EQ(st.scrollsInProccess, 1);
    EXPECT_EQ(st.delta, 1);
    frames(3);
    EXPECT_EQ(verticalPixels(), (Pixels{-26, 0, 13, 13}));
}

// Cubic In, continuous, one notch: 31 frames of 200 × (k/31)³. After frame
// 25 the eased fraction is (25/31)³ = 0.5245 and that frame was
// trunc(200 × (15625 − 13824) ÷ 29791) = 12. A second notch then restarts
// the easing on Cubic Out over ceil(84 ÷ 1.9) = 45 frames, with the distance
// left (1 − 0.5245) × 400 plus one notch: 390.2 pixels. The restart frame
// repeats 12, then trunc(390.2 × (1 − (44/45)³)) = 25 and
// trunc(390.2 × ((1 − (43/45)³) − (1 − (44/45)³))) = 24.
TEST_F(ScrollFramesTest, ContinuousNewInputReEasesTheRestOnTheEaseOutPartner) {
    SingleScrollSettingsObject s;
    s.scrollAnimationIndex = 4;
    useSettings(s);
    wheel(-1);
    frames(25);
    EXPECT_EQ(verticalPixels().back(), -12);
    wheel(-1);
    frames(1);
    EXPECT_EQ(state().currentGraphType, 5);
    EXPECT_NEAR(state().cumulativePixels, 390.205, 0.001);
    frames(2);
    const Pixels all = verticalPixels();
    EXPECT_EQ(Pixels(all.end() - 3, all.end()), (Pixels{-12, -25, -24}));
    framesUntilIdle();
    EXPECT_EQ(state().currentGraphType, 4);
}

// Grab-and-drag as the scroll engine sees it.
class RunningGrab : public GrabEngineLink, public MouseDirectionInspectorDelegate {
  public:
    bool isGrabAnimationRunning() const override { return true; }
    void startDisplayLink() override {}
    void stopDisplayLink() override { ++stops; }
    void stopScrollWithGrab() override {}
    MouseDirectionInspectorDelegate& directionDelegate() override { return *this; }
    void foundNewDirection(std::uint64_t) override {}
    int stops = 0;
};

TEST_F(ScrollFramesTest, RunningGrabBlocksFramesOnlyWhenAGrabIsConfigured) {
    RunningGrab grab;
    SharedInstallation<GrabEngineLink> installed(&grab);
    useSettings(SingleScrollSettingsObject{});
    wheel(-1);
    frames(3);
    EXPECT_EQ(verticalPixels(), (Pixels{-18, -17, -16}));
    EXPECT_EQ(grab.stops, 0);

    framesUntilIdle();
    desktop->clearRecords();
    SettingsKeeper::shared().setGrabKeyNumber(49);
    wheel(-1);
    EXPECT_EQ(grab.stops, 1);  // the notch stops the throw
    frames(1);
    EXPECT_TRUE(posted().empty());
    EXPECT_FALSE(linkRunning());
    EXPECT_EQ(state().cumulativePixels, 0);

    useSettings(immediateSettings());
    wheel(-1);
    EXPECT_EQ(grab.stops, 2);
    EXPECT_EQ(verticalPixels(), Pixels{-80});
}

// Leaving the window is a scenario; here the pointer stays in it but moves
// onto a window in front of it.
TEST_F(ScrollFramesTest, EnteringAWindowInFrontStopsWithinAFrame) {
    useSettings(SingleScrollSettingsObject{});
    // A panel of Mail in front of Safari's window.
    desktop->simWindowList().setWindows(
        {{kMail, 0, Rect(300, 200, 200, 200), {}}, {kSafari, 0, kSafariWindow, {}}});
    pointer(100, 100);
    wheel(-1);
    EXPECT_EQ(SettingsKeeper::shared().getOverlappingRectsArray(),
              std::vector<Rect>{Rect(300, 200, 200, 200)});
    frames(1);
    pointer(350, 250);
    frames(1);
    EXPECT_EQ(verticalPixels(), Pixels{-18});
    EXPECT_FALSE(linkRunning());
}

TEST_F(ScrollFramesTest, SettingsStayInForceOverAnotherApplicationWhileAnimating) {
    useSettings(SingleScrollSettingsObject{});
    auto& display = *SettingsKeeper::shared().getAllCurrentDisplays().at("1-2-3");
    display.apps["com.apple.mail"] = std::make_shared<AppWithScrollSettings>(
        "Mail", "com.apple.mail", "", "1", immediateSettings());
    wheel(-1);
    pointer(1000, 300);
    wheel(-1);  // over Mail, but Safari's animation is in force
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(state().cumulativePixels, 400);
    frames(1);  // the pointer left Safari's window: the animation stops
    wheel(-1);  // resolved anew: Mail's own settings
    EXPECT_EQ(verticalPixels(), Pixels{-80});
}

TEST_F(ScrollFramesTest, NotchAddressedToNoProcessAlsoPasses) {
    desktop->simWindowList().setWindows({{kSafari, 0, kSafariWindow, {}}});
    useSettings(SingleScrollSettingsObject{});
    pointer(1500, 500);  // over no window: no window test either
    wheel(-1);
    auto d = delivered();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].integerField(EventField::ScrollWheelEventDeltaAxis1), -1);
    frames(2);
    EXPECT_EQ(verticalPixels(), (Pixels{-18, -17}));
}

}  // namespace
}  // namespace wexo::testing

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/AppTestDesktop.h"
#include "easing/PennerEasing.h"
#include "ui/EasingViewController.h"

namespace wexo::testing {
namespace {

std::vector<std::string> easeInNames() {
    return {"Linear",    "QuadraticIn", "CubicIn",    "QuarticIn",
            "QuinticIn", "SineIn",      "CircularIn", "ExpoIn"};
}

// The whole program on its first launch, with the curve chooser opened from
// the Scroll screen's curve button.
class EasingViewControllerTest : public ::testing::Test {
  protected:
    EasingViewControllerTest() {
        t.launch();
        t.act([&] { t.scroll().settings.selectAnimationOutlt.sendAction(); });
    }

    EasingViewController& sheet() {
        return *dynamic_cast<EasingViewController*>(t.scroll().presentedViewControllers().at(0));
    }
    GraphCollectionItem& item(std::size_t index) { return *sheet().graphItemAt(index); }
    EasingFunctionGraphView& graph(std::size_t index) { return item(index).graphView; }
    std::vector<std::string> titles() {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < sheet().myCollectionView.numberOfItems(); ++i)
            out.push_back(item(i).graphTitle.stringValue());
        return out;
    }
    void click(ui::Button& button) {
        t.act([&] { button.performClick(); });
    }
    void choose(std::size_t index) {
        t.act([&] { sheet().myCollectionView.clickItemAtIndex(index); });
    }
    // The sample view's vertical place, and the dot's of a graph.
    double sampleY() { return sheet().fakeScrollView.frame().origin.y; }
    double dotY(std::size_t index) { return graph(index).jumpingDot.frame().origin.y; }
    double dotAlpha(std::size_t index) { return graph(index).jumpingDot.alphaValue(); }

    AppTestDesktop t;
};

TEST_F(EasingViewControllerTest, OpensOnTheEaseInCurvesAndSwitchesFamilies) {
    EXPECT_EQ(t.windowRecords().back(), "Easing shown");
    EXPECT_EQ(sheet().currentEasing(), 0);
    EXPECT_TRUE(sheet().inOutlt.isOn());
    EXPECT_EQ(titles(), easeInNames());
    EXPECT_EQ(graph(2).easingFunction(), &CubicEaseIn);
    EXPECT_EQ(graph(7).easingFunction(), &ExponentialEaseIn);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_FALSE(graph(i).animating()) << i;
        EXPECT_EQ(dotAlpha(i), 0) << i;
    }

    click(sheet().outOutlt);
    EXPECT_EQ(sheet().currentEasing(), 1);
    EXPECT_FALSE(sheet().inOutlt.isOn());
    EXPECT_EQ(titles(),
              (std::vector<std::string>{"Linear", "QuadraticOut", "CubicOut", "QuarticOut",
                                        "QuinticOut", "SineOut", "CircularOut", "ExpoOut"}));
    EXPECT_EQ(graph(1).easingFunction(), &QuadraticEaseOut);
    EXPECT_EQ(graph(5).easingFunction(), &SineEaseOut);

    // A message the graph does not answer goes on through its item to the
    // sheet, here the in-out radio's.
    ui::Button sender("sender");
    t.act([&] { EXPECT_TRUE(graph(0).tryToPerform("easInOut:", sender)); });
    EXPECT_EQ(graph(0).viewController(), &item(0));
    EXPECT_EQ(sheet().currentEasing(), 2);
    EXPECT_TRUE(sheet().inOutOutlt.isOn());
    EXPECT_FALSE(sheet().outOutlt.isOn());
    EXPECT_EQ(item(4).graphTitle.stringValue(), "QuinticInOut");
    EXPECT_EQ(graph(6).easingFunction(), &CircularEaseInOut);
}

TEST_F(EasingViewControllerTest, AChosenGraphBecomesTheEntrysCurveAndDemonstratesItOverAndOver) {
    click(sheet().outOutlt);
    choose(6);
    // At once: the Scroll screen's label and edited entry, stored.
    EXPECT_EQ(t.scroll().settings.selectedAnimationLbl.stringValue(), "CircularOut");
    EXPECT_EQ(t.scroll().lastSelectedApp()->scrollSettings.scrollAnimationIndex, 17);
    const auto stored = t.stored("allDisplaysScrollSettings");
    EXPECT_EQ(stored->asDictionary()
                  ->at("0-0-0")
                  .asDictionary()
                  ->at("displayApps")
                  .asDictionary()
                  ->at("com.global")
                  .asDictionary()
                  ->at("scrollSettings")
                  .asDictionary()
                  ->at("scrollAnimationIndex"),
              plist::Value(17));
    EXPECT_TRUE(graph(6).animating());
    EXPECT_EQ(graph(6).drawing().strokes.back().color, (ui::Color{0.1, 0.46, 0.67, 1}));
    EXPECT_EQ(sheet().lastSelectedItem(), &item(6));

    // The dot fades in for 0.4 s, then dot and sample view jump for 0.75 s
    // with the chosen curve: halfway through the time the dot has covered
    // sqrt(0.75) of its 70 points.
    EXPECT_EQ(dotAlpha(6), 1);
    EXPECT_EQ(graph(6).jumpingDot.alphaAnimationDuration(), 0.4);
    EXPECT_TRUE(sheet().fakeScrollView.animating());
    t.advance(0.4);
    EXPECT_EQ(dotY(6), 77);
    EXPECT_EQ(sampleY(), -20);
    t.advance(0.375);
    EXPECT_NEAR(graph(6).jumpingDot.presentationOrigin().y, 7 + 70 * std::sqrt(0.75), 1e-9);
    EXPECT_NEAR(sheet().fakeScrollView.presentationOrigin().y, -520 + 500 * std::sqrt(0.75), 1e-9);
    // Both fade out for 2.0 s, go back, and the sample view fades in for 1.0 s.
    t.advance(0.375);
    EXPECT_EQ(dotAlpha(6), 0);
    EXPECT_EQ(sheet().fakeScrollView.alphaAnimationDuration(), 2.0);
    t.advance(2.0);
    EXPECT_EQ(dotY(6), 7);
    EXPECT_EQ(sampleY(), -520);
    EXPECT_EQ(sheet().fakeScrollView.alphaValue(), 1);
    EXPECT_EQ(dotAlpha(6), 0);
    // The graph is still chosen: the next run begins as the sample view is back.
    t.advance(1.0);
    EXPECT_EQ(dotAlpha(6), 1);
    t.advance(0.4);
    EXPECT_EQ(dotY(6), 77);

    EasingFunctionGraphView& chosen = graph(6);
    click(sheet().closeSheetOutlt);
    EXPECT_FALSE(chosen.animating());
    EXPECT_EQ(t.windowRecords().back(), "Easing closed");
}

TEST_F(EasingViewControllerTest, ASecondGraphWaitsUntilTheSampleViewIsFree) {
    choose(1);
    t.advance(1.0);
    choose(2);
    EXPECT_FALSE(graph(1).animating());
    EXPECT_EQ(graph(1).drawing().strokes.back().color, ui::Color::grey(0.3));
    EXPECT_EQ(graph(2).retryCounter(), 1);
    // The first run ends 0.4 + 0.75 + 2.0 + 1.0 s after it began, and does
    // not start over; the second graph tries at 2, 3 and 4 s, and at 5 s
    // takes the sample view.
    t.advance(3.9);
    EXPECT_FALSE(sheet().fakeScrollView.animating());
    EXPECT_EQ(dotAlpha(2), 0);
    EXPECT_EQ(graph(2).retryCounter(), 4);
    t.advance(0.1);
    EXPECT_EQ(dotAlpha(2), 1);
    EXPECT_TRUE(sheet().fakeScrollView.animating());
    EXPECT_EQ(graph(2).retryCounter(), 0);
    t.advance(0.4);
    EXPECT_EQ(dotY(2), 77);
    EXPECT_EQ(dotY(1), 7);
    EXPECT_TRUE(t.loggedErrors().empty());
}

TEST_F(EasingViewControllerTest, ASampleViewHeldThroughElevenRetriesIsFreedAndUsed) {
    sheet().fakeScrollView.setAnimating(true);
    choose(3);
    t.advance(10.9);
    EXPECT_TRUE(t.loggedErrors().empty());
    EXPECT_EQ(dotAlpha(3), 0);
    t.advance(0.1);
    EXPECT_EQ(t.loggedErrors(), std::vector<std::string>{"Something went wrong"});
    EXPECT_EQ(dotAlpha(3), 1);
    t.advance(0.4);
    EXPECT_EQ(dotY(3), 77);
}

TEST(EasingFunctionGraphViewTest, TheGridAndTheSampledCurve) {
    EasingFunctionGraphView graph;
    graph.setEasingFunction(&QuadraticEaseIn);
    const GraphDrawing d = graph.drawing();
    // 120 x 98 points show 1.2 x 1.4 units from (-0.1, -0.2).
    EXPECT_DOUBLE_EQ(d.scaleX, 100);
    EXPECT_DOUBLE_EQ(d.scaleY, 70);
    ASSERT_EQ(d.strokes.size(), 7u);
    for (int k = 0; k < 6; ++k) {
        const GraphStroke& line = d.strokes[static_cast<std::size_t>(k)];
        ASSERT_EQ(line.points.size(), 2u);
        EXPECT_NEAR(line.points[0].y, 0.2 * k, 1e-12);
        EXPECT_EQ(line.points[0].x, 0);
        EXPECT_EQ(line.points[1].x, 1);
        EXPECT_EQ(line.lineWidth, 1);
        EXPECT_EQ(line.color, ui::Color::grey(0.17));
    }
    // From t = 0 in steps of 0.004 up to and with t = 1: 251 points.
    const GraphStroke& curve = d.strokes.back();
    ASSERT_EQ(curve.points.size(), 251u);
    EXPECT_EQ(curve.points[0].x, 0);
    EXPECT_NEAR(curve.points[1].x, 0.004, 1e-12);
    EXPECT_NEAR(curve.points[1].y, 0.000016, 1e-12);
    EXPECT_NEAR(curve.points[125].y, 0.25, 1e-12);
    EXPECT_EQ(curve.points.back().x, 1);
    EXPECT_EQ(curve.points.back().y, 1);
    EXPECT_EQ(curve.lineWidth, 3);
    EXPECT_TRUE(curve.roundJoins);
    EXPECT_EQ(curve.color, ui::Color::grey(0.3));

    // The dot's centre sits on the curve's end column: at y = 0 resting, at
    // y = 1 at the top of its jump (its frame at 7 and 77, 14 points wide).
    EXPECT_NEAR(d.toView({1, 0}).x, 110, 1e-9);
    EXPECT_NEAR(d.toView({1, 0}).y, 14, 1e-9);
    EXPECT_NEAR(d.toView({1, 1}).y, 84, 1e-9);
    EXPECT_EQ(graph.jumpingDot.frame(), platform::Rect(103, 7, 14, 14));
}

}  // namespace
}  // namespace wexo::testing

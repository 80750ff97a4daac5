#include "easing/EasingFunctions.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace wexo {
namespace {

constexpr double kTolerance = 1e-12;

// The fraction the animations use: start 0, change 1.
double ease(std::int64_t graph, double t, double d) {
    return EasingFunctions::getDelayByGraph(graph, t, 0.0, 1.0, d);
}

struct Sample {
    std::int64_t graph;
    double t;
    double d;
    double expected;
};

TEST(EasingFunctionsTest, EveryEvaluatedCurveFollowsItsEquation) {
    const double halfRoot2 = std::sqrt(2.0) / 2.0;
    const Sample samples[] = {
        {0, 5, 20, 0.25},
        {0, 15, 20, 0.75},
        // Quadratic: x², 1 − (1 − x)², and 2x² / 1 − 2(1 − x)² by halves.
        {1, 10, 20, 0.25},
        {1, 5, 20, 0.0625},
        {2, 10, 20, 0.75},
        {2, 5, 20, 0.4375},
        {3, 5, 20, 0.125},
        {3, 15, 20, 0.875},
        // Cubic.
        {4, 10, 20, 0.125},
        {5, 10, 20, 0.875},
        {5, 5, 20, 0.578125},
        {6, 5, 20, 0.0625},
        {6, 15, 20, 0.9375},
        // Quartic.
        {7, 10, 20, 0.0625},
        {8, 10, 20, 0.9375},
        {9, 5, 20, 0.03125},
        {9, 15, 20, 0.96875},
        // Quintic.
        {10, 10, 20, 0.03125},
        {11, 10, 20, 0.96875},
        {12, 5, 20, 0.015625},
        {12, 15, 20, 0.984375},
        // Sine: quarter and third turns.
        {13, 10, 20, 1.0 - halfRoot2},
        {13, 2, 6, 1.0 - std::sqrt(3.0) / 2.0},
        {14, 2, 6, 0.5},
        {14, 10, 20, halfRoot2},
        {15, 2, 6, 0.25},
        {15, 4, 6, 0.75},
        // Circular: the 3-4-5 triangle.
        {16, 12, 20, 0.2},
        {17, 8, 20, 0.8},
        {18, 6, 20, 0.1},
        {18, 14, 20, 0.9},
        // Exponential.
        {19, 10, 20, 1.0 / 32.0},
        {19, 18, 20, 0.5},
        {20, 2, 20, 0.5},
        {20, 10, 20, 1.0 - 1.0 / 32.0},
        {21, 5, 20, 1.0 / 64.0},
        {21, 10, 20, 0.5},
        {21, 15, 20, 1.0 - 1.0 / 64.0},
    };
    for (const Sample& s : samples) {
        SCOPED_TRACE(testing::Message() << "graph " << s.graph << " at " << s.t << "/" << s.d);
        EXPECT_NEAR(ease(s.graph, s.t, s.d), s.expected, kTolerance);
    }
}

TEST(EasingFunctionsTest, StartValueAndChangeScaleTheFraction) {
    // 100 − 40 × 0.578125 and 10 + 6 × 0.8.
    EXPECT_NEAR(EasingFunctions::cubicOut(5, 100, -40, 20), 76.875, kTolerance);
    EXPECT_NEAR(EasingFunctions::getDelayByGraph(17, 8, 10, 6, 20), 14.8, kTolerance);
    EXPECT_NEAR(EasingFunctions::linear(2, 10, -4, 8), 9.0, kTolerance);
    EXPECT_NEAR(EasingFunctions::exponentialInOut(0, 3, 2048, 7), 4.0, kTolerance);
}

TEST(EasingFunctionsTest, UsualCurvesRunFromStartToEnd) {
    for (std::int64_t g = 0; g <= 18; ++g) {
        SCOPED_TRACE(g);
        EXPECT_NEAR(ease(g, 0, 42), 0.0, kTolerance);
        EXPECT_NEAR(ease(g, 42, 42), 1.0, kTolerance);
    }
}

TEST(EasingFunctionsTest, ExponentialCurvesStopShortOfTheirEnds) {
    const double tenth = std::exp2(-10.0);
    EXPECT_DOUBLE_EQ(ease(19, 0, 42), tenth);
    EXPECT_DOUBLE_EQ(ease(19, 42, 42), 1.0);
    EXPECT_DOUBLE_EQ(ease(20, 0, 42), 0.0);
    EXPECT_DOUBLE_EQ(ease(20, 42, 42), 1.0 - tenth);
    EXPECT_DOUBLE_EQ(ease(21, 0, 42), tenth / 2.0);
    EXPECT_DOUBLE_EQ(ease(21, 42, 42), 1.0 - tenth / 2.0);
}

TEST(EasingFunctionsTest, IndexesWithoutAnEvaluatedCurveGiveZero) {
    const std::int64_t unevaluated[] = {22,
                                        23,
                                        24,
                                        25,
                                        26,
                                        27,
                                        28,
                                        -1,
                                        std::numeric_limits<std::int64_t>::min(),
                                        std::numeric_limits<std::int64_t>::max()};
    for (std::int64_t g : unevaluated) {
        SCOPED_TRACE(g);
        for (double t : {0.0, 21.0, 42.0}) {
            EXPECT_EQ(EasingFunctions::getDelayByGraph(g, t, 5.0, 1.0, 42.0), 0.0);
        }
    }
}

TEST(EasingFunctionsTest, CurvesRiseSteadilyWithinTheirRange) {
    for (std::int64_t g = 0; g <= 21; ++g) {
        SCOPED_TRACE(g);
        double previous = ease(g, 0, 60);
        for (int t = 1; t <= 60; ++t) {
            const double now = ease(g, t, 60);
            EXPECT_GE(now, previous) << "t " << t;
            EXPECT_LE(now, 1.0) << "t " << t;
            previous = now;
        }
    }
}

TEST(EasingFunctionsTest, TimeOutsideTheDurationIsHeldAtTheNearerEnd) {
    // Past the end the circular equations have no real value and the others
    // would keep growing (the cubic Out would reach 2 at twice the duration).
    EXPECT_NEAR(ease(5, 84, 42), 1.0, kTolerance);
    EXPECT_NEAR(ease(16, 50, 42), 1.0, kTolerance);
    EXPECT_NEAR(ease(17, 100, 42), 1.0, kTolerance);
    EXPECT_NEAR(ease(18, 70, 42), 1.0, kTolerance);
    EXPECT_NEAR(ease(19, 1e6, 42), 1.0, kTolerance);
    EXPECT_NEAR(ease(20, 84, 42), 1.0 - std::exp2(-10.0), kTolerance);
    EXPECT_NEAR(ease(17, -5, 42), 0.0, kTolerance);
    EXPECT_NEAR(ease(4, -5, 42), 0.0, kTolerance);
    EXPECT_NEAR(ease(5, std::numeric_limits<double>::quiet_NaN(), 42), 0.0, kTolerance);
    for (std::int64_t g = 0; g <= 21; ++g) {
        for (double t : {-1e9, -1.0, 43.0, 1e9, std::numeric_limits<double>::infinity()}) {
            EXPECT_TRUE(std::isfinite(ease(g, t, 42))) << "graph " << g << " at " << t;
        }
    }
}

TEST(EasingFunctionsTest, AnEmptyDurationIsAFinishedCurve) {
    // A duration shorter than one frame rounds to 0 frames; dividing by it
    // would hand infinities to the callers' pixel truncation.
    for (double d : {0.0, -3.0, std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(d);
        EXPECT_NEAR(ease(5, 0, d), 1.0, kTolerance);
        EXPECT_NEAR(ease(5, 1, d), 1.0, kTolerance);
        EXPECT_NEAR(ease(16, 1, d), 1.0, kTolerance);
        EXPECT_NEAR(ease(20, 1, d), 1.0 - std::exp2(-10.0), kTolerance);
        EXPECT_NEAR(EasingFunctions::linear(0, 10, 5, d), 15.0, kTolerance);
    }
}

}  // namespace
}  // namespace wexo

#include "easing/PennerEasing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace wexo {
namespace {

constexpr double kTolerance = 1e-12;

struct Family {
    const char* name;
    EasingFunction in;
    EasingFunction out;
    EasingFunction inOut;
    double inAtHalf;
    double outAtHalf;
};

// Values at p = 0.5 worked out from each equation; every InOut is 0.5 there.
const Family kFamilies[] = {
    {"Quadratic", QuadraticEaseIn, QuadraticEaseOut, QuadraticEaseInOut, 0.25, 0.75},
    {"Cubic", CubicEaseIn, CubicEaseOut, CubicEaseInOut, 0.125, 0.875},
    {"Quartic", QuarticEaseIn, QuarticEaseOut, QuarticEaseInOut, 0.0625, 0.9375},
    {"Quintic", QuinticEaseIn, QuinticEaseOut, QuinticEaseInOut, 0.03125, 0.96875},
    {"Sine", SineEaseIn, SineEaseOut, SineEaseInOut, 1.0 - std::sqrt(0.5), std::sqrt(0.5)},
    {"Circular", CircularEaseIn, CircularEaseOut, CircularEaseInOut, 1.0 - std::sqrt(0.75),
     std::sqrt(0.75)},
    {"Exponential", ExponentialEaseIn, ExponentialEaseOut, ExponentialEaseInOut, 1.0 / 32.0,
     1.0 - 1.0 / 32.0},
    // −2^-5 × sin(−23π/6) and its mirror.
    {"Elastic", ElasticEaseIn, ElasticEaseOut, ElasticEaseInOut, -1.0 / 64.0, 1.0 + 1.0 / 64.0},
    // 0.25 × (2.70158 × 0.5 − 1.70158) and its mirror.
    {"Back", BackEaseIn, BackEaseOut, BackEaseInOut, -0.0876975, 1.0876975},
    // The second arc: 7.5625 × (1/22)² + 0.75 = 1/64 + 3/4.
    {"Bounce", BounceEaseIn, BounceEaseOut, BounceEaseInOut, 0.234375, 0.765625},
};

TEST(PennerEasingTest, EachFamilyAtStartMiddleAndEnd) {
    EXPECT_EQ(LinearInterpolation(0.0), 0.0);
    EXPECT_EQ(LinearInterpolation(0.5), 0.5);
    EXPECT_EQ(LinearInterpolation(1.0), 1.0);
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.name);
        for (EasingFunction curve : {f.in, f.out, f.inOut}) {
            EXPECT_NEAR(curve(0.0), 0.0, kTolerance);
            EXPECT_NEAR(curve(1.0), 1.0, kTolerance);
        }
        EXPECT_NEAR(f.in(0.5), f.inAtHalf, kTolerance);
        EXPECT_NEAR(f.out(0.5), f.outAtHalf, kTolerance);
        EXPECT_NEAR(f.inOut(0.5), 0.5, kTolerance);
    }
}

TEST(PennerEasingTest, OutMirrorsInAndInOutJoinsTwoHalves) {
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.name);
        for (double p = 0.0; p <= 1.0; p += 1.0 / 64.0) {
            EXPECT_NEAR(f.out(p), 1.0 - f.in(1.0 - p), 1e-9) << "p " << p;
            EXPECT_NEAR(f.inOut(p), 1.0 - f.inOut(1.0 - p), 1e-9) << "p " << p;
        }
    }
    // Back and Elastic give their InOut its own overshoot and period; the
    // others are the In curve compressed into the first half.
    for (const Family& f : kFamilies) {
        if (f.in == BackEaseIn || f.in == ElasticEaseIn) continue;
        SCOPED_TRACE(f.name);
        for (double p = 1.0 / 64.0; p < 0.5; p += 1.0 / 64.0) {
            EXPECT_NEAR(f.inOut(p), 0.5 * f.in(2.0 * p), 1e-9) << "p " << p;
        }
    }
}

TEST(PennerEasingTest, ShapesOfTheOvershootingCurves) {
    // Back with s = 1.70158 dips 10 % below its start, at p = 2s / 3(s + 1).
    double lowest = 0.0;
    for (int i = 0; i <= 1000; ++i) lowest = std::min(lowest, BackEaseIn(i / 1000.0));
    EXPECT_NEAR(lowest, -0.1, 1e-3);
    // A quarter period after the start the sine peaks: 1 + 2^-1.5.
    EXPECT_NEAR(ElasticEaseOut(0.15), 1.0 + 1.0 / std::sqrt(8.0), kTolerance);
    // The four arcs of the bounce: 7.5625 p², then 7.5625 (p − centre)² above
    // 3/4, 15/16 and 63/64, with the centres at 1.5, 2.25 and 2.625 / 2.75.
    EXPECT_NEAR(BounceEaseOut(0.25), 0.47265625, kTolerance);
    EXPECT_NEAR(BounceEaseOut(0.8), 0.9375 + 0.0025, kTolerance);
    EXPECT_NEAR(BounceEaseOut(0.95), 0.984375 + 1.0 / 6400.0, kTolerance);
    EXPECT_NEAR(BounceEaseInOut(0.75), 0.5 + 0.5 * 0.765625, kTolerance);
}

TEST(PennerEasingTest, ExponentialEndsArePinned) {
    EXPECT_EQ(ExponentialEaseIn(0.0), 0.0);
    EXPECT_EQ(ExponentialEaseOut(1.0), 1.0);
    EXPECT_EQ(ExponentialEaseInOut(0.0), 0.0);
    EXPECT_EQ(ExponentialEaseInOut(1.0), 1.0);
    EXPECT_NEAR(ExponentialEaseIn(0.01), std::exp2(-9.9), kTolerance);
}

TEST(PennerEasingTest, ProgressOutsideTheRangeIsHeldAtTheNearerEnd) {
    // A view stepping in floating point may land just past 1, where the
    // circular curves have no real value.
    EXPECT_EQ(CircularEaseIn(1.0000001), 1.0);
    EXPECT_EQ(CircularEaseOut(-0.5), 0.0);
    EXPECT_EQ(CircularEaseInOut(1.7), 1.0);
    EXPECT_EQ(CubicEaseOut(3.0), 1.0);
    EXPECT_EQ(BackEaseIn(-2.0), 0.0);
    EXPECT_EQ(QuadraticEaseIn(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

}  // namespace
}  // namespace wexo

#include "easing/EasingCurveHelper.h"

#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "easing/EasingFunctions.h"

namespace wexo {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

bool contains(const std::string& s, const char* part) {
    return s.find(part) != std::string::npos;
}

TEST(EasingCurveHelperTest, NamesOfTheCatalogue) {
    EXPECT_EQ(EasingCurveHelper::getGraphName(0), "Linear");
    EXPECT_EQ(EasingCurveHelper::getGraphName(1), "QuadraticIn");
    EXPECT_EQ(EasingCurveHelper::getGraphName(2), "QuadraticOut");
    EXPECT_EQ(EasingCurveHelper::getGraphName(3), "QuadraticInOut");
    EXPECT_EQ(EasingCurveHelper::getGraphName(5), "CubicOut");
    EXPECT_EQ(EasingCurveHelper::getGraphName(9), "QuarticInOut");
    EXPECT_EQ(EasingCurveHelper::getGraphName(10), "QuinticIn");
    EXPECT_EQ(EasingCurveHelper::getGraphName(14), "SineOut");
    EXPECT_EQ(EasingCurveHelper::getGraphName(18), "CircularInOut");
    EXPECT_EQ(EasingCurveHelper::getGraphName(19), "ExpoIn");
    EXPECT_EQ(EasingCurveHelper::getGraphName(21), "ExpoInOut");
    EXPECT_EQ(EasingCurveHelper::getGraphName(23), "ElasticOut");
    EXPECT_EQ(EasingCurveHelper::getGraphName(27), "BackInOut");
    for (std::int64_t g : {std::int64_t{-1}, std::int64_t{28}, std::int64_t{100}, kMin, kMax}) {
        EXPECT_EQ(EasingCurveHelper::getGraphName(g), std::nullopt) << g;
    }
}

TEST(EasingCurveHelperTest, NamesCarryTheirVariant) {
    // Positions 1, 2, 3 of each triple are In, Out, InOut.
    for (std::int64_t g = 1; g <= 27; ++g) {
        const std::string name = EasingCurveHelper::getGraphName(g).value_or("");
        SCOPED_TRACE(name);
        switch ((g - 1) % 3) {
            case 0:
                EXPECT_TRUE(contains(name, "In"));
                EXPECT_FALSE(contains(name, "Out"));
                break;
            case 1:
                EXPECT_TRUE(contains(name, "Out"));
                EXPECT_FALSE(contains(name, "InOut"));
                break;
            default:
                EXPECT_TRUE(contains(name, "InOut"));
        }
    }
}

TEST(EasingCurveHelperTest, EaseOutPartners) {
    struct Pair {
        std::int64_t graph;
        std::int64_t partner;
    };
    const Pair pairs[] = {
        {0, 2},
        {1, 2},
        {2, 2},
        {3, 2},
        {4, 5},
        {5, 5},
        {6, 5},
        {13, 14},
        {18, 17},
        {19, 20},
        {20, 20},
        {21, 20},
        {22, 23},
        {24, 23},
        {25, 26},
        {27, 26},
        // Unnamed indexes count as In variants, including -1 (Bounce).
        {28, 29},
        {-1, 0},
        {-7, -6},
        {1000, 1001},
        // The last index has no successor and stays itself.
        {kMax, kMax},
    };
    for (const Pair& p : pairs) {
        EXPECT_EQ(EasingCurveHelper::findOutForGraph(p.graph), p.partner) << p.graph;
    }
}

TEST(EasingCurveHelperTest, FamilyAndVariantToGraphIndex) {
    for (std::int64_t variant : {0, 1, 2, 7, -1}) {
        EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(variant, 0), 0);
    }
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(0, 1), 1);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(1, 1), 2);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(2, 1), 3);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(1, 2), 5);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(0, 5), 13);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(0, 7), 19);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(1, 7), 20);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(2, 7), 21);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(0, 8), 22);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(2, 9), 27);
    // Any variant other than 0 and 1 is InOut.
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(5, 3), 9);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(-1, 4), 12);
    EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(kMin, 6), 18);
    // Bounce and anything outside the families have no graph index.
    for (std::int64_t family : {std::int64_t{10}, std::int64_t{11}, std::int64_t{-1}, kMin, kMax}) {
        EXPECT_EQ(EasingCurveHelper::getCurrentGraphType(1, family), -1) << family;
    }
}

TEST(EasingCurveHelperTest, BounceHasNoNameAndEvaluatesToZero) {
    const std::int64_t bounce = EasingCurveHelper::getCurrentGraphType(1, 10);
    EXPECT_EQ(EasingCurveHelper::getGraphName(bounce), std::nullopt);
    for (double t : {0.0, 10.0, 42.0}) {
        EXPECT_EQ(EasingFunctions::getDelayByGraph(bounce, t, 0.0, 1.0, 42.0), 0.0);
    }
}

TEST(EasingCurveHelperTest, DrawingCurvesOfTheFamiliesWithoutGraphIndex) {
    // Families 0 to 7 are checked against the evaluated curves below.
    EXPECT_EQ(EasingCurveHelper::setCurrentCurve(0, 8), &ElasticEaseIn);
    EXPECT_EQ(EasingCurveHelper::setCurrentCurve(1, 9), &BackEaseOut);
    EXPECT_EQ(EasingCurveHelper::setCurrentCurve(0, 10), &BounceEaseIn);
    EXPECT_EQ(EasingCurveHelper::setCurrentCurve(-3, 10), &BounceEaseInOut);
    for (std::int64_t family : {std::int64_t{11}, std::int64_t{-1}, kMin, kMax}) {
        EXPECT_EQ(EasingCurveHelper::setCurrentCurve(0, family), nullptr) << family;
    }
}

TEST(EasingCurveHelperTest, DrawnCurveIsTheOneTheAnimationEvaluates) {
    // The picker shows a curve and stores its graph index; both must be the
    // same curve wherever the animations can evaluate it.
    for (std::int64_t family = 0; family <= 7; ++family) {
        for (std::int64_t variant : {0, 1, 2, 5}) {
            const EasingFunction drawn = EasingCurveHelper::setCurrentCurve(variant, family);
            const std::int64_t graph = EasingCurveHelper::getCurrentGraphType(variant, family);
            ASSERT_NE(drawn, nullptr);
            for (double p : {0.1, 0.3, 0.5, 0.7, 0.9}) {
                EXPECT_NEAR(drawn(p), EasingFunctions::getDelayByGraph(graph, p * 50, 0, 1, 50),
                            1e-12)
                    << "family " << family << " variant " << variant << " at " << p;
            }
        }
    }
}

}  // namespace
}  // namespace wexo

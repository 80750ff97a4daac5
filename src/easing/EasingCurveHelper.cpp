#include "easing/EasingCurveHelper.h"

#include <array>
#include <limits>
#include <string_view>

namespace wexo {

namespace {

// Graph index → title. Kept as views so that the pairing below reads names
// without building strings.
constexpr std::array<std::string_view, 28> kGraphNames = {
    "Linear",                                         // 0
    "QuadraticIn", "QuadraticOut", "QuadraticInOut",  // 1-3
    "CubicIn",     "CubicOut",     "CubicInOut",      // 4-6
    "QuarticIn",   "QuarticOut",   "QuarticInOut",    // 7-9
    "QuinticIn",   "QuinticOut",   "QuinticInOut",    // 10-12
    "SineIn",      "SineOut",      "SineInOut",       // 13-15
    "CircularIn",  "CircularOut",  "CircularInOut",   // 16-18
    "ExpoIn",      "ExpoOut",      "ExpoInOut",       // 19-21
    "ElasticIn",   "ElasticOut",   "ElasticInOut",    // 22-24
    "BackIn",      "BackOut",      "BackInOut",       // 25-27
};

std::optional<std::string_view> graphName(std::int64_t graph) {
    if (graph < 0 || graph >= static_cast<std::int64_t>(kGraphNames.size())) return std::nullopt;
    return kGraphNames[static_cast<std::size_t>(graph)];
}

// Families 1 to 9 own the In, Out, InOut triples of graph indexes 1 to 27;
// Bounce is drawn but never evaluated.
constexpr std::int64_t kLastIndexedFamily = 9;
constexpr std::int64_t kBounceFamily = 10;

// Variant → column 0 In, 1 Out, 2 InOut.
std::size_t column(std::int64_t variant) {
    if (variant == 0) return 0;
    if (variant == 1) return 1;
    return 2;
}

constexpr std::array<std::array<EasingFunction, 3>, kBounceFamily + 1> kCurves = {{
    {LinearInterpolation, LinearInterpolation, LinearInterpolation},
    {QuadraticEaseIn, QuadraticEaseOut, QuadraticEaseInOut},
    {CubicEaseIn, CubicEaseOut, CubicEaseInOut},
    {QuarticEaseIn, QuarticEaseOut, QuarticEaseInOut},
    {QuinticEaseIn, QuinticEaseOut, QuinticEaseInOut},
    {SineEaseIn, SineEaseOut, SineEaseInOut},
    {CircularEaseIn, CircularEaseOut, CircularEaseInOut},
    {ExponentialEaseIn, ExponentialEaseOut, ExponentialEaseInOut},
    {ElasticEaseIn, ElasticEaseOut, ElasticEaseInOut},
    {BackEaseIn, BackEaseOut, BackEaseInOut},
    {BounceEaseIn, BounceEaseOut, BounceEaseInOut},
}};

}  // namespace

std::optional<std::string> EasingCurveHelper::getGraphName(std::int64_t graph) {
    const auto name = graphName(graph);
    if (!name) return std::nullopt;
    return std::string(*name);
}

std::int64_t EasingCurveHelper::findOutForGraph(std::int64_t graph) {
    const std::string_view name = graphName(graph).value_or(std::string_view{});
    if (name.find("InOut") != std::string_view::npos) return graph - 1;
    if (name.find("Out") != std::string_view::npos) return graph;
    if (graph == 0) return 2;
    // The last index has no successor; it has no name either, so it evaluates
    // exactly as its successor would.
    if (graph == std::numeric_limits<std::int64_t>::max()) return graph;
    return graph + 1;
}

std::int64_t EasingCurveHelper::getCurrentGraphType(std::int64_t variant,
                                                    std::int64_t switchNumber) {
    if (switchNumber < 0 || switchNumber > kLastIndexedFamily) return -1;
    if (switchNumber == 0) return 0;
    return 3 * switchNumber - 2 + static_cast<std::int64_t>(column(variant));
}

EasingFunction EasingCurveHelper::setCurrentCurve(std::int64_t variant, std::int64_t switchNumber) {
    if (switchNumber < 0 || switchNumber > kBounceFamily) return nullptr;
    return kCurves[static_cast<std::size_t>(switchNumber)][column(variant)];
}

}  // namespace wexo

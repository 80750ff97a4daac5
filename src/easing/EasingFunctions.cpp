#include "easing/EasingFunctions.h"

#include <cmath>
#include <iterator>
#include <numbers>

namespace wexo {

namespace {

constexpr double kPi = std::numbers::pi;

// Brings (t, d) into the range the equations are defined on; see the header.
// Written so that a NaN time fails the first test and lands on 0.
struct Span {
    double t;
    double d;
};

Span span(double t, double d) {
    if (!(d > 0.0)) return {1.0, 1.0};
    return {t > 0.0 ? (t < d ? t : d) : 0.0, d};
}

}  // namespace

double EasingFunctions::linear(double t, double b, double c, double d) {
    const auto [tt, dd] = span(t, d);
    return c * tt / dd + b;
}

double EasingFunctions::quadraticIn(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd;
    return c * tt * tt + b;
}

double EasingFunctions::quadraticOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd;
    return -c * tt * (tt - 2.0) + b;
}

double EasingFunctions::quadraticInOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd / 2.0;
    if (tt < 1.0) return c / 2.0 * tt * tt + b;
    tt -= 1.0;
    return -c / 2.0 * (tt * (tt - 2.0) - 1.0) + b;
}

double EasingFunctions::cubicIn(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd;
    return c * tt * tt * tt + b;
}

double EasingFunctions::cubicOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt = tt / dd - 1.0;
    return c * (tt * tt * tt + 1.0) + b;
}

double EasingFunctions::cubicInOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd / 2.0;
    if (tt < 1.0) return c / 2.0 * tt * tt * tt + b;
    tt -= 2.0;
    return c / 2.0 * (tt * tt * tt + 2.0) + b;
}

double EasingFunctions::quarticIn(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd;
    return c * tt * tt * tt * tt + b;
}

double EasingFunctions::quarticOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt = tt / dd - 1.0;
    return -c * (tt * tt * tt * tt - 1.0) + b;
}

double EasingFunctions::quarticInOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd / 2.0;
    if (tt < 1.0) return c / 2.0 * tt * tt * tt * tt + b;
    tt -= 2.0;
    return -c / 2.0 * (tt * tt * tt * tt - 2.0) + b;
}

double EasingFunctions::quinticIn(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd;
    return c * tt * tt * tt * tt * tt + b;
}

double EasingFunctions::quinticOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt = tt / dd - 1.0;
    return c * (tt * tt * tt * tt * tt + 1.0) + b;
}

double EasingFunctions::quinticInOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd / 2.0;
    if (tt < 1.0) return c / 2.0 * tt * tt * tt * tt * tt + b;
    tt -= 2.0;
    return c / 2.0 * (tt * tt * tt * tt * tt + 2.0) + b;
}

double EasingFunctions::sinusoidalIn(double t, double b, double c, double d) {
    const auto [tt, dd] = span(t, d);
    return -c * std::cos(tt / dd * (kPi / 2.0)) + c + b;
}

double EasingFunctions::sinusoidalOut(double t, double b, double c, double d) {
    const auto [tt, dd] = span(t, d);
    return c * std::sin(tt / dd * (kPi / 2.0)) + b;
}

double EasingFunctions::sinusoidalInOut(double t, double b, double c, double d) {
    const auto [tt, dd] = span(t, d);
    return -c / 2.0 * (std::cos(kPi * tt / dd) - 1.0) + b;
}

double EasingFunctions::circularIn(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd;
    return -c * (std::sqrt(1.0 - tt * tt) - 1.0) + b;
}

double EasingFunctions::circularOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt = tt / dd - 1.0;
    return c * std::sqrt(1.0 - tt * tt) + b;
}

double EasingFunctions::circularInOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd / 2.0;
    if (tt < 1.0) return -c / 2.0 * (std::sqrt(1.0 - tt * tt) - 1.0) + b;
    tt -= 2.0;
    return c / 2.0 * (std::sqrt(1.0 - tt * tt) + 1.0) + b;
}

double EasingFunctions::exponentialIn(double t, double b, double c, double d) {
    const auto [tt, dd] = span(t, d);
    return c * std::exp2(10.0 * (tt / dd - 1.0)) + b;
}

double EasingFunctions::exponentialOut(double t, double b, double c, double d) {
    const auto [tt, dd] = span(t, d);
    return c * (-std::exp2(-10.0 * tt / dd) + 1.0) + b;
}

double EasingFunctions::exponentialInOut(double t, double b, double c, double d) {
    auto [tt, dd] = span(t, d);
    tt /= dd / 2.0;
    if (tt < 1.0) return c / 2.0 * std::exp2(10.0 * (tt - 1.0)) + b;
    tt -= 1.0;
    return c / 2.0 * (-std::exp2(-10.0 * tt) + 2.0) + b;
}

double EasingFunctions::getDelayByGraph(std::int64_t graph, double currentTime, double startValue,
                                        double changeInValue, double duration) {
    using Curve = double (*)(double, double, double, double);
    // In graph-index order: Linear, then In, Out, InOut of each family.
    static constexpr Curve kCurves[] = {
        linear,        quadraticIn,   quadraticOut,   quadraticInOut,   cubicIn,    cubicOut,
        cubicInOut,    quarticIn,     quarticOut,     quarticInOut,     quinticIn,  quinticOut,
        quinticInOut,  sinusoidalIn,  sinusoidalOut,  sinusoidalInOut,  circularIn, circularOut,
        circularInOut, exponentialIn, exponentialOut, exponentialInOut,
    };
    constexpr auto kCount = static_cast<std::int64_t>(std::size(kCurves));
    static_assert(kCount == 22, "graph indexes 0 to 21 are evaluated");
    if (graph < 0 || graph >= kCount) return 0.0;
    return kCurves[graph](currentTime, startValue, changeInValue, duration);
}

}  // namespace wexo

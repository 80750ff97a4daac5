#include "easing/PennerEasing.h"

#include <cmath>
#include <numbers>

namespace wexo {

namespace {

constexpr double kPi = std::numbers::pi;

// Written so that NaN fails the first test and lands on 0.
double unit(double p) {
    return p > 0.0 ? (p < 1.0 ? p : 1.0) : 0.0;
}

// Penner's overshoot for Back: the curve dips about 10 % below its start.
constexpr double kBackOvershoot = 1.70158;
// The InOut variant spreads the overshoot over two halves, hence the larger s.
constexpr double kBackInOutOvershoot = kBackOvershoot * 1.525;

constexpr double kElasticPeriod = 0.3;
constexpr double kElasticInOutPeriod = 0.3 * 1.5;

double bounceOut(double p) {
    // Four parabolic arcs that land on 1; between landings the curve falls back
    // to 3/4, 15/16 and 63/64.
    constexpr double k = 7.5625;
    if (p < 1.0 / 2.75) return k * p * p;
    if (p < 2.0 / 2.75) {
        p -= 1.5 / 2.75;
        return k * p * p + 0.75;
    }
    if (p < 2.5 / 2.75) {
        p -= 2.25 / 2.75;
        return k * p * p + 0.9375;
    }
    p -= 2.625 / 2.75;
    return k * p * p + 0.984375;
}

}  // namespace

double LinearInterpolation(double p) {
    return unit(p);
}

double QuadraticEaseIn(double p) {
    p = unit(p);
    return p * p;
}

double QuadraticEaseOut(double p) {
    p = unit(p);
    return -p * (p - 2.0);
}

double QuadraticEaseInOut(double p) {
    double u = 2.0 * unit(p);
    if (u < 1.0) return 0.5 * u * u;
    u -= 1.0;
    return -0.5 * (u * (u - 2.0) - 1.0);
}

double CubicEaseIn(double p) {
    p = unit(p);
    return p * p * p;
}

double CubicEaseOut(double p) {
    const double f = unit(p) - 1.0;
    return f * f * f + 1.0;
}

double CubicEaseInOut(double p) {
    double u = 2.0 * unit(p);
    if (u < 1.0) return 0.5 * u * u * u;
    u -= 2.0;
    return 0.5 * (u * u * u + 2.0);
}

double QuarticEaseIn(double p) {
    p = unit(p);
    return p * p * p * p;
}

double QuarticEaseOut(double p) {
    const double f = unit(p) - 1.0;
    return 1.0 - f * f * f * f;
}

double QuarticEaseInOut(double p) {
    double u = 2.0 * unit(p);
    if (u < 1.0) return 0.5 * u * u * u * u;
    u -= 2.0;
    return -0.5 * (u * u * u * u - 2.0);
}

double QuinticEaseIn(double p) {
    p = unit(p);
    return p * p * p * p * p;
}

double QuinticEaseOut(double p) {
    const double f = unit(p) - 1.0;
    return f * f * f * f * f + 1.0;
}

double QuinticEaseInOut(double p) {
    double u = 2.0 * unit(p);
    if (u < 1.0) return 0.5 * u * u * u * u * u;
    u -= 2.0;
    return 0.5 * (u * u * u * u * u + 2.0);
}

double SineEaseIn(double p) {
    return 1.0 - std::cos(unit(p) * kPi / 2.0);
}

double SineEaseOut(double p) {
    return std::sin(unit(p) * kPi / 2.0);
}

double SineEaseInOut(double p) {
    return -0.5 * (std::cos(kPi * unit(p)) - 1.0);
}

double CircularEaseIn(double p) {
    p = unit(p);
    return 1.0 - std::sqrt(1.0 - p * p);
}

double CircularEaseOut(double p) {
    const double f = unit(p) - 1.0;
    return std::sqrt(1.0 - f * f);
}

double CircularEaseInOut(double p) {
    double u = 2.0 * unit(p);
    if (u < 1.0) return -0.5 * (std::sqrt(1.0 - u * u) - 1.0);
    u -= 2.0;
    return 0.5 * (std::sqrt(1.0 - u * u) + 1.0);
}

// The bare exponential stops 2^-10 short of each end; the curve views want the
// drawn curve to start and end on the grid, so the ends are pinned.
double ExponentialEaseIn(double p) {
    p = unit(p);
    return p == 0.0 ? 0.0 : std::exp2(10.0 * (p - 1.0));
}

double ExponentialEaseOut(double p) {
    p = unit(p);
    return p == 1.0 ? 1.0 : 1.0 - std::exp2(-10.0 * p);
}

double ExponentialEaseInOut(double p) {
    p = unit(p);
    if (p == 0.0 || p == 1.0) return p;
    const double u = 2.0 * p;
    if (u < 1.0) return 0.5 * std::exp2(10.0 * (u - 1.0));
    return 0.5 * (2.0 - std::exp2(-10.0 * (u - 1.0)));
}

// The phase shift of a quarter period makes the sine reach -1 (In) or start
// from -1 (Out) exactly at the end where the envelope is 1.
double ElasticEaseIn(double p) {
    p = unit(p);
    if (p == 0.0 || p == 1.0) return p;
    constexpr double s = kElasticPeriod / 4.0;
    const double f = p - 1.0;
    return -(std::exp2(10.0 * f) * std::sin((f - s) * 2.0 * kPi / kElasticPeriod));
}

double ElasticEaseOut(double p) {
    p = unit(p);
    if (p == 0.0 || p == 1.0) return p;
    constexpr double s = kElasticPeriod / 4.0;
    return std::exp2(-10.0 * p) * std::sin((p - s) * 2.0 * kPi / kElasticPeriod) + 1.0;
}

double ElasticEaseInOut(double p) {
    p = unit(p);
    if (p == 0.0 || p == 1.0) return p;
    constexpr double s = kElasticInOutPeriod / 4.0;
    const double f = 2.0 * p - 1.0;
    const double wave = std::sin((f - s) * 2.0 * kPi / kElasticInOutPeriod);
    if (f < 0.0) return -0.5 * std::exp2(10.0 * f) * wave;
    return 0.5 * std::exp2(-10.0 * f) * wave + 1.0;
}

double BackEaseIn(double p) {
    p = unit(p);
    constexpr double s = kBackOvershoot;
    return p * p * ((s + 1.0) * p - s);
}

double BackEaseOut(double p) {
    const double f = unit(p) - 1.0;
    constexpr double s = kBackOvershoot;
    return f * f * ((s + 1.0) * f + s) + 1.0;
}

double BackEaseInOut(double p) {
    double u = 2.0 * unit(p);
    constexpr double s = kBackInOutOvershoot;
    if (u < 1.0) return 0.5 * (u * u * ((s + 1.0) * u - s));
    u -= 2.0;
    return 0.5 * (u * u * ((s + 1.0) * u + s) + 2.0);
}

double BounceEaseIn(double p) {
    return 1.0 - bounceOut(1.0 - unit(p));
}

double BounceEaseOut(double p) {
    return bounceOut(unit(p));
}

double BounceEaseInOut(double p) {
    p = unit(p);
    if (p < 0.5) return 0.5 * BounceEaseIn(2.0 * p);
    return 0.5 * bounceOut(2.0 * p - 1.0) + 0.5;
}

}  // namespace wexo

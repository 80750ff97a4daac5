#pragma once

// Robert Penner's easing equations by progress: each function takes the
// progress p of an animation, 0 at its start and 1 at its end, and returns the
// eased progress. These draw and demonstrate curves; the animations evaluate
// their curves through EasingFunctions instead.
//
// A progress outside 0…1 (or NaN) is taken as the nearer end (NaN as 0): the
// equations are defined only there, and beyond it the circular curves have no
// real value. Every function returns exactly 0 at p = 0 and 1 at p = 1, up to
// rounding; Back and Elastic leave 0…1 on the way, as their shapes require.

namespace wexo {

// The type a curve view holds to draw its curve.
using EasingFunction = double (*)(double);

double LinearInterpolation(double p);

double QuadraticEaseIn(double p);
double QuadraticEaseOut(double p);
double QuadraticEaseInOut(double p);

double CubicEaseIn(double p);
double CubicEaseOut(double p);
double CubicEaseInOut(double p);

double QuarticEaseIn(double p);
double QuarticEaseOut(double p);
double QuarticEaseInOut(double p);

double QuinticEaseIn(double p);
double QuinticEaseOut(double p);
double QuinticEaseInOut(double p);

double SineEaseIn(double p);
double SineEaseOut(double p);
double SineEaseInOut(double p);

double CircularEaseIn(double p);
double CircularEaseOut(double p);
double CircularEaseInOut(double p);

// Exact 0 at p = 0 and 1 at p = 1, unlike the bare exponential.
double ExponentialEaseIn(double p);
double ExponentialEaseOut(double p);
double ExponentialEaseInOut(double p);

// Amplitude 1, period 0.3 (0.45 for InOut), with exact end points.
double ElasticEaseIn(double p);
double ElasticEaseOut(double p);
double ElasticEaseInOut(double p);

// Overshoot s = 1.70158 (about 10 %), scaled by 1.525 for InOut.
double BackEaseIn(double p);
double BackEaseOut(double p);
double BackEaseInOut(double p);

double BounceEaseIn(double p);
double BounceEaseOut(double p);
double BounceEaseInOut(double p);

}  // namespace wexo

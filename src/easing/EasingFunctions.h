#pragma once

#include <cstdint>

namespace wexo {

// The curves the animations evaluate, by graph index. Each method takes the
// current time t, the start value b, the change c and the duration d and
// returns b + c × the eased fraction of t ÷ d, by Penner's equation.
//
// The time is taken within 0…d (NaN as 0) and a duration that is not positive
// as a finished animation (t = d): outside that range the equations either run
// away or, for the circular curves, have no value, and callers truncate the
// result to whole pixels.
//
// The exponential curves keep no special case at the ends: In starts at
// b + c × 2^-10, Out ends at b + c × (1 − 2^-10), InOut does both with half of
// that, so an animation on the exponential Out curve ends 2^-10 of its distance
// short.
class EasingFunctions {
  public:
    EasingFunctions() = delete;

    static double linear(double t, double startValue, double changeInValue, double duration);

    static double quadraticIn(double t, double startValue, double changeInValue, double duration);
    static double quadraticOut(double t, double startValue, double changeInValue, double duration);
    static double quadraticInOut(double t, double startValue, double changeInValue,
                                 double duration);

    static double cubicIn(double t, double startValue, double changeInValue, double duration);
    static double cubicOut(double t, double startValue, double changeInValue, double duration);
    static double cubicInOut(double t, double startValue, double changeInValue, double duration);

    static double quarticIn(double t, double startValue, double changeInValue, double duration);
    static double quarticOut(double t, double startValue, double changeInValue, double duration);
    static double quarticInOut(double t, double startValue, double changeInValue, double duration);

    static double quinticIn(double t, double startValue, double changeInValue, double duration);
    static double quinticOut(double t, double startValue, double changeInValue, double duration);
    static double quinticInOut(double t, double startValue, double changeInValue, double duration);

    static double sinusoidalIn(double t, double startValue, double changeInValue, double duration);
    static double sinusoidalOut(double t, double startValue, double changeInValue, double duration);
    static double sinusoidalInOut(double t, double startValue, double changeInValue,
                                  double duration);

    static double circularIn(double t, double startValue, double changeInValue, double duration);
    static double circularOut(double t, double startValue, double changeInValue, double duration);
    static double circularInOut(double t, double startValue, double changeInValue, double duration);

    static double exponentialIn(double t, double startValue, double changeInValue, double duration);
    static double exponentialOut(double t, double startValue, double changeInValue,
                                 double duration);
    static double exponentialInOut(double t, double startValue, double changeInValue,
                                   double duration);

    // The curve of graph index `graph` (0 to 21) at `currentTime`. Elastic and
    // Back (22 to 27) have no evaluated curve, and no other index names one:
    // those give 0.0, so an animation on them moves nothing until its frames
    // run out.
    static double getDelayByGraph(std::int64_t graph, double currentTime, double startValue,
                                  double changeInValue, double duration);
};

}  // namespace wexo

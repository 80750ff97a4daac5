#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace wexo {

// Truncation toward zero of a measured or computed double into an integer
// field. Event locations and settings may hold anything a double can, and a
// plain cast of a value outside the integer's range is undefined, so these
// saturate at the range's ends and read NaN as 0.
template <class Int>
constexpr Int truncateToward0(double v) {
    if (std::isnan(v)) return 0;
    constexpr double kMax = static_cast<double>(std::numeric_limits<Int>::max());
    constexpr double kMin = static_cast<double>(std::numeric_limits<Int>::min());
    if (v >= kMax) return std::numeric_limits<Int>::max();
    if (v <= kMin) return std::numeric_limits<Int>::min();
    return static_cast<Int>(v);
}

inline std::int64_t truncToInt64(double v) {
    return truncateToward0<std::int64_t>(v);
}
inline std::int32_t truncToInt32(double v) {
    return truncateToward0<std::int32_t>(v);
}

// |v|, with the most negative integer's magnitude saturated.
inline std::int64_t magnitude(std::int64_t v) {
    if (v == std::numeric_limits<std::int64_t>::min())
        return std::numeric_limits<std::int64_t>::max();
    return v < 0 ? -v : v;
}

}  // namespace wexo

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "easing/PennerEasing.h"

namespace wexo {

// Names and pairings of the graph indexes, and the mapping from the curve
// picker's coordinates (family, variant) to graph indexes and drawing curves.
//
// Families: 0 Linear, 1 Quadratic, 2 Cubic, 3 Quartic, 4 Quintic, 5 Sine,
// 6 Circular, 7 Exponential, 8 Elastic, 9 Back, 10 Bounce. Variants: 0 In,
// 1 Out, any other value InOut.
class EasingCurveHelper {
  public:
    EasingCurveHelper() = delete;

    // The title of a graph index (0 to 27), or nothing for any other index.
    // Every Out name contains "Out" but not "InOut", every InOut name contains
    // "InOut", and In names and "Linear" contain neither; findOutForGraph
    // depends on that.
    static std::optional<std::string> getGraphName(std::int64_t graph);

    // The ease-out partner of a graph index, which an animation switches to
    // when new input arrives while it runs: InOut gives the Out before it, In
    // the Out after it, Out itself, and Linear the quadratic Out (2). An index
    // without a name counts as an In variant (graph + 1).
    static std::int64_t findOutForGraph(std::int64_t graph);

    // The graph index of a family and variant; -1 (no curve, evaluates to 0)
    // for Bounce, which has no graph index, and for any family outside 0 to 10.
    static std::int64_t getCurrentGraphType(std::int64_t variant, std::int64_t switchNumber);

    // The drawing curve of a family and variant, or nullptr for a family
    // outside 0 to 10. Linear is the same for every variant.
    static EasingFunction setCurrentCurve(std::int64_t variant, std::int64_t switchNumber);
};

}  // namespace wexo

#pragma once

#include <cstdint>
#include <optional>

#include "plist/Value.h"

namespace wexo {

// One complete set of scroll settings: nine flags and seven numbers. A value
// type: copying a set copies all sixteen fields. The numbers may be empty
// (left out of a stored set); the initialised values below are what a fresh
// set holds and what a stored set lacking a number reads as.
class SingleScrollSettingsObject {
  public:
    // The values of a fresh set.
    static constexpr double kDefaultLinesNumber = 2;
    static constexpr std::int64_t kDefaultMultiplyLinesNumber = 2;
    static constexpr std::int64_t kDefaultDivideLinesNumber = 2;
    static constexpr std::int64_t kDefaultScrollSpeed = 700;
    static constexpr double kDefaultContidDelta = 0.5;
    static constexpr std::int64_t kDefaultScrollAnimationIndex = 5;  // cubic ease-out

    SingleScrollSettingsObject() = default;

    // A set read from its stored dictionary: a missing (or mistyped) flag
    // reads as no, a missing (or mistyped) number as the fresh set's value.
    static SingleScrollSettingsObject withDict(const plist::Dictionary& dict);
    // A set built from the single-set preference keys of older versions,
    // each with its own fall-back; the two line-factor flags fall back to no.
    static SingleScrollSettingsObject withMigration();

    // All sixteen fields equal, numbers by value (two empty numbers are equal).
    bool sameSettingsAs(const SingleScrollSettingsObject& other) const;

    bool isNativeScroll = false;
    bool isMultiplyLines = true;
    bool isDivideLines = true;
    bool isContinuous = true;
    bool isAnimatingScroll = true;
    bool isAnimatingHorizontalScroll = true;
    bool isAnimatingVerticalScroll = true;
    bool isReverseHorizontal = false;
    bool isReverseVertical = false;
    std::optional<double> verticalLinesNumber = kDefaultLinesNumber;
    std::optional<double> horizontalLinesNumber = kDefaultLinesNumber;
    std::optional<std::int64_t> multiplyLinesNumber = kDefaultMultiplyLinesNumber;
    std::optional<std::int64_t> divideLinesNumber = kDefaultDivideLinesNumber;
    std::optional<std::int64_t> scrollSpeed = kDefaultScrollSpeed;  // milliseconds per notch
    std::optional<double> contidDelta = kDefaultContidDelta;
    std::optional<std::int64_t> scrollAnimationIndex = kDefaultScrollAnimationIndex;
};

}  // namespace wexo

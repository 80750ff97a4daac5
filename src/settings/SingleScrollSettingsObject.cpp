#include "settings/SingleScrollSettingsObject.h"

#include "actions/StoredValues.h"
#include "settings/KxDefaults.h"

namespace wexo {

SingleScrollSettingsObject SingleScrollSettingsObject::withDict(const plist::Dictionary& dict) {
    auto flag = [&](const char* key) { return StoredValues::boolean(dict, key).value_or(false); };
    SingleScrollSettingsObject s;
    s.isNativeScroll = flag("isNativeScroll");
    s.isMultiplyLines = flag("isMultiplyLines");
    s.isDivideLines = flag("isDivideLines");
    s.isContinuous = flag("isContinuous");
    s.isAnimatingScroll = flag("isAnimatingScroll");
    s.isAnimatingHorizontalScroll = flag("isAnimatingHorizontalScroll");
    s.isAnimatingVerticalScroll = flag("isAnimatingVerticalScroll");
    s.isReverseHorizontal = flag("isReverseHorizontal");
    s.isReverseVertical = flag("isReverseVertical");
    // An empty number would make the wheel see zero lines or a zero duration;
    // the fresh set's value is what the user had before the key went missing
    // far more often than nothing at all.
    s.verticalLinesNumber =
        StoredValues::real(dict, "verticalLinesNumber").value_or(kDefaultLinesNumber);
    s.horizontalLinesNumber =
        StoredValues::real(dict, "horizontalLinesNumber").value_or(kDefaultLinesNumber);
    s.multiplyLinesNumber =
        StoredValues::integer(dict, "multiplyLinesNumber").value_or(kDefaultMultiplyLinesNumber);
    s.divideLinesNumber =
        StoredValues::integer(dict, "divideLinesNumber").value_or(kDefaultDivideLinesNumber);
    s.scrollSpeed = StoredValues::integer(dict, "scrollSpeed").value_or(kDefaultScrollSpeed);
    s.contidDelta = StoredValues::real(dict, "contidDelta").value_or(kDefaultContidDelta);
    s.scrollAnimationIndex =
        StoredValues::integer(dict, "scrollAnimationIndex").value_or(kDefaultScrollAnimationIndex);
    return s;
}

SingleScrollSettingsObject SingleScrollSettingsObject::withMigration() {
    SingleScrollSettingsObject s;
    s.isNativeScroll = KxDefaults::getScrollNative().value_or(false);
    s.isMultiplyLines = KxDefaults::getEnableMultiplyLines().value_or(false);
    s.isDivideLines = KxDefaults::getEnableDivideLines().value_or(false);
    s.isContinuous = KxDefaults::getScrollAnimationContinuous().value_or(true);
    s.isAnimatingScroll = KxDefaults::getScrollAnimate().value_or(true);
    s.isAnimatingHorizontalScroll = KxDefaults::getHorzScrollAnimate().value_or(true);
    s.isAnimatingVerticalScroll = KxDefaults::getVerScrollAnimate().value_or(true);
    s.verticalLinesNumber = KxDefaults::getScrollLinesNumber().value_or(kDefaultLinesNumber);
    s.horizontalLinesNumber = KxDefaults::getHorzScrollLinesNumber().value_or(kDefaultLinesNumber);
    s.multiplyLinesNumber =
        KxDefaults::getMultiplyLinesNumber().value_or(kDefaultMultiplyLinesNumber);
    s.divideLinesNumber = KxDefaults::getDivideLinesNumber().value_or(kDefaultDivideLinesNumber);
    s.scrollSpeed = KxDefaults::getScrollSpeed().value_or(kDefaultScrollSpeed);
    s.contidDelta = KxDefaults::getContinDelta().value_or(kDefaultContidDelta);
    s.scrollAnimationIndex =
        KxDefaults::getScrollAnimationSelected().value_or(kDefaultScrollAnimationIndex);
    s.isReverseHorizontal = KxDefaults::getReverseMouseHorizontal().value_or(false);
    s.isReverseVertical = KxDefaults::getReverseMouse().value_or(false);
    return s;
}

bool SingleScrollSettingsObject::sameSettingsAs(const SingleScrollSettingsObject& o) const {
    return isNativeScroll == o.isNativeScroll && isMultiplyLines == o.isMultiplyLines &&
           isDivideLines == o.isDivideLines && isContinuous == o.isContinuous &&
           isAnimatingScroll == o.isAnimatingScroll &&
           isAnimatingHorizontalScroll == o.isAnimatingHorizontalScroll &&
           isAnimatingVerticalScroll == o.isAnimatingVerticalScroll &&
           isReverseHorizontal == o.isReverseHorizontal &&
           isReverseVertical == o.isReverseVertical &&
           verticalLinesNumber == o.verticalLinesNumber &&
           horizontalLinesNumber == o.horizontalLinesNumber &&
           multiplyLinesNumber == o.multiplyLinesNumber &&
           divideLinesNumber == o.divideLinesNumber && scrollSpeed == o.scrollSpeed &&
           contidDelta == o.contidDelta && scrollAnimationIndex == o.scrollAnimationIndex;
}

}  // namespace wexo

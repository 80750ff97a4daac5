#include "settings/KxDefaults.h"

#include "actions/StoredValues.h"
#include "platform/Platform.h"

namespace wexo {

namespace {

platform::PreferenceStore& store() {
    return installedPlatform().preferences();
}

std::optional<bool> readBool(std::string_view key) {
    auto v = store().objectForKey(key);
    return StoredValues::boolean(v ? &*v : nullptr, key);
}

std::optional<std::int64_t> readInteger(std::string_view key) {
    auto v = store().objectForKey(key);
    return StoredValues::integer(v ? &*v : nullptr, key);
}

std::optional<double> readReal(std::string_view key) {
    auto v = store().objectForKey(key);
    return StoredValues::real(v ? &*v : nullptr, key);
}

std::optional<std::string> readString(std::string_view key) {
    auto v = store().objectForKey(key);
    return StoredValues::string(v ? &*v : nullptr, key);
}

std::optional<plist::Dictionary> readDictionary(std::string_view key) {
    auto v = store().objectForKey(key);
    if (auto* d = StoredValues::dictionary(v ? &*v : nullptr, key)) return *d;
    return std::nullopt;
}

std::optional<plist::Array> readArray(std::string_view key) {
    auto v = store().objectForKey(key);
    if (auto* a = StoredValues::array(v ? &*v : nullptr, key)) return *a;
    return std::nullopt;
}

// An array of strings; members of another type are left out.
std::optional<std::vector<std::string>> readStrings(std::string_view key) {
    auto array = readArray(key);
    if (!array) return std::nullopt;
    std::vector<std::string> strings;
    for (const auto& member : *array) {
        if (auto s = StoredValues::string(&member, key)) strings.push_back(std::move(*s));
    }
    return strings;
}

bool write(std::string_view key, plist::Value value) {
    return store().setObjectForKey(key, std::move(value));
}

template <class T>
bool writeOptional(std::string_view key, std::optional<T> value) {
    if (!value) {
        store().removeObjectForKey(key);
        return true;
    }
    return write(key, plist::Value(std::move(*value)));
}

plist::Value stringArray(const std::vector<std::string>& strings) {
    plist::Array array;
    array.reserve(strings.size());
    for (const auto& s : strings) array.emplace_back(s);
    return plist::Value(std::move(array));
}

}  // namespace

std::optional<bool> KxDefaults::getScrollingEnabled() {
    return readBool("scrollingEnabled");
}
bool KxDefaults::setScrollingEnabled(bool value) {
    return write("scrollingEnabled", plist::Value(value));
}

std::optional<plist::Dictionary> KxDefaults::getAllDisplaysScrollSettings() {
    return readDictionary("allDisplaysScrollSettings");
}
bool KxDefaults::setAllDisplaysScrollSettings(plist::Dictionary value) {
    return write("allDisplaysScrollSettings", plist::Value(std::move(value)));
}

std::optional<std::vector<std::string>> KxDefaults::getDisabledAppsArray() {
    return readStrings("disabledAppsArray");
}
bool KxDefaults::setDisabledAppsArray(const std::vector<std::string>& value) {
    return write("disabledAppsArray", stringArray(value));
}

std::optional<bool> KxDefaults::getScrollNative() {
    return readBool("scrollNative");
}
bool KxDefaults::setScrollNative(bool value) {
    return write("scrollNative", plist::Value(value));
}

std::optional<double> KxDefaults::getScrollLinesNumber() {
    return readReal("scrollLinesNumber");
}
bool KxDefaults::setScrollLinesNumber(std::optional<double> value) {
    return writeOptional("scrollLinesNumber", value);
}

std::optional<double> KxDefaults::getHorzScrollLinesNumber() {
    return readReal("scrollHorzLinesNumber");
}
bool KxDefaults::setHorzScrollLinesNumber(std::optional<double> value) {
    return writeOptional("scrollHorzLinesNumber", value);
}

std::optional<bool> KxDefaults::getScrollAnimate() {
    return readBool("scrollAnimate");
}
bool KxDefaults::setScrollAnimate(bool value) {
    return write("scrollAnimate", plist::Value(value));
}

std::optional<bool> KxDefaults::getHorzScrollAnimate() {
    return readBool("horzScrollAnimate");
}
bool KxDefaults::setHorzScrollAnimate(bool value) {
    return write("horzScrollAnimate", plist::Value(value));
}

std::optional<bool> KxDefaults::getVerScrollAnimate() {
    return readBool("verScrollAnimate");
}
bool KxDefaults::setVerScrollAnimate(bool value) {
    return write("verScrollAnimate", plist::Value(value));
}

std::optional<std::int64_t> KxDefaults::getScrollAnimationSelected() {
    return readInteger("scrollAnimationSelected");
}
bool KxDefaults::setScrollAnimationSelected(std::optional<std::int64_t> value) {
    return writeOptional("scrollAnimationSelected", value);
}

std::optional<bool> KxDefaults::getScrollAnimationContinuous() {
    return readBool("scrollAnimationContinuous");
}
bool KxDefaults::setScrollAnimationContinuous(bool value) {
    return write("scrollAnimationContinuous", plist::Value(value));
}

std::optional<std::int64_t> KxDefaults::getScrollSpeed() {
    return readInteger("scrollSpeed");
}
bool KxDefaults::setScrollSpeed(std::optional<std::int64_t> value) {
    return writeOptional("scrollSpeed", value);
}

std::optional<double> KxDefaults::getContinDelta() {
    return readReal("continDelta");
}
bool KxDefaults::setContinDelta(std::optional<double> value) {
    return writeOptional("continDelta", value);
}

std::optional<bool> KxDefaults::getReverseMouse() {
    return readBool("reverseMouse");
}
bool KxDefaults::setReverseMouse(bool value) {
    return write("reverseMouse", plist::Value(value));
}

std::optional<bool> KxDefaults::getReverseMouseHorizontal() {
    return readBool("reverseMouseHorizontal");
}
bool KxDefaults::setReverseMouseHorizontal(bool value) {
    return write("reverseMouseHorizontal", plist::Value(value));
}

std::optional<bool> KxDefaults::getEnableMultiplyLines() {
    return readBool("enableMultiplyLines");
}
bool KxDefaults::setEnableMultiplyLines(bool value) {
    return write("enableMultiplyLines", plist::Value(value));
}

std::optional<bool> KxDefaults::getEnableDivideLines() {
    return readBool("enableDivideLines");
}
bool KxDefaults::setEnableDivideLines(bool value) {
    return write("enableDivideLines", plist::Value(value));
}

std::optional<std::int64_t> KxDefaults::getMultiplyLinesNumber() {
    return readInteger("multiplyLinesNumber");
}
bool KxDefaults::setMultiplyLinesNumber(std::optional<std::int64_t> value) {
    return writeOptional("multiplyLinesNumber", value);
}

std::optional<std::int64_t> KxDefaults::getDivideLinesNumber() {
    return readInteger("divideLinesNumber");
}
bool KxDefaults::setDivideLinesNumber(std::optional<std::int64_t> value) {
    return writeOptional("divideLinesNumber", value);
}

std::optional<bool> KxDefaults::getButtonsNative() {
    return readBool("buttonsNative");
}
bool KxDefaults::setButtonsNative(bool value) {
    return write("buttonsNative", plist::Value(value));
}

std::optional<plist::Dictionary> KxDefaults::getButtonAssignDict() {
    return readDictionary("buttonAssignDict");
}
bool KxDefaults::setButtonAssignDict(plist::Dictionary value) {
    return write("buttonAssignDict", plist::Value(std::move(value)));
}

std::optional<bool> KxDefaults::getModifiersOn() {
    return readBool("modifiersOn");
}
bool KxDefaults::setModifiersOn(bool value) {
    return write("modifiersOn", plist::Value(value));
}

std::optional<std::int64_t> KxDefaults::getGestureButtonNumber() {
    return readInteger("gestureNumber");
}
bool KxDefaults::setGestureButtonNumber(std::optional<std::int64_t> value) {
    return writeOptional("gestureNumber", value);
}

std::optional<plist::Array> KxDefaults::getGesturesAppsArray() {
    return readArray("gesturesAppsArray");
}
bool KxDefaults::setGesturesAppsArray(plist::Array value) {
    return write("gesturesAppsArray", plist::Value(std::move(value)));
}

std::optional<std::string> KxDefaults::getSupportDirectoryPath() {
    return readString("supportDirectoryPath");
}
bool KxDefaults::setSupportDirectoryPath(std::optional<std::string> value) {
    return writeOptional("supportDirectoryPath", std::move(value));
}

std::optional<bool> KxDefaults::getHideDrawing() {
    return readBool("hideDrawing");
}
bool KxDefaults::setHideDrawing(bool value) {
    return write("hideDrawing", plist::Value(value));
}

std::optional<bool> KxDefaults::getHideOverlay() {
    return readBool("hideOverlay");
}
bool KxDefaults::setHideOverlay(bool value) {
    return write("hideOverlay", plist::Value(value));
}

std::optional<std::int64_t> KxDefaults::getGrabButtonNumber() {
    return readInteger("grabButtonNumber");
}
bool KxDefaults::setGrabButtonNumber(std::optional<std::int64_t> value) {
    return writeOptional("grabButtonNumber", value);
}

std::optional<std::int64_t> KxDefaults::getGrabKeyNumber() {
    return readInteger("grabKeyNumber");
}
bool KxDefaults::setGrabKeyNumber(std::optional<std::int64_t> value) {
    return writeOptional("grabKeyNumber", value);
}

std::optional<double> KxDefaults::getGrabAccelNumber() {
    return readReal("grabAccelNumber");
}
bool KxDefaults::setGrabAccelNumber(std::optional<double> value) {
    return writeOptional("grabAccelNumber", value);
}

std::optional<bool> KxDefaults::getDisableGrabAction() {
    return readBool("disableGrabAction");
}
bool KxDefaults::setDisableGrabAction(bool value) {
    return write("disableGrabAction", plist::Value(value));
}

std::optional<bool> KxDefaults::getDisableMoveCursor() {
    return readBool("disableMoveGrabCursor");
}
bool KxDefaults::setDisableMoveCursor(bool value) {
    return write("disableMoveGrabCursor", plist::Value(value));
}

std::optional<bool> KxDefaults::getAnimateThrow() {
    return readBool("animateThrow");
}
bool KxDefaults::setAnimateThrow(bool value) {
    return write("animateThrow", plist::Value(value));
}

std::optional<double> KxDefaults::getThrowDuration() {
    return readReal("throwDuration");
}
bool KxDefaults::setThrowDuration(std::optional<double> value) {
    return writeOptional("throwDuration", value);
}

std::optional<bool> KxDefaults::getGrabReverseMouse() {
    return readBool("grabReverseMouse");
}
bool KxDefaults::setGrabReverseMouse(bool value) {
    return write("grabReverseMouse", plist::Value(value));
}

std::optional<bool> KxDefaults::getGrabReverseMouseHorizontal() {
    return readBool("reverseGrabMouseHorizontal");
}
bool KxDefaults::setGrabReverseMouseHorizontal(bool value) {
    return write("reverseGrabMouseHorizontal", plist::Value(value));
}

std::optional<std::int64_t> KxDefaults::getAutoScrollButtonNumber() {
    return readInteger("autoScrollButtonNumber");
}
bool KxDefaults::setAutoScrollButtonNumber(std::optional<std::int64_t> value) {
    return writeOptional("autoScrollButtonNumber", value);
}

std::optional<double> KxDefaults::getAutoScrollNumber() {
    return readReal("autoScrollAccelNumber");
}
bool KxDefaults::setAutoScrollAccelNumber(std::optional<double> value) {
    return writeOptional("autoScrollAccelNumber", value);
}

std::optional<std::int64_t> KxDefaults::getAutoScrollSuperSlowDownNumber() {
    return readInteger("autoScrollSuperSlowDownNumber");
}
bool KxDefaults::setAutoScrollSuperSlowDownNumber(std::optional<std::int64_t> value) {
    return writeOptional("autoScrollSuperSlowDownNumber", value);
}

std::optional<double> KxDefaults::getReleaseDuration() {
    return readReal("releaseDuration");
}
bool KxDefaults::setReleaseDuration(std::optional<double> value) {
    return writeOptional("releaseDuration", value);
}

std::optional<bool> KxDefaults::getAnimateRelease() {
    return readBool("animateRelease");
}
bool KxDefaults::setAnimateRelease(bool value) {
    return write("animateRelease", plist::Value(value));
}

std::optional<bool> KxDefaults::getSmartScroll() {
    return readBool("smartAutoScroll");
}
bool KxDefaults::setSmartScroll(bool value) {
    return write("smartAutoScroll", plist::Value(value));
}

std::optional<bool> KxDefaults::getOverLinkActAsButtonOutlt() {
    return readBool("overLinkActAsButton");
}
bool KxDefaults::setOverLinkActAsButtonOutlt(bool value) {
    return write("overLinkActAsButton", plist::Value(value));
}

std::optional<bool> KxDefaults::getHoldToActivate() {
    return readBool("holdToActivate");
}
bool KxDefaults::setHoldToActivate(bool value) {
    return write("holdToActivate", plist::Value(value));
}

std::optional<bool> KxDefaults::getAutoScrollReverseVertical() {
    return readBool("autoScrollReverseVertical");
}
bool KxDefaults::setAutoScrollReverseVertical(bool value) {
    return write("autoScrollReverseVertical", plist::Value(value));
}

std::optional<bool> KxDefaults::getAutoScrollReverseHorizontal() {
    return readBool("autoScrollReverseHorizontal");
}
bool KxDefaults::setAutoScrollReverseHorizontal(bool value) {
    return write("autoScrollReverseHorizontal", plist::Value(value));
}

std::optional<bool> KxDefaults::getShowOnLaunch() {
    return readBool("showOnLaunch");
}
bool KxDefaults::setShowOnLaunch(bool value) {
    return write("showOnLaunch", plist::Value(value));
}

std::optional<bool> KxDefaults::getHideMenubarIcon() {
    return readBool("hiddenMenubarIcon");
}
bool KxDefaults::setHideMenubarIcon(bool value) {
    return write("hiddenMenubarIcon", plist::Value(value));
}

std::optional<double> KxDefaults::getCursorAccel() {
    return readReal("cursorAccel");
}
bool KxDefaults::setCursorAccel(std::optional<double> value) {
    return writeOptional("cursorAccel", value);
}

std::optional<bool> KxDefaults::getCursorAccelEnabled() {
    return readBool("cursorAccelEnabled");
}
bool KxDefaults::setCursorAccelEnabled(bool value) {
    return write("cursorAccelEnabled", plist::Value(value));
}

bool KxDefaults::hasScrollLinesNumber() {
    return store().objectForKey("scrollLinesNumber").has_value();
}

void KxDefaults::deleteScrollNative() {
    store().removeObjectForKey("scrollNative");
}
void KxDefaults::deleteScrollLinesNumber() {
    store().removeObjectForKey("scrollLinesNumber");
}
void KxDefaults::removeButtonAssignDict() {
    store().removeObjectForKey("buttonAssignDict");
}

bool KxDefaults::sync() {
    return store().synchronize();
}

}  // namespace wexo

#include "settings/DictConvertor.h"

#include <limits>

#include "actions/StoredValues.h"

namespace wexo {

// Scroll settings: writing.

plist::Dictionary DictConvertor::createDictFromDictOfDisplayObjects(const DisplaysDict& displays) {
    plist::Dictionary dict;
    for (const auto& [key, display] : displays) {
        if (display) dict[display->serial] = createDictFromDisplay(*display);
    }
    return dict;
}

plist::Dictionary DictConvertor::createDictFromDisplay(const SingleDisplay& display) {
    plist::Dictionary dict;
    dict["listLocation"] = display.listLocation;
    dict["screenID"] = static_cast<std::int64_t>(display.screenID);
    dict["displayName"] = display.displayName;
    dict["serial"] = display.serial;
    plist::Dictionary apps;
    for (const auto& [bundleId, app] : display.apps) {
        if (app) apps[bundleId] = createDictFromApp(*app);
    }
    dict["displayApps"] = std::move(apps);
    return dict;
}

plist::Dictionary DictConvertor::createDictFromApp(const AppWithScrollSettings& app) {
    plist::Dictionary dict;
    dict["listLocation"] = app.listLocation;
    dict["prettyName"] = app.prettyName;
    dict["bundleId"] = app.bundleId;
    dict["imagePath"] = app.appImagePath;
    dict["scrollSettings"] = createDictFromScrollSettings(app.scrollSettings);
    return dict;
}

plist::Dictionary DictConvertor::createDictFromScrollSettings(const SingleScrollSettingsObject& s) {
    plist::Dictionary dict;
    dict["isNativeScroll"] = s.isNativeScroll;
    dict["isMultiplyLines"] = s.isMultiplyLines;
    dict["isDivideLines"] = s.isDivideLines;
    dict["isContinuous"] = s.isContinuous;
    dict["isAnimatingScroll"] = s.isAnimatingScroll;
    dict["isAnimatingHorizontalScroll"] = s.isAnimatingHorizontalScroll;
    dict["isAnimatingVerticalScroll"] = s.isAnimatingVerticalScroll;
    dict["isReverseHorizontal"] = s.isReverseHorizontal;
    dict["isReverseVertical"] = s.isReverseVertical;
    // Empty numbers are left out; the reader supplies its own value for them.
    if (s.verticalLinesNumber) dict["verticalLinesNumber"] = *s.verticalLinesNumber;
    if (s.horizontalLinesNumber) dict["horizontalLinesNumber"] = *s.horizontalLinesNumber;
    if (s.multiplyLinesNumber) dict["multiplyLinesNumber"] = *s.multiplyLinesNumber;
    if (s.divideLinesNumber) dict["divideLinesNumber"] = *s.divideLinesNumber;
    if (s.scrollSpeed) dict["scrollSpeed"] = *s.scrollSpeed;
    if (s.contidDelta) dict["contidDelta"] = *s.contidDelta;
    if (s.scrollAnimationIndex) dict["scrollAnimationIndex"] = *s.scrollAnimationIndex;
    return dict;
}

// Scroll settings: reading.

DisplaysDict DictConvertor::createDictOfObjectsFromDict(const plist::Dictionary& dict) {
    DisplaysDict displays;
    for (const auto& [serial, value] : dict) {
        if (auto* display = StoredValues::dictionary(&value, serial))
            displays[serial] = createDisplayObjectFromDict(*display);
    }
    return displays;
}

std::shared_ptr<SingleDisplay> DictConvertor::createDisplayObjectFromDict(
    const plist::Dictionary& d) {
    auto display = std::make_shared<SingleDisplay>();
    display->listLocation = StoredValues::text(d, "listLocation").value_or("");
    auto screenID = StoredValues::integer(d, "screenID");
    if (screenID && *screenID >= 0 && *screenID <= std::numeric_limits<platform::DisplayId>::max())
        display->screenID = static_cast<platform::DisplayId>(*screenID);
    display->displayName = StoredValues::string(d, "displayName").value_or("");
    display->serial = StoredValues::string(d, "serial").value_or("");
    if (auto* apps = StoredValues::dictionary(d, "displayApps")) {
        for (const auto& [bundleId, value] : *apps) {
            if (auto* app = StoredValues::dictionary(&value, bundleId))
                display->apps[bundleId] = createAppObjectFromDict(*app);
        }
    }
    return display;
}

std::shared_ptr<AppWithScrollSettings> DictConvertor::createAppObjectFromDict(
    const plist::Dictionary& dict) {
    std::optional<SingleScrollSettingsObject> settings;
    if (auto* s = StoredValues::dictionary(dict, "scrollSettings"))
        settings = createScrollSettingsObjectFromDict(*s);
    return std::make_shared<AppWithScrollSettings>(
        StoredValues::string(dict, "prettyName").value_or(""),
        StoredValues::string(dict, "bundleId").value_or(""),
        StoredValues::string(dict, "imagePath").value_or(""),
        StoredValues::text(dict, "listLocation").value_or(""), settings);
}

SingleScrollSettingsObject DictConvertor::createScrollSettingsObjectFromDict(
    const plist::Dictionary& dict) {
    auto settings = SingleScrollSettingsObject::withDict(dict);
    settings.isAnimatingVerticalScroll =
        StoredValues::boolean(dict, "isAnimatingVerticalScroll").value_or(true);
    return settings;
}

// Actions.

plist::Dictionary DictConvertor::createDictFromAction(const CustomAction& action) {
    plist::Dictionary dict;
    if (action.prettyName) dict["prettyName"] = *action.prettyName;
    if (action.shortcut) dict["shortcut"] = createDictFromShortcut(*action.shortcut);
    if (action.emoji) dict["emoji"] = *action.emoji;
    if (action.auxKey) dict["auxKey"] = *action.auxKey;
    if (action.path) dict["path"] = *action.path;
    if (action.typeOfAction) dict["typeOfAction"] = *action.typeOfAction;
    return dict;
}

CustomAction DictConvertor::createActionFromDict(const plist::Dictionary& dict) {
    std::optional<KxShortcut> shortcut;
    if (auto* s = StoredValues::dictionary(dict, "shortcut")) shortcut = createShortcutFromDict(*s);
    return CustomAction(StoredValues::string(dict, "prettyName"), std::move(shortcut),
                        StoredValues::string(dict, "emoji"), StoredValues::integer(dict, "auxKey"),
                        StoredValues::string(dict, "path"),
                        StoredValues::integer(dict, "typeOfAction"));
}

plist::Dictionary DictConvertor::createDictFromShortcut(const KxShortcut& shortcut) {
    plist::Dictionary dict;
    if (shortcut.key) dict["key"] = *shortcut.key;
    if (shortcut.keyString) dict["keystring"] = *shortcut.keyString;
    if (shortcut.command) dict["command"] = true;
    if (shortcut.control) dict["control"] = true;
    if (shortcut.shift) dict["shift"] = true;
    if (shortcut.option) dict["option"] = true;
    if (shortcut.useString) dict["useString"] = true;
    return dict;
}

KxShortcut DictConvertor::createShortcutFromDict(const plist::Dictionary& dict) {
    auto flag = [&](const char* key) { return StoredValues::boolean(dict, key).value_or(false); };
    return KxShortcut(StoredValues::integer(dict, "key"), StoredValues::string(dict, "keystring"),
                      flag("command"), flag("control"), flag("shift"), flag("option"),
                      flag("useString"));
}

plist::Dictionary DictConvertor::createDictFromGesture(const Gesture& gesture) {
    plist::Dictionary dict;
    dict["gestureImagePath"] = gesture.gestureImagePath;
    if (gesture.gestureDirections) dict["gestureDirections"] = *gesture.gestureDirections;
    dict["prettyName"] = gesture.prettyName;
    if (gesture.isActive) dict["isActive"] = *gesture.isActive;
    if (gesture.action) dict["action"] = createDictFromAction(*gesture.action);
    if (gesture.bindButton) dict["bindButton"] = gesture.bindButton->buttonNumber;
    return dict;
}

std::shared_ptr<Gesture> DictConvertor::createGestureFromDict(const plist::Dictionary& dict) {
    std::optional<CustomAction> action;
    if (auto* a = StoredValues::dictionary(dict, "action"); a && !a->empty())
        action = createActionFromDict(*a);
    return std::make_shared<Gesture>(dict, std::move(action));
}

plist::Array DictConvertor::createAarrayOfDictFromObjecsArray(
    const std::vector<std::shared_ptr<AppWithGestures>>& apps) {
    plist::Array array;
    for (const auto& app : apps) {
        if (!app) continue;
        plist::Dictionary dict;
        dict["prettyName"] = app->prettyName;
        dict["bundleId"] = app->bundleId;
        if (app->appImagePath) dict["appImagePath"] = *app->appImagePath;
        plist::Array gestures;
        for (const auto& gesture : app->gestures) {
            if (gesture) gestures.emplace_back(createDictFromGesture(*gesture));
        }
        dict["gestures"] = std::move(gestures);
        array.emplace_back(std::move(dict));
    }
    return array;
}

std::vector<std::shared_ptr<AppWithGestures>> DictConvertor::createAarrayOfAppsFromDictArray(
    const plist::Array& array) {
    std::vector<std::shared_ptr<AppWithGestures>> apps;
    for (const auto& value : array) {
        auto* dict = StoredValues::dictionary(&value, "gesturesAppsArray");
        if (!dict) continue;
        std::optional<std::vector<std::shared_ptr<Gesture>>> gestures;
        if (auto* list = StoredValues::array(*dict, "gestures"); list && !list->empty()) {
            gestures.emplace();
            for (const auto& member : *list) {
                if (auto* g = StoredValues::dictionary(&member, "gestures"))
                    gestures->push_back(createGestureFromDict(*g));
            }
        }
        apps.push_back(std::make_shared<AppWithGestures>(
            StoredValues::string(*dict, "prettyName").value_or(""),
            StoredValues::string(*dict, "bundleId").value_or(""),
            StoredValues::string(*dict, "appImagePath"), std::move(gestures)));
    }
    return apps;
}

}  // namespace wexo

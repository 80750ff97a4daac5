#pragma once

#include <memory>
#include <vector>

#include "actions/AppWithGestures.h"
#include "actions/CustomAction.h"
#include "actions/Gesture.h"
#include "actions/KxShortcut.h"
#include "plist/Value.h"
#include "settings/SingleDisplay.h"

namespace wexo {

// Conversions between the records and their stored property-list forms. All
// of them are pure: they build new values and change nothing else.
//
// Writing never fails: a field that is absent is left out. Reading never
// fails either: a missing key, or a value of the wrong type, gives an absent
// field (a false flag), and a member that is not a dictionary where one
// belongs is skipped, so the rest of the stored form still loads.
class DictConvertor {
  public:
    // Scroll settings: the registry under "allDisplaysScrollSettings".
    static plist::Dictionary createDictFromDictOfDisplayObjects(const DisplaysDict& displays);
    static plist::Dictionary createDictFromDisplay(const SingleDisplay& display);
    static plist::Dictionary createDictFromApp(const AppWithScrollSettings& app);
    static plist::Dictionary createDictFromScrollSettings(const SingleScrollSettingsObject& s);
    static DisplaysDict createDictOfObjectsFromDict(const plist::Dictionary& dict);
    static std::shared_ptr<SingleDisplay> createDisplayObjectFromDict(const plist::Dictionary& d);
    static std::shared_ptr<AppWithScrollSettings> createAppObjectFromDict(
        const plist::Dictionary& dict);
    // As SingleScrollSettingsObject::withDict, except that a set without
    // "isAnimatingVerticalScroll" animates vertically.
    static SingleScrollSettingsObject createScrollSettingsObjectFromDict(
        const plist::Dictionary& dict);

    // Actions, shortcuts and gestures.
    static plist::Dictionary createDictFromAction(const CustomAction& action);
    static CustomAction createActionFromDict(const plist::Dictionary& dict);
    static plist::Dictionary createDictFromShortcut(const KxShortcut& shortcut);
    static KxShortcut createShortcutFromDict(const plist::Dictionary& dict);
    static plist::Dictionary createDictFromGesture(const Gesture& gesture);
    static std::shared_ptr<Gesture> createGestureFromDict(const plist::Dictionary& dict);
    // The gesture lists under "gesturesAppsArray".
    static plist::Array createAarrayOfDictFromObjecsArray(
        const std::vector<std::shared_ptr<AppWithGestures>>& apps);
    static std::vector<std::shared_ptr<AppWithGestures>> createAarrayOfAppsFromDictArray(
        const plist::Array& array);
};

}  // namespace wexo

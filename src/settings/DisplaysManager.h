#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/Geometry.h"
#include "settings/SingleDisplay.h"

namespace wexo {

// The display registry in SettingsKeeper: All Screens plus one entry per
// connected display, keyed by serial. Main thread only.
class DisplaysManager {
  public:
    // Rebuilds the registry from the screen list and the stored form; edits
    // not saved before are gone afterwards. A display that reports no
    // identity at all (serial "0-0-0") gets no entry of its own: it goes by
    // All Screens.
    static void setupDisplays();
    // allDisplaysArray := the registry's entries by list position as numbers,
    // All Screens ("0") first.
    static void setArrayForDisplays();
    // The entry of the display under the pointer; null when the display query
    // fails ("ERROR." is logged), the pointer is on no display, or the display
    // is not in the registry.
    static std::shared_ptr<SingleDisplay> getDisplayForClick();
    // Frame of the screen shown by the entry; the zero rectangle when none is.
    static platform::Rect getRectForDisplay(const SingleDisplay& display);
    // List position for a new entry of the display's table: one more than the
    // largest position in it, compared as numbers.
    static std::string getLocationForDisplayLastApp(const SingleDisplay& display);

    // The entry whose settings apply to an application on a display: its own,
    // else the display's Global entry; null when the table has neither.
    static std::shared_ptr<AppWithScrollSettings> getAppForDisplay(const SingleDisplay& display,
                                                                   const std::string& bundleId);

    // Writes the registry as "allDisplaysScrollSettings" and synchronises.
    static bool saveAllDisplays();

    // Moves the single-set preference keys of older versions into the
    // registry: when "scrollLinesNumber" is stored, the set they describe is
    // copied into the Global entry of every display, "scrollLinesNumber" is
    // deleted and the store synchronised. Answers the migrated set (whose
    // isNativeScroll tells whether scrolling was switched off), or nothing
    // when there was nothing to migrate. The registry is not saved here.
    static std::optional<SingleScrollSettingsObject> migrateSingleSetKeys();
};

}  // namespace wexo

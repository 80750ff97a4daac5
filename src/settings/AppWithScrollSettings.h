#pragma once

#include <memory>
#include <optional>
#include <string>

#include "settings/SingleScrollSettingsObject.h"

namespace wexo {

// An application's entry in a display's table, with a set of scroll settings
// that belongs to this entry alone.
class AppWithScrollSettings {
  public:
    static constexpr const char* kGlobalBundleId = "com.global";

    AppWithScrollSettings() = default;
    // Keeps a copy of the given set, or a fresh set when none is given.
    AppWithScrollSettings(std::string name, std::string bundleId, std::string imagePath,
                          std::string listLocation,
                          const std::optional<SingleScrollSettingsObject>& scrollSettings);

    // The entry every table holds: "Global", list position "0", no image, a
    // fresh set.
    static std::shared_ptr<AppWithScrollSettings> makeGlobal();

    // A deep copy: the copy's set is its own.
    std::shared_ptr<AppWithScrollSettings> copy() const;

    std::string listLocation;  // decimal position in the list shown to the user
    std::string prettyName;
    std::string bundleId;      // the key of the entry in its table
    std::string appImagePath;  // path of the application bundle, for its icon
    SingleScrollSettingsObject scrollSettings;
};

}  // namespace wexo

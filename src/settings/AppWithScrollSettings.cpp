#include "settings/AppWithScrollSettings.h"

namespace wexo {

AppWithScrollSettings::AppWithScrollSettings(
    std::string name, std::string bundleId, std::string imagePath, std::string listLocation,
    const std::optional<SingleScrollSettingsObject>& scrollSettings)
    : listLocation(std::move(listLocation)),
      prettyName(std::move(name)),
      bundleId(std::move(bundleId)),
      appImagePath(std::move(imagePath)),
      scrollSettings(scrollSettings.value_or(SingleScrollSettingsObject())) {}

std::shared_ptr<AppWithScrollSettings> AppWithScrollSettings::makeGlobal() {
    return std::make_shared<AppWithScrollSettings>("Global", kGlobalBundleId, "", "0",
                                                   std::nullopt);
}

std::shared_ptr<AppWithScrollSettings> AppWithScrollSettings::copy() const {
    return std::make_shared<AppWithScrollSettings>(*this);
}

}  // namespace wexo

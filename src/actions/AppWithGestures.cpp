#include "actions/AppWithGestures.h"

namespace wexo {

AppWithGestures::AppWithGestures(std::string name, std::string bundleId,
                                 std::optional<std::string> imagePath,
                                 std::optional<std::vector<std::shared_ptr<Gesture>>> gestures)
    : prettyName(std::move(name)),
      bundleId(std::move(bundleId)),
      appImagePath(std::move(imagePath)),
      gestures(gestures ? std::move(*gestures) : std::vector<std::shared_ptr<Gesture>>{}) {}

std::shared_ptr<AppWithGestures> AppWithGestures::makeGlobal() {
    return std::make_shared<AppWithGestures>("Global", kGlobalBundleId, std::nullopt, std::nullopt);
}

}  // namespace wexo

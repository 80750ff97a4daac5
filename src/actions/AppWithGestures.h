#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "actions/Gesture.h"

namespace wexo {

// The gestures of one application; "com.global" holds those that apply
// everywhere.
class AppWithGestures {
  public:
    static constexpr const char* kGlobalBundleId = "com.global";

    AppWithGestures() = default;
    // No gesture list gives an empty one: the list is never absent.
    AppWithGestures(std::string name, std::string bundleId, std::optional<std::string> imagePath,
                    std::optional<std::vector<std::shared_ptr<Gesture>>> gestures);

    // The entry every fresh gesture list starts with: "Global", no image, no
    // gestures.
    static std::shared_ptr<AppWithGestures> makeGlobal();

    std::string prettyName;
    std::string bundleId;
    std::optional<std::string> appImagePath;
    std::vector<std::shared_ptr<Gesture>> gestures;
};

}  // namespace wexo

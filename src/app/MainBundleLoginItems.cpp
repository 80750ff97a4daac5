#include "app/MainBundleLoginItems.h"

#include <algorithm>

#include "platform/Platform.h"

namespace wexo {

namespace {
std::string bundlePath() {
    return installedPlatform().process().bundlePath();
}
}  // namespace

std::optional<std::string> MainBundleLoginItems::itemRefWithListRef() {
    auto items = installedPlatform().loginItems().snapshot();
    if (!items) return std::nullopt;
    const std::string path = bundlePath();
    auto it = std::find(items->begin(), items->end(), path);
    if (it == items->end()) return std::nullopt;
    return *it;
}

bool MainBundleLoginItems::isLoginItem() {
    return itemRefWithListRef().has_value();
}

void MainBundleLoginItems::addToLoginItems() {
    // Once is enough: a second entry would start the application twice.
    if (isLoginItem()) return;
    installedPlatform().loginItems().insertLast(bundlePath());
}

void MainBundleLoginItems::removeFromLoginItems() {
    if (auto item = itemRefWithListRef()) installedPlatform().loginItems().remove(*item);
}

}  // namespace wexo

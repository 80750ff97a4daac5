#include "ui/Alert.h"

#include "platform/Platform.h"
#include "ui/Application.h"

namespace wexo::ui {

void Alert::runModal(std::function<void(std::size_t)> completion) const {
    auto* app = Application::shared();
    if (!app) return;
    app->userInterface().runModal(
        *this,
        completion ? std::move(completion) : std::function<void(std::size_t)>([](std::size_t) {}));
}

void Alert::runModalLater(std::function<void(std::size_t)> completion) const {
    installedPlatform().runLoop().postToMain(
        [alert = *this, completion = std::move(completion)]() mutable {
            alert.runModal(std::move(completion));
        });
}

}  // namespace wexo::ui

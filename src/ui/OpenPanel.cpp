#include "ui/OpenPanel.h"

#include "ui/Application.h"

namespace wexo::ui {

void OpenPanel::beginSheetModalForWindow(
    Window* parent, std::function<void(std::optional<std::string>)> completion) const {
    auto* app = Application::shared();
    if (!app) return;
    if (!completion) completion = [](std::optional<std::string>) {};
    app->userInterface().beginSheet(*this, parent, std::move(completion));
}

}  // namespace wexo::ui

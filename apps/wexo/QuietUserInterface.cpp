#include "wexo/QuietUserInterface.h"

#include "platform/Log.h"
#include "ui/Alert.h"

namespace wexo::app {

void QuietUserInterface::runModal(const ui::Alert& alert, std::function<void(std::size_t)>) {
    WEXO_LOG_ERROR("%s %s", alert.messageText.c_str(), alert.informativeText.c_str());
}

void QuietUserInterface::beginSheet(const ui::OpenPanel&, ui::Window*,
                                    std::function<void(std::optional<std::string>)> completion) {
    // Answered on the next turn of the loop, as a panel closing would be.
    loop_.postToMain([completion = std::move(completion)] {
        if (completion) completion(std::nullopt);
    });
}

}  // namespace wexo::app

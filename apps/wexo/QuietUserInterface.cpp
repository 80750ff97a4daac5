#include "wexo/QuietUserInterface.h"

#include "platform/Log.h"
#include "ui/Alert.h"

namespace wexo::app {

void QuietUserInterface::runModal(const ui::Alert& alert, std::function<void(std::size_t)>) {
    // Nobody is there to read it on a screen, so the log is where it is said:
    // as a warning, like anything else the person should know of.
    if (alert.informativeText.empty())
        WEXO_LOG_WARNING("%@", alert.messageText);
    else
        WEXO_LOG_WARNING("%@ %@", alert.messageText, alert.informativeText);
}

void QuietUserInterface::beginSheet(const ui::OpenPanel&, ui::Window*,
                                    std::function<void(std::optional<std::string>)> completion) {
    // Answered on the next turn of the loop, as a panel closing would be.
    loop_.postToMain([completion = std::move(completion)] {
        if (completion) completion(std::nullopt);
    });
}

}  // namespace wexo::app

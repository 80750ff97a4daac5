#include "actions/CustomAction.h"

namespace wexo {

CustomAction::CustomAction(std::optional<std::string> prettyName,
                           std::optional<KxShortcut> shortcut, std::optional<std::string> emoji,
                           std::optional<std::int64_t> auxKey, std::optional<std::string> path,
                           std::optional<std::int64_t> typeOfAction)
    : prettyName(std::move(prettyName)),
      shortcut(std::move(shortcut)),
      emoji(std::move(emoji)),
      auxKey(auxKey),
      path(std::move(path)),
      typeOfAction(typeOfAction) {}

std::optional<CustomAction::Kind> CustomAction::kind() const {
    if (!typeOfAction) return std::nullopt;
    switch (*typeOfAction) {
        case 1:
            return Kind::MediaKey;
        case 2:
            return Kind::KeyboardShortcut;
        case 3:
            return Kind::OpenApplication;
        case 4:
            return Kind::SimulatedMouse;
        default:
            return std::nullopt;
    }
}

}  // namespace wexo

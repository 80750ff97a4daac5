#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "actions/KxShortcut.h"

namespace wexo {

// One runnable action, as assigned to a button, a wheel direction or a
// gesture. An action owns its shortcut; copying an action copies it whole.
class CustomAction {
  public:
    // The kinds of action, as stored under "typeOfAction".
    enum class Kind : std::int64_t {
        MediaKey = 1,          // auxKey indexes the media catalogue
        KeyboardShortcut = 2,  // shortcut is posted
        OpenApplication = 3,   // path is the application bundle
        SimulatedMouse = 4,    // auxKey indexes the simulated-mouse catalogue
    };

    CustomAction() = default;
    CustomAction(std::optional<std::string> prettyName, std::optional<KxShortcut> shortcut,
                 std::optional<std::string> emoji, std::optional<std::int64_t> auxKey,
                 std::optional<std::string> path, std::optional<std::int64_t> typeOfAction);

    // The kind this action runs as; nothing for an absent or unknown value,
    // which makes the action inert.
    std::optional<Kind> kind() const;

    std::optional<std::string> prettyName;
    std::optional<KxShortcut> shortcut;
    // Free text stored with the action; running it ignores this.
    std::optional<std::string> emoji;
    std::optional<std::int64_t> auxKey;
    std::optional<std::string> path;
    std::optional<std::int64_t> typeOfAction;

    friend bool operator==(const CustomAction&, const CustomAction&) = default;
};

}  // namespace wexo

#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace wexo::ui {

// A message with buttons, shown modally. The screens' alerts have the single
// button "Ok" unless they say otherwise.
class Alert {
  public:
    Alert() = default;
    explicit Alert(std::string message, std::vector<std::string> buttons = {"Ok"})
        : messageText(std::move(message)), buttons(std::move(buttons)) {}

    std::string messageText;
    std::string informativeText;
    std::vector<std::string> buttons;

    // Shows the alert at once; `completion` receives the index of the
    // chosen button (0 the first). Without a user interface nothing shows
    // and nothing is called.
    void runModal(std::function<void(std::size_t)> completion = {}) const;
    // Posts the showing to the main queue, so that it happens after the
    // event being handled.
    void runModalLater(std::function<void(std::size_t)> completion = {}) const;
};

}  // namespace wexo::ui

#pragma once

#include <functional>
#include <optional>
#include <string>

namespace wexo::ui {

class Window;

// The system's panel for choosing a file.
class OpenPanel {
  public:
    bool canChooseFiles = true;
    bool canChooseDirectories = false;
    bool allowsMultipleSelection = false;
    // Where the panel starts.
    std::string directory;

    // One file at a time, starting in the applications folder: the panel
    // every screen uses to pick an application.
    static OpenPanel forApplication() {
        OpenPanel panel;
        panel.directory = "/Applications";
        return panel;
    }

    // Runs as a sheet on `parent`; `completion` receives the chosen path,
    // or nothing when the person cancelled. Without a user interface it is
    // never called.
    void beginSheetModalForWindow(Window* parent,
                                  std::function<void(std::optional<std::string>)> completion) const;
};

}  // namespace wexo::ui

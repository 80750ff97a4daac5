#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace wexo::ui {

class Alert;
class Application;
class OpenPanel;
class StatusItem;
class Window;

enum class ActivationPolicy {
    Regular,    // a Dock icon and the menu bar
    Accessory,  // no Dock icon
};

enum class WindowChange {
    Shown,         // came on screen
    OrderedFront,  // brought in front of the other windows while on screen
    Closed,        // left the screen
    Frame,
    Level,
    Shadow,
    Appearance,  // background, opacity, style
    Destroyed,   // the window object goes away
};

enum class StatusItemChange {
    Created,
    Visible,
    Appearance,  // title, image
    Menu,        // a menu was attached, or its items or their titles changed
    Destroyed,
};

// The toolkit the user interface is drawn with: the recording backend of
// the simulated desktop, or a real front end. The controllers never call it
// directly; the port's objects (Application, Window, StatusItem, Alert,
// OpenPanel) report to it. Main thread only.
class UserInterface {
  public:
    virtual ~UserInterface() = default;

    // The toolkit starts (and stops) delivering to the application what the
    // system tells it: display changes, activation, reopening.
    virtual void attach(Application& application) = 0;
    virtual void detach() = 0;

    virtual void windowDidChange(Window& window, WindowChange change) = 0;
    virtual void statusItemDidChange(StatusItem& item, StatusItemChange change) = 0;
    virtual void activationPolicyDidChange(ActivationPolicy policy) = 0;

    // Shows the alert, modal; later calls `completion` with the index of the
    // button the person chose (0 the first).
    virtual void runModal(const Alert& alert, std::function<void(std::size_t)> completion) = 0;
    // Shows the open panel as a sheet on `parent` (or on its own without
    // one); later calls `completion` with the chosen path, or nothing when
    // the person cancelled.
    virtual void beginSheet(const OpenPanel& panel, Window* parent,
                            std::function<void(std::optional<std::string>)> completion) = 0;

    // The event being handled is a release of the left mouse button (a
    // slider's drag has ended).
    virtual bool currentEventIsLeftMouseUp() const = 0;
    // Puts text on the general pasteboard (the clipboard), for pasting
    // elsewhere.
    virtual void writeToPasteboard(const std::string& text) = 0;
};

}  // namespace wexo::ui

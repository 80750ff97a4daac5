#include "app/MainStoryboard.h"

#include "app/AccessibilityViewController.h"
#include "app/KxWindow.h"
#include "platform/Platform.h"
#include "ui/AboutViewController.h"
#include "ui/ActionSelectionViewController.h"
#include "ui/AutoScrollViewController.h"
#include "ui/ButtonAssignViewController.h"
#include "ui/EasingViewController.h"
#include "ui/FullScreenDrawViewController.h"
#include "ui/GesturesViewController.h"
#include "ui/GrabViewController.h"
#include "ui/ScrollViewController.h"
#include "ui/SettingsViewController.h"

namespace wexo {

const char* const MainStoryboard::kScreenNames[10] = {
    "Scroll", "Buttons",  "Actions", "Gestures", "Grab",
    "Auto",   "Settings", "About",   "Easing",   "Accessibility"};

namespace {
// A window of `size` centred on the main display (screen-list coordinates).
platform::Rect centred(platform::Size size) {
    auto screens = installedPlatform().screens().screens();
    if (screens.empty()) return platform::Rect(0, 0, size.width, size.height);
    const platform::Rect& main = screens.front().frame;
    return platform::Rect(main.origin.x + (main.size.width - size.width) / 2,
                          main.origin.y + (main.size.height - size.height) / 2, size.width,
                          size.height);
}

std::unique_ptr<ui::WindowController> windowFor(const char* name,
                                                std::unique_ptr<ui::ViewController> content) {
    const platform::Size size = content->view().frame().size;
    auto window = std::make_unique<KxWindow>(name, centred(size));
    return std::make_unique<ui::WindowController>(std::move(window), std::move(content));
}
}  // namespace

ui::Storyboard MainStoryboard::make() {
    ui::Storyboard storyboard;
    storyboard.addWindowController("MainAppWindowControllerID", "Scroll", [] {
        return windowFor("Preferences", std::make_unique<ScrollViewController>());
    });
    storyboard.addViewController("ButtonAssignViewController", "Buttons",
                                 [] { return std::make_unique<ButtonAssignViewController>(); });
    // Embedded in the Buttons and Gestures screens by their segues.
    storyboard.addViewController("ActionSelectionViewController", "Actions",
                                 [] { return std::make_unique<ActionSelectionViewController>(); });
    storyboard.addViewController("GesturesViewController", "Gestures",
                                 [] { return std::make_unique<GesturesViewController>(); });
    storyboard.addViewController("GrabViewController", "Grab",
                                 [] { return std::make_unique<GrabViewController>(); });
    storyboard.addViewController("AutoScrollViewController", "Auto",
                                 [] { return std::make_unique<AutoScrollViewController>(); });
    storyboard.addViewController("SettingsViewController", "Settings",
                                 [] { return std::make_unique<SettingsViewController>(); });
    storyboard.addViewController("AboutID", "About",
                                 [] { return std::make_unique<AboutViewController>(); });
    storyboard.addWindowController("AccessibilityID", "Accessibility", [] {
        return windowFor("Permission", std::make_unique<AccessibilityViewController>());
    });
    // The curve chooser, a sheet on the Scroll screen.
    storyboard.addViewController("EasingViewController", "Easing",
                                 [] { return std::make_unique<EasingViewController>(); });
    // The overlay covers the main display until the event paths place it.
    storyboard.addWindowController("GestureFullWindowControllerID", "FullScreen", [] {
        auto screens = installedPlatform().screens().screens();
        const platform::Rect frame = screens.empty() ? platform::Rect() : screens.front().frame;
        return std::make_unique<ui::WindowController>(
            std::make_unique<KxWindow>("Overlay", frame),
            std::make_unique<FullScreenDrawViewController>());
    });
    return storyboard;
}

}  // namespace wexo

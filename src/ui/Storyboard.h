#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/ViewController.h"
#include "ui/WindowController.h"

namespace wexo::ui {

// The program's windows and screens by identifier, as a storyboard offers
// them: window controllers ("MainAppWindowControllerID") and screens
// ("AboutID", the screens embedded in the preferences window). Each entry
// names the screen it makes, so that the scenario runner can tell which
// screens the program is built with. A new screen is one more entry.
class Storyboard {
  public:
    using WindowControllerFactory = std::function<std::unique_ptr<WindowController>()>;
    using ViewControllerFactory = std::function<std::unique_ptr<ViewController>()>;

    // The storyboard "Main" the composition root installed; nullptr without one.
    static const Storyboard* main();

    void addWindowController(std::string identifier, std::string screenName,
                             WindowControllerFactory factory);
    void addViewController(std::string identifier, std::string screenName,
                           ViewControllerFactory factory);

    bool hasController(const std::string& identifier) const;
    // Nothing when the identifier is unknown (or names the other kind).
    std::unique_ptr<WindowController> instantiateWindowController(
        const std::string& identifier) const;
    std::unique_ptr<ViewController> instantiateViewController(const std::string& identifier) const;

    // Whether some entry makes the screen of that name.
    bool makesScreen(const std::string& screenName) const;
    std::vector<std::string> screenNames() const;

  private:
    struct Entry {
        std::string screenName;
        WindowControllerFactory window;
        ViewControllerFactory view;
    };
    std::map<std::string, Entry> entries_;
};

}  // namespace wexo::ui

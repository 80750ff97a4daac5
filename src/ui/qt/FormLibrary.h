#pragma once

#include <QWidget>
#include <string>
#include <vector>

namespace wexo::ui::qt {

// The Designer forms of the screens, by the screen's name.
class FormLibrary {
  public:
    // A new widget with the form set up in it; nullptr for a screen
    // without a form.
    static QWidget* create(const std::string& screenName);
    static std::vector<std::string> screenNames();
};

}  // namespace wexo::ui::qt

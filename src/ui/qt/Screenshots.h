#pragma once

#include <functional>
#include <string>
#include <vector>

namespace wexo::ui::qt {

class QtUserInterface;

// Pictures of what a person sees, for the documentation: every tab of the
// preferences window, the About screen, the status menu, the curve chooser,
// the permission screen and an alert, each written as DIR/<Name>.png.
class Screenshots {
  public:
    // The files' names, in the order they are taken.
    static const std::vector<std::string>& names();

    // Takes them from the launched program that `ui` draws. `settle` lets
    // the program finish what an operation started (its delayed work, Qt's
    // events). Answers the files written; a picture that cannot be taken or
    // saved is logged and left out.
    static std::vector<std::string> render(QtUserInterface& ui, const std::string& directory,
                                           const std::function<void()>& settle);
};

}  // namespace wexo::ui::qt

#pragma once

#include "ui/Storyboard.h"

namespace wexo {

// The storyboard "Main": the program's windows and screens by identifier.
// A new screen adds its entry here, under the identifier its parent or its
// presenter asks for (ScrollViewController::kEmbeddedScreens, "AboutID",
// "EasingViewController", "ActionSelectionViewController").
class MainStoryboard {
  public:
    static ui::Storyboard make();

    // The names of every screen the scenario runner may operate, built or
    // not yet built, in the order the runner documents them.
    static const char* const kScreenNames[10];
};

}  // namespace wexo

#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace wexo::platform {

// One entry of the window server's window list.
struct WindowInfo {
    pid_t ownerPid = 0;     // "kCGWindowOwnerPID"
    int layer = 0;          // "kCGWindowLayer"
    std::string ownerName;  // "kCGWindowOwnerName"
    Rect bounds;            // kCGWindowBounds, global Quartz coordinates
};

class WindowList {
  public:
    virtual ~WindowList() = default;
    // CGWindowListCopyWindowInfo(OnScreenOnly | ExcludeDesktopElements):
    // on-screen windows, front to back.
    virtual std::vector<WindowInfo> onScreenWindows() const = 0;
};

}  // namespace wexo::platform

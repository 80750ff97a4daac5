#pragma once

#include "platform/Accessibility.h"
#include "platform/Cursor.h"
#include "platform/DisplayLinks.h"
#include "platform/Dock.h"
#include "platform/EventStream.h"
#include "platform/HidSystem.h"
#include "platform/HotKeys.h"
#include "platform/KeyMonitors.h"
#include "platform/LoginItems.h"
#include "platform/PreferenceStore.h"
#include "platform/Process.h"
#include "platform/RunLoop.h"
#include "platform/Screens.h"
#include "platform/Shared.h"
#include "platform/WindowList.h"
#include "platform/Workspace.h"

namespace wexo::platform {

// Everything the engine asks of the operating system. A backend (the
// simulated desktop, the Linux desktop) implements it; the composition root
// installs one, and the engine reaches it through installedPlatform().
class Platform {
  public:
    virtual ~Platform() = default;

    virtual EventStream& eventStream() = 0;
    virtual RunLoop& runLoop() = 0;
    virtual DisplayLinks& displayLinks() = 0;
    virtual Screens& screens() = 0;
    virtual WindowList& windowList() = 0;
    virtual Workspace& workspace() = 0;
    virtual Accessibility& accessibility() = 0;
    virtual HotKeys& hotKeys() = 0;
    virtual KeyMonitors& keyMonitors() = 0;
    virtual Cursor& cursor() = 0;
    virtual HidSystem& hidSystem() = 0;
    virtual Dock& dock() = 0;
    virtual LoginItems& loginItems() = 0;
    virtual Process& process() = 0;
    virtual PreferenceStore& preferences() = 0;
};

}  // namespace wexo::platform

namespace wexo {
// The installed platform. (Not named platform(): that is the namespace.)
inline platform::Platform& installedPlatform() {
    return SharedSlot<platform::Platform>::require();
}
}  // namespace wexo

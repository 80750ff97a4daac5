#pragma once

#include "platform/Platform.h"
#include "platform/linux/x11/X11Desktop.h"
#include "platform/sim/SimDesktop.h"

namespace wexo::platform::x11 {

// The engine's platform with the desktop of an X server: screens, windows,
// applications and the other desktop services come from X, while the event
// stream, the clock and the preferences stay the simulated desktop's. This
// is how the engine's own readings (display keys, the application under the
// pointer) are checked and measured against a real server.
class X11OnSimPlatform : public Platform {
  public:
    X11OnSimPlatform(sim::SimDesktop& sim, X11Desktop& x11) : sim_(sim), x11_(x11) {}

    EventStream& eventStream() override { return sim_.eventStream(); }
    RunLoop& runLoop() override { return sim_.runLoop(); }
    DisplayLinks& displayLinks() override { return sim_.displayLinks(); }
    Screens& screens() override { return x11_.screens(); }
    WindowList& windowList() override { return x11_.windowList(); }
    Workspace& workspace() override { return x11_.workspace(); }
    Accessibility& accessibility() override { return x11_.accessibility(); }
    HotKeys& hotKeys() override { return x11_.hotKeys(); }
    KeyMonitors& keyMonitors() override { return sim_.keyMonitors(); }
    Cursor& cursor() override { return x11_.cursor(); }
    HidSystem& hidSystem() override { return sim_.hidSystem(); }
    Dock& dock() override { return x11_.dock(); }
    LoginItems& loginItems() override { return sim_.loginItems(); }
    Process& process() override { return sim_.process(); }
    PreferenceStore& preferences() override { return sim_.preferences(); }

  private:
    sim::SimDesktop& sim_;
    X11Desktop& x11_;
};

}  // namespace wexo::platform::x11

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
    // `stream`, when given, stands for the simulated desktop's own (one
    // that keeps what is posted aside, for measurements).
    X11OnSimPlatform(sim::SimDesktop& sim, X11Desktop& x11, EventStream* stream = nullptr)
        : sim_(sim), x11_(x11), stream_(stream ? *stream : sim.eventStream()) {}

    EventStream& eventStream() override { return stream_; }
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
    EventStream& stream_;
};

}  // namespace wexo::platform::x11

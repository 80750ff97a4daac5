#pragma once

#include "actions/ActionHandles.h"
#include "app/HeadlessApplication.h"
#include "autoscroll/AutoScroll.h"
#include "events/EventTapOrder.h"
#include "events/FrontMostObserver.h"
#include "events/KeyListener.h"
#include "events/MouseButtonListener.h"
#include "events/MouseMovementListener.h"
#include "grab/GrabnDragScroll.h"
#include "platform/Platform.h"
#include "platform/Shared.h"
#include "scroll/ScrollAnimation.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

// The one place that wires the program together: it is built on a platform
// (the simulated desktop in tests and scenarios, a real backend in the
// application) and installs what `shared()` answers for as long as it
// lives; destroying it uninstalls everything again. Each test builds its own.
class CompositionRoot {
  public:
    explicit CompositionRoot(platform::Platform& platform);
    ~CompositionRoot();
    CompositionRoot(const CompositionRoot&) = delete;
    CompositionRoot& operator=(const CompositionRoot&) = delete;

    platform::Platform& platform() const { return platform_; }
    // The scroll engine, while scrolling is enabled.
    ScrollAnimation* scrollAnimation() const { return scrollAnimation_.get(); }

  private:
    platform::Platform& platform_;
    SharedInstallation<platform::Platform> platformInstallation_;
    // Places the program's session taps in their order (SessionTap) whoever
    // creates them and whenever; it exists before the first of them.
    EventTapOrder tapOrder_{platform_.eventStream()};
    SharedInstallation<EventTapOrder> tapOrderInstallation_{&tapOrder_};
    // The engines, in the order they come to life; members are destroyed in
    // reverse order, each uninstalling itself before the platform goes.
    SettingsKeeper settingsKeeper_;
    SharedInstallation<SettingsKeeper> settingsKeeperInstallation_{&settingsKeeper_};
    HeadlessApplication application_;
    SharedInstallation<ApplicationLink> applicationInstallation_{&application_};
    ActionHandles actionHandles_{platform_};
    SharedInstallation<ActionHandles> actionHandlesInstallation_{&actionHandles_};
    FrontMostObserver frontMostObserver_;
    SharedInstallation<FrontMostObserver> frontMostObserverInstallation_{&frontMostObserver_};
    SharedInstallation<ExposeQuery> exposeQueryInstallation_{&frontMostObserver_};
    // ---- Grab-and-drag and auto-scroll: the movement listener, the two
    // engines, then the grab key's listener, which drives them; each records
    // itself as its shared instance. ----
    MouseMovementListener mouseMovementListener_;
    GrabnDragScroll grabnDragScroll_;
    AutoScroll autoScroll_;
    KeyListener keyListener_;
    // ---- end of grab-and-drag and auto-scroll ----
    // The mouse tap, which drives the engines above; it records itself as
    // the shared listener and as the source of the held-button flags.
    MouseButtonListener mouseButtonListener_;

    // ---- Standing in for the Scroll screen until it exists ----
    // The screen creates the scroll engine and starts its wheel tap when
    // scrolling is enabled; the engine installs itself as shared() then.
    std::unique_ptr<ScrollAnimation> scrollAnimation_;
    // ---- end of the Scroll screen's stand-in ----
};

}  // namespace wexo

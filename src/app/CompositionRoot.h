#pragma once

#include <memory>

#include "actions/ActionHandles.h"
#include "actions/DesktopConventions.h"
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
#include "ui/Application.h"
#include "ui/ImageRenderer.h"
#include "ui/Storyboard.h"
#include "ui/UserInterface.h"

namespace wexo {

class AppDelegate;

// The one place that wires the program together: it is built on a platform
// (the simulated desktop in tests and scenarios, a real backend in the
// application) and installs what `shared()` answers for as long as it
// lives; destroying it uninstalls everything again. Each test builds its own.
//
// Built with a user interface it is the whole program: launch() runs the
// application delegate's launch sequence, which builds the windows, the
// screens (which start the listeners they own) and the status menu. Built
// without one it holds the engines and caches alone, for tests of the event
// paths: the overlay window is a model and the preferences window never shows.
class CompositionRoot {
  public:
    // `conventions` name keys and shortcuts and give the catalogue's entries
    // their meaning: the Mac's on the simulated desktop, the Linux ones in
    // the application on Linux.
    explicit CompositionRoot(platform::Platform& platform,
                             const DesktopConventions& conventions = DesktopConventions::forMac());
    CompositionRoot(platform::Platform& platform, ui::UserInterface& userInterface,
                    const DesktopConventions& conventions = DesktopConventions::forMac());
    ~CompositionRoot();
    CompositionRoot(const CompositionRoot&) = delete;
    CompositionRoot& operator=(const CompositionRoot&) = delete;

    platform::Platform& platform() const { return platform_; }
    // The scroll engine, which the Scroll screen creates while scrolling is
    // enabled; none without a user interface.
    ScrollAnimation* scrollAnimation() const;

    // applicationDidFinishLaunching. Once; nothing without a user interface.
    void launch();

    // Absent without a user interface.
    AppDelegate* appDelegate() const { return appDelegate_.get(); }
    ui::Application* application() const { return application_.get(); }
    const ui::Storyboard& storyboard() const { return storyboard_; }

  private:
    // Without screens, the root starts the mouse tap as the Buttons screen
    // would: unless buttons are left to the system.
    void startMouseTap();

    platform::Platform& platform_;
    SharedInstallation<platform::Platform> platformInstallation_;
    SharedInstallation<const DesktopConventions> conventionsInstallation_;
    // Places the program's session taps in their order (SessionTap) whoever
    // creates them and whenever; it exists before the first of them.
    EventTapOrder tapOrder_{platform_.eventStream()};
    SharedInstallation<EventTapOrder> tapOrderInstallation_{&tapOrder_};
    // The engines, in the order they come to life; members are destroyed in
    // reverse order, each uninstalling itself before the platform goes.
    SettingsKeeper settingsKeeper_;
    SharedInstallation<SettingsKeeper> settingsKeeperInstallation_{&settingsKeeper_};
    // Without a user interface, a stand-in gives the event paths their
    // overlay window; it outlives the engines that measure in it.
    std::unique_ptr<HeadlessApplication> headless_;
    std::unique_ptr<SharedInstallation<ApplicationLink>> headlessInstallation_;
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

    // The application, gone before the engines: its screens stop what they
    // started.
    ui::Storyboard storyboard_;
    SharedInstallation<const ui::Storyboard> storyboardInstallation_{&storyboard_};
    // The screens' own pictures (gesture thumbnails).
    std::unique_ptr<ui::ImageRenderer> imageRenderer_;
    std::unique_ptr<SharedInstallation<ui::ImageRenderer>> imageRendererInstallation_;
    ui::UserInterface* userInterface_ = nullptr;
    std::unique_ptr<ui::Application> application_;
    std::unique_ptr<SharedInstallation<ui::Application>> applicationInstallation_;
    std::unique_ptr<AppDelegate> appDelegate_;
    bool launched_ = false;
};

}  // namespace wexo

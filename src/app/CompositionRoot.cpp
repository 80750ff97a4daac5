#include "app/CompositionRoot.h"

#include "settings/KxDefaults.h"

namespace wexo {

CompositionRoot::CompositionRoot(platform::Platform& platform)
    : platform_(platform), platformInstallation_(&platform) {
    frontMostObserver_.startObserving();
    // ---- Grab key: stands in for the Grab screen until that screen exists,
    // which takes the stored key into the cache and starts the key listener
    // when one is set. ----
    if (auto grabKey = KxDefaults::getGrabKeyNumber()) {
        settingsKeeper_.setGrabKeyNumber(grabKey);
        keyListener_.startListeningToKeys();
    }
    // ---- end of grab key ----

    // ---- Mouse tap: stands in for the Buttons screen until that screen
    // exists, which starts the tap unless buttons are left to the system. ----
    if (!KxDefaults::getButtonsNative().value_or(false))
        mouseButtonListener_.startListeningToButtons();
    // ---- end of mouse tap ----

    // ---- Standing in for the Scroll screen until it exists ----
    // Absent counts as on: the first launch stores "scrollingEnabled" as yes.
    if (KxDefaults::getScrollingEnabled().value_or(true)) {
        scrollAnimation_ = std::make_unique<ScrollAnimation>();
        scrollAnimation_->startListeningToWheel();
    }
    // ---- end of the Scroll screen's stand-in ----
}

// Engines added later are destroyed (members in reverse order) before the
// platform is uninstalled.
CompositionRoot::~CompositionRoot() = default;

}  // namespace wexo

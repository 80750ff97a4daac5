#pragma once

#include "events/ApplicationLink.h"
#include "events/FrontMostObserver.h"
#include "events/ScreenRegistry.h"
#include "platform/Platform.h"

namespace wexo {

// The program counts as in front when it is the front-most application and
// its preferences window is on screen; the taps then leave some presses to
// the screen the user is working in. Main thread.
inline bool programIsInFront() {
    const auto* application = applicationLink();
    return application && application->isPreferencesWindowVisible() &&
           FrontMostObserver::frontMostBundle() == installedPlatform().process().bundleIdentifier();
}

// The program is in front with this tab's button on (a tab without the
// Scroll screen's tab bar is off).
inline bool tabIsOnInFront(PreferencesTab tab) {
    auto* registry = screenRegistry();
    auto* scroll = registry ? registry->scrollVC() : nullptr;
    // The tab first: it is the cheaper question, and mostly answers no.
    return scroll && scroll->isTabOn(tab) && programIsInFront();
}

}  // namespace wexo

#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppDelegate.h"
#include "app/CompositionRoot.h"
#include "app/KxMenu.h"
#include "platform/MemoryPreferenceStore.h"
#include "platform/sim/SimDesktop.h"
#include "settings/KxDefaults.h"
#include "settings/SettingsKeeper.h"
#include "ui/Application.h"
#include "ui/ScrollViewController.h"
#include "ui/sim/SimUserInterface.h"

namespace wexo::testing {

using platform::Rect;
using platform::RunningApplication;
using platform::ScreenInfo;
namespace records = platform::sim::records;

inline RunningApplication runningApp(pid_t pid, std::string bundle, std::string name) {
    RunningApplication a;
    a.pid = pid;
    a.bundleIdentifier = std::move(bundle);
    a.localizedName = std::move(name);
    a.bundlePath = "/Applications/" + a.localizedName + ".app";
    return a;
}

inline ScreenInfo screen(platform::DisplayId number, Rect frame, std::uint32_t serial,
                         std::string name) {
    ScreenInfo s;
    s.screenNumber = number;
    s.frame = frame;
    s.visibleFrame = frame;
    s.vendorNumber = 1;
    s.modelNumber = 2;
    s.serialNumber = serial;
    s.productNames = {{"en_US", std::move(name)}};
    return s;
}

// Two displays side by side: "Left" (serial 1-2-3, the main one) and
// "Right" (1-2-4).
inline std::vector<ScreenInfo> twoScreens() {
    return {screen(1, Rect(0, 0, 1920, 1080), 3, "Left"),
            screen(2, Rect(1920, 0, 1280, 800), 4, "Right")};
}

// A simulated desktop with the whole program on it, as the scenario runner
// starts it. Set the desktop up, then launch(); the program's records are
// the desktop's.
class AppTestDesktop {
  public:
    explicit AppTestDesktop(plist::Dictionary defaults = {})
        : AppTestDesktop(std::make_unique<platform::MemoryPreferenceStore>(
              platform::sim::SimProcess::builtBundleIdentifier(), std::move(defaults))) {}
    explicit AppTestDesktop(std::unique_ptr<platform::PreferenceStore> preferences)
        : desktop(std::move(preferences)), userInterface(desktop) {
        desktop.simWorkspace().setApplications({runningApp(501, "com.apple.Safari", "Safari"),
                                                runningApp(502, "com.apple.mail", "Mail")});
        desktop.simWorkspace().setFrontmost(501);
    }
    ~AppTestDesktop() { root.reset(); }

    // Builds the program and runs its launch sequence at the present time.
    void launch() {
        root = std::make_unique<CompositionRoot>(desktop, userInterface);
        act([&] { root->launch(); });
    }

    // Runs `work` as one unit of main-thread work, the event being a
    // release of the left button (a click or the end of a drag).
    template <class Work>
    void act(Work&& work, bool leftMouseUp = true) {
        userInterface.setCurrentEventLeftMouseUp(leftMouseUp);
        desktop.simRunLoop().runWork([&] { work(); });
        userInterface.setCurrentEventLeftMouseUp(false);
    }
    void advance(double seconds) { desktop.advanceBySeconds(seconds); }

    AppDelegate& delegate() { return *root->appDelegate(); }
    KxMenu& menu() { return KxMenu::sharedInstance(); }
    ScrollViewController& scroll() {
        return *dynamic_cast<ScrollViewController*>(
            delegate().mainAppWindowController()->contentViewController());
    }
    SettingsKeeper& keeper() { return SettingsKeeper::shared(); }

    // Chooses a status-menu item by title; false when there is none.
    bool chooseMenuItem(const std::string& title) {
        bool chosen = false;
        act([&] {
            ui::Menu& m = menu().menu();
            if (auto* item = m.itemWithTitle(title))
                chosen =
                    m.performActionForItemAtIndex(static_cast<std::size_t>(m.indexOfItem(*item)));
        });
        return chosen;
    }

    std::vector<std::string> menuTitles() {
        std::vector<std::string> titles;
        for (const auto& item : menu().menu().items())
            titles.push_back(item->isSeparatorItem() ? "-" : item->title());
        return titles;
    }

    std::optional<plist::Value> stored(std::string_view key) {
        return desktop.preferences().persistentDomain().count(std::string(key))
                   ? std::optional<plist::Value>(
                         desktop.preferences().persistentDomain().at(std::string(key)))
                   : std::nullopt;
    }

    template <class Kind>
    std::vector<Kind> recordsOf() const {
        std::vector<Kind> out;
        for (const auto& r : desktop.records())
            if (auto* k = std::get_if<Kind>(&r.what)) out.push_back(*k);
        return out;
    }
    // The windows shown and closed, as "Name shown" / "Name closed".
    std::vector<std::string> windowRecords() const {
        std::vector<std::string> out;
        for (const auto& w : recordsOf<records::Window>())
            out.push_back(w.name + (w.shown ? " shown" : " closed"));
        return out;
    }
    std::vector<std::string> loggedErrors() const {
        std::vector<std::string> out;
        for (const auto& l : recordsOf<records::LogLine>())
            if (l.level == platform::LogLevel::Error) out.push_back(l.message);
        return out;
    }

    platform::sim::SimDesktop desktop;
    ui::sim::SimUserInterface userInterface;
    std::unique_ptr<CompositionRoot> root;
};

}  // namespace wexo::testing

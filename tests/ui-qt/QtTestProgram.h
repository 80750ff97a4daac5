#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>

#include "app/CompositionRoot.h"
#include "app/KxMenu.h"
#include "platform/MemoryPreferenceStore.h"
#include "platform/sim/SimDesktop.h"
#include "settings/SettingsKeeper.h"
#include "ui/qt/QtUserInterface.h"
#include "ui/qt/ScreenForm.h"
#include "ui/qt/WindowHost.h"

namespace wexo::testing {

// The whole program drawn with Qt on a simulated desktop with two displays:
// build it with the stored preferences, launch(), and operate its widgets.
struct QtTestProgram {
    explicit QtTestProgram(plist::Dictionary defaults = {})
        : desktop(std::make_unique<platform::MemoryPreferenceStore>(
              platform::sim::SimProcess::builtBundleIdentifier(),
              withSupport(std::move(defaults)))) {
        platform::ScreenInfo left;
        left.screenNumber = 1;
        left.frame = left.visibleFrame = platform::Rect(0, 0, 1920, 1080);
        left.vendorNumber = 1;
        left.modelNumber = 2;
        left.serialNumber = 3;
        left.productNames = {{"en_US", "Left"}};
        platform::ScreenInfo right = left;
        right.screenNumber = 2;
        right.frame = right.visibleFrame = platform::Rect(1920, 0, 1280, 800);
        right.serialNumber = 4;
        right.productNames = {{"en_US", "Right"}};
        desktop.simScreens().setScreens({left, right});
        ui.setKeyMonitorDispatch(
            [this](const platform::Event& e) { return desktop.simKeyMonitors().dispatch(e); });
    }
    ~QtTestProgram() {
        root.reset();
        QApplication::processEvents();
    }

    void launch() {
        root = std::make_unique<CompositionRoot>(desktop, ui);
        root->launch();
        settle();
    }
    // The program finishes what an operation started: Qt's events, then
    // `seconds` of the desktop's time, then Qt's events again.
    void settle(double seconds = 0.5) {
        QApplication::processEvents();
        desktop.advanceBySeconds(seconds);
        QApplication::processEvents();
    }
    // The preferences window, shown.
    ui::qt::WindowHost& preferences() {
        if (!ui.visibleHost("Preferences")) {
            KxMenu::sharedInstance().showWindow();
            settle();
        }
        return *ui.visibleHost("Preferences");
    }
    template <class W = QWidget>
    W* outlet(const std::string& name) {
        return qobject_cast<W*>(preferences().form()->outletWidget(name));
    }
    SettingsKeeper& keeper() { return SettingsKeeper::shared(); }
    std::optional<plist::Value> stored(const std::string& key) {
        const auto& domain = desktop.preferences().persistentDomain();
        auto it = domain.find(key);
        return it == domain.end() ? std::nullopt : std::optional<plist::Value>(it->second);
    }

    plist::Dictionary withSupport(plist::Dictionary defaults) {
        defaults.emplace("supportDirectoryPath", support.path().toStdString());
        return defaults;
    }

    QTemporaryDir support;
    platform::sim::SimDesktop desktop;
    ui::qt::QtUserInterface ui;
    std::unique_ptr<CompositionRoot> root;
};

}  // namespace wexo::testing

// wexo-screenshots DIR [--dark]: launches Wexo with its Qt front end on a
// simulated desktop with two displays, a few assignments, a gesture and the
// grab and auto-scroll buttons set, and writes a picture of every screen to
// DIR.
#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/CompositionRoot.h"
#include "app/KxMenu.h"
#include "platform/MemoryPreferenceStore.h"
#include "platform/sim/SimDesktop.h"
#include "ui/GesturesViewController.h"
#include "ui/qt/QtUserInterface.h"
#include "ui/qt/Screenshots.h"

namespace {

using wexo::platform::Rect;
using wexo::platform::RunningApplication;
using wexo::platform::ScreenInfo;

ScreenInfo screen(wexo::platform::DisplayId number, Rect frame, std::uint32_t serial,
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

RunningApplication app(pid_t pid, std::string bundle, std::string name) {
    RunningApplication a;
    a.pid = pid;
    a.bundleIdentifier = std::move(bundle);
    a.localizedName = std::move(name);
    a.bundlePath = "/usr/share/applications/" + a.bundleIdentifier + ".desktop";
    return a;
}

wexo::plist::Dictionary sampleDefaults(const std::string& supportDir) {
    using wexo::plist::Dictionary;
    const Dictionary volumeUp{{"prettyName", "Volume Up"}, {"auxKey", 0}, {"typeOfAction", 1}};
    const Dictionary mute{{"prettyName", "Mute"}, {"auxKey", 7}, {"typeOfAction", 1}};
    return {
        {"modifiersOn", 1},
        // Button 4 alone, and the wheel's up direction with Super (Command).
        {"buttonAssignDict",
         Dictionary{{"3", Dictionary{{"0", volumeUp}}}, {"500", Dictionary{{"1048576", mute}}}}},
        {"gestureNumber", 1},
        {"grabButtonNumber", 4},
        {"autoScrollButtonNumber", 2},
        {"supportDirectoryPath", supportDir},
    };
}

// A gesture drawn with the right button: right, then down.
void drawGesture(wexo::GesturesViewController& gestures) {
    gestures.addGestureBtn();
    gestures.mouseWasDown({40, 160}, 1);
    for (int x = 40; x <= 160; x += 10) gestures.mouseWasDragged({double(x), 160}, 1);
    for (int y = 160; y >= 40; y -= 10) gestures.mouseWasDragged({160, double(y)}, 1);
    gestures.mouseWasUp({160, 40}, 1);
    gestures.stopDraw();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: wexo-screenshots DIR [--dark]\n";
        return 2;
    }
    const std::string dir = argv[1];
    const bool dark = argc > 2 && std::string(argv[2]) == "--dark";
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication qapp(argc, argv);
    // The same look on every machine that takes them.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    if (dark) {
        QPalette p;
        p.setColor(QPalette::Window, QColor(45, 45, 48));
        p.setColor(QPalette::WindowText, QColor(230, 230, 230));
        p.setColor(QPalette::Base, QColor(30, 30, 32));
        p.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
        p.setColor(QPalette::Text, QColor(230, 230, 230));
        p.setColor(QPalette::Button, QColor(55, 55, 58));
        p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        p.setColor(QPalette::Highlight, QColor(26, 117, 171));
        p.setColor(QPalette::HighlightedText, Qt::white);
        p.setColor(QPalette::ToolTipBase, QColor(55, 55, 58));
        p.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
        p.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
        p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(127, 127, 127));
        p.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
        p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
        QApplication::setPalette(p);
    }

    QTemporaryDir support;
    wexo::platform::sim::SimDesktop desktop(std::make_unique<wexo::platform::MemoryPreferenceStore>(
        wexo::platform::sim::SimProcess::builtBundleIdentifier(),
        sampleDefaults(support.path().toStdString())));
    desktop.simScreens().setScreens({screen(1, Rect(0, 0, 1920, 1080), 3, "DELL U2719D"),
                                     screen(2, Rect(1920, 0, 1280, 800), 4, "Built-in Display")});
    desktop.simWorkspace().setApplications(
        {app(501, "org.mozilla.firefox", "Firefox"), app(502, "org.gnome.Nautilus", "Files")});
    desktop.simWorkspace().setFrontmost(501);

    wexo::ui::qt::QtUserInterface ui;
    ui.setKeyMonitorDispatch([&desktop](const wexo::platform::Event& e) {
        return desktop.simKeyMonitors().dispatch(e);
    });
    auto settle = [&desktop] {
        QApplication::processEvents();
        desktop.advanceBySeconds(0.5);
        QApplication::processEvents();
    };
    int written = 0;
    {
        wexo::CompositionRoot root(desktop, ui);
        root.launch();
        settle();
        if (auto* gestures = dynamic_cast<wexo::GesturesViewController*>(
                wexo::KxMenu::sharedInstance().registeredScreen("Gestures")))
            drawGesture(*gestures);
        written = static_cast<int>(wexo::ui::qt::Screenshots::render(ui, dir, settle).size());
    }
    std::cout << written << " screenshots written to " << dir << "\n";
    return written == static_cast<int>(wexo::ui::qt::Screenshots::names().size()) ? 0 : 1;
}

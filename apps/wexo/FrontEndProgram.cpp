#include "wexo/FrontEndProgram.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "actions/DesktopConventions.h"
#include "app/CompositionRoot.h"
#include "platform/linux/KeyCodes.h"
#include "ui/Application.h"
#include "ui/qt/ForeignLoopBridge.h"
#include "ui/qt/QtUserInterface.h"
#include "ui/qt/SingleInstance.h"
#include "wexo/LinuxProgram.h"

namespace wexo::app {

namespace {

// The Linux run loop as Qt's loop drives it.
class RunLoopInQt : public ui::qt::ForeignLoop {
  public:
    explicit RunLoopInQt(platform::lnx::LinuxRunLoop& loop) : loop_(loop) {}
    int pollDescriptor() const override { return loop_.pollDescriptor(); }
    void dispatchPending() override { loop_.dispatchPending(); }
    std::optional<int> exitStatus() const override {
        if (!loop_.quitting()) return std::nullopt;
        return loop_.exitStatus();
    }

  private:
    platform::lnx::LinuxRunLoop& loop_;
};

bool displayReachable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* value = std::getenv(name); value && *value) return true;
    // Qt's own platforms without a display (offscreen) are a choice too.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return platform && *platform;
}

}  // namespace

int runFrontEnd(const Options& options, const std::vector<std::string>& commandLine) {
    if (!displayReachable()) {
        std::fprintf(stderr,
                     "wexo: no display to show the front end on (DISPLAY is not set); "
                     "wexo --headless runs without it\n");
        return 1;
    }
    // Before Qt makes a thread, so that none of them takes the signals.
    const int stopSignals = blockStopSignals();
    // Qt is given no option of ours to read.
    int qtArgc = 1;
    std::string programName = commandLine.front();
    char* qtArgv[] = {programName.data(), nullptr};
    QApplication qapp(qtArgc, qtArgv);
    QApplication::setApplicationName("Wexo");
    QApplication::setDesktopFileName(WEXO_BUNDLE_ID);
    // The status icon keeps the program; closing its windows does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::qt::SingleInstance instance(ui::qt::SingleInstance::defaultName(), [] {
        if (auto* application = ui::Application::shared()) application->reopen();
    });
    if (instance.handOverToRunningInstance()) return 0;

    // A new instance is the same program with the same options.
    std::vector<std::string> again = commandLine;
    again.front().clear();
    LinuxProgram program(options, stopSignals, again);
    ui::qt::QtUserInterface userInterface;
    userInterface.setKeyMonitorDispatch([&program](const platform::Event& event) {
        return program.platform().localKeyMonitors().dispatch(event);
    });
    // On X11 a key's scan code is its kernel code plus 8.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        userInterface.setScanCodes([](quint32 scanCode) -> std::optional<std::uint16_t> {
            if (scanCode <= 8 || scanCode > 0xFFFF) return std::nullopt;
            return platform::lnx::engineKeyCode(static_cast<std::uint16_t>(scanCode - 8));
        });
    RunLoopInQt loop(program.loop());
    ui::qt::ForeignLoopBridge bridge(loop);
    int status = 1;
    {
        CompositionRoot root(program.platform(), userInterface, DesktopConventions::forLinux());
        root.launch();
        if (program.start()) status = QApplication::exec();
        program.finish();
    }
    program.relaunchIfAsked();
    return status;
}

}  // namespace wexo::app

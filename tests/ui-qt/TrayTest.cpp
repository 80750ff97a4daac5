#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>

#include "ui-qt/Suites.h"
#include "ui/MenuItem.h"
#include "ui/StatusItem.h"
#include "ui/qt/StatusTray.h"

namespace wexo::testing {

namespace {

// Stops a process this suite started, by its own id.
void stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

class TrayTest : public QObject {
    Q_OBJECT

  private slots:
    void theStatusIconAppearsInATrayHost() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("trayer").isEmpty())
            QSKIP("Xvfb or trayer is not installed (scripts/setup installs them)");
        QProcess xvfb;
        // -displayfd 1: the server writes its display number to our pipe.
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
        QVERIFY(xvfb.waitForStarted(5000));
        QString display;
        QElapsedTimer clock;
        clock.start();
        while (display.isEmpty() && clock.elapsed() < 10000) {
            xvfb.waitForReadyRead(200);
            const QByteArray line = xvfb.readLine().trimmed();
            if (!line.isEmpty()) display = ":" + QString::fromLatin1(line);
        }
        if (display.isEmpty()) stop(xvfb);
        QVERIFY2(!display.isEmpty(), "Xvfb gave no display number");

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.remove("WAYLAND_DISPLAY");
        QProcess tray;
        tray.setProcessEnvironment(env);
        tray.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "request",
                              "--height", "24", "--SetDockType", "false"});
        const bool trayStarted = tray.waitForStarted(5000);

        QProcess probe;
        env.insert("QT_QPA_PLATFORM", "xcb");
        probe.setProcessEnvironment(env);
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        probe.start(QCoreApplication::applicationFilePath(), {"--tray-probe"});
        const bool probeFinished = trayStarted && probe.waitForFinished(30000);
        const int status = probe.exitCode();
        stop(probe);
        stop(tray);
        stop(xvfb);
        QVERIFY2(trayStarted, "trayer did not start");
        QVERIFY2(probeFinished, "the probe did not finish");
        QCOMPARE(status, 0);
    }
};

}  // namespace

std::unique_ptr<QObject> makeTrayTest() {
    return std::make_unique<TrayTest>();
}

int trayProbe(int argc, char** argv) {
    QApplication app(argc, argv);
    // The tray host may take a moment to claim its selection.
    QElapsedTimer clock;
    clock.start();
    while (!QSystemTrayIcon::isSystemTrayAvailable() && clock.elapsed() < 10000) QTest::qWait(100);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return 2;
    ui::StatusItem item;
    auto menu = std::make_shared<ui::Menu>();
    menu->addItem(std::make_shared<ui::MenuItem>("Quit"));
    item.setMenu(menu);
    ui::qt::StatusTray tray(item);
    // Embedded: the tray gave the icon a place on screen.
    while (tray.icon().geometry().isEmpty() && clock.elapsed() < 20000) QTest::qWait(100);
    return tray.icon().isVisible() && !tray.icon().geometry().isEmpty() ? 0 : 3;
}

}  // namespace wexo::testing

#include "TrayTest.moc"

#include <sys/eventfd.h>
#include <unistd.h>
#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <mutex>
#include <thread>

#include "ui-qt/QtTestProgram.h"
#include "ui-qt/Suites.h"
#include "ui/Alert.h"
#include "ui/qt/ApplicationChooser.h"
#include "ui/qt/ForeignLoopBridge.h"
#include "ui/qt/KeyTranslation.h"
#include "ui/qt/SingleInstance.h"
#include "ui/qt/StatusTray.h"

namespace wexo::testing {
namespace {

using ui::qt::KeyTranslation;

// A loop of its own on an eventfd: work posted from any thread makes the
// descriptor readable; a dispatch runs what is queued.
class EventFdLoop : public ui::qt::ForeignLoop {
  public:
    EventFdLoop() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
    ~EventFdLoop() override { close(fd_); }
    int pollDescriptor() const override { return fd_; }
    void dispatchPending() override {
        std::uint64_t count = 0;
        [[maybe_unused]] auto n = read(fd_, &count, sizeof count);
        std::vector<std::function<void()>> work;
        {
            std::lock_guard lock(mutex_);
            work.swap(queue_);
        }
        for (auto& w : work) w();
    }
    void post(std::function<void()> w) {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(w));
        }
        const std::uint64_t one = 1;
        [[maybe_unused]] auto n = write(fd_, &one, sizeof one);
    }

  private:
    int fd_;
    std::mutex mutex_;
    std::vector<std::function<void()>> queue_;
};

QStringList menuTexts(QMenu& menu) {
    QStringList out;
    for (QAction* a : menu.actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

class ShellTest : public QObject {
    Q_OBJECT

  private slots:
    void theTrayMenuMirrorsTheModelsMenuAndItsItemsAct() {
        QtTestProgram p;
        p.launch();
        ui::qt::StatusTray* tray = p.ui.tray();
        QVERIFY(tray);
        QStringList expected;
        for (const auto& item : KxMenu::sharedInstance().menu().items())
            expected << (item->isSeparatorItem() ? QStringLiteral("-")
                                                 : QString::fromStdString(item->title()));
        QCOMPARE(menuTexts(tray->menu()), expected);
        QVERIFY(expected.contains("Disable Scroll"));

        for (QAction* a : tray->menu().actions())
            if (a->text() == "Disable Scroll") a->trigger();
        QCOMPARE(p.stored("scrollingEnabled"), plist::Value(false));
        QVERIFY(menuTexts(tray->menu()).contains("Enable Scroll"));
        QVERIFY(!menuTexts(tray->menu()).contains("Disable Scroll"));

        // The hidden-icon setting: the model hides the item, the tray icon goes.
        KxMenu::sharedInstance().hideMenubarIcon();
        QVERIFY(!tray->icon().isVisible());
        KxMenu::sharedInstance().showMenubarIcon();
        QVERIFY(tray->icon().isVisible() || !QSystemTrayIcon::isSystemTrayAvailable());
    }

    void withoutATrayThePreferencesWindowOpensAtLaunch() {
        // Not a first launch (which opens the window anyway).
        QtTestProgram p(
            {{"allDisplaysScrollSettings", plist::Dictionary{}}, {"showOnLaunch", false}});
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        p.launch();
        QVERIFY(p.ui.visibleHost("Preferences"));
    }

    void theApplicationChooserAnswersADesktopEntrysPath() {
        QTemporaryDir apps;
        auto write = [&](const char* file, const char* text) {
            QFile f(apps.filePath(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text);
        };
        write("org.example.Notes.desktop",
              "[Desktop Entry]\nType=Application\nName=Notes\nIcon=accessories-text-editor\n");
        write("firefox.desktop",
              "[Desktop Entry]\nType=Application\nName=Firefox\n[Desktop Action new]\nName=New "
              "Window\n");
        write("hidden.desktop", "[Desktop Entry]\nType=Application\nName=Hidden\nNoDisplay=true\n");
        write("link.desktop", "[Desktop Entry]\nType=Link\nName=A Link\n");
        const std::string notes = apps.filePath("org.example.Notes.desktop").toStdString();

        QtTestProgram p;
        platform::RunningApplication running;
        running.pid = 600;
        running.bundleIdentifier = "org.example.Notes";
        running.localizedName = "Notes";
        running.bundlePath = notes;
        p.desktop.simWorkspace().setApplications({running});
        p.ui.setApplicationDirectories({apps.path().toStdString()});
        p.launch();
        auto* list = p.outlet<QTableWidget>("appNameTableView");
        const int rowsBefore = list->rowCount();

        p.outlet<QAbstractButton>("addAppOutlt")->click();
        ui::qt::ApplicationChooser* chooser = p.ui.currentChooser();
        QVERIFY(chooser);
        QCOMPARE(chooser->list().count(), 2);  // Firefox, Notes; not the hidden one nor the link
        QCOMPARE(chooser->list().item(0)->text(), QString("Firefox"));
        QTest::keyClicks(&chooser->searchField(), "not");
        QVERIFY(chooser->list().item(0)->isHidden());
        QCOMPARE(chooser->chosenPath(), std::optional<std::string>(notes));
        QTest::keyClick(&chooser->searchField(), Qt::Key_Return);
        p.settle();

        QCOMPARE(list->rowCount(), rowsBefore + 1);
        const auto& all = *p.keeper().getAllCurrentDisplays().at("0-0-0");
        QVERIFY(all.apps.count("org.example.Notes"));
        QCOMPARE(all.apps.at("org.example.Notes")->appImagePath, notes);
        QCOMPARE(all.apps.at("org.example.Notes")->prettyName, std::string("org.example.Notes"));
    }

    void aSecondLaunchReopensTheRunningProgramsWindow() {
        QtTestProgram p({{"allDisplaysScrollSettings", plist::Dictionary{}}});
        p.launch();
        p.preferences();
        p.outlet<QAbstractButton>("closeWindowOutlt")->click();
        p.settle();
        QVERIFY(!p.ui.visibleHost("Preferences"));

        const QString name = QStringLiteral("wexo-test-%1").arg(QCoreApplication::applicationPid());
        ui::qt::SingleInstance running(name, [&] { p.root->application()->reopen(); });
        QVERIFY(!running.handOverToRunningInstance());
        QVERIFY(running.isListening());
        ui::qt::SingleInstance second(name, [] {});
        QVERIFY(second.handOverToRunningInstance());
        QVERIFY(!second.isListening());
        QTRY_VERIFY(p.ui.visibleHost("Preferences"));
    }

    void theForeignLoopRunsInsideQtsWithoutStarvingIt() {
        EventFdLoop loop;
        ui::qt::ForeignLoopBridge bridge(loop);
        std::atomic<int> ran{0};
        std::thread poster([&] { loop.post([&] { ++ran; }); });
        poster.join();
        QTRY_COMPARE(ran.load(), 1);

        // Work that keeps posting more keeps the descriptor readable; Qt's
        // own timers still fire in between.
        int turns = 0;
        std::function<void()> again = [&] {
            if (++turns < 1000) loop.post(again);
        };
        loop.post(again);
        bool timerFired = false;
        QTimer::singleShot(0, [&] { timerFired = true; });
        QTRY_VERIFY(timerFired);
        QVERIFY(turns < 1000);
        QTRY_COMPARE(turns, 1000);
        QVERIFY(bridge.dispatches() >= 1000);
    }

    void keysTypedInTheWindowsReachTheKeyMonitors() {
        // With a grab trigger set, the Grab screen does not wait for a key.
        QtTestProgram p({{"grabButtonNumber", 4}});
        p.launch();
        std::vector<platform::Event> seen;
        bool swallowSpace = true;
        auto monitor = p.desktop.keyMonitors().addLocalMonitor(
            platform::AppEventMask::KeyDown | platform::AppEventMask::FlagsChanged,
            [&](const platform::Event& e) -> std::optional<platform::Event> {
                seen.push_back(e);
                if (swallowSpace &&
                    e.integerField(platform::EventField::KeyboardEventKeycode) == 0x31)
                    return std::nullopt;
                return e;
            });
        auto* grabTab = p.outlet<QAbstractButton>("showGrabOutlt");
        grabTab->setFocus();
        QTest::keyClick(grabTab, Qt::Key_G, Qt::MetaModifier | Qt::ShiftModifier);
        // The modifiers' own presses come first, as flag changes.
        auto keyDown = std::find_if(seen.begin(), seen.end(), [](const platform::Event& e) {
            return e.type() == platform::EventType::KeyDown;
        });
        QVERIFY(keyDown != seen.end());
        QCOMPARE(seen.front().type(), platform::EventType::FlagsChanged);
        QCOMPARE(std::count_if(seen.begin(), seen.end(),
                               [](const platform::Event& e) {
                                   return e.type() == platform::EventType::KeyDown;
                               }),
                 1);
        const platform::Event& g = *keyDown;
        QCOMPARE(g.integerField(platform::EventField::KeyboardEventKeycode), 0x05);
        QCOMPARE(g.flags(), platform::EventFlags::Command | platform::EventFlags::Shift);

        // A key a monitor takes does not reach the widget: Space does not press the tab.
        QTest::keyClick(grabTab, Qt::Key_Space);
        QVERIFY(!grabTab->isChecked());
        swallowSpace = false;
        QTest::keyClick(grabTab, Qt::Key_Space);
        QVERIFY(grabTab->isChecked());
    }

    void keyCodesAreTheEnginesCodes() {
        auto code = [](int key, Qt::KeyboardModifiers m = {}) {
            return KeyTranslation::keyCode(key, m);
        };
        QCOMPARE(code(Qt::Key_A), std::optional<std::uint16_t>(0x00));
        QCOMPARE(code(Qt::Key_Return), std::optional<std::uint16_t>(0x24));
        QCOMPARE(code(Qt::Key_Exclam), std::optional<std::uint16_t>(0x12));  // Shift+1
        QCOMPARE(code(Qt::Key_1, Qt::KeypadModifier), std::optional<std::uint16_t>(0x53));
        QCOMPARE(code(Qt::Key_F1), std::optional<std::uint16_t>(0x7A));
        QVERIFY(!code(Qt::Key_unknown));
        // A modifier alone changes the flags, which include it while it is down.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Meta, Qt::NoModifier);
        const auto down = KeyTranslation::fromQt(press);
        QVERIFY(down);
        QCOMPARE(down->type(), platform::EventType::FlagsChanged);
        QCOMPARE(down->flags(), platform::EventFlags::Command);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Meta, Qt::MetaModifier);
        QCOMPARE(KeyTranslation::fromQt(release)->flags(), std::uint64_t{0});
    }

    void alertsShowTheModelsTextsAndAnswerTheChosenButton() {
        QtTestProgram p;
        p.launch();
        std::optional<std::size_t> answer;
        ui::Alert("All your custom settings will be removed. Are you sure?", {"Yes", "Cancel"})
            .runModal([&](std::size_t i) { answer = i; });
        QMessageBox* box = p.ui.currentAlert();
        QVERIFY(box);
        QCOMPARE(box->text(), QString("All your custom settings will be removed. Are you sure?"));
        QCOMPARE(box->buttons().size(), 2);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "Cancel") b->click();
        QCOMPARE(answer, std::optional<std::size_t>(1));
    }
};

}  // namespace

std::unique_ptr<QObject> makeShellTest() {
    return std::make_unique<ShellTest>();
}

}  // namespace wexo::testing

#include "ShellTest.moc"

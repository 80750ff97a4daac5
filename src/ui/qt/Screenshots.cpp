#include "ui/qt/Screenshots.h"

#include <QAbstractButton>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>

#include "platform/Log.h"
#include "ui/Alert.h"
#include "ui/AppDelegateLink.h"
#include "ui/SettingsViewController.h"
#include "ui/Storyboard.h"
#include "ui/qt/QtUserInterface.h"
#include "ui/qt/StatusTray.h"
#include "ui/qt/WindowHost.h"

namespace wexo::ui::qt {

namespace {
struct Session {
    QtUserInterface& ui;
    QDir dir;
    const std::function<void()>& settle;
    std::vector<std::string> written;

    void save(const std::string& name, const QPixmap& picture) {
        const QString path = dir.filePath(QString::fromStdString(name) + ".png");
        if (picture.isNull() || !picture.save(path, "PNG")) {
            WEXO_LOG_ERROR("Screenshot %@ could not be written to %@", name, path.toStdString());
            return;
        }
        written.push_back(path.toStdString());
    }

    void saveWindow(const std::string& name, const std::string& windowName) {
        settle();
        WindowHost* host = ui.visibleHost(windowName);
        if (!host || !host->widget()) {
            WEXO_LOG_ERROR("Screenshot %@: the %@ window is not on screen", name, windowName);
            return;
        }
        save(name, host->widget()->grab());
    }

    // Clicks a widget of the preferences window by its outlet, as a person.
    bool click(const std::string& outlet) {
        WindowHost* host = ui.visibleHost("Preferences");
        QWidget* w = host && host->form() ? host->form()->outletWidget(outlet) : nullptr;
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button) {
            WEXO_LOG_ERROR("Screenshots: no button %@ in the preferences window", outlet);
            return false;
        }
        button->click();
        settle();
        return true;
    }
};

constexpr std::pair<const char*, const char*> kTabs[] = {
    {"Scroll", "showScrollOutlt"},     {"Buttons", "showButtonsOutlt"},
    {"Gestures", "showGesturesOutlt"}, {"Grab", "showGrabOutlt"},
    {"Auto", "showAutoOutlt"},         {"Settings", "showSettingsOutlt"},
};
}  // namespace

const std::vector<std::string>& Screenshots::names() {
    static const std::vector<std::string> kNames = {
        "Scroll", "Buttons",      "Gestures",   "Grab",       "Auto", "Settings",
        "About",  "CurveChooser", "StatusMenu", "Permission", "Alert"};
    return kNames;
}

std::vector<std::string> Screenshots::render(QtUserInterface& ui, const std::string& directory,
                                             const std::function<void()>& settle) {
    Session s{ui, QDir(QString::fromStdString(directory)), settle, {}};
    if (!QDir().mkpath(s.dir.absolutePath())) {
        WEXO_LOG_ERROR("Screenshots: cannot create %@", directory);
        return {};
    }
    if (auto* delegate = appDelegate()) delegate->showWindow();
    settle();

    for (const auto& [name, tab] : kTabs)
        if (s.click(tab)) s.saveWindow(name, "Preferences");

    // Settings is the tab in front: its About button presents the About screen.
    if (s.click("showAboutOutlt")) {
        s.saveWindow("About", "About");
        if (WindowHost* about = ui.visibleHost("About"))
            if (about->widget()) about->widget()->close();
        settle();
    }

    if (s.click("showScrollOutlt") && s.click("selectAnimationOutlt")) {
        s.saveWindow("CurveChooser", "Easing");
        if (WindowHost* sheet = ui.visibleHost("Easing"))
            if (sheet->widget()) sheet->widget()->close();
        settle();
    }

    if (StatusTray* tray = ui.tray()) {
        QMenu& menu = tray->menu();
        menu.ensurePolished();
        menu.adjustSize();
        s.save("StatusMenu", menu.grab());
    }

    if (const Storyboard* storyboard = Storyboard::main()) {
        if (auto permission = storyboard->instantiateWindowController("AccessibilityID")) {
            permission->showWindow();
            s.saveWindow("Permission", "Permission");
            permission->window().close();
            settle();
        }
    }

    Alert(SettingsViewController::kResetMessage, {"Yes", "Cancel"}).runModal();
    settle();
    if (QMessageBox* box = ui.currentAlert()) {
        s.save("Alert", box->grab());
        box->reject();
        settle();
    }
    return s.written;
}

}  // namespace wexo::ui::qt

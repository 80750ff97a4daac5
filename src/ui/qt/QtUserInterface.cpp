#include "ui/qt/QtUserInterface.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include "platform/Log.h"
#include "ui/Alert.h"
#include "ui/AppDelegateLink.h"
#include "ui/Application.h"
#include "ui/OpenPanel.h"
#include "ui/StatusItem.h"
#include "ui/Window.h"
#include "ui/qt/ApplicationChooser.h"
#include "ui/qt/Conversions.h"
#include "ui/qt/CurrentEvent.h"
#include "ui/qt/KeyTranslation.h"
#include "ui/qt/StatusTray.h"
#include "ui/qt/WindowHost.h"

namespace wexo::ui::qt {

QtUserInterface::QtUserInterface() : appDirs_(DesktopEntries::applicationDirectories()) {
    qApp->installEventFilter(this);
}

QtUserInterface::~QtUserInterface() {
    detach();
    if (qApp) qApp->removeEventFilter(this);
}

void QtUserInterface::attach(Application& application) {
    detach();
    application_ = &application;
    // The notifications reach the application after the change, from the
    // event loop, as the system's do.
    auto displaysChanged = [this] {
        QTimer::singleShot(0, this, [this] {
            if (application_) application_->screenParametersDidChange();
        });
    };
    connections_.push_back(connect(qApp, &QGuiApplication::screenAdded, this,
                                   [displaysChanged] { displaysChanged(); }));
    connections_.push_back(connect(qApp, &QGuiApplication::screenRemoved, this,
                                   [displaysChanged] { displaysChanged(); }));
    connections_.push_back(connect(qApp, &QGuiApplication::applicationStateChanged, this,
                                   [this](Qt::ApplicationState state) {
                                       if (state == Qt::ApplicationActive && application_)
                                           application_->willBecomeActive();
                                   }));
}

void QtUserInterface::detach() {
    for (auto& c : connections_) disconnect(c);
    connections_.clear();
    application_ = nullptr;
    for (auto& alert : alerts_) delete alert.data();
    alerts_.clear();
    delete chooser_.data();
}

WindowHost* QtUserInterface::hostOf(const Window& window) const {
    auto it = hosts_.find(&window);
    return it == hosts_.end() ? nullptr : it->second.get();
}

WindowHost* QtUserInterface::visibleHost(const std::string& windowName) const {
    for (const auto& [window, host] : hosts_)
        if (window->name() == windowName && window->isVisible()) return host.get();
    return nullptr;
}

StatusTray* QtUserInterface::tray() const {
    return trays_.empty() ? nullptr : trays_.begin()->second.get();
}

QWidget* QtUserInterface::parentWidgetFor(Window* window) const {
    if (window)
        if (WindowHost* host = hostOf(*window)) return host->widget();
    if (WindowHost* prefs = visibleHost("Preferences")) return prefs->widget();
    return nullptr;
}

void QtUserInterface::windowDidChange(Window& window, WindowChange change) {
    auto it = hosts_.find(&window);
    if (change == WindowChange::Destroyed) {
        if (it != hosts_.end()) hosts_.erase(it);
        return;
    }
    if (it == hosts_.end()) {
        QWidget* parent = nullptr;
        if (window.sheetParent())
            parent = parentWidgetFor(window.sheetParent());
        else if (window.contentViewController() &&
                 window.contentViewController()->presentingViewController())
            parent = parentWidgetFor(
                window.contentViewController()->presentingViewController()->window());
        it = hosts_.emplace(&window, std::make_unique<WindowHost>(window, parent)).first;
    }
    WindowHost& host = *it->second;
    switch (change) {
        case WindowChange::Shown:
            host.shown();
            break;
        case WindowChange::OrderedFront:
            host.orderedFront();
            break;
        case WindowChange::Closed:
            host.closed();
            break;
        case WindowChange::Frame:
        case WindowChange::Level:
            host.frameChanged();
            break;
        default:
            break;
    }
}

void QtUserInterface::statusItemDidChange(StatusItem& item, StatusItemChange change) {
    auto it = trays_.find(&item);
    if (change == StatusItemChange::Destroyed) {
        if (it != trays_.end()) trays_.erase(it);
        return;
    }
    if (it == trays_.end()) {
        it = trays_.emplace(&item, std::make_unique<StatusTray>(item)).first;
        if (!QSystemTrayIcon::isSystemTrayAvailable()) {
            WEXO_LOG_INFO(
                "The desktop shows no system tray: the preferences window opens instead of the "
                "status icon");
            // After the launch sequence, which builds the window first.
            QTimer::singleShot(0, this, [] {
                if (auto* delegate = appDelegate()) delegate->showWindow();
            });
        }
        return;
    }
    it->second->refresh(change);
}

void QtUserInterface::activationPolicyDidChange(ActivationPolicy policy) {
    // Linux desktops have no Dock icon to add or remove; the windows alone
    // show that the program is in front.
    policy_ = policy;
}

void QtUserInterface::runModal(const Alert& alert, std::function<void(std::size_t)> completion) {
    QString message = qs(alert.messageText);
    if (message.isEmpty()) {
        WEXO_LOG_ERROR("An alert without a message");
        message = tr("Wexo could not finish what you asked.");
    }
    auto* box = new QMessageBox(parentWidgetFor(nullptr));
    box->setWindowTitle(tr("Wexo"));
    box->setText(message);
    box->setInformativeText(qs(alert.informativeText));
    const bool question = alert.buttons.size() > 1;
    box->setIcon(question ? QMessageBox::Question : QMessageBox::Information);
    std::vector<QAbstractButton*> buttons;
    std::vector<std::string> titles =
        alert.buttons.empty() ? std::vector<std::string>{"Ok"} : alert.buttons;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const auto role = i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
        buttons.push_back(box->addButton(qs(titles[i]), role));
    }
    box->setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
    box->setEscapeButton(buttons.back());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    connect(box, &QMessageBox::buttonClicked, this,
            [buttons, completion = std::move(completion)](QAbstractButton* clicked) {
                for (std::size_t i = 0; i < buttons.size(); ++i)
                    if (buttons[i] == clicked && completion) completion(i);
            });
    alerts_.push_back(box);
    box->open();
}

QMessageBox* QtUserInterface::currentAlert() const {
    for (auto it = alerts_.rbegin(); it != alerts_.rend(); ++it)
        if (*it && (*it)->isVisible()) return *it;
    return nullptr;
}

void QtUserInterface::beginSheet(const OpenPanel&, Window* parent,
                                 std::function<void(std::optional<std::string>)> completion) {
    delete chooser_.data();
    auto* chooser =
        new ApplicationChooser(DesktopEntries::installed(appDirs_), parentWidgetFor(parent));
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    connect(chooser, &QDialog::finished, this,
            [chooser, completion = std::move(completion)](int result) {
                std::optional<std::string> path;
                if (result == QDialog::Accepted) path = chooser->chosenPath();
                if (completion) completion(path);
            });
    chooser_ = chooser;
    chooser->open();
}

ApplicationChooser* QtUserInterface::currentChooser() const {
    return chooser_;
}

bool QtUserInterface::currentEventIsLeftMouseUp() const {
    return CurrentEvent::isLeftMouseUp();
}

bool QtUserInterface::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride: {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (!widget || !widget->window() || !widget->window()->property("wexoWindow").toBool())
                return false;
            // A key event travels from the focus widget up through its
            // parents, passing this filter at each; it is the monitors' once.
            QWidget* first = widget->window()->focusWidget();
            if (widget != (first ? first : widget->window())) return false;
            return handleKey(event);
        }
        default:
            return false;
    }
}

bool QtUserInterface::handleKey(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::KeyPress && pendingPress_ && pendingPress_->key == key->key()) {
        const bool dropped = pendingPress_->dropped;
        pendingPress_.reset();
        return dropped;
    }
    pendingPress_.reset();
    if (!keyDispatch_) return false;
    const auto translated = KeyTranslation::fromQt(*key);
    if (!translated) return false;
    const bool dropped = !keyDispatch_(*translated);
    if (event->type() == QEvent::ShortcutOverride) {
        pendingPress_ = PendingPress{key->key(), dropped};
        // Taken by a monitor: no shortcut may act on it either.
        if (dropped) event->accept();
        return dropped;
    }
    return dropped;
}

}  // namespace wexo::ui::qt

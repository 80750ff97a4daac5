#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Event.h"
#include "ui/UserInterface.h"
#include "ui/qt/DesktopEntries.h"

class QMessageBox;

namespace wexo::ui::qt {

class ApplicationChooser;
class StatusTray;
class WindowHost;

// The user interface drawn with Qt Widgets: each window of the program is
// a widget holding its screen's form, the status item is a tray icon, alerts
// are message boxes and the open panel is the application chooser. It
// delivers to the application what the desktop tells Qt (displays changed,
// the program became active) and the key events typed into the program's
// windows to the local key monitors. Needs a QApplication. Main thread only.
class QtUserInterface : public QObject, public UserInterface {
    Q_OBJECT

  public:
    // What the program's local key monitors make of a key event: the event
    // to deliver on, or nothing when a monitor took it.
    using KeyMonitorDispatch =
        std::function<std::optional<platform::Event>(const platform::Event&)>;

    QtUserInterface();
    ~QtUserInterface() override;

    // Where key events typed into the program's windows go; none: nowhere.
    void setKeyMonitorDispatch(KeyMonitorDispatch dispatch) { keyDispatch_ = std::move(dispatch); }
    // Where the application chooser looks (the XDG applications
    // directories unless told otherwise).
    void setApplicationDirectories(std::vector<std::string> dirs) { appDirs_ = std::move(dirs); }

    // ---- UserInterface ----
    void attach(Application& application) override;
    void detach() override;
    void windowDidChange(Window& window, WindowChange change) override;
    void statusItemDidChange(StatusItem& item, StatusItemChange change) override;
    void activationPolicyDidChange(ActivationPolicy policy) override;
    void runModal(const Alert& alert, std::function<void(std::size_t)> completion) override;
    void beginSheet(const OpenPanel& panel, Window* parent,
                    std::function<void(std::optional<std::string>)> completion) override;
    bool currentEventIsLeftMouseUp() const override;

    // ---- What is on screen ----
    WindowHost* hostOf(const Window& window) const;
    // The host of the visible window of that name ("Preferences"), if any.
    WindowHost* visibleHost(const std::string& windowName) const;
    StatusTray* tray() const;
    // The alert on top and the open chooser, while they are up.
    QMessageBox* currentAlert() const;
    ApplicationChooser* currentChooser() const;
    std::optional<ActivationPolicy> lastActivationPolicy() const { return policy_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool handleKey(QEvent* event);
    QWidget* parentWidgetFor(Window* window) const;

    Application* application_ = nullptr;
    std::map<const Window*, std::unique_ptr<WindowHost>> hosts_;
    std::map<const StatusItem*, std::unique_ptr<StatusTray>> trays_;
    std::vector<QPointer<QMessageBox>> alerts_;
    QPointer<ApplicationChooser> chooser_;
    std::optional<ActivationPolicy> policy_;
    KeyMonitorDispatch keyDispatch_;
    std::vector<std::string> appDirs_;
    std::vector<QMetaObject::Connection> connections_;
    // A key press the shortcut machinery showed first, and whether a
    // monitor took it, so that the press itself is not dispatched again.
    struct PendingPress {
        int key;
        bool dropped;
    };
    std::optional<PendingPress> pendingPress_;
};

}  // namespace wexo::ui::qt

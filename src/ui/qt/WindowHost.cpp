#include "ui/qt/WindowHost.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/Platform.h"
#include "ui/Button.h"
#include "ui/ViewController.h"
#include "ui/qt/ImageProvider.h"

namespace wexo::ui::qt {

void HostWidget::closeEvent(QCloseEvent* event) {
    // The model closes the window (or not); a plain close would leave it
    // thinking the window is still on screen.
    event->ignore();
    if (onCloseRequest) onCloseRequest();
}

WindowHost::WindowHost(Window& window, QWidget* parentWidget)
    : window_(window), parentWidget_(parentWidget) {}

WindowHost::~WindowHost() {
    form_.reset();
    delete widget_.data();
}

QString WindowHost::titleFor(const std::string& name) {
    if (name == "Preferences") return QObject::tr("Wexo Preferences");
    if (name == "About") return QObject::tr("About Wexo");
    if (name == "Easing") return QObject::tr("Scroll Curve");
    if (name == "Permission") return QObject::tr("Wexo Needs Access");
    return QObject::tr("Wexo");
}

void WindowHost::build() {
    if (widget_) return;
    Qt::WindowFlags flags = Qt::Window;
    QWidget* parent = nullptr;
    if (isOverlay()) {
        flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus |
                Qt::X11BypassWindowManagerHint;
    } else if (window_.sheetParent() && parentWidget_) {
        flags = Qt::Sheet | Qt::Dialog;
        parent = parentWidget_;
    } else if (window_.contentViewController() &&
               window_.contentViewController()->presentingViewController()) {
        flags = Qt::Dialog;
        parent = parentWidget_;
    }
    widget_ = new HostWidget(parent, flags);
    widget_->setProperty("wexoWindow", true);
    widget_->setWindowTitle(titleFor(window_.name()));
    widget_->setWindowIcon(ImageProvider::applicationIcon());
    widget_->onCloseRequest = [this] { closeRequested(); };
    if (window_.sheetParent()) widget_->setWindowModality(Qt::WindowModal);
    if (isOverlay()) {
        widget_->setAttribute(Qt::WA_TranslucentBackground);
        widget_->setAttribute(Qt::WA_ShowWithoutActivating);
        widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    auto* fill = new QVBoxLayout(widget_);
    if (isOverlay()) fill->setContentsMargins(0, 0, 0, 0);
    if (ViewController* screen = window_.contentViewController()) {
        form_ = std::make_unique<ScreenForm>(*screen);
        fill->addWidget(form_->widget());
    }
}

void WindowHost::placeOverlay() {
    // The model's frame is in the screen list's coordinates (origin at the
    // bottom left of the main display, y up); Qt's at its top left, y down.
    const platform::Rect f = window_.frame();
    const auto screens = installedPlatform().screens().screens();
    double mainTop = f.origin.y + f.size.height;
    if (!screens.empty())
        mainTop = screens.front().frame.origin.y + screens.front().frame.size.height;
    widget_->setGeometry(static_cast<int>(f.origin.x),
                         static_cast<int>(mainTop - (f.origin.y + f.size.height)),
                         static_cast<int>(f.size.width), static_cast<int>(f.size.height));
}

void WindowHost::shown() {
    build();
    if (isOverlay()) {
        placeOverlay();
    } else if (!placed_) {
        placed_ = true;
        widget_->adjustSize();
        if (!widget_->parentWidget()) {
            // Centred on the screen the person works on.
            if (QScreen* screen = QGuiApplication::primaryScreen()) {
                QRect r = widget_->frameGeometry();
                r.moveCenter(screen->availableGeometry().center());
                widget_->move(r.topLeft());
            }
        }
    }
    widget_->show();
    if (!isOverlay()) {
        widget_->raise();
        widget_->activateWindow();
    }
}

void WindowHost::orderedFront() {
    if (!widget_) return;
    // Ordered front after the person minimised it (a second start, the
    // status menu): it comes back, not only raised under its icon.
    if (widget_->isMinimized())
        widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
    widget_->raise();
    if (!isOverlay()) widget_->activateWindow();
}

void WindowHost::closed() {
    if (widget_) widget_->hide();
}

void WindowHost::frameChanged() {
    if (widget_ && isOverlay()) placeOverlay();
}

void WindowHost::closeRequested() {
    ViewController* screen = window_.contentViewController();
    if (!screen) {
        window_.close();
        return;
    }
    // The screen's own close button says what closing means (hiding the
    // preferences, quitting from the permission screen, ending a sheet).
    for (Control* c : ScreenForm::outlets(*screen)) {
        const std::string& action = c->action();
        if ((action == "closeWindow:" || action == "closeSheet:") && dynamic_cast<Button*>(c)) {
            c->sendAction();
            return;
        }
    }
    if (screen->presentingViewController())
        screen->dismiss();
    else
        window_.close();
}

}  // namespace wexo::ui::qt

#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "ui/Window.h"
#include "ui/qt/ScreenForm.h"

namespace wexo::ui::qt {

// The top-level widget of one of the program's windows. Closing it from the
// window's frame goes to the model, which decides what closing means.
class HostWidget : public QWidget {
    Q_OBJECT

  public:
    HostWidget(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}
    std::function<void()> onCloseRequest;

  protected:
    void closeEvent(QCloseEvent* event) override;
};

// One window of the program on screen: a normal window (preferences,
// permission, About), a sheet on its parent window (the curve chooser), or
// the overlay (frameless, always on top, translucent, letting the mouse
// through, on the display the model places it). Its content is the form of
// the window's screen, built the first time it shows.
class WindowHost {
  public:
    WindowHost(Window& window, QWidget* parentWidget);
    ~WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    Window& window() const { return window_; }
    HostWidget* widget() const { return widget_; }
    ScreenForm* form() const { return form_.get(); }
    bool isOverlay() const { return !window_.isOpaque(); }

    void shown();
    void orderedFront();
    void closed();
    void frameChanged();

    // The window's title as a person reads it.
    static QString titleFor(const std::string& windowName);

  private:
    void build();
    void placeOverlay();
    void closeRequested();

    Window& window_;
    QPointer<QWidget> parentWidget_;
    QPointer<HostWidget> widget_;
    std::unique_ptr<ScreenForm> form_;
    bool placed_ = false;
};

}  // namespace wexo::ui::qt

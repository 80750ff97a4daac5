#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/ViewController.h"

namespace wexo::ui::qt {

class ControlBinder;

// One screen drawn: its Designer form, whose widgets carry the names of the
// controller's outlets, every outlet paired with its widget and bound, and
// the forms of the screens embedded in it placed in their containers. A
// form that lacks a widget for an outlet, or has a named widget no outlet
// claims, is a mistake the screen lists (and logs). Widgets that belong to
// the form alone (captions, groups) have names beginning with "form".
class ScreenForm {
  public:
    explicit ScreenForm(ViewController& screen);
    ~ScreenForm();
    ScreenForm(const ScreenForm&) = delete;
    ScreenForm& operator=(const ScreenForm&) = delete;

    ViewController& screen() const { return screen_; }
    // The form's top widget; its owner is whoever places it.
    QWidget* widget() const { return widget_; }

    // What does not pair, here and in the embedded screens' forms.
    std::vector<std::string> mismatches() const;
    // The widget drawing the outlet of that name, here or in an embedded
    // screen's form; nullptr when there is none.
    QWidget* outletWidget(const std::string& identifier) const;
    // The form of an embedded screen, by the screen's name.
    ScreenForm* childForm(const std::string& screenName) const;

    // The controls of the screen a form must draw: every named control of
    // its view tree, the embedded screens' controls left out, and not the
    // parts that their binder draws (table cells, collection items, menus,
    // slider knobs).
    static std::vector<Control*> outlets(ViewController& screen);

  private:
    void pair();
    void embedChildren();

    ViewController& screen_;
    QPointer<QWidget> widget_;
    std::vector<std::string> mismatches_;
    std::vector<std::unique_ptr<ScreenForm>> children_;
};

}  // namespace wexo::ui::qt

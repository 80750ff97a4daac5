#include "ui/qt/ButtonBinder.h"

#include <QRadioButton>

#include "ui/qt/Conversions.h"
#include "ui/qt/ImageProvider.h"

namespace wexo::ui::qt {

ButtonBinder::ButtonBinder(Button& button, QAbstractButton& widget)
    : ControlBinder(button, widget),
      button_(button),
      widget_(widget),
      formText_(widget.text()),
      formIcon_(widget.icon()) {
    const bool twoState = button.type() != ButtonType::Push;
    widget.setCheckable(twoState);
    // The controllers decide which radio of a group is on; Qt's own
    // exclusivity would run ahead of a refusal.
    widget.setAutoExclusive(false);
    connect(&widget, &QAbstractButton::clicked, this, [this] { clicked(); });
}

void ButtonBinder::clicked() {
    // Qt has already flipped the widget; the model flips itself on its click.
    if (!asPerson(true, [this] { button_.performClick(); })) return;
    refresh(ControlChange::State);
}

void ButtonBinder::refresh(ControlChange what) {
    switch (what) {
        case ControlChange::Title: {
            // The model's titles are padded for the Mac's check boxes.
            const QString title = qs(button_.title()).trimmed();
            widget_.setText(title.isEmpty() ? formText_ : title);
            break;
        }
        case ControlChange::State: {
            const QSignalBlocker block(widget_);
            if (widget_.isCheckable()) widget_.setChecked(button_.isOn());
            showImage();
            break;
        }
        case ControlChange::Image:
            showImage();
            break;
        default:
            ControlBinder::refresh(what);
    }
}

void ButtonBinder::showImage() {
    const auto& image =
        button_.isOn() && button_.alternateImage() ? button_.alternateImage() : button_.image();
    const QIcon icon = image ? ImageProvider::icon(*image) : QIcon();
    widget_.setIcon(icon.isNull() ? formIcon_ : icon);
}

}  // namespace wexo::ui::qt

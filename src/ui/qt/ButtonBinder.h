#pragma once

#include <QAbstractButton>
#include <QString>

#include "ui/Button.h"
#include "ui/qt/ControlBinder.h"

namespace wexo::ui::qt {

// A push button, check box, radio button or toggle (a tab, a switch) on a
// QAbstractButton. The model's title replaces the form's text while it has
// one; its state ticks the widget; a click is the model's click.
class ButtonBinder : public ControlBinder {
    Q_OBJECT

  public:
    ButtonBinder(Button& button, QAbstractButton& widget);

  protected:
    void refresh(ControlChange what) override;

  private:
    void clicked();
    void showImage();

    Button& button_;
    QAbstractButton& widget_;
    QString formText_;
    QIcon formIcon_;
};

}  // namespace wexo::ui::qt

#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QString>

#include "ui/TextField.h"
#include "ui/qt/ControlBinder.h"

namespace wexo::ui::qt {

// A label (QLabel) or an editable field (QLineEdit). The model's text,
// with its coloured and sized runs, replaces the form's text while it has
// one; an editable field hands what was typed back when editing ends.
class TextFieldBinder : public ControlBinder {
    Q_OBJECT

  public:
    TextFieldBinder(TextField& field, QLabel& label);
    TextFieldBinder(TextField& field, QLineEdit& edit);

    // The model's runs as rich text for a label, with the field's colour and
    // size as the defaults (sizes scale with the desktop's font).
    static QString richText(const TextField& field, double baseFontPoints);

  protected:
    void refresh(ControlChange what) override;

  private:
    void showText();
    void showColor();
    void editingFinished();

    TextField& field_;
    QLabel* label_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QString formText_;
};

}  // namespace wexo::ui::qt

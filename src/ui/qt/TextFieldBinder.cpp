#include "ui/qt/TextFieldBinder.h"

#include <QApplication>

#include "ui/qt/Conversions.h"

namespace wexo::ui::qt {

namespace {
// The size the screens give their text by default, in the Mac's points;
// other sizes are scaled from the desktop's font by the same ratio.
constexpr double kModelBaseSize = 13;

bool plain(const TextField& field) {
    for (const TextRun& run : field.attributedStringValue())
        if (run.color || run.fontSize > 0 || run.strokeColor) return false;
    return field.fontSize() == kModelBaseSize;
}
}  // namespace

TextFieldBinder::TextFieldBinder(TextField& field, QLabel& label)
    : ControlBinder(field, label), field_(field), label_(&label), formText_(label.text()) {}

TextFieldBinder::TextFieldBinder(TextField& field, QLineEdit& edit)
    : ControlBinder(field, edit), field_(field), edit_(&edit), formText_(edit.placeholderText()) {
    connect(&edit, &QLineEdit::editingFinished, this, [this] { editingFinished(); });
}

QString TextFieldBinder::richText(const TextField& field, double baseFontPoints) {
    QString html;
    const double scale = baseFontPoints / kModelBaseSize;
    for (const TextRun& run : field.attributedStringValue()) {
        QString style;
        const auto color = meaningfulTextColor(run.color.value_or(field.textColor()));
        if (color) style += QStringLiteral("color:%1;").arg(color->name(QColor::HexArgb));
        const double size = run.fontSize > 0 ? run.fontSize : field.fontSize();
        if (size != kModelBaseSize)
            style += QStringLiteral("font-size:%1pt;").arg(size * scale, 0, 'f', 1);
        if (run.strokeColor) style += QStringLiteral("font-weight:bold;");
        QString text = qs(run.text).toHtmlEscaped();
        html += style.isEmpty() ? text
                                : QStringLiteral("<span style=\"%1\">%2</span>").arg(style, text);
    }
    return html;
}

void TextFieldBinder::refresh(ControlChange what) {
    switch (what) {
        case ControlChange::Text:
        case ControlChange::Appearance:
            showText();
            break;
        case ControlChange::TextColor:
            showColor();
            showText();
            break;
        case ControlChange::Editing:
            if (edit_) {
                edit_->setReadOnly(!field_.isEditable());
                if (field_.isEditing() && !edit_->hasFocus()) edit_->setFocus(Qt::OtherFocusReason);
            }
            break;
        default:
            ControlBinder::refresh(what);
    }
}

void TextFieldBinder::showText() {
    const QString text = qs(field_.stringValue());
    if (edit_) {
        // An empty field shows the form's hint instead.
        edit_->setPlaceholderText(formText_);
        if (edit_->text() != text) {
            const QSignalBlocker block(edit_);
            edit_->setText(text);
        }
        return;
    }
    if (text.isEmpty()) {
        label_->setTextFormat(Qt::AutoText);
        label_->setText(formText_);
        return;
    }
    if (plain(field_)) {
        label_->setTextFormat(Qt::PlainText);
        label_->setText(text);
    } else {
        label_->setTextFormat(Qt::RichText);
        label_->setText(richText(field_, label_->font().pointSizeF()));
    }
    switch (field_.alignment()) {
        case TextAlignment::Center:
            label_->setAlignment(Qt::AlignCenter);
            break;
        case TextAlignment::Right:
            label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            break;
        default:
            break;
    }
}

void TextFieldBinder::showColor() {
    QWidget* w = widget();
    if (!w) return;
    QPalette palette = w->parentWidget() ? w->parentWidget()->palette() : QApplication::palette();
    if (auto color = meaningfulTextColor(field_.textColor())) {
        palette.setColor(QPalette::WindowText, *color);
        palette.setColor(QPalette::Text, *color);
    }
    w->setPalette(palette);
}

void TextFieldBinder::editingFinished() {
    if (!edit_ || !field_.isEditable()) return;
    const std::string typed = ss(edit_->text());
    if (!field_.isEditing()) field_.beginEditing();
    field_.setStringValue(typed);
    asPerson(false, [this] { field_.endEditing(); });
}

}  // namespace wexo::ui::qt

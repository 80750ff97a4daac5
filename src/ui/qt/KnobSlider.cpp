#include "ui/qt/KnobSlider.h"

#include <QHBoxLayout>
#include <QKeyEvent>

namespace wexo::ui::qt {

KnobField::KnobField(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFrame(false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize KnobField::sizeHint() const {
    // Room for the widest value the sliders show ("0.875", "1000"), in the
    // current font.
    const QSize base = QLineEdit::sizeHint();
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("00000.00")), base.height());
}

void KnobField::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void KnobField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !isReadOnly()) {
        emit cancelled();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

KnobSlider::KnobSlider(QWidget* parent)
    : QWidget(parent), slider_(new QSlider(Qt::Horizontal, this)), knob_(new KnobField(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(slider_, 1);
    row->addWidget(knob_);
    setFocusProxy(slider_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

}  // namespace wexo::ui::qt

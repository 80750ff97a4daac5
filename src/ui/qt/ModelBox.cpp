#include "ui/qt/ModelBox.h"

#include <QPainter>

namespace wexo::ui::qt {

ModelBox::ModelBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ModelBox::setFill(std::optional<QColor> fill) {
    fill_ = fill;
    update();
}

void ModelBox::setBorder(std::optional<QColor> border) {
    border_ = border;
    update();
}

void ModelBox::setCornerRadius(double radius) {
    radius_ = radius;
    update();
}

void ModelBox::setStriped(bool striped) {
    striped_ = striped;
    update();
}

void ModelBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (fill_) {
        p.setPen(Qt::NoPen);
        p.setBrush(*fill_);
        p.drawRoundedRect(r, radius_, radius_);
    }
    if (striped_) {
        // Text-like lines a few points apart, as in a page that scrolls.
        const QColor ink = palette().color(QPalette::Mid);
        const int gap = fontMetrics().height();
        p.setPen(QPen(ink, 2));
        for (int y = gap; y < height(); y += gap)
            p.drawLine(QPointF(4, y), QPointF(width() - 4 - (y / gap % 3) * 8, y));
    }
    if (border_) {
        p.setPen(QPen(*border_, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, radius_, radius_);
    }
}

}  // namespace wexo::ui::qt

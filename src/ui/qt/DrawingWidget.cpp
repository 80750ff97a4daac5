#include "ui/qt/DrawingWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/qt/Conversions.h"

namespace wexo::ui::qt {

DrawingWidget::DrawingWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void DrawingWidget::setDrawing(Drawing drawing) {
    drawing_ = std::move(drawing);
    update();
}

void DrawingWidget::setMouseHandlers(MouseHandler down, MouseHandler dragged, MouseHandler up) {
    down_ = std::move(down);
    dragged_ = std::move(dragged);
    up_ = std::move(up);
}

std::optional<std::int64_t> DrawingWidget::buttonNumber(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 0;
        case Qt::RightButton:
            return 1;
        case Qt::MiddleButton:
            return 2;
        case Qt::BackButton:
            return 3;
        case Qt::ForwardButton:
            return 4;
        default:
            break;
    }
    // Qt::ExtraButton3 and on are further buttons 5 and on.
    for (int k = 3; k <= 24; ++k)
        if (button == static_cast<Qt::MouseButton>(Qt::ExtraButton3 << (k - 3))) return k + 2;
    return std::nullopt;
}

QPointF DrawingWidget::modelPoint(QPointF p) const {
    const double w = drawing_.size.width > 0 ? drawing_.size.width : width();
    const double h = drawing_.size.height > 0 ? drawing_.size.height : height();
    const double sx = width() > 0 ? w / width() : 1;
    const double sy = height() > 0 ? h / height() : 1;
    return QPointF(p.x() * sx, h - p.y() * sy);
}

void DrawingWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = drawing_.size.width > 0 ? drawing_.size.width : width();
    const double h = drawing_.size.height > 0 ? drawing_.size.height : height();
    p.scale(width() / w, height() / h);
    if (drawing_.background) p.fillRect(QRectF(0, 0, w, h), toQColor(*drawing_.background));
    for (const Stroke& stroke : drawing_.strokes) {
        if (stroke.points.empty()) continue;
        QPainterPath path(flipped(stroke.points.front(), h));
        for (std::size_t i = 1; i < stroke.points.size(); ++i)
            path.lineTo(flipped(stroke.points[i], h));
        QPen pen(toQColor(stroke.color), stroke.thickness, Qt::SolidLine, Qt::RoundCap,
                 Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        if (stroke.points.size() == 1)
            p.drawPoint(flipped(stroke.points.front(), h));
        else
            p.drawPath(path);
    }
}

void DrawingWidget::mousePressEvent(QMouseEvent* event) {
    const auto number = buttonNumber(event->button());
    if (!number) return;
    if (!strokeButton_) strokeButton_ = number;
    if (down_) down_(modelPoint(event->position()), *number);
}

void DrawingWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!strokeButton_ || !dragged_) return;
    dragged_(modelPoint(event->position()), *strokeButton_);
}

void DrawingWidget::mouseReleaseEvent(QMouseEvent* event) {
    const auto number = buttonNumber(event->button());
    if (!number) return;
    if (strokeButton_ == number) strokeButton_.reset();
    if (up_) up_(modelPoint(event->position()), *number);
}

}  // namespace wexo::ui::qt

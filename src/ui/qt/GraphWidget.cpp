#include "ui/qt/GraphWidget.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QVariantAnimation>

#include "platform/Platform.h"
#include "ui/qt/Conversions.h"

namespace wexo::ui::qt {

GraphWidget::GraphWidget(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize GraphWidget::sizeHint() const {
    // About the model's proportions, measured in lines of text so that
    // larger fonts get larger graphs.
    const int line = fontMetrics().height();
    return QSize(line * 7, line * 6);
}

void GraphWidget::paintEvent(QPaintEvent*) {
    if (!graph_) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const platform::Size model = graph_->frame().size;
    if (model.width <= 0 || model.height <= 0) return;
    const double sx = width() / model.width;
    const double sy = height() / model.height;
    auto place = [&](platform::Point v) { return QPointF(v.x * sx, (model.height - v.y) * sy); };
    const GraphDrawing d = graph_->drawing();
    for (const GraphStroke& s : d.strokes) {
        if (s.points.empty()) continue;
        QPainterPath path(place(d.toView(s.points.front())));
        for (std::size_t i = 1; i < s.points.size(); ++i) path.lineTo(place(d.toView(s.points[i])));
        QColor color = toQColor(s.color);
        // The grid's near-black would vanish on a dark palette.
        if (s.lineWidth < 2) color = palette().color(QPalette::Mid);
        p.setPen(QPen(color, s.lineWidth, Qt::SolidLine, Qt::RoundCap,
                      s.roundJoins ? Qt::RoundJoin : Qt::MiterJoin));
        p.drawPath(path);
    }
    if (dotAlpha_ > 0) {
        const auto& dot = graph_->jumpingDot;
        const platform::Point o = dot.presentationOrigin();
        const platform::Size size = dot.frame().size;
        QColor fill = toQColor(dot.backgroundColor().value_or(Color::smurfBlue()));
        fill.setAlphaF(static_cast<float>(dotAlpha_));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawEllipse(
            QRectF(place({o.x, o.y + size.height}), QSizeF(size.width * sx, size.height * sy)));
    }
}

GraphBinder::GraphBinder(wexo::EasingFunctionGraphView& graph, GraphWidget& widget)
    : ControlBinder(graph, widget), graph_(graph), widget_(widget), motion_(new QTimer(this)) {
    widget.setGraph(&graph);
    motion_->setInterval(16);
    connect(motion_, &QTimer::timeout, this, [this] {
        widget_.update();
        const auto& anim = graph_.jumpingDot.positionAnimation();
        if (!anim || installedPlatform().runLoop().now() - anim->beganAt >= anim->duration)
            motion_->stop();
    });
    shownAlpha_ = graph.jumpingDot.alphaValue();
    widget.setDotAlpha(shownAlpha_);
    dotObservation_ =
        graph.jumpingDot.observe([this](Control&, ControlChange what) { dotChanged(what); });
}

void GraphBinder::refresh(ControlChange what) {
    if (what == ControlChange::Appearance) {
        widget_.update();
        return;
    }
    // The graph's place is its layout's; its frame only scales the drawing.
    if (what == ControlChange::Frame) {
        widget_.update();
        return;
    }
    ControlBinder::refresh(what);
}

void GraphBinder::dotChanged(ControlChange what) {
    if (what == ControlChange::Frame) {
        if (graph_.jumpingDot.positionAnimation()) motion_->start();
        widget_.update();
        return;
    }
    if (what != ControlChange::Alpha) return;
    const double target = graph_.jumpingDot.alphaValue();
    const double duration = graph_.jumpingDot.alphaAnimationDuration();
    if (fade_) fade_->stop();
    if (duration <= 0) {
        shownAlpha_ = target;
        widget_.setDotAlpha(target);
        return;
    }
    auto* fade = new QVariantAnimation(this);
    fade->setStartValue(shownAlpha_);
    fade->setEndValue(target);
    fade->setDuration(static_cast<int>(duration * 1000));
    connect(fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        shownAlpha_ = v.toDouble();
        widget_.setDotAlpha(shownAlpha_);
    });
    fade_ = fade;
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

}  // namespace wexo::ui::qt

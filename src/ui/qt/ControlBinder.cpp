#include "ui/qt/ControlBinder.h"

#include <QGraphicsOpacityEffect>
#include <QLayout>
#include <QTimer>
#include <QVariantAnimation>

#include "platform/Platform.h"
#include "ui/View.h"
#include "ui/qt/ToolTips.h"

namespace wexo::ui::qt {

namespace {
// Repaints of a moving control, about one per display frame.
constexpr int kMotionIntervalMs = 16;
}  // namespace

ControlBinder::ControlBinder(Control& control, QWidget& widget)
    : QObject(&widget), control_(control), widget_(&widget) {}

ControlBinder::~ControlBinder() = default;

void ControlBinder::start() {
    observation_ = control_.observe([this](Control&, ControlChange what) { refresh(what); });
    refreshAll();
}

void ControlBinder::refreshAll() {
    for (ControlChange what :
         {ControlChange::Hidden,    ControlChange::Enabled,   ControlChange::Alpha,
          ControlChange::ToolTip,   ControlChange::Tag,       ControlChange::Title,
          ControlChange::State,     ControlChange::Range,     ControlChange::Format,
          ControlChange::Value,     ControlChange::Image,     ControlChange::Text,
          ControlChange::TextColor, ControlChange::Editing,   ControlChange::Items,
          ControlChange::Rows,      ControlChange::Selection, ControlChange::Frame,
          ControlChange::Subviews,  ControlChange::Appearance})
        refresh(what);
}

void ControlBinder::refresh(ControlChange what) {
    if (!widget_) return;
    switch (what) {
        case ControlChange::Hidden:
            if (!widget_->isWindow()) widget_->setVisible(!control_.isHidden());
            break;
        case ControlChange::Enabled:
            widget_->setEnabled(control_.isEnabled());
            break;
        case ControlChange::Alpha:
            showAlpha();
            break;
        case ControlChange::ToolTip: {
            const auto& key = control_.toolTipKey();
            const QString text = key ? ToolTips::text(*key) : QString();
            widget_->setToolTip(text);
            if (!text.isEmpty() && widget_->accessibleDescription().isEmpty())
                widget_->setAccessibleDescription(text);
            break;
        }
        case ControlChange::Frame:
            showFrame();
            break;
        default:
            break;
    }
}

void ControlBinder::showAlpha() {
    const double alpha = control_.alphaValue();
    const double duration = control_.alphaAnimationDuration();
    if (fade_) fade_->stop();
    if (alpha >= 1 && duration <= 0) {
        if (opacity_) {
            widget_->setGraphicsEffect(nullptr);  // deletes the effect
            opacity_ = nullptr;
        }
        return;
    }
    if (!opacity_) {
        opacity_ = new QGraphicsOpacityEffect(widget_);
        opacity_->setOpacity(1);
        widget_->setGraphicsEffect(opacity_);
    }
    if (duration <= 0) {
        opacity_->setOpacity(alpha);
        return;
    }
    // The model holds the end state already; the fade shows the way there.
    auto* fade = new QVariantAnimation(this);
    fade->setStartValue(opacity_->opacity());
    fade->setEndValue(alpha);
    fade->setDuration(static_cast<int>(duration * 1000));
    QPointer<QGraphicsOpacityEffect> effect(opacity_);
    connect(fade, &QVariantAnimation::valueChanged, this, [effect](const QVariant& v) {
        if (effect) effect->setOpacity(v.toDouble());
    });
    fade_ = fade;
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void ControlBinder::showFrame() {
    QWidget* parent = widget_->parentWidget();
    // A laid-out widget is placed by its layout; the model's frames place
    // only the widgets of free-form views (the overlay, the sample scroller).
    if (widget_->isWindow() || !parent || parent->layout()) return;
    const platform::Rect f = control_.frame();
    const platform::Point o = control_.presentationOrigin();
    const View* superview = control_.superview();
    const double height = superview ? superview->frame().size.height : parent->height();
    widget_->setGeometry(static_cast<int>(o.x), static_cast<int>(height - (o.y + f.size.height)),
                         static_cast<int>(f.size.width), static_cast<int>(f.size.height));
    followPositionAnimation();
}

void ControlBinder::followPositionAnimation() {
    const auto& anim = control_.positionAnimation();
    const bool moving = anim && anim->duration > 0 &&
                        installedPlatform().runLoop().now() - anim->beganAt < anim->duration;
    if (!moving) {
        if (motion_) motion_->stop();
        return;
    }
    if (!motion_) {
        motion_ = new QTimer(this);
        motion_->setInterval(kMotionIntervalMs);
        connect(motion_, &QTimer::timeout, this, [this] { showFrame(); });
    }
    if (!motion_->isActive()) motion_->start();
}

}  // namespace wexo::ui::qt

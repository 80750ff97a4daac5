#include "ui/qt/ImageBinder.h"

#include <QEvent>
#include <QStyle>

#include "ui/qt/ImageProvider.h"

namespace wexo::ui::qt {

ImageBinder::ImageBinder(ImageView& view, QLabel& label)
    : ControlBinder(view, label), view_(view), label_(label) {
    label.setAlignment(Qt::AlignCenter);
    label.installEventFilter(this);
}

void ImageBinder::refresh(ControlChange what) {
    if (what == ControlChange::Image) {
        showImage();
        return;
    }
    ControlBinder::refresh(what);
    if (what == ControlChange::Frame) showImage();
}

bool ImageBinder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &label_ && event->type() == QEvent::Resize) showImage();
    return false;
}

void ImageBinder::showImage() {
    const auto& image = view_.image();
    if (!image) {
        label_.clear();
        return;
    }
    // The label's size when its layout or frame gave it one, else the
    // style's small icon size.
    int side = std::min(label_.width(), label_.height());
    if (side <= 0 || !label_.isVisible())
        side = label_.style()->pixelMetric(QStyle::PM_SmallIconSize);
    const qreal dpr = label_.devicePixelRatioF();
    label_.setPixmap(ImageProvider::icon(*image).pixmap(QSize(side, side), dpr));
}

}  // namespace wexo::ui::qt

#include "ui/qtimage/QtImageRenderer.h"

#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>

namespace wexo::ui::qtimage {

namespace {

class QtPixels : public RenderedPixels {
  public:
    explicit QtPixels(QImage image) : image_(std::move(image)) {}
    platform::Size size() const override {
        return platform::Size{static_cast<double>(image_.width()),
                              static_cast<double>(image_.height())};
    }
    const QImage& image() const { return image_; }

  private:
    QImage image_;
};

// Whole pixels for a size in points; nothing below one pixel.
int pixels(double points) {
    if (!(points >= 1)) return 0;
    return static_cast<int>(std::min(std::ceil(points), 16384.0));
}

QColor qtColor(const Color& c) {
    auto unit = [](double v) { return std::clamp(std::isfinite(v) ? v : 0.0, 0.0, 1.0); };
    return QColor::fromRgbF(static_cast<float>(unit(c.red)), static_cast<float>(unit(c.green)),
                            static_cast<float>(unit(c.blue)), static_cast<float>(unit(c.alpha)));
}

const QtPixels* qtPixels(const RenderedPixels& image) {
    return dynamic_cast<const QtPixels*>(&image);
}

}  // namespace

std::shared_ptr<const RenderedPixels> QtImageRenderer::render(const Drawing& drawing) {
    const int width = pixels(drawing.size.width);
    const int height = pixels(drawing.size.height);
    if (width == 0 || height == 0) return nullptr;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return nullptr;
    image.fill(Qt::transparent);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (drawing.background) painter.fillRect(image.rect(), qtColor(*drawing.background));
    for (const Stroke& stroke : drawing.strokes) {
        if (stroke.points.size() < 2) continue;
        QPainterPath path;
        // The drawing's y grows upward, the image's downward.
        auto at = [&](const platform::Point& p) { return QPointF(p.x, height - p.y); };
        path.moveTo(at(stroke.points.front()));
        for (std::size_t i = 1; i < stroke.points.size(); ++i) path.lineTo(at(stroke.points[i]));
        QPen pen(qtColor(stroke.color));
        pen.setWidthF(std::isfinite(stroke.thickness) && stroke.thickness > 0 ? stroke.thickness
                                                                              : 1.0);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.strokePath(path, pen);
    }
    painter.end();
    return std::make_shared<QtPixels>(std::move(image));
}

std::shared_ptr<const RenderedPixels> QtImageRenderer::scale(const RenderedPixels& image,
                                                             platform::Size size) {
    const QtPixels* source = qtPixels(image);
    const int width = pixels(size.width);
    const int height = pixels(size.height);
    if (!source || width == 0 || height == 0) return nullptr;
    QImage scaled =
        source->image().scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull()) return nullptr;
    return std::make_shared<QtPixels>(std::move(scaled));
}

bool QtImageRenderer::writeJpeg(const RenderedPixels& image, const std::string& path,
                                double compressionFactor) {
    const QtPixels* source = qtPixels(image);
    if (!source || path.empty()) return false;
    QImageWriter writer(QString::fromStdString(path), "jpeg");
    const double factor =
        std::clamp(std::isfinite(compressionFactor) ? compressionFactor : 1.0, 0.0, 1.0);
    writer.setQuality(static_cast<int>(std::lround(factor * 100)));
    return writer.write(source->image());
}

}  // namespace wexo::ui::qtimage

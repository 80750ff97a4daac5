#include "ui/qt/ImageProvider.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include "ui/qt/DesktopEntries.h"

namespace wexo::ui::qt {

namespace {
// Drawn at several sizes so that high-DPI screens get sharp pixels.
template <class Paint>
QIcon drawn(Paint paint) {
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 32.0, side / 32.0);
        paint(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

void paintMouse(QPainter& p, const QColor& ink) {
    QPen pen(ink, 2.2);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(9, 3, 14, 26), 7, 7);
    p.drawLine(QPointF(16, 3), QPointF(16, 13));
    p.drawLine(QPointF(9, 13), QPointF(23, 13));
}

QIcon mouseIcon(bool rocker) {
    const QColor ink = QApplication::palette().color(QPalette::WindowText);
    return drawn([&](QPainter& p) {
        paintMouse(p, ink);
        if (rocker) {
            // Both buttons pressed together.
            p.setBrush(QColor(0x1a, 0x75, 0xab));
            p.setPen(Qt::NoPen);
            p.drawRect(QRectF(10.5, 5, 4.5, 7));
            p.drawRect(QRectF(17, 5, 4.5, 7));
        }
    });
}

QIcon anchorIcon() {
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(30, 30, 30, 200), 1.5));
        p.setBrush(QColor(255, 255, 255, 220));
        p.drawEllipse(QRectF(2, 2, 28, 28));
        p.setBrush(QColor(30, 30, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(14, 14, 4, 4));
        for (int turn = 0; turn < 4; ++turn) {
            p.save();
            p.translate(16, 16);
            p.rotate(90.0 * turn);
            p.drawPolygon(QPolygonF({QPointF(0, -12), QPointF(-4, -7), QPointF(4, -7)}));
            p.restore();
        }
    });
}

QIcon globeIcon() {
    const QColor ink = QApplication::palette().color(QPalette::WindowText);
    return drawn([&](QPainter& p) {
        p.setPen(QPen(ink, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(4, 4, 24, 24));
        p.drawEllipse(QRectF(11, 4, 10, 24));
        p.drawLine(QPointF(4, 16), QPointF(28, 16));
        p.drawLine(QPointF(6, 10), QPointF(26, 10));
        p.drawLine(QPointF(6, 22), QPointF(26, 22));
    });
}

QIcon iconOfFile(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (file.endsWith(QLatin1String(".desktop"))) {
        if (auto entry = DesktopEntries::read(path); entry && !entry->icon.empty()) {
            const QString name = QString::fromStdString(entry->icon);
            if (QFileInfo(name).isAbsolute()) return QIcon(name);
            QIcon themed = QIcon::fromTheme(name);
            if (!themed.isNull()) return themed;
        }
        return QApplication::style()->standardIcon(QStyle::SP_DesktopIcon);
    }
    if (!QFileInfo::exists(file)) return QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    return QFileIconProvider().icon(QFileInfo(file));
}
}  // namespace

QIcon ImageProvider::applicationIcon() {
    return mouseIcon(false);
}

QIcon ImageProvider::icon(const Image& image) {
    switch (image.kind) {
        case Image::Kind::FileIcon:
            return iconOfFile(image.name);
        case Image::Kind::File: {
            QPixmap pm(QString::fromStdString(image.name));
            return pm.isNull() ? QIcon() : QIcon(pm);
        }
        case Image::Kind::Named:
            break;
    }
    const std::string& n = image.name;
    if (n.rfind("checkbox", 0) == 0) return {};
    if (n == "global_b") return globeIcon();
    if (n == "rocker") return mouseIcon(true);
    if (n == "menuNoOpacity") return applicationIcon();
    if (n == "autoScrollAnchor") return anchorIcon();
    if (n == "gear_w_off" || n == "gear_w_on")
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    return QIcon::fromTheme(QString::fromStdString(n));
}

}  // namespace wexo::ui::qt

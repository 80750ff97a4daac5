#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <optional>
#include <string>

#include "platform/Geometry.h"
#include "ui/Color.h"

namespace wexo::ui::qt {

inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

inline std::string ss(const QString& text) {
    return text.toStdString();
}

inline QColor toQColor(const Color& c) {
    return QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green),
                            static_cast<float>(c.blue), static_cast<float>(c.alpha));
}

// The screens name their text colours for a dark window: near white for the
// chosen row, grey for the others, black for plain labels. Under the
// desktop's palette the selection is shown by the list itself, so those
// three read as the palette's own text colour (nothing); the colours that
// carry meaning (the duplicate's red, the recorder's blue) stay.
std::optional<QColor> meaningfulTextColor(const Color& c);

// Points in the model's views have their origin at the bottom left, y up;
// Qt's widgets at the top left, y down.
inline QPointF flipped(platform::Point p, double height) {
    return QPointF(p.x, height - p.y);
}

}  // namespace wexo::ui::qt

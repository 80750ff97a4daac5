#include "ui/qt/Conversions.h"

namespace wexo::ui::qt {

std::optional<QColor> meaningfulTextColor(const Color& c) {
    if (c == Color::dirtyWhite() || c == Color::disabledGray() || c == Color::black() ||
        c == Color::white())
        return std::nullopt;
    return toQColor(c);
}

}  // namespace wexo::ui::qt

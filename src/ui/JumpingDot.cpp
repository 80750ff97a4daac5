#include "ui/JumpingDot.h"

namespace wexo {

namespace {
constexpr double kDiameter = 14;
}

JumpingDot::JumpingDot(std::string identifier) : ui::View(std::move(identifier)) {
    setFrame(platform::Rect(0, 0, kDiameter, kDiameter));
    setBackgroundColor(ui::Color::smurfBlue());
    setCornerRadius(kDiameter / 2);
    // Not drawn yet, and invisible once it is.
    setAlphaValue(0);
}

void JumpingDot::drawRect() {
    setAlphaValue(0);
}

}  // namespace wexo

#include "ui/FullScreenDrawViewController.h"

#include "settings/KxDefaults.h"
#include "ui/StatusMenuLink.h"
#include "ui/Window.h"

namespace wexo {

namespace {
// A square of `side` centred on the point.
platform::Rect centredOn(platform::Point p, double side) {
    return platform::Rect(p.x - side / 2, p.y - side / 2, side, side);
}

// The arrow of a direction, each followed by two variation selectors so
// that it shows as an emoji; nothing for an unknown direction.
const char* arrowOf(std::uint64_t direction) {
    switch (direction) {
        case 1:
            return "\u2B06\uFE0F\uFE0F";
        case 2:
            return "\u2B07\uFE0F\uFE0F";
        case 3:
            return "\u2B05\uFE0F\uFE0F";
        case 4:
            return "\u27A1\uFE0F\uFE0F";
        default:
            return "";
    }
}

// Heights of the arrows' line and of the display name, and their type sizes.
constexpr double kDirectionsHeight = 80;
constexpr double kDirectionsFontSize = 48;
constexpr double kNameHeight = 120;
constexpr double kNameFontSize = 90;
}  // namespace

FullScreenDrawViewController::FullScreenDrawViewController() : ui::ViewController("FullScreen") {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &linesView, &drawEmphasizer, &anchorView, &directionTextField, &displayNameLabel})
        view().addSubview(*c);
    drawEmphasizer.setCornerRadius(kEmphasizerCornerRadius);
    drawEmphasizer.setFrame(centredOn({}, kEmphasizerSide));
    anchorView.setImage(ui::Image::named("autoScrollAnchor"));
    anchorView.setFrame(centredOn({}, kAnchorSide));
    directionTextField.setAlignment(ui::TextAlignment::Center);
    directionTextField.setFontSize(kDirectionsFontSize);
    directionTextField.setTextColor(ui::Color::white());
    displayNameLabel.setAlignment(ui::TextAlignment::Center);
    displayNameLabel.setFontSize(kNameFontSize);
    displayNameLabel.setHidden(true);
}

FullScreenDrawViewController::~FullScreenDrawViewController() {
    if (auto* menu = ui::existingStatusMenu()) menu->unregisterScreen(*this);
}

void FullScreenDrawViewController::viewDidLoad() {
    gestureDirections_.clear();
    directionTextField.setStringValue("");
    fitToWindow();
    if (auto* menu = ui::statusMenu()) menu->registerScreen(*this);
}

void FullScreenDrawViewController::fitToWindow() {
    const ui::Window* w = window();
    if (!w) return;
    const platform::Size size = w->frame().size;
    view().setFrame(platform::Rect(0, 0, size.width, size.height));
    linesView.setFrame(platform::Rect(0, 0, size.width, size.height));
    directionTextField.setFrame(
        platform::Rect(0, size.height * 3 / 4, size.width, kDirectionsHeight));
    displayNameLabel.setFrame(
        platform::Rect(0, (size.height - kNameHeight) / 2, size.width, kNameHeight));
}

void FullScreenDrawViewController::setViewsState(int state) {
    fitToWindow();
    switch (state) {
        case kGrabState:
            drawEmphasizer.setHidden(true);
            anchorView.setHidden(false);
            break;
        case kDrawingState:
            drawEmphasizer.setHidden(false);
            anchorView.setHidden(true);
            break;
        case kAutoScrollState:
            drawEmphasizer.setHidden(false);
            anchorView.setHidden(false);
            break;
        case kDisplayNameState:
            drawEmphasizer.setHidden(true);
            anchorView.setHidden(true);
            break;
        default:
            return;
    }
    displayNameLabel.setHidden(state != kDisplayNameState);
}

void FullScreenDrawViewController::readyForDragSettings(platform::Point start) {
    fitToWindow();
    auto line = std::make_shared<ui::KxLine>(start);
    if (KxDefaults::getHideOverlay().value_or(false)) {
        drawEmphasizer.setBorderColor(ui::Color::clear());
        drawEmphasizer.setBackgroundColor(ui::Color::clear());
    } else {
        drawEmphasizer.setBorderColor(ui::Color::veryLightBorder());
        drawEmphasizer.setBackgroundColor(ui::Color::veryLightBlack());
    }
    drawEmphasizer.setFrame(centredOn(start, kEmphasizerSide));
    line->color =
        KxDefaults::getHideDrawing().value_or(false) ? ui::Color::clear() : ui::Color::smurfBlue();
    line->thickness = kLineThickness;
    linesView.addLine(std::move(line));
    linesView.setNeedsDisplay();
}

void FullScreenDrawViewController::drawLineWithPosition(platform::Point p) {
    ui::KxLine* line = linesView.lastLine();
    if (!line) return;
    line->addPoint(p);
    linesView.setNeedsDisplay();
}

void FullScreenDrawViewController::foundDirection(std::uint64_t direction) {
    gestureDirections_.push_back(direction);
    directionTextField.setStringValue(directionTextField.stringValue() + arrowOf(direction));
}

void FullScreenDrawViewController::removeAllLines() {
    linesView.removeAllLines();
    directionTextField.setStringValue("");
    gestureDirections_.clear();
}

void FullScreenDrawViewController::setAutoScrollAnchorPoint(platform::Point p) {
    drawEmphasizer.setBorderColor(ui::Color::clear());
    drawEmphasizer.setBackgroundColor(ui::Color::clear());
    anchorView.setFrame(centredOn(p, kAnchorSide));
}

}  // namespace wexo

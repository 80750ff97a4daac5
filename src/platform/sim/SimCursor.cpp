#include "platform/sim/SimCursor.h"

#include <array>
#include <utility>

namespace wexo::platform::sim {

namespace {
struct ShapeInfo {
    CursorShape shape;
    const char* name;
    Point hotSpot;
};
constexpr std::array<ShapeInfo, 6> kShapes{{
    {CursorShape::Arrow, "arrow", {4, 4}},
    {CursorShape::OpenHand, "openHand", {8, 8}},
    {CursorShape::ClosedHand, "closedHand", {8, 8}},
    {CursorShape::Crosshair, "crosshair", {12, 12}},
    {CursorShape::PointingHand, "pointingHand", {6, 1}},
    {CursorShape::IBeam, "iBeam", {4, 9}},
}};

const ShapeInfo& info(CursorShape shape) {
    for (const auto& s : kShapes)
        if (s.shape == shape) return s;
    return kShapes[0];
}
}  // namespace

Point SimCursor::hotSpot(CursorShape shape) {
    return info(shape).hotSpot;
}
std::string SimCursor::name(CursorShape shape) {
    return info(shape).name;
}

std::optional<CursorShape> SimCursor::shapeNamed(const std::string& name) {
    for (const auto& s : kShapes)
        if (name == s.name) return s.shape;
    return std::nullopt;
}

void SimCursor::set(CursorShape shape) {
    if (!background_ && !workspace_.programIsFrontmost()) return;
    current_ = shape;
    recorder_.record(records::CursorChange{name(shape)});
}

void SimCursor::hide() {
    ++hideLevel_;
    recorder_.record(records::CursorChange{"hide"});
}

void SimCursor::unhide() {
    if (hideLevel_ > 0) --hideLevel_;
    recorder_.record(records::CursorChange{"unhide"});
}

}  // namespace wexo::platform::sim

#include "platform/Geometry.h"

#include <fmt/format.h>

namespace wexo::platform {

std::string toString(Point p) {
    return fmt::format("{{{}, {}}}", p.x, p.y);
}

}  // namespace wexo::platform

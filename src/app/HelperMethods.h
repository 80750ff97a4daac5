#pragma once

#include <cstdint>
#include <string_view>

namespace wexo {

// Small shell services every room may use. Built as a library of its own
// (wexo_helpers) that depends on the port only, so that the engine rooms can
// reach it without depending on the application above them.
class HelperMethods {
  public:
    // True when the system requires Accessibility trust to intercept input.
    static bool isMojaveOrBigger();
    // True when a running application has exactly this bundle identifier.
    static bool isAppBundleIdRunning(std::string_view bundleId);
    // Starts a new instance of the program and ends this one with status 0.
    // On a real system it does not return; callers return right after it.
    static void restartApp();
    // The direction code of a wheel delta: 500 up, 501 down, 502 left, 503 right.
    static std::int64_t findOriginalDelta(std::int64_t deltaX, std::int64_t deltaY);
};

}  // namespace wexo

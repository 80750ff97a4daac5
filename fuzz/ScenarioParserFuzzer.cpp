// The scenario runner's parser: any text is a scenario or a complaint that
// names where it is wrong, never a crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "wexo-sim/ScenarioParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = wexo::simrunner::parseScenario({reinterpret_cast<const char*>(data), size});
    if (const auto* error = std::get_if<wexo::simrunner::ScenarioError>(&parsed))
        if (error->path.empty() || error->message.empty()) std::abort();
    return 0;
}

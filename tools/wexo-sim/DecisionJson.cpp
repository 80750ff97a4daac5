#include "wexo-sim/DecisionJson.h"

#include "wexo-sim/EventJson.h"

namespace wexo::simrunner {

nlohmann::ordered_json decisionRecord(double seconds, std::string_view tap, std::string_view stage,
                                      bool swallowed, const platform::Event& event) {
    nlohmann::ordered_json j;
    j["t"] = seconds;
    j["kind"] = "decision";
    j["tap"] = tap;
    j["stage"] = stage;
    j["verdict"] = swallowed ? "swallow" : "pass";
    j["event"] = eventToJson(event);
    return j;
}

}  // namespace wexo::simrunner

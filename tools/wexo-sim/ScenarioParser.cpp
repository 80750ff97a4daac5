#include "wexo-sim/ScenarioParser.h"

#include <algorithm>

#include "platform/sim/SimClock.h"
#include "wexo-sim/DesktopJson.h"
#include "wexo-sim/PlistJson.h"
#include "wexo-sim/StepKinds.h"

namespace wexo::simrunner {

using platform::sim::kNanosPerSecond;
using platform::sim::secondsToNanos;

namespace {
// Far enough for any scenario, near enough that nanoseconds stay exact.
constexpr double kLatestSecond = 1'000'000;

std::int64_t readTime(const Json& j, const JsonPath& path) {
    const double s = readNonNegative(j, path);
    if (s > kLatestSecond)
        throw ScenarioException(
            path,
            "expected at most " + std::to_string(static_cast<long>(kLatestSecond)) + " seconds");
    return secondsToNanos(s);
}

Step stepFromJson(const Json& j, const JsonPath& path) {
    expectObject(j, path);
    Step step;
    if (j.contains("at")) step.at = readTime(j["at"], path / "at");
    const auto& kinds = stepKinds();
    for (const auto& [key, value] : j.items()) {
        if (key == "at") continue;
        auto kind = kinds.find(key);
        if (kind == kinds.end())
            throw ScenarioException(path / key, "unknown step kind \"" + key + "\"");
        if (!step.kind.empty())
            throw ScenarioException(
                path / key, "a step does one thing; this one already has \"" + step.kind + "\"");
        step.kind = key;
        step.play = kind->second(value, path / key);
    }
    if (step.kind.empty()) {
        std::string names;
        for (const auto& [name, parser] : kinds) names += (names.empty() ? "" : ", ") + name;
        throw ScenarioException(path, "a step needs one of: " + names);
    }
    return step;
}
}  // namespace

Scenario scenarioFromJson(const Json& j) {
    const JsonPath root;
    expectObject(j, root);
    checkMembers(j, root, {"defaults", "desktop", "steps", "until"});
    Scenario s;
    if (j.contains("defaults")) s.defaults = dictionaryFromJson(j["defaults"], root / "defaults");
    if (j.contains("desktop")) s.desktop = desktopFromJson(j["desktop"], root / "desktop");
    if (j.contains("steps")) {
        const JsonPath at = root / "steps";
        const Json& steps = expectArray(j["steps"], at);
        for (std::size_t i = 0; i < steps.size(); ++i)
            s.steps.push_back(stepFromJson(steps[i], at[i]));
        std::stable_sort(s.steps.begin(), s.steps.end(),
                         [](const Step& a, const Step& b) { return a.at < b.at; });
    }
    const std::int64_t last = s.steps.empty() ? 0 : s.steps.back().at;
    if (j.contains("until")) {
        s.until = readTime(j["until"], root / "until");
        if (s.until < last)
            throw ScenarioException(root / "until", "the run ends before its last step");
    } else {
        s.until = last + kNanosPerSecond;
    }
    return s;
}

std::variant<Scenario, ScenarioError> parseScenario(std::string_view text) {
    Json j;
    try {
        j = Json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        // Not only syntax: a number past a double's range is refused too.
        return ScenarioError{"$", std::string("not valid JSON (") + e.what() + ")"};
    }
    try {
        return scenarioFromJson(j);
    } catch (const ScenarioException& e) {
        return e.error();
    }
}

}  // namespace wexo::simrunner

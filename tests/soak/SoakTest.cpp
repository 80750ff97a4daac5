#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "wexo-sim/ScenarioParser.h"
#include "wexo-sim/ScenarioRunner.h"
#include "wexo-soak/Soak.h"

namespace wexo::testing {
namespace {

// What the soak writes for a failing seed must play back as the soak played
// it: the same events reach the applications, in the same number.
TEST(SoakTest, ItsScenarioReplaysTheRunExactly) {
    soak::SoakOptions options;
    options.seed = 7;
    options.events = 3000;
    options.keepScenario = true;
    const auto result = soak::runSoak(options);
    ASSERT_FALSE(result.failure) << *result.failure;
    ASSERT_GT(result.delivered, 1000);

    std::ostringstream text;
    text << result.scenario;
    auto parsed = simrunner::parseScenario(text.str());
    ASSERT_TRUE(std::holds_alternative<simrunner::Scenario>(parsed))
        << std::get<simrunner::ScenarioError>(parsed).text();
    std::int64_t delivered = 0;
    for (const auto& record : simrunner::playScenario(std::get<simrunner::Scenario>(parsed)))
        if (record["kind"] == "deliver") ++delivered;
    EXPECT_EQ(delivered, result.delivered);
}

TEST(SoakTest, TheSameSeedPlaysTheSameRun) {
    soak::SoakOptions options;
    options.seed = 11;
    options.events = 2000;
    const auto a = soak::runSoak(options);
    const auto b = soak::runSoak(options);
    ASSERT_FALSE(a.failure) << *a.failure;
    EXPECT_EQ(a.steps, b.steps);
    EXPECT_EQ(a.delivered, b.delivered);
}

}  // namespace
}  // namespace wexo::testing

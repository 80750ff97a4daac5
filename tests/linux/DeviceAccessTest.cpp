// What the device form says when it may not read the mice or write uinput.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "platform/linux/EvdevDevices.h"

namespace wexo::platform::lnx {
namespace {

TEST(DeviceAccessTest, EveryProblemSaysWhatAndHowToGrantIt) {
    const auto problems = EvdevBackend::accessProblems();
    const bool uinputWritable = ::access("/dev/uinput", W_OK) == 0;
    const bool named = std::any_of(problems.begin(), problems.end(), [](const std::string& p) {
        return p.rfind("/dev/uinput cannot be written", 0) == 0;
    });
    EXPECT_EQ(named, !uinputWritable);
    for (const std::string& p : problems)
        EXPECT_NE(p.find("70-wexo.rules"), std::string::npos) << p;
    DeviceAccess access;
    EXPECT_EQ(access.granted(), problems.empty());
}

}  // namespace
}  // namespace wexo::platform::lnx

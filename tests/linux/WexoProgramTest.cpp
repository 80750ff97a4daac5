// The program's modes as a person starts them: the command line, the device
// list, the engine on the mice without access, the front end without a
// display, and the permission screen's guide.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "linux/LinuxTestSupport.h"
#include "linux/WexoProcess.h"
#include "platform/linux/AccessGuide.h"
#include "platform/linux/EvdevDevices.h"
#include "wexo/DeviceListing.h"
#include "wexo/Options.h"

namespace wexo::platform::lnx {
namespace {

using namespace testing;

std::size_t lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

bool mayUseDevices() {
    return EvdevBackend::accessProblems().empty();
}

TEST(WexoProgramTest, HelpVersionAndOneLineForAWrongCommandLine) {
    Config config("");
    {
        WexoProcess wexo({"--help"}, config.home());
        EXPECT_EQ(wexo.wait(), 0);
        for (const auto& row : app::optionTable())
            EXPECT_NE(wexo.out.find(std::string(row.name)), std::string::npos) << row.name;
    }
    {
        WexoProcess wexo({"--version"}, config.home());
        EXPECT_EQ(wexo.wait(), 0);
        EXPECT_EQ(wexo.out.rfind("wexo ", 0), 0u);
    }
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--bogus"},
                                               {"--stdio", "--screen", "big"},
                                               {"--screen"},
                                               {"--trace=yes"},
                                               {"stray"},
                                               {"--headless", "--front-end"},
                                               {"--front-end"},
                                               {"--stdio", "--device", "/dev/input/event0"},
                                               {"--list-devices", "--headless"},
                                               {"--screenshots", "/tmp/x", "--stdio"},
                                               {"--dark"}}) {
        WexoProcess wexo(args, config.home());
        EXPECT_EQ(wexo.wait(), 2) << args[0];
        EXPECT_TRUE(wexo.out.empty());
        EXPECT_EQ(lines(wexo.err), 1u) << wexo.err;
        EXPECT_EQ(wexo.err.rfind("wexo: ", 0), 0u) << wexo.err;
    }
}

TEST(WexoProgramTest, TheModesOptionsChoose) {
    std::string problem;
    const auto run = [&](std::vector<std::string> args) {
        auto o = app::parseOptions(args, problem);
        EXPECT_TRUE(o) << problem;
        return o.value_or(app::Options{});
    };
    EXPECT_TRUE(run({}).showsFrontEnd());
    EXPECT_FALSE(run({"--headless"}).showsFrontEnd());
    EXPECT_TRUE(run({"--device", "/dev/input/event4"}).showsFrontEnd());
    EXPECT_EQ(run({"--device=/dev/input/event4", "--headless"}).device, "/dev/input/event4");
    EXPECT_FALSE(run({"--stdio"}).showsFrontEnd());
    EXPECT_TRUE(run({"--stdio", "--front-end"}).showsFrontEnd());
    EXPECT_EQ(run({"--screenshots", "out", "--dark"}).screenshots, "out");
}

TEST(WexoProgramTest, TheDeviceListSaysWhatIsAMouseAndWhatCannotBeOpened) {
    using Info = EvdevBackend::DeviceInfo;
    const std::string listed = app::deviceListing(
        {Info{"/dev/input/event3", "Logitech USB Optical Mouse", true, ""},
         Info{"/dev/input/event12", "AT Translated Set 2 keyboard", false, "Permission denied"}},
        "");
    EXPECT_EQ(listed,
              "/dev/input/event3   mouse        can open  Logitech USB Optical Mouse\n"
              "/dev/input/event12  not a mouse  cannot open: Permission denied  AT Translated "
              "Set 2 keyboard\n"
              "/dev/uinput         output       can write\n");
    // A mouse or /dev/uinput out of reach: the way to grant them follows.
    const std::string blocked = app::deviceListing(
        {Info{"/dev/input/event3", "", true, "Permission denied"}}, "No such file or directory");
    EXPECT_NE(blocked.find("(no name)"), std::string::npos);
    // The nodes' column is as wide as "/dev/input/event3" (17) and two blanks.
    EXPECT_NE(blocked.find("/dev/uinput        output       cannot write: No such file or "
                           "directory\n"),
              std::string::npos);
    EXPECT_NE(blocked.find("70-wexo.rules"), std::string::npos);

    // The program itself: this machine's devices, and /dev/uinput always.
    Config config("");
    WexoProcess wexo({"--list-devices"}, config.home());
    EXPECT_EQ(wexo.wait(), 0) << wexo.err;
    EXPECT_NE(wexo.out.find("/dev/uinput "), std::string::npos);
    EXPECT_EQ(wexo.out.find("cannot write") == std::string::npos,
              EvdevBackend::uinputProblem().empty());
}

TEST(WexoProgramTest, WithoutAccessTheEngineAloneSaysWhatIsMissingAndStops) {
    if (mayUseDevices()) GTEST_SKIP() << "this machine lets Wexo read the mice";
    Config config("");
    {
        WexoProcess wexo({"--headless"}, config.home());
        EXPECT_EQ(wexo.wait(), 1);
        EXPECT_NE(wexo.err.find("70-wexo.rules"), std::string::npos) << wexo.err;
    }
    {
        // One device asked for is the one the problems name.
        WexoProcess wexo({"--headless", "--device", "/nonexistent/event9"}, config.home());
        EXPECT_EQ(wexo.wait(), 1);
        EXPECT_NE(wexo.err.find("/nonexistent/event9 (a mouse): No such file or directory"),
                  std::string::npos)
            << wexo.err;
    }
}

TEST(WexoProgramTest, TheFrontEndWantsADisplay) {
    Config config("");
    WexoProcess wexo({}, config.home(), {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
    EXPECT_EQ(wexo.wait(), 1);
    EXPECT_EQ(lines(wexo.err), 1u) << wexo.err;
    EXPECT_NE(wexo.err.find("--headless"), std::string::npos);
}

TEST(AccessGuideTest, TheCommandInstallsTheRuleOnlyWhereUdevDoesNotReadIt) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("wexo-guide-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string copy = (folder / "70-wexo.rules").string();
    std::ofstream(copy) << "# rule\n";

    const TrustGuide fromSources = AccessGuide::make({"/dev/uinput: No such file or directory"},
                                                     {"/nowhere/70-wexo.rules", copy});
    EXPECT_EQ(fromSources.missing,
              std::vector<std::string>{"/dev/uinput: No such file or directory"});
    EXPECT_EQ(fromSources.command.rfind(
                  "sudo install -m 644 " + copy + " /etc/udev/rules.d/70-wexo.rules && ", 0),
              0u)
        << fromSources.command;
    for (const TrustGuide& g : {fromSources, AccessGuide::make({}, {"/nowhere/70-wexo.rules"})}) {
        EXPECT_NE(g.command.find("udevadm control --reload"), std::string::npos);
        EXPECT_NE(g.command.find("udevadm trigger"), std::string::npos);
        EXPECT_NE(g.command.find("modprobe uinput"), std::string::npos);
        EXPECT_NE(g.afterwards.find("log out and in"), std::string::npos);
    }
    // Nowhere to be found: the package's place is named, nothing to copy.
    const TrustGuide none = AccessGuide::make({}, {"/nowhere/70-wexo.rules"});
    EXPECT_EQ(none.command.find("install"), std::string::npos);
    EXPECT_NE(none.explanation.find("/usr/lib/udev/rules.d/70-wexo.rules"), std::string::npos);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace wexo::platform::lnx

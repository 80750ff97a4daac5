#include <gtest/gtest.h>

#include "SimTestDesktop.h"
#include "platform/Log.h"

namespace wexo::platform::sim::testing {
namespace {

TEST(SimProgramTest, TheProgramIsARunningApplicationWithItsOwnIdentity) {
    SimTestDesktop t;
    const auto self =
        t.desktop.workspace().runningApplicationWithProcessIdentifier(SimProcess::kPid);
    ASSERT_TRUE(self.has_value());
    EXPECT_EQ(self->bundleIdentifier, t.desktop.process().bundleIdentifier());
    EXPECT_EQ(self->localizedName, "Wexo");
    EXPECT_FALSE(self->bundleIdentifier.empty());
    // The installed platform is this desktop while the root lives.
    EXPECT_EQ(&installedPlatform(), &t.desktop);
}

TEST(SimProgramTest, CompositionRootUninstallsThePlatform) {
    SimDesktop desktop;
    {
        CompositionRoot root(desktop);
        EXPECT_EQ(SharedSlot<Platform>::get(), &desktop);
    }
    EXPECT_EQ(SharedSlot<Platform>::get(), nullptr);
}

TEST(SimProgramTest, AfterExitNothingOfTheProgramActsButInputStillArrives) {
    SimTestDesktop t;
    int tapCalls = 0, timerCalls = 0, frameCalls = 0, observerCalls = 0;
    auto tap = t.desktop.eventStream().createTap(TapLocation::Session, TapPlacement::HeadInsert,
                                                 TapOption::Default, kAll, [&](EventType, Event&) {
                                                     ++tapCalls;
                                                     return Verdict::swallow();
                                                 });
    t.desktop.runLoop().schedule(0.5, 0.5, [&] { ++timerCalls; });
    auto created = t.desktop.displayLinks().create(1);
    auto& link = std::get<std::unique_ptr<DisplayLink>>(created);
    link->setOutputCallback([&] { ++frameCalls; });
    link->start();
    auto observation = t.desktop.workspace().observeFrontmostApplication(
        [&](const std::optional<RunningApplication>&) { ++observerCalls; });

    t.desktop.advanceBySeconds(0.5);
    EXPECT_EQ(timerCalls, 1);
    EXPECT_EQ(frameCalls, 30);
    t.desktop.process().launchNewInstance(0);
    t.desktop.process().exit(3);
    t.desktop.process().exit(4);  // a program that has ended cannot end again

    t.desktop.inject(mouseAt(EventType::MouseMoved, 5, 5));
    t.desktop.eventStream().post(TapLocation::HID, mouseAt(EventType::MouseMoved, 6, 6));
    t.desktop.simWorkspace().setFrontmost(501);
    t.desktop.advanceBySeconds(2);

    EXPECT_EQ(tapCalls, 0);
    EXPECT_EQ(timerCalls, 1);
    EXPECT_EQ(frameCalls, 30);
    EXPECT_EQ(observerCalls, 1);  // only the initial value
    ASSERT_EQ(t.delivered().size(), 1u);
    EXPECT_EQ(t.delivered()[0].location(), (Point{5, 5}));
    EXPECT_FALSE(t.desktop.workspace().runningApplicationWithProcessIdentifier(SimProcess::kPid));

    const auto relaunch = t.recordsOf<records::Relaunch>();
    ASSERT_EQ(relaunch.size(), 1u);
    EXPECT_EQ(relaunch[0].delay, 0.0);
    const auto exits = t.recordsOf<records::Exit>();
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0].status, 3);
}

TEST(SimProgramTest, TerminateEndsTheProgramToo) {
    SimTestDesktop t;
    t.desktop.process().launchNewInstance(1.0);
    t.desktop.process().terminate();
    EXPECT_FALSE(t.desktop.simProcess().alive());
    EXPECT_EQ(t.recordsOf<records::Terminate>().size(), 1u);
    EXPECT_EQ(t.recordsOf<records::Relaunch>()[0].delay, 1.0);
    EXPECT_EQ(t.desktop.eventStream().createTap(TapLocation::Session, TapPlacement::HeadInsert,
                                                TapOption::ListenOnly, kAll,
                                                [](EventType, Event&) { return Verdict::pass(); }),
              nullptr);
}

TEST(SimProgramTest, LogLinesAreRecordedWhileTheDesktopLives) {
    Log::setStandardErrorEnabled(false);
    {
        SimTestDesktop t;
        t.desktop.advanceBySeconds(0.5);
        WEXO_LOG_ERROR("DisplayLink created with error:%d", -6661);
        const auto records = t.desktop.records();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].time, 500'000'000);
        const auto& line = std::get<records::LogLine>(records[0].what);
        EXPECT_EQ(line.level, LogLevel::Error);
        EXPECT_EQ(line.message, "DisplayLink created with error:-6661");
    }
    // Once the desktop is gone, logging reaches it no more.
    WEXO_LOG_ERROR("ERROR.");
    Log::setStandardErrorEnabled(true);
}

}  // namespace
}  // namespace wexo::platform::sim::testing

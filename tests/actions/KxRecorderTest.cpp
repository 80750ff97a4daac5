#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "actions/KxRecorder.h"
#include "platform/MemoryPreferenceStore.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"

namespace wexo {
namespace {

using platform::Event;
using platform::EventType;

class Collector : public KxRecorderDelegate {
  public:
    void keyStrokeDetected(const KxShortcut& shortcut) override { strokes.push_back(shortcut); }
    std::vector<KxShortcut> strokes;
};

Event flagsChanged(std::uint64_t flags) {
    Event e;
    e.setType(EventType::FlagsChanged);
    e.setFlags(flags);
    e.setIntegerField(platform::EventField::KeyboardEventKeycode, 55);
    return e;
}

class KxRecorderTest : public ::testing::Test {
  protected:
    KxRecorderTest()
        : desktop_(std::make_unique<platform::MemoryPreferenceStore>(
              platform::sim::SimProcess::builtBundleIdentifier())),
          installation_(&desktop_) {}

    // A key event reaching the program's windows: what is left of it.
    std::optional<Event> type(const Event& e) { return desktop_.simKeyMonitors().dispatch(e); }
    std::size_t monitors() { return desktop_.simKeyMonitors().monitorCount(); }

    platform::sim::SimDesktop desktop_;
    SharedInstallation<platform::Platform> installation_;
    Collector collector_;
    KxRecorder recorder_{&collector_};
};

TEST_F(KxRecorderTest, RecordsKeyDownsAndSwallowsKeyEvents) {
    recorder_.startRecording();
    EXPECT_TRUE(recorder_.recordingIsActive());
    EXPECT_EQ(monitors(), 1u);

    // Command alone: a flags change, swallowed, not reported.
    EXPECT_FALSE(type(flagsChanged(platform::EventFlags::Command)));
    EXPECT_TRUE(collector_.strokes.empty());

    // Command-V: the key is recorded without its modifier.
    Event v = Event::keyboard(9, true);
    v.setFlags(platform::EventFlags::Command);
    EXPECT_FALSE(type(v));
    ASSERT_EQ(collector_.strokes.size(), 1u);
    EXPECT_EQ(collector_.strokes[0], KxShortcut(9, "V", false, false, false, false, false));

    // Key-ups are not in the monitor's mask and reach the windows.
    EXPECT_TRUE(type(Event::keyboard(9, false)));

    // Esc is a key like any other: recording goes on with the same shortcut.
    EXPECT_FALSE(type(Event::keyboard(53, true)));
    ASSERT_EQ(collector_.strokes.size(), 2u);
    EXPECT_EQ(collector_.strokes[1].key, 53);
    EXPECT_EQ(collector_.strokes[1].keyString, "Esc");
    EXPECT_EQ(recorder_.currentShortcut().key, 53);
    EXPECT_TRUE(recorder_.recordingIsActive());

    recorder_.stopRecording();
    EXPECT_FALSE(recorder_.recordingIsActive());
    EXPECT_EQ(monitors(), 0u);
    EXPECT_TRUE(type(Event::keyboard(0, true)));
    EXPECT_EQ(collector_.strokes.size(), 2u);
}

TEST_F(KxRecorderTest, StartingAgainLeavesOneMonitorAndAnEmptyShortcut) {
    recorder_.startRecording();
    type(Event::keyboard(4, true));
    recorder_.startRecording();
    EXPECT_EQ(monitors(), 1u);
    EXPECT_EQ(recorder_.currentShortcut(), KxShortcut());
    type(Event::keyboard(49, true));
    // One notification per key, not one per start.
    ASSERT_EQ(collector_.strokes.size(), 2u);
    EXPECT_EQ(collector_.strokes[1].keyString, "Space");

    recorder_.stopRecording();
    EXPECT_EQ(monitors(), 0u);
    EXPECT_TRUE(type(Event::keyboard(49, true)));
}

TEST_F(KxRecorderTest, StoppingTwiceAndGoingAwayLeaveNoMonitor) {
    recorder_.stopRecording();
    EXPECT_FALSE(recorder_.recordingIsActive());
    {
        KxRecorder withoutDelegate;
        withoutDelegate.startRecording();
        EXPECT_FALSE(type(Event::keyboard(0, true)));
        EXPECT_EQ(withoutDelegate.currentShortcut().keyString, "A");
    }
    EXPECT_EQ(monitors(), 0u);
    EXPECT_TRUE(type(Event::keyboard(0, true)));
}

}  // namespace
}  // namespace wexo

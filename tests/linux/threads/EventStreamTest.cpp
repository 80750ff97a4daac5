// The input path in process: mice made of pipes, the headless desktop, the
// tap chain with test taps, and the records the twins receive.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <random>
#include <thread>

#include "linux/LinuxTestSupport.h"
#include "platform/linux/HeadlessDesktop.h"
#include "platform/linux/LinuxEventStream.h"
#include "platform/linux/PanicWatch.h"

namespace wexo::platform::lnx {
namespace {

using namespace testing;

struct InputPath {
    explicit InputPath(int mice = 1,
                       std::chrono::milliseconds timeout = std::chrono::milliseconds(200))
        : backend(mice),
          stream(loop, desktop, backend,
                 LinuxEventStream::Options{timeout, [] { return true; }, false}) {
        loop.setAfterWork([this] { stream.chain().drain(); });
        stream.setListener({[this] { ended = true; }, [this](const char* why) { panicked = why; }});
    }
    ~InputPath() { stream.stop(); }
    std::unique_ptr<EventTap> tap(TapLocation at, TapOption option, std::uint64_t mask,
                                  TapCallback callback) {
        return stream.createTap(at, TapPlacement::TailAppend, option, mask, std::move(callback));
    }
    // Feeds the records on a thread of its own (a pipe holds only so much),
    // unplugs the mouse and runs until the end of its input is heard.
    void play(const std::vector<InputRecord>& records, std::size_t chunk = sizeof(InputRecord)) {
        ASSERT_TRUE(stream.start());
        std::thread feeder([&] {
            backend.feed(0, records, chunk);
            backend.unplug(0);
        });
        runUntil(loop, [&] { return ended; });
        feeder.join();
    }

    LinuxRunLoop loop;
    HeadlessDesktop desktop;
    PipeBackend backend;
    LinuxEventStream stream;
    bool ended = false;
    const char* panicked = nullptr;
};

std::vector<InputRecord> mixedStream(int reports) {
    std::mt19937 random(42);
    std::vector<InputRecord> in;
    bool left = false, side = false;
    for (int i = 0; i < reports; ++i) {
        const std::int64_t t = 1'000'000 + i * 8000;
        switch (random() % 6) {
            case 0:
            case 1:
                in.push_back(makeRecord(EV_REL, REL_X, static_cast<int>(random() % 9) - 4, t));
                in.push_back(makeRecord(EV_REL, REL_Y, static_cast<int>(random() % 9) - 4, t));
                break;
            case 2:
                left = !left;
                in.push_back(makeRecord(EV_MSC, MSC_SCAN, 0x90001, t));
                in.push_back(makeRecord(EV_KEY, BTN_LEFT, left, t));
                break;
            case 3:
                side = !side;
                in.push_back(makeRecord(EV_REL, REL_X, 1, t));
                in.push_back(makeRecord(EV_KEY, BTN_SIDE, side, t));
                break;
            case 4:
                in.push_back(makeRecord(EV_REL, REL_WHEEL, random() % 2 ? 1 : -1, t));
                break;
            case 5:
                in.push_back(makeRecord(EV_MSC, MSC_TIMESTAMP, i, t));
                in.push_back(makeRecord(EV_REL, REL_WHEEL, 1, t));
                in.push_back(makeRecord(EV_REL, REL_WHEEL_HI_RES, 120, t));
                break;
        }
        in.push_back(makeRecord(EV_SYN, SYN_REPORT, 0, t));
    }
    return in;
}

TEST(LinuxEventStreamTest, PassAllTapsWriteTheStreamBackRecordForRecord) {
    for (std::size_t chunk : {std::size_t{1}, std::size_t{4096}}) {
        InputPath path;
        int seen = 0;
        auto first = path.tap(TapLocation::HID, TapOption::Default, kEventMaskForAllEvents,
                              [&](EventType, Event&) {
                                  ++seen;
                                  return Verdict::pass();
                              });
        auto listener = path.tap(TapLocation::Session, TapOption::ListenOnly,
                                 kEventMaskForAllEvents, [](EventType, Event& e) {
                                     e.setFlags(0xFFFF);  // a copy: changes nothing
                                     return Verdict::swallow();
                                 });
        auto last = path.tap(TapLocation::Session, TapOption::Default, kEventMaskForAllEvents,
                             [](EventType, Event&) { return Verdict::pass(); });
        const auto in = mixedStream(1500);
        path.play(in, chunk);
        EXPECT_EQ(triples(path.backend.twin(0)->records()), triples(in)) << chunk;
        EXPECT_GE(seen, 1500);
        // Times too, but for the report ends, which are written anew.
        const auto out = path.backend.twin(0)->records();
        EXPECT_EQ(recordMicros(out[0]), recordMicros(in[0]));
    }
}

TEST(LinuxEventStreamTest, SwallowingButtonThreeRemovesExactlyItsPressAndRelease) {
    InputPath path;
    const std::uint64_t buttons =
        eventMaskBit(EventType::OtherMouseDown) | eventMaskBit(EventType::OtherMouseUp);
    auto swallow =
        path.tap(TapLocation::Session, TapOption::Default, buttons, [](EventType, Event& e) {
            return e.integerField(EventField::MouseEventButtonNumber) == 3 ? Verdict::swallow()
                                                                           : Verdict::pass();
        });
    path.play({rel(REL_X, 3), syn(), makeRecord(EV_MSC, MSC_SCAN, 0x90004), key(BTN_SIDE, 1), syn(),
               key(BTN_MIDDLE, 1), syn(), rel(REL_Y, 2), key(BTN_SIDE, 0), syn(),
               key(BTN_MIDDLE, 0), syn()});
    EXPECT_EQ(triples(path.backend.twin(0)->records()),
              (std::vector<Triple>{{EV_REL, REL_X, 3},
                                   {EV_SYN, SYN_REPORT, 0},
                                   {EV_KEY, BTN_MIDDLE, 1},
                                   {EV_SYN, SYN_REPORT, 0},
                                   {EV_REL, REL_Y, 2},
                                   {EV_SYN, SYN_REPORT, 0},
                                   {EV_KEY, BTN_MIDDLE, 0},
                                   {EV_SYN, SYN_REPORT, 0}}));
    // The headless pointer followed the motion that went out.
    EXPECT_EQ(path.stream.pointerLocation(), (Point{963, 542}));
}

TEST(LinuxEventStreamTest, ChangedEventsAreWrittenAsTheTapsLeftThem) {
    InputPath path;
    auto reverse =
        path.tap(TapLocation::Session, TapOption::Default, eventMaskBit(EventType::ScrollWheel),
                 [](EventType, Event& e) {
                     e.setIntegerField(EventField::ScrollWheelEventDeltaAxis1,
                                       -e.integerField(EventField::ScrollWheelEventDeltaAxis1));
                     return Verdict::pass();
                 });
    path.play({rel(REL_WHEEL, 1), rel(REL_WHEEL_HI_RES, 120), syn()});
    EXPECT_EQ(
        triples(path.backend.twin(0)->records()),
        (std::vector<Triple>{
            {EV_REL, REL_WHEEL, -1}, {EV_REL, REL_WHEEL_HI_RES, -120}, {EV_SYN, SYN_REPORT, 0}}));
}

TEST(LinuxEventStreamTest, PostedEventsPassLaterTapsWithTheirMarksAndAreNeverReadBack) {
    InputPath path;
    std::vector<std::int64_t> marks;
    auto poster = path.tap(TapLocation::HID, TapOption::Default,
                           eventMaskBit(EventType::OtherMouseDown), [&](EventType, Event&) {
                               Event scroll = Event::scrollWheel(ScrollEventUnit::Pixel, 1, 30);
                               scroll.setIntegerField(EventField::EventSourceUserData, -1600);
                               path.stream.post(TapLocation::HID, scroll);
                               return Verdict::swallow();
                           });
    auto watcher = path.tap(TapLocation::Session, TapOption::ListenOnly,
                            eventMaskBit(EventType::ScrollWheel), [&](EventType, Event& e) {
                                marks.push_back(e.integerField(EventField::EventSourceUserData));
                                return Verdict::pass();
                            });
    path.play({key(BTN_MIDDLE, 1), syn()});
    EXPECT_EQ(marks, (std::vector<std::int64_t>{-1600}));
    // 30 px at 60 a notch: 60 units; the press itself is gone.
    EXPECT_EQ(triples(path.backend.twin(0)->records()),
              (std::vector<Triple>{{EV_REL, REL_WHEEL_HI_RES, 60}, {EV_SYN, SYN_REPORT, 0}}));
}

TEST(LinuxEventStreamTest, AReportNotSettledInTimeIsWrittenUnchangedAndTheTapsHearOfIt) {
    InputPath path(1, std::chrono::milliseconds(50));
    std::mutex m;
    std::condition_variable cv;
    bool release = false;
    std::vector<EventType> heard;
    std::unique_ptr<EventTap> slow;
    slow = path.tap(TapLocation::Session, TapOption::Default,
                    eventMaskBit(EventType::LeftMouseDown) | eventMaskBit(EventType::LeftMouseUp),
                    [&](EventType type, Event&) {
                        heard.push_back(type);
                        if (type == EventType::TapDisabledByTimeout) {
                            slow->enable(true);
                            return Verdict::pass();
                        }
                        if (type == EventType::LeftMouseDown) {
                            // Stuck until the reader has given up on us.
                            std::unique_lock lock(m);
                            cv.wait(lock, [&] { return release; });
                        }
                        return Verdict::swallow();
                    });
    ASSERT_TRUE(path.stream.start());
    std::thread feeder([&] {
        path.backend.feed(0, {key(BTN_LEFT, 1), syn()});
        auto twin = [&] { return triples(path.backend.twin(0)->records()); };
        while (twin().empty()) std::this_thread::yield();
        {
            std::lock_guard lock(m);
            release = true;
        }
        cv.notify_all();
        // The taps are back once the time-out notice re-enabled them.
        while (path.stream.passingStraight() || twin().empty()) std::this_thread::yield();
        path.backend.feed(0, {key(BTN_LEFT, 0), syn()});
        path.backend.unplug(0);
    });
    runUntil(path.loop, [&] { return path.ended; });
    feeder.join();
    // The press went out as it came, once; the release was settled (and
    // swallowed) again.
    EXPECT_EQ(triples(path.backend.twin(0)->records()),
              (std::vector<Triple>{{EV_KEY, BTN_LEFT, 1}, {EV_SYN, SYN_REPORT, 0}}));
    EXPECT_EQ(heard,
              (std::vector<EventType>{EventType::LeftMouseDown, EventType::TapDisabledByTimeout,
                                      EventType::LeftMouseUp}));
    EXPECT_FALSE(path.stream.passingStraight());
}

TEST(LinuxEventStreamTest, ThePanicChordAndEveryStopLeaveNothingHeld) {
    {
        InputPath path;
        std::thread feeder([&] {
            path.backend.feed(0, {key(BTN_LEFT, 1), syn(), key(KEY_BACKSPACE, 1), key(KEY_ESC, 1),
                                  syn(), key(KEY_ENTER, 1), syn()});
        });
        ASSERT_TRUE(path.stream.start());
        runUntil(path.loop, [&] { return path.panicked != nullptr; });
        feeder.join();
        ASSERT_NE(path.panicked, nullptr);
        EXPECT_STREQ(path.panicked, "Backspace, Escape and Enter held together");
        EXPECT_TRUE(path.stream.outputs().heldCodes(1).empty());
        const auto out = triples(path.backend.twin(0)->records());
        EXPECT_EQ(std::count(out.begin(), out.end(), Triple{EV_KEY, BTN_LEFT, 0}), 1);
        // The report that completed the chord was not written.
        EXPECT_EQ(std::count(out.begin(), out.end(), Triple{EV_KEY, KEY_ENTER, 1}), 0);
    }
    {
        // Stopped in the middle of a press.
        InputPath path;
        path.backend.feed(0, {key(BTN_RIGHT, 1), syn()});
        ASSERT_TRUE(path.stream.start());
        runUntil(path.loop, [&] { return !path.backend.twin(0)->records().empty(); });
        path.stream.stop();
        EXPECT_EQ(triples(path.backend.twin(0)->records()).back(), (Triple{EV_SYN, SYN_REPORT, 0}));
        EXPECT_EQ(triples(path.backend.twin(0)->records())[2], (Triple{EV_KEY, BTN_RIGHT, 0}));
    }
}

TEST(LinuxEventStreamTest, AMouseUnpluggedMidPressIsReleasedOnItsTwin) {
    InputPath path(2);
    std::thread feeder([&] {
        path.backend.feed(0, {key(BTN_MIDDLE, 1), syn()});
        path.backend.unplug(0);
        path.backend.feed(1, {key(BTN_LEFT, 1), syn()});
    });
    ASSERT_TRUE(path.stream.start());
    runUntil(path.loop, [&] {
        return path.backend.twin(0)->records().size() >= 4 &&
               !path.backend.twin(1)->records().empty();
    });
    feeder.join();
    EXPECT_EQ(triples(path.backend.twin(0)->records()),
              (std::vector<Triple>{{EV_KEY, BTN_MIDDLE, 1},
                                   {EV_SYN, SYN_REPORT, 0},
                                   {EV_KEY, BTN_MIDDLE, 0},
                                   {EV_SYN, SYN_REPORT, 0}}));
    // The other mouse is still there, its button still held until it stops.
    EXPECT_EQ(path.stream.outputs().heldCodes(2), (std::vector<std::uint16_t>{BTN_LEFT}));
    EXPECT_FALSE(path.ended);
    // Stopping lets go of that one, and the unplugged twin gets nothing more.
    path.stream.stop();
    EXPECT_EQ(triples(path.backend.twin(1)->records()),
              (std::vector<Triple>{{EV_KEY, BTN_LEFT, 1},
                                   {EV_SYN, SYN_REPORT, 0},
                                   {EV_KEY, BTN_LEFT, 0},
                                   {EV_SYN, SYN_REPORT, 0}}));
    EXPECT_EQ(path.backend.twin(0)->records().size(), 4u);
}

TEST(PanicWatchTest, ThreeButtonsHeldThreeSeconds) {
    PanicWatch watch;
    EXPECT_FALSE(watch.feed(1, key(BTN_LEFT, 1), 10.0));
    EXPECT_FALSE(watch.feed(2, key(BTN_RIGHT, 1), 10.5));  // another mouse counts too
    EXPECT_FALSE(watch.deadline());
    EXPECT_FALSE(watch.feed(1, key(BTN_MIDDLE, 1), 11.0));
    EXPECT_EQ(watch.deadline(), 14.0);
    EXPECT_FALSE(watch.check(13.9));
    EXPECT_TRUE(watch.check(14.0));
    // Letting go of one ends the chord; pressing again starts it anew.
    (void)watch.feed(1, key(BTN_MIDDLE, 0), 12.0);
    EXPECT_FALSE(watch.check(14.0));
    (void)watch.feed(1, key(BTN_MIDDLE, 1), 13.0);
    EXPECT_FALSE(watch.check(15.5));
    EXPECT_TRUE(watch.check(16.0));
    watch.forget(2);
    EXPECT_FALSE(watch.deadline());
}

}  // namespace
}  // namespace wexo::platform::lnx

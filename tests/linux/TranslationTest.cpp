// The tables between evdev and the engine, both ways, and the reading of
// record streams into reports and reports into events.

#include <gtest/gtest.h>

#include <libevdev/libevdev.h>

#include <fstream>
#include <iterator>
#include <limits>
#include <random>

#include "actions/KxRecorder.h"
#include "actions/KxShortcutsKeeper.h"
#include "linux/LinuxTestSupport.h"
#include "platform/linux/KeyCodes.h"
#include "platform/linux/ReportDecoder.h"

namespace wexo::platform::lnx {
namespace {

using namespace testing;

TEST(KeyCodesTest, KeysTheEngineNamesMapBothWays) {
    // A few by hand from the two keyboards' layouts.
    const std::pair<int, int> known[] = {
        {0, KEY_A},         {8, KEY_C},         {18, KEY_1},         {29, KEY_0},
        {36, KEY_ENTER},    {48, KEY_TAB},      {49, KEY_SPACE},     {51, KEY_BACKSPACE},
        {53, KEY_ESC},      {55, KEY_LEFTMETA}, {56, KEY_LEFTSHIFT}, {58, KEY_LEFTALT},
        {59, KEY_LEFTCTRL}, {76, KEY_KPENTER},  {82, KEY_KP0},       {92, KEY_KP9},
        {122, KEY_F1},      {111, KEY_F12},     {64, KEY_F17},       {90, KEY_F20},
        {115, KEY_HOME},    {117, KEY_DELETE},  {116, KEY_PAGEUP},   {121, KEY_PAGEDOWN},
        {123, KEY_LEFT},    {124, KEY_RIGHT},   {125, KEY_DOWN},     {126, KEY_UP},
        {72, KEY_VOLUMEUP}, {74, KEY_MUTE},
    };
    for (auto [engine, kernel] : known) {
        EXPECT_EQ(linuxKeyCode(static_cast<std::uint16_t>(engine)), kernel) << engine;
        EXPECT_EQ(engineKeyCode(static_cast<std::uint16_t>(kernel)), engine) << kernel;
    }
    // Every key the recorder can name and every key of the catalogues.
    std::vector<std::int64_t> codes;
    for (std::uint64_t c = 0; c < 128; ++c)
        if (KxRecorder::keyStringFormKeyCode(c) != "?")
            codes.push_back(static_cast<std::int64_t>(c));
    for (const auto& s : KxShortcutsKeeper::getPreDefinedShortcuts())
        if (s.key && *s.key >= 0 && *s.key < 128) codes.push_back(*s.key);
    for (const auto& s : KxShortcutsKeeper::getPreDefinedKeyboardKeys()) codes.push_back(*s.key);
    ASSERT_GT(codes.size(), 90u);
    for (std::int64_t c : codes) {
        const auto kernel = linuxKeyCode(static_cast<std::uint16_t>(c));
        ASSERT_TRUE(kernel) << c;
        // The laptop Enter (52) is the keypad Enter (76) on Linux.
        EXPECT_EQ(engineKeyCode(*kernel), c == 52 ? 76 : c) << c;
    }
    EXPECT_FALSE(engineKeyCode(KEY_PROG1));
}

TEST(KeyCodesTest, MediaAndBrightnessKeys) {
    EXPECT_EQ(linuxKeyForAuxKey(0), KEY_VOLUMEUP);
    EXPECT_EQ(linuxKeyForAuxKey(1), KEY_VOLUMEDOWN);
    EXPECT_EQ(linuxKeyForAuxKey(2), KEY_BRIGHTNESSUP);
    EXPECT_EQ(linuxKeyForAuxKey(3), KEY_BRIGHTNESSDOWN);
    EXPECT_EQ(linuxKeyForAuxKey(7), KEY_MUTE);
    EXPECT_EQ(linuxKeyForAuxKey(16), KEY_PLAYPAUSE);
    EXPECT_EQ(linuxKeyForAuxKey(17), KEY_NEXTSONG);
    EXPECT_EQ(linuxKeyForAuxKey(18), KEY_PREVIOUSSONG);
    EXPECT_FALSE(linuxKeyForAuxKey(4));
}

TEST(KeyCodesTest, ThePipelinesCapabilitiesListEveryKeyWexoMayWrite) {
    std::ifstream file(WEXO_DATA_DIR "/wexo-stdio.yaml");
    ASSERT_TRUE(file);
    const std::string yaml((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    // A whole name in a list: "[KEY_A," " KEY_A," " KEY_A]" and so on.
    auto listedLast = [&](unsigned type, unsigned code) {
        const char* name = libevdev_event_code_get_name(type, code);
        if (!name) return false;
        for (const char* before : {" ", "["})
            for (const char* after : {",", "]"})
                if (yaml.find(before + std::string(name) + after) != std::string::npos) return true;
        return false;
    };
    for (std::uint16_t c = 0; c < 128; ++c)
        if (auto k = linuxKeyCode(c)) {
            EXPECT_TRUE(listedLast(EV_KEY, *k)) << c;
        }
    for (std::uint32_t aux = 0; aux < 32; ++aux)
        if (auto k = linuxKeyForAuxKey(aux)) {
            EXPECT_TRUE(listedLast(EV_KEY, *k)) << aux;
        }
    for (int b = 0; b < ReportDecoder::kButtonCount; ++b)
        EXPECT_TRUE(listedLast(EV_KEY, ReportDecoder::buttonCode(b))) << b;
    for (unsigned rel : {REL_WHEEL, REL_HWHEEL, REL_WHEEL_HI_RES, REL_HWHEEL_HI_RES})
        EXPECT_TRUE(listedLast(EV_REL, rel)) << rel;
}

std::vector<InputRecord> assemble(const std::vector<InputRecord>& in, std::size_t chunk) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(in.data());
    const std::size_t size = in.size() * sizeof(InputRecord);
    RecordAssembler assembler;
    std::vector<InputRecord> out;
    for (std::size_t at = 0; at < size; at += chunk)
        assembler.feed(std::span(bytes + at, std::min(chunk, size - at)), out);
    EXPECT_EQ(assembler.partialBytes(), 0u);
    return out;
}

TEST(RecordStreamTest, TimesPastTheRangeSaturate) {
    // The largest time in microseconds is 9,223,372,036,854,775,807.
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    auto at = [](std::int64_t sec, std::int64_t usec) {
        InputRecord r = syn();
        r.input_event_sec = sec;
        r.input_event_usec = usec;
        return recordMicros(r);
    };
    EXPECT_EQ(at(9'223'372'036'854, 775'807), kMax);
    EXPECT_EQ(at(9'223'372'036'854, 775'808), kMax);
    EXPECT_EQ(at(9'223'372'036'855, 0), kMax);
    EXPECT_EQ(at(-9'223'372'036'855, 0), kMin);
    EXPECT_EQ(at(-9'223'372'036'854, -775'809), kMin);
    EXPECT_EQ(at(0, kMin), kMin);
    EXPECT_EQ(at(12, 5), 12'000'005);
}

TEST(RecordStreamTest, ChunksOfAnySizeGiveTheSameRecordsAndReports) {
    std::mt19937 random(7);
    std::vector<InputRecord> in;
    for (int i = 0; i < 500; ++i) {
        in.push_back(makeRecord(EV_REL, REL_X, static_cast<int>(random() % 21) - 10, i * 1000));
        if (i % 7 == 0) in.push_back(key(BTN_LEFT, i % 14 == 0 ? 1 : 0));
        in.push_back(syn());
    }
    const auto one = assemble(in, 1);
    const auto big = assemble(in, 4096);
    ASSERT_EQ(one.size(), in.size());
    EXPECT_EQ(triples(one), triples(in));
    EXPECT_EQ(triples(big), triples(in));
    EXPECT_EQ(recordMicros(big[3]), 1000);

    // A record cut short stays pending.
    RecordAssembler assembler;
    std::vector<InputRecord> out;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(in.data());
    assembler.feed(std::span(bytes, sizeof(InputRecord) + 5), out);
    EXPECT_EQ(out.size(), 1u);
    EXPECT_EQ(assembler.partialBytes(), 5u);

    ReportSplitter splitter;
    std::vector<Report> reports;
    for (const auto& r : one) splitter.push(r, reports);
    EXPECT_EQ(reports.size(), 500u);
    EXPECT_EQ(reports[0].size(), 2u);  // REL_X and the press, without SYN_REPORT
}

TEST(RecordStreamTest, AfterSynDroppedEverythingUpToTheNextReportIsDropped) {
    ReportSplitter splitter;
    std::vector<Report> reports;
    for (const auto& r : {rel(REL_X, 1), syn(), rel(REL_X, 2), makeRecord(EV_SYN, SYN_DROPPED, 0),
                          rel(REL_X, 3), key(BTN_LEFT, 1), syn(), rel(REL_X, 4), syn()})
        splitter.push(r, reports);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0][0].value, 1);
    EXPECT_EQ(reports[1][0].value, 4);
    EXPECT_EQ(splitter.droppedReports(), 1u);
}

// The decoder with the pointer at (100, 100), no modifiers from the desktop
// and a double-click time of 0.5 s within 4 pixels.
struct Decoding {
    ReportDecoder decoder;
    PointerState pointer{Point{100, 100}, 0};
    ReportDecoder::Result operator()(const Report& report) {
        return decoder.decode(report, pointer, 0.5, 4, 0);
    }
};

TEST(ReportDecoderTest, ButtonsAreNumberedAsTheEngineNumbersThem) {
    const std::pair<int, EventType> buttons[] = {
        {BTN_LEFT, EventType::LeftMouseDown},    {BTN_RIGHT, EventType::RightMouseDown},
        {BTN_MIDDLE, EventType::OtherMouseDown}, {BTN_SIDE, EventType::OtherMouseDown},
        {BTN_EXTRA, EventType::OtherMouseDown},  {BTN_FORWARD, EventType::OtherMouseDown},
        {BTN_BACK, EventType::OtherMouseDown},   {BTN_TASK, EventType::OtherMouseDown},
    };
    int number = 0;
    for (auto [code, type] : buttons) {
        Decoding d;
        const auto down = d({key(static_cast<std::uint16_t>(code), 1)});
        ASSERT_EQ(down.events.size(), 1u);
        EXPECT_EQ(down.events[0].event.type(), type);
        EXPECT_EQ(down.events[0].event.integerField(EventField::MouseEventButtonNumber), number);
        EXPECT_EQ(d.decoder.heldButtons(), 1u << number);
        const auto up = d({key(static_cast<std::uint16_t>(code), 0)});
        EXPECT_TRUE(isMouseUp(up.events[0].event.type()));
        EXPECT_EQ(d.decoder.heldButtons(), 0u);
        ++number;
    }
}

TEST(ReportDecoderTest, MotionMovesOrDragsFromThePointerAndPressesHappenWhereItLeadsTo) {
    Decoding d;
    const auto moved = d({rel(REL_X, 5), rel(REL_Y, -3)});
    ASSERT_EQ(moved.events.size(), 1u);
    EXPECT_EQ(moved.events[0].event.type(), EventType::MouseMoved);
    EXPECT_EQ(moved.events[0].event.location(), (Point{105, 97}));
    EXPECT_EQ(moved.events[0].event.doubleField(EventField::MouseEventDeltaY), -3);

    // Motion and a press in one report: the move comes first, the press is
    // at its end; the scan code goes with the press.
    const auto both = d({makeRecord(EV_MSC, MSC_SCAN, 0x90004), key(BTN_SIDE, 1), rel(REL_X, 2)});
    ASSERT_EQ(both.events.size(), 2u);
    EXPECT_EQ(both.events[0].event.type(), EventType::MouseMoved);
    EXPECT_EQ(both.events[1].event.location(), (Point{102, 100}));
    EXPECT_EQ(both.events[1].positions, (std::vector<std::uint32_t>{0, 1}));
    EXPECT_TRUE(both.leftovers.empty());

    const auto drag = d({rel(REL_Y, 4)});
    EXPECT_EQ(drag.events[0].event.type(), EventType::OtherMouseDragged);
    EXPECT_EQ(drag.events[0].event.integerField(EventField::MouseEventButtonNumber), 3);
    (void)d({key(BTN_LEFT, 1)});
    EXPECT_EQ(d({rel(REL_Y, 4)}).events[0].event.type(), EventType::LeftMouseDragged);
}

TEST(ReportDecoderTest, ClicksCountWithinTheDoubleClickTimeAndDistance) {
    Decoding d;
    auto clickAt = [&](double seconds) {
        const auto micros = static_cast<std::int64_t>(seconds * 1e6);
        const auto down = d({key(BTN_LEFT, 1, micros)});
        const auto up = d({key(BTN_LEFT, 0, micros)});
        EXPECT_EQ(up.events[0].event.integerField(EventField::MouseEventClickState),
                  down.events[0].event.integerField(EventField::MouseEventClickState));
        return down.events[0].event.integerField(EventField::MouseEventClickState);
    };
    EXPECT_EQ(clickAt(1.0), 1);
    EXPECT_EQ(clickAt(1.4), 2);  // 0.4 s after
    EXPECT_EQ(clickAt(1.8), 3);
    EXPECT_EQ(clickAt(2.4), 1);            // 0.6 s after: too late
    d.pointer.location = Point{105, 100};  // 5 pixels away: too far
    EXPECT_EQ(clickAt(2.5), 1);
    d.pointer.location = Point{108, 100};  // 3 pixels on: near enough
    EXPECT_EQ(clickAt(2.6), 2);
}

TEST(ReportDecoderTest, WheelsBecomeLinesWithHorizontalTheOtherWayRound) {
    Decoding d;
    const auto up = d({rel(REL_WHEEL, 1)});
    ASSERT_EQ(up.events.size(), 1u);
    const Event& e = up.events[0].event;
    EXPECT_EQ(e.type(), EventType::ScrollWheel);
    EXPECT_EQ(e.integerField(EventField::ScrollWheelEventDeltaAxis1), 1);
    EXPECT_EQ(e.integerField(EventField::ScrollWheelEventIsContinuous), 0);

    const auto right = d({rel(REL_HWHEEL, 1)});
    EXPECT_EQ(right.events[0].event.integerField(EventField::ScrollWheelEventDeltaAxis2), -1);
    EXPECT_EQ(right.events[0].event.integerField(EventField::ScrollWheelEventDeltaAxis1), 0);

    // A high-resolution notch and its low-resolution record are one line.
    const auto notch = d({rel(REL_WHEEL, -1), rel(REL_WHEEL_HI_RES, -120)});
    EXPECT_EQ(notch.events[0].event.integerField(EventField::ScrollWheelEventDeltaAxis1), -1);
    EXPECT_EQ(notch.events[0].positions.size(), 2u);
}

TEST(ReportDecoderTest, HighResolutionPartsAddUpToLines) {
    Decoding d;
    // A free-spinning wheel: eight parts of 15 make the first line; the
    // seven before it wait and go out with it.
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(d({rel(REL_WHEEL_HI_RES, 15)}).events.empty()) << i;
    const auto line = d({rel(REL_WHEEL_HI_RES, 15), rel(REL_WHEEL, 1)});
    ASSERT_EQ(line.events.size(), 1u);
    EXPECT_EQ(line.events[0].event.integerField(EventField::ScrollWheelEventDeltaAxis1), 1);
    EXPECT_EQ(line.events[0].carried.size(), 7u);
    EXPECT_EQ(line.events[0].positions.size(), 2u);

    // 100 + 100 is one line and 80 to carry; 80 + 40 the next line.
    EXPECT_TRUE(d({rel(REL_WHEEL_HI_RES, 100)}).events.empty());
    EXPECT_EQ(d({rel(REL_WHEEL_HI_RES, 100)})
                  .events[0]
                  .event.integerField(EventField::ScrollWheelEventDeltaAxis1),
              1);
    EXPECT_EQ(d({rel(REL_WHEEL_HI_RES, 40)})
                  .events[0]
                  .event.integerField(EventField::ScrollWheelEventDeltaAxis1),
              1);
    // Back and forth by the same amount leaves nothing to say.
    EXPECT_TRUE(d({rel(REL_HWHEEL_HI_RES, 30)}).events.empty());
    EXPECT_TRUE(d({rel(REL_HWHEEL_HI_RES, -30)}).events.empty());
    const auto left = d({rel(REL_HWHEEL_HI_RES, -120)});
    EXPECT_EQ(left.events[0].event.integerField(EventField::ScrollWheelEventDeltaAxis2), 1);
    EXPECT_TRUE(left.events[0].carried.empty());
}

TEST(ReportDecoderTest, KeysOnTheStreamSetTheModifiersOfWhatFollows) {
    Decoding d;
    d.pointer.modifierFlags = EventFlags::Alternate;  // the desktop says Alt is held
    const auto shift = d({key(KEY_LEFTSHIFT, 1)});
    ASSERT_EQ(shift.events.size(), 1u);
    EXPECT_EQ(shift.events[0].event.type(), EventType::FlagsChanged);
    EXPECT_EQ(shift.events[0].event.integerField(EventField::KeyboardEventKeycode), 56);
    EXPECT_EQ(shift.events[0].event.flags(), EventFlags::Shift | EventFlags::Alternate);

    const auto c = d({key(KEY_C, 1), rel(REL_WHEEL, 1)});
    ASSERT_EQ(c.events.size(), 2u);
    EXPECT_EQ(c.events[0].event.type(), EventType::KeyDown);
    EXPECT_EQ(c.events[0].event.integerField(EventField::KeyboardEventKeycode), 8);
    EXPECT_EQ(c.events[1].event.flags(), EventFlags::Shift | EventFlags::Alternate);
    EXPECT_TRUE(
        d({key(KEY_F1, 2)}).events[0].event.integerField(EventField::KeyboardEventAutorepeat));

    (void)d({key(KEY_LEFTSHIFT, 0)});
    (void)d({key(KEY_CAPSLOCK, 1)});
    (void)d({key(KEY_CAPSLOCK, 0)});
    EXPECT_EQ(d.decoder.streamModifiers(), EventFlags::AlphaShift);
    // A key without an engine code goes out as it came.
    EXPECT_EQ(d({key(KEY_PROG1, 1)}).leftovers, (std::vector<std::uint32_t>{0}));
}

}  // namespace
}  // namespace wexo::platform::lnx

// What the program writes: posted scrolling in 120ths of a notch, keys and
// buttons, modifiers held around what needs them, and nothing left held.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "linux/LinuxTestSupport.h"
#include "platform/linux/OutputDevices.h"

namespace wexo::platform::lnx {
namespace {

using namespace testing;

struct Outputs {
    OutputDevices devices;
    std::shared_ptr<MemorySink> twin = std::make_shared<MemorySink>();
    std::shared_ptr<MemorySink> keyboard = std::make_shared<MemorySink>();
    Outputs() {
        devices.addPointer(1, std::make_unique<Shared>(twin));
        devices.setKeyboard(std::make_unique<Shared>(keyboard));
    }
    struct Shared : VirtualDevice {
        explicit Shared(std::shared_ptr<MemorySink> s) : sink(std::move(s)) {}
        bool write(std::span<const InputRecord> f) override { return sink->write(f); }
        std::shared_ptr<MemorySink> sink;
    };
    void post(const Event& e, std::uint64_t held = 0) { devices.writeEvent(1, e, held, 0); }
};

std::int64_t sum(const std::vector<InputRecord>& records, std::uint16_t code) {
    std::int64_t total = 0;
    for (const auto& r : records)
        if (r.type == EV_REL && r.code == code) total += r.value;
    return total;
}

Event pixels(std::int32_t vertical, std::int32_t horizontal = 0) {
    return Event::scrollWheel(ScrollEventUnit::Pixel, 2, vertical, horizontal);
}

TEST(OutputDevicesTest, PixelScrollingBecomesHighResolutionUnitsWithTheRestCarried) {
    Outputs o;  // 60 pixels a notch: 2 units a pixel
    o.post(pixels(18));
    o.post(pixels(45));
    // 18 px = 36 units; 63 px = 126 units in all, past one notch.
    EXPECT_EQ(triples(o.twin->records()), (std::vector<Triple>{{EV_REL, REL_WHEEL_HI_RES, 36},
                                                               {EV_SYN, SYN_REPORT, 0},
                                                               {EV_REL, REL_WHEEL, 1},
                                                               {EV_REL, REL_WHEEL_HI_RES, 90},
                                                               {EV_SYN, SYN_REPORT, 0}}));

    // 53 pixels a notch: 10 px is 22.64 units; the running totals 22.64,
    // 45.28 and 67.92 are written as 22, 23 and 22 units.
    Outputs p;
    p.devices.setPixelsPerNotch(53);
    for (int i = 0; i < 3; ++i) p.post(pixels(10));
    const auto r = p.twin->records();
    EXPECT_EQ(r[0].value, 22);
    EXPECT_EQ(r[2].value, 23);
    EXPECT_EQ(r[4].value, 22);

    // Horizontal: Quartz's +1 is to the left, the HWHEEL's to the right.
    Outputs h;
    h.post(pixels(0, 70));
    EXPECT_EQ(sum(h.twin->records(), REL_HWHEEL_HI_RES), -140);
    EXPECT_EQ(sum(h.twin->records(), REL_HWHEEL), -1);
}

TEST(OutputDevicesTest, TenThousandRandomPixelPostsDoNotDrift) {
    Outputs o;
    o.devices.setPixelsPerNotch(53);
    std::mt19937 random(13);
    std::uniform_int_distribution<int> step(-40, 60);
    long long pixelsPosted = 0;
    for (int i = 0; i < 10'000; ++i) {
        const int p = step(random);
        pixelsPosted += p;
        o.post(pixels(p));
    }
    const auto records = o.twin->records();
    const std::int64_t units = sum(records, REL_WHEEL_HI_RES);
    // Exactly the whole units of everything posted, toward zero.
    EXPECT_EQ(units, static_cast<std::int64_t>(std::trunc(pixelsPosted * 120.0L / 53.0L)));
    // The notches are the multiples of 120 the running total crossed, so
    // they add up to its whole notches.
    EXPECT_EQ(sum(records, REL_WHEEL), units / 120);
}

TEST(OutputDevicesTest, LinesButtonsAndKeys) {
    Outputs o;
    o.post(Event::scrollWheel(ScrollEventUnit::Line, 2, -2, 1));
    EXPECT_EQ(triples(o.twin->records()), (std::vector<Triple>{{EV_REL, REL_WHEEL, -2},
                                                               {EV_REL, REL_WHEEL_HI_RES, -240},
                                                               {EV_REL, REL_HWHEEL, -1},
                                                               {EV_REL, REL_HWHEEL_HI_RES, -120},
                                                               {EV_SYN, SYN_REPORT, 0}}));

    Outputs b;
    Event side = Event::mouse(EventType::OtherMouseDown, {}, MouseButton::Center);
    side.setIntegerField(EventField::MouseEventButtonNumber, 3);
    b.post(side);
    b.post(Event::mouse(EventType::RightMouseDown, {}, MouseButton::Right));
    b.post(Event::mouse(EventType::RightMouseUp, {}, MouseButton::Right));
    // A release of what is not held (its press was swallowed) is dropped.
    b.post(Event::mouse(EventType::LeftMouseUp, {}, MouseButton::Left));
    EXPECT_EQ(triples(b.twin->records()), (std::vector<Triple>{{EV_KEY, BTN_SIDE, 1},
                                                               {EV_SYN, SYN_REPORT, 0},
                                                               {EV_KEY, BTN_RIGHT, 1},
                                                               {EV_SYN, SYN_REPORT, 0},
                                                               {EV_KEY, BTN_RIGHT, 0},
                                                               {EV_SYN, SYN_REPORT, 0}}));
    EXPECT_EQ(b.devices.heldCodes(1), (std::vector<std::uint16_t>{BTN_SIDE}));

    b.post(Event::keyboard(122, true));  // F1
    EXPECT_EQ(triples(b.keyboard->records()),
              (std::vector<Triple>{{EV_KEY, KEY_F1, 1}, {EV_SYN, SYN_REPORT, 0}}));
    EXPECT_EQ(b.twin->records().size(), 6u);
}

TEST(OutputDevicesTest, ModifiersNamedButNotHeldArePressedAroundPresses) {
    Outputs o;
    Event c = Event::keyboard(8, true);
    c.setFlags(EventFlags::Command | EventFlags::Shift);
    o.post(c);
    EXPECT_EQ(triples(o.keyboard->records()), (std::vector<Triple>{{EV_KEY, KEY_LEFTSHIFT, 1},
                                                                   {EV_KEY, KEY_LEFTMETA, 1},
                                                                   {EV_SYN, SYN_REPORT, 0},
                                                                   {EV_KEY, KEY_C, 1},
                                                                   {EV_SYN, SYN_REPORT, 0},
                                                                   {EV_KEY, KEY_LEFTMETA, 0},
                                                                   {EV_KEY, KEY_LEFTSHIFT, 0},
                                                                   {EV_SYN, SYN_REPORT, 0}}));

    // Held already (by the user, or by the program's own modifier press):
    // nothing around it; and a release needs nothing.
    Outputs held;
    Event v = Event::keyboard(9, true);
    v.setFlags(EventFlags::Command | EventFlags::Shift);
    held.post(Event::keyboard(55, true));
    held.post(v, EventFlags::Shift);
    v.setType(EventType::KeyUp);
    held.post(Event::keyboard(55, false));
    held.post(v);
    EXPECT_EQ(triples(held.keyboard->records()), (std::vector<Triple>{{EV_KEY, KEY_LEFTMETA, 1},
                                                                      {EV_SYN, SYN_REPORT, 0},
                                                                      {EV_KEY, KEY_V, 1},
                                                                      {EV_SYN, SYN_REPORT, 0},
                                                                      {EV_KEY, KEY_LEFTMETA, 0},
                                                                      {EV_SYN, SYN_REPORT, 0},
                                                                      {EV_KEY, KEY_V, 0},
                                                                      {EV_SYN, SYN_REPORT, 0}}));

    // A click with Control: the key on the keyboard, the button on the twin.
    Outputs click;
    Event down = Event::mouse(EventType::LeftMouseDown, {}, MouseButton::Left);
    down.setFlags(EventFlags::Control);
    click.post(down);
    EXPECT_EQ(triples(click.keyboard->records()).front(), (Triple{EV_KEY, KEY_LEFTCTRL, 1}));
    EXPECT_EQ(triples(click.twin->records()).front(), (Triple{EV_KEY, BTN_LEFT, 1}));
    EXPECT_TRUE(click.devices.heldCodes(-1).empty());
}

TEST(OutputDevicesTest, ReleasingAllLeavesNothingHeld) {
    Outputs o;
    o.devices.writeFrame(1, std::vector{key(BTN_LEFT, 1), key(BTN_MIDDLE, 1)}, 0);
    o.devices.writeKey(KEY_VOLUMEUP, true, 0);
    o.devices.releaseAll(0);
    EXPECT_TRUE(o.devices.heldCodes(1).empty());
    EXPECT_TRUE(o.devices.heldCodes(-1).empty());
    const auto twin = triples(o.twin->records());
    EXPECT_EQ(std::vector<Triple>(twin.end() - 3, twin.end()),
              (std::vector<Triple>{
                  {EV_KEY, BTN_LEFT, 0}, {EV_KEY, BTN_MIDDLE, 0}, {EV_SYN, SYN_REPORT, 0}}));
    EXPECT_EQ(triples(o.keyboard->records()).back(), (Triple{EV_SYN, SYN_REPORT, 0}));
    EXPECT_EQ(triples(o.keyboard->records())[2], (Triple{EV_KEY, KEY_VOLUMEUP, 0}));

    o.devices.setPixelsPerNotch(0.2);
    EXPECT_EQ(o.devices.pixelsPerNotch(), 1);
    o.devices.setPixelsPerNotch(std::nan(""));
    EXPECT_EQ(o.devices.pixelsPerNotch(), 60);
}

}  // namespace
}  // namespace wexo::platform::lnx

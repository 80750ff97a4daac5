#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "settings/SettingsKeeper.h"

namespace wexo {
namespace {

std::shared_ptr<Gesture> drawn(const std::string& directions, const std::string& name) {
    plist::Dictionary d{{"gestureDirections", directions}, {"prettyName", name}};
    return std::make_shared<Gesture>(d, std::nullopt);
}

std::shared_ptr<Gesture> rocker(std::int64_t button, const std::string& name) {
    plist::Dictionary d{{"bindButton", button}, {"prettyName", name}};
    return std::make_shared<Gesture>(d, std::nullopt);
}

std::shared_ptr<AppWithGestures> app(const std::string& bundleId,
                                     std::vector<std::shared_ptr<Gesture>> gestures) {
    return std::make_shared<AppWithGestures>(bundleId, bundleId, std::nullopt, std::move(gestures));
}

TEST(SettingsKeeperGestures, DrawnAndRockerGesturesAreFoundOnlyByTheirOwnLookup) {
    SettingsKeeper keeper;
    auto back = drawn("14", "Back");
    auto rocker3 = rocker(3, "Rocker");
    keeper.setGesturesFromApps({app("com.apple.Safari", {back, rocker3})});

    EXPECT_EQ(keeper.fetchGestureByBundleWndDirections("com.apple.Safari", "14"), back);
    EXPECT_EQ(keeper.fetchGestureByBundleWithdBindNumberStr("com.apple.Safari", "3"), rocker3);
    EXPECT_FALSE(keeper.fetchGestureByBundleWndDirections("com.apple.Safari", "3"));
    EXPECT_FALSE(keeper.fetchGestureByBundleWithdBindNumberStr("com.apple.Safari", "14"));
    // Another application's lookups see nothing of Safari's.
    EXPECT_FALSE(keeper.fetchGestureByBundleWndDirections("com.global", "14"));
    EXPECT_FALSE(keeper.fetchGestureByBundleWndDirections("com.other", "14"));
}

TEST(SettingsKeeperGestures, TheIndexIsRebuiltAndALaterGestureWinsItsKey) {
    SettingsKeeper keeper;
    auto first = drawn("2", "first");
    auto second = drawn("2", "second");
    auto unusable = std::make_shared<Gesture>();  // neither directions nor a bound button
    keeper.setGesturesFromApps(
        {app("com.global", {first, second, unusable}), app("com.apple.Mail", {rocker(0, "left")})});
    EXPECT_EQ(keeper.fetchGestureByBundleWndDirections("com.global", "2"), second);
    EXPECT_EQ(keeper.getAllGestures().at("com.global").size(), 1u);
    EXPECT_TRUE(keeper.fetchGestureByBundleWithdBindNumberStr("com.apple.Mail", "0"));

    keeper.setGesturesFromApps({app("com.global", {})});
    EXPECT_FALSE(keeper.fetchGestureByBundleWithdBindNumberStr("com.apple.Mail", "0"));
    EXPECT_FALSE(keeper.fetchGestureByBundleWndDirections("com.global", "2"));
    EXPECT_EQ(keeper.getAllGestures().count("com.global"), 1u);
}

TEST(SettingsKeeperFields, OptionalNumbersStartAbsentAndZeroIsANumber) {
    SettingsKeeper keeper;
    EXPECT_FALSE(keeper.getGestureNumber());
    EXPECT_FALSE(keeper.getGrabKeyNumber());
    EXPECT_FALSE(keeper.getAutoScrollButtonNumber());
    keeper.setGrabButtonNumber(0);  // the left button
    EXPECT_EQ(keeper.getGrabButtonNumber(), 0);
    keeper.setGrabButtonNumber(std::nullopt);
    EXPECT_FALSE(keeper.getGrabButtonNumber());
    keeper.setGestureNumber(-1);
    EXPECT_EQ(keeper.getGestureNumber(), -1);
}

// A frame on another thread must never see the window under the pointer
// together with the overlapping frames of another window.
TEST(SettingsKeeperThreads, WindowRectanglesAreReadAsOneGroup) {
    SettingsKeeper keeper;
    std::atomic<bool> done{false};
    std::atomic<int> mismatches{0};
    std::thread frame([&] {
        while (!done.load()) {
            auto rects = keeper.getWindowRects();
            const double id = rects.currentWindowRect.size.width;
            for (const auto& r : rects.overlappingRectsArray)
                if (r.size.width != id) mismatches.fetch_add(1);
            if (rects.overlappingRectsArray.size() != static_cast<std::size_t>(id))
                mismatches.fetch_add(1);
            keeper.getGrabButtonNumber();
            keeper.getLastScrollTimestamp();
        }
    });
    for (int i = 0; i < 2000; ++i) {
        const double id = i % 7;
        keeper.setWindowRects({platform::Rect(0, 0, id, 1),
                               std::vector<platform::Rect>(i % 7, platform::Rect(1, 1, id, 1))});
        keeper.setGrabButtonNumber(i % 2 ? std::optional<std::int64_t>(3) : std::nullopt);
        keeper.setLastScrollTimestamp(i);
    }
    done.store(true);
    frame.join();
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(keeper.getLastScrollTimestamp(), 1999);
    EXPECT_EQ(keeper.getOverlappingRectsArray().size(), 1999u % 7);
}

}  // namespace
}  // namespace wexo

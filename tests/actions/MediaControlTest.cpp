#include <gtest/gtest.h>

#include "ActionTestDesktop.h"
#include "actions/MediaControl.h"

namespace wexo::testing {
namespace {

using MediaControlTest = ActionTestDesktop;

TEST(MediaCatalogue, ElevenKindOneActionsIndexedInOrder) {
    const std::vector<std::string> names = {
        "Volume Up", "Volume Down", "Mute",          "Play \\ Pause",   "Next", "Previous",
        "Forward",   "Rewind",      "Brightness Up", "Brightness Down", "Power"};
    const auto actions = MediaControl::getMediaActions();
    ASSERT_EQ(actions.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(actions[i], CustomAction(names[i], std::nullopt, std::nullopt,
                                           static_cast<std::int64_t>(i), std::nullopt, 1))
            << i;
    }
}

TEST_F(MediaControlTest, EachIndexPostsItsKeyTypeDownThenUp) {
    const std::uint32_t keyTypes[] = {0, 1, 7, 16, 17, 18, 19, 20, 2, 3, 6};
    for (std::int64_t index = 0; index <= 10; ++index) MediaControl::postSystemKey(index);
    const auto hid = recordsOf<records::Hid>();
    ASSERT_EQ(hid.size(), 22u);
    for (std::size_t i = 0; i < 11; ++i) {
        for (std::size_t half = 0; half < 2; ++half) {
            const auto& r = hid[2 * i + half];
            EXPECT_EQ(r.subtype, 8) << i;
            EXPECT_EQ(r.keyType, keyTypes[i]) << i;
            EXPECT_EQ(r.keyDown, half == 0) << i;
        }
    }
    // Media keys go to the HID system, not through the event stream.
    EXPECT_TRUE(delivered().empty());
}

TEST_F(MediaControlTest, UnreachableHidSystemIsTriedAgainOnTheNextKey) {
    desktop.simHidSystem().setAvailable(false);
    MediaControl::mute();
    EXPECT_TRUE(recordsOf<records::Hid>().empty());
    EXPECT_EQ(loggedLines().size(), 1u);

    desktop.simHidSystem().setAvailable(true);
    MediaControl::mute();
    const auto hid = recordsOf<records::Hid>();
    ASSERT_EQ(hid.size(), 2u);
    EXPECT_EQ(hid[0].keyType, 7u);
}

}  // namespace
}  // namespace wexo::testing

#include <gtest/gtest.h>

#include <functional>

#include "settings/AppWithScrollSettings.h"
#include "settings/DictConvertor.h"
#include "settings/SingleScrollSettingsObject.h"

namespace wexo {
namespace {

TEST(ScrollSettingsSet, AFreshSetHoldsTheDefaults) {
    SingleScrollSettingsObject s;
    EXPECT_FALSE(s.isNativeScroll);
    EXPECT_TRUE(s.isMultiplyLines);
    EXPECT_TRUE(s.isDivideLines);
    EXPECT_TRUE(s.isContinuous);
    EXPECT_TRUE(s.isAnimatingScroll);
    EXPECT_TRUE(s.isAnimatingHorizontalScroll);
    EXPECT_TRUE(s.isAnimatingVerticalScroll);
    EXPECT_FALSE(s.isReverseHorizontal);
    EXPECT_FALSE(s.isReverseVertical);
    EXPECT_EQ(s.verticalLinesNumber, 2.0);
    EXPECT_EQ(s.horizontalLinesNumber, 2.0);
    EXPECT_EQ(s.multiplyLinesNumber, 2);
    EXPECT_EQ(s.divideLinesNumber, 2);
    EXPECT_EQ(s.scrollSpeed, 700);
    EXPECT_EQ(s.contidDelta, 0.5);
    EXPECT_EQ(s.scrollAnimationIndex, 5);
}

TEST(ScrollSettingsSet, SameSettingsAsNoticesEachOfTheSixteenFields) {
    using Change = std::function<void(SingleScrollSettingsObject&)>;
    const Change changes[] = {
        [](auto& s) { s.isNativeScroll = true; },
        [](auto& s) { s.isMultiplyLines = false; },
        [](auto& s) { s.isDivideLines = false; },
        [](auto& s) { s.isContinuous = false; },
        [](auto& s) { s.isAnimatingScroll = false; },
        [](auto& s) { s.isAnimatingHorizontalScroll = false; },
        [](auto& s) { s.isAnimatingVerticalScroll = false; },
        [](auto& s) { s.isReverseHorizontal = true; },
        [](auto& s) { s.isReverseVertical = true; },
        [](auto& s) { s.verticalLinesNumber = 2.25; },
        [](auto& s) { s.horizontalLinesNumber = 1.75; },
        [](auto& s) { s.multiplyLinesNumber = 3; },
        [](auto& s) { s.divideLinesNumber = 4; },
        [](auto& s) { s.scrollSpeed = 701; },
        [](auto& s) { s.contidDelta = 0.6; },
        [](auto& s) { s.scrollAnimationIndex = std::nullopt; },
    };
    SingleScrollSettingsObject original;
    original.verticalLinesNumber = 3.5;
    const SingleScrollSettingsObject copy = original;
    EXPECT_TRUE(original.sameSettingsAs(copy));
    int index = 0;
    for (const auto& change : changes) {
        SingleScrollSettingsObject changed = copy;
        change(changed);
        EXPECT_FALSE(original.sameSettingsAs(changed)) << "field " << index;
        EXPECT_FALSE(changed.sameSettingsAs(original)) << "field " << index;
        ++index;
    }
    // Two sets whose numbers are both empty agree on them.
    SingleScrollSettingsObject a, b;
    a.scrollSpeed = b.scrollSpeed = std::nullopt;
    EXPECT_TRUE(a.sameSettingsAs(b));
}

TEST(ScrollSettingsSet, ReadingADictionaryFallsBackFieldByField) {
    plist::Dictionary d{{"isNativeScroll", true},
                        {"isReverseVertical", 1},    // a flag written as an integer
                        {"verticalLinesNumber", 3},  // an integer where a real is usual
                        {"scrollSpeed", 450.9},      // a real where an integer is usual
                        {"contidDelta", "0.7"},      // text is not a number
                        {"scrollAnimationIndex", plist::Array{}}};
    auto s = SingleScrollSettingsObject::withDict(d);
    EXPECT_TRUE(s.isNativeScroll);
    EXPECT_TRUE(s.isReverseVertical);
    // Missing flags are off, vertical animation included.
    EXPECT_FALSE(s.isMultiplyLines);
    EXPECT_FALSE(s.isContinuous);
    EXPECT_FALSE(s.isAnimatingVerticalScroll);
    EXPECT_EQ(s.verticalLinesNumber, 3.0);
    EXPECT_EQ(s.scrollSpeed, 450);
    // Missing or unreadable numbers take the fresh set's values.
    EXPECT_EQ(s.contidDelta, 0.5);
    EXPECT_EQ(s.scrollAnimationIndex, 5);
    EXPECT_EQ(s.horizontalLinesNumber, 2.0);
    EXPECT_EQ(s.divideLinesNumber, 2);
}

TEST(ScrollSettingsStoredForm, VerticalAnimationIsOnWhenItsKeyIsMissing) {
    auto s = DictConvertor::createScrollSettingsObjectFromDict({});
    EXPECT_TRUE(s.isAnimatingVerticalScroll);
    EXPECT_FALSE(s.isAnimatingHorizontalScroll);
    EXPECT_FALSE(s.isAnimatingScroll);
    EXPECT_FALSE(s.isNativeScroll);

    auto off =
        DictConvertor::createScrollSettingsObjectFromDict({{"isAnimatingVerticalScroll", false}});
    EXPECT_FALSE(off.isAnimatingVerticalScroll);
}

TEST(ScrollSettingsStoredForm, EmptyNumbersAreLeftOutAndReadBackAsDefaults) {
    SingleScrollSettingsObject s;
    s.isReverseHorizontal = true;
    s.isAnimatingHorizontalScroll = false;
    s.verticalLinesNumber = std::nullopt;
    s.scrollSpeed = std::nullopt;
    s.contidDelta = 0.25;
    auto d = DictConvertor::createDictFromScrollSettings(s);
    // The nine flags are always written.
    for (const char* key :
         {"isNativeScroll", "isMultiplyLines", "isDivideLines", "isContinuous", "isAnimatingScroll",
          "isAnimatingHorizontalScroll", "isAnimatingVerticalScroll", "isReverseHorizontal",
          "isReverseVertical"}) {
        ASSERT_TRUE(d.count(key)) << key;
        EXPECT_EQ(d.at(key).type(), plist::Value::Type::Boolean) << key;
    }
    EXPECT_FALSE(d.count("verticalLinesNumber"));
    EXPECT_FALSE(d.count("scrollSpeed"));
    EXPECT_EQ(d.at("contidDelta"), plist::Value(0.25));
    EXPECT_EQ(d.at("multiplyLinesNumber").type(), plist::Value::Type::Integer);
    EXPECT_EQ(d.size(), 14u);

    auto back = DictConvertor::createScrollSettingsObjectFromDict(d);
    EXPECT_TRUE(back.isReverseHorizontal);
    EXPECT_FALSE(back.isAnimatingHorizontalScroll);
    EXPECT_EQ(back.verticalLinesNumber, 2.0);
    EXPECT_EQ(back.scrollSpeed, 700);
    EXPECT_EQ(back.contidDelta, 0.25);
}

TEST(ScrollSettingsApp, KeepsASetOfItsOwn) {
    SingleScrollSettingsObject given;
    given.scrollSpeed = 300;
    AppWithScrollSettings app("Safari", "com.apple.Safari", "/Applications/Safari.app", "1", given);
    given.scrollSpeed = 900;
    EXPECT_EQ(app.scrollSettings.scrollSpeed, 300);

    auto copy = app.copy();
    copy->scrollSettings.isNativeScroll = true;
    copy->prettyName = "other";
    EXPECT_FALSE(app.scrollSettings.isNativeScroll);
    EXPECT_EQ(app.prettyName, "Safari");

    AppWithScrollSettings none("Mail", "com.apple.mail", "", "2", std::nullopt);
    EXPECT_TRUE(none.scrollSettings.sameSettingsAs(SingleScrollSettingsObject()));

    auto global = AppWithScrollSettings::makeGlobal();
    EXPECT_EQ(global->prettyName, "Global");
    EXPECT_EQ(global->bundleId, "com.global");
    EXPECT_EQ(global->listLocation, "0");
    EXPECT_EQ(global->appImagePath, "");
}

}  // namespace
}  // namespace wexo

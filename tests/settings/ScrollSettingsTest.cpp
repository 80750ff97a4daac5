#include <gtest/gtest.h>

#include <functional>

#include "settings/AppWithScrollSettings.h"
#include "settings/DictConvertor.h"
#include "settings/SingleScrollSettingsObject.h"

namespace wexo {
namespace {

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

TEST(ScrollSettingsStoredForm, MissingFlagsAreOffExceptVerticalAnimation) {
    auto s = DictConvertor::createScrollSettingsObjectFromDict({});
    EXPECT_TRUE(s.isAnimatingVerticalScroll);
    EXPECT_FALSE(s.isAnimatingHorizontalScroll);
    EXPECT_FALSE(s.isAnimatingScroll);
    EXPECT_FALSE(s.isMultiplyLines);
    EXPECT_FALSE(
        DictConvertor::createScrollSettingsObjectFromDict({{"isAnimatingVerticalScroll", false}})
            .isAnimatingVerticalScroll);
    // The set's own reading knows no such exception.
    EXPECT_FALSE(SingleScrollSettingsObject::withDict({}).isAnimatingVerticalScroll);
    // Missing numbers read as the fresh set's values.
    EXPECT_EQ(s.scrollSpeed, 700);
    EXPECT_EQ(s.contidDelta, 0.5);
}

TEST(ScrollSettingsStoredForm, EmptyNumbersAreLeftOutAndTheFlagsAlwaysWritten) {
    SingleScrollSettingsObject s;
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
}

TEST(ScrollSettingsApp, KeepsASetOfItsOwn) {
    SingleScrollSettingsObject given;
    given.scrollSpeed = 300;
    AppWithScrollSettings app("Safari", "com.apple.Safari", "/Applications/Safari.app", "1", given);
    given.scrollSpeed = 900;
    EXPECT_EQ(app.scrollSettings.scrollSpeed, 300);
    auto copy = app.copy();
    copy->scrollSettings.isNativeScroll = true;
    EXPECT_FALSE(app.scrollSettings.isNativeScroll);
    // No set given: a fresh one.
    AppWithScrollSettings none("Mail", "com.apple.mail", "", "2", std::nullopt);
    EXPECT_TRUE(none.scrollSettings.sameSettingsAs(SingleScrollSettingsObject()));
}

}  // namespace
}  // namespace wexo

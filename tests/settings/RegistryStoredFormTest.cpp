#include <gtest/gtest.h>

#include "settings/DictConvertor.h"

namespace wexo {
namespace {

std::shared_ptr<SingleDisplay> sampleDisplay() {
    auto display = std::make_shared<SingleDisplay>();
    display->listLocation = "1";
    display->screenID = 69733382;
    display->displayName = "1. DELL U2720Q";
    display->serial = "1610-41001-7";
    display->apps["com.global"] = AppWithScrollSettings::makeGlobal();
    SingleScrollSettingsObject s;
    s.isNativeScroll = true;
    s.isMultiplyLines = false;
    s.isReverseVertical = true;
    s.verticalLinesNumber = 3.25;
    s.horizontalLinesNumber = 1.5;
    s.multiplyLinesNumber = 5;
    s.divideLinesNumber = 3;
    s.scrollSpeed = 420;
    s.contidDelta = 0.75;
    s.scrollAnimationIndex = 12;
    display->apps["com.apple.Safari"] = std::make_shared<AppWithScrollSettings>(
        "Safari", "com.apple.Safari", "/Applications/Safari.app", "1", s);
    return display;
}

TEST(RegistryStoredForm, TheKeysOfEachLevel) {
    auto display = sampleDisplay();
    auto dict = DictConvertor::createDictFromDictOfDisplayObjects({{display->serial, display}});
    ASSERT_EQ(dict.size(), 1u);
    const auto& d = *dict.at("1610-41001-7").asDictionary();
    EXPECT_EQ(d.at("listLocation"), plist::Value("1"));
    EXPECT_EQ(d.at("screenID"), plist::Value(69733382));
    EXPECT_EQ(d.at("displayName"), plist::Value("1. DELL U2720Q"));
    EXPECT_EQ(d.at("serial"), plist::Value("1610-41001-7"));
    const auto& safari = *d.at("displayApps").asDictionary()->at("com.apple.Safari").asDictionary();
    EXPECT_EQ(safari.at("imagePath"), plist::Value("/Applications/Safari.app"));
    EXPECT_EQ(safari.at("prettyName"), plist::Value("Safari"));
    EXPECT_EQ(safari.at("bundleId"), plist::Value("com.apple.Safari"));
    EXPECT_EQ(safari.at("listLocation"), plist::Value("1"));
    const auto& settings = *safari.at("scrollSettings").asDictionary();
    EXPECT_EQ(settings.at("isNativeScroll"), plist::Value(true));
    EXPECT_EQ(settings.at("scrollSpeed"), plist::Value(420));
    EXPECT_EQ(settings.at("verticalLinesNumber"), plist::Value(3.25));
    EXPECT_EQ(settings.size(), 16u);
}

TEST(RegistryStoredForm, WrongTypesAtEveryLevelSpareTheRest) {
    auto good = DictConvertor::createDictFromDisplay(*sampleDisplay());
    auto& apps = *good.at("displayApps").asDictionary();
    apps["com.broken.array"] = plist::Array{};
    plist::Dictionary brokenSettings{{"prettyName", "Mail"},
                                     {"bundleId", "com.apple.mail"},
                                     {"listLocation", 2},  // a number where text belongs
                                     {"scrollSettings", "fast"}};
    apps["com.apple.mail"] = brokenSettings;
    plist::Dictionary oddNumbers{{"isNativeScroll", "yes"},
                                 {"scrollSpeed", "700"},
                                 {"verticalLinesNumber", plist::Dictionary{}},
                                 {"isAnimatingVerticalScroll", plist::Array{}}};
    apps["com.odd"] = plist::Dictionary{{"bundleId", "com.odd"}, {"scrollSettings", oddNumbers}};

    plist::Dictionary stored{
        {"1610-41001-7", good},
        {"2-2-2", "not a display"},
        {"3-3-3",
         plist::Dictionary{{"displayApps", plist::Array{}}, {"screenID", "4"}, {"serial", 7}}}};
    auto displays = DictConvertor::createDictOfObjectsFromDict(stored);
    ASSERT_EQ(displays.size(), 2u);
    EXPECT_FALSE(displays.count("2-2-2"));

    const auto& dell = *displays.at("1610-41001-7");
    EXPECT_EQ(dell.apps.size(), 4u);
    EXPECT_EQ(dell.apps.at("com.apple.Safari")->scrollSettings.scrollSpeed, 420);
    const auto& mail = *dell.apps.at("com.apple.mail");
    EXPECT_EQ(mail.listLocation, "2");
    EXPECT_TRUE(mail.scrollSettings.sameSettingsAs(SingleScrollSettingsObject()));
    const auto& odd = dell.apps.at("com.odd")->scrollSettings;
    EXPECT_FALSE(odd.isNativeScroll);
    EXPECT_TRUE(odd.isAnimatingVerticalScroll);
    EXPECT_EQ(odd.scrollSpeed, 700);
    EXPECT_EQ(odd.verticalLinesNumber, 2.0);

    const auto& bare = *displays.at("3-3-3");
    EXPECT_TRUE(bare.apps.empty());
    EXPECT_EQ(bare.screenID, 0u);
    EXPECT_EQ(bare.serial, "");
}

}  // namespace
}  // namespace wexo

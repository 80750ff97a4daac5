#include <gtest/gtest.h>

#include "SettingsTestDesktop.h"
#include "settings/ButtonAssignments.h"
#include "settings/DictConvertor.h"
#include "settings/KxDefaults.h"

namespace wexo {
namespace {

const plist::Dictionary kPaste{
    {"typeOfAction", 2},
    {"shortcut", plist::Dictionary{{"key", 9}, {"keystring", "V"}, {"command", true}}}};
const plist::Dictionary kVolumeUp{{"prettyName", "Volume Up"}, {"auxKey", 0}, {"typeOfAction", 1}};

class ButtonAssignmentsTest : public testing::SettingsTestDesktop {};

TEST_F(ButtonAssignmentsTest, EveryStoredAssignmentEntersTheTableUnderItsKeys) {
    plist::Dictionary stored{
        {"3", plist::Dictionary{{"0", kPaste}, {"1048576", kVolumeUp}}},
        {"501", plist::Dictionary{{"655360", kVolumeUp}}},
    };
    SettingsKeeper::MouseButtonsDict table;
    ButtonAssignments::load(stored, table);
    ASSERT_EQ(table.size(), 2u);
    ASSERT_EQ(table.at("3").size(), 2u);

    const auto& plain = table.at("3").at("0");
    EXPECT_EQ(plain->prettyName, "Side 3");
    EXPECT_EQ(plain->originalName, "buttonNumber3");
    EXPECT_EQ(plain->buttonNumber, 3);
    EXPECT_EQ(plain->modifiers, 0);
    EXPECT_EQ(plain->isActive, 1);
    ASSERT_TRUE(plain->action);
    EXPECT_EQ(plain->action->kind(), CustomAction::Kind::KeyboardShortcut);
    EXPECT_EQ(plain->action->shortcut->displayText(), " ⌘ V");

    const auto& command = table.at("3").at("1048576");
    EXPECT_EQ(command->modifiers, 0x100000);
    EXPECT_EQ(command->action->prettyName, "Volume Up");
    EXPECT_NE(command.get(), plain.get());

    // Wheel directions are described by their direction; Shift and Option here.
    const auto& wheel = table.at("501").at("655360");
    EXPECT_EQ(wheel->prettyName, "Scroll Down");
    EXPECT_EQ(wheel->modifiers, 0xA0000);
    EXPECT_TRUE(wheel->isActiveSet());
}

TEST_F(ButtonAssignmentsTest, UnusableEntriesAreSkippedAndTheRestLoads) {
    plist::Dictionary stored{
        {"2", plist::Dictionary{{"0", kVolumeUp}, {"cmd", kPaste}, {"131072", "Volume Up"}}},
        {"504", plist::Dictionary{{"0", kPaste}}},  // no such wheel direction
        {"temp", plist::Dictionary{{"0", kPaste}}},
        {"7", plist::Array{kPaste}},
        {"8", plist::Dictionary{{"0", plist::Dictionary{}}}},
    };
    SettingsKeeper::MouseButtonsDict table;
    ButtonAssignments::load(stored, table);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.at("2").size(), 1u);
    EXPECT_EQ(table.at("2").at("0")->prettyName, "Middle");
    // An empty action dictionary is an assignment that runs nothing.
    ASSERT_TRUE(table.at("8").at("0")->action);
    EXPECT_FALSE(table.at("8").at("0")->action->kind());
    EXPECT_EQ(table.at("8").at("0")->prettyName, "Button 8");
}

TEST_F(ButtonAssignmentsTest, AnOlderStoreIsWrappedUnderNoModifiersOnce) {
    KxDefaults::setButtonAssignDict({{"3", kPaste}, {"501", kVolumeUp}, {"4", "garbage"}});
    ASSERT_TRUE(ButtonAssignments::wrapUnderModifiers());
    EXPECT_EQ(KxDefaults::getModifiersOn(), true);
    EXPECT_EQ(KxDefaults::getButtonAssignDict(),
              (plist::Dictionary{{"3", plist::Dictionary{{"0", kPaste}}},
                                 {"501", plist::Dictionary{{"0", kVolumeUp}}}}));
    EXPECT_EQ(memoryStore().synchronizeCount(), 1);

    // With "modifiersOn" set nothing is touched again.
    EXPECT_FALSE(ButtonAssignments::wrapUnderModifiers());
    EXPECT_EQ(KxDefaults::getButtonAssignDict()->at("3"),
              plist::Value(plist::Dictionary{{"0", kPaste}}));
}

TEST_F(ButtonAssignmentsTest, AStoreThatLostItsFlagIsNotWrappedTwice) {
    const plist::Dictionary layered{{"3", plist::Dictionary{{"0", kPaste}, {"1048576", kPaste}}}};
    KxDefaults::setButtonAssignDict(layered);
    ButtonAssignments::wrapUnderModifiers();
    EXPECT_EQ(KxDefaults::getButtonAssignDict(), layered);
    EXPECT_EQ(KxDefaults::getModifiersOn(), true);
}

TEST_F(ButtonAssignmentsTest, LoadingIntoTheSharedTable) {
    KxDefaults::setButtonAssignDict({{"1", kPaste}});
    ButtonAssignments::loadIntoSettingsKeeper();
    ASSERT_EQ(keeper().getMouseButtonsDict().size(), 1u);
    const auto& right = keeper().getMouseButtonsDict().at("1").at("0");
    EXPECT_EQ(right->prettyName, "Right");
    EXPECT_EQ(DictConvertor::createDictFromAction(*right->action), kPaste);

    // A fresh store loads nothing and stores an empty table with its flag.
    KxDefaults::removeButtonAssignDict();
    store().removeObjectForKey("modifiersOn");
    ButtonAssignments::loadIntoSettingsKeeper();
    EXPECT_EQ(KxDefaults::getButtonAssignDict(), plist::Dictionary{});
    EXPECT_EQ(KxDefaults::getModifiersOn(), true);
}

}  // namespace
}  // namespace wexo

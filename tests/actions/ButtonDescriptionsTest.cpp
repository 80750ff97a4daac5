#include <gtest/gtest.h>

#include "actions/KxShortcutsKeeper.h"

namespace wexo {
namespace {

struct Described {
    std::int64_t number;
    const char* prettyName;
    const char* originalName;
};

TEST(ButtonDescriptions, FixedNamesForTheFirstFiveButtons) {
    const Described table[] = {{0, "Left", "buttonNumber0"},
                               {1, "Right", "buttonNumber1"},
                               {2, "Middle", "buttonNumber2"},
                               {3, "Side 3", "buttonNumber3"},
                               {4, "Side 4", "buttonNumber4"}};
    for (const auto& row : table) {
        auto button = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(row.number);
        ASSERT_TRUE(button);
        EXPECT_EQ(button->prettyName, row.prettyName);
        EXPECT_EQ(button->originalName, row.originalName);
        EXPECT_EQ(button->buttonNumber, row.number);
        // A fresh description is unassigned and inactive.
        EXPECT_FALSE(button->action);
        EXPECT_EQ(button->isActive, 0);
        EXPECT_FALSE(button->isActiveSet());
        EXPECT_EQ(button->modifiers, 0);
    }
}

TEST(ButtonDescriptions, OtherNumbersAreNamedAfterTheNumber) {
    auto seven = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(7);
    EXPECT_EQ(seven->prettyName, "Button 7");
    EXPECT_EQ(seven->originalName, "buttonNumber7");
    EXPECT_EQ(seven->buttonNumber, 7);

    auto negative = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(-1);
    EXPECT_EQ(negative->prettyName, "Button -1");
    EXPECT_EQ(negative->originalName, "buttonNumber-1");

    // Wheel codes asked for by number are just numbers.
    EXPECT_EQ(KxShortcutsKeeper::getPreDdefinedButtonsByNumber(500)->prettyName, "Button 500");
}

TEST(ButtonDescriptions, WheelDirectionsOnlyFrom500To503) {
    const Described table[] = {{500, "Scroll Up", "buttonNumber500"},
                               {501, "Scroll Down", "buttonNumber501"},
                               {502, "Scroll Left", "buttonNumber502"},
                               {503, "Scroll Right", "buttonNumber503"}};
    for (const auto& row : table) {
        auto button = KxShortcutsKeeper::getPreDdefinedButtonsByDelta(row.number);
        ASSERT_TRUE(button);
        EXPECT_EQ(button->prettyName, row.prettyName);
        EXPECT_EQ(button->originalName, row.originalName);
        EXPECT_EQ(button->buttonNumber, row.number);
        EXPECT_EQ(button->isActive, 0);
    }
    EXPECT_FALSE(KxShortcutsKeeper::getPreDdefinedButtonsByDelta(499));
    EXPECT_FALSE(KxShortcutsKeeper::getPreDdefinedButtonsByDelta(504));
    EXPECT_FALSE(KxShortcutsKeeper::getPreDdefinedButtonsByDelta(3));
}

TEST(ButtonDescriptions, EachCallGivesAnObjectOfItsOwn) {
    auto a = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(3);
    auto b = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(3);
    ASSERT_NE(a.get(), b.get());
    a->prettyName = "changed";
    EXPECT_EQ(b->prettyName, "Side 3");
}

TEST(ModifierMaskTitle, CommandShiftOptionControlWithoutBlanks) {
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0), "");
    // Command, Option and Shift.
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x1A0000), "⌘⇧⌥");
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x1E0000), "⌘⇧⌥⌃");
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x40000), "⌃");
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x60000), "⇧⌃");
    // The duplicate mark and Caps Lock have no glyph.
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x400000 | 0x100000 | 0x10000), "⌘");
}

}  // namespace
}  // namespace wexo

#include <gtest/gtest.h>

#include "actions/KxShortcutsKeeper.h"

namespace wexo {
namespace {

struct Described {
    std::int64_t number;
    const char* prettyName;
};

void expectDescription(const std::shared_ptr<MouseButton>& button, const Described& row) {
    ASSERT_TRUE(button) << row.number;
    EXPECT_EQ(button->prettyName, row.prettyName);
    EXPECT_EQ(button->originalName, "buttonNumber" + std::to_string(row.number));
    EXPECT_EQ(button->buttonNumber, row.number);
    // A fresh description is unassigned and inactive.
    EXPECT_FALSE(button->action);
    EXPECT_EQ(button->isActive, 0);
    EXPECT_EQ(button->modifiers, 0);
}

TEST(ButtonDescriptions, ByNumber) {
    for (const Described& row :
         {Described{0, "Left"}, Described{1, "Right"}, Described{2, "Middle"},
          Described{3, "Side 3"}, Described{4, "Side 4"}, Described{7, "Button 7"},
          Described{-1, "Button -1"}, Described{500, "Button 500"}})
        expectDescription(KxShortcutsKeeper::getPreDdefinedButtonsByNumber(row.number), row);

    // Each call gives an object of its own.
    auto a = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(3);
    a->prettyName = "changed";
    EXPECT_EQ(KxShortcutsKeeper::getPreDdefinedButtonsByNumber(3)->prettyName, "Side 3");
}

TEST(ButtonDescriptions, WheelDirectionsOnlyFrom500To503) {
    for (const Described& row : {Described{500, "Scroll Up"}, Described{501, "Scroll Down"},
                                 Described{502, "Scroll Left"}, Described{503, "Scroll Right"}})
        expectDescription(KxShortcutsKeeper::getPreDdefinedButtonsByDelta(row.number), row);
    EXPECT_FALSE(KxShortcutsKeeper::getPreDdefinedButtonsByDelta(499));
    EXPECT_FALSE(KxShortcutsKeeper::getPreDdefinedButtonsByDelta(504));
    EXPECT_FALSE(KxShortcutsKeeper::getPreDdefinedButtonsByDelta(3));
}

TEST(ModifierMaskTitle, CommandShiftOptionControlWithoutBlanks) {
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0), "");
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x1A0000), "⌘⇧⌥");  // Command, Option, Shift
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x1E0000), "⌘⇧⌥⌃");
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x60000), "⇧⌃");
    // The duplicate mark and Caps Lock have no glyph.
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x400000 | 0x100000 | 0x10000), "⌘");
}

}  // namespace
}  // namespace wexo

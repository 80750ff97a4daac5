#include <gtest/gtest.h>

#include "actions/CustomAction.h"
#include "actions/KxShortcut.h"
#include "actions/KxShortcutsKeeper.h"

namespace wexo {
namespace {

TEST(ShortcutDisplayText, UseStringShowsTheKeyStringAlone) {
    KxShortcut s(4, "Show Desktop", true, true, true, true, true);
    EXPECT_EQ(s.displayText(), "Show Desktop");
    KxShortcut noText;
    noText.useString = true;
    EXPECT_EQ(noText.displayText(), "");
}

TEST(ShortcutDisplayText, GlyphsInControlOptionShiftCommandOrderThenTheKey) {
    EXPECT_EQ(KxShortcut().displayText(), "");

    KxShortcut controlOptionSpace(49, "Space", false, true, false, true, false);
    EXPECT_EQ(controlOptionSpace.displayText(), "⌃ ⌥ Space");

    // Glyphs after the first carry a leading blank even when they come first.
    KxShortcut commandShiftV(9, "V", true, false, true, false, false);
    EXPECT_EQ(commandShiftV.displayText(), " ⇧ ⌘ V");

    KxShortcut all(0, "A", true, true, true, true, false);
    EXPECT_EQ(all.displayText(), "⌃ ⌥ ⇧ ⌘ A");

    // Without a key only the glyphs show, even if a name is left over.
    KxShortcut noKey(std::nullopt, "A", false, true, false, false, false);
    EXPECT_EQ(noKey.displayText(), "⌃");
}

TEST(MergeShortcut, TakesTheKeyAndKeepsTheModifiers) {
    KxShortcut chosen(std::nullopt, std::nullopt, true, false, true, false, false);
    KxShortcut picked(123, "Left", false, true, false, true, true);
    KxShortcut& result = KxShortcutsKeeper::mergeShortcut(chosen, picked);
    EXPECT_EQ(&result, &chosen);
    EXPECT_EQ(chosen.key, 123);
    EXPECT_EQ(chosen.keyString, "Left");
    EXPECT_TRUE(chosen.command);
    EXPECT_FALSE(chosen.control);
    EXPECT_TRUE(chosen.shift);
    EXPECT_FALSE(chosen.option);
    EXPECT_FALSE(chosen.useString);
}

TEST(CustomActionKind, OnlyOneToFourRun) {
    CustomAction action;
    EXPECT_FALSE(action.kind());
    for (std::int64_t inert : {0, 5, -1}) {
        action.typeOfAction = inert;
        EXPECT_FALSE(action.kind()) << inert;
    }
    action.typeOfAction = 2;
    EXPECT_EQ(action.kind(), CustomAction::Kind::KeyboardShortcut);
    action.typeOfAction = 4;
    EXPECT_EQ(action.kind(), CustomAction::Kind::SimulatedMouse);
}

}  // namespace
}  // namespace wexo

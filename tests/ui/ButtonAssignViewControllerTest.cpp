#include <gtest/gtest.h>

#include "actions/KxShortcutsKeeper.h"
#include "app/AppTestDesktop.h"
#include "events/MouseButtonListener.h"
#include "ui/ButtonAssignViewController.h"

namespace wexo::testing {
namespace {

plist::Dictionary volumeUp() {
    return {{"prettyName", "Volume Up"}, {"auxKey", 0}, {"typeOfAction", 1}};
}

class ButtonAssignViewControllerTest : public ::testing::Test {
  protected:
    explicit ButtonAssignViewControllerTest(plist::Dictionary defaults = {})
        : t(std::move(defaults)) {
        t.desktop.simScreens().setScreens(twoScreens());
        t.launch();
    }

    ButtonAssignViewController& b() {
        return *dynamic_cast<ButtonAssignViewController*>(t.menu().registeredScreen("Buttons"));
    }
    ActionSelectionViewController& picker() { return *b().actionSelectionVC(); }

    // What the mouse tap does with a press on the Buttons tab.
    void capture(std::int64_t number) {
        t.act([&] {
            auto button = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(number);
            t.keeper().getMouseButtonsDict()[std::to_string(number)]["temp"] = button;
            b().convertDictToArrayAndSelectButton(button);
        });
    }
    void click(ui::Button& button, int state = ui::kStateOn) {
        t.act([&] {
            button.setState(state);
            button.sendAction();
        });
    }
    // Picks row `row` of a catalogue of the picker.
    void pick(ui::Button& kind, std::size_t row) {
        click(kind);
        t.act([&] { picker().actionsTableView.selectRow(static_cast<std::ptrdiff_t>(row)); });
    }
    std::string text(std::size_t row, const char* column) {
        return b().mouseButtonsTableView.viewAt(row, column)->textField().stringValue();
    }
    ui::Color color(std::size_t row) {
        return b().mouseButtonsTableView.viewAt(row, "buttonName")->textField().textColor();
    }
    plist::Dictionary stored() {
        auto v = t.stored("buttonAssignDict");
        return v && v->asDictionary() ? *v->asDictionary() : plist::Dictionary{};
    }
    // The stored entry of a button, empty when there is none.
    plist::Dictionary storedButton(const std::string& button) {
        auto all = stored();
        auto it = all.find(button);
        return it != all.end() && it->second.asDictionary() ? *it->second.asDictionary()
                                                            : plist::Dictionary{};
    }
    void deleteRow(std::size_t row) {
        t.act([&] {
            b().mouseButtonsTableView.viewAt(row, "buttonAction")->deleteButton()->sendAction();
        });
    }

    AppTestDesktop t;
};

TEST_F(ButtonAssignViewControllerTest, CommandAndShiftOnButton3) {
    capture(3);
    EXPECT_EQ(b().mouseButtonsTableView.selectedRow(), 0);
    EXPECT_EQ(text(0, "buttonName"), "Side 3");
    EXPECT_EQ(text(0, "buttonAction"), "Default");
    EXPECT_FALSE(b().actionsContainer.isHidden());
    EXPECT_FALSE(b().modifiersView.isHidden());
    EXPECT_TRUE(b().buttonsHelpLbl.isHidden());

    // Ticked before anything is picked: nothing is stored yet.
    click(b().tableCmndOutlt);
    click(b().tableShiftOutlt);
    EXPECT_EQ(b().currentModifiers(), 0x120000);
    EXPECT_FALSE(stored().count("3"));

    pick(picker().preDefinedBtnOutlt, 13);  // "Paste (⌘ V)"
    const auto entry = storedButton("3");
    ASSERT_EQ(entry.size(), 1u);
    const auto* action = entry.at("1179648").asDictionary();
    ASSERT_TRUE(action);
    EXPECT_EQ(action->at("typeOfAction").asInteger(), 2);
    EXPECT_EQ(action->at("shortcut").asDictionary()->at("key").asInteger(), 9);
    EXPECT_EQ(text(0, "buttonName"), "⌘⇧ + Side 3");
    EXPECT_EQ(text(0, "buttonAction"), "Paste (⌘ V)");
    EXPECT_EQ(color(0), ui::Color::dirtyWhite());
    // The taps find it under the mask; the pending entry is gone.
    auto found = b().fetchMouseButtonByButton(3, 1179648);
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->isActiveSet());
    EXPECT_FALSE(t.keeper().getMouseButtonsDict()["3"].count("temp"));
}

TEST_F(ButtonAssignViewControllerTest, ASecondAssignmentUnderTheSameMaskIsKeptAndRed) {
    capture(3);
    pick(picker().mediaBtnOutlt, 0);  // Volume Up
    capture(3);
    EXPECT_EQ(b().mouseButtonsTableView.selectedRow(), 1);  // "0", then "temp"
    pick(picker().mediaBtnOutlt, 2);                        // Mute

    const auto entry = storedButton("3");
    ASSERT_EQ(entry.size(), 2u);
    EXPECT_EQ(entry.at("0").asDictionary()->at("prettyName").asString(), "Volume Up");
    EXPECT_EQ(entry.at("4194304").asDictionary()->at("prettyName").asString(), "Mute");
    EXPECT_EQ(b().fetchMouseButtonByButton(3, 0)->action->prettyName, "Volume Up");
    EXPECT_EQ(text(1, "buttonAction"), "Mute");
    EXPECT_EQ(color(1), ui::Color::warningRed());
    EXPECT_EQ(b().mouseButtonsTableView.viewAt(1, "buttonAction")->textField().textColor(),
              ui::Color::warningRed());
    EXPECT_EQ(color(0), ui::Color::disabledGray());

    // Moved under Command it is no duplicate any more.
    click(b().tableCmndOutlt);
    EXPECT_EQ(b().fetchMouseButtonByButton(3, 0x100000)->action->prettyName, "Mute");
    EXPECT_FALSE(storedButton("3").count("4194304"));
    EXPECT_EQ(color(1), ui::Color::dirtyWhite());
}

TEST_F(ButtonAssignViewControllerTest, TheRightButtonsOwnClickIsNoAssignment) {
    capture(1);
    pick(picker().simulateMouseBtnOutlt, 1);  // Right Click
    EXPECT_EQ(text(0, "buttonAction"), "Default");
    EXPECT_FALSE(stored().count("1"));

    // An assignment it replaces leaves the store as well.
    pick(picker().mediaBtnOutlt, 0);
    EXPECT_TRUE(stored().count("1"));
    pick(picker().simulateMouseBtnOutlt, 1);
    EXPECT_FALSE(stored().count("1"));
    EXPECT_FALSE(b().fetchMouseButtonByButton(1, 0)->isActiveSet());
    EXPECT_EQ(text(0, "buttonAction"), "Default");

    // Any other pick is assigned, the middle click to the right button too.
    pick(picker().simulateMouseBtnOutlt, 2);
    EXPECT_EQ(text(0, "buttonAction"), "Middle Click");
}

TEST_F(ButtonAssignViewControllerTest, DeletingTheLastAssignmentRemovesTheButton) {
    capture(3);
    pick(picker().mediaBtnOutlt, 0);
    capture(3);
    click(b().tableCmndOutlt);
    pick(picker().mediaBtnOutlt, 1);
    ASSERT_EQ(storedButton("3").size(), 2u);

    deleteRow(0);
    EXPECT_EQ(b().lastSelectedButtonsRow(), -1);
    EXPECT_TRUE(b().actionsContainer.isHidden());
    EXPECT_EQ(storedButton("3").size(), 1u);
    EXPECT_TRUE(storedButton("3").count("1048576"));
    EXPECT_EQ(text(0, "buttonName"), "⌘ + Side 3");

    deleteRow(0);
    EXPECT_FALSE(stored().count("3"));
    EXPECT_FALSE(t.keeper().getMouseButtonsDict().count("3"));
    EXPECT_EQ(b().mouseButtonsTableView.numberOfRows(), 0u);
    EXPECT_FALSE(b().buttonsHelpLbl.isHidden());
    EXPECT_TRUE(b().modifiersView.isHidden());
}

TEST_F(ButtonAssignViewControllerTest, APickWithoutASelectedRowChangesNothing) {
    t.act([&] {
        b().actionWasSelected(CustomAction("Mute", std::nullopt, std::nullopt, 2, std::nullopt, 1));
    });
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(b().mouseButtonsTableView.numberOfRows(), 0u);
}

TEST_F(ButtonAssignViewControllerTest, ThePointerOverTheListOnScreen) {
    // The list (20, 60, 340 x 340 in the window) of the window centred on
    // the 1920 x 1080 main display at (580, 280) spans x 600 to 940 and, from
    // the bottom, y 340 to 680: from the top, beyond 400 up to 740.
    auto inside = [&](double x, double y) {
        t.desktop.simEventStream().setPointer({x, y});
        return b().isInsideScrollView();
    };
    EXPECT_FALSE(inside(700, 500));  // the Scroll tab is in front
    click(t.scroll().tabs.showButtonsOutlt);
    EXPECT_TRUE(inside(700, 500));
    EXPECT_TRUE(inside(600, 740));
    EXPECT_FALSE(inside(599, 500));
    EXPECT_FALSE(inside(700, 741));
    EXPECT_FALSE(inside(700, 400));
}

class StoredButtonsTest : public ButtonAssignViewControllerTest {
  protected:
    // An older store: actions straight under the buttons.
    StoredButtonsTest()
        : ButtonAssignViewControllerTest(
              {{"buttonAssignDict",
                plist::Dictionary{
                    {"10", volumeUp()}, {"2", volumeUp()}, {"501", volumeUp()}, {"4", volumeUp()}}},
               {"buttonsNative", true}}) {}
};

TEST_F(StoredButtonsTest, LoadsUnderTheModifierLevelInTextOrderSwitchedOff) {
    EXPECT_EQ(t.stored("modifiersOn")->asBool(), true);
    EXPECT_EQ(storedButton("2"), (plist::Dictionary{{"0", volumeUp()}}));
    ASSERT_EQ(b().mouseButtonsTableView.numberOfRows(), 4u);
    EXPECT_EQ(text(0, "buttonName"), "Button 10");
    EXPECT_EQ(text(1, "buttonName"), "Middle");
    EXPECT_EQ(text(2, "buttonName"), "Side 4");
    EXPECT_EQ(text(3, "buttonName"), "Scroll Down");
    EXPECT_EQ(text(3, "buttonAction"), "Volume Up");
    EXPECT_TRUE(b().fetchMouseButtonByButton(501, 0)->isActiveSet());

    // Switched off at launch: no tap listens.
    EXPECT_FALSE(MouseButtonListener::shared().isListening());
    EXPECT_EQ(t.menu().disableEnableButtonsListener()->title(), "Enable Buttons");
    EXPECT_EQ(b().nativeButtonsOutlt.state(), ui::kStateOn);
    EXPECT_TRUE(b().mouseButtonsScrollView.isHidden());
}

}  // namespace
}  // namespace wexo::testing

#include <gtest/gtest.h>

#include <vector>

#include "PortTestDesktop.h"
#include "platform/Event.h"
#include "ui/ActionSelectionViewController.h"
#include "ui/MenuItem.h"

namespace wexo::ui::testing {
namespace {

using platform::Event;
using platform::EventType;

struct Picks : ActionSelectionDelegate {
    void actionWasSelected(const CustomAction& action) override { actions.push_back(action); }
    void refreshTableView() override { ++refreshes; }
    std::vector<CustomAction> actions;
    int refreshes = 0;
};

class ActionSelectionViewControllerTest : public ::testing::Test {
  protected:
    ActionSelectionViewControllerTest() {
        picker.setDelegate(&picks);
        picker.loadViewIfNeeded();
    }

    void click(Button& button, int state = kStateOn) {
        button.setState(state);
        button.sendAction();
    }
    // A key event reaching the program's windows; what the monitors leave of it.
    std::optional<Event> press(std::uint16_t key, std::uint64_t flags) {
        Event e = Event::keyboard(key, true);
        e.setFlags(flags);
        return t.desktop.simKeyMonitors().dispatch(e);
    }
    std::optional<Event> hold(std::uint64_t flags) {
        Event e;
        e.setType(EventType::FlagsChanged);
        e.setFlags(flags);
        return t.desktop.simKeyMonitors().dispatch(e);
    }
    std::string rowText(std::size_t row) {
        return picker.actionsTableView.viewAt(row)->textField().stringValue();
    }

    PortTestDesktop t;
    Picks picks;
    ActionSelectionViewController picker;
};

TEST_F(ActionSelectionViewControllerTest, EachCatalogueHasItsListAndGivesItsActions) {
    EXPECT_TRUE(picker.actionsScrollView.isHidden());
    EXPECT_TRUE(picker.recordingBox.isHidden());

    // System shortcuts: 16 rows of their texts, 338 points.
    click(picker.preDefinedBtnOutlt);
    EXPECT_FALSE(picker.actionsScrollView.isHidden());
    EXPECT_EQ(picker.currentActionsTableViewState(), 0);
    EXPECT_EQ(picker.actionsScrollView.frame().size.height, 338);
    ASSERT_EQ(picker.actionsTableView.numberOfRows(), 16u);
    EXPECT_EQ(rowText(13), "Paste (⌘ V)");
    picker.actionsTableView.selectRow(13);
    ASSERT_EQ(picks.actions.size(), 1u);
    EXPECT_EQ(picks.actions[0].typeOfAction, 2);
    ASSERT_TRUE(picks.actions[0].shortcut);
    EXPECT_EQ(picks.actions[0].shortcut->key, 9);
    EXPECT_TRUE(picks.actions[0].shortcut->command);
    EXPECT_EQ(picks.refreshes, 1);
    EXPECT_EQ(picker.actionsTableView.viewAt(13)->textField().textColor(), Color::dirtyWhite());
    EXPECT_EQ(picker.actionsTableView.viewAt(12)->textField().textColor(), Color::disabledGray());

    // Media keys: the other kind buttons go off; row 0 is the catalogue's action.
    click(picker.mediaBtnOutlt);
    EXPECT_EQ(picker.preDefinedBtnOutlt.state(), kStateOff);
    EXPECT_EQ(picker.mediaBtnOutlt.state(), kStateOn);
    EXPECT_EQ(picker.currentActionsTableViewState(), 1);
    EXPECT_EQ(picker.actionsTableView.selectedRow(), -1);
    ASSERT_EQ(picker.actionsTableView.numberOfRows(), 11u);
    EXPECT_EQ(rowText(0), "Volume Up");
    picker.actionsTableView.selectRow(0);
    EXPECT_EQ(picks.actions.back(),
              CustomAction("Volume Up", std::nullopt, std::nullopt, 0, std::nullopt, 1));

    // Simulated mouse actions: 9 rows in a list of 280 points.
    click(picker.simulateMouseBtnOutlt);
    EXPECT_EQ(picker.actionsScrollView.frame().size.height, 280);
    ASSERT_EQ(picker.actionsTableView.numberOfRows(), 9u);
    EXPECT_EQ(rowText(8), "Keep Left Pressed");
    EXPECT_EQ(picker.mediaBtnOutlt.state(), kStateOff);

    picker.resetView();
    for (Button* b :
         {&picker.preDefinedBtnOutlt, &picker.mediaBtnOutlt, &picker.simulateMouseBtnOutlt,
          &picker.recordKeysBtnOutlt, &picker.openAppBtnOutlt})
        EXPECT_EQ(b->state(), kStateOff);
    EXPECT_TRUE(picker.actionsScrollView.isHidden());
}

TEST_F(ActionSelectionViewControllerTest, RecordsAKeyWithTheModifiersOfItsBoxes) {
    click(picker.mediaBtnOutlt);
    click(picker.recordKeysBtnOutlt);
    EXPECT_TRUE(picker.actionsScrollView.isHidden());
    EXPECT_FALSE(picker.recordingBox.isHidden());
    EXPECT_EQ(picker.mediaBtnOutlt.state(), kStateOff);
    EXPECT_TRUE(picker.oneKeyRecTextField.isEditing());
    EXPECT_TRUE(picker.keyRecorder().recordingIsActive());
    EXPECT_EQ(picker.grayModifierKeysLbl.stringValue(), "⌃⌥⇧⌘");
    for (const TextRun& run : picker.grayModifierKeys()) {
        EXPECT_EQ(run.color, Color::grey(2.0 / 3.0));
        EXPECT_EQ(run.fontSize, 30);
    }

    // Holding Command lights its glyph; nothing is picked, nothing typed.
    EXPECT_FALSE(hold(platform::EventFlags::Command));
    EXPECT_EQ(picker.grayModifierKeys()[3].color, Color::dirtyWhite());
    EXPECT_EQ(picker.grayModifierKeys()[0].color, Color::grey(2.0 / 3.0));
    EXPECT_TRUE(picks.actions.empty());

    // ⌘V: the key alone is recorded; the held Command is not part of it.
    EXPECT_FALSE(press(9, platform::EventFlags::Command));
    ASSERT_EQ(picks.actions.size(), 1u);
    EXPECT_EQ(picks.actions[0].typeOfAction, 2);
    EXPECT_EQ(picks.actions[0].shortcut, KxShortcut(9, "V", false, false, false, false, false));
    EXPECT_EQ(picker.oneKeyRecTextField.stringValue(), "V");
    EXPECT_EQ(picker.grayModifierKeysLbl.stringValue(), "⌃⌥⇧⌘ V");
    EXPECT_EQ(picker.grayModifierKeys().back().color, Color::smurfBlue());

    // The boxes give the modifiers; a later key keeps them.
    click(picker.shiftOutlt);
    EXPECT_EQ(picks.actions.back().shortcut, KxShortcut(9, "V", false, false, true, false, false));
    press(4, 0);
    EXPECT_EQ(picks.actions.back().shortcut, KxShortcut(4, "H", false, false, true, false, false));

    // A named key from the pop-up (item 0, "Home" 115) keeps them too.
    click(picker.openRecorderMenuOutlt);
    EXPECT_TRUE(picker.recorderPopUpOutlt.menu().isTracking());
    ASSERT_EQ(picker.recorderPopUpOutlt.menu().numberOfItems(), 31u);
    EXPECT_EQ(picker.recorderPopUpOutlt.menu().itemAtIndex(0)->view()->frame().size.width, 100);
    ASSERT_TRUE(picker.recorderPopUpOutlt.chooseItemAtIndex(0));
    EXPECT_EQ(picks.actions.back().shortcut,
              KxShortcut(115, "Home", false, false, true, false, false));
    EXPECT_EQ(picker.oneKeyRecTextField.stringValue(), "Home");

    // Editing ends: the box goes, the recorder stops, keys reach the windows again.
    const std::size_t picked = picks.actions.size();
    EXPECT_TRUE(picker.oneKeyRecTextField.endEditing());
    EXPECT_TRUE(picker.recordingBox.isHidden());
    EXPECT_FALSE(picker.oneKeyRecTextField.isEnabled());
    EXPECT_EQ(picker.recordKeysBtnOutlt.state(), kStateOff);
    EXPECT_FALSE(picker.keyRecorder().recordingIsActive());
    EXPECT_TRUE(press(9, 0));
    EXPECT_EQ(picks.actions.size(), picked);
}

TEST_F(ActionSelectionViewControllerTest, AModifierBoxAloneSendsNothing) {
    click(picker.recordKeysBtnOutlt);
    click(picker.cmndOutlt);
    EXPECT_TRUE(picks.actions.empty());
    EXPECT_EQ(picks.refreshes, 1);
    press(9, 0);
    EXPECT_EQ(picks.actions.back().shortcut, KxShortcut(9, "V", true, false, false, false, false));
}

TEST_F(ActionSelectionViewControllerTest, OpensAnApplicationChosenInThePanel) {
    click(picker.recordKeysBtnOutlt);
    click(picker.openAppBtnOutlt);
    EXPECT_TRUE(picker.recordingBox.isHidden());
    EXPECT_FALSE(picker.keyRecorder().recordingIsActive());
    EXPECT_EQ(picker.recordKeysBtnOutlt.state(), kStateOff);
    ASSERT_TRUE(t.userInterface.currentOpenPanel());
    EXPECT_EQ(t.userInterface.currentOpenPanel()->directory, "/Applications");
    EXPECT_FALSE(t.userInterface.currentOpenPanel()->allowsMultipleSelection);
    ASSERT_TRUE(t.userInterface.answerOpenPanel("/Applications/Mail.app"));
    ASSERT_EQ(picks.actions.size(), 1u);
    EXPECT_EQ(picks.actions[0], CustomAction("Mail", std::nullopt, std::nullopt, std::nullopt,
                                             "/Applications/Mail.app", 3));
    EXPECT_EQ(picker.openAppBtnOutlt.state(), kStateOff);

    // Cancelled: nothing picked, the button off all the same.
    click(picker.openAppBtnOutlt);
    ASSERT_TRUE(t.userInterface.answerOpenPanel(std::nullopt));
    EXPECT_EQ(picks.actions.size(), 1u);
    EXPECT_EQ(picker.openAppBtnOutlt.state(), kStateOff);
}

}  // namespace
}  // namespace wexo::ui::testing

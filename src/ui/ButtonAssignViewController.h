#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "actions/CustomAction.h"
#include "actions/MouseButton.h"
#include "events/ScreenRegistry.h"
#include "settings/SettingsKeeper.h"
#include "ui/ActionSelectionViewController.h"
#include "ui/Button.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace wexo {

// The Buttons tab: the switch between the system's own button handling and
// the program's (which runs the mouse tap), and the list of assignments of
// mouse buttons and wheel directions under modifier keys, with the action
// picker for the selected one. While the tab is in front, pressing a button
// (or turning the wheel over the list) adds it to the list through the
// mouse tap. The screen owns the in-memory assignment table the taps read:
// it fills it when it loads and keeps it and the stored "buttonAssignDict"
// in step on every change. Main thread only.
class ButtonAssignViewController : public ui::ViewController,
                                   public ButtonsScreenLink,
                                   public ui::TableViewDataSource,
                                   public ActionSelectionDelegate {
  public:
    // The radios' tags (chooseButtonsType:): buttons left to the system, or
    // handled by the program.
    static constexpr std::int64_t kNativeButtonsTag = 60;
    static constexpr std::int64_t kWexoButtonsTag = 61;
    // The key of a captured button that has no assignment yet.
    static constexpr const char* kPendingKey = "temp";

    ButtonAssignViewController();
    ~ButtonAssignViewController() override;

    // ---- ButtonsScreenLink ----
    std::shared_ptr<MouseButton> fetchMouseButtonByButton(std::int64_t button,
                                                          std::int64_t andModifier) const override;
    // Rebuilds the flat list from the table (buttons, then masks, each in
    // text order), reloads the list and selects the given entry (the first
    // row when it is not listed); nullptr selects nothing new.
    void convertDictToArrayAndSelectButton(const std::shared_ptr<MouseButton>& button) override;
    bool isInsideScrollView() const override;

    // ---- The switch (its radios, and the status menu's buttons item) ----
    // 60 leaves buttons to the system; any other tag hands them to the program.
    void chooseButtonsType(std::int64_t tag);

    // ---- ActionSelectionDelegate ----
    void actionWasSelected(const CustomAction& action) override;
    void refreshTableView() override;

    // The modifier boxes changed currentModifiers: the selected assignment
    // moves under the new mask.
    void modifierChanged();
    // Stores the selected button's action under currentModifiers, in memory
    // and in "buttonAssignDict".
    void saveActionForButton();

    // ---- State ----
    SettingsKeeper::MouseButtonsDict& globalMouseButtonsDict() const;
    SettingsKeeper::MouseButtonsArray& globalMouseButtonsArray() const;
    const std::shared_ptr<MouseButton>& selectedMouseButton() const { return selectedMouseButton_; }
    std::ptrdiff_t lastSelectedButtonsRow() const { return lastSelectedButtonsRow_; }
    std::int64_t currentModifiers() const { return currentModifiers_; }
    ActionSelectionViewController* actionSelectionVC() const { return actionSelectionVC_; }
    bool tableCmndSelected() const { return tableCmndSelected_; }
    bool tableShiftSelected() const { return tableShiftSelected_; }
    bool tableOptionSelected() const { return tableOptionSelected_; }
    bool tableCtrlSelected() const { return tableCtrlSelected_; }

    // ---- TableViewDataSource ----
    std::size_t numberOfRowsInTableView(ui::TableView& table) override;
    std::unique_ptr<ui::TableCellView> viewForTableColumn(ui::TableView& table,
                                                          const std::string& column,
                                                          std::size_t row) override;

    // ---- Outlets ----
    ui::Button nativeButtonsOutlt{"nativeButtonsOutlt", ui::ButtonType::Radio};
    ui::Button wexoButtonsOutlt{"wexoButtonsOutlt", ui::ButtonType::Radio};
    ui::TextField buttonsHelpLbl{"buttonsHelpLbl"};
    ui::View buttonsTableHeader{"buttonsTableHeader"};
    // The list: its scroll view is what the wheel is captured over.
    ui::View mouseButtonsScrollView{"mouseButtonsScrollView"};
    ui::TableView mouseButtonsTableView{"mouseButtonsTableView", {"buttonName", "buttonAction"}};
    // The modifier boxes of the selected assignment.
    ui::View modifiersView{"modifiersView"};
    ui::Button tableCmndOutlt{"tableCmndOutlt", ui::ButtonType::CheckBox};
    ui::Button tableShiftOutlt{"tableShiftOutlt", ui::ButtonType::CheckBox};
    ui::Button tableOptionOutlt{"tableOptionOutlt", ui::ButtonType::CheckBox};
    ui::Button tableCtrlOutlt{"tableCtrlOutlt", ui::ButtonType::CheckBox};
    // Holds the action picker.
    ui::View actionsContainer{"actionsContainer"};

  protected:
    void viewDidLoad() override;

  private:
    void startMouseTap();
    void stopMouseTap();
    void showButtonsOn(bool on);
    void hidePicker();

    void tableViewSelectionDidChange();
    void selectRowOf(const std::shared_ptr<MouseButton>& button);
    void updateRowColors();
    void selectTableModifier(std::int64_t bit, const ui::Button& box, bool& flag);
    void deleteAction(const ui::Control& sender);

    std::shared_ptr<MouseButton> selectedMouseButton_;
    std::ptrdiff_t lastSelectedButtonsRow_ = -1;
    std::int64_t currentModifiers_ = 0;
    bool actionWasSelected_ = false;
    ActionSelectionViewController* actionSelectionVC_ = nullptr;  // a child of this screen
    bool tableCmndSelected_ = false;
    bool tableShiftSelected_ = false;
    bool tableOptionSelected_ = false;
    bool tableCtrlSelected_ = false;
};

}  // namespace wexo

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "actions/CustomAction.h"
#include "actions/KxRecorder.h"
#include "actions/KxShortcut.h"
#include "platform/Subscription.h"
#include "ui/Button.h"
#include "ui/Color.h"
#include "ui/PopUpButton.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace wexo {

// Hears what the action picker builds. Both methods are optional: the
// defaults do nothing.
class ActionSelectionDelegate {
  public:
    virtual ~ActionSelectionDelegate() = default;
    // An action was picked, recorded or changed for the item being edited.
    virtual void actionWasSelected(const CustomAction& /*action*/) {}
    // The delegate's own list should show the item's action again.
    virtual void refreshTableView() {}
};

// The action picker embedded in the Buttons and the Gestures screens: five
// kinds of action, each behind its own button (the system shortcuts, media
// keys and simulated mouse actions as lists, a key recorder with its
// modifier boxes and named keys, an application chosen in an open panel).
// What it builds goes to its delegate, which attaches it to the button or
// gesture being edited. Main thread only.
class ActionSelectionViewController : public ui::ViewController,
                                      public ui::TableViewDataSource,
                                      public KxRecorderDelegate {
  public:
    // The kind buttons' tags; every tag from 51 to 55 is a kind button.
    static constexpr std::int64_t kPreDefinedTag = 51;
    static constexpr std::int64_t kMediaTag = 52;
    static constexpr std::int64_t kSimulateMouseTag = 53;
    static constexpr std::int64_t kRecordKeysTag = 54;
    static constexpr std::int64_t kOpenAppTag = 55;
    static constexpr std::int64_t kFirstKindTag = 51;
    static constexpr std::int64_t kLastKindTag = 55;

    // Which catalogue the list shows (currentActionsTableViewState).
    static constexpr int kPreDefinedState = 0;
    static constexpr int kMediaState = 1;
    static constexpr int kSimulateMouseState = 2;

    // The list's height for each catalogue, in points: tall enough for its rows.
    static constexpr double kShortcutsListHeight = 338;
    static constexpr double kMediaListHeight = 338;
    static constexpr double kSimulateMouseListHeight = 280;

    // The recording box's text: the four modifier glyphs, then the key.
    // The recording box shows one run per modifier (Control, Option, Shift,
    // Command, in the desktop's words), then the key.
    static constexpr std::size_t kModifierRuns = 4;
    static constexpr double kRecordingFontSize = 30;
    static constexpr ui::Color kLightGray = ui::Color::grey(2.0 / 3.0);
    // A modifier glyph while its key is held, and the recorded key.
    static constexpr ui::Color kHeldModifierColor = ui::Color::dirtyWhite();
    static constexpr ui::Color kFinalKeyColor = ui::Color::smurfBlue();
    // The named keys' menu items.
    static constexpr double kKeyItemWidth = 100;
    static constexpr double kKeyItemHeight = 30;

    ActionSelectionViewController();
    ~ActionSelectionViewController() override;

    // The delegate (not owned), set by the screen that embeds the picker.
    ActionSelectionDelegate* delegate() const { return delegate_; }
    void setDelegate(ActionSelectionDelegate* delegate) { delegate_ = delegate; }

    // Back at rest, for a new item: every kind button off, the list (its
    // choice cleared) and the recording box hidden, the recorder stopped.
    void resetView();
    // Rebuilds the list's rows; the list's choice stays.
    void reloadActionsList() { actionsTableView.reloadData(); }

    // Turns off every kind button but `sender`, reloads the list and fits
    // its height to the catalogue shown.
    void stateButtonOffExcept(const ui::Control& sender);
    // Colours `length` glyphs of the recording box's text from `location`
    // (glyph positions, the modifiers first).
    void colorRange(std::size_t location, std::size_t length, ui::Color withColor);
    // Shows the recorded key after the modifier glyphs, as " <key>".
    void addFinalKey(const std::string& key);

    // ---- KxRecorderDelegate ----
    void keyStrokeDetected(const KxShortcut& shortcut) override;

    // ---- State ----
    int currentActionsTableViewState() const { return currentActionsTableViewState_; }
    std::ptrdiff_t lastSelectedActionsRow() const { return lastSelectedActionsRow_; }
    const std::optional<CustomAction>& currentAction() const { return currentAction_; }
    const KxRecorder& keyRecorder() const { return *keyRecorder_; }
    const std::vector<ui::TextRun>& grayModifierKeys() const { return grayModifierKeys_; }
    const std::vector<KxShortcut>& preDefinedShortcutsArray() const {
        return preDefinedShortcutsArray_;
    }
    const std::vector<CustomAction>& mediaActionsArray() const { return mediaActionsArray_; }
    const std::vector<CustomAction>& simulateMouseActionsArray() const {
        return simulateMouseActionsArray_;
    }
    const std::vector<KxShortcut>& preDefinedKeyboardKeysArray() const {
        return preDefinedKeyboardKeysArray_;
    }

    // ---- TableViewDataSource ----
    std::size_t numberOfRowsInTableView(ui::TableView& table) override;
    std::unique_ptr<ui::TableCellView> viewForTableColumn(ui::TableView& table,
                                                          const std::string& column,
                                                          std::size_t row) override;

    // ---- Outlets ----
    // The kind buttons, tags 51 to 55.
    ui::Button preDefinedBtnOutlt{"preDefinedBtnOutlt", ui::ButtonType::Toggle};
    ui::Button mediaBtnOutlt{"mediaBtnOutlt", ui::ButtonType::Toggle};
    ui::Button simulateMouseBtnOutlt{"simulateMouseBtnOutlt", ui::ButtonType::Toggle};
    ui::Button recordKeysBtnOutlt{"recordKeysBtnOutlt", ui::ButtonType::Toggle};
    ui::Button openAppBtnOutlt{"openAppBtnOutlt", ui::ButtonType::Toggle};
    // The catalogue list.
    ui::View actionsScrollView{"actionsScrollView"};
    ui::TableView actionsTableView{"actionsTableView", {"actionName"}};
    // The recording box: the modifier glyphs with the key, the one-key field
    // (KxOneKeyRecTextField), the modifier boxes and the named keys.
    ui::View recordingBox{"recordingBox"};
    ui::TextField grayModifierKeysLbl{"grayModifierKeysLbl"};
    ui::TextField oneKeyRecTextField{"oneKeyRecTextField"};
    ui::Button cmndOutlt{"cmndOutlt", ui::ButtonType::CheckBox};
    ui::Button shiftOutlt{"shiftOutlt", ui::ButtonType::CheckBox};
    ui::Button optionOutlt{"optionOutlt", ui::ButtonType::CheckBox};
    ui::Button ctrlOutlt{"ctrlOutlt", ui::ButtonType::CheckBox};
    ui::Button openRecorderMenuOutlt{"openRecorderMenuOutlt", ui::ButtonType::Push};
    ui::PopUpButton recorderPopUpOutlt{"recorderPopUpOutlt"};

  protected:
    void viewDidLoad() override;
    void viewWillDisappear() override;

  private:
    std::vector<ui::Button*> kindButtons();
    void showCatalogue(ui::Button& sender, int state);
    void startRecordingKeys(ui::Button& sender);
    void openAppSelection(ui::Button& sender);
    void actionsSelectionDidChange();
    void selectModifier(bool KxShortcut::*flag, const ui::Button& box);
    void keyStrokeSelected(const ui::Control& sender);
    // The one-key field's editing ended, or the picker goes away.
    void endRecording();
    void stopRecorder();
    void buildKeysMenu();

    // Shows the glyphs of the modifier keys held now.
    void showHeldModifiers(std::uint64_t flags);
    void showGrayModifierKeys();
    void sendToDelegate();
    void refreshDelegate();

    ActionSelectionDelegate* delegate_ = nullptr;
    std::vector<KxShortcut> preDefinedShortcutsArray_;
    std::vector<CustomAction> mediaActionsArray_;
    std::vector<CustomAction> simulateMouseActionsArray_;
    std::vector<KxShortcut> preDefinedKeyboardKeysArray_;
    int currentActionsTableViewState_ = kPreDefinedState;
    std::ptrdiff_t lastSelectedActionsRow_ = -1;
    std::optional<CustomAction> currentAction_;
    std::unique_ptr<KxRecorder> keyRecorder_;
    std::vector<ui::TextRun> grayModifierKeys_;
    // Watches the modifier keys held while the recorder runs; it sees the
    // key events before the recorder swallows them.
    platform::Subscription heldModifiersMonitor_;
    // The open panel's completion does nothing once the picker is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace wexo

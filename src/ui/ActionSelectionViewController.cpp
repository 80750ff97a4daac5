#include "ui/ActionSelectionViewController.h"

#include "actions/DesktopConventions.h"
#include "actions/KxShortcutsKeeper.h"
#include "actions/MediaControl.h"
#include "actions/SimulateMouse.h"
#include "platform/Event.h"
#include "platform/KeyMonitors.h"
#include "platform/Platform.h"
#include "ui/KxViewForMenuItem.h"
#include "ui/MenuItem.h"
#include "ui/OpenPanel.h"

namespace wexo {

namespace {
ui::TextRun recordingRun(std::string text, ui::Color color) {
    ui::TextRun run;
    run.text = std::move(text);
    run.color = color;
    run.fontSize = ActionSelectionViewController::kRecordingFontSize;
    return run;
}

// The list's top edge stays where it is when its height changes.
constexpr double kListTop = 410;
constexpr double kWidth = 360;

CustomAction keyboardShortcutAction(std::optional<KxShortcut> shortcut) {
    return CustomAction(std::nullopt, std::move(shortcut), std::nullopt, std::nullopt, std::nullopt,
                        static_cast<std::int64_t>(CustomAction::Kind::KeyboardShortcut));
}
}  // namespace

ActionSelectionViewController::ActionSelectionViewController() : ui::ViewController("Actions") {
    view().setFrame(platform::Rect(0, 0, 380, 460));
    const std::int64_t tags[] = {kPreDefinedTag, kMediaTag, kSimulateMouseTag, kRecordKeysTag,
                                 kOpenAppTag};
    const char* actions[] = {"preDefinedBtn:", "mediaBtn:", "simulateMouseBtn:",
                             "startRecordingKeys:", "openAppSelection:"};
    std::size_t i = 0;
    for (ui::Button* b : kindButtons()) {
        view().addSubview(*b);
        b->setTag(tags[i]);
        b->setTarget(this, actions[i]);
        b->setFrame(platform::Rect(10 + 72.0 * static_cast<double>(i), 420, 64, 30));
        ++i;
    }
    view().addSubview(actionsScrollView);
    actionsScrollView.addSubview(actionsTableView);
    actionsScrollView.setFrame(
        platform::Rect(10, kListTop - kShortcutsListHeight, kWidth, kShortcutsListHeight));
    actionsTableView.setDataSource(this);
    actionsTableView.setTarget(this, "tableViewSelectionDidChange:");

    view().addSubview(recordingBox);
    recordingBox.setFrame(platform::Rect(10, 250, kWidth, 160));
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &grayModifierKeysLbl, &oneKeyRecTextField, &cmndOutlt, &shiftOutlt, &optionOutlt,
             &ctrlOutlt, &openRecorderMenuOutlt, &recorderPopUpOutlt})
        recordingBox.addSubview(*c);
    grayModifierKeysLbl.setFontSize(kRecordingFontSize);
    oneKeyRecTextField.setEditable(true);
    oneKeyRecTextField.setTarget(this, "controlTextDidEndEditing:");
    cmndOutlt.setTarget(this, "selectCmnd:");
    shiftOutlt.setTarget(this, "selectShift:");
    optionOutlt.setTarget(this, "selectOption:");
    ctrlOutlt.setTarget(this, "selectCtrl:");
    openRecorderMenuOutlt.setTarget(this, "openRecorderMenu:");
    // The items act through the button, which knows the chosen index.
    recorderPopUpOutlt.setTarget(this, "keyStrokeSelected:");

    auto catalogue = [this](ui::Button& button, int state) {
        return [this, &button, state](ui::Control&) { showCatalogue(button, state); };
    };
    addAction("preDefinedBtn:", catalogue(preDefinedBtnOutlt, kPreDefinedState));
    addAction("mediaBtn:", catalogue(mediaBtnOutlt, kMediaState));
    addAction("simulateMouseBtn:", catalogue(simulateMouseBtnOutlt, kSimulateMouseState));
    addAction("startRecordingKeys:",
              [this](ui::Control&) { startRecordingKeys(recordKeysBtnOutlt); });
    addAction("openAppSelection:", [this](ui::Control&) { openAppSelection(openAppBtnOutlt); });
    addAction("tableViewSelectionDidChange:",
              [this](ui::Control&) { actionsSelectionDidChange(); });
    addAction("selectCmnd:",
              [this](ui::Control&) { selectModifier(&KxShortcut::command, cmndOutlt); });
    addAction("selectShift:",
              [this](ui::Control&) { selectModifier(&KxShortcut::shift, shiftOutlt); });
    addAction("selectOption:",
              [this](ui::Control&) { selectModifier(&KxShortcut::option, optionOutlt); });
    addAction("selectCtrl:",
              [this](ui::Control&) { selectModifier(&KxShortcut::control, ctrlOutlt); });
    addAction("openRecorderMenu:", [this](ui::Control&) { recorderPopUpOutlt.performClick(); });
    addAction("keyStrokeSelected:", [this](ui::Control& sender) { keyStrokeSelected(sender); });
    addAction("controlTextDidEndEditing:", [this](ui::Control&) { endRecording(); });
}

ActionSelectionViewController::~ActionSelectionViewController() {
    stopRecorder();
}

std::vector<ui::Button*> ActionSelectionViewController::kindButtons() {
    return {&preDefinedBtnOutlt, &mediaBtnOutlt, &simulateMouseBtnOutlt, &recordKeysBtnOutlt,
            &openAppBtnOutlt};
}

// ---- Loading ----

void ActionSelectionViewController::viewDidLoad() {
    preDefinedShortcutsArray_ = KxShortcutsKeeper::getPreDefinedShortcuts();
    mediaActionsArray_ = MediaControl::getMediaActions();
    simulateMouseActionsArray_ = SimulateMouse::getSimulateMouseActions();
    preDefinedKeyboardKeysArray_ = KxShortcutsKeeper::getPreDefinedKeyboardKeys();
    buildKeysMenu();
    keyRecorder_ = std::make_unique<KxRecorder>(this);
    recordingBox.setHidden(true);
    actionsScrollView.setHidden(true);
    currentActionsTableViewState_ = kPreDefinedState;
}

void ActionSelectionViewController::buildKeysMenu() {
    ui::Menu& menu = recorderPopUpOutlt.menu();
    menu.removeAllItems();
    for (const KxShortcut& key : preDefinedKeyboardKeysArray_) {
        const std::string name = key.keyString.value_or("");
        auto item = std::make_shared<ui::MenuItem>(name);
        auto itemView =
            std::make_unique<ui::KxViewForMenuItem>(platform::Size{kKeyItemWidth, kKeyItemHeight});
        itemView->createTitle(name);
        item->setView(std::move(itemView));
        menu.addItem(item);
    }
    menu.setDark(true);
}

void ActionSelectionViewController::viewWillDisappear() {
    endRecording();
}

// ---- The kind buttons ----

void ActionSelectionViewController::stateButtonOffExcept(const ui::Control& sender) {
    for (ui::Button* b : kindButtons())
        if (b != &sender && b->tag() >= kFirstKindTag && b->tag() <= kLastKindTag)
            b->setState(ui::kStateOff);
    actionsTableView.reloadData();
    const double height = currentActionsTableViewState_ == kSimulateMouseState
                              ? kSimulateMouseListHeight
                          : currentActionsTableViewState_ == kMediaState ? kMediaListHeight
                                                                         : kShortcutsListHeight;
    actionsScrollView.setFrame(platform::Rect(10, kListTop - height, kWidth, height));
}

void ActionSelectionViewController::showCatalogue(ui::Button& sender, int state) {
    sender.setState(ui::kStateOn);
    // A row of another catalogue is no choice in this one.
    if (currentActionsTableViewState_ != state) actionsTableView.deselectAll();
    currentActionsTableViewState_ = state;
    recordingBox.setHidden(true);
    oneKeyRecTextField.abortEditing();
    stopRecorder();
    actionsScrollView.setHidden(false);
    stateButtonOffExcept(sender);
}

void ActionSelectionViewController::resetView() {
    for (ui::Button* b : kindButtons()) b->setState(ui::kStateOff);
    actionsTableView.deselectAll();
    actionsScrollView.setHidden(true);
    recordingBox.setHidden(true);
    oneKeyRecTextField.abortEditing();
    stopRecorder();
    // What was being built belonged to the item edited before.
    currentAction_.reset();
}

// ---- The catalogue list ----

std::size_t ActionSelectionViewController::numberOfRowsInTableView(ui::TableView&) {
    switch (currentActionsTableViewState_) {
        case kMediaState:
            return mediaActionsArray_.size();
        case kSimulateMouseState:
            return simulateMouseActionsArray_.size();
        default:
            return preDefinedShortcutsArray_.size();
    }
}

std::unique_ptr<ui::TableCellView> ActionSelectionViewController::viewForTableColumn(
    ui::TableView& table, const std::string&, std::size_t row) {
    std::string text;
    if (currentActionsTableViewState_ == kPreDefinedState) {
        if (row >= preDefinedShortcutsArray_.size()) return nullptr;
        text = preDefinedShortcutsArray_[row].displayText();
    } else {
        const auto& actions = currentActionsTableViewState_ == kMediaState
                                  ? mediaActionsArray_
                                  : simulateMouseActionsArray_;
        if (row >= actions.size()) return nullptr;
        text = actions[row].prettyName.value_or("");
    }
    auto cell = std::make_unique<ui::TableCellView>("actionName");
    cell->textField().setStringValue(text);
    cell->textField().setTextColor(static_cast<std::ptrdiff_t>(row) == table.selectedRow()
                                       ? ui::Color::dirtyWhite()
                                       : ui::Color::disabledGray());
    return cell;
}

void ActionSelectionViewController::actionsSelectionDidChange() {
    const std::ptrdiff_t row = actionsTableView.selectedRow();
    for (std::size_t r = 0; r < actionsTableView.numberOfRows(); ++r)
        if (auto* cell = actionsTableView.viewAt(r))
            cell->textField().setTextColor(static_cast<std::ptrdiff_t>(r) == row
                                               ? ui::Color::dirtyWhite()
                                               : ui::Color::disabledGray());
    lastSelectedActionsRow_ = row;
    if (row < 0) return;
    const auto index = static_cast<std::size_t>(row);
    std::optional<CustomAction> picked;
    if (currentActionsTableViewState_ == kPreDefinedState) {
        if (index < preDefinedShortcutsArray_.size())
            picked = keyboardShortcutAction(preDefinedShortcutsArray_[index]);
    } else if (currentActionsTableViewState_ == kMediaState) {
        if (index < mediaActionsArray_.size()) picked = mediaActionsArray_[index];
    } else if (index < simulateMouseActionsArray_.size()) {
        picked = simulateMouseActionsArray_[index];
    }
    if (!picked) return;
    if (delegate_) delegate_->actionWasSelected(*picked);
    refreshDelegate();
}

// ---- Recording ----

void ActionSelectionViewController::startRecordingKeys(ui::Button& sender) {
    for (ui::Button* box : {&cmndOutlt, &shiftOutlt, &optionOutlt, &ctrlOutlt})
        box->setState(ui::kStateOff);
    oneKeyRecTextField.setStringValue("");
    oneKeyRecTextField.setEnabled(true);
    actionsScrollView.setHidden(true);
    sender.setState(ui::kStateOn);
    for (ui::Button* b : kindButtons())
        if (b != &sender) b->setState(ui::kStateOff);
    recordingBox.setHidden(false);
    showGrayModifierKeys();

    // The held keys are shown as they change; this monitor comes before
    // the recorder's, which swallows every key event.
    heldModifiersMonitor_ = installedPlatform().keyMonitors().addLocalMonitor(
        KxRecorder::kRecordingMask,
        [this](const platform::Event& event) -> std::optional<platform::Event> {
            showHeldModifiers(event.flags());
            return event;
        });
    keyRecorder_->startRecording();
    currentAction_ = keyboardShortcutAction(std::nullopt);
    oneKeyRecTextField.beginEditing();
}

void ActionSelectionViewController::keyStrokeDetected(const KxShortcut& shortcut) {
    if (!currentAction_) currentAction_ = keyboardShortcutAction(std::nullopt);
    if (currentAction_->shortcut)
        KxShortcutsKeeper::mergeShortcut(*currentAction_->shortcut, shortcut);
    else
        currentAction_->shortcut = shortcut;
    const std::string name = DesktopConventions::current().keyName(shortcut.key.value_or(-1),
                                                                   shortcut.keyString.value_or(""));
    oneKeyRecTextField.setStringValue(name);
    addFinalKey(name);
    sendToDelegate();
}

void ActionSelectionViewController::selectModifier(bool KxShortcut::*flag, const ui::Button& box) {
    if (!currentAction_) currentAction_ = keyboardShortcutAction(std::nullopt);
    if (!currentAction_->shortcut) currentAction_->shortcut = KxShortcut();
    (*currentAction_->shortcut).*flag = box.isOn();
    // Modifiers alone are no shortcut yet.
    if (currentAction_->shortcut->key) sendToDelegate();
    refreshDelegate();
}

void ActionSelectionViewController::keyStrokeSelected(const ui::Control& sender) {
    std::ptrdiff_t index = recorderPopUpOutlt.indexOfSelectedItem();
    if (const auto* item = dynamic_cast<const ui::MenuItem*>(&sender); item && item->menu())
        index = item->menu()->indexOfItem(*item);
    if (index < 0 || static_cast<std::size_t>(index) >= preDefinedKeyboardKeysArray_.size()) return;
    const KxShortcut& named = preDefinedKeyboardKeysArray_[static_cast<std::size_t>(index)];
    if (currentAction_ && currentAction_->shortcut)
        KxShortcutsKeeper::mergeShortcut(*currentAction_->shortcut, named);
    else
        currentAction_ = keyboardShortcutAction(named);
    const std::string name =
        DesktopConventions::current().keyName(named.key.value_or(-1), named.keyString.value_or(""));
    oneKeyRecTextField.setStringValue(name);
    addFinalKey(name);
    sendToDelegate();
}

void ActionSelectionViewController::endRecording() {
    recordingBox.setHidden(true);
    oneKeyRecTextField.abortEditing();
    oneKeyRecTextField.setEnabled(false);
    stopRecorder();
    for (ui::Button* b : kindButtons()) b->setState(ui::kStateOff);
}

void ActionSelectionViewController::stopRecorder() {
    if (keyRecorder_) keyRecorder_->stopRecording();
    heldModifiersMonitor_.reset();
}

// ---- The recording box's text ----

void ActionSelectionViewController::showGrayModifierKeys() {
    grayModifierKeys_.clear();
    for (const std::string& name : DesktopConventions::current().recorderModifiers())
        grayModifierKeys_.push_back(recordingRun(name, kLightGray));
    grayModifierKeysLbl.setAttributedStringValue(grayModifierKeys_);
}

void ActionSelectionViewController::showHeldModifiers(std::uint64_t flags) {
    if (grayModifierKeys_.size() < kModifierRuns) showGrayModifierKeys();
    colorRange(0, kModifierRuns, kLightGray);
    // The glyphs in their order: Control, Option, Shift, Command.
    const std::uint64_t bits[] = {platform::EventFlags::Control, platform::EventFlags::Alternate,
                                  platform::EventFlags::Shift, platform::EventFlags::Command};
    for (std::size_t i = 0; i < std::size(bits); ++i)
        if (flags & bits[i]) colorRange(i, 1, kHeldModifierColor);
}

void ActionSelectionViewController::colorRange(std::size_t location, std::size_t length,
                                               ui::Color withColor) {
    for (std::size_t i = location; i < location + length && i < grayModifierKeys_.size(); ++i)
        grayModifierKeys_[i].color = withColor;
    grayModifierKeysLbl.setAttributedStringValue(grayModifierKeys_);
}

void ActionSelectionViewController::addFinalKey(const std::string& key) {
    if (grayModifierKeys_.size() < kModifierRuns) showGrayModifierKeys();
    grayModifierKeys_.resize(kModifierRuns);
    grayModifierKeys_.push_back(recordingRun(" " + key, kFinalKeyColor));
    grayModifierKeysLbl.setAttributedStringValue(grayModifierKeys_);
}

// ---- Opening an application ----

void ActionSelectionViewController::openAppSelection(ui::Button& sender) {
    actionsScrollView.setHidden(true);
    recordingBox.setHidden(true);
    oneKeyRecTextField.abortEditing();
    for (ui::Button* b : kindButtons())
        if (b != &sender) b->setState(ui::kStateOff);
    stopRecorder();
    const ui::OpenPanel panel = ui::OpenPanel::forApplication();
    std::weak_ptr<bool> alive = alive_;
    panel.beginSheetModalForWindow(window(), [this, alive](std::optional<std::string> path) {
        if (!alive.lock()) return;
        if (path) {
            const CustomAction open(installedPlatform().workspace().displayNameAtPath(*path),
                                    std::nullopt, std::nullopt, std::nullopt, *path,
                                    static_cast<std::int64_t>(CustomAction::Kind::OpenApplication));
            if (delegate_) delegate_->actionWasSelected(open);
            refreshDelegate();
        }
        openAppBtnOutlt.setState(ui::kStateOff);
    });
}

// ---- The delegate ----

void ActionSelectionViewController::sendToDelegate() {
    if (delegate_ && currentAction_) delegate_->actionWasSelected(*currentAction_);
}

void ActionSelectionViewController::refreshDelegate() {
    if (delegate_) delegate_->refreshTableView();
}

}  // namespace wexo

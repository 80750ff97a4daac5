#include "ui/ButtonAssignViewController.h"

#include <algorithm>
#include <vector>

#include "actions/DesktopConventions.h"
#include "actions/KxShortcutsKeeper.h"
#include "events/MouseButtonListener.h"
#include "platform/ObjcFormat.h"
#include "platform/Platform.h"
#include "platform/Shared.h"
#include "settings/ButtonAssignments.h"
#include "settings/DictConvertor.h"
#include "settings/KxDefaults.h"
#include "ui/ButtonsTableCellView.h"
#include "ui/StatusMenuLink.h"
#include "ui/Window.h"

namespace wexo {

namespace {
// The simulated clicks that give a button back its own click.
constexpr std::int64_t kRightClickAction = 1;
constexpr std::int64_t kMiddleClickAction = 2;

std::string keyOf(std::int64_t number) {
    return std::to_string(number);
}

// The stored entry of a button, as a dictionary (anything else counts as
// no entry, and is replaced when the button is saved).
plist::Dictionary storedEntry(const plist::Dictionary& stored, const std::string& buttonKey) {
    auto it = stored.find(buttonKey);
    if (it == stored.end()) return {};
    const auto* entry = it->second.asDictionary();
    return entry ? *entry : plist::Dictionary{};
}

void writeStored(plist::Dictionary stored) {
    KxDefaults::setButtonAssignDict(std::move(stored));
    KxDefaults::sync();
}
}  // namespace

ButtonAssignViewController::ButtonAssignViewController() : ui::ViewController("Buttons") {
    view().setFrame(platform::Rect(0, 0, 760, 460));
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &nativeButtonsOutlt, &wexoButtonsOutlt, &buttonsHelpLbl, &buttonsTableHeader,
             &mouseButtonsScrollView, &modifiersView, &actionsContainer})
        view().addSubview(*c);
    mouseButtonsScrollView.addSubview(mouseButtonsTableView);
    for (ui::Button* box : {&tableCmndOutlt, &tableShiftOutlt, &tableOptionOutlt, &tableCtrlOutlt})
        modifiersView.addSubview(*box);
    // The layout, in the view's coordinates (origin bottom left): the
    // switch above the list, the modifier boxes under it, the picker on the
    // right.
    nativeButtonsOutlt.setFrame(platform::Rect(20, 420, 160, 24));
    wexoButtonsOutlt.setFrame(platform::Rect(190, 420, 160, 24));
    buttonsTableHeader.setFrame(platform::Rect(20, 400, 340, 20));
    mouseButtonsScrollView.setFrame(platform::Rect(20, 60, 340, 340));
    mouseButtonsTableView.setFrame(platform::Rect(0, 0, 340, 340));
    buttonsHelpLbl.setFrame(platform::Rect(380, 200, 360, 60));
    modifiersView.setFrame(platform::Rect(20, 10, 340, 40));
    actionsContainer.setFrame(platform::Rect(370, 0, 380, 460));

    nativeButtonsOutlt.setTag(kNativeButtonsTag);
    wexoButtonsOutlt.setTag(kWexoButtonsTag);
    nativeButtonsOutlt.setTarget(this, "chooseButtonsType:");
    wexoButtonsOutlt.setTarget(this, "chooseButtonsType:");
    addAction("chooseButtonsType:",
              [this](ui::Control& sender) { chooseButtonsType(sender.tag()); });

    mouseButtonsTableView.setDataSource(this);
    mouseButtonsTableView.setTarget(this, "tableViewSelectionDidChange:");
    addAction("tableViewSelectionDidChange:",
              [this](ui::Control&) { tableViewSelectionDidChange(); });
    addAction("deleteAction:", [this](ui::Control& sender) { deleteAction(sender); });

    tableCmndOutlt.setTarget(this, "selectTableCmnd:");
    tableShiftOutlt.setTarget(this, "selectTableShift:");
    tableOptionOutlt.setTarget(this, "selectTableOption:");
    tableCtrlOutlt.setTarget(this, "selectTableCtrl:");
    addAction("selectTableCmnd:", [this](ui::Control&) {
        selectTableModifier(MouseButton::kCommandMask, tableCmndOutlt, tableCmndSelected_);
    });
    addAction("selectTableShift:", [this](ui::Control&) {
        selectTableModifier(MouseButton::kShiftMask, tableShiftOutlt, tableShiftSelected_);
    });
    addAction("selectTableOption:", [this](ui::Control&) {
        selectTableModifier(MouseButton::kOptionMask, tableOptionOutlt, tableOptionSelected_);
    });
    addAction("selectTableCtrl:", [this](ui::Control&) {
        selectTableModifier(MouseButton::kControlMask, tableCtrlOutlt, tableCtrlSelected_);
    });
}

ButtonAssignViewController::~ButtonAssignViewController() {
    if (auto* menu = ui::existingStatusMenu()) menu->unregisterScreen(*this);
}

SettingsKeeper::MouseButtonsDict& ButtonAssignViewController::globalMouseButtonsDict() const {
    return SettingsKeeper::shared().getMouseButtonsDict();
}

SettingsKeeper::MouseButtonsArray& ButtonAssignViewController::globalMouseButtonsArray() const {
    return SettingsKeeper::shared().getMouseButtonsArray();
}

// ---- Loading ----

void ButtonAssignViewController::viewDidLoad() {
    // The picker's segue: it reports to this screen.
    auto picker = std::make_unique<ActionSelectionViewController>();
    picker->setDelegate(this);
    actionSelectionVC_ = static_cast<ActionSelectionViewController*>(
        &embedChildViewController(std::move(picker), actionsContainer));

    // Older stores are wrapped under the modifier level first.
    ButtonAssignments::loadIntoSettingsKeeper();
    currentModifiers_ = 0;
    modifiersView.setHidden(true);
    convertDictToArrayAndSelectButton(nullptr);

    if (!KxDefaults::getButtonsNative().value_or(false)) {
        startMouseTap();
        showButtonsOn(true);
    } else {
        showButtonsOn(false);
    }

    if (auto* menu = ui::statusMenu()) menu->registerScreen(*this);
    mouseButtonsTableView.deselectAll();
    lastSelectedButtonsRow_ = -1;
    hidePicker();

    nativeButtonsOutlt.setToolTipKey("buttonsEnableDisable");
    wexoButtonsOutlt.setToolTipKey("buttonsEnableDisable");
    buttonsHelpLbl.setToolTipKey("buttonsScrollView");
    mouseButtonsScrollView.setToolTipKey("buttonsScrollView");
    modifiersView.setToolTipKey("buttonsModifiers");
}

// ---- The switch ----

void ButtonAssignViewController::chooseButtonsType(std::int64_t tag) {
    hidePicker();
    const bool on = tag != kNativeButtonsTag;
    KxDefaults::setButtonsNative(!on);
    KxDefaults::sync();
    if (on) {
        startMouseTap();
    } else {
        stopMouseTap();
        // Nothing stays selected in a list that is put away.
        mouseButtonsTableView.deselectAll();
    }
    showButtonsOn(on);
}

void ButtonAssignViewController::showButtonsOn(bool on) {
    nativeButtonsOutlt.setState(on ? ui::kStateOff : ui::kStateOn);
    wexoButtonsOutlt.setState(on ? ui::kStateOn : ui::kStateOff);
    if (auto* menu = ui::statusMenu()) {
        if (on)
            menu->buttonsListenerEnabled();
        else
            menu->buttonsListenerDisabled();
    }
    mouseButtonsScrollView.setHidden(!on);
    buttonsTableHeader.setHidden(!on);
    buttonsHelpLbl.setHidden(!on);
    if (!on) modifiersView.setHidden(true);
}

// A program assembled without the mouse tap (a lone screen) has nothing
// to switch.
void ButtonAssignViewController::startMouseTap() {
    if (auto* tap = SharedSlot<MouseButtonListener>::get()) tap->startListeningToButtons();
}

void ButtonAssignViewController::stopMouseTap() {
    if (auto* tap = SharedSlot<MouseButtonListener>::get()) tap->stopListeningToButtons();
}

void ButtonAssignViewController::hidePicker() {
    if (actionSelectionVC_) actionSelectionVC_->resetView();
    actionsContainer.setHidden(true);
}

// ---- What the taps ask ----

std::shared_ptr<MouseButton> ButtonAssignViewController::fetchMouseButtonByButton(
    std::int64_t button, std::int64_t andModifier) const {
    const auto& dict = globalMouseButtonsDict();
    auto entry = dict.find(keyOf(button));
    if (entry == dict.end()) return nullptr;
    auto found = entry->second.find(keyOf(andModifier));
    return found == entry->second.end() ? nullptr : found->second;
}

bool ButtonAssignViewController::isInsideScrollView() const {
    if (mouseButtonsScrollView.isHiddenOrHasHiddenAncestor()) return false;
    const ui::Window* w = window();
    if (!w || !w->isVisible()) return false;
    // The window's rectangles count from the main display's bottom left, y
    // up; the pointer from its top left, y down.
    const platform::Rect onScreen = w->convertRectToScreen(mouseButtonsScrollView.frameInWindow());
    auto& platform = installedPlatform();
    const platform::Point p = platform.eventStream().pointerLocation();
    const double mainHeight =
        platform.screens().displayBounds(platform.screens().mainDisplayId()).size.height;
    return onScreen.contains(platform::Point{p.x, mainHeight - p.y});
}

// ---- The list ----

void ButtonAssignViewController::convertDictToArrayAndSelectButton(
    const std::shared_ptr<MouseButton>& button) {
    auto& array = globalMouseButtonsArray();
    array.clear();
    // Both levels are ordered as text: "10" before "2", "500" after "4".
    for (const auto& [buttonKey, byModifier] : globalMouseButtonsDict())
        for (const auto& [modifierKey, entry] : byModifier)
            if (entry) array.push_back(entry);
    mouseButtonsTableView.reloadData();
    if (button) {
        auto it = std::find(array.begin(), array.end(), button);
        const std::ptrdiff_t row = it == array.end() ? 0 : it - array.begin();
        if (mouseButtonsTableView.selectedRow() == row)
            tableViewSelectionDidChange();  // the row holds another entry now
        else
            mouseButtonsTableView.selectRow(row);
        mouseButtonsTableView.scrollRowToVisible(row);
    }
    updateRowColors();
}

void ButtonAssignViewController::refreshTableView() {
    mouseButtonsTableView.reloadData();
    selectRowOf(selectedMouseButton_);
    actionWasSelected_ = false;
    updateRowColors();
}

void ButtonAssignViewController::selectRowOf(const std::shared_ptr<MouseButton>& button) {
    if (!button) return;
    const auto& array = globalMouseButtonsArray();
    auto it = std::find(array.begin(), array.end(), button);
    if (it == array.end()) return;
    const std::ptrdiff_t row = it - array.begin();
    if (mouseButtonsTableView.selectedRow() != row) mouseButtonsTableView.selectRow(row);
}

std::size_t ButtonAssignViewController::numberOfRowsInTableView(ui::TableView&) {
    return globalMouseButtonsArray().size();
}

std::unique_ptr<ui::TableCellView> ButtonAssignViewController::viewForTableColumn(
    ui::TableView&, const std::string& column, std::size_t row) {
    const auto& array = globalMouseButtonsArray();
    if (row >= array.size() || !array[row]) return nullptr;
    const MouseButton& button = *array[row];
    if (column == "buttonName") {
        auto cell = std::make_unique<ui::TableCellView>(column);
        // A duplicate of the plain button has no modifier to show.
        cell->textField().setStringValue(
            DesktopConventions::current().assignmentTitle(button.modifiers, button.prettyName));
        return cell;
    }
    auto cell = std::make_unique<ui::ButtonsTableCellView>(column);
    std::string text = "Default";
    if (button.action) {
        const CustomAction& action = *button.action;
        if (action.kind() == CustomAction::Kind::KeyboardShortcut)
            text = action.shortcut ? action.shortcut->displayText() : std::string();
        else
            text = action.prettyName.value_or("");
        if (action.kind() == CustomAction::Kind::OpenApplication && action.path)
            cell->actionImageView().setImage(ui::Image::iconForFile(*action.path));
    }
    cell->textField().setStringValue(text);
    cell->deleteButton()->setTarget(this, "deleteAction:");
    return cell;
}

void ButtonAssignViewController::updateRowColors() {
    const auto& array = globalMouseButtonsArray();
    const std::ptrdiff_t selected = mouseButtonsTableView.selectedRow();
    for (std::size_t row = 0; row < mouseButtonsTableView.numberOfRows(); ++row) {
        const bool duplicate = row < array.size() && array[row] &&
                               (array[row]->modifiers & MouseButton::kDuplicateMask);
        const ui::Color color = duplicate ? ui::Color::warningRed()
                                : static_cast<std::ptrdiff_t>(row) == selected
                                    ? ui::Color::dirtyWhite()
                                    : ui::Color::disabledGray();
        for (std::size_t column = 0; column < mouseButtonsTableView.columns().size(); ++column)
            if (auto* cell = mouseButtonsTableView.viewAt(row, column))
                cell->textField().setTextColor(color);
    }
}

void ButtonAssignViewController::tableViewSelectionDidChange() {
    const std::ptrdiff_t row = mouseButtonsTableView.selectedRow();
    const auto& array = globalMouseButtonsArray();
    if (row < 0 || static_cast<std::size_t>(row) >= array.size() || !array[row]) {
        lastSelectedButtonsRow_ = -1;
        selectedMouseButton_.reset();
        hidePicker();
        modifiersView.setHidden(true);
        buttonsHelpLbl.setHidden(mouseButtonsScrollView.isHidden());
        updateRowColors();
        return;
    }
    if (actionSelectionVC_) actionSelectionVC_->resetView();
    actionsContainer.setHidden(false);
    modifiersView.setHidden(false);
    buttonsHelpLbl.setHidden(true);

    selectedMouseButton_ = array[static_cast<std::size_t>(row)];
    const std::int64_t mask = selectedMouseButton_->modifiers;
    tableCmndSelected_ = mask & MouseButton::kCommandMask;
    tableShiftSelected_ = mask & MouseButton::kShiftMask;
    tableOptionSelected_ = mask & MouseButton::kOptionMask;
    tableCtrlSelected_ = mask & MouseButton::kControlMask;
    tableCmndOutlt.setState(tableCmndSelected_ ? ui::kStateOn : ui::kStateOff);
    tableShiftOutlt.setState(tableShiftSelected_ ? ui::kStateOn : ui::kStateOff);
    tableOptionOutlt.setState(tableOptionSelected_ ? ui::kStateOn : ui::kStateOff);
    tableCtrlOutlt.setState(tableCtrlSelected_ ? ui::kStateOn : ui::kStateOff);
    // The boxes edit the modifiers; the duplicate mark is no modifier.
    currentModifiers_ = mask & ~MouseButton::kDuplicateMask;
    lastSelectedButtonsRow_ = row;
    updateRowColors();

    if (actionWasSelected_)
        actionWasSelected_ = false;
    else if (actionSelectionVC_)
        actionSelectionVC_->reloadActionsList();
}

// ---- Editing ----

void ButtonAssignViewController::selectTableModifier(std::int64_t bit, const ui::Button& box,
                                                     bool& flag) {
    flag = box.isOn();
    if (flag)
        currentModifiers_ |= bit;
    else
        currentModifiers_ &= ~bit;
    modifierChanged();
}

void ButtonAssignViewController::modifierChanged() {
    saveActionForButton();
    refreshTableView();
}

void ButtonAssignViewController::actionWasSelected(const CustomAction& action) {
    // Nothing to attach it to.
    if (lastSelectedButtonsRow_ < 0 || !selectedMouseButton_) return;
    MouseButton& button = *selectedMouseButton_;
    const bool ownClick = action.kind() == CustomAction::Kind::SimulatedMouse &&
                          ((action.auxKey == kRightClickAction && button.buttonNumber == 1) ||
                           (action.auxKey == kMiddleClickAction && button.buttonNumber == 2));
    if (ownClick) {
        // The button's own click needs no assignment.
        button.action.reset();
        button.isActive = 0;
    } else {
        button.action = action;
        button.isActive = 1;
    }
    actionWasSelected_ = true;
    saveActionForButton();
    refreshTableView();
}

void ButtonAssignViewController::saveActionForButton() {
    if (!selectedMouseButton_) return;
    MouseButton& button = *selectedMouseButton_;
    const std::string buttonKey = keyOf(button.buttonNumber);
    auto& dict = globalMouseButtonsDict();
    plist::Dictionary stored = KxDefaults::getButtonAssignDict().value_or(plist::Dictionary{});
    plist::Dictionary entryStored = storedEntry(stored, buttonKey);

    // The keys this very assignment sits under; another assignment of the
    // button under the same mask is not this one and stays.
    std::vector<std::string> ownKeys;
    if (auto it = dict.find(buttonKey); it != dict.end())
        for (const auto& [modifierKey, entry] : it->second)
            if (entry == selectedMouseButton_ && modifierKey != kPendingKey)
                ownKeys.push_back(modifierKey);

    if (!button.action) {
        button.modifiers = currentModifiers_;
        // A cleared assignment leaves the store too, or it would come back
        // at the next launch.
        bool removed = false;
        for (const auto& key : ownKeys) removed |= entryStored.erase(key) > 0;
        if (!removed) return;
        if (entryStored.empty())
            stored.erase(buttonKey);
        else
            stored[buttonKey] = std::move(entryStored);
        writeStored(std::move(stored));
        return;
    }

    auto& entry = dict[buttonKey];
    entry.erase(kPendingKey);
    for (const auto& key : ownKeys) {
        entry.erase(key);
        entryStored.erase(key);
    }
    button.modifiers = currentModifiers_;
    if (entry.count(keyOf(button.modifiers))) button.modifiers |= MouseButton::kDuplicateMask;
    const std::string modifierKey = keyOf(button.modifiers);
    entry[modifierKey] = selectedMouseButton_;
    convertDictToArrayAndSelectButton(nullptr);

    entryStored[modifierKey] = DictConvertor::createDictFromAction(*button.action);
    stored[buttonKey] = std::move(entryStored);
    writeStored(std::move(stored));
}

void ButtonAssignViewController::deleteAction(const ui::Control& sender) {
    const std::ptrdiff_t row = mouseButtonsTableView.rowForView(sender);
    auto& array = globalMouseButtonsArray();
    if (row < 0 || static_cast<std::size_t>(row) >= array.size() || !array[row]) return;
    const std::shared_ptr<MouseButton> deleted = array[static_cast<std::size_t>(row)];
    selectedMouseButton_ = deleted;
    mouseButtonsTableView.deselectAll();

    const std::string buttonKey = keyOf(deleted->buttonNumber);
    auto& dict = globalMouseButtonsDict();
    plist::Dictionary stored = KxDefaults::getButtonAssignDict().value_or(plist::Dictionary{});
    plist::Dictionary entryStored = storedEntry(stored, buttonKey);
    if (auto it = dict.find(buttonKey); it != dict.end()) {
        std::erase_if(it->second, [&](const auto& member) {
            if (member.second != deleted) return false;
            entryStored.erase(member.first);
            return true;
        });
        if (it->second.empty()) dict.erase(it);
    }
    // A button without assignments has no key.
    if (entryStored.empty())
        stored.erase(buttonKey);
    else
        stored[buttonKey] = std::move(entryStored);
    writeStored(std::move(stored));

    convertDictToArrayAndSelectButton(nullptr);
    if (array.empty()) {
        modifiersView.setHidden(true);
        hidePicker();
        buttonsHelpLbl.setHidden(false);
    }
}

}  // namespace wexo

#include "ui/GesturesViewController.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "actions/KxShortcutsKeeper.h"
#include "platform/Log.h"
#include "platform/ObjcFormat.h"
#include "platform/Platform.h"
#include "settings/DictConvertor.h"
#include "settings/FileManagment.h"
#include "settings/KxDefaults.h"
#include "settings/SettingsKeeper.h"
#include "ui/Alert.h"
#include "ui/DrawnImage.h"
#include "ui/GestureTableCellView.h"
#include "ui/OpenPanel.h"
#include "ui/StatusMenuLink.h"

namespace wexo {

namespace {
constexpr const char* kGestureButtonText = "Gesture Button: %@";
constexpr const char* kRockerHelpText =
    "Click on the physical mouse button you want to use as Rocker with the %@ button";
constexpr const char* kNoAction = "No Action";

// The place the drawing area and the picker share, and the drawing area in
// it, whose drawing the thumbnails are scaled from.
const platform::Rect kPickerPlace(380, 0, 380, 460);
const platform::Rect kDrawingPlace(410, 70, 320, 320);

int stateOf(bool on) {
    return on ? ui::kStateOn : ui::kStateOff;
}

// A name that can be one folder or file name inside another folder, and
// nothing else: stored names are never trusted to stay inside it.
bool isSinglePathComponent(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string::npos;
}

// What a gesture's row says of its action.
std::string actionText(const Gesture& gesture) {
    if (!gesture.action) return kNoAction;
    const CustomAction& action = *gesture.action;
    if (action.kind() == CustomAction::Kind::KeyboardShortcut && action.shortcut)
        return action.shortcut->displayText();
    return action.prettyName.value_or(kNoAction);
}
}  // namespace

GesturesViewController::GesturesViewController() : ui::ViewController("Gestures") {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &helpLbl, &gestureButtonLbl, &removeGestureOutlt, &hideDrawingOutlt, &hideOverlayOutlt,
             &appsTableView, &addAppOutlt, &gesturesTableView, &addGestureOutlt, &addBindOutlt,
             &stopDrawOutlt, &drawLbl, &drawView, &rockerHelpLbl, &actionsContainer})
        view().addSubview(*c);
    view().setFrame(platform::Rect(0, 0, 760, 460));
    drawView.setFrame(kDrawingPlace);
    actionsContainer.setFrame(kPickerPlace);
    hideDrawingOutlt.setTitle("Hide drawing");
    hideOverlayOutlt.setTitle("Hide overlay");
    helpLbl.setStringValue("Press the mouse button you want to draw gestures with.");

    appsTableView.setTag(kAppsTableTag);
    gesturesTableView.setTag(kGesturesTableTag);
    for (ui::TableView* table : {&appsTableView, &gesturesTableView}) {
        table->setDataSource(this);
        table->setTarget(this, "tableViewSelectionDidChange:");
    }
    addAction("tableViewSelectionDidChange:",
              [this](ui::Control& sender) { tableViewSelectionDidChange(sender); });

    auto bind = [this](ui::Control& control, const char* action, auto handler) {
        control.setTarget(this, action);
        addAction(action, handler);
    };
    bind(addGestureOutlt, "addGestureBtn:", [this](ui::Control&) { addGestureBtn(); });
    bind(stopDrawOutlt, "stopDraw:", [this](ui::Control&) { stopDraw(); });
    bind(addBindOutlt, "addBindBtn:", [this](ui::Control&) { addBindBtn(); });
    bind(removeGestureOutlt,
         "removeGestureNumber:", [this](ui::Control&) { removeGestureNumber(); });
    bind(addAppOutlt, "addAppBtn:", [this](ui::Control&) { addAppBtn(); });
    bind(hideDrawingOutlt,
         "hideDrawingBtn:", [this](ui::Control&) { hideDrawingBtn(hideDrawingOutlt.isOn()); });
    bind(hideOverlayOutlt,
         "hideOverlayBtn:", [this](ui::Control&) { hideOverlayBtn(hideOverlayOutlt.isOn()); });
    // The rows' delete buttons.
    addAction("deleteApp:", [this](ui::Control& sender) { deleteApp(sender); });
    addAction("deleteAction:", [this](ui::Control& sender) { deleteAction(sender); });
}

GesturesViewController::~GesturesViewController() {
    drawView.setDelegate(nullptr);
    if (actionSelectionVc_) actionSelectionVc_->setDelegate(nullptr);
    if (auto* menu = ui::existingStatusMenu()) menu->unregisterScreen(*this);
}

// ---- Loading ----

void GesturesViewController::viewDidLoad() {
    // The picker's embedding (ButtonToGesturesSegue) makes this its delegate.
    actionSelectionVc_ = &static_cast<ActionSelectionViewController&>(embedChildViewController(
        std::make_unique<ActionSelectionViewController>(), actionsContainer));
    actionSelectionVc_->setDelegate(this);
    if (auto* menu = ui::statusMenu()) menu->registerScreen(*this);
    drawView.setDelegate(this);
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &drawView, &drawLbl, &actionsContainer, &rockerHelpLbl, &stopDrawOutlt})
        c->setHidden(true);
    lastSelectedGestureRow_ = -1;
    lastSelectedAppsRow_ = 0;

    isDrawingHidden_ = KxDefaults::getHideDrawing().value_or(false);
    isOverlayHidden_ = KxDefaults::getHideOverlay().value_or(false);
    hideDrawingOutlt.setState(stateOf(isDrawingHidden_));
    hideOverlayOutlt.setState(stateOf(isOverlayHidden_));

    if (auto number = KxDefaults::getGestureButtonNumber()) {
        SettingsKeeper::shared().setGestureNumber(number);
        auto button = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(*number);
        if (button) showGestureButtonTexts(*button);
        setGestureAvailable(true);
    } else {
        SettingsKeeper::shared().setGestureNumber(std::nullopt);
        setGestureAvailable(false);
    }

    hideDrawingOutlt.setToolTipKey("gestureHideDrawing");
    hideOverlayOutlt.setToolTipKey("gestureHideOverlay");
    addAppOutlt.setToolTipKey("gestureAddApp");
    addBindOutlt.setToolTipKey("gestureAddBind");
}

void GesturesViewController::showGestureButtonTexts(const MouseButton& button) {
    gestureButtonLbl.setStringValue(objcFormat(kGestureButtonText, button.prettyName));
    rockerHelpLbl.setStringValue(objcFormat(kRockerHelpText, button.prettyName));
    drawLbl.setStringValue(prettifyDrawGestureText(button.prettyName));
}

std::string GesturesViewController::prettifyDrawGestureText(const std::string& buttonName) {
    const bool saysButton = buttonName.find("Button") != std::string::npos;
    return objcFormat("Draw a Gesture with your %@%@", buttonName, saysButton ? ":" : " button:");
}

void GesturesViewController::setGestureAvailable(bool available) {
    helpLbl.setHidden(available);
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &gestureButtonLbl, &appsTableView, &addAppOutlt, &gesturesTableView, &addGestureOutlt,
             &addBindOutlt, &removeGestureOutlt, &hideDrawingOutlt, &hideOverlayOutlt})
        c->setHidden(!available);
    loadApps();
}

void GesturesViewController::loadApps() {
    apps_.clear();
    if (auto stored = KxDefaults::getGesturesAppsArray())
        apps_ = DictConvertor::createAarrayOfAppsFromDictArray(*stored);
    // The list always starts with the entry that applies everywhere, which
    // has no delete button: a stored list without it (or an empty one) gets
    // it back in front, and keeps every other entry.
    auto global = std::find_if(apps_.begin(), apps_.end(), [](const auto& app) {
        return app->bundleId == AppWithGestures::kGlobalBundleId;
    });
    if (global == apps_.end()) {
        if (!apps_.empty()) WEXO_LOG_ERROR("The stored gestures have no Global entry");
        apps_.insert(apps_.begin(), AppWithGestures::makeGlobal());
    } else if (global != apps_.begin()) {
        std::rotate(apps_.begin(), global, global + 1);
    }
    lastSelectedApp_ = apps_.front();
    lastSelectedAppsRow_ = 0;
    lastSelectedGesture_ = nullptr;
    lastSelectedGestureRow_ = -1;
    appsTableView.reloadData();
    appsTableView.selectRow(0);
    gesturesTableView.reloadData();
    gesturesTableView.deselectAll();
    SettingsKeeper::shared().setGesturesFromApps(apps_);
}

// ---- The gesture button ----

void GesturesViewController::setGestureButton(const std::shared_ptr<MouseButton>& button) {
    SettingsKeeper& keeper = SettingsKeeper::shared();
    if (button) {
        const char* refusal = nullptr;
        if (keeper.getGrabButtonNumber() == button->buttonNumber)
            refusal = "Grab button can't also be used as the gestures button";
        else if (keeper.getAutoScrollButtonNumber() == button->buttonNumber)
            refusal = "AutoScroll button can't also be used as the gestures button";
        if (refusal) {
            ui::Alert(refusal).runModalLater();
            return;
        }
    }
    const std::optional<std::int64_t> number =
        button ? std::optional<std::int64_t>(button->buttonNumber) : std::nullopt;
    keeper.setGestureNumber(number);
    KxDefaults::setGestureButtonNumber(number);
    KxDefaults::sync();
    if (!button) return;
    showGestureButtonTexts(*button);
    setGestureAvailable(true);
}

void GesturesViewController::removeGestureNumber() {
    setGestureButton(nullptr);
    // Nothing waits for a rocker button, and nothing is drawn, without a
    // gesture button.
    readyForBind_ = false;
    hideDrawingArea();
    rockerHelpLbl.setHidden(true);
    setGestureAvailable(false);
    hidePicker();
}

bool GesturesViewController::isGestureButton(std::int64_t buttonNumber) const {
    return SettingsKeeper::shared().getGestureNumber() == buttonNumber;
}

// ---- Drawing and picking ----

void GesturesViewController::addGestureBtn() {
    stopDrawOutlt.setHidden(false);
    drawView.setDelegate(this);
    drawView.setHidden(false);
    drawView.setAlphaValue(0);
    drawLbl.setAlphaValue(0);
    std::weak_ptr<bool> alive = alive_;
    actionsContainer.animateAlphaValue(0, kFadeSeconds, [this, alive] {
        if (!alive.lock()) return;
        hidePicker();
        drawLbl.setHidden(false);
        drawView.animateAlphaValue(1, kFadeSeconds);
        drawLbl.animateAlphaValue(1, kFadeSeconds);
    });
}

void GesturesViewController::stopDraw() {
    std::weak_ptr<bool> alive = alive_;
    drawLbl.animateAlphaValue(0, kFadeSeconds);
    drawView.animateAlphaValue(0, kFadeSeconds, [this, alive] {
        if (!alive.lock()) return;
        actionsContainer.setHidden(false);
        actionsContainer.animateAlphaValue(1, kFadeSeconds);
        hideDrawingArea();
    });
}

void GesturesViewController::hideDrawingArea() {
    stopDrawOutlt.setHidden(true);
    drawView.setHidden(true);
    drawLbl.setHidden(true);
}

void GesturesViewController::showActions() {
    hideDrawingArea();
    rockerHelpLbl.setHidden(true);
    actionsContainer.setHidden(false);
    actionsContainer.setAlphaValue(1);
}

void GesturesViewController::hidePicker() {
    actionsContainer.setHidden(true);
    // A picker out of sight records no keys.
    if (actionSelectionVc_) actionSelectionVc_->resetView();
}

// ---- Recording a gesture ----

std::shared_ptr<Gesture> GesturesViewController::createNewGesture() {
    const plist::Dictionary dict{{"prettyName", plist::Value("")},
                                 {"gestureDirections", plist::Value("")},
                                 {"gestureImagePath", plist::Value("")}};
    return std::make_shared<Gesture>(dict, std::nullopt);
}

void GesturesViewController::mouseWasDown(platform::Point point, std::int64_t buttonNumber) {
    if (!isGestureButton(buttonNumber)) return;
    gestureDown_ = true;
    lastSelectedGesture_ = createNewGesture();
    directionInspector_ = std::make_unique<MouseDirectionInspector>(point);
    directionInspector_->setDelegate(this);
    auto line = std::make_shared<ui::KxLine>(point);
    line->color = ui::Color::smurfBlue();
    line->thickness = kStrokeThickness;
    drawView.addLine(std::move(line));
    drawView.setNeedsDisplay();
}

void GesturesViewController::mouseWasDragged(platform::Point point, std::int64_t buttonNumber) {
    if (!isGestureButton(buttonNumber) && !gestureDown_) return;
    // A drag whose press this area did not see has nothing to add to.
    ui::KxLine* line = drawView.lastLine();
    if (!directionInspector_ || !line) return;
    directionInspector_->findMouseDirection(point);
    line->addPoint(point);
    drawView.setNeedsDisplay();
}

void GesturesViewController::foundNewDirection(std::uint64_t direction) {
    if (!lastSelectedGesture_) return;
    lastSelectedGesture_->gestureDirections =
        objcFormat("%@%lu", lastSelectedGesture_->gestureDirections.value_or(""), direction);
}

void GesturesViewController::mouseWasUp(platform::Point, std::int64_t buttonNumber) {
    if (!isGestureButton(buttonNumber)) return;
    const bool pressed = gestureDown_;
    gestureDown_ = false;
    directionInspector_.reset();
    if (pressed) finishRecording();
}

std::optional<std::string> GesturesViewController::supportDirectory() {
    if (auto stored = KxDefaults::getSupportDirectoryPath(); stored && !stored->empty())
        return stored;
    auto directory = FileManagment::applicationDirectory();
    if (!directory) {
        WEXO_LOG_ERROR("No support directory for the gesture images");
        return std::nullopt;
    }
    KxDefaults::setSupportDirectoryPath(*directory);
    KxDefaults::sync();
    return directory;
}

std::optional<std::string> GesturesViewController::directoryOf(const AppWithGestures& app) {
    if (!isSinglePathComponent(app.bundleId)) {
        WEXO_LOG_ERROR("No gesture folder can be named after \"%@\"", app.bundleId);
        return std::nullopt;
    }
    auto support = supportDirectory();
    if (!support) return std::nullopt;
    return objcFormat("%@/%@", *support, app.bundleId);
}

bool GesturesViewController::isGestureDirectionsUnique(const std::string& directions) const {
    return !SettingsKeeper::shared().fetchGestureByBundleWndDirections(lastSelectedApp_->bundleId,
                                                                       directions);
}

void GesturesViewController::finishRecording() {
    const std::shared_ptr<Gesture> gesture = lastSelectedGesture_;
    const std::optional<std::string> directory =
        lastSelectedApp_ ? directoryOf(*lastSelectedApp_) : std::nullopt;
    const std::string directions =
        gesture ? gesture->gestureDirections.value_or("") : std::string();
    // A folder that cannot be had saves nothing; the stroke goes all the
    // same, or the next gesture's thumbnail would show it too.
    if (!directory || !FileManagment::checkAndCreateDirectoryAt(*directory) || directions.empty()) {
        clearRecording();
        return;
    }
    if (!isGestureDirectionsUnique(directions)) {
        std::weak_ptr<bool> alive = alive_;
        ui::Alert(
            objcFormat("A similar gesture already exists in %@.", lastSelectedApp_->prettyName))
            .runModalLater([this, alive](std::size_t) {
                if (alive.lock()) drawView.removeAllLines();
            });
        restoreSelectedGesture();
        return;
    }

    const std::string path = objcFormat("%@/%@.jpg", *directory, directions);
    const ui::DrawnImage image = ui::DrawnImage::withDrawing(drawView.draw());
    if (auto thumbnail = image.resizeTo(platform::Size{kThumbnailSide, kThumbnailSide}))
        thumbnail->saveAsJpegWithName(path);
    gesture->gestureImagePath = path;
    lastSelectedApp_->gestures.push_back(gesture);
    saveAppsAndPrepareEasyFetch();
    gesturesTableView.reloadData();
    drawView.removeAllLines();
    selectGestureRow(static_cast<std::ptrdiff_t>(lastSelectedApp_->gestures.size()) - 1);
}

void GesturesViewController::clearRecording() {
    drawView.removeAllLines();
    restoreSelectedGesture();
}

void GesturesViewController::restoreSelectedGesture() {
    // A gesture that was not stored is not the one the picker edits.
    lastSelectedGesture_ = gestureAt(lastSelectedGestureRow_);
}

std::shared_ptr<Gesture> GesturesViewController::gestureAt(std::ptrdiff_t row) const {
    if (!lastSelectedApp_ || row < 0 ||
        static_cast<std::size_t>(row) >= lastSelectedApp_->gestures.size())
        return nullptr;
    return lastSelectedApp_->gestures[static_cast<std::size_t>(row)];
}

// ---- Rocker gestures ----

void GesturesViewController::addBindBtn() {
    // Nothing is drawn while the screen waits for the rocker button.
    drawView.setDelegate(nullptr);
    hideDrawingArea();
    readyForBind_ = true;
    std::weak_ptr<bool> alive = alive_;
    actionsContainer.animateAlphaValue(0, kFadeSeconds, [this, alive] {
        if (!alive.lock() || !readyForBind_) return;
        hidePicker();
        rockerHelpLbl.setHidden(false);
    });
}

void GesturesViewController::setBindButton(const std::shared_ptr<MouseButton>& button) {
    if (!button || !lastSelectedApp_) return;
    if (isGestureButton(button->buttonNumber)) {
        ui::Alert("Rocker button can't be the identical to the gesture button").runModalLater();
        return;
    }
    auto& gestures = lastSelectedApp_->gestures;
    if (auto bound = SettingsKeeper::shared().fetchGestureByBundleWithdBindNumberStr(
            lastSelectedApp_->bundleId, objcFormat("%lld", button->buttonNumber)))
        std::erase(gestures, bound);
    auto gesture = createNewGesture();
    gesture->bindButton = button;
    readyForBind_ = false;
    rockerHelpLbl.setHidden(true);
    actionsContainer.setHidden(false);
    actionsContainer.animateAlphaValue(1, kFadeSeconds);
    gestures.push_back(gesture);
    saveAppsAndPrepareEasyFetch();
    gesturesTableView.reloadData();
    selectGestureRow(static_cast<std::ptrdiff_t>(gestures.size()) - 1);
}

// ---- Actions of gestures ----

void GesturesViewController::actionWasSelected(const CustomAction& action) {
    if (!lastSelectedGesture_) return;
    lastSelectedGesture_->action = action;
    lastSelectedGesture_->isActive = 1;
    saveAppsAndPrepareEasyFetch();
    refreshTableView();
}

void GesturesViewController::refreshTableView() {
    gesturesTableView.reloadData();
}

void GesturesViewController::saveAppsAndPrepareEasyFetch() {
    SettingsKeeper::shared().setGesturesFromApps(apps_);
    KxDefaults::setGesturesAppsArray(DictConvertor::createAarrayOfDictFromObjecsArray(apps_));
    KxDefaults::sync();
}

// ---- Tables ----

std::size_t GesturesViewController::numberOfRowsInTableView(ui::TableView& table) {
    if (&table == &appsTableView) return apps_.size();
    return lastSelectedApp_ ? lastSelectedApp_->gestures.size() : 0;
}

std::unique_ptr<ui::TableCellView> GesturesViewController::viewForTableColumn(
    ui::TableView& table, const std::string& column, std::size_t row) {
    const bool selected = static_cast<std::ptrdiff_t>(row) == table.selectedRow();
    const ui::Color textColor = selected ? ui::Color::dirtyWhite() : ui::Color::disabledGray();
    if (&table == &appsTableView) {
        if (row >= apps_.size()) return nullptr;
        const AppWithGestures& app = *apps_[row];
        auto cell = std::make_unique<ui::TableCellView>(column);
        if (row == 0) {
            cell->imageView().setImage(ui::Image::named("global_b"));
        } else {
            cell->imageView().setImage(ui::Image::iconForFile(app.appImagePath.value_or("")));
            cell->addDeleteButton().setTarget(this, "deleteApp:");
        }
        cell->textField().setStringValue(app.prettyName);
        cell->textField().setTextColor(textColor);
        return cell;
    }

    const std::shared_ptr<Gesture> gesture = gestureAt(static_cast<std::ptrdiff_t>(row));
    if (!gesture) return nullptr;
    auto cell = std::make_unique<ui::GestureTableCellView>(column);
    const std::string text = actionText(*gesture);
    if (gesture->bindButton) {
        // A rocker has no thumbnail.
        cell->imageView().setImage(ui::Image::named("rocker"));
        cell->textField().setStringValue(
            objcFormat("%@ - %@", gesture->bindButton->prettyName, text));
    } else {
        cell->imageView().setImage(ui::Image::contentsOfFile(gesture->gestureImagePath));
        cell->textField().setStringValue(text);
    }
    if (gesture->action && gesture->action->kind() == CustomAction::Kind::OpenApplication)
        cell->actionImageView.setImage(ui::Image::iconForFile(gesture->action->path.value_or("")));
    cell->textField().setTextColor(textColor);
    cell->addDeleteButton().setTarget(this, "deleteAction:");
    return cell;
}

void GesturesViewController::colourRows(ui::TableView& table, std::ptrdiff_t selected) {
    for (std::size_t row = 0; row < table.numberOfRows(); ++row)
        if (ui::TableCellView* cell = table.viewAt(row))
            cell->textField().setTextColor(static_cast<std::ptrdiff_t>(row) == selected
                                               ? ui::Color::dirtyWhite()
                                               : ui::Color::disabledGray());
}

void GesturesViewController::tableViewSelectionDidChange(ui::Control& sender) {
    if (&sender == &appsTableView)
        appSelectionDidChange();
    else if (&sender == &gesturesTableView)
        gestureSelectionDidChange();
}

void GesturesViewController::appSelectionDidChange() {
    const std::ptrdiff_t row = appsTableView.selectedRow();
    colourRows(appsTableView, row);
    if (row < 0 || static_cast<std::size_t>(row) >= apps_.size()) return;
    lastSelectedApp_ = apps_[static_cast<std::size_t>(row)];
    lastSelectedAppsRow_ = row;
    gesturesTableView.reloadData();
    gesturesTableView.deselectAll();
    lastSelectedGesture_ = nullptr;
    lastSelectedGestureRow_ = -1;
    hidePicker();
}

void GesturesViewController::gestureSelectionDidChange() {
    const std::ptrdiff_t row = gesturesTableView.selectedRow();
    colourRows(gesturesTableView, row);
    lastSelectedGestureRow_ = row;
    lastSelectedGesture_ = gestureAt(row);
    if (!lastSelectedGesture_) {
        lastSelectedGestureRow_ = -1;
        return;
    }
    // resetButtonsAndRecordBox: nothing of the previous gesture's editing stays.
    if (actionSelectionVc_) actionSelectionVc_->resetView();
    showActions();
}

void GesturesViewController::selectGestureRow(std::ptrdiff_t row) {
    gesturesTableView.selectRow(row);
    gesturesTableView.scrollRowToVisible(row);
}

// ---- Applications ----

void GesturesViewController::addAppBtn() {
    const ui::OpenPanel panel = ui::OpenPanel::forApplication();
    std::weak_ptr<bool> alive = alive_;
    panel.beginSheetModalForWindow(window(), [this, alive](std::optional<std::string> path) {
        if (!alive.lock()) return;
        if (path) addAppAtPath(*path);
        addAppOutlt.setState(ui::kStateOff);
    });
}

void GesturesViewController::addAppAtPath(const std::string& path) {
    const std::string name = installedPlatform().workspace().displayNameAtPath(path);
    const auto bundleId = installedPlatform().workspace().bundleIdentifierAtPath(path);
    // Gestures are kept by bundle identifier, which also names the folder
    // of their thumbnails: a file without a usable one cannot have any.
    if (!bundleId || !isSinglePathComponent(*bundleId)) {
        WEXO_LOG_ERROR("Not an application: %@", path);
        ui::Alert(objcFormat("\"%@\" is not an application.", name)).runModalLater();
        return;
    }
    auto existing = std::find_if(apps_.begin(), apps_.end(),
                                 [&](const auto& app) { return app->bundleId == *bundleId; });
    if (existing == apps_.end()) {
        apps_.push_back(std::make_shared<AppWithGestures>(name, *bundleId, path, std::nullopt));
        existing = apps_.end() - 1;
        // Stored at once: an added application is kept even if no gesture
        // is recorded for it.
        saveAppsAndPrepareEasyFetch();
    }
    const auto row = static_cast<std::ptrdiff_t>(existing - apps_.begin());
    appsTableView.reloadData();
    appsTableView.selectRow(row);
    appsTableView.scrollRowToVisible(row);
    gesturesTableView.reloadData();
}

void GesturesViewController::deleteApp(ui::Control& sender) {
    const std::ptrdiff_t row = appsTableView.rowForView(sender);
    // "Global" (row 0) has no delete button and cannot go.
    if (row <= 0 || static_cast<std::size_t>(row) >= apps_.size()) return;
    const std::shared_ptr<AppWithGestures> app = apps_[static_cast<std::size_t>(row)];
    apps_.erase(apps_.begin() + row);
    const bool folderShared = std::any_of(apps_.begin(), apps_.end(), [&](const auto& other) {
        return other->bundleId == app->bundleId;
    });
    if (auto directory = directoryOf(*app); directory && !folderShared) {
        std::error_code ignored;
        std::filesystem::remove_all(*directory, ignored);
    }
    lastSelectedApp_ = apps_.front();
    lastSelectedAppsRow_ = 0;
    appsTableView.reloadData();
    appsTableView.selectRow(0);
    appsTableView.scrollRowToVisible(0);
    gesturesTableView.reloadData();
    saveAppsAndPrepareEasyFetch();
}

void GesturesViewController::deleteAction(ui::Control& sender) {
    const std::ptrdiff_t row = gesturesTableView.rowForView(sender);
    const std::shared_ptr<Gesture> gesture = gestureAt(row);
    if (!gesture) return;
    const std::string directions = gesture->gestureDirections.value_or("");
    if (isSinglePathComponent(directions))
        if (auto directory = directoryOf(*lastSelectedApp_)) {
            std::error_code ignored;
            std::filesystem::remove(objcFormat("%@/%@.jpg", *directory, directions), ignored);
        }
    auto& gestures = lastSelectedApp_->gestures;
    gestures.erase(gestures.begin() + row);
    if (lastSelectedGesture_ == gesture) lastSelectedGesture_ = nullptr;
    gesturesTableView.reloadData();
    if (!gestures.empty())
        selectGestureRow(0);
    else
        hidePicker();
    saveAppsAndPrepareEasyFetch();
}

// ---- Hiding the trail and the overlay ----

void GesturesViewController::hideDrawingBtn(bool hide) {
    isDrawingHidden_ = hide;
    KxDefaults::setHideDrawing(hide);
    KxDefaults::sync();
}

void GesturesViewController::hideOverlayBtn(bool hide) {
    isOverlayHidden_ = hide;
    KxDefaults::setHideOverlay(hide);
    KxDefaults::sync();
}

}  // namespace wexo

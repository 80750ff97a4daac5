#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "actions/AppWithGestures.h"
#include "actions/CustomAction.h"
#include "actions/Gesture.h"
#include "actions/MouseButton.h"
#include "events/MouseDirectionInspector.h"
#include "events/ScreenRegistry.h"
#include "ui/ActionSelectionViewController.h"
#include "ui/Button.h"
#include "ui/KxLocalDrawView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace wexo {

// The Gestures tab: the gesture button, the applications with gestures of
// their own ("Global" first, applying everywhere), recording a gesture by
// drawing it with the gesture button in the drawing area, binding a rocker
// press, the action of each gesture, and deleting gestures and
// applications with their thumbnails. Every change is stored under
// "gesturesAppsArray" and pushed into SettingsKeeper, which the mouse tap
// reads; thumbnails live in the support directory, one folder per
// application. Main thread only.
class GesturesViewController : public ui::ViewController,
                               public GesturesScreenLink,
                               public ui::TableViewDataSource,
                               public ui::KxLocalDrawViewDelegate,
                               public MouseDirectionInspectorDelegate,
                               public ActionSelectionDelegate {
  public:
    static constexpr double kFadeSeconds = 0.4;
    static constexpr double kThumbnailSide = 40;
    static constexpr double kStrokeThickness = 8;
    static constexpr std::int64_t kAppsTableTag = 0;
    static constexpr std::int64_t kGesturesTableTag = 1;

    GesturesViewController();
    ~GesturesViewController() override;

    // ---- GesturesScreenLink (the mouse tap) ----
    bool readyForBind() const override { return readyForBind_; }
    // Makes the button the gesture button, unless it is the grab or the
    // auto-scroll button (an alert says so); nothing forgets it.
    void setGestureButton(const std::shared_ptr<MouseButton>& button) override;
    // The rocker button the screen waits for: a new gesture of the selected
    // application bound to it, replacing one bound to the same button.
    void setBindButton(const std::shared_ptr<MouseButton>& button) override;

    // ---- The drawing area and the direction tracker ----
    void mouseWasDown(platform::Point point, std::int64_t buttonNumber) override;
    void mouseWasDragged(platform::Point point, std::int64_t buttonNumber) override;
    void mouseWasUp(platform::Point point, std::int64_t buttonNumber) override;
    void foundNewDirection(std::uint64_t direction) override;

    // ---- ActionSelectionDelegate (the embedded picker) ----
    // The selected gesture takes the action, active.
    void actionWasSelected(const CustomAction& action) override;
    void refreshTableView() override;

    // ---- Actions ----
    void addGestureBtn();
    void stopDraw();
    void addBindBtn();
    void removeGestureNumber();
    void addAppBtn();
    void hideDrawingBtn(bool hide);
    void hideOverlayBtn(bool hide);
    // Shows the gesture controls (true) or the help alone, and loads the
    // application list either way.
    void setGestureAvailable(bool available);
    void saveAppsAndPrepareEasyFetch();

    // "Draw a Gesture with your <name> button:", or "…<name>:" when the name
    // says Button already.
    static std::string prettifyDrawGestureText(const std::string& buttonName);

    // ---- State ----
    const std::vector<std::shared_ptr<AppWithGestures>>& apps() const { return apps_; }
    const std::shared_ptr<AppWithGestures>& lastSelectedApp() const { return lastSelectedApp_; }
    std::ptrdiff_t lastSelectedAppsRow() const { return lastSelectedAppsRow_; }
    const std::shared_ptr<Gesture>& lastSelectedGesture() const { return lastSelectedGesture_; }
    std::ptrdiff_t lastSelectedGestureRow() const { return lastSelectedGestureRow_; }
    bool isDrawingHidden() const { return isDrawingHidden_; }
    bool isOverlayHidden() const { return isOverlayHidden_; }
    bool gestureDown() const { return gestureDown_; }
    // The embedded action picker, once the view has loaded.
    ActionSelectionViewController* actionSelectionVc() const { return actionSelectionVc_; }

    // ---- TableViewDataSource ----
    std::size_t numberOfRowsInTableView(ui::TableView& table) override;
    std::unique_ptr<ui::TableCellView> viewForTableColumn(ui::TableView& table,
                                                          const std::string& column,
                                                          std::size_t row) override;

    // ---- Outlets ----
    ui::TextField helpLbl{"helpLbl"};
    ui::TextField gestureButtonLbl{"gestureButtonLbl"};
    ui::Button removeGestureOutlt{"removeGestureOutlt", ui::ButtonType::Push};
    ui::Button hideDrawingOutlt{"hideDrawingOutlt", ui::ButtonType::CheckBox};
    ui::Button hideOverlayOutlt{"hideOverlayOutlt", ui::ButtonType::CheckBox};
    ui::TableView appsTableView{"appsTableView", {"cellApp"}};
    ui::Button addAppOutlt{"addAppOutlt", ui::ButtonType::Toggle};
    ui::TableView gesturesTableView{"gesturesTableView", {"cellGesture"}};
    ui::Button addGestureOutlt{"addGestureOutlt", ui::ButtonType::Push};
    ui::Button addBindOutlt{"addBindOutlt", ui::ButtonType::Push};
    ui::Button stopDrawOutlt{"stopDrawOutlt", ui::ButtonType::Push};
    ui::TextField drawLbl{"drawLbl"};
    ui::KxLocalDrawView drawView{"drawView"};
    ui::TextField rockerHelpLbl{"rockerHelpLbl"};
    // The embedded action picker's place; drawing and picking alternate in it.
    ui::View actionsContainer{"actionsContainer"};

  protected:
    void viewDidLoad() override;

  private:
    void showGestureButtonTexts(const MouseButton& button);
    void loadApps();
    void tableViewSelectionDidChange(ui::Control& sender);
    void appSelectionDidChange();
    void gestureSelectionDidChange();
    void colourRows(ui::TableView& table, std::ptrdiff_t selected);
    void selectGestureRow(std::ptrdiff_t row);
    void showActions();
    void hidePicker();
    void hideDrawingArea();
    void deleteApp(ui::Control& sender);
    void deleteAction(ui::Control& sender);
    void addAppAtPath(const std::string& path);

    bool isGestureButton(std::int64_t buttonNumber) const;
    static std::shared_ptr<Gesture> createNewGesture();
    bool isGestureDirectionsUnique(const std::string& directions) const;
    // Saves the recorded gesture when it is new to the selected application.
    void finishRecording();
    void clearRecording();
    void restoreSelectedGesture();
    // The selected application's gesture in that row; null outside the list.
    std::shared_ptr<Gesture> gestureAt(std::ptrdiff_t row) const;
    // The folder of the gesture thumbnails ("supportDirectoryPath", else the
    // application directory, then stored); nothing when there is none.
    std::optional<std::string> supportDirectory();
    // The folder of one application's thumbnails; nothing when its bundle
    // identifier cannot name a folder inside the support directory.
    std::optional<std::string> directoryOf(const AppWithGestures& app);

    std::vector<std::shared_ptr<AppWithGestures>> apps_;
    std::shared_ptr<AppWithGestures> lastSelectedApp_;
    std::ptrdiff_t lastSelectedAppsRow_ = 0;
    std::shared_ptr<Gesture> lastSelectedGesture_;
    std::ptrdiff_t lastSelectedGestureRow_ = -1;
    std::unique_ptr<MouseDirectionInspector> directionInspector_;
    ActionSelectionViewController* actionSelectionVc_ = nullptr;
    bool isDrawingHidden_ = false;
    bool isOverlayHidden_ = false;
    bool gestureDown_ = false;
    bool readyForBind_ = false;
    // Delayed completions (alerts, panels) hold it weakly.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace wexo

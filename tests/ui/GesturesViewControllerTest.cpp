#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <utility>

#include "actions/KxShortcutsKeeper.h"
#include "app/AppTestDesktop.h"
#include "platform/TempFolder.h"
#include "ui/FullScreenDrawViewController.h"
#include "ui/GesturesViewController.h"

namespace wexo::testing {
namespace {

namespace fs = std::filesystem;
using platform::Point;

// Width and height from a JPEG's frame header; nothing when the bytes are
// not a JPEG.
std::optional<std::pair<int, int>> jpegSize(const std::string& bytes) {
    auto at = [&](std::size_t i) {
        return static_cast<unsigned>(static_cast<unsigned char>(bytes[i]));
    };
    if (bytes.size() < 4 || at(0) != 0xFF || at(1) != 0xD8) return std::nullopt;
    for (std::size_t i = 2; i + 9 < bytes.size() && at(i) == 0xFF;) {
        const unsigned marker = at(i + 1);
        if (marker >= 0xC0 && marker <= 0xC2)
            return std::make_pair(int(at(i + 7) << 8 | at(i + 8)), int(at(i + 5) << 8 | at(i + 6)));
        i += 2 + (at(i + 2) << 8 | at(i + 3));
    }
    return std::nullopt;
}

// Up 50, then right 60: the directions 1 and 4, the second measured from
// where the first stroke left off.
const std::vector<Point> kUpThenRight{{100, 100}, {100, 150}, {100, 160}, {160, 160}};

// The whole program with the middle button as gesture button and the
// support folder in a fresh directory.
class GesturesViewControllerTest : public ::testing::Test {
  protected:
    explicit GesturesViewControllerTest(plist::Dictionary extra = {})
        : t(defaults(std::move(extra))) {
        t.desktop.simProcess().setApplicationSupportDirectory(folder.path().string());
        t.launch();
    }
    static plist::Dictionary defaults(plist::Dictionary extra) {
        extra.emplace("allDisplaysScrollSettings", plist::Dictionary{});
        extra.emplace("gestureNumber", 2);
        return extra;
    }

    GesturesViewController& g() {
        return *dynamic_cast<GesturesViewController*>(t.menu().registeredScreen("Gestures"));
    }
    // A stroke with a button in the drawing area, in the area's coordinates.
    void draw(const std::vector<Point>& points, std::int64_t button = 2) {
        const Point origin = g().drawView.frameInWindow().origin;
        auto w = [&](Point p) { return Point{origin.x + p.x, origin.y + p.y}; };
        t.act([&] { g().drawView.mouseDown(w(points.front()), button); });
        for (std::size_t i = 1; i < points.size(); ++i)
            t.act([&] { g().drawView.mouseDragged(w(points[i]), button); });
        t.act([&] { g().drawView.mouseUp(w(points.back()), button); });
    }
    void click(const char* action, ui::Control& sender) {
        t.act([&] { g().performAction(action, sender); });
    }
    void addApp(const std::string& path) {
        t.act([&] { g().addAppBtn(); });
        t.act([&] { t.userInterface.answerOpenPanel(path); });
    }
    // The stored applications, and the gestures of one.
    plist::Array stored() { return *t.stored("gesturesAppsArray")->asArray(); }
    plist::Dictionary storedApp(std::size_t i) { return *stored().at(i).asDictionary(); }
    plist::Array storedGestures(std::size_t app) {
        return *storedApp(app).at("gestures").asArray();
    }
    fs::path imagesOf(const std::string& bundle) {
        return folder.path() / "com.wexo.Wexo" / bundle;
    }
    std::vector<std::string> alerts() {
        std::vector<std::string> out;
        for (const auto& a : t.recordsOf<records::Alert>()) out.push_back(a.message);
        return out;
    }

    platform::TempFolder folder;
    AppTestDesktop t;
};

TEST_F(GesturesViewControllerTest, AStrokeUpThenRightIsStoredAsGesture14WithItsThumbnail) {
    EXPECT_EQ(g().gestureButtonLbl.stringValue(), "Gesture Button: Middle");
    EXPECT_EQ(g().drawLbl.stringValue(), "Draw a Gesture with your Middle button:");
    EXPECT_EQ(
        g().rockerHelpLbl.stringValue(),
        "Click on the physical mouse button you want to use as Rocker with the Middle button");
    EXPECT_TRUE(g().helpLbl.isHidden());
    EXPECT_EQ(g().lastSelectedApp()->prettyName, "Global");

    click("addGestureBtn:", g().addGestureOutlt);
    EXPECT_FALSE(g().drawView.isHidden());
    t.advance(0.4);
    EXPECT_TRUE(g().actionsContainer.isHidden());
    EXPECT_FALSE(g().drawLbl.isHidden());

    // Another button draws nothing.
    draw(kUpThenRight, 1);
    EXPECT_FALSE(t.stored("gesturesAppsArray"));

    draw(kUpThenRight);
    const fs::path image = imagesOf("com.global") / "14.jpg";
    const plist::Array gestures = storedGestures(0);
    ASSERT_EQ(gestures.size(), 1u);
    EXPECT_EQ(gestures[0].asDictionary()->at("gestureDirections"), plist::Value("14"));
    EXPECT_EQ(gestures[0].asDictionary()->at("gestureImagePath"), plist::Value(image.string()));
    EXPECT_EQ(jpegSize(platform::TempFolder::read(image)), std::make_pair(40, 40));
    EXPECT_EQ(t.stored("supportDirectoryPath"),
              plist::Value((folder.path() / "com.wexo.Wexo").string()));
    EXPECT_NE(t.keeper().fetchGestureByBundleWndDirections("com.global", "14"), nullptr);
    // The new row is chosen: its action is picked in place of the drawing.
    EXPECT_EQ(g().gesturesTableView.selectedRow(), 0);
    EXPECT_EQ(g().lastSelectedGesture(), g().apps()[0]->gestures[0]);
    EXPECT_TRUE(g().drawView.isHidden());
    EXPECT_FALSE(g().actionsContainer.isHidden());
    EXPECT_TRUE(g().drawView.lines().empty());
    EXPECT_EQ(g().gesturesTableView.viewAt(0)->textField().stringValue(), "No Action");
    EXPECT_EQ(g().gesturesTableView.viewAt(0)->imageView().image(),
              ui::Image::contentsOfFile(image.string()));

    // The embedded picker's choice is the gesture's action, active.
    ActionSelectionViewController& picker = *g().actionSelectionVc();
    EXPECT_EQ(picker.delegate(), &g());
    t.act([&] { picker.mediaBtnOutlt.performClick(); });
    t.act([&] { picker.actionsTableView.selectRow(0); });
    const plist::Dictionary saved = *storedGestures(0).at(0).asDictionary();
    EXPECT_EQ(saved.at("isActive"), plist::Value(1));
    EXPECT_EQ(saved.at("action").asDictionary()->at("prettyName"), plist::Value("Volume Up"));
    EXPECT_EQ(g().gesturesTableView.viewAt(0)->textField().stringValue(), "Volume Up");
    // Choosing a gesture starts the picker afresh.
    t.act([&] { g().gesturesTableView.deselectAll(); });
    t.act([&] { g().gesturesTableView.selectRow(0); });
    EXPECT_FALSE(picker.mediaBtnOutlt.isOn());
    EXPECT_TRUE(picker.actionsScrollView.isHidden());
    // Drawing again puts the picker away, and its key recorder stops.
    t.act([&] { picker.recordKeysBtnOutlt.performClick(); });
    EXPECT_TRUE(picker.keyRecorder().recordingIsActive());
    click("addGestureBtn:", g().addGestureOutlt);
    t.advance(0.4);
    EXPECT_FALSE(picker.keyRecorder().recordingIsActive());
}

TEST_F(GesturesViewControllerTest, TheSameShapeTwiceInOneApplicationIsRefusedButNotInAnother) {
    click("addGestureBtn:", g().addGestureOutlt);
    draw(kUpThenRight);
    click("addGestureBtn:", g().addGestureOutlt);
    draw({{10, 10}, {10, 60}, {10, 70}, {90, 70}});
    t.advance(0);
    EXPECT_EQ(alerts(), std::vector<std::string>{"A similar gesture already exists in Global."});
    EXPECT_EQ(t.userInterface.currentAlert()->buttons, std::vector<std::string>{"Ok"});
    EXPECT_EQ(storedGestures(0).size(), 1u);
    EXPECT_EQ(g().lastSelectedGesture(), g().apps()[0]->gestures[0]);
    // The stroke stays until the alert is answered.
    EXPECT_EQ(g().drawView.lines().size(), 1u);
    t.act([&] { t.userInterface.answerAlert("Ok"); });
    EXPECT_TRUE(g().drawView.lines().empty());

    // A press without a stroke records nothing and says nothing.
    draw({{10, 10}, {20, 20}});
    t.advance(0);
    EXPECT_EQ(alerts().size(), 1u);
    EXPECT_TRUE(g().drawView.lines().empty());

    addApp("/Applications/Safari.app");
    EXPECT_EQ(g().lastSelectedApp()->bundleId, "com.apple.Safari");
    EXPECT_EQ(storedApp(1).at("prettyName"), plist::Value("Safari"));
    click("addGestureBtn:", g().addGestureOutlt);
    draw(kUpThenRight);
    EXPECT_EQ(storedGestures(1).size(), 1u);
    EXPECT_TRUE(fs::exists(imagesOf("com.apple.Safari") / "14.jpg"));
    EXPECT_NE(t.keeper().fetchGestureByBundleWndDirections("com.apple.Safari", "14"), nullptr);
    EXPECT_EQ(alerts().size(), 1u);
}

TEST_F(GesturesViewControllerTest, DeletingGesturesAndApplicationsTakesTheirFilesAlong) {
    addApp("/Applications/Safari.app");
    click("addGestureBtn:", g().addGestureOutlt);
    draw(kUpThenRight);
    click("addGestureBtn:", g().addGestureOutlt);
    draw({{10, 10}, {10, 60}});  // "1"
    ASSERT_EQ(g().apps()[1]->gestures.size(), 2u);
    ASSERT_TRUE(fs::exists(imagesOf("com.apple.Safari") / "1.jpg"));

    click("deleteAction:", *g().gesturesTableView.viewAt(0)->deleteButton());
    EXPECT_FALSE(fs::exists(imagesOf("com.apple.Safari") / "14.jpg"));
    EXPECT_TRUE(fs::exists(imagesOf("com.apple.Safari") / "1.jpg"));
    EXPECT_EQ(g().gesturesTableView.selectedRow(), 0);
    EXPECT_EQ(*g().lastSelectedGesture()->gestureDirections, "1");
    EXPECT_EQ(storedGestures(1).size(), 1u);

    // The last application but Global goes: Global is chosen again.
    click("deleteApp:", *g().appsTableView.viewAt(1)->deleteButton());
    EXPECT_FALSE(fs::exists(imagesOf("com.apple.Safari")));
    EXPECT_EQ(g().apps().size(), 1u);
    EXPECT_EQ(g().lastSelectedApp()->bundleId, "com.global");
    EXPECT_EQ(g().appsTableView.selectedRow(), 0);
    EXPECT_EQ(stored().size(), 1u);
    EXPECT_EQ(t.keeper().fetchGestureByBundleWndDirections("com.apple.Safari", "1"), nullptr);
}

TEST_F(GesturesViewControllerTest, ARockerIsBoundToTheNextButtonButNeverToTheGestureButton) {
    click("addBindBtn:", g().addBindOutlt);
    EXPECT_TRUE(g().readyForBind());
    EXPECT_EQ(g().drawView.delegate(), nullptr);
    t.advance(0.4);
    EXPECT_FALSE(g().rockerHelpLbl.isHidden());

    t.act([&] { g().setBindButton(KxShortcutsKeeper::getPreDdefinedButtonsByNumber(2)); });
    t.advance(0);
    EXPECT_EQ(alerts(), std::vector<std::string>{
                            "Rocker button can't be the identical to the gesture button"});
    EXPECT_TRUE(g().readyForBind());
    EXPECT_FALSE(t.stored("gesturesAppsArray"));

    // Binding the left button twice keeps one rocker gesture for it.
    for (int i = 0; i < 2; ++i)
        t.act([&] { g().setBindButton(KxShortcutsKeeper::getPreDdefinedButtonsByNumber(0)); });
    EXPECT_FALSE(g().readyForBind());
    EXPECT_TRUE(g().rockerHelpLbl.isHidden());
    const plist::Array gestures = storedGestures(0);
    ASSERT_EQ(gestures.size(), 1u);
    EXPECT_EQ(gestures[0].asDictionary()->at("bindButton"), plist::Value(0));
    EXPECT_FALSE(gestures[0].asDictionary()->count("gestureDirections"));
    EXPECT_NE(t.keeper().fetchGestureByBundleWithdBindNumberStr("com.global", "0"), nullptr);
    ui::TableCellView& row = *g().gesturesTableView.viewAt(0);
    EXPECT_EQ(row.imageView().image(), ui::Image::named("rocker"));
    EXPECT_EQ(row.textField().stringValue(), "Left - No Action");
    EXPECT_EQ(row.textField().textColor(), ui::Color::dirtyWhite());
}

TEST_F(GesturesViewControllerTest, TheGestureButtonIsNeverTheGrabOrAutoScrollButton) {
    t.keeper().setGrabButtonNumber(3);
    t.keeper().setAutoScrollButtonNumber(4);
    for (int button : {3, 4})
        t.act([&] {
            g().setGestureButton(KxShortcutsKeeper::getPreDdefinedButtonsByNumber(button));
        });
    t.advance(0);
    EXPECT_EQ(alerts(), (std::vector<std::string>{
                            "Grab button can't also be used as the gestures button",
                            "AutoScroll button can't also be used as the gestures button"}));
    EXPECT_EQ(t.stored("gestureNumber"), plist::Value(2));
    EXPECT_EQ(t.keeper().getGestureNumber(), 2);

    // Forgotten, then button 5: its own name says Button already.
    click("removeGestureNumber:", g().removeGestureOutlt);
    EXPECT_FALSE(t.stored("gestureNumber"));
    EXPECT_EQ(t.keeper().getGestureNumber(), std::nullopt);
    EXPECT_FALSE(g().helpLbl.isHidden());
    EXPECT_TRUE(g().gesturesTableView.isHidden());
    t.act([&] { g().setGestureButton(KxShortcutsKeeper::getPreDdefinedButtonsByNumber(5)); });
    EXPECT_EQ(t.stored("gestureNumber"), plist::Value(5));
    EXPECT_EQ(g().drawLbl.stringValue(), "Draw a Gesture with your Button 5:");
    EXPECT_FALSE(g().gesturesTableView.isHidden());
}

TEST_F(GesturesViewControllerTest, TheHideBoxesAreStoredAndReadByTheOverlay) {
    auto& overlay = *dynamic_cast<FullScreenDrawViewController*>(t.menu().fullScreenVC());
    t.act([&] { overlay.readyForDragSettings({300, 200}); });
    EXPECT_EQ(overlay.linesView.lastLine()->color, ui::Color::smurfBlue());
    EXPECT_EQ(overlay.linesView.lastLine()->thickness, 5);
    EXPECT_EQ(overlay.drawEmphasizer.borderColor(), ui::Color::veryLightBorder());
    EXPECT_EQ(overlay.drawEmphasizer.backgroundColor(), ui::Color::veryLightBlack());
    EXPECT_EQ(overlay.drawEmphasizer.frame(), platform::Rect(220, 120, 160, 160));

    for (ui::Button* box : {&g().hideDrawingOutlt, &g().hideOverlayOutlt})
        t.act([&] { box->performClick(); });
    EXPECT_TRUE(g().isDrawingHidden());
    EXPECT_TRUE(g().isOverlayHidden());
    EXPECT_EQ(t.stored("hideDrawing"), plist::Value(true));
    EXPECT_EQ(t.stored("hideOverlay"), plist::Value(true));
    t.act([&] { overlay.readyForDragSettings({300, 200}); });
    EXPECT_EQ(overlay.linesView.lastLine()->color, ui::Color::clear());
    EXPECT_EQ(overlay.drawEmphasizer.borderColor(), ui::Color::clear());
    EXPECT_EQ(overlay.drawEmphasizer.backgroundColor(), ui::Color::clear());
}

// Stored lists are taken as they are, but never name folders outside the
// support folder, and always begin with Global.
class GesturesStoredListTest : public GesturesViewControllerTest {
  protected:
    GesturesStoredListTest()
        : GesturesViewControllerTest(
              {{"gesturesAppsArray",
                plist::Array{plist::Dictionary{{"prettyName", "Odd"}, {"bundleId", ".."}}}}}) {}
};

TEST_F(GesturesStoredListTest, AListWithoutGlobalGetsItBackAndOddNamesRemoveNothing) {
    ASSERT_EQ(g().apps().size(), 2u);
    EXPECT_EQ(g().apps()[0]->bundleId, "com.global");
    EXPECT_EQ(g().apps()[1]->prettyName, "Odd");
    fs::create_directories(folder.path() / "com.wexo.Wexo" / "com.global");
    platform::TempFolder::write(folder.path() / "keep", "x");

    click("deleteApp:", *g().appsTableView.viewAt(1)->deleteButton());
    EXPECT_EQ(g().apps().size(), 1u);
    EXPECT_TRUE(fs::exists(folder.path() / "keep"));
    EXPECT_TRUE(fs::exists(folder.path() / "com.wexo.Wexo" / "com.global"));
}

}  // namespace
}  // namespace wexo::testing

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/Alert.h"
#include "ui/Button.h"
#include "ui/CollectionView.h"
#include "ui/KxSlider.h"
#include "ui/KxViewForMenuItem.h"
#include "ui/MenuItem.h"
#include "ui/PopUpButton.h"
#include "ui/PortTestDesktop.h"
#include "ui/StatusItem.h"
#include "ui/TableView.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace wexo::ui::testing {
namespace {

using platform::Rect;

// A screen with a table of `rows` text rows; each cell's check box reloads
// the table from its own action.
class ListScreen : public ViewController, public TableViewDataSource {
  public:
    ListScreen() : ViewController("List") {
        view().addSubview(table);
        table.setDataSource(this);
        table.setTarget(this, "tableViewSelectionDidChange:");
        addAction("tableViewSelectionDidChange:", [this](Control&) { ++selectionChanges; });
        addAction("reload:", [this](Control& sender) {
            auto& box = dynamic_cast<Button&>(sender);
            table.reloadData();
            table.reloadData();
            // The sender outlives the reloads of its own action.
            senderState = box.state();
        });
    }
    std::size_t numberOfRowsInTableView(TableView&) override { return rows; }
    std::unique_ptr<TableCellView> viewForTableColumn(TableView&, const std::string&,
                                                      std::size_t row) override {
        auto cell = std::make_unique<TableCellView>("cell");
        cell->textField().setStringValue("row " + std::to_string(row));
        cell->addCheckBox().setTarget(this, "reload:");
        return cell;
    }
    TableView table{"table"};
    std::size_t rows = 3;
    int selectionChanges = 0;
    int senderState = -5;
};

TEST(PortTest, ATableSendsItsActionWhenTheSelectionChanges) {
    PortTestDesktop t;
    ListScreen s;
    s.table.reloadData();
    ASSERT_EQ(s.table.numberOfRows(), 3u);
    s.table.selectRow(2);
    s.table.selectRow(2);
    EXPECT_EQ(s.selectionChanges, 1);
    // A reload keeps a row that still exists, quietly.
    s.table.reloadData();
    EXPECT_EQ(s.table.selectedRow(), 2);
    EXPECT_EQ(s.selectionChanges, 1);
    // One that is gone is deselected, and that is a change.
    s.rows = 2;
    s.table.reloadData();
    EXPECT_EQ(s.table.selectedRow(), -1);
    EXPECT_EQ(s.selectionChanges, 2);
    s.table.selectRow(7);
    EXPECT_EQ(s.table.selectedRow(), -1);

    Button* box = s.table.viewAt(1)->checkBox();
    EXPECT_EQ(s.table.rowForView(*box), 1);
    EXPECT_TRUE(box->performClick());
    EXPECT_EQ(s.senderState, kStateOn);
    EXPECT_EQ(s.table.viewAt(1)->textField().stringValue(), "row 1");
}

TEST(PortTest, FadesCompleteInVirtualTimeAndOnlyForControlsStillThere) {
    PortTestDesktop t;
    int done = 0;
    auto label = std::make_unique<TextField>("label");
    label->animateAlphaValue(0, 0.4, [&] { ++done; });
    EXPECT_EQ(label->alphaValue(), 0);
    EXPECT_EQ(label->alphaAnimationDuration(), 0.4);
    t.desktop.advanceBySeconds(0.39);
    EXPECT_EQ(done, 0);
    t.desktop.advanceBySeconds(0.01);
    EXPECT_EQ(done, 1);

    label->animateAlphaValue(1, 0.4, [&] { ++done; });
    label.reset();
    t.desktop.advanceBySeconds(1);
    EXPECT_EQ(done, 1);
}

TEST(PortTest, APositionAnimationMovesAlongItsCurveInVirtualTime) {
    PortTestDesktop t;
    int done = 0;
    View dot("dot");
    dot.setFrame(Rect(10, 20, 4, 4));
    // Eased by p squared: half the time covers a quarter of the way.
    dot.animateFrameOrigin(
        {10, 20}, {10, 120}, 1.0, [](double p) { return p * p; }, [&] { ++done; });
    EXPECT_EQ(dot.frame(), Rect(10, 120, 4, 4));
    EXPECT_EQ(dot.presentationOrigin(), (platform::Point{10, 20}));
    t.desktop.advanceBySeconds(0.5);
    EXPECT_DOUBLE_EQ(dot.presentationOrigin().y, 45);
    EXPECT_EQ(done, 0);
    t.desktop.advanceBySeconds(0.5);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(dot.presentationOrigin(), (platform::Point{10, 120}));

    dot.animateFrameOrigin({10, 120}, {0, 0}, 2.0, nullptr);
    t.desktop.advanceBySeconds(0.5);
    EXPECT_DOUBLE_EQ(dot.presentationOrigin().x, 7.5);
    // A plain move ends what is shown of the animation.
    dot.setFrame(Rect(3, 3, 4, 4));
    EXPECT_FALSE(dot.positionAnimation());
    EXPECT_EQ(dot.presentationOrigin(), (platform::Point{3, 3}));
}

// A screen with a collection of `count` items; it notes the selection
// messages it gets as "+1" and "-1".
class GridScreen : public ViewController, public CollectionViewDataSource {
  public:
    GridScreen() : ViewController("Grid") {
        view().addSubview(grid);
        grid.setFrame(Rect(0, 0, 120, 100));
        grid.setItemSize({50, 40});
        grid.registerItem("cell", [] { return std::make_unique<CollectionViewItem>("cell"); });
        grid.setDataSource(this);
        grid.setTarget(this, "select:");
        grid.setDeselectAction("deselect:");
        addAction("select:", [this](Control&) { note("+"); });
        addAction("deselect:", [this](Control&) { note("-"); });
    }
    std::size_t numberOfItemsInSection(CollectionView&) override { return count; }
    std::unique_ptr<CollectionViewItem> itemForRepresentedObjectAtIndexPath(CollectionView& c,
                                                                            std::size_t) override {
        return c.makeItemWithIdentifier("cell");
    }
    void note(const char* sign) {
        for (std::size_t i : grid.changedIndexPaths()) messages.push_back(sign + std::to_string(i));
    }
    CollectionView grid{"grid"};
    std::size_t count = 3;
    std::vector<std::string> messages;
};

TEST(PortTest, ACollectionSelectsByClicksAndReusesItsItems) {
    PortTestDesktop t;
    GridScreen s;
    s.grid.reloadData();
    ASSERT_EQ(s.grid.numberOfItems(), 3u);
    // Two items a row from the top left; the third starts the second row.
    EXPECT_EQ(s.grid.itemAtIndex(1)->view().frame(), Rect(50, 60, 50, 40));
    EXPECT_EQ(s.grid.itemAtIndex(2)->view().frame(), Rect(0, 20, 50, 40));

    EXPECT_TRUE(s.grid.clickItemAtIndex(1));
    EXPECT_FALSE(s.grid.clickItemAtIndex(1));
    EXPECT_FALSE(s.grid.clickItemAtIndex(3));
    EXPECT_TRUE(s.grid.clickItemAtIndex(2));
    EXPECT_EQ(s.messages, (std::vector<std::string>{"+1", "-1", "+2"}));
    EXPECT_TRUE(s.grid.itemAtIndex(2)->isSelected());
    EXPECT_FALSE(s.grid.itemAtIndex(1)->isSelected());

    // A reload shows the same items again, none selected, and says nothing.
    CollectionViewItem* first = s.grid.itemAtIndex(0);
    s.count = 4;
    s.grid.reloadData();
    EXPECT_EQ(s.grid.itemAtIndex(0), first);
    EXPECT_EQ(s.grid.numberOfItems(), 4u);
    EXPECT_TRUE(s.grid.selectionIndexes().empty());
    EXPECT_FALSE(s.grid.itemAtIndex(2)->isSelected());
    EXPECT_EQ(s.messages.size(), 3u);
}

TEST(PortTest, AlertsComeAfterTheCurrentEventAndReportTheChosenButton) {
    PortTestDesktop t;
    std::optional<std::size_t> chosen;
    Alert("All your custom settings will be removed. Are you sure?", {"Yes", "Cancel"})
        .runModalLater([&](std::size_t button) { chosen = button; });
    EXPECT_EQ(t.userInterface.currentAlert(), nullptr);
    t.desktop.advanceBy(0);
    ASSERT_NE(t.userInterface.currentAlert(), nullptr);
    EXPECT_FALSE(t.userInterface.answerAlert("No"));
    EXPECT_TRUE(t.userInterface.answerAlert("Cancel"));
    EXPECT_EQ(chosen, 1u);
    EXPECT_EQ(t.userInterface.currentAlert(), nullptr);
    const auto alerts = t.recordsOf<records::Alert>();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].buttons, (std::vector<std::string>{"Yes", "Cancel"}));
}

TEST(PortTest, TheProgramsWindowsAreListedByLayerWhileShown) {
    PortTestDesktop t;
    auto& list = t.desktop.simWindowList();
    list.setWindows({{502, 20, Rect(0, 1000, 1920, 80), std::nullopt},
                     {501, 0, Rect(0, 0, 800, 600), std::nullopt}});
    // Screen-list frames: the main display is 1080 high.
    Window prefs("Preferences", Rect(100, 80, 400, 300));
    Window overlay("Overlay", Rect(0, 0, 1920, 1080));
    overlay.setLevel(kWindowLevelFloating);
    prefs.makeKeyAndOrderFront();
    overlay.makeKeyAndOrderFront();

    auto windows = t.desktop.windowList().onScreenWindows();
    ASSERT_EQ(windows.size(), 4u);
    EXPECT_EQ(windows[0].ownerPid, 502);  // the Dock's layer stays on top
    EXPECT_EQ(windows[1].layer, 3);
    EXPECT_EQ(windows[1].ownerPid, platform::sim::SimProcess::kPid);
    EXPECT_EQ(windows[2].bounds, Rect(100, 700, 400, 300));
    EXPECT_EQ(windows[3].ownerPid, 501);
    // Replacing the other windows leaves the program's.
    list.setWindows({{501, 0, Rect(0, 0, 800, 600), std::nullopt}});
    EXPECT_EQ(t.desktop.windowList().onScreenWindows().size(), 3u);
    // A window moved while on screen keeps its place.
    prefs.setFrame(Rect(0, 0, 400, 300));
    EXPECT_EQ(t.desktop.windowList().onScreenWindows()[1].bounds, Rect(0, 780, 400, 300));

    overlay.close();
    prefs.close();
    EXPECT_EQ(t.desktop.windowList().onScreenWindows().size(), 1u);
    std::vector<std::string> seen;
    for (const auto& w : t.recordsOf<records::Window>())
        seen.push_back(w.name + (w.shown ? "+" : "-"));
    EXPECT_EQ(seen,
              (std::vector<std::string>{"Preferences+", "Overlay+", "Overlay-", "Preferences-"}));
    // Showing a window again is one record more; ordering it front is none.
    prefs.makeKeyAndOrderFront();
    prefs.orderFrontRegardless();
    EXPECT_EQ(t.recordsOf<records::Window>().size(), 5u);
}

TEST(PortTest, TheStatusMenuIsRecordedWhenBuiltAndWhenATitleChanges) {
    PortTestDesktop t;
    StatusItem item;
    auto menu = std::make_shared<Menu>();
    auto first = std::make_shared<MenuItem>("Disable Scroll");
    menu->addItem(first);
    menu->addItem(MenuItem::separatorItem());
    menu->addItem(std::make_shared<MenuItem>("Quit"));
    EXPECT_TRUE(t.recordsOf<records::Menu>().empty());
    item.setMenu(menu);
    first->setTitle("Disable Scroll");
    first->setTag(51);
    first->setTitle("Enable Scroll");
    item.setVisible(false);
    const auto menus = t.recordsOf<records::Menu>();
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].items, (std::vector<std::string>{"Disable Scroll", "-", "Quit"}));
    EXPECT_EQ(menus[1].items[0], "Enable Scroll");
    const auto visible = t.recordsOf<records::StatusItem>();
    ASSERT_EQ(visible.size(), 2u);
    EXPECT_TRUE(visible[0].visible);
    EXPECT_FALSE(visible[1].visible);
}

TEST(PortTest, APopUpsCustomItemViewActsAsAClickOnItsItem) {
    PortTestDesktop t;
    struct Target : ActionTarget {
        Target() {
            addAction("screenSelected:", [this](Control& sender) {
                chosen = dynamic_cast<PopUpButton&>(sender).indexOfSelectedItem();
            });
        }
        std::ptrdiff_t chosen = -1;
    } target;
    PopUpButton popUp("popUp");
    popUp.setTarget(&target, "screenSelected:");
    for (const char* name : {"All Screens", "1. Left"}) {
        auto item = std::make_shared<MenuItem>(name);
        auto view = std::make_unique<KxViewForMenuItem>();
        view->createTitle(name);
        item->setView(std::move(view));
        popUp.menu().addItem(item);
    }
    auto* view = dynamic_cast<KxViewForMenuItem*>(popUp.menu().itemAtIndex(1)->view());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->frame().size, (platform::Size{145, 30}));
    EXPECT_EQ(view->titleLabel()->textColor(), Color::dirtyWhite());
    EXPECT_EQ(KxViewForMenuItem::fillColor(true), Color::smurfBlue());
    popUp.performClick();
    EXPECT_TRUE(popUp.menu().isTracking());
    EXPECT_TRUE(view->mouseDown());
    EXPECT_EQ(target.chosen, 1);
    EXPECT_FALSE(popUp.menu().isTracking());
}

TEST(PortTest, ASliderKeepsItsKnobInRangeAndShowsItsFormat) {
    KxSlider slider("slider", 1, 10);
    slider.setKnobFormat("%.02f");
    slider.setSliderTag(102);
    slider.setDoubleValue(12);
    EXPECT_EQ(slider.doubleValue(), 10);
    EXPECT_EQ(slider.knobField().stringValue(), "10.00");
    EXPECT_EQ(slider.knobField().tag(), 102);
    slider.setDoubleValue(2.345);
    EXPECT_EQ(slider.knobText(), "2.35");
    EXPECT_EQ(slider.integerValue(), 2);
    // While a person types, the knob keeps the text.
    slider.beginEditingKnob();
    slider.knobField().setStringValue("7");
    slider.setDoubleValue(3);
    EXPECT_EQ(slider.knobField().stringValue(), "7");
    slider.endEditingKnob();
    EXPECT_EQ(slider.knobField().stringValue(), "3.00");
    // A disabled slider cannot be edited, and hiding it hides its knob.
    slider.setEnabled(false);
    slider.beginEditingKnob();
    EXPECT_FALSE(slider.knobField().isEditing());
    slider.setHidden(true);
    EXPECT_TRUE(slider.knobField().isHiddenOrHasHiddenAncestor());
}

TEST(PortTest, AControlsRectangleOnScreen) {
    PortTestDesktop t;
    ViewController screen("Buttons");
    View container("container");
    TableView table("list");
    screen.view().setFrame(Rect(0, 0, 760, 520));
    screen.view().addSubview(container);
    container.addSubview(table);
    container.setFrame(Rect(20, 30, 400, 300));
    table.setFrame(Rect(10, 5, 200, 100));
    EXPECT_EQ(table.frameInWindow(), Rect(30, 35, 200, 100));
    Window window("Preferences", Rect(580, 280, 760, 520));
    window.setContentViewController(&screen);
    EXPECT_EQ(screen.window(), &window);
    EXPECT_EQ(window.convertRectToScreen(table.frameInWindow()), Rect(610, 315, 200, 100));
    window.setContentViewController(nullptr);
}

class Presented : public ViewController {
  public:
    Presented() : ViewController("About") {
        view().setFrame(Rect(0, 0, 300, 200));
        addAction("close:", [this](Control&) { dismiss(); });
    }
    void viewWillAppear() override { ++appearances; }
    int appearances = 0;
};

TEST(PortTest, APresentedScreenGetsAWindowOfItsOwnUntilDismissed) {
    PortTestDesktop t;
    ViewController presenter("Scroll");
    auto& shown = dynamic_cast<Presented&>(
        presenter.presentViewControllerAsModalWindow(std::make_unique<Presented>()));
    ASSERT_NE(shown.window(), nullptr);
    EXPECT_EQ(shown.window()->frame(), Rect(810, 440, 300, 200));
    EXPECT_TRUE(shown.window()->isVisible());
    EXPECT_EQ(shown.appearances, 1);
    EXPECT_EQ(shown.presentingViewController(), &presenter);
    Button close;
    close.setTarget(&shown, "close:");
    close.performClick();
    EXPECT_TRUE(presenter.presentedViewControllers().empty());
    EXPECT_EQ(t.recordsOf<records::Window>().back().name, "About");
    EXPECT_FALSE(t.recordsOf<records::Window>().back().shown);
}

}  // namespace
}  // namespace wexo::ui::testing

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QStyleOptionSlider>
#include <QTableWidget>
#include <QTest>

#include "actions/KxShortcutsKeeper.h"
#include "ui-qt/QtTestProgram.h"
#include "ui-qt/Suites.h"
#include "ui/ButtonAssignViewController.h"
#include "ui/GesturesViewController.h"
#include "ui/GrabViewController.h"
#include "ui/ScrollViewController.h"
#include "ui/qt/DrawingWidget.h"
#include "ui/qt/KnobSlider.h"

namespace wexo::testing {
namespace {

using ui::qt::KnobSlider;

QPoint handleCentre(QSlider& slider) {
    QStyleOptionSlider opt;
    opt.initFrom(&slider);
    opt.orientation = slider.orientation();
    opt.minimum = slider.minimum();
    opt.maximum = slider.maximum();
    opt.sliderPosition = slider.sliderPosition();
    opt.sliderValue = slider.value();
    return slider.style()
        ->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, &slider)
        .center();
}

std::optional<plist::Value> at(const std::optional<plist::Value>& v, const std::string& key) {
    if (!v || !v->asDictionary()) return std::nullopt;
    auto it = v->asDictionary()->find(key);
    return it == v->asDictionary()->end() ? std::nullopt : std::optional<plist::Value>(it->second);
}

class ControlsTest : public QObject {
    Q_OBJECT

  private slots:
    void aTickedBoxIsStoredAndTheModelShowsInTheBox() {
        QtTestProgram p({{"grabButtonNumber", 4}});
        p.launch();
        p.outlet<QAbstractButton>("showGrabOutlt")->click();
        auto* box = p.outlet<QCheckBox>("reverseGrabMouseOutlt");
        QVERIFY(box && box->isVisible());
        QVERIFY(!box->isChecked());
        // On the box's square, at the left.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
        QCOMPARE(p.stored("grabReverseMouse"), plist::Value(true));
        QVERIFY(p.keeper().getIsReverseGrabVertical());

        // The other way: the model changes, the widget follows.
        auto& grab =
            *dynamic_cast<GrabViewController*>(KxMenu::sharedInstance().registeredScreen("Grab"));
        grab.reverseGrabMouseOutlt.setState(ui::kStateOff);
        QVERIFY(!box->isChecked());
        grab.grabAccelOutlt.setDoubleValue(7);
        QCOMPARE(p.outlet<KnobSlider>("grabAccelOutlt")->knob().text(), QString("7"));
        grab.removeGrabOutlt.setHidden(true);
        QVERIFY(!p.outlet("removeGrabOutlt")->isVisibleTo(p.preferences().widget()));
    }

    void aDraggedSliderIsStoredWhenTheMouseLetsGo() {
        QtTestProgram p({{"grabButtonNumber", 4}});
        p.launch();
        p.outlet<QAbstractButton>("showGrabOutlt")->click();
        QSlider& slider = p.outlet<KnobSlider>("grabAccelOutlt")->slider();
        // Speed runs from 1 to 10 on whole steps; it starts at the first-use 1.
        QCOMPARE(slider.maximum(), 9);
        QCOMPARE(p.stored("grabAccelNumber"), plist::Value(1.0));
        const QPoint from = handleCentre(slider);
        QTest::mousePress(&slider, Qt::LeftButton, {}, from);
        QTest::mouseMove(&slider, QPoint(slider.width() - 1, from.y()));
        QCOMPARE(slider.value(), 9);
        // Not yet: only the end of the drag writes.
        QCOMPARE(p.stored("grabAccelNumber"), plist::Value(1.0));
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(slider.width() - 1, from.y()));
        QCOMPARE(p.stored("grabAccelNumber"), plist::Value(10.0));
        QCOMPARE(p.keeper().getGrabAccelNumber(), 10.0);

        // The keyboard's change is whole at once: one step down is 9.
        slider.setFocus();
        QTest::keyClick(&slider, Qt::Key_Left);
        QCOMPARE(p.stored("grabAccelNumber"), plist::Value(9.0));
    }

    void aValueTypedIntoTheKnobIsTakenWithinTheRange() {
        QtTestProgram p({{"grabButtonNumber", 4}});
        p.launch();
        p.outlet<QAbstractButton>("showGrabOutlt")->click();
        auto* slider = p.outlet<KnobSlider>("throwDurationOutlt");
        ui::qt::KnobField& knob = slider->knob();
        QVERIFY(knob.isReadOnly());
        QTest::mouseDClick(&knob, Qt::LeftButton);
        QVERIFY(!knob.isReadOnly());
        knob.selectAll();
        QTest::keyClicks(&knob, "250");
        QTest::keyClick(&knob, Qt::Key_Return);
        QCOMPARE(p.stored("throwDuration"), plist::Value(250.0));
        QVERIFY(knob.isReadOnly());
        QCOMPARE(knob.text(), QString("250"));
        // Throw durations run from 10 to 300: 400 is refused and the knob
        // shows the value it had.
        QTest::mouseDClick(&knob, Qt::LeftButton);
        knob.selectAll();
        QTest::keyClicks(&knob, "400");
        QTest::keyClick(&knob, Qt::Key_Return);
        QCOMPARE(p.stored("throwDuration"), plist::Value(250.0));
        QCOMPARE(knob.text(), QString("250"));
    }

    void aPickedActionIsStoredAsTheButtonsAssignment() {
        QtTestProgram p;
        p.launch();
        p.outlet<QAbstractButton>("showButtonsOutlt")->click();
        auto& buttons = *dynamic_cast<ButtonAssignViewController*>(
            KxMenu::sharedInstance().registeredScreen("Buttons"));
        // The mouse tap captures button 3 while the Buttons tab is in front.
        auto button = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(3);
        p.keeper().getMouseButtonsDict()["3"]["temp"] = button;
        buttons.convertDictToArrayAndSelectButton(button);
        p.settle();
        auto* list = p.outlet<QTableWidget>("mouseButtonsTableView");
        QCOMPARE(list->rowCount(), 1);
        QVERIFY(p.outlet("actionsContainer")->isVisibleTo(p.preferences().widget()));

        QTest::mouseClick(p.outlet<QAbstractButton>("mediaBtnOutlt"), Qt::LeftButton);
        auto* actions = p.outlet<QTableWidget>("actionsTableView");
        int volumeUp = -1;
        const auto media = buttons.actionSelectionVC()->mediaActionsArray();
        for (std::size_t i = 0; i < media.size(); ++i)
            if (media[i].prettyName == "Volume Up") volumeUp = static_cast<int>(i);
        QVERIFY(volumeUp >= 0);
        QCOMPARE(actions->rowCount(), static_cast<int>(media.size()));
        const QRect row = actions->visualRect(actions->model()->index(volumeUp, 0));
        QTest::mouseClick(actions->viewport(), Qt::LeftButton, {}, row.center());

        const auto stored = at(at(p.stored("buttonAssignDict"), "3"), "0");
        QVERIFY(stored);
        QCOMPARE(at(stored, "prettyName"), plist::Value("Volume Up"));
        QCOMPARE(at(stored, "typeOfAction"), plist::Value(1));
        // The list shows the assignment.
        auto* actionText =
            list->cellWidget(0, 1)->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(actionText);
        bool shown = false;
        for (QLabel* l : list->cellWidget(0, 1)->findChildren<QLabel*>())
            shown = shown || l->text() == "Volume Up";
        QVERIFY(shown);
    }

    void aGestureDrawnWithTheMouseIsRecordedWithItsThumbnail() {
        QtTestProgram p({{"gestureNumber", 1}});
        p.launch();
        p.outlet<QAbstractButton>("showGesturesOutlt")->click();
        QTest::mouseClick(p.outlet<QAbstractButton>("addGestureOutlt"), Qt::LeftButton);
        p.settle(1.0);  // the picker fades out, the drawing area in
        auto* area = p.outlet<ui::qt::DrawingWidget>("drawView");
        QVERIFY(area && area->isVisibleTo(p.preferences().widget()));
        // Right, then down, with the gesture button (the right one).
        QTest::mousePress(area, Qt::RightButton, {}, QPoint(20, 20));
        for (int x = 30; x <= 180; x += 10) QTest::mouseMove(area, QPoint(x, 20));
        for (int y = 30; y <= 180; y += 10) QTest::mouseMove(area, QPoint(180, y));
        QVERIFY(!area->drawing().strokes.empty());
        QTest::mouseRelease(area, Qt::RightButton, {}, QPoint(180, 180));

        const auto apps = p.stored("gesturesAppsArray");
        QVERIFY(apps && apps->asArray() && !apps->asArray()->empty());
        const auto& global = apps->asArray()->front();
        const auto gestures = at(global, "gestures");
        QVERIFY(gestures && gestures->asArray() && gestures->asArray()->size() == 1);
        const auto& gesture = gestures->asArray()->front();
        QCOMPARE(at(gesture, "gestureDirections"), plist::Value("42"));
        const auto path = at(gesture, "gestureImagePath");
        QVERIFY(path && path->asString());
        QImage thumbnail(QString::fromStdString(*path->asString()));
        QCOMPARE(thumbnail.size(), QSize(40, 40));
        QCOMPARE(p.outlet<QTableWidget>("gesturesTableView")->rowCount(), 1);
    }
};

}  // namespace

std::unique_ptr<QObject> makeControlsTest() {
    return std::make_unique<ControlsTest>();
}

}  // namespace wexo::testing

#include "ControlsTest.moc"

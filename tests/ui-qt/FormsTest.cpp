#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLabel>
#include <QTest>

#include "app/AppDelegate.h"
#include "app/MainStoryboard.h"
#include "ui-qt/QtTestProgram.h"
#include "ui-qt/Suites.h"
#include "ui/TextField.h"
#include "ui/qt/ControlBinder.h"
#include "ui/qt/FormLibrary.h"
#include "ui/qt/ToolTips.h"

namespace wexo::testing {
namespace {

using ui::qt::ScreenForm;

// Gesture, grab and auto-scroll buttons set, so that every screen shows its
// controls rather than its help text alone.
plist::Dictionary everythingSet() {
    return {{"gestureNumber", 1}, {"grabButtonNumber", 4}, {"autoScrollButtonNumber", 2}};
}

// Every outlet of the screen (embedded screens included) has its widget,
// and that widget has a binder.
void expectBound(ScreenForm& form) {
    for (const std::string& m : form.mismatches()) QFAIL(m.c_str());
    std::vector<ScreenForm*> forms{&form};
    for (const auto& child : form.screen().childViewControllers())
        if (ScreenForm* f = form.childForm(child->screenName())) forms.push_back(f);
    for (ScreenForm* f : forms) {
        for (ui::Control* outlet : ScreenForm::outlets(f->screen())) {
            QWidget* w = f->outletWidget(outlet->identifier());
            QVERIFY2(w, outlet->identifier().c_str());
            QVERIFY2(w->findChild<ui::qt::ControlBinder*>(QString(), Qt::FindDirectChildrenOnly),
                     outlet->identifier().c_str());
        }
    }
}

class FormsTest : public QObject {
    Q_OBJECT

  private slots:
    void everyScreenTheProgramNamesHasAForm() {
        for (const char* name : MainStoryboard::kScreenNames) {
            QWidget* w = ui::qt::FormLibrary::create(name);
            QVERIFY2(w, name);
            delete w;
        }
    }

    void everyOutletOfEveryScreenIsBound() {
        QtTestProgram p(everythingSet());
        p.launch();
        // The preferences window with the five embedded screens and the
        // action picker in two of them.
        ScreenForm& prefs = *p.preferences().form();
        expectBound(prefs);
        QCOMPARE(prefs.screen().childViewControllers().size(), 5u);
        for (const char* embedded : {"Buttons", "Gestures", "Grab", "Auto", "Settings", "Actions"})
            QVERIFY2(prefs.childForm(embedded), embedded);

        ScreenForm overlay(
            *p.root->appDelegate()->fullScreenGestureWindowController()->contentViewController());
        expectBound(overlay);
        delete overlay.widget();

        for (const char* id : {"AboutID", "EasingViewController"}) {
            auto screen = p.root->storyboard().instantiateViewController(id);
            screen->loadViewIfNeeded();
            ScreenForm form(*screen);
            expectBound(form);
            delete form.widget();
        }
        auto permission = p.root->storyboard().instantiateWindowController("AccessibilityID");
        ScreenForm form(*permission->contentViewController());
        expectBound(form);
        delete form.widget();
    }

    void aFormThatDoesNotFitItsScreenIsReported() {
        // A screen named Grab without the Grab screen's outlets, and with
        // one the Grab form lacks.
        QtTestProgram p;
        p.launch();
        ui::ViewController bare("Grab");
        ui::TextField extra("notInTheForm");
        bare.view().addSubview(extra);
        ScreenForm form(bare);
        const auto m = form.mismatches();
        auto has = [&](const std::string& text) {
            return std::find(m.begin(), m.end(), text) != m.end();
        };
        QVERIFY(has("Grab: outlet notInTheForm has no widget"));
        QVERIFY(has("Grab: widget grabHelpLbl has no outlet"));
        QVERIFY(has("Grab: widget throwDurationOutlt has no outlet"));
        delete form.widget();
    }

    void noTabShowsAnEmptyLabelOrATooltipWithoutText() {
        QtTestProgram p(everythingSet());
        p.launch();
        QWidget* window = p.preferences().widget();
        for (const char* tab : {"showScrollOutlt", "showButtonsOutlt", "showGesturesOutlt",
                                "showGrabOutlt", "showAutoOutlt", "showSettingsOutlt"}) {
            p.outlet<QAbstractButton>(tab)->click();
            p.settle();
            for (QLabel* label : window->findChildren<QLabel*>()) {
                if (!label->isVisibleTo(window) || !label->pixmap().isNull()) continue;
                const QString where = QString("%1: %2").arg(tab, label->objectName());
                QVERIFY2(!label->text().trimmed().isEmpty(), qPrintable(where));
            }
            for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
                // A list's rows carry check boxes whose row names them.
                if (!b->isVisibleTo(window) || !b->icon().isNull() ||
                    !b->accessibleName().isEmpty())
                    continue;
                QVERIFY2(!b->text().trimmed().isEmpty(), qPrintable(b->objectName()));
            }
        }
        // Every key the screens name has its text.
        for (ui::Control* c : ScreenForm::outlets(p.preferences().form()->screen()))
            if (c->toolTipKey())
                QVERIFY2(!ui::qt::ToolTips::text(*c->toolTipKey()).isEmpty(),
                         c->toolTipKey()->c_str());
        for (const char* key : {"grabSpeed", "autoSpeed", "settingsAcceleration", "gestureAddBind"})
            QVERIFY2(!ui::qt::ToolTips::text(key).isEmpty(), key);
    }
};

}  // namespace

std::unique_ptr<QObject> makeFormsTest() {
    return std::make_unique<FormsTest>();
}

}  // namespace wexo::testing

#include "FormsTest.moc"

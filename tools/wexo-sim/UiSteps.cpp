#include "wexo-sim/UiSteps.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "app/MainStoryboard.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CollectionView.h"
#include "ui/KxLocalDrawView.h"
#include "ui/KxSlider.h"
#include "ui/MenuItem.h"
#include "ui/PopUpButton.h"
#include "ui/StatusItem.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace wexo::simrunner {

namespace {

// What a person does to one control.
struct Operation {
    std::string screen;
    std::string action;
    std::optional<int> state;
    std::optional<double> value;
    std::optional<std::int64_t> tag;
    std::optional<std::size_t> row;
    std::optional<std::string> text;
    bool dragging = false;
};

// Runs a person's act as one unit of the program's main-thread work, while
// the program runs; `leftMouseUp` says whether the event being handled is a
// release of the left button.
template <class Act>
void asPerson(RunContext& c, bool leftMouseUp, Act&& act) {
    if (!c.desktop.simProcess().alive()) return;
    c.userInterface.setCurrentEventLeftMouseUp(leftMouseUp);
    c.desktop.simRunLoop().runWork([&] { act(); });
    c.userInterface.setCurrentEventLeftMouseUp(false);
}

ui::Application& application(RunContext& c, const std::string& at) {
    ui::Application* app = c.program.application();
    if (!app) throw RunError(at, "the program has no user interface");
    return *app;
}

bool onScreen(const ui::ViewController& screen) {
    const ui::Window* window = screen.window();
    return window && window->isVisible() && !screen.view().isHiddenOrHasHiddenAncestor();
}

ui::ViewController& findScreen(RunContext& c, const std::string& name, const std::string& at) {
    ui::ViewController* found = nullptr;
    for (ui::ViewController* screen : application(c, at).viewControllers()) {
        if (screen->screenName() != name) continue;
        if (onScreen(*screen)) return *screen;
        if (!found) found = screen;
    }
    if (!found) throw RunError(at, "the " + name + " screen is not loaded in this run");
    return *found;
}

// Every control of the screen, its embedded screens' controls left out.
void collect(ui::Control& control, const ui::ViewController& screen,
             std::vector<ui::Control*>& out) {
    out.push_back(&control);
    for (ui::Control* inner : control.innerControls()) {
        auto* view = dynamic_cast<ui::View*>(inner);
        if (view && view->viewController() && view->viewController() != &screen) continue;
        collect(*inner, screen, out);
    }
}

ui::TableView* enclosingTable(const ui::Control& control) {
    for (ui::Control* c = control.enclosingControl(); c; c = c->enclosingControl())
        if (auto* table = dynamic_cast<ui::TableView*>(c)) return table;
    return nullptr;
}

ui::Control& findControl(ui::ViewController& screen, const Operation& op, const std::string& at) {
    std::vector<ui::Control*> all;
    collect(screen.view(), screen, all);
    std::vector<ui::Control*> matches;
    for (ui::Control* control : all) {
        if (control->action() != op.action) continue;
        if (op.tag && control->tag() != *op.tag) continue;
        if (ui::TableView* table = enclosingTable(*control)) {
            // A control in a table's cell: the row names the cell.
            if (!op.row || table->rowForView(*control) != static_cast<std::ptrdiff_t>(*op.row))
                continue;
        }
        matches.push_back(control);
    }
    if (matches.empty())
        throw RunError(at, "the " + screen.screenName() + " screen has no control sending " +
                               op.action + (op.tag ? " with tag " + std::to_string(*op.tag) : "") +
                               (op.row ? " in row " + std::to_string(*op.row) : ""));
    if (matches.size() > 1)
        throw RunError(at, "several controls send " + op.action + "; give the tag or the row");
    return *matches.front();
}

void operate(ui::Control& control, const Operation& op, const std::string& at) {
    if (auto* table = dynamic_cast<ui::TableView*>(&control)) {
        if (!op.row || *op.row >= table->numberOfRows())
            throw RunError(at, "choose an existing row of the table");
        table->selectRow(static_cast<std::ptrdiff_t>(*op.row));
        return;
    }
    if (auto* collection = dynamic_cast<ui::CollectionView*>(&control)) {
        if (!op.row || *op.row >= collection->numberOfItems())
            throw RunError(at, "choose an existing item of the collection by its row");
        collection->clickItemAtIndex(*op.row);
        return;
    }
    if (auto* popUp = dynamic_cast<ui::PopUpButton*>(&control)) {
        if (!op.row || !popUp->chooseItemAtIndex(*op.row))
            throw RunError(at, "choose an enabled item of the pop-up menu by its row");
        return;
    }
    if (auto* field = dynamic_cast<ui::TextField*>(&control)) {
        if (!op.text) throw RunError(at, "give the text typed into the field");
        if (auto* slider = dynamic_cast<ui::KxSlider*>(field->enclosingControl()))
            slider->beginEditingKnob();
        else
            field->beginEditing();
        if (!field->isEditing()) throw RunError(at, "the field cannot be edited");
        field->setStringValue(*op.text);
        field->endEditing();
        return;
    }
    if (auto* slider = dynamic_cast<ui::KxSlider*>(&control)) {
        if (!op.value) throw RunError(at, "give the value the slider is moved to");
        slider->setDoubleValue(*op.value);
        slider->sendAction();
        return;
    }
    if (auto* button = dynamic_cast<ui::Button*>(&control)) {
        if (op.state) {
            button->setState(*op.state);
            button->sendAction();
        } else {
            button->performClick();
        }
        return;
    }
    control.sendAction();
}

std::string screenName(const Json& v, const JsonPath& p) {
    std::string name = readString(v, p);
    const auto& names = MainStoryboard::kScreenNames;
    if (std::find(std::begin(names), std::end(names), name) == std::end(names))
        throw ScenarioException(p, "no screen is called \"" + name + "\"");
    return name;
}

Operation operationFromJson(const Json& v, const JsonPath& p) {
    expectObject(v, p);
    checkMembers(v, p, {"screen", "action", "state", "value", "tag", "row", "text", "dragging"});
    Operation op;
    if (!v.contains("screen")) throw ScenarioException(p, "a ui step names its \"screen\"");
    if (!v.contains("action")) throw ScenarioException(p, "a ui step names its \"action\"");
    op.screen = screenName(v["screen"], p / "screen");
    op.action = readString(v["action"], p / "action");
    if (v.contains("state"))
        op.state = static_cast<int>(readInteger(v["state"], p / "state", -1, 1));
    if (v.contains("value")) op.value = readNumber(v["value"], p / "value");
    if (v.contains("tag"))
        op.tag = readInteger(v["tag"], p / "tag", std::numeric_limits<std::int64_t>::min(),
                             std::numeric_limits<std::int64_t>::max());
    if (v.contains("row"))
        op.row = static_cast<std::size_t>(
            readInteger(v["row"], p / "row", 0, std::numeric_limits<std::int32_t>::max()));
    if (v.contains("text")) op.text = readString(v["text"], p / "text");
    if (v.contains("dragging")) op.dragging = readBool(v["dragging"], p / "dragging");
    return op;
}

// A stroke drawn with one button in a screen's drawing area.
struct Stroke {
    std::string screen;
    std::int64_t button = 0;
    std::vector<platform::Point> points;  // in the area's coordinates
};

Stroke strokeFromJson(const Json& v, const JsonPath& p) {
    expectObject(v, p);
    checkMembers(v, p, {"screen", "button", "points"});
    if (!v.contains("screen")) throw ScenarioException(p, "a draw step names its \"screen\"");
    if (!v.contains("points")) throw ScenarioException(p, "a draw step gives its \"points\"");
    Stroke stroke;
    stroke.screen = screenName(v["screen"], p / "screen");
    if (v.contains("button")) stroke.button = readInteger(v["button"], p / "button", 0, 31);
    const Json& points = expectArray(v["points"], p / "points");
    if (points.empty()) throw ScenarioException(p / "points", "expected at least one point");
    for (std::size_t i = 0; i < points.size(); ++i)
        stroke.points.push_back(readPoint(points[i], (p / "points")[i]));
    return stroke;
}

ui::KxLocalDrawView& findDrawingArea(ui::ViewController& screen, const std::string& at) {
    std::vector<ui::Control*> all;
    collect(screen.view(), screen, all);
    for (ui::Control* control : all)
        if (auto* area = dynamic_cast<ui::KxLocalDrawView*>(control)) {
            if (area->isHiddenOrHasHiddenAncestor())
                throw RunError(
                    at, "the drawing area of the " + screen.screenName() + " screen is hidden");
            return *area;
        }
    throw RunError(at, "the " + screen.screenName() + " screen has no drawing area");
}

void expectTrue(const Json& v, const JsonPath& p) {
    if (!readBool(v, p)) throw ScenarioException(p, "expected true");
}

}  // namespace

StepParser menuStep() {
    return [](const Json& v, const JsonPath& p) {
        const std::string title = readString(v, p);
        const std::string at = p.str();
        return [title, at](RunContext& c) {
            asPerson(c, true, [&] {
                auto& items = application(c, at).statusItems();
                if (items.empty() || !items.front()->menu())
                    throw RunError(at, "the program has no status menu");
                ui::StatusItem& item = *items.front();
                if (!item.isVisible()) throw RunError(at, "the status item is hidden");
                ui::Menu& menu = *item.menu();
                ui::MenuItem* entry = menu.itemWithTitle(title);
                if (!entry) throw RunError(at, "the status menu has no item \"" + title + "\"");
                if (!menu.performActionForItemAtIndex(
                        static_cast<std::size_t>(menu.indexOfItem(*entry))))
                    throw RunError(at, "the item \"" + title + "\" cannot be chosen");
            });
        };
    };
}

StepParser reopenStep() {
    return [](const Json& v, const JsonPath& p) {
        expectTrue(v, p);
        return [](RunContext& c) { asPerson(c, true, [&] { c.userInterface.reopen(); }); };
    };
}

StepParser uiStep() {
    return [](const Json& v, const JsonPath& p) {
        const Operation op = operationFromJson(v, p);
        const std::string at = p.str();
        return [op, at](RunContext& c) {
            // Typing ends with a key, a drag in progress has no release yet.
            const bool leftMouseUp = !op.text && !op.dragging;
            asPerson(c, leftMouseUp, [&] {
                ui::ViewController& screen = findScreen(c, op.screen, at);
                if (!onScreen(screen))
                    throw RunError(at, "the " + op.screen + " screen is not on screen");
                ui::Control& control = findControl(screen, op, at);
                if (control.isHiddenOrHasHiddenAncestor())
                    throw RunError(at, "the control sending " + op.action + " is hidden");
                const ui::Control* owner = control.enclosingControl();
                const bool enabled =
                    control.isEnabled() &&
                    !(dynamic_cast<const ui::KxSlider*>(owner) && !owner->isEnabled());
                if (!enabled)
                    throw RunError(at, "the control sending " + op.action + " is disabled");
                operate(control, op, at);
            });
        };
    };
}

StepParser drawStep() {
    return [](const Json& v, const JsonPath& p) {
        const Stroke stroke = strokeFromJson(v, p);
        const std::string at = p.str();
        return [stroke, at](RunContext& c) {
            // The press, each drag and the release are events of their own.
            ui::KxLocalDrawView* area = nullptr;
            platform::Point origin;
            asPerson(c, false, [&] {
                ui::ViewController& screen = findScreen(c, stroke.screen, at);
                if (!onScreen(screen))
                    throw RunError(at, "the " + stroke.screen + " screen is not on screen");
                area = &findDrawingArea(screen, at);
                origin = area->frameInWindow().origin;
            });
            if (!area) return;
            auto inWindow = [&](platform::Point p) {
                return platform::Point{origin.x + p.x, origin.y + p.y};
            };
            asPerson(c, false,
                     [&] { area->mouseDown(inWindow(stroke.points.front()), stroke.button); });
            for (std::size_t i = 1; i < stroke.points.size(); ++i)
                asPerson(c, false,
                         [&] { area->mouseDragged(inWindow(stroke.points[i]), stroke.button); });
            asPerson(c, stroke.button == 0,
                     [&] { area->mouseUp(inWindow(stroke.points.back()), stroke.button); });
        };
    };
}

StepParser alertStep() {
    return [](const Json& v, const JsonPath& p) {
        const std::string button = readString(v, p);
        const std::string at = p.str();
        return [button, at](RunContext& c) {
            asPerson(c, true, [&] {
                if (!c.userInterface.currentAlert()) throw RunError(at, "no alert is on screen");
                if (!c.userInterface.answerAlert(button))
                    throw RunError(at, "the alert has no button \"" + button + "\"");
            });
        };
    };
}

StepParser openPanelStep() {
    return [](const Json& v, const JsonPath& p) {
        std::optional<std::string> path;
        if (!v.is_null()) path = readString(v, p);
        const std::string at = p.str();
        return [path, at](RunContext& c) {
            asPerson(c, true, [&] {
                if (!c.userInterface.answerOpenPanel(path))
                    throw RunError(at, "no open panel is on screen");
            });
        };
    };
}

StepParser closeWindowStep() {
    return [](const Json& v, const JsonPath& p) {
        expectTrue(v, p);
        const std::string at = p.str();
        return [at](RunContext& c) {
            asPerson(c, true, [&] {
                ui::Window* window = c.userInterface.frontWindow([](ui::Window& w) {
                    ui::ViewController* content = w.contentViewController();
                    return (content && content->respondsToSelector("closeWindow:")) ||
                           !w.isBorderless();
                });
                if (!window) throw RunError(at, "no window of the program can be closed");
                ui::ViewController* content = window->contentViewController();
                if (content && content->respondsToSelector("closeWindow:")) {
                    // The window's own close button.
                    ui::Button closeButton("closeButton");
                    content->performAction("closeWindow:", closeButton);
                } else {
                    window->close();
                }
            });
        };
    };
}

}  // namespace wexo::simrunner

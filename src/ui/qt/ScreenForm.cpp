#include "ui/qt/ScreenForm.h"

#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "platform/Log.h"
#include "ui/CollectionView.h"
#include "ui/EasingFunctionGraphView.h"
#include "ui/KxSlider.h"
#include "ui/MenuItem.h"
#include "ui/PopUpButton.h"
#include "ui/TableView.h"
#include "ui/qt/BinderFactory.h"
#include "ui/qt/FormLibrary.h"

namespace wexo::ui::qt {

namespace {
// Controls whose insides their binder draws itself.
bool drawsItsInside(Control& c) {
    return dynamic_cast<TableView*>(&c) || dynamic_cast<CollectionView*>(&c) ||
           dynamic_cast<PopUpButton*>(&c) || dynamic_cast<KxSlider*>(&c) ||
           dynamic_cast<MenuItem*>(&c) || dynamic_cast<wexo::EasingFunctionGraphView*>(&c);
}

void walk(Control& control, const ViewController& screen, std::vector<Control*>& out) {
    for (Control* inner : control.innerControls()) {
        auto* view = dynamic_cast<View*>(inner);
        if (view && view->viewController() && view->viewController() != &screen) continue;
        if (!inner->identifier().empty()) out.push_back(inner);
        if (!drawsItsInside(*inner)) walk(*inner, screen, out);
    }
}

bool formOnly(const QString& name) {
    return name.isEmpty() || name.startsWith(QLatin1String("form")) ||
           name.startsWith(QLatin1String("qt_"));
}
}  // namespace

std::vector<Control*> ScreenForm::outlets(ViewController& screen) {
    std::vector<Control*> out;
    walk(screen.view(), screen, out);
    return out;
}

ScreenForm::ScreenForm(ViewController& screen) : screen_(screen) {
    widget_ = FormLibrary::create(screen.screenName());
    if (!widget_) {
        mismatches_.push_back(screen.screenName() + ": no form");
        widget_ = new QWidget;
    }
    pair();
    embedChildren();
    for (const std::string& m : mismatches_) WEXO_LOG_ERROR("Form mismatch: %@", m);
}

ScreenForm::~ScreenForm() = default;

void ScreenForm::pair() {
    const std::string& name = screen_.screenName();
    const auto controls = outlets(screen_);
    std::set<QString> claimed;
    for (Control* c : controls) claimed.insert(QString::fromStdString(c->identifier()));
    // Before any binder builds widgets of its own.
    for (QWidget* w : widget_->findChildren<QWidget*>()) {
        const QString n = w->objectName();
        if (!formOnly(n) && !claimed.count(n))
            mismatches_.push_back(name + ": widget " + n.toStdString() + " has no outlet");
    }
    BinderFactory::bind(screen_.view(), *widget_);
    for (Control* c : controls) {
        auto* w = widget_->findChild<QWidget*>(QString::fromStdString(c->identifier()));
        if (!w) {
            mismatches_.push_back(name + ": outlet " + c->identifier() + " has no widget");
            continue;
        }
        std::string why;
        if (!BinderFactory::bind(*c, *w, &why))
            mismatches_.push_back(name + ": outlet " + c->identifier() + " " + why);
    }
}

void ScreenForm::embedChildren() {
    for (const auto& child : screen_.childViewControllers()) {
        const View* container = child->view().superview();
        QWidget* place =
            container
                ? widget_->findChild<QWidget*>(QString::fromStdString(container->identifier()))
                : nullptr;
        auto form = std::make_unique<ScreenForm>(*child);
        if (!place) {
            mismatches_.push_back(screen_.screenName() + ": no container for " +
                                  child->screenName());
            delete form->widget();
            continue;
        }
        if (!place->layout()) {
            auto* fill = new QVBoxLayout(place);
            fill->setContentsMargins(0, 0, 0, 0);
        }
        place->layout()->addWidget(form->widget());
        children_.push_back(std::move(form));
    }
}

std::vector<std::string> ScreenForm::mismatches() const {
    std::vector<std::string> all = mismatches_;
    for (const auto& child : children_) {
        auto more = child->mismatches();
        all.insert(all.end(), more.begin(), more.end());
    }
    return all;
}

QWidget* ScreenForm::outletWidget(const std::string& identifier) const {
    if (!widget_) return nullptr;
    // The form's own widgets first: an embedded screen may reuse a name.
    for (QWidget* w : widget_->findChildren<QWidget*>(QString::fromStdString(identifier))) {
        bool inChild = false;
        for (const auto& child : children_)
            if (child->widget() && child->widget()->isAncestorOf(w)) inChild = true;
        if (!inChild) return w;
    }
    for (const auto& child : children_)
        if (QWidget* w = child->outletWidget(identifier)) return w;
    return nullptr;
}

ScreenForm* ScreenForm::childForm(const std::string& screenName) const {
    for (const auto& child : children_) {
        if (child->screen().screenName() == screenName) return child.get();
        if (ScreenForm* deeper = child->childForm(screenName)) return deeper;
    }
    return nullptr;
}

}  // namespace wexo::ui::qt

#include "ui/qt/CollectionBinder.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/EasingFunctionGraphView.h"
#include "ui/TextField.h"
#include "ui/qt/BinderFactory.h"
#include "ui/qt/GraphWidget.h"

namespace wexo::ui::qt {

CollectionItemFrame::CollectionItemFrame(QWidget* parent) : QFrame(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::StyledPanel);
}

void CollectionItemFrame::setSelected(bool selected) {
    selected_ = selected;
    update();
}

void CollectionItemFrame::mousePressEvent(QMouseEvent*) {
    emit activated();
}

void CollectionItemFrame::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit activated();
            return;
        default:
            QFrame::keyPressEvent(event);
    }
}

void CollectionItemFrame::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!selected_ && !hasFocus()) return;
    QPainter p(this);
    QColor c = palette().color(QPalette::Highlight);
    if (!selected_) c.setAlphaF(0.5f);
    p.setPen(QPen(c, selected_ ? 3 : 1));
    p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
}

CollectionBinder::CollectionBinder(CollectionView& collection, QWidget& widget)
    : ControlBinder(collection, widget), collection_(collection), widget_(widget) {
    if (!widget.layout()) new QGridLayout(&widget);
}

CollectionItemFrame* CollectionBinder::itemFrame(std::size_t index) const {
    return index < frames_.size() ? frames_[index] : nullptr;
}

void CollectionBinder::refresh(ControlChange what) {
    switch (what) {
        case ControlChange::Rows:
            showItems();
            break;
        case ControlChange::Selection:
            showSelection();
            break;
        case ControlChange::Frame:
            break;  // laid out by its grid
        default:
            ControlBinder::refresh(what);
    }
}

void CollectionBinder::addControls(Control& control, QWidget& into) {
    if (auto* graph = dynamic_cast<wexo::EasingFunctionGraphView*>(&control)) {
        auto* w = new GraphWidget(&into);
        into.layout()->addWidget(w);
        BinderFactory::bind(*graph, *w);
        return;
    }
    if (auto* field = dynamic_cast<TextField*>(&control)) {
        auto* w = new QLabel(&into);
        w->setAlignment(Qt::AlignCenter);
        into.layout()->addWidget(w);
        BinderFactory::bind(*field, *w);
        return;
    }
    for (Control* inner : control.innerControls()) addControls(*inner, into);
}

void CollectionBinder::showItems() {
    auto* grid = qobject_cast<QGridLayout*>(widget_.layout());
    for (CollectionItemFrame* f : frames_) {
        f->hide();
        f->deleteLater();
    }
    frames_.clear();
    for (std::size_t i = 0; i < collection_.numberOfItems(); ++i) {
        CollectionViewItem* item = collection_.itemAtIndex(i);
        auto* frame = new CollectionItemFrame(&widget_);
        new QVBoxLayout(frame);
        if (item) addControls(item->view(), *frame);
        connect(frame, &CollectionItemFrame::activated, this,
                [this, i] { asPerson(true, [this, i] { collection_.clickItemAtIndex(i); }); });
        if (grid)
            grid->addWidget(frame, static_cast<int>(i) / kColumns, static_cast<int>(i) % kColumns);
        frames_.push_back(frame);
    }
    showSelection();
}

void CollectionBinder::showSelection() {
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        CollectionViewItem* item = collection_.itemAtIndex(i);
        frames_[i]->setSelected(item && item->isSelected());
        if (item) {
            QString name;
            for (auto* label : frames_[i]->findChildren<QLabel*>()) name = label->text();
            frames_[i]->setAccessibleName(name);
        }
    }
}

}  // namespace wexo::ui::qt

#include "ui/qt/BinderFactory.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "ui/Button.h"
#include "ui/CollectionView.h"
#include "ui/EasingFunctionGraphView.h"
#include "ui/ImageView.h"
#include "ui/KxLinesView.h"
#include "ui/KxSlider.h"
#include "ui/PopUpButton.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/qt/ButtonBinder.h"
#include "ui/qt/CollectionBinder.h"
#include "ui/qt/DrawingBinder.h"
#include "ui/qt/GraphWidget.h"
#include "ui/qt/ImageBinder.h"
#include "ui/qt/PopUpBinder.h"
#include "ui/qt/SliderBinder.h"
#include "ui/qt/TableBinder.h"
#include "ui/qt/TextFieldBinder.h"
#include "ui/qt/ViewBinder.h"

namespace wexo::ui::qt {

namespace {
template <class Binder, class... Args>
ControlBinder* started(Args&... args) {
    auto* binder = new Binder(args...);
    binder->start();
    return binder;
}

ControlBinder* refuse(std::string* why, const char* wanted, QWidget& widget) {
    if (why)
        *why = std::string("needs a ") + wanted + ", the form has a " +
               widget.metaObject()->className();
    return nullptr;
}
}  // namespace

ControlBinder* BinderFactory::bind(Control& control, QWidget& widget, std::string* why) {
    if (auto* table = dynamic_cast<TableView*>(&control)) {
        auto* w = qobject_cast<QTableWidget*>(&widget);
        return w ? started<TableBinder>(*table, *w) : refuse(why, "QTableWidget", widget);
    }
    if (auto* collection = dynamic_cast<CollectionView*>(&control))
        return started<CollectionBinder>(*collection, widget);
    if (auto* lines = dynamic_cast<KxLinesView*>(&control)) {
        auto* w = qobject_cast<DrawingWidget*>(&widget);
        return w ? started<DrawingBinder>(*lines, *w) : refuse(why, "DrawingWidget", widget);
    }
    if (auto* graph = dynamic_cast<wexo::EasingFunctionGraphView*>(&control)) {
        auto* w = qobject_cast<GraphWidget*>(&widget);
        return w ? started<GraphBinder>(*graph, *w) : refuse(why, "GraphWidget", widget);
    }
    if (auto* popUp = dynamic_cast<PopUpButton*>(&control)) {
        auto* w = qobject_cast<QComboBox*>(&widget);
        return w ? started<PopUpBinder>(*popUp, *w) : refuse(why, "QComboBox", widget);
    }
    if (auto* slider = dynamic_cast<KxSlider*>(&control)) {
        auto* w = qobject_cast<KnobSlider*>(&widget);
        return w ? started<SliderBinder>(*slider, *w) : refuse(why, "KnobSlider", widget);
    }
    if (auto* button = dynamic_cast<Button*>(&control)) {
        auto* w = qobject_cast<QAbstractButton*>(&widget);
        return w ? started<ButtonBinder>(*button, *w) : refuse(why, "button", widget);
    }
    if (auto* field = dynamic_cast<TextField*>(&control)) {
        if (auto* edit = qobject_cast<QLineEdit*>(&widget))
            return started<TextFieldBinder>(*field, *edit);
        auto* label = qobject_cast<QLabel*>(&widget);
        return label ? started<TextFieldBinder>(*field, *label)
                     : refuse(why, "QLabel or QLineEdit", widget);
    }
    if (auto* image = dynamic_cast<ImageView*>(&control)) {
        auto* w = qobject_cast<QLabel*>(&widget);
        return w ? started<ImageBinder>(*image, *w) : refuse(why, "QLabel", widget);
    }
    if (auto* view = dynamic_cast<View*>(&control)) return started<ViewBinder>(*view, widget);
    return started<ControlBinder>(control, widget);
}

}  // namespace wexo::ui::qt

#include "ui/qt/ViewBinder.h"

#include "ui/qt/Conversions.h"
#include "ui/qt/ModelBox.h"

namespace wexo::ui::qt {

ViewBinder::ViewBinder(View& view, QWidget& widget) : ControlBinder(view, widget), view_(view) {}

void ViewBinder::refresh(ControlChange what) {
    if (what != ControlChange::Appearance) {
        ControlBinder::refresh(what);
        return;
    }
    auto* box = qobject_cast<ModelBox*>(widget());
    if (!box) return;
    const auto& fill = view_.backgroundColor();
    const auto& border = view_.borderColor();
    box->setFill(fill ? std::optional<QColor>(toQColor(*fill)) : std::nullopt);
    box->setBorder(border ? std::optional<QColor>(toQColor(*border)) : std::nullopt);
    box->setCornerRadius(view_.cornerRadius());
}

}  // namespace wexo::ui::qt

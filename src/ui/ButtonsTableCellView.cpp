#include "ui/ButtonsTableCellView.h"

namespace wexo::ui {

ButtonsTableCellView::ButtonsTableCellView(std::string identifier)
    : TableCellView(std::move(identifier)), actionImage_("actionImageView") {
    addSubview(actionImage_);
    addDeleteButton();
}

}  // namespace wexo::ui

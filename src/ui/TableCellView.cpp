#include "ui/TableCellView.h"

namespace wexo::ui {

TableCellView::TableCellView(std::string identifier)
    : View(std::move(identifier)), text_("textField"), image_("imageView") {
    addSubview(image_);
    addSubview(text_);
}

Button& TableCellView::addCheckBox() {
    if (!checkBox_) {
        checkBox_ = std::make_unique<Button>("checkBox", ButtonType::CheckBox);
        addSubview(*checkBox_);
    }
    return *checkBox_;
}

Button& TableCellView::addDeleteButton() {
    if (!deleteButton_) {
        deleteButton_ = std::make_unique<Button>("deleteButton", ButtonType::Push);
        addSubview(*deleteButton_);
    }
    return *deleteButton_;
}

}  // namespace wexo::ui

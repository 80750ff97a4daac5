#pragma once

#include "ui/ImageView.h"
#include "ui/TableCellView.h"

namespace wexo::ui {

// A row of the gestures table: the gesture's thumbnail (the cell's image),
// its action's text, the icon of an application the action opens, and a
// delete button.
class GestureTableCellView : public TableCellView {
  public:
    explicit GestureTableCellView(std::string identifier) : TableCellView(std::move(identifier)) {
        addSubview(actionImageView);
    }

    ImageView actionImageView{"actionImageView"};
};

}  // namespace wexo::ui

#pragma once

#include <string>

#include "ui/ImageView.h"
#include "ui/TableCellView.h"

namespace wexo::ui {

// A cell of the button assignment list: besides the text, the icon of the
// assigned action (an application's) and the row's delete button.
class ButtonsTableCellView : public TableCellView {
  public:
    explicit ButtonsTableCellView(std::string identifier);

    ImageView& actionImageView() { return actionImage_; }

  private:
    ImageView actionImage_;
};

}  // namespace wexo::ui

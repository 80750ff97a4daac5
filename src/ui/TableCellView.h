#pragma once

#include <memory>
#include <string>

#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/TextField.h"
#include "ui/View.h"

namespace wexo::ui {

// One cell of a table: a text, an image, and, where the table offers them, a
// check box and a delete button. A cell with more parts derives from it and
// adds them as subviews (ButtonsTableCellView).
class TableCellView : public View {
  public:
    explicit TableCellView(std::string identifier);

    TextField& textField() { return text_; }
    ImageView& imageView() { return image_; }

    // Created on first use; absent until then.
    Button* checkBox() const { return checkBox_.get(); }
    Button& addCheckBox();
    Button* deleteButton() const { return deleteButton_.get(); }
    Button& addDeleteButton();

  private:
    TextField text_;
    ImageView image_;
    std::unique_ptr<Button> checkBox_;
    std::unique_ptr<Button> deleteButton_;
};

}  // namespace wexo::ui

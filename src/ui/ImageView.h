#pragma once

#include <optional>

#include "ui/Control.h"
#include "ui/Image.h"

namespace wexo::ui {

class ImageView : public Control {
  public:
    explicit ImageView(std::string identifier = {}) : Control(std::move(identifier)) {}

    const std::optional<Image>& image() const { return image_; }
    void setImage(std::optional<Image> image) {
        if (image_ == image) return;
        image_ = std::move(image);
        changed(ControlChange::Image);
    }

  private:
    std::optional<Image> image_;
};

}  // namespace wexo::ui

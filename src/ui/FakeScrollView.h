#pragma once

#include <string>

#include "ui/View.h"

namespace wexo {

// The sample content of the curve chooser that scrolls with a chosen curve.
// One demonstration uses it at a time; `animating` is set while one does.
class FakeScrollView : public ui::View {
  public:
    explicit FakeScrollView(std::string identifier = "fakeScrollView")
        : ui::View(std::move(identifier)) {}

    bool animating() const { return animating_; }
    void setAnimating(bool animating) { animating_ = animating; }

  private:
    bool animating_ = false;
};

}  // namespace wexo

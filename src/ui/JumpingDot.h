#pragma once

#include <string>

#include "ui/View.h"

namespace wexo {

// The dot that jumps along a chosen curve. Drawing it makes it transparent,
// so it is seen only while a demonstration fades it in: a redrawn graph
// shows no dot until its next demonstration.
class JumpingDot : public ui::View {
  public:
    explicit JumpingDot(std::string identifier = "jumpingDot");

    // The dot is drawn (a toolkit paints it, or its graph is redrawn).
    void drawRect();
};

}  // namespace wexo

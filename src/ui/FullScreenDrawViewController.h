#pragma once

#include <cstdint>
#include <vector>

#include "platform/Geometry.h"
#include "ui/FullScreenScreenLink.h"
#include "ui/ImageView.h"
#include "ui/KxLinesView.h"
#include "ui/TextField.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace wexo {

// The content of the transparent full-screen overlay window: the trail and
// the arrows of a gesture being drawn with its emphasizer box around the
// start, the anchor of a grab or an auto-scroll, and a display's name. The
// event paths drive it through the status menu's registry (fullScreenVC);
// points are in the overlay window's coordinates (origin at the bottom
// left, y up). Main thread only.
class FullScreenDrawViewController : public ui::ViewController, public ui::FullScreenScreenLink {
  public:
    // The views' states.
    static constexpr int kGrabState = 0;
    static constexpr int kDrawingState = 1;
    static constexpr int kAutoScrollState = 2;
    static constexpr int kDisplayNameState = 3;
    // Sizes of the box around a gesture's start and of the anchor.
    static constexpr double kEmphasizerSide = 160;
    static constexpr double kEmphasizerCornerRadius = 12;
    static constexpr double kAnchorSide = 40;
    static constexpr double kLineThickness = 5;

    FullScreenDrawViewController();
    ~FullScreenDrawViewController() override;

    // ---- FullScreenLink ----
    // 0 grab: anchor only; 1 drawing: emphasizer only; 2 auto-scroll: both;
    // 3 display name: the label alone. The label shows only in state 3.
    void setViewsState(int state) override;
    // A gesture starts at the point: a new trail there, the emphasizer
    // centred on it. "hideOverlay" makes the box clear, "hideDrawing" the trail.
    void readyForDragSettings(platform::Point start) override;
    void drawLineWithPosition(platform::Point p) override;
    // Appends the direction and its arrow (1 up, 2 down, 3 left, 4 right).
    void foundDirection(std::uint64_t direction) override;
    void removeAllLines() override;
    void setAutoScrollAnchorPoint(platform::Point p) override;
    ui::TextField& displayNameLabelOutlt() override { return displayNameLabel; }

    const std::vector<std::uint64_t>& gestureDirections() const { return gestureDirections_; }
    bool readyForDragg() const { return readyForDragg_; }
    void setReadyForDragg(bool ready) { readyForDragg_ = ready; }

    // ---- Outlets ----
    ui::KxLinesView linesView{"linesView"};
    ui::TextField directionTextField{"directionTextField"};
    ui::View drawEmphasizer{"drawEmphasizer"};
    ui::ImageView anchorView{"anchorView"};
    ui::TextField displayNameLabel{"displayNameLabelOutlt"};

  protected:
    void viewDidLoad() override;

  private:
    // The views follow the window, which the event paths move from display
    // to display.
    void fitToWindow();

    std::vector<std::uint64_t> gestureDirections_;
    bool readyForDragg_ = false;
};

}  // namespace wexo

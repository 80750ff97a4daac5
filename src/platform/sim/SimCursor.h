#pragma once

#include <string>

#include "platform/Cursor.h"
#include "platform/sim/SimRecorder.h"
#include "platform/sim/SimWorkspace.h"

namespace wexo::platform::sim {

// The system cursor. Hot spots, in points from the image's top left:
//   arrow {4, 4}, iBeam {4, 9}, crosshair {12, 12}, openHand and
//   closedHand {8, 8}, pointingHand {6, 1}.
// The current system cursor is what the desktop shows: the driver sets it
// (the application under the pointer chose it), and the program's set()
// changes it. As on the real system, the program's set() has no effect while
// another application is in front unless it allowed setting the cursor in
// the background. Effective changes, hide and unhide are recorded. Main
// thread only.
class SimCursor : public Cursor {
  public:
    SimCursor(SimRecorder& recorder, const SimWorkspace& workspace)
        : recorder_(recorder), workspace_(workspace) {}

    void allowSetInBackground() override { background_ = true; }
    void set(CursorShape shape) override;
    void hide() override;
    void unhide() override;
    Point currentSystemCursorHotSpot() const override { return hotSpot(current_); }
    Point pointingHandHotSpot() const override { return hotSpot(CursorShape::PointingHand); }

    // ---- Driver ----
    void setSystemCursor(CursorShape shape) { current_ = shape; }
    CursorShape current() const { return current_; }
    // Hides minus unhides, never below 0.
    int hideLevel() const { return hideLevel_; }
    bool backgroundAllowed() const { return background_; }

    static Point hotSpot(CursorShape shape);
    static std::string name(CursorShape shape);
    static std::optional<CursorShape> shapeNamed(const std::string& name);

  private:
    SimRecorder& recorder_;
    const SimWorkspace& workspace_;
    CursorShape current_ = CursorShape::Arrow;
    int hideLevel_ = 0;
    bool background_ = false;
};

}  // namespace wexo::platform::sim

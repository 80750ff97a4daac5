#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/Geometry.h"
#include "ui/Drawing.h"
#include "ui/ImageRenderer.h"

namespace wexo::ui {

// An image the program made in memory from a drawing (what a view rendered
// into image data gives), with the two operations the gesture thumbnails
// need. It is invalid when it could not be made: no renderer installed, or
// a drawing without area.
class DrawnImage {
  public:
    // The highest JPEG quality.
    static constexpr double kJpegCompressionFactor = 1.0;

    DrawnImage() = default;
    // The drawing rendered by the installed renderer.
    static DrawnImage withDrawing(const Drawing& drawing);

    bool isValid() const { return pixels_ != nullptr; }
    // Zero when invalid.
    platform::Size size() const;

    // A new image of `size` holding this one scaled into the whole of it;
    // for an invalid image (or size) logs "Invalid Image" and gives nothing.
    std::optional<DrawnImage> resizeTo(platform::Size size) const;
    // Writes the image as a JPEG of the highest quality at `path`, not
    // atomically; false (logged) when nothing could be written.
    bool saveAsJpegWithName(const std::string& path) const;

  private:
    explicit DrawnImage(std::shared_ptr<const RenderedPixels> pixels)
        : pixels_(std::move(pixels)) {}

    std::shared_ptr<const RenderedPixels> pixels_;
};

}  // namespace wexo::ui

#pragma once

#include <memory>
#include <string>

#include "platform/Geometry.h"
#include "ui/Drawing.h"

namespace wexo::ui {

// The pixels of an image the program made itself, held by the renderer
// that made them; the screens only pass them on.
class RenderedPixels {
  public:
    virtual ~RenderedPixels() = default;
    virtual platform::Size size() const = 0;
};

// The image work of the toolkit, for the pictures the program makes itself
// (the gesture thumbnails): a drawing made pixels, pixels scaled, pixels
// written as a JPEG file. Whoever builds the program installs one in
// SharedSlot<ImageRenderer>; without one no image can be made. Main thread.
class ImageRenderer {
  public:
    virtual ~ImageRenderer() = default;

    // The drawing as an image of its own size, one pixel a point; nullptr
    // when it has no area.
    virtual std::shared_ptr<const RenderedPixels> render(const Drawing& drawing) = 0;
    // A new image of `size` into the whole of which `image` is drawn with
    // high-quality interpolation, replacing what is there at full opacity;
    // nullptr when `size` has no area.
    virtual std::shared_ptr<const RenderedPixels> scale(const RenderedPixels& image,
                                                        platform::Size size) = 0;
    // Writes the image as a JPEG file at `path` (replacing a file there),
    // compressionFactor 1.0 being the highest quality; false when it could
    // not be written.
    virtual bool writeJpeg(const RenderedPixels& image, const std::string& path,
                           double compressionFactor) = 0;
};

}  // namespace wexo::ui

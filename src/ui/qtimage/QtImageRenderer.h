#pragma once

#include "ui/ImageRenderer.h"

namespace wexo::ui::qtimage {

// The image renderer on QtGui's raster images. It needs no application
// object and no display. Strokes are antialiased, with the flat ends and
// mitred joins of a plain path; a drawing's y axis is turned to the image's.
class QtImageRenderer : public ImageRenderer {
  public:
    std::shared_ptr<const RenderedPixels> render(const Drawing& drawing) override;
    std::shared_ptr<const RenderedPixels> scale(const RenderedPixels& image,
                                                platform::Size size) override;
    bool writeJpeg(const RenderedPixels& image, const std::string& path,
                   double compressionFactor) override;
};

}  // namespace wexo::ui::qtimage

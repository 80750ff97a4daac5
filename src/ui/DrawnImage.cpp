#include "ui/DrawnImage.h"

#include "platform/Log.h"
#include "platform/Shared.h"

namespace wexo::ui {

namespace {
ImageRenderer* renderer() {
    return SharedSlot<ImageRenderer>::get();
}
}  // namespace

DrawnImage DrawnImage::withDrawing(const Drawing& drawing) {
    ImageRenderer* r = renderer();
    if (!r || drawing.size.width <= 0 || drawing.size.height <= 0) return DrawnImage();
    return DrawnImage(r->render(drawing));
}

platform::Size DrawnImage::size() const {
    return pixels_ ? pixels_->size() : platform::Size();
}

std::optional<DrawnImage> DrawnImage::resizeTo(platform::Size size) const {
    ImageRenderer* r = renderer();
    std::shared_ptr<const RenderedPixels> scaled;
    if (pixels_ && r && size.width > 0 && size.height > 0) scaled = r->scale(*pixels_, size);
    if (!scaled) {
        WEXO_LOG_ERROR("Invalid Image");
        return std::nullopt;
    }
    return DrawnImage(std::move(scaled));
}

bool DrawnImage::saveAsJpegWithName(const std::string& path) const {
    ImageRenderer* r = renderer();
    if (!pixels_ || !r || !r->writeJpeg(*pixels_, path, kJpegCompressionFactor)) {
        WEXO_LOG_ERROR("Failed to write the image \"%@\"", path);
        return false;
    }
    return true;
}

}  // namespace wexo::ui

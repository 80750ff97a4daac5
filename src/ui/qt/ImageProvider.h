#pragma once

#include <QIcon>
#include <QPixmap>

#include "ui/Image.h"

namespace wexo::ui::qt {

// Turns the images the screens name into icons: the application's own
// pictures (drawn here, so that they follow the palette and any scale), the
// icon of an application or file, or the contents of an image file.
class ImageProvider {
  public:
    // A null icon for images the desktop style draws itself (check-box
    // faces) and for files that cannot be read.
    static QIcon icon(const Image& image);
    // The program's symbol: a mouse, for the status icon and the windows.
    static QIcon applicationIcon();
};

}  // namespace wexo::ui::qt

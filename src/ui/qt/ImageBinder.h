#pragma once

#include <QLabel>

#include "ui/ImageView.h"
#include "ui/qt/ControlBinder.h"

namespace wexo::ui::qt {

// An image view on a QLabel, its picture sized to the label (a small icon
// in table rows, the anchor on the overlay).
class ImageBinder : public ControlBinder {
    Q_OBJECT

  public:
    ImageBinder(ImageView& view, QLabel& label);

  protected:
    void refresh(ControlChange what) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showImage();

    ImageView& view_;
    QLabel& label_;
};

}  // namespace wexo::ui::qt

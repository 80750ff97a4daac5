#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "ui/Drawing.h"

namespace wexo::ui::qt {

// Paints a drawing view's Drawing (its background, then its strokes), the
// model's coordinates fitted to the widget with the origin at the bottom
// left; a drawing area also reports the mouse.
class DrawingWidget : public QWidget {
    Q_OBJECT

  public:
    explicit DrawingWidget(QWidget* parent = nullptr);

    void setDrawing(Drawing drawing);
    const Drawing& drawing() const { return drawing_; }

    // A press, drag or release of a mouse button, in the widget's own
    // coordinates with the origin at the bottom left, and the button as
    // the model numbers them (0 left, 1 right, 2 middle, 3 and up others).
    using MouseHandler = std::function<void(QPointF, std::int64_t)>;
    void setMouseHandlers(MouseHandler down, MouseHandler dragged, MouseHandler up);

    static std::optional<std::int64_t> buttonNumber(Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPointF modelPoint(QPointF widgetPoint) const;

    Drawing drawing_;
    MouseHandler down_;
    MouseHandler dragged_;
    MouseHandler up_;
    // The button whose press started the stroke being drawn.
    std::optional<std::int64_t> strokeButton_;
};

}  // namespace wexo::ui::qt

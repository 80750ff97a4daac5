#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Subscription.h"
#include "ui/EasingFunctionGraphView.h"
#include "ui/qt/ControlBinder.h"

class QTimer;
class QVariantAnimation;

namespace wexo::ui::qt {

// Draws an easing curve's graph (its grid lines and curve, highlighted while
// chosen) and the dot that jumps along it during a demonstration, moving and
// fading as the model says.
class GraphWidget : public QWidget {
    Q_OBJECT

  public:
    explicit GraphWidget(QWidget* parent = nullptr);
    void setGraph(wexo::EasingFunctionGraphView* graph) {
        graph_ = graph;
        update();
    }
    void setDotAlpha(double alpha) {
        dotAlpha_ = alpha;
        update();
    }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    wexo::EasingFunctionGraphView* graph_ = nullptr;
    double dotAlpha_ = 0;
};

// Keeps a GraphWidget in step with its graph view and the graph's dot.
class GraphBinder : public ControlBinder {
    Q_OBJECT

  public:
    GraphBinder(wexo::EasingFunctionGraphView& graph, GraphWidget& widget);

  protected:
    void refresh(ControlChange what) override;

  private:
    void dotChanged(ControlChange what);

    wexo::EasingFunctionGraphView& graph_;
    GraphWidget& widget_;
    platform::Subscription dotObservation_;
    QPointer<QVariantAnimation> fade_;
    QTimer* motion_;
    double shownAlpha_ = 0;
};

}  // namespace wexo::ui::qt

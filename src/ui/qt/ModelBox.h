#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

namespace wexo::ui::qt {

// A plain view drawn as the model colours it: a fill, a border and rounded
// corners (the box around a gesture's start, the sample scroller). Without
// colours it draws nothing, so the window shows through.
class ModelBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool striped READ isStriped WRITE setStriped)

  public:
    explicit ModelBox(QWidget* parent = nullptr);

    void setFill(std::optional<QColor> fill);
    void setBorder(std::optional<QColor> border);
    void setCornerRadius(double radius);
    // Horizontal stripes in the fill, for a view whose movement should show.
    void setStriped(bool striped);
    bool isStriped() const { return striped_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<QColor> fill_;
    std::optional<QColor> border_;
    double radius_ = 0;
    bool striped_ = false;
};

}  // namespace wexo::ui::qt

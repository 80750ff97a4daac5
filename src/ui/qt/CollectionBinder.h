#pragma once

#include <QFrame>
#include <QWidget>
#include <vector>

#include "ui/CollectionView.h"
#include "ui/qt/ControlBinder.h"

namespace wexo::ui::qt {

// One item of a collection: a frame that shows whether it is selected and
// takes a click, or Space and Return from the keyboard.
class CollectionItemFrame : public QFrame {
    Q_OBJECT

  public:
    explicit CollectionItemFrame(QWidget* parent = nullptr);
    void setSelected(bool selected);

  signals:
    void activated();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool selected_ = false;
};

// A collection view on a plain widget: its items laid out in rows, each
// drawn from the controls of the item's view and bound to them, rebuilt when
// the model reloads; a person's click selects the model's item.
class CollectionBinder : public ControlBinder {
    Q_OBJECT

  public:
    // Items per row.
    static constexpr int kColumns = 4;

    CollectionBinder(CollectionView& collection, QWidget& widget);

    CollectionItemFrame* itemFrame(std::size_t index) const;

  protected:
    void refresh(ControlChange what) override;

  private:
    void showItems();
    void showSelection();
    void addControls(Control& control, QWidget& into);

    CollectionView& collection_;
    QWidget& widget_;
    std::vector<CollectionItemFrame*> frames_;
};

}  // namespace wexo::ui::qt

#pragma once

#include <QLineEdit>
#include <QSlider>
#include <QWidget>

namespace wexo::ui::qt {

// The label beside a slider's knob that shows its value; a double-click
// asks for typing a value, Escape gives up.
class KnobField : public QLineEdit {
    Q_OBJECT

  public:
    explicit KnobField(QWidget* parent = nullptr);
    QSize sizeHint() const override;

  signals:
    void doubleClicked();
    void cancelled();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// A slider whose knob shows its value, for the forms (a promoted widget).
class KnobSlider : public QWidget {
    Q_OBJECT

  public:
    explicit KnobSlider(QWidget* parent = nullptr);

    QSlider& slider() { return *slider_; }
    KnobField& knob() { return *knob_; }

  private:
    QSlider* slider_;
    KnobField* knob_;
};

}  // namespace wexo::ui::qt

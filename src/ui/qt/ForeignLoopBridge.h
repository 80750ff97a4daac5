#pragma once

#include <QObject>
#include <QSocketNotifier>

#include "ui/qt/ForeignLoop.h"

namespace wexo::ui::qt {

// Lets a foreign loop run inside Qt's: Qt watches the loop's descriptor and,
// whenever it is readable, the loop dispatches what is ready. Each turn runs
// only the ready work and returns to Qt, so neither loop starves the other.
class ForeignLoopBridge : public QObject {
    Q_OBJECT

  public:
    explicit ForeignLoopBridge(ForeignLoop& loop, QObject* parent = nullptr);

    // Turns of the foreign loop so far.
    long dispatches() const { return dispatches_; }

  private:
    ForeignLoop& loop_;
    QSocketNotifier notifier_;
    long dispatches_ = 0;
};

}  // namespace wexo::ui::qt

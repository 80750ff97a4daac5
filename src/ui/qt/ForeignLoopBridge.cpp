#include "ui/qt/ForeignLoopBridge.h"

namespace wexo::ui::qt {

ForeignLoopBridge::ForeignLoopBridge(ForeignLoop& loop, QObject* parent)
    : QObject(parent), loop_(loop), notifier_(loop.pollDescriptor(), QSocketNotifier::Read) {
    connect(&notifier_, &QSocketNotifier::activated, this, [this] {
        ++dispatches_;
        loop_.dispatchPending();
    });
}

}  // namespace wexo::ui::qt

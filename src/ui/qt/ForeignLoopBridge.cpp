#include "ui/qt/ForeignLoopBridge.h"

#include <QCoreApplication>

namespace wexo::ui::qt {

ForeignLoopBridge::ForeignLoopBridge(ForeignLoop& loop, QObject* parent)
    : QObject(parent), loop_(loop), notifier_(loop.pollDescriptor(), QSocketNotifier::Read) {
    connect(&notifier_, &QSocketNotifier::activated, this, [this] {
        ++dispatches_;
        loop_.dispatchPending();
        if (const auto status = loop_.exitStatus()) {
            notifier_.setEnabled(false);
            QCoreApplication::exit(*status);
        }
    });
}

}  // namespace wexo::ui::qt

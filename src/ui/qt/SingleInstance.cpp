#include "ui/qt/SingleInstance.h"

#include <unistd.h>
#include <QLocalSocket>
#include <QPointer>
#include <cstdlib>

#include "platform/Log.h"

namespace wexo::ui::qt {

namespace {
const QByteArray kReopen = "reopen\n";
}

QString SingleInstance::defaultName() {
    const char* display = std::getenv("DISPLAY");
    QString name = QStringLiteral("wexo-%1").arg(getuid());
    if (display && *display) name += QLatin1Char('-') + QString::fromLocal8Bit(display).remove(':');
    return name;
}

SingleInstance::SingleInstance(QString name, std::function<void()> reopen)
    : name_(std::move(name)), reopen_(std::move(reopen)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] { connection(); });
}

SingleInstance::~SingleInstance() {
    server_.close();
}

bool SingleInstance::handOverToRunningInstance(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (socket.waitForConnected(timeoutMs)) {
        socket.write(kReopen);
        socket.waitForBytesWritten(timeoutMs);
        socket.disconnectFromServer();
        WEXO_LOG_INFO("Wexo runs already; its preferences window opens instead");
        return true;
    }
    // Nobody answers: a socket left by an instance that crashed is stale.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(name_))
        WEXO_LOG_ERROR("Cannot listen on %@: %@", name_.toStdString(),
                       server_.errorString().toStdString());
    return false;
}

void SingleInstance::connection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QPointer<QLocalSocket> guarded(socket);
        connect(socket, &QLocalSocket::readyRead, this, [this, guarded] {
            if (!guarded) return;
            // Only the one request is understood; anything else is ignored.
            while (guarded->canReadLine())
                if (guarded->readLine() == kReopen && reopen_) reopen_();
        });
    }
}

}  // namespace wexo::ui::qt

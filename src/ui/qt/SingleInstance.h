#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

namespace wexo::ui::qt {

// One Wexo per user and display: the first instance listens on a local
// socket; a later one finds it there, asks it to reopen (show its
// preferences window) and ends. Main thread only.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // The socket's name for this user and display.
    static QString defaultName();

    // `reopen` runs in the running instance when another asks it to.
    SingleInstance(QString name, std::function<void()> reopen);
    ~SingleInstance() override;

    // Asks a running instance to reopen. True when one answered: this
    // process should end. Otherwise this instance starts listening and is
    // the one that runs.
    bool handOverToRunningInstance(int timeoutMs = 1000);
    bool isListening() const { return server_.isListening(); }

  private:
    void connection();

    QString name_;
    std::function<void()> reopen_;
    QLocalServer server_;
};

}  // namespace wexo::ui::qt

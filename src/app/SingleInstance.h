#pragma once
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace kesmar {

// One running plotter per user. The first instance holds a lock file and
// listens on a local socket, both named after the window title in the
// user's runtime folder; a later start finds the lock taken, asks the first
// instance through the socket to bring its window to the front, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True for the first instance (which then listens); false when another
    // instance runs. In that case it has been asked to raise its window.
    bool tryBecomePrimary();

    // Folder of the lock and the socket: $XDG_RUNTIME_DIR, else Qt's
    // per-user runtime folder.
    static QString runtimeFolder();

signals:
    // A second start asked this instance to come to the front.
    void raiseRequested();

private:
    bool notifyPrimary();

    QString name_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

} // namespace kesmar

#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace stonewise {

// One running Stonewise per user: the first start listens on a per-user local socket (only its
// user may connect); a later start hands its file to it ("open this file") or asks it to come to the
// front, then ends.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // `key` names the socket; tests pass their own so they don't meet a running program.
    explicit SingleInstance(QString key = defaultKey(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands `file` (or, when empty, a request to come to the front) to a running instance; true when
    // one took it, so this process should end.
    bool handOver(const QString& file);
    // Starts listening for later starts; false when the socket could not be made.
    bool listen();

    static QString defaultKey();

Q_SIGNALS:
    void openFileRequested(const QString& file);
    void frontRequested();

private:
    void readConnection();

    QString m_key;
    QLocalServer* m_server = nullptr;
};

} // namespace stonewise

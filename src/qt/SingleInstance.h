#pragma once

#include <QObject>
#include <QString>
#include <map>

class QSocketNotifier;

namespace stonewise {

// One running Stonewise per user: the first start listens on a per-user local socket (only its
// user may connect); a later start hands its file to it ("open this file") or asks it to come to the
// front, then ends. Plain local sockets watched by the event loop: a start loads no network library.
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
    void acceptConnections();
    void readConnection(int fd);
    void closeConnection(int fd);

    QString m_key;
    QByteArray m_path; // the socket's file
    int m_listener = -1;
    QSocketNotifier* m_listenerNotifier = nullptr;
    struct Connection {
        QSocketNotifier* notifier = nullptr;
        QByteArray received;
    };
    std::map<int, Connection> m_connections;
};

} // namespace stonewise

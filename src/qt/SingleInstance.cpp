#include "qt/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace stonewise {

namespace {
constexpr int kTimeoutMs = 1500;
const QByteArray kOpen = "open ";
const QByteArray kFront = "front";
} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent) : QObject(parent), m_key(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey() { return QStringLiteral("stonewise-%1").arg(::getuid()); }

bool SingleInstance::handOver(const QString& file) {
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(kTimeoutMs)) return false;
    const QByteArray message = file.isEmpty() ? kFront : kOpen + file.toUtf8();
    socket.write(message + '\n');
    if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
    // The running instance answers once it has taken the request.
    if (!socket.waitForReadyRead(kTimeoutMs)) return false;
    return socket.readAll().startsWith("ok");
}

bool SingleInstance::listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_key)) {
        // A socket left by a crashed run: nobody answers on it, so it can go.
        QLocalServer::removeServer(m_key);
        if (!m_server->listen(m_key)) return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::readConnection);
    return true;
}

void SingleInstance::readConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            const QByteArray line = socket->readLine().trimmed();
            socket->write("ok\n");
            socket->flush();
            if (line.startsWith(kOpen)) Q_EMIT openFileRequested(QString::fromUtf8(line.mid(kOpen.size())));
            else if (line == kFront) Q_EMIT frontRequested();
        });
    }
}

} // namespace stonewise

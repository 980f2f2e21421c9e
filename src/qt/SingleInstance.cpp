#include "qt/SingleInstance.h"

#include <QDir>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace stonewise {

namespace {
constexpr int kTimeoutMs = 1500;
constexpr qsizetype kLongestMessage = 64 * 1024;
const QByteArray kOpen = "open ";
const QByteArray kFront = "front";

// The socket address of a path; false when the path does not fit.
bool addressOf(const QByteArray& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

// Waits until `fd` is ready for `events` or the time is up.
bool waitFor(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    int r;
    do r = ::poll(&p, 1, timeoutMs);
    while (r < 0 && errno == EINTR);
    return r > 0 && (p.revents & events);
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        if (!waitFor(fd, POLLOUT, kTimeoutMs)) return false;
        const ssize_t n =
            ::send(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done), MSG_NOSIGNAL);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

// A closed-on-exec stream socket.
int streamSocket() { return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0); }
} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent), m_key(std::move(key)), m_path(QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + m_key)) {}

SingleInstance::~SingleInstance() {
    for (auto& [fd, connection] : m_connections) {
        delete connection.notifier;
        ::close(fd);
    }
    if (m_listener >= 0) {
        delete m_listenerNotifier;
        ::close(m_listener);
        ::unlink(m_path.constData());
    }
}

QString SingleInstance::defaultKey() { return QStringLiteral("stonewise-%1").arg(::getuid()); }

bool SingleInstance::handOver(const QString& file) {
    sockaddr_un address;
    if (!addressOf(m_path, address)) return false;
    const int fd = streamSocket();
    if (fd < 0) return false;
    bool taken = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        const QByteArray message = file.isEmpty() ? kFront : kOpen + file.toUtf8();
        // The running instance answers once it has taken the request.
        if (writeAll(fd, message + '\n') && waitFor(fd, POLLIN, kTimeoutMs)) {
            char answer[8] = {};
            const ssize_t n = ::recv(fd, answer, sizeof answer, 0);
            taken = n >= 2 && std::memcmp(answer, "ok", 2) == 0;
        }
    }
    ::close(fd);
    return taken;
}

bool SingleInstance::listen() {
    if (m_listener >= 0) return true;
    sockaddr_un address;
    if (!addressOf(m_path, address)) return false;
    const int fd = streamSocket();
    if (fd < 0) return false;
    // Only this user may connect: the socket is made without rights for anyone else.
    const mode_t before = ::umask(077);
    int bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    if (bound != 0 && errno == EADDRINUSE) {
        // A socket left by a crashed run: nobody answered on it, so it can go.
        ::unlink(m_path.constData());
        bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }
    ::umask(before);
    if (bound != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    m_listener = fd;
    m_listenerNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_listenerNotifier, &QSocketNotifier::activated, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections() {
    for (;;) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR) continue;
            return;
        }
        auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        m_connections[fd].notifier = notifier;
        connect(notifier, &QSocketNotifier::activated, this, [this, fd] { readConnection(fd); });
    }
}

void SingleInstance::readConnection(int fd) {
    auto it = m_connections.find(fd);
    if (it == m_connections.end()) return;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            it->second.received.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        // The other side went away before finishing its line.
        closeConnection(fd);
        return;
    }
    QByteArray& received = it->second.received;
    const qsizetype end = received.indexOf('\n');
    if (end < 0) {
        if (received.size() > kLongestMessage) closeConnection(fd);
        return;
    }
    const QByteArray line = received.left(end).trimmed();
    writeAll(fd, "ok\n");
    closeConnection(fd);
    if (line.startsWith(kOpen)) Q_EMIT openFileRequested(QString::fromUtf8(line.mid(kOpen.size())));
    else if (line == kFront) Q_EMIT frontRequested();
}

void SingleInstance::closeConnection(int fd) {
    auto it = m_connections.find(fd);
    if (it == m_connections.end()) return;
    it->second.notifier->setEnabled(false);
    it->second.notifier->deleteLater();
    m_connections.erase(it);
    ::close(fd);
}

} // namespace stonewise

#include "app/InstanceGuard.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray kRaiseCommand = QByteArrayLiteral("raise\n");
// A client sends one short command; anything longer is not ours.
constexpr qint64 kMaxCommandBytes = 64;

// The per-user runtime folder, or an empty string when there is no safe one.
// Without XDG_RUNTIME_DIR a private folder under the temporary folder is used
// (Qt's own fallback would print a warning on every start).
QString runtimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString dir = QDir::tempPath() + QStringLiteral("/q7x-runtime-%1").arg(uint(::getuid()));
    const QByteArray encoded = QFile::encodeName(dir);
    ::mkdir(encoded.constData(), 0700);
    struct stat info;
    // Anyone may create names in /tmp: accept the folder only if it is ours and private.
    if (::lstat(encoded.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()
        || (info.st_mode & 077) != 0)
        return QString();
    return dir;
}

QString baseName(const QString &key)
{
    return QStringLiteral("%1-%2").arg(key).arg(uint(::getuid()));
}

} // namespace

// Owns the singleton so the lock file is released when the process exits normally.
struct InstanceGuardHolder
{
    InstanceGuard *guard = new InstanceGuard;
    ~InstanceGuardHolder() { delete guard; }
};

static InstanceGuardHolder &holder()
{
    static InstanceGuardHolder h;
    return h;
}

InstanceGuard *InstanceGuard::instance()
{
    return holder().guard;
}

InstanceGuard::InstanceGuard(QObject *parent) : QObject(parent) {}

InstanceGuard::~InstanceGuard()
{
    if (m_server)
        delete m_server.data();
    delete m_lock;
}

QString InstanceGuard::lockFilePath(const QString &key)
{
    const QString dir = runtimeDir();
    if (dir.isEmpty())
        return QString();
    return dir + QLatin1Char('/') + baseName(key) + QStringLiteral(".lock");
}

QString InstanceGuard::serverPath(const QString &key)
{
    const QString dir = runtimeDir();
    if (dir.isEmpty())
        return QString();
    return dir + QLatin1Char('/') + baseName(key) + QStringLiteral(".sock");
}

bool isAnotherInstanceRunning(const QString &key)
{
    return InstanceGuard::instance()->isAnotherInstanceRunning(key);
}

bool InstanceGuard::isAnotherInstanceRunning(const QString &key)
{
    if (tryAcquire(key))
        return false;
    askRunningCopyToRaise(serverPath(key));
    return true;
}

bool InstanceGuard::tryAcquire(const QString &key)
{
    if (m_lock)
        return true; // this process already is the first copy

    const QString lockPath = lockFilePath(key);
    if (lockPath.isEmpty())
        return true; // no private folder for the guard: run unguarded rather than not at all
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Only a dead owner makes a lock stale, never its age: the editor runs for hours.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_key = key;
        m_lock = lock.release();
        if (QCoreApplication::instance())
            startServer();
        else
            qAddPreRoutine(&InstanceGuard::startServerPreRoutine);
        return true;
    }
    // An unusable runtime folder: running without a guard is better than
    // refusing to start at all.
    return lock->error() != QLockFile::LockFailedError;
}

void InstanceGuard::startServerPreRoutine()
{
    InstanceGuard *guard = instance();
    if (guard->m_lock && !guard->m_server)
        guard->startServer();
}

void InstanceGuard::startServer()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || m_server)
        return;
    // The server lives as long as the application object and closes (removing
    // its socket file) with it.
    auto *server = new QLocalServer(app);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString path = serverPath(m_key);
    // We hold the lock, so any socket file left there belongs to a crashed copy.
    QLocalServer::removeServer(path);
    if (!server->listen(path)) {
        delete server;
        return;
    }
    connect(server, &QLocalServer::newConnection, this, &InstanceGuard::onNewConnection);
    m_server = server;
}

void InstanceGuard::onNewConnection()
{
    if (!m_server)
        return;
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A client that never sends its command is dropped after a while.
        QTimer::singleShot(5000, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxCommandBytes) {
                socket->abort();
                socket->deleteLater();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine(kMaxCommandBytes);
            if (line == kRaiseCommand)
                emit raiseRequested();
            socket->disconnectFromServer();
        });
    }
}

// Connects with plain POSIX calls so that a second copy needs no Qt event
// machinery (it may run before any application object exists).
bool InstanceGuard::askRunningCopyToRaise(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(encoded.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));

    // The first copy may have just taken the lock and not be listening yet.
    QDeadlineTimer deadline(2000);
    while (true) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        timeval timeout{1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
            const ssize_t sent = ::send(fd, kRaiseCommand.constData(), size_t(kRaiseCommand.size()), MSG_NOSIGNAL);
            ::close(fd);
            return sent == kRaiseCommand.size();
        }
        const int error = errno;
        ::close(fd);
        if ((error != ENOENT && error != ECONNREFUSED && error != EAGAIN) || deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}

void InstanceGuard::bringToFront(QWindow *window)
{
    if (!window)
        return;
    if (window->windowState() & Qt::WindowMinimized)
        window->showNormal();
    else if (!window->isVisible())
        window->show();
    window->raise();
    window->requestActivate();
}

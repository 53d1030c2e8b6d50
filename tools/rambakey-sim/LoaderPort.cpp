#include "tools/rambakey-sim/LoaderPort.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

LoaderPort::LoaderPort(const QString &linkPath, QObject *parent) : QObject(parent), m_linkPath(linkPath)
{
    connect(&m_pollTimer, &QTimer::timeout, this, [this] { poll(); });
    connect(&m_secondTimer, &QTimer::timeout, this, [this] { second(); });
}

LoaderPort::~LoaderPort()
{
    if (m_master >= 0) {
        ::close(m_master);
        QFile::remove(m_linkPath);
    }
}

bool LoaderPort::open(QString *error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        *error = QStringLiteral("no pseudo-terminal: %1").arg(strerror(errno));
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(::ptsname(m_master));
    // Raw 8-bit line, set once through the slave; it stays while the master
    // is open. Closing the slave again leaves the master in hang-up state
    // until the editor opens the device.
    const int slave = ::open(m_slavePath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        *error = QStringLiteral("cannot open %1: %2").arg(m_slavePath, strerror(errno));
        return false;
    }
    struct termios tio;
    ::tcgetattr(slave, &tio);
    ::cfmakeraw(&tio);
    ::cfsetspeed(&tio, B115200);
    ::tcsetattr(slave, TCSANOW, &tio);
    ::close(slave);

    QFile::remove(m_linkPath);
    if (::symlink(m_slavePath.toLocal8Bit().constData(), m_linkPath.toLocal8Bit().constData()) != 0) {
        *error = QStringLiteral("cannot create %1: %2").arg(m_linkPath, strerror(errno));
        return false;
    }
    m_pollTimer.start(5);
    m_secondTimer.start(1000);
    return true;
}

void LoaderPort::send(const QByteArray &bytes)
{
    int done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return; // nobody reads: the sender will ask again
        done += int(n);
    }
}

void LoaderPort::poll()
{
    struct pollfd pfd = {m_master, POLLIN, 0};
    ::poll(&pfd, 1, 0);
    const bool open = !(pfd.revents & POLLHUP);
    if (open && !m_peerOpen)
        m_peerSince.start();
    m_peerOpen = open;

    if (m_receiver.finished()) {
        // Let the sender read the last answer, then go (at most 2 seconds).
        if (!m_lingering.isValid())
            m_lingering.start();
        if (!open || m_lingering.elapsed() > 2000) {
            m_pollTimer.stop();
            m_secondTimer.stop();
            if (finished)
                finished();
        }
        return;
    }
    if (!open) {
        if (m_receiver.state() != YmodemReceiver::State::WaitHeader)
            m_receiver.abort(QStringLiteral("the sender closed the port during the transfer"));
        return;
    }
    if (pfd.revents & POLLIN) {
        char buffer[4096];
        QByteArray bytes;
        ssize_t n;
        while ((n = ::read(m_master, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, int(n));
        send(m_receiver.feed(bytes));
    }
    // The first call for the file header, shortly after the port was opened
    // (the editor sets the line up first); later calls come once a second.
    if (!m_greeted && m_peerSince.elapsed() >= 100
        && m_receiver.state() == YmodemReceiver::State::WaitHeader) {
        m_greeted = true;
        send(QByteArray(1, 'C'));
        m_secondTimer.start(1000);
    }
}

void LoaderPort::second()
{
    if (!m_peerOpen || m_receiver.finished())
        return;
    if (m_receiver.state() == YmodemReceiver::State::WaitHeader && !m_greeted)
        return;
    send(m_receiver.tick());
}

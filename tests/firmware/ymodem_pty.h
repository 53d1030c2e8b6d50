#pragma once

// Test helpers for serial transfers without hardware: a pair of linked
// pseudo-terminals made by socat, and lrzsz's rb receiving on one end.
// Both processes are killed when the helper goes out of scope, also when a
// test fails half-way.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <signal.h>
#include <sys/types.h>

class PtyPair
{
public:
    PtyPair()
    {
        // Unique link names: the serial port layer takes a lock file named
        // after the port's last path component.
        const QString tag = QFileInfo(dir.path()).fileName();
        first = dir.filePath(tag + "-a");
        second = dir.filePath(tag + "-b");
    }

    ~PtyPair()
    {
        if (socat.state() != QProcess::NotRunning) {
            socat.kill();
            socat.waitForFinished(3000);
        }
    }

    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    static bool available() { return !QStandardPaths::findExecutable("socat").isEmpty(); }

    bool start()
    {
        if (!dir.isValid())
            return false;
        socat.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList args{"pty,raw,echo=0,link=" + first, "pty,raw,echo=0,link=" + second};
        socat.start("socat", args);
        if (!socat.waitForStarted(5000))
            return false;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000) {
            if (QFileInfo::exists(first) && QFileInfo::exists(second))
                return true;
            QThread::msleep(10);
        }
        return false;
    }

    QTemporaryDir dir;
    QString first;   // the sender's end
    QString second;  // the receiver's end
    QProcess socat;
};

// lrzsz's rb as the receiver, behind a pseudo-terminal made by socat: the
// sender opens tty(); socat connects it to rb's standard input and output (a
// socket pair). rb is not put on a pseudo-terminal itself because on exit it
// flushes its terminal, which on a pseudo-terminal can discard its final ACK
// before socat has read it. rb writes the received file into dir.
class RbLink
{
public:
    RbLink()
    {
        const QString tag = QFileInfo(work.path()).fileName();
        link = work.filePath(tag + "-rb");
        pidFile = work.filePath("rb.pid");
        rcFile = work.filePath("rb.rc");
    }

    ~RbLink()
    {
        QFile f(pidFile);
        if (socat.state() != QProcess::NotRunning && f.open(QIODevice::ReadOnly)) {
            const qint64 pid = f.readAll().trimmed().toLongLong();
            if (pid > 1)
                ::kill(pid_t(pid), SIGKILL);
        }
        if (socat.state() != QProcess::NotRunning) {
            socat.kill();
            socat.waitForFinished(3000);
        }
    }

    RbLink(const RbLink &) = delete;
    RbLink &operator=(const RbLink &) = delete;

    static bool available()
    {
        return PtyPair::available() && !QStandardPaths::findExecutable("rb").isEmpty();
    }

    // Starts socat; rb itself starts once the sender has opened tty().
    bool start()
    {
        if (!work.isValid() || !dir.isValid())
            return false;
        socat.setWorkingDirectory(dir.path());
        // -b binary, -y overwrite. rb runs in the background of the shell only
        // to record its process id; its input is the shell's (fd 3 copy).
        const QString rb = QString("exec 3<&0; rb -b -y <&3 3<&- & echo $! >'%1'; wait $!; echo $? >'%2'")
                               .arg(pidFile, rcFile);
        socat.start("socat", {"pty,raw,echo=0,wait-slave,link=" + link, "SYSTEM:" + rb});
        if (!socat.waitForStarted(5000))
            return false;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000) {
            if (QFileInfo::exists(link))
                return true;
            QThread::msleep(10);
        }
        return false;
    }

    QString tty() const { return link; }

    // Waits (with the event loop running) for rb and socat to end; true when
    // rb reported success. socat may end before the shell behind it has
    // written rb's exit code, so that file is waited for too (until it has
    // content: the shell creates it before writing).
    bool finish(int msecs = 30000)
    {
        QElapsedTimer t;
        t.start();
        while ((socat.state() != QProcess::NotRunning || QFileInfo(rcFile).size() == 0)
               && t.elapsed() < msecs)
            QTest::qWait(10);
        QFile f(rcFile);
        return f.open(QIODevice::ReadOnly) && f.readAll().trimmed() == "0";
    }

    QString filePath(const QString &name) const { return dir.filePath(name); }
    QString diagnostics() { return QString::fromLocal8Bit(socat.readAllStandardError()); }

    QTemporaryDir work;   // link, process id and exit code
    QTemporaryDir dir;    // rb's working directory
    QString link;
    QString pidFile;
    QString rcFile;
    QProcess socat;
};

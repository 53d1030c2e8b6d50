#pragma once
// Helper processes of the end-to-end tests: a private JACK server and the
// keyboard simulator. Every child is started under `timeout` (so it cannot
// outlive a hung test by long) and is told to stop when the test process dies,
// crashed or not.

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringList>
#include <QThread>

#include "midi/RtMidiBackend.h"

#include <csignal>
#include <sys/prctl.h>

// A child process that receives SIGTERM when this test process ends.
class ChildProcess : public QProcess
{
public:
    using QProcess::QProcess;
    ~ChildProcess() override { stop(); }

    // Starts `program args` under timeout(1) with a lifetime bound in seconds.
    bool startBounded(const QString &program, const QStringList &args, int seconds = 300)
    {
        start(QStringLiteral("timeout"),
              QStringList{QStringLiteral("--kill-after=5"), QString::number(seconds), program}
                  + args);
        return waitForStarted(5000);
    }

    void stop()
    {
        if (state() == QProcess::NotRunning)
            return;
        terminate();
        if (!waitForFinished(5000)) {
            kill();
            waitForFinished(2000);
        }
    }

    // Waits for a whole output line equal to `line` (stdout), consuming the
    // output up to and including it. Keeps everything read in `seen`.
    bool waitForLine(const QByteArray &line, int ms = 5000) { return waitForLineStartingWith(line, ms, true); }

    // Same for a line beginning with `prefix`; the whole line goes to *found.
    bool waitForLineStartingWith(const QByteArray &prefix, int ms, bool exact = false,
                                 QByteArray *found = nullptr)
    {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            const QByteArray more = readAllStandardOutput();
            m_pending += more;
            seen += more;
            int start = 0;
            int end;
            while ((end = m_pending.indexOf('\n', start)) >= 0) {
                const QByteArray current = m_pending.mid(start, end - start);
                start = end + 1;
                if (exact ? current == prefix : current.startsWith(prefix)) {
                    m_pending.remove(0, start);
                    if (found)
                        *found = current;
                    return true;
                }
            }
            m_pending.remove(0, start);
            if (clock.elapsed() > ms || state() != QProcess::Running)
                return false;
            // Let the test's own event loop run too (timers, queued signals).
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            waitForReadyRead(20);
        }
    }

    QByteArray seen;

protected:
    void setupChildProcess() override
    {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    }

private:
    QByteArray m_pending;
};

// Picks a JACK server name nobody else uses and puts it into the environment,
// where this process and every child started afterwards find it.
inline QByteArray choosePrivateJackServer(const char *purpose)
{
    const QByteArray name = QByteArray("q7x-") + purpose + '-'
                            + QByteArray::number(QCoreApplication::applicationPid()) + '-'
                            + QByteArray::number(QRandomGenerator::global()->bounded(1 << 30));
    qputenv("JACK_DEFAULT_SERVER", name);
    qputenv("JACK_NO_AUDIO_RESERVATION", "1");
    return name;
}

// A JACK server that never drops MIDI on a busy machine: in synchronous mode
// with a long client timeout the server waits for a late client instead of
// skipping its cycle (and the events of that cycle). Its output belongs in a
// file (see startJackd): it reports every late cycle, and a pipe nobody reads
// while the test blocks would fill up and stop the server.
inline QStringList jackdArguments(int period = 256)
{
    return {QStringLiteral("--no-realtime"), QStringLiteral("-S"), QStringLiteral("-t"),
            QStringLiteral("5000"), QStringLiteral("-d"),
            QStringLiteral("dummy"), QStringLiteral("-r"), QStringLiteral("48000"),
            QStringLiteral("-p"), QString::number(period)};
}

// Starts jackd with jackdArguments(period), its output appended to logPath.
inline bool startJackd(ChildProcess &jackd, const QString &logPath, int period = 256)
{
    jackd.setProcessChannelMode(QProcess::MergedChannels);
    jackd.setStandardOutputFile(logPath, QIODevice::Append);
    return jackd.startBounded(QStringLiteral("jackd"), jackdArguments(period));
}

inline QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Waits until the server started by startJackd accepts clients. Empty when it
// does; otherwise why not, with the server's log.
inline QByteArray waitForJackServer(const ChildProcess &jackd, const QString &logPath,
                                    int ms = 15000)
{
    QElapsedTimer clock;
    clock.start();
    while (!RtMidiBackend::jackServerRunning()) {
        if (jackd.state() != QProcess::Running)
            return "jackd ended: " + fileText(logPath);
        if (clock.elapsed() > ms)
            return "the JACK server did not come up: " + fileText(logPath);
        QThread::msleep(50);
    }
    return QByteArray();
}

// A private JACK server for one test: picks its name (choosePrivateJackServer),
// starts jackd (its log in folder/jackd.log) and waits until it accepts
// clients. Empty when it runs; otherwise why not, with the server's log.
inline QByteArray startPrivateJackServer(ChildProcess &jackd, const char *purpose,
                                         const QString &folder, int period = 256)
{
    choosePrivateJackServer(purpose);
    const QString logPath = folder + QStringLiteral("/jackd.log");
    if (!startJackd(jackd, logPath, period))
        return "jackd (package jackd2) cannot be started";
    return waitForJackServer(jackd, logPath);
}

#ifdef FTP_SERVER_SCRIPT
// Starts the local FTP server (python3-pyftpdlib) on a free loopback port,
// serving `root` to one account; it runs while its standard input stays open.
// Returns the port, or 0 when the server did not come up.
inline int startFtpServer(ChildProcess &ftp, const QString &root, const QString &user,
                          const QString &password)
{
    if (!ftp.startBounded(QStringLiteral("/usr/bin/python3"),
                          {QStringLiteral(FTP_SERVER_SCRIPT), QStringLiteral("0"), root, user,
                           password}))
        return 0;
    QByteArray portLine;
    if (!ftp.waitForLineStartingWith("", 10000, false, &portLine))
        return 0;
    return portLine.trimmed().toInt();
}
#endif

// Single-instance guard across real processes (guard_probe), stale guards of
// killed copies, junk on the raise socket and bringing a window to the front.
#include "app/InstanceGuard.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <memory>
#include <unistd.h>

class TstGuard : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_runtime;
    QString m_probe;
    int m_keys = 0;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    QProcessEnvironment m_env;

    QString newKey() { return QStringLiteral("Q7xGuardTest%1n%2").arg(QCoreApplication::applicationPid()).arg(++m_keys); }

    QProcess *start(const QString &key, const QStringList &extra = {})
    {
        m_processes.push_back(std::make_unique<QProcess>());
        QProcess *p = m_processes.back().get();
        p->setProcessEnvironment(m_env);
        p->start(m_probe, QStringList{key} + extra);
        return p;
    }

    // Waits until the process has printed the given line on stdout.
    static bool waitForLine(QProcess *p, const QByteArray &line, int ms = 10000)
    {
        QDeadlineTimer deadline(ms);
        QByteArray seen;
        while (!deadline.hasExpired()) {
            seen += p->readAllStandardOutput();
            if (seen.split('\n').contains(line)) {
                p->setProperty("seen", p->property("seen").toByteArray() + seen);
                return true;
            }
            if (p->state() == QProcess::NotRunning && !p->waitForReadyRead(0))
                break;
            p->waitForReadyRead(50);
        }
        p->setProperty("seen", p->property("seen").toByteArray() + seen);
        return false;
    }

    // A second start must end quickly with 0, print "second" and nothing on stderr.
    void expectSecond(const QString &key)
    {
        QProcess *second = start(key);
        QVERIFY(second->waitForFinished(5000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(second->readAllStandardOutput(), QByteArray("second\n"));
        QCOMPARE(second->readAllStandardError(), QByteArray());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_runtime.isValid());
        m_probe = qEnvironmentVariable("Q7X_GUARD_PROBE");
        QVERIFY2(QFile::exists(m_probe), "guard_probe not built");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }

    void init()
    {
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    }

    void cleanup()
    {
        for (auto &p : m_processes) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
        m_processes.clear();
    }

    void secondStartRaisesTheFirst_data()
    {
        QTest::addColumn<QStringList>("firstArgs");
        QTest::newRow("guard before application") << QStringList();
        QTest::newRow("application before guard") << QStringList{"--app-first"};
    }
    void secondStartRaisesTheFirst()
    {
        QFETCH(QStringList, firstArgs);
        const QString key = newKey();
        QProcess *first = start(key, firstArgs);
        QVERIFY(waitForLine(first, "first"));
        expectSecond(key);
        QVERIFY(waitForLine(first, "raised"));
        expectSecond(key);
        QVERIFY(waitForLine(first, "raised"));
        QCOMPARE(first->state(), QProcess::Running);
    }

    void killedFirstCopyDoesNotLockOthersOut()
    {
        const QString key = newKey();
        QProcess *first = start(key);
        QVERIFY(waitForLine(first, "first"));
        first->kill(); // SIGKILL: no clean-up at all
        QVERIFY(first->waitForFinished(5000));
        QVERIFY(QFile::exists(InstanceGuard::lockFilePath(key)));
        QVERIFY(QFile::exists(InstanceGuard::serverPath(key)));

        QProcess *next = start(key);
        QVERIFY(waitForLine(next, "first"));
        expectSecond(key);
        QVERIFY(waitForLine(next, "raised")); // the left-over socket was replaced
    }

    void normalExitReleasesTheGuard()
    {
        const QString key = newKey();
        QProcess *first = start(key, {"--quit-on-raise"});
        QVERIFY(waitForLine(first, "first"));
        expectSecond(key);
        QVERIFY(first->waitForFinished(5000));
        QCOMPARE(first->exitCode(), 0);
        QVERIFY(!QFile::exists(InstanceGuard::lockFilePath(key)));
        QVERIFY(!QFile::exists(InstanceGuard::serverPath(key)));
        QProcess *next = start(key);
        QVERIFY(waitForLine(next, "first"));
    }

    void junkOnTheSocketRaisesNothing()
    {
        const QString key = newKey();
        QProcess *first = start(key);
        QVERIFY(waitForLine(first, "first"));
        const QList<QByteArray> junk = {QByteArray(300, 'A'), QByteArray("raise now\n"), QByteArray("RAISE\n"),
                                        QByteArray("\n")};
        for (const QByteArray &bytes : junk) {
            QLocalSocket socket;
            socket.connectToServer(InstanceGuard::serverPath(key));
            QVERIFY(socket.waitForConnected(5000));
            socket.write(bytes);
            QVERIFY(socket.waitForBytesWritten(5000));
            // The first copy hangs up on anything it has read.
            QVERIFY(socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(5000));
        }
        // A command split over two writes still counts.
        QLocalSocket socket;
        socket.connectToServer(InstanceGuard::serverPath(key));
        QVERIFY(socket.waitForConnected(5000));
        socket.write("rai");
        QVERIFY(socket.waitForBytesWritten(5000));
        QTest::qWait(100);
        socket.write("se\n");
        QVERIFY(socket.waitForBytesWritten(5000));
        QVERIFY(waitForLine(first, "raised"));
        QCOMPARE(first->property("seen").toByteArray().count("raised"), 1);
    }

    void withoutRuntimeFolderAPrivateTempFolderIsUsed()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        m_env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        m_env.insert(QStringLiteral("TMPDIR"), tmp.path());
        const QString key = newKey();
        QProcess *first = start(key);
        QVERIFY(waitForLine(first, "first"));
        expectSecond(key);
        QVERIFY(waitForLine(first, "raised"));
        const QFileInfo folder(tmp.path() + QStringLiteral("/q7x-runtime-%1").arg(::getuid()));
        QVERIFY(folder.isDir());
        QCOMPARE(int(folder.permissions() & 0x0077), 0); // no group or other bits
    }

    void sharedTempFolderIsNotTrusted()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString folder = tmp.path() + QStringLiteral("/q7x-runtime-%1").arg(::getuid());
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7777)));
        m_env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        m_env.insert(QStringLiteral("TMPDIR"), tmp.path());
        const QString key = newKey();
        // Without a private place for the guard every copy runs.
        QProcess *first = start(key);
        QVERIFY(waitForLine(first, "first"));
        QProcess *second = start(key);
        QVERIFY(waitForLine(second, "first"));
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void sameProcessStaysTheFirstCopy()
    {
        const QString key = newKey();
        QVERIFY(!InstanceGuard::instance()->isFirstInstance());
        QVERIFY(!isAnotherInstanceRunning(key));
        QVERIFY(InstanceGuard::instance()->isFirstInstance());
        QVERIFY(!isAnotherInstanceRunning(key));
        QSignalSpy raised(InstanceGuard::instance(), &InstanceGuard::raiseRequested);
        expectSecond(key);
        QTRY_COMPARE(raised.count(), 1);
    }

    void bringToFrontRestoresAndShows()
    {
        QWindow minimised;
        minimised.showMinimized();
        InstanceGuard::bringToFront(&minimised);
        QVERIFY(!(minimised.windowState() & Qt::WindowMinimized));
        QVERIFY(minimised.isVisible());

        QWindow hidden;
        InstanceGuard::bringToFront(&hidden);
        QVERIFY(hidden.isVisible());
        InstanceGuard::bringToFront(nullptr);
    }
};

QTEST_MAIN(TstGuard)
#include "tst_guard.moc"

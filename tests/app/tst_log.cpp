// Log handler: file naming, header, entry format, pruning, hour change,
// escaping, reopen rule, threads and fatal messages.
#include "app/Logger.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstring>
#include <sys/resource.h>

namespace {

QDateTime g_now;
QDateTime fixedClock() { return g_now; }

QString readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

} // namespace

class TstLog : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_logDir = m_dir.path() + QStringLiteral("/run") + QString::number(++m_run);
        LoggerTesting::reset();
        LoggerTesting::setClock(&fixedClock);
        m_testHandler = qInstallMessageHandler(nullptr);
        qInstallMessageHandler(m_testHandler);
        g_now = QDateTime(QDate(2022, 5, 1), QTime(14, 3, 5));
    }
    void cleanup()
    {
        qInstallMessageHandler(m_testHandler);
        LoggerTesting::setClock(nullptr);
        LoggerTesting::reset();
    }

    void newFileStartsWithHeaderAndEntriesFollow()
    {
        installLogHandlerAt(m_logDir, 1024);
        QVERIFY(QDir(m_logDir).exists());
        QCOMPARE(logDirectoryPath(), m_logDir);
        qDebug("first");
        qInfo("second");
        const QString text = readAll(m_logDir + "/2022-05-01_14_log.html");
        QVERIFY(text.startsWith(QStringLiteral("\n<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>")));
        const int headEnd = text.indexOf(QStringLiteral("</select>\n")) + int(std::strlen("</select>\n"));
        QVERIFY(headEnd > 20);
        QCOMPARE(text.mid(headEnd),
                 QStringLiteral("\r\n<div class=\"d\">2022-05-01 14:03:05 first</div>\r\n"
                                "<div class=\"i\">2022-05-01 14:03:05 second</div>\r\n"));
        // Level filter and style sheet pieces the page depends on.
        const QString head = text.left(headEnd);
        QVERIFY(head.contains(QStringLiteral("id=\"logCss\"")));
        QVERIFY(head.contains(QStringLiteral("#18242b")));
        QVERIFY(head.contains(QStringLiteral(".f { background-color: #fc0808; color: #19242b; }")));
        QVERIFY(head.contains(QStringLiteral("function selectType()")));
        const QStringList order = {"'a' selected=\"selected\">All", "'d'>Debug", "'i'>Info",
                                   "'w'>Warning", "'c'>Critical", "'f'>Fatal"};
        int pos = head.indexOf(QStringLiteral("id=\"typeSelect\""));
        QVERIFY(pos > 0);
        for (const QString &option : order) {
            const int next = head.indexOf(option, pos);
            QVERIFY2(next > pos, qPrintable(option));
            pos = next;
        }
    }

    // A file size limit stands in for a full disk: writes past it fail (and
    // would raise SIGXFSZ, which must not end the program). Entries land
    // whole or not at all, and a file whose head could not be written gets
    // it before its first entry once there is room again.
    void fullDiskKeepsEntriesWholeAndHeadersComplete()
    {
        installLogHandlerAt(m_logDir, 1024);
        const QString first = m_logDir + "/2022-05-01_14_log.html";
        const QString second = m_logDir + "/2022-05-01_15_log.html";
        qDebug("one");
        const QByteArray entryOne = "<div class=\"d\">2022-05-01 14:03:05 one</div>\r\n";
        const qint64 firstSize = QFileInfo(first).size();
        const qint64 headSize = firstSize - entryOne.size();
        QVERIFY(headSize > 100);

        rlimit saved {};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        auto limit = [&](rlim_t bytes) {
            rlimit l = saved;
            l.rlim_cur = bytes;
            QVERIFY(setrlimit(RLIMIT_FSIZE, &l) == 0);
        };
        limit(rlim_t(firstSize + 10));
        qDebug("cut off in the existing file");
        limit(0);
        g_now = QDateTime(QDate(2022, 5, 1), QTime(15, 0, 0));
        qDebug("no room for the head");
        limit(rlim_t(headSize + 10));
        qDebug("room for the head only");
        QVERIFY(setrlimit(RLIMIT_FSIZE, &saved) == 0);
        qDebug("room again");

        QCOMPARE(QFileInfo(first).size(), firstSize);
        const QString text = readAll(second);
        QVERIFY(text.startsWith(QStringLiteral("\n<?xml")));
        QVERIFY(text.endsWith(QStringLiteral("</select>\n\r\n<div class=\"d\">2022-05-01 15:00:00 room again</div>\r\n")));
        QCOMPARE(text.count(QStringLiteral("<?xml")), 1);
    }

    void eachLevelHasItsLetter()
    {
        installLogHandlerAt(m_logDir, 1024);
        qDebug("m0");
        qWarning("m1");
        qCritical("m2");
        qInfo("m4");
        logMessageHandler(QtFatalMsg, QMessageLogContext(), QStringLiteral("m3")); // no abort when called directly
        const QString text = readAll(m_logDir + "/2022-05-01_14_log.html");
        for (auto pair : {qMakePair('d', 0), qMakePair('w', 1), qMakePair('c', 2), qMakePair('f', 3), qMakePair('i', 4)}) {
            const QString entry = QStringLiteral("<div class=\"%1\">2022-05-01 14:03:05 m%2</div>\r\n")
                                      .arg(QLatin1Char(pair.first)).arg(pair.second);
            QVERIFY2(text.contains(entry), qPrintable(entry));
        }
    }

    void restartWithinTheHourAppendsWithoutHeader()
    {
        QDir().mkpath(m_logDir);
        const QString path = m_logDir + "/2022-05-01_14_log.html";
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("earlier\r\n");
        }
        installLogHandlerAt(m_logDir, 1024);
        qWarning("again");
        QCOMPARE(readAll(path), QStringLiteral("earlier\r\n<div class=\"w\">2022-05-01 14:03:05 again</div>\r\n"));
    }

    void newHourStartsNewFile()
    {
        installLogHandlerAt(m_logDir, 1024);
        qDebug("before");
        g_now = QDateTime(QDate(2022, 5, 1), QTime(15, 0, 0));
        qDebug("after");
        const QString first = readAll(m_logDir + "/2022-05-01_14_log.html");
        const QString second = readAll(m_logDir + "/2022-05-01_15_log.html");
        QVERIFY(first.contains("before"));
        QVERIFY(!first.contains("after"));
        QVERIFY(second.startsWith(QStringLiteral("\n<?xml")));
        QVERIFY(second.endsWith(QStringLiteral("</select>\n\r\n<div class=\"d\">2022-05-01 15:00:00 after</div>\r\n")));
    }

    void pruningKeepsTheNewestByName_data()
    {
        QTest::addColumn<int>("present");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("removed");
        QTest::newRow("1030 of 1024") << 1030 << 1024 << 6;
        QTest::newRow("exactly 1024") << 1024 << 1024 << 0;
        QTest::newRow("limit 0") << 5 << 0 << 5;
        QTest::newRow("negative limit") << 3 << -1 << 3;
    }
    void pruningKeepsTheNewestByName()
    {
        QFETCH(int, present);
        QFETCH(int, limit);
        QFETCH(int, removed);
        QDir dir(m_logDir);
        QVERIFY(dir.mkpath(m_logDir));
        // Created in reverse so creation time and name order disagree.
        for (int n = present - 1; n >= 0; --n) {
            QFile f(dir.filePath(QStringLiteral("2020-01-%1_log.html").arg(n, 5, 10, QLatin1Char('0'))));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(dir.mkdir("keep-me")); // folders are not log files
        installLogHandlerAt(m_logDir, limit);
        qInstallMessageHandler(m_testHandler);
        const QStringList left = dir.entryList(QDir::Files, QDir::Name);
        QCOMPARE(left.size(), present - removed);
        if (!left.isEmpty())
            QCOMPARE(left.first(), QStringLiteral("2020-01-%1_log.html").arg(removed, 5, 10, QLatin1Char('0')));
        QVERIFY(dir.exists("keep-me"));
    }

    void markupIsEscaped()
    {
        installLogHandlerAt(m_logDir, 1024);
        qDebug().noquote() << "<script>alert(\"x\")</script> & <b>";
        const QString text = readAll(m_logDir + "/2022-05-01_14_log.html");
        QVERIFY(!text.contains(QStringLiteral("<script>alert")));
        QVERIFY(text.contains(QStringLiteral(
            "<div class=\"d\">2022-05-01 14:03:05 &lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; &lt;b&gt;</div>\r\n")));
    }

    void fileRemovedAfter512CharactersIsRecreated()
    {
        installLogHandlerAt(m_logDir, 1024);
        const QString path = m_logDir + "/2022-05-01_14_log.html";
        const QString filler(600, QLatin1Char('x'));
        qDebug().noquote() << filler; // pushes the counter past 512
        QVERIFY(QFile::remove(path));
        // Written to the removed file, which is then reopened by name.
        qDebug("lost");
        qDebug("after removal");
        const QString text = readAll(path);
        QVERIFY(text.startsWith(QStringLiteral("\n<?xml")));
        QVERIFY(text.endsWith(QStringLiteral("<div class=\"d\">2022-05-01 14:03:05 after removal</div>\r\n")));
        QVERIFY(!text.contains(filler));
        QVERIFY(!text.contains(QStringLiteral("lost")));
    }

    void concurrentWritersKeepEntriesWhole()
    {
        installLogHandlerAt(m_logDir, 1024);
        constexpr int kThreads = 4;
        constexpr int kMessages = 150;
        QList<QThread *> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads << QThread::create([t] {
                for (int n = 0; n < kMessages; ++n)
                    qDebug("thread %d message %d", t, n);
            });
            threads.last()->start();
        }
        for (QThread *thread : threads) {
            QVERIFY(thread->wait(60000));
            delete thread;
        }
        const QString text = readAll(m_logDir + "/2022-05-01_14_log.html");
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        int entries = 0;
        for (const QString &line : lines) {
            if (line.startsWith(QStringLiteral("<div"))) {
                ++entries;
                QVERIFY2(line.endsWith(QStringLiteral("</div>")), qPrintable(line));
            }
        }
        QCOMPARE(entries, kThreads * kMessages);
        QCOMPARE(text.count(QStringLiteral("<?xml")), 1);
    }

    void unwritableFolderLosesEntriesQuietly()
    {
        installLogHandlerAt(QStringLiteral("/proc/q7x-no-such-folder/Log"), 1024);
        qWarning("still runs");
        qDebug("and again");
        QVERIFY(!QFile::exists(QStringLiteral("/proc/q7x-no-such-folder/Log")));
    }

    void defaultFolderIsUnderAppLocalData()
    {
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + "/data"));
        installLogHandler(QStringLiteral("Log"), 1024);
        const QString expected =
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/Log");
        qputenv("XDG_DATA_HOME", saved);
        QVERIFY(expected.startsWith(m_dir.path() + "/data/"));
        QCOMPARE(logDirectoryPath(), expected);
        QVERIFY(QDir(expected).exists());
    }

    // The child runs this same program with --child and reports through its
    // exit status, its stderr and the log file.
    void fatalMessageIsWrittenBeforeAbort()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--child", "fatal", m_logDir});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const QString text = readAll(m_logDir + "/2022-05-01_14_log.html");
        QVERIFY2(text.endsWith(QStringLiteral("<div class=\"f\">2022-05-01 14:03:05 the end &lt;now&gt;</div>\r\n")),
                 qPrintable(text.right(200)));
        QVERIFY(QString::fromUtf8(child.readAllStandardError())
                    .contains(QStringLiteral("2022-05-01 14:03:05 the end <now>\n")));
    }

    void startupLineNamesTheSourceFile()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--child", "startup", m_logDir});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        const QString expected = QStringLiteral("2022-05-01 14:03:05 %1 20 ================progress start================")
                                     .arg(QStringLiteral(__FILE__));
        QVERIFY(QString::fromUtf8(child.readAllStandardError()).contains(expected + "\n"));
        QVERIFY(readAll(m_logDir + "/2022-05-01_14_log.html").contains(QStringLiteral("<div class=\"d\">") + expected + "</div>"));
    }

    void messagesFromStaticDestructorsAreStillLogged()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--child", "startup", m_logDir});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QVERIFY(readAll(m_logDir + "/2022-05-01_14_log.html")
                    .endsWith(QStringLiteral("<div class=\"w\">2022-05-01 14:03:05 static object gone</div>\r\n")));
    }

private:
    QTemporaryDir m_dir;
    QString m_logDir;
    int m_run = 0;
    QtMessageHandler m_testHandler = nullptr;
};

// Logs from its destructor, which runs among the other static destructors
// after main has returned.
struct LogsAtExit
{
    ~LogsAtExit() { qWarning("static object gone"); }
};

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        // Constructed before the handler's own state, so destroyed after it.
        static LogsAtExit atExit;
        QCoreApplication app(argc, argv);
        g_now = QDateTime(QDate(2022, 5, 1), QTime(14, 3, 5));
        LoggerTesting::setClock(&fixedClock);
        installLogHandlerAt(QString::fromLocal8Bit(argv[3]), 1024);
        if (std::strcmp(argv[2], "fatal") == 0)
            qFatal("the end <now>");
        logStartupLine(__FILE__);
        return 0;
    }
    QCoreApplication app(argc, argv);
    TstLog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_log.moc"

// FirmwareUpdate: the loader lookup, what it says when it cannot start, and
// real transfers to lrzsz's rb behind a socat pseudo-terminal.
#include "firmware/FirmwareUpdate.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/firmware/ymodem_pty.h" // RbLink: lrzsz's rb behind a pseudo-terminal

#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTranslator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
QStringList g_lines;
QtMessageHandler g_previous = nullptr;

void captureMessages(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    g_lines.append(msg);
    if (g_previous)
        g_previous(type, context, msg);
}

// A well-behaved firmware loader played by the test: the receiving side of
// YMODEM on one end of a socat pseudo-terminal pair, answering each packet at
// once. Optionally aborts with the letter 'A' instead of accepting the header.
class ScriptedLoader : public QObject
{
public:
    bool abortAtHeader = false;
    QString fileName;
    qint64 fileSize = -1;
    QByteArray data;
    bool finished = false;
    QString link; // the sender's end

    bool start()
    {
        if (!dir.isValid())
            return false;
        const QString tag = QFileInfo(dir.path()).fileName();
        link = dir.filePath(tag + "-a");
        const QString mine = dir.filePath(tag + "-b");
        socat.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        socat.start("socat", {"pty,raw,echo=0,link=" + link, "pty,raw,echo=0,link=" + mine});
        if (!socat.waitForStarted(5000))
            return false;
        QElapsedTimer t;
        t.start();
        while (!(QFileInfo::exists(link) && QFileInfo::exists(mine)) && t.elapsed() < 10000)
            QTest::qWait(20);
        port.setPortName(mine);
        if (!port.open(QIODevice::ReadWrite))
            return false;
        connect(&port, &QSerialPort::readyRead, this, [this] { onData(); });
        return true;
    }

    // Asks for the transfer, as a loader does until the sender answers.
    void requestStart()
    {
        port.write("C");
        connect(&poke, &QTimer::timeout, this, [this] {
            if (stage == Header && buffer.isEmpty())
                port.write("C");
        });
        poke.start(1000);
    }

    ~ScriptedLoader() override
    {
        port.close();
        if (socat.state() != QProcess::NotRunning) {
            socat.kill();
            socat.waitForFinished(3000);
        }
    }

private:
    enum Stage { Header, Data, EndOfBatch, Done };

    void onData()
    {
        buffer += port.readAll();
        while (!buffer.isEmpty() && stage != Done) {
            const char head = buffer.at(0);
            if (stage == Data && head == 0x04) { // end of file
                buffer.remove(0, 1);
                port.write("\x06" "C", 2);
                stage = EndOfBatch;
                continue;
            }
            const int total = head == 0x02 ? 1029 : head == 0x01 ? 133 : -1;
            if (total < 0) {
                buffer.remove(0, 1); // noise
                continue;
            }
            if (buffer.size() < total)
                return;
            const QByteArray packet = buffer.left(total);
            buffer.remove(0, total);
            const QByteArray payload = packet.mid(3, total - 5);
            if (stage == Header) {
                if (abortAtHeader) {
                    port.write("A");
                    stage = Done;
                    return;
                }
                fileName = QString::fromLocal8Bit(payload.constData());
                fileSize = payload.mid(fileName.toLocal8Bit().size() + 1).split('\0').value(0).toLongLong();
                port.write("\x06" "C", 2);
                stage = Data;
            } else if (stage == Data && uint8_t(packet.at(1)) == 0 && data.isEmpty()) {
                // Block 0 again: our ACK was lost or came late; accept it once more.
                port.write("\x06", 1);
            } else if (stage == Data) {
                data += payload;
                port.write("\x06", 1);
            } else if (stage == EndOfBatch) {
                finished = payload.count('\0') == payload.size();
                port.write("\x06", 1);
                data.truncate(int(fileSize));
                stage = Done;
            }
        }
    }

    QTemporaryDir dir;
    QProcess socat;
    QSerialPort port;
    QTimer poke;
    QByteArray buffer;
    Stage stage = Header;
};

QByteArray pattern(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 31) ^ (i >> 8));
    return data;
}
} // namespace

class TestFirmwareUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void lookupTakesFirstLoaderAndLogsTheRest();
    void lookupWithoutLoaderLogsEveryPort();
    void noLoaderPortEndsWithMessage();
    void portThatCannotBeOpenedEndsWithMessage_data();
    void portThatCannotBeOpenedEndsWithMessage();
    void permissionDeniedNamesDeviceAndGroup();
    void messagesInChinese();
    void secondUpdateWhileOneRunsIsRefused();
    void transferToRbSucceeds_data();
    void transferToRbSucceeds();
    void unreadableImageEndsInOneFailure();
    void scriptedLoaderSuccess_data();
    void scriptedLoaderSuccess();
    void loaderAbortEndsInOneFailure();

private:
    QTemporaryDir work;
};

void TestFirmwareUpdate::initTestCase()
{
    QVERIFY(work.isValid());
    g_previous = qInstallMessageHandler(captureMessages);
}

void TestFirmwareUpdate::cleanupTestCase()
{
    qInstallMessageHandler(g_previous);
}

void TestFirmwareUpdate::init()
{
    g_lines.clear();
}

void TestFirmwareUpdate::lookupTakesFirstLoaderAndLogsTheRest()
{
    using P = FirmwareUpdate::PortIds;
    const QList<P> ports = {
        {"ttyS0", 0, 0},
        {"ttyACM0", 0x0416, 0x0205}, // same maker, other product
        {"ttyUSB0", 0x1a86, 0x7523},
        {"ttyACM1", 0x0416, 0x0204},
        {"ttyACM2", 0x0416, 0x0206},
    };
    QCOMPARE(FirmwareUpdate::findLoaderPort(ports), QString("ttyACM1"));
    QCOMPARE(g_lines, QStringList({"vid:0 pid:0", "vid:416 pid:205", "vid:1a86 pid:7523"}));

    g_lines.clear();
    QCOMPARE(FirmwareUpdate::findLoaderPort({{"a", 0x0416, 0x0206}, {"b", 0x0416, 0x0204}}),
             QString("a"));
    QVERIFY(g_lines.isEmpty());
}

void TestFirmwareUpdate::lookupWithoutLoaderLogsEveryPort()
{
    QCOMPARE(FirmwareUpdate::findLoaderPort({{"x", 0x0417, 0x0206}, {"y", 0x0416, 0x0000}}),
             QString());
    QCOMPARE(g_lines, QStringList({"vid:417 pid:206", "vid:416 pid:0"}));
    g_lines.clear();
    QCOMPARE(FirmwareUpdate::findLoaderPort({}), QString());
    QVERIFY(g_lines.isEmpty());
}

void TestFirmwareUpdate::noLoaderPortEndsWithMessage()
{
    if (!FirmwareUpdate::findLoaderPort(FirmwareUpdate::availablePorts()).isEmpty())
        QSKIP("a real firmware loader is attached to this machine");
    ScriptedPrompter prompter;
    FirmwareUpdate update;
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy failed(&update, &FirmwareUpdate::updateFailed);
    update.startUpdate(work.filePath("fw.bin"));
    QCOMPARE(failed.count(), 1);
    QVERIFY(failed[0][0].toString().contains("firmware loader was not found"));
    QVERIFY(prompter.boxes.isEmpty());
    QTest::qWait(200);
    QCOMPARE(status.count(), 0);
}

void TestFirmwareUpdate::portThatCannotBeOpenedEndsWithMessage_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << work.filePath("no-such-tty") << "is gone";
    // Not a terminal: opens as a file, then fails to be set up as a port.
    QTest::newRow("not a port") << work.filePath("plain-file") << "could not be opened";
    // Held by another program (here: this test, through its own port).
    QTest::newRow("in use") << QString("held") << "is in use by another program";
}

void TestFirmwareUpdate::portThatCannotBeOpenedEndsWithMessage()
{
    QFETCH(QString, port);
    QFETCH(QString, message);
    {
        QFile plain(work.filePath("plain-file"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
    }
    PtyPair pty;
    QSerialPort holder;
    if (port == "held") {
        if (!PtyPair::available())
            QSKIP("socat is needed");
        QVERIFY(pty.start());
        port = QFileInfo(pty.first).canonicalFilePath();
        holder.setPortName(port);
        QVERIFY(holder.open(QIODevice::ReadWrite));
    }
    ScriptedPrompter prompter;
    FirmwareUpdate update;
    update.setLoaderPortName(port);
    QCOMPARE(update.loaderPortName(), port);
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy progress(&update, &FirmwareUpdate::transmitProgress);
    QSignalSpy failed(&update, &FirmwareUpdate::updateFailed);
    update.startUpdate(work.filePath("fw.bin"));
    QCOMPARE(failed.count(), 1);
    const QString text = failed[0][0].toString();
    QVERIFY2(text.contains(port) && text.contains(message), qPrintable(text));
    QVERIFY(prompter.boxes.isEmpty());
    QVERIFY(!update.isBusy());
    QTest::qWait(300);
    QCOMPARE(status.count(), 0);
    QCOMPARE(progress.count(), 0);
}

// The usual first-time problem on Linux: the loader's device belongs to a
// group the user is not in. The message names the device and the group.
void TestFirmwareUpdate::permissionDeniedNamesDeviceAndGroup()
{
    if (!PtyPair::available())
        QSKIP("socat is needed");
    PtyPair pty;
    QVERIFY(pty.start());
    const QString device = QFileInfo(pty.first).canonicalFilePath();
    const QString group = QFileInfo(device).group();
    QVERIFY(!group.isEmpty());

    // Without the right to open it: as root, for a moment as nobody.
    const bool root = ::geteuid() == 0;
    struct stat before {};
    QVERIFY(::stat(QFile::encodeName(device).constData(), &before) == 0);
    if (!root)
        QVERIFY(::chmod(QFile::encodeName(device).constData(), 0) == 0);
    else
        QVERIFY(::seteuid(65534) == 0);

    ScriptedPrompter prompter;
    FirmwareUpdate update;
    update.setLoaderPortName(device);
    QSignalSpy failed(&update, &FirmwareUpdate::updateFailed);
    update.startUpdate(work.filePath("fw.bin"));
    if (root)
        QVERIFY(::seteuid(0) == 0);
    else
        ::chmod(QFile::encodeName(device).constData(), before.st_mode & 07777);

    QCOMPARE(failed.count(), 1);
    const QString text = failed[0][0].toString();
    QVERIFY2(text.startsWith("Permission denied for the serial port " + device), qPrintable(text));
    if (group != "root")
        QVERIFY2(text.contains("group \"" + group + "\""), qPrintable(text));
}

// The messages come in the interface's language, with the device filled in.
void TestFirmwareUpdate::messagesInChinese()
{
    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral(Q7X_TEST_ZH_QM)));
    QVERIFY(QCoreApplication::installTranslator(&chinese));
    FirmwareUpdate update;
    update.setLoaderPortName(work.filePath("no-such-tty"));
    QSignalSpy failed(&update, &FirmwareUpdate::updateFailed);
    update.startUpdate(work.filePath("fw.bin"));
    QCoreApplication::removeTranslator(&chinese);
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed[0][0].toString(),
             QString::fromUtf8("键盘固件升级程序的串口 %1 已不存在。请重新连接键盘后重试。")
                 .arg(work.filePath("no-such-tty")));
    // A group name is put in as it is.
    QCoreApplication::installTranslator(&chinese);
    const QString text = FirmwareUpdate::openFailureText("/nonexistent/ttyACM9",
                                                         QSerialPort::UnknownError, "EIO");
    QCoreApplication::removeTranslator(&chinese);
    QCOMPARE(text, QString::fromUtf8("无法打开串口 /nonexistent/ttyACM9（EIO）。请重新连接键盘后重试。"));
}

void TestFirmwareUpdate::secondUpdateWhileOneRunsIsRefused()
{
    if (!PtyPair::available())
        QSKIP("socat is needed");
    const QString imagePath = work.filePath("busy.bin");
    {
        QFile f(imagePath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(pattern(3000));
    }
    ScriptedLoader loader;
    QVERIFY(loader.start());
    ScriptedPrompter prompter;
    FirmwareUpdate update;
    update.setLoaderPortName(loader.link);
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy failed(&update, &FirmwareUpdate::updateFailed);
    QSignalSpy refused(&update, &FirmwareUpdate::updateRefused);
    update.startUpdate(imagePath);
    QVERIFY(update.isBusy());
    update.startUpdate(imagePath);
    QCOMPARE(refused.count(), 1);
    QVERIFY(refused[0][0].toString().contains("already running"));
    QCOMPARE(failed.count(), 0);

    // The first one goes on undisturbed.
    loader.requestStart();
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 30000);
    QCOMPARE(status[0][0].toBool(), true);
    QCOMPARE(loader.data, pattern(3000));
    QVERIFY(!update.isBusy());
    QCOMPARE(failed.count(), 0);
    QVERIFY(prompter.boxes.isEmpty());
}

void TestFirmwareUpdate::transferToRbSucceeds_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("expectedProgress");
    QTest::newRow("5000 bytes") << 5000 << QList<int>{20, 40, 61, 81, 100};
}

void TestFirmwareUpdate::transferToRbSucceeds()
{
    if (!RbLink::available())
        QSKIP("socat and lrzsz (rb) are needed");
    QFETCH(int, size);
    QFETCH(QList<int>, expectedProgress);

    const QString sendDir = work.filePath("send-" + QString::number(size));
    QVERIFY(QDir().mkpath(sendDir));
    const QByteArray image = pattern(size);
    const QString imagePath = sendDir + "/fw.bin";
    {
        QFile f(imagePath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(image);
    }

    RbLink peer;
    QVERIFY(peer.start());

    ScriptedPrompter prompter;
    FirmwareUpdate update;
    update.setLoaderPortName(peer.tty());
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy progress(&update, &FirmwareUpdate::transmitProgress);
    update.startUpdate(imagePath);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 60000);
    QVERIFY(prompter.boxes.isEmpty());
    QCOMPARE(status[0][0].toBool(), true);
    QVERIFY2(peer.finish(), qPrintable(peer.diagnostics()));

    QList<int> values;
    for (const QList<QVariant> &args : qAsConst(progress))
        values.append(args[0].toInt());
    QCOMPARE(values, expectedProgress);

    QFile received(peer.filePath("fw.bin"));
    QVERIFY(received.open(QIODevice::ReadOnly));
    QCOMPARE(received.readAll(), image);

    QTest::qWait(200);
    QCOMPARE(status.count(), 1);
}

void TestFirmwareUpdate::unreadableImageEndsInOneFailure()
{
    if (!RbLink::available())
        QSKIP("socat and lrzsz (rb) are needed");
    RbLink peer;
    QVERIFY(peer.start());

    ScriptedPrompter prompter;
    FirmwareUpdate update;
    update.setLoaderPortName(peer.tty());
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy progress(&update, &FirmwareUpdate::transmitProgress);
    QSignalSpy failed(&update, &FirmwareUpdate::updateFailed);
    update.startUpdate(work.filePath("does-not-exist.bin"));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 60000);
    QCOMPARE(status[0][0].toBool(), false);
    QCOMPARE(failed.count(), 1);
    QVERIFY(failed[0][0].toString().contains("transfer to the keyboard failed"));
    QTest::qWait(300);
    QCOMPARE(status.count(), 1);
    QCOMPARE(progress.count(), 0);
    QVERIFY(prompter.boxes.isEmpty());
}

void TestFirmwareUpdate::scriptedLoaderSuccess_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("expectedProgress");
    QTest::newRow("1000 bytes") << 1000 << QList<int>{100};
    QTest::newRow("1152 bytes") << 1152 << QList<int>{88, 100};
    QTest::newRow("empty") << 0 << QList<int>{};
}

void TestFirmwareUpdate::scriptedLoaderSuccess()
{
    if (!PtyPair::available())
        QSKIP("socat is needed");
    QFETCH(int, size);
    QFETCH(QList<int>, expectedProgress);
    const QByteArray image = pattern(size);
    const QString imagePath = work.filePath(QString("image-%1.bin").arg(size));
    {
        QFile f(imagePath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(image);
    }
    ScriptedLoader loader;
    QVERIFY(loader.start());

    ScriptedPrompter prompter;
    FirmwareUpdate update;
    update.setLoaderPortName(loader.link);
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy progress(&update, &FirmwareUpdate::transmitProgress);
    update.startUpdate(imagePath);
    loader.requestStart();
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 30000);
    QCOMPARE(status[0][0].toBool(), true);
    QVERIFY(prompter.boxes.isEmpty());
    QVERIFY(loader.finished);
    QCOMPARE(loader.fileName, QFileInfo(imagePath).fileName());
    QCOMPARE(loader.fileSize, qint64(size));
    QCOMPARE(loader.data, image);
    QList<int> values;
    for (const QList<QVariant> &args : qAsConst(progress))
        values.append(args[0].toInt());
    QCOMPARE(values, expectedProgress);

    // The port is free again: a second update on the same object works.
    ScriptedLoader again;
    QVERIFY(again.start());
    update.setLoaderPortName(again.link);
    update.startUpdate(imagePath);
    again.requestStart();
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 2, 30000);
    QCOMPARE(status[1][0].toBool(), true);
    QCOMPARE(again.data, image);
}

void TestFirmwareUpdate::loaderAbortEndsInOneFailure()
{
    if (!PtyPair::available())
        QSKIP("socat is needed");
    const QString imagePath = work.filePath("abort.bin");
    {
        QFile f(imagePath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(pattern(3000));
    }
    ScriptedLoader loader;
    loader.abortAtHeader = true;
    QVERIFY(loader.start());
    FirmwareUpdate update;
    update.setLoaderPortName(loader.link);
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy progress(&update, &FirmwareUpdate::transmitProgress);
    QSignalSpy failed(&update, &FirmwareUpdate::updateFailed);
    update.startUpdate(imagePath);
    loader.requestStart();
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 30000);
    QCOMPARE(status[0][0].toBool(), false);
    QTest::qWait(300);
    QCOMPARE(status.count(), 1);
    QCOMPARE(progress.count(), 0);
    QCOMPARE(failed.count(), 1);
    QVERIFY(failed[0][0].toString().contains("cancelled the update"));
}

QTEST_MAIN(TestFirmwareUpdate)
#include "tst_firmwareupdate.moc"

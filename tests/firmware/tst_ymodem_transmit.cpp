// YmodemFileTransmit over linked pseudo-terminals: against a scripted
// receiver in this process (to see every byte and timing) and against
// lrzsz's rb (an independent YMODEM implementation).
#include "firmware/YmodemFileTransmit.h"
#include "tests/firmware/ymodem_pty.h"

#include <QtTest>
#include <QSerialPort>
#include <QSocketNotifier>

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

QByteArray pattern(int size, int seed = 1)
{
    QByteArray data(size, '\0');
    quint32 x = 0x12345678u * quint32(seed);
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        data[i] = char(x >> 24);
    }
    return data;
}

QString writeFile(const QString &dir, const QString &name, const QByteArray &data)
{
    const QString path = QDir(dir).filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        return QString();
    return path;
}

using Status = YmodemFileTransmit::Status;

// Reads the engine's limits, which are not public.
class LimitProbe : public YmodemFileTransmit
{
public:
    uint32_t divide() const { return timeDivide; }
    uint32_t max() const { return timeMax; }
    uint32_t errors() const { return errorMax; }
};

// Everything the sender emits, in order.
struct Recorder {
    explicit Recorder(YmodemFileTransmit &t)
    {
        QObject::connect(&t, &YmodemFileTransmit::transmitProgress, [this](int p) {
            progress.append(p);
            events.append(QString("p%1").arg(p));
        });
        QObject::connect(&t, &YmodemFileTransmit::transmitStatus, [this, &t](Status s) {
            statuses.append(s);
            events.append(QString("s%1").arg(int(s)));
            if (s != YmodemFileTransmit::StatusEstablish && s != YmodemFileTransmit::StatusTransmit) {
                endedAt.start();
                runningAtEnd = t.isRunning();
            }
        });
    }
    bool waitEnd(int msecs)
    {
        QElapsedTimer t;
        t.start();
        while (!endedAt.isValid() && t.elapsed() < msecs)
            QTest::qWait(5);
        return endedAt.isValid();
    }
    QList<int> progress;
    QList<Status> statuses;
    QStringList events;
    QElapsedTimer endedAt;
    bool runningAtEnd = true;
};

// A YMODEM receiver written for these tests, on the other end of the pair:
// either a socat pseudo-terminal opened as a serial port, or the master side
// of a pseudo-terminal made here (no relay in between, so the receiver can
// hang up the very moment it wants to).
class ScriptedPeer : public QObject
{
public:
    enum Behaviour {
        Normal,
        Silent,
        AbortAfterHeader,
        MuteAfterFirstBlock,
        RepeatedC,           // asks with "CC", as receivers that repeat 'C' do
        HangUpAfterFinalAck  // drops the line as soon as the final ACK is read
    };

    explicit ScriptedPeer(Behaviour b) : behaviour(b)
    {
        QObject::connect(&port, &QSerialPort::readyRead, this, [this] { onData(); });
    }

    ~ScriptedPeer() override { closeMaster(); }

    bool open(const QString &tty)
    {
        port.setPortName(tty);
        if (!port.open(QIODevice::ReadWrite))
            return false;
        greet();
        return true;
    }

    // Makes a pseudo-terminal; the sender opens slavePath().
    bool openMaster()
    {
        int slave = -1;
        char name[256] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return false;
        termios raw{};
        ::tcgetattr(slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave, TCSANOW, &raw);
        // Kept open to see how much the sender has not read yet.
        slaveFd = slave;
        slaveName = QString::fromLocal8Bit(name);
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        notifier.reset(new QSocketNotifier(master, QSocketNotifier::Read));
        QObject::connect(notifier.data(), &QSocketNotifier::activated, this, [this] { onData(); });
        return true;
    }
    QString slavePath() const { return slaveName; }
    // Starts the exchange on the master side once the sender is there.
    void greet()
    {
        if (behaviour == RepeatedC)
            send("CC");
        else if (behaviour != Silent)
            send("C");
    }

    void send(const QByteArray &bytes)
    {
        if (master >= 0) {
            if (::write(master, bytes.constData(), size_t(bytes.size())) != bytes.size())
                qWarning("scripted peer: short write");
        } else {
            port.write(bytes);
            port.flush();
        }
        lastAnswer.start();
    }

    QByteArray readInput()
    {
        if (master < 0)
            return port.readAll();
        QByteArray all;
        char chunk[4096];
        for (;;) {
            const ssize_t n = ::read(master, chunk, sizeof chunk);
            if (n <= 0)
                break;
            all.append(chunk, int(n));
        }
        return all;
    }

    // Waits until the sender's side has taken everything sent to it, then
    // closes the master: the sender's line hangs up at once.
    void hangUpOnceRead()
    {
        notifier->setEnabled(false);
        // The pseudo-terminal hands bytes over asynchronously: first wait,
        // without letting the sender run, until they are on its side...
        QElapsedTimer t;
        t.start();
        int pending = 0;
        while (t.elapsed() < 2000 && ::ioctl(slaveFd, FIONREAD, &pending) == 0 && pending == 0)
            QThread::usleep(50);
        // ...then until it has read them.
        while (t.elapsed() < 4000 && ::ioctl(slaveFd, FIONREAD, &pending) == 0 && pending > 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        closeMaster();
        hungUp = true;
    }

    void closeMaster()
    {
        notifier.reset();
        if (master >= 0)
            ::close(master);
        if (slaveFd >= 0)
            ::close(slaveFd);
        master = slaveFd = -1;
    }

    void onData()
    {
        if (hungUp)
            return;
        buffer.append(readInput());
        for (;;) {
            if (buffer.isEmpty())
                return;
            const uint8_t head = uint8_t(buffer.at(0));
            if (head == 0x01 || head == 0x02) {
                const int total = head == 0x01 ? 133 : 1029;
                if (buffer.size() < total)
                    return;
                packet(buffer.left(total));
                buffer.remove(0, total);
            } else {
                buffer.remove(0, 1);
                if (head == 0x18)
                    ++cancels;
                else if (head == 0x04)
                    eot();
                else
                    stray.append(char(head));
            }
        }
    }

    void packet(const QByteArray &raw)
    {
        const int size = raw.size() - 5;
        const QByteArray data = raw.mid(3, size);
        const uint16_t crc = Ymodem::crc16(reinterpret_cast<const uint8_t *>(data.constData()), uint32_t(size));
        const bool good = uint8_t(raw[1]) == uint8_t(~uint8_t(raw[2]))
                && uint8_t(raw[3 + size]) == (crc >> 8) && uint8_t(raw[4 + size]) == (crc & 0xFF);
        if (!good) {
            ++badPackets;
            send(QByteArray(1, 0x15));
            return;
        }
        const int number = uint8_t(raw[1]);
        if (number == 0 && eots == 0) {
            ++headers;
            if (!headerSeen && behaviour == AbortAfterHeader) {
                headerSeen = true;
                header = data;
                send("A");
                return;
            }
            headerSeen = true;
            header = data;
            send(QByteArray(1, 0x06) + "C");
        } else if (number == 0 && eots > 0) {
            endBlock = data;
            send(QByteArray(1, 0x06));
            if (behaviour == HangUpAfterFinalAck)
                hangUpOnceRead();
        } else {
            blockSizes.append(size);
            blocks.append(data);
            if (behaviour == MuteAfterFirstBlock)
                return;
            send(QByteArray(1, 0x06));
        }
    }

    void eot()
    {
        ++eots;
        // First EOT is refused, the second accepted, as cautious receivers do.
        send(eots == 1 ? QByteArray(1, 0x15) : QByteArray(1, 0x06) + "C");
    }

    QByteArray payload(qint64 size) const { return blocks.join().left(int(size)); }

    Behaviour behaviour;
    QSerialPort port;
    QByteArray buffer;
    QByteArray header;
    QByteArray endBlock;
    QList<QByteArray> blocks;
    QList<int> blockSizes;
    QByteArray stray;
    int cancels = 0;
    int eots = 0;
    int badPackets = 0;
    int headers = 0;         // block 0 receptions before the end of the file
    bool headerSeen = false;
    bool hungUp = false;
    QElapsedTimer lastAnswer;
    int master = -1;
    int slaveFd = -1;
    QString slaveName;
    QScopedPointer<QSocketNotifier> notifier;
};

} // namespace

class TestYmodemTransmit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void typeAndDefaults();
    void portCannotBeOpened();
    void scriptedTransfer_data();
    void scriptedTransfer();
    void longNames_data();
    void longNames();
    void unreadableFile();
    void receiverAbort();
    void fileShrinksDuringTransfer();
    void stopByCaller_data();
    void stopByCaller();
    void stopFromProgressSlot();
    void destroyedMidTransferCancels();
    void silentReceiverTimesOut();
    void lineLostMidTransfer();
    void hangUpRightAfterFinalAck_data();
    void hangUpRightAfterFinalAck();
    void repeatedCAtStart();
    void instantReceiverIsNotPaced();
    void headerNameCharacters_data();
    void headerNameCharacters();
    void toRb_data();
    void toRb();

private:
    QTemporaryDir files;
};

void TestYmodemTransmit::initTestCase()
{
    qRegisterMetaType<YmodemFileTransmit::Status>();
    QVERIFY(files.isValid());
    if (!PtyPair::available())
        QSKIP("socat is not installed");
}

void TestYmodemTransmit::typeAndDefaults()
{
    YmodemFileTransmit t;
    QVERIFY(t.inherits("YmodemFileTransmit"));
    QVERIFY(t.qt_metacast("Ymodem") != nullptr);
    QCOMPARE(static_cast<Ymodem *>(&t), t.qt_metacast("Ymodem"));
    QCOMPARE(t.portName(), QString("COM1"));
    QCOMPARE(t.portBaudRate(), 115200);
    QCOMPARE(t.currentStatus(), YmodemFileTransmit::StatusEstablish);
    QVERIFY(!t.isRunning());
    QCOMPARE(QMetaEnum::fromType<YmodemFileTransmit::Status>().valueToKey(5), "StatusError");
    // Resend every 500 idle polls, give up after 3000 (30 s at 10 ms), 999 errors.
    LimitProbe probe;
    QCOMPARE(probe.divide(), 499u);
    QCOMPARE(probe.max(), 5u);
    QCOMPARE(probe.errors(), 999u);
    t.stopTransmit();   // idle: nothing happens
    QVERIFY(!t.isRunning());
}

void TestYmodemTransmit::portCannotBeOpened()
{
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(writeFile(files.path(), "x.bin", "abc"));
    t.setPortName(files.filePath("no-such-tty"));
    QVERIFY(!t.startTransmit());
    QVERIFY(!t.isRunning());
    QCOMPARE(t.currentStatus(), YmodemFileTransmit::StatusEstablish);
    QTest::qWait(150);
    QVERIFY(rec.events.isEmpty());
}

void TestYmodemTransmit::scriptedTransfer_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("blockSizes");
    QTest::addColumn<QList<int>>("progress");
    QTest::newRow("1000") << 1000 << QList<int>{1024} << QList<int>{100};
    QTest::newRow("300") << 300 << QList<int>{1024} << QList<int>{100};
    QTest::newRow("1152") << 1152 << QList<int>{1024, 128} << QList<int>{88, 100};
    QTest::newRow("128") << 128 << QList<int>{128} << QList<int>{100};
    QTest::newRow("empty") << 0 << QList<int>{} << QList<int>{};
    QTest::newRow("3000") << 3000 << QList<int>{1024, 1024, 1024} << QList<int>{34, 68, 100};
}

void TestYmodemTransmit::scriptedTransfer()
{
    QFETCH(int, size);
    QFETCH(QList<int>, blockSizes);
    QFETCH(QList<int>, progress);
    const QByteArray data = pattern(size);
    const QString path = writeFile(files.path(), "fw.bin", data);
    QVERIFY(!path.isEmpty());

    PtyPair pty;
    QVERIFY(pty.start());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(pty.first);
    t.setPortBaudRate(115200);
    QVERIFY(t.startTransmit());
    QVERIFY(t.isRunning());
    QVERIFY(!t.startTransmit());   // a second start while running is refused

    ScriptedPeer peer(ScriptedPeer::Normal);
    QVERIFY(peer.open(pty.second));
    QVERIFY(rec.waitEnd(10000));

    QByteArray expectedHeader = "fw.bin" + QByteArray(1, '\0') + QByteArray::number(size) + QByteArray(1, '\0');
    expectedHeader.append(QByteArray(128 - expectedHeader.size(), '\0'));
    QCOMPARE(peer.header, expectedHeader);
    QCOMPARE(peer.blockSizes, blockSizes);
    QCOMPARE(peer.payload(size), data);
    QCOMPARE(peer.eots, 2);
    QCOMPARE(peer.endBlock, QByteArray(128, '\0'));
    QCOMPARE(peer.cancels, 0);
    QCOMPARE(peer.badPackets, 0);
    QCOMPARE(rec.progress, progress);

    // Header status, then progress and status per block, the end-of-file
    // status, and the final result.
    QStringList expected{"s0"};
    for (int p : progress)
        expected << QString("p%1").arg(p) << "s1";
    expected << "s1" << "s2";
    QCOMPARE(rec.events, expected);
    QVERIFY(!rec.runningAtEnd);   // the port is closed before the final signal
    QVERIFY2(peer.lastAnswer.msecsSinceReference() <= rec.endedAt.msecsSinceReference() - 100,
             "final status earlier than 100 ms after the last answer");
    QVERIFY(!t.isRunning());
    QCOMPARE(t.currentProgress(), size ? 100 : 0);
}

void TestYmodemTransmit::longNames_data()
{
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<bool>("fits");
    // 1000 bytes: four size digits; name + 0x00 + digits + 0x00 must fit 128.
    QTest::newRow("122 fits exactly") << 122 << true;
    QTest::newRow("123 does not fit") << 123 << false;
    QTest::newRow("200 does not fit") << 200 << false;
}

void TestYmodemTransmit::longNames()
{
    QFETCH(int, nameLength);
    QFETCH(bool, fits);
    const QString name = QString(nameLength - 4, QChar('n')) + ".bin";
    const QByteArray data = pattern(1000, 3);
    const QString path = writeFile(files.path(), name, data);
    QVERIFY(!path.isEmpty());

    PtyPair pty;
    QVERIFY(pty.start());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(pty.first);
    QVERIFY(t.startTransmit());
    ScriptedPeer peer(ScriptedPeer::Normal);
    QVERIFY(peer.open(pty.second));
    if (!fits)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("file name too long"));
    QVERIFY(rec.waitEnd(10000));
    if (fits) {
        QCOMPARE(peer.header.left(nameLength), name.toLocal8Bit());
        QCOMPARE(peer.header.mid(nameLength), QByteArray(1, '\0') + "1000" + QByteArray(1, '\0'));
        QCOMPARE(rec.statuses.last(), YmodemFileTransmit::StatusFinish);
        QCOMPARE(peer.payload(1000), data);
    } else {
        // No cut name is ever sent: the transfer is cancelled at the header.
        QVERIFY(!peer.headerSeen);
        QTRY_COMPARE(peer.cancels, 5);
        QCOMPARE(rec.statuses, QList<Status>{YmodemFileTransmit::StatusError});
        QVERIFY(rec.progress.isEmpty());
    }
    QVERIFY(!t.isRunning());
}

void TestYmodemTransmit::unreadableFile()
{
    PtyPair pty;
    QVERIFY(pty.start());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(files.filePath("missing.bin"));
    t.setPortName(pty.first);
    QVERIFY(t.startTransmit());   // the file is only opened when the receiver asks
    ScriptedPeer peer(ScriptedPeer::Normal);
    QVERIFY(peer.open(pty.second));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("firmware file open failed"));
    QVERIFY(rec.waitEnd(10000));
    QTRY_COMPARE(peer.cancels, 5);
    QVERIFY(!peer.headerSeen);
    QCOMPARE(rec.statuses, QList<Status>{YmodemFileTransmit::StatusError});
    QVERIFY(!rec.runningAtEnd);
}

void TestYmodemTransmit::receiverAbort()
{
    const QString path = writeFile(files.path(), "abort.bin", pattern(5000));
    PtyPair pty;
    QVERIFY(pty.start());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(pty.first);
    QVERIFY(t.startTransmit());
    ScriptedPeer peer(ScriptedPeer::AbortAfterHeader);
    QVERIFY(peer.open(pty.second));
    QVERIFY(rec.waitEnd(10000));
    QCOMPARE(rec.statuses, (QList<Status>{YmodemFileTransmit::StatusEstablish, YmodemFileTransmit::StatusAbort}));
    QTest::qWait(50);
    QCOMPARE(peer.cancels, 0);   // an abort by the receiver sends nothing back
    QVERIFY(peer.blocks.isEmpty());

    // The object is idle again and a second transfer to a fresh receiver works.
    PtyPair pty2;
    QVERIFY(pty2.start());
    Recorder rec2(t);
    t.setPortName(pty2.first);
    QVERIFY(t.startTransmit());
    ScriptedPeer peer2(ScriptedPeer::Normal);
    QVERIFY(peer2.open(pty2.second));
    QVERIFY(rec2.waitEnd(10000));
    QCOMPARE(rec2.statuses.last(), YmodemFileTransmit::StatusFinish);
    QCOMPARE(peer2.payload(5000), pattern(5000));
}

// A file cut short after its size was announced: the transfer ends with an
// error instead of sending padding blocks for ever.
void TestYmodemTransmit::fileShrinksDuringTransfer()
{
    const QString path = writeFile(files.path(), "shrink.bin", pattern(200000));
    PtyPair pty;
    QVERIFY(pty.start());
    YmodemFileTransmit t;
    Recorder rec(t);
    connect(&t, &YmodemFileTransmit::transmitProgress, this, [&](int) {
        QFile f(path);
        if (f.size() > 1000)
            QVERIFY(f.resize(1000));
    });
    t.setFileName(path);
    t.setPortName(pty.first);
    QVERIFY(t.startTransmit());
    ScriptedPeer peer(ScriptedPeer::Normal);
    QVERIFY(peer.open(pty.second));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("firmware file read failed"));
    QVERIFY(rec.waitEnd(20000));
    QCOMPARE(rec.statuses.last(), YmodemFileTransmit::StatusError);
    QTRY_COMPARE(peer.cancels, 5);
    QVERIFY(peer.blocks.size() < 200000 / 1024);
    QVERIFY(!t.isRunning());
}

void TestYmodemTransmit::stopByCaller_data()
{
    // Repeated: a timer that may fire a little early would show in one of them.
    QTest::addColumn<int>("run");
    for (int run = 1; run <= 5; ++run)
        QTest::addRow("run %d", run) << run;
}

void TestYmodemTransmit::stopByCaller()
{
    const QString path = writeFile(files.path(), "stop.bin", pattern(10000));
    PtyPair pty;
    QVERIFY(pty.start());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(pty.first);
    QVERIFY(t.startTransmit());
    ScriptedPeer peer(ScriptedPeer::MuteAfterFirstBlock);
    QVERIFY(peer.open(pty.second));
    QTRY_COMPARE(peer.blocks.size(), 1);
    QElapsedTimer stoppedAt;
    stoppedAt.start();
    t.stopTransmit();
    t.stopTransmit();   // a second call while ending changes nothing
    QVERIFY(rec.waitEnd(5000));
    // Measured to the signal itself, not to the end of the wait above.
    QVERIFY2(stoppedAt.msecsTo(rec.endedAt) >= 100, qPrintable(QString::number(stoppedAt.msecsTo(rec.endedAt))));
    QCOMPARE(rec.statuses.last(), YmodemFileTransmit::StatusAbort);
    QCOMPARE(rec.statuses.count(YmodemFileTransmit::StatusAbort), 1);
    QTRY_COMPARE(peer.cancels, 5);
    QVERIFY(!rec.runningAtEnd);
    QTest::qWait(100);
    QCOMPARE(peer.blocks.size(), 1);   // nothing after the cancel
}

void TestYmodemTransmit::stopFromProgressSlot()
{
    const QString path = writeFile(files.path(), "stop2.bin", pattern(10000));
    PtyPair pty;
    QVERIFY(pty.start());
    YmodemFileTransmit t;
    Recorder rec(t);
    connect(&t, &YmodemFileTransmit::transmitProgress, &t, &YmodemFileTransmit::stopTransmit);
    t.setFileName(path);
    t.setPortName(pty.first);
    QVERIFY(t.startTransmit());
    ScriptedPeer peer(ScriptedPeer::Normal);
    QVERIFY(peer.open(pty.second));
    QVERIFY(rec.waitEnd(5000));
    QCOMPARE(rec.statuses.last(), YmodemFileTransmit::StatusAbort);
    QTRY_COMPARE(peer.cancels, 5);
    QTest::qWait(100);
    QCOMPARE(peer.blocks.size(), 1);   // the block of that step went out, then the cancel
    QCOMPARE(rec.progress.size(), 1);
}

// An editor that quits mid-transfer tells the receiver instead of leaving it
// to wait for its own timeout.
void TestYmodemTransmit::destroyedMidTransferCancels()
{
    const QString path = writeFile(files.path(), "quit.bin", pattern(10000));
    PtyPair pty;
    QVERIFY(pty.start());
    auto *t = new YmodemFileTransmit;
    bool ended = false;
    connect(t, &YmodemFileTransmit::transmitStatus, this, [&](Status s) {
        ended = ended || (s != YmodemFileTransmit::StatusEstablish && s != YmodemFileTransmit::StatusTransmit);
    });
    t->setFileName(path);
    t->setPortName(pty.first);
    QVERIFY(t->startTransmit());
    ScriptedPeer peer(ScriptedPeer::MuteAfterFirstBlock);
    QVERIFY(peer.open(pty.second));
    QTRY_COMPARE(peer.blocks.size(), 1);
    delete t;
    QTRY_COMPARE(peer.cancels, 5);
    QVERIFY(!ended);   // nothing is emitted from a destructor
    QTest::qWait(100);
    QCOMPARE(peer.blocks.size(), 1);

    // Destroying an idle object sends nothing.
    PtyPair idle;
    QVERIFY(idle.start());
    ScriptedPeer quiet(ScriptedPeer::Silent);
    QVERIFY(quiet.open(idle.second));
    {
        YmodemFileTransmit unused;
        unused.setPortName(idle.first);
    }
    QTest::qWait(100);
    QCOMPARE(quiet.cancels, 0);
    QVERIFY(quiet.stray.isEmpty());
}

void TestYmodemTransmit::silentReceiverTimesOut()
{
    const QString path = writeFile(files.path(), "silent.bin", pattern(100));
    PtyPair pty;
    QVERIFY(pty.start());
    YmodemFileTransmit t;
    // The engine's own tests count the 3000 idle polls of the real limits;
    // here a tenth of them (resend every 50 polls, give up at the 300th)
    // shows the 10 ms poll and the end of a silent transfer without a 30 s wait.
    t.setTimeDivide(49);
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(pty.first);
    ScriptedPeer peer(ScriptedPeer::Silent);
    QVERIFY(peer.open(pty.second));
    QElapsedTimer started;
    started.start();
    QVERIFY(t.startTransmit());
    // 300 polls of at least 10 ms each.
    QVERIFY(rec.waitEnd(60000));
    QVERIFY(started.elapsed() >= 3000);
    QCOMPARE(rec.statuses, QList<Status>{YmodemFileTransmit::StatusTimeout});
    QTRY_COMPARE(peer.cancels, 5);
    QVERIFY(peer.stray.isEmpty());   // nothing but the cancel was ever sent
}

// The other end vanishing (as when the device is unplugged) ends the
// transfer with an error at once, not after the 30 s answer limit.
void TestYmodemTransmit::lineLostMidTransfer()
{
    const QString path = writeFile(files.path(), "lost.bin", pattern(10000));
    PtyPair pty;
    QVERIFY(pty.start());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(pty.first);
    QVERIFY(t.startTransmit());
    {
        ScriptedPeer peer(ScriptedPeer::MuteAfterFirstBlock);
        QVERIFY(peer.open(pty.second));
        QTRY_COMPARE(peer.blocks.size(), 1);
    }
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("serial port lost"));
    QElapsedTimer lost;
    lost.start();
    pty.socat.kill();
    QVERIFY(pty.socat.waitForFinished(3000));
    QVERIFY(rec.waitEnd(5000));
    QVERIFY(lost.elapsed() < 5000);
    QCOMPARE(rec.statuses.last(), YmodemFileTransmit::StatusError);
    QVERIFY(!rec.runningAtEnd);
    QVERIFY(!t.isRunning());
}

void TestYmodemTransmit::hangUpRightAfterFinalAck_data()
{
    // Repeated: the hang-up races the sender's own steps.
    QTest::addColumn<int>("size");
    for (int run = 1; run <= 4; ++run)
        QTest::addRow("run %d", run) << 1000 * run;
}

// A loader that acknowledges the end of the batch and restarts at once (as a
// real one does when it jumps to the new firmware) has the whole file; the
// hang-up that follows must not turn that into a failure.
void TestYmodemTransmit::hangUpRightAfterFinalAck()
{
    QFETCH(int, size);
    const QString path = writeFile(files.path(), "fw.bin", pattern(size, 5));
    ScriptedPeer peer(ScriptedPeer::HangUpAfterFinalAck);
    QVERIFY(peer.openMaster());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(peer.slavePath());
    QVERIFY(t.startTransmit());
    peer.greet();
    QVERIFY(rec.waitEnd(10000));
    QVERIFY(peer.hungUp);
    QCOMPARE(peer.payload(size), pattern(size, 5));
    QCOMPARE(rec.statuses.last(), YmodemFileTransmit::StatusFinish);
    QCOMPARE(rec.statuses.count(YmodemFileTransmit::StatusError), 0);
    QVERIFY(!t.isRunning());
}

// Receivers repeat 'C' until block 0 arrives; the extra one reaches the
// sender after block 0 went out, right in front of the receiver's ACK.
void TestYmodemTransmit::repeatedCAtStart()
{
    const QByteArray data = pattern(3000, 7);
    const QString path = writeFile(files.path(), "fw.bin", data);
    ScriptedPeer peer(ScriptedPeer::RepeatedC);
    QVERIFY(peer.openMaster());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(peer.slavePath());
    QElapsedTimer took;
    took.start();
    QVERIFY(t.startTransmit());
    peer.greet();
    QVERIFY(rec.waitEnd(15000));
    // Well under the 5 s resend interval that a lost ACK would cost.
    QVERIFY2(took.elapsed() < 2000, qPrintable(QString::number(took.elapsed())));
    QCOMPARE(rec.statuses.last(), YmodemFileTransmit::StatusFinish);
    QCOMPARE(peer.headers, 1);
    QCOMPARE(peer.payload(data.size()), data);
    QCOMPARE(peer.cancels, 0);
}

// Each answer is acted on when it arrives, not at the next 10 ms poll: a
// receiver that answers at once gets 100 blocks in much less than 100 polls.
void TestYmodemTransmit::instantReceiverIsNotPaced()
{
    const int size = 100 * 1024;
    const QByteArray data = pattern(size, 9);
    const QString path = writeFile(files.path(), "fast.bin", data);
    ScriptedPeer peer(ScriptedPeer::Normal);
    QVERIFY(peer.openMaster());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(peer.slavePath());
    QElapsedTimer took;
    took.start();
    QVERIFY(t.startTransmit());
    peer.greet();
    QVERIFY(rec.waitEnd(20000));
    const qint64 ms = took.elapsed() - YmodemFileTransmit::EndDelay;
    QCOMPARE(rec.statuses.last(), YmodemFileTransmit::StatusFinish);
    QCOMPARE(peer.payload(size), data);
    QVERIFY2(ms < 100 * YmodemFileTransmit::PollInterval * 7 / 10, qPrintable(QString::number(ms)));
}

void TestYmodemTransmit::headerNameCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("sent");
    // Printable ASCII goes into block 0 byte for byte.
    QTest::newRow("space and punctuation") << "Q7X fw_1.2-(b)!.bin" << true;
    QTest::newRow("tilde") << "~fw.bin" << true;
    // Anything else is refused rather than written in some other encoding.
    QTest::newRow("latin letter") << QString::fromUtf8("fw-\u00e9.bin") << false;
    QTest::newRow("chinese") << QString::fromUtf8("固件.bin") << false;
    QTest::newRow("backslash") << "fw\\x.bin" << false;
    QTest::newRow("newline") << "fw\n.bin" << false;
    QTest::newRow("escape") << "fw\x1b[2J.bin" << false;
    QTest::newRow("delete") << "fw\x7f.bin" << false;
}

void TestYmodemTransmit::headerNameCharacters()
{
    QFETCH(QString, name);
    QFETCH(bool, sent);
    const QByteArray data = pattern(500, 4);
    const QString path = writeFile(files.path(), name, data);
    QVERIFY(!path.isEmpty());
    ScriptedPeer peer(ScriptedPeer::Normal);
    QVERIFY(peer.openMaster());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(peer.slavePath());
    QVERIFY(t.startTransmit());
    peer.greet();
    QVERIFY(rec.waitEnd(10000));
    QFile::remove(path);
    if (sent) {
        QCOMPARE(rec.statuses.last(), YmodemFileTransmit::StatusFinish);
        QCOMPARE(peer.header.left(name.size() + 5), name.toLatin1() + QByteArray("\0" "500\0", 5));
    } else {
        QVERIFY(!peer.headerSeen);
        QTRY_COMPARE(peer.cancels, 5);
        QCOMPARE(rec.statuses, QList<Status>{YmodemFileTransmit::StatusError});
    }
}

void TestYmodemTransmit::toRb_data()
{
    QTest::addColumn<int>("size");
    for (int size : {0, 1, 128, 129, 1000, 1024, 1025, 1152, 300 * 1024 + 77})
        QTest::addRow("%d", size) << size;
}

void TestYmodemTransmit::toRb()
{
    QFETCH(int, size);
    if (!RbLink::available())
        QSKIP("lrzsz is not installed");
    const QByteArray data = pattern(size, size + 11);
    const QString path = writeFile(files.path(), "image.bin", data);
    QVERIFY(!path.isEmpty());

    RbLink rb;
    QVERIFY(rb.start());
    YmodemFileTransmit t;
    Recorder rec(t);
    t.setFileName(path);
    t.setPortName(rb.tty());
    t.setPortBaudRate(115200);
    QVERIFY(t.startTransmit());
    QVERIFY2(rec.waitEnd(60000), qPrintable(rb.diagnostics()));
    QVERIFY2(rb.finish(), qPrintable(rec.events.join(' ') + " | " + rb.diagnostics()));
    QCOMPARE(rec.statuses.last(), YmodemFileTransmit::StatusFinish);

    QFile received(rb.filePath("image.bin"));
    QVERIFY(received.open(QIODevice::ReadOnly));
    QCOMPARE(received.size(), qint64(size));
    QVERIFY(received.readAll() == data);

    QCOMPARE(rec.statuses.first(), YmodemFileTransmit::StatusEstablish);
    QCOMPARE(rec.statuses.count(YmodemFileTransmit::StatusEstablish), 1);
    QCOMPARE(rec.statuses.count(YmodemFileTransmit::StatusTransmit), rec.progress.size() + 1);
    for (int i = 1; i < rec.progress.size(); ++i)
        QVERIFY(rec.progress.at(i) >= rec.progress.at(i - 1));
    if (size > 0)
        QCOMPARE(rec.progress.last(), 100);
    else
        QVERIFY(rec.progress.isEmpty());
    QVERIFY(!rec.runningAtEnd);
}

QTEST_GUILESS_MAIN(TestYmodemTransmit)
#include "tst_ymodem_transmit.moc"

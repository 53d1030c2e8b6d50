#include "midi/MidiPorts.h"
#include "tests/support/FakeMidiBackend.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

// The port wrappers over the fake backend: open and close rules, delivery of
// received System Exclusive copies, and closing while deliveries are running.
namespace {

std::mutex g_logMutex;
QStringList g_log;
QtMessageHandler g_previousHandler = nullptr;

void captureMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    {
        std::lock_guard<std::mutex> lock(g_logMutex);
        g_log.append(text);
    }
    if (type != QtDebugMsg && g_previousHandler)
        g_previousHandler(type, context, text);
}

QStringList takeLog()
{
    std::lock_guard<std::mutex> lock(g_logMutex);
    QStringList copy = g_log;
    g_log.clear();
    return copy;
}

// What the deliver function saw.
std::mutex g_deliveryMutex;
QList<QByteArray> g_delivered;
QList<std::thread::id> g_deliveryThreads;

void recordDelivery(char *data, int count)
{
    std::lock_guard<std::mutex> lock(g_deliveryMutex);
    g_delivered.append(QByteArray(data, count));
    g_deliveryThreads.append(std::this_thread::get_id());
    delete[] data;
}

// For the close race: a delivery that starts after close() returned is a fault.
std::atomic<bool> g_closed{true};
std::atomic<int> g_lateDeliveries{0};
std::atomic<int> g_raceDeliveries{0};

void slowDelivery(char *data, int count)
{
    if (g_closed.load())
        ++g_lateDeliveries;
    ++g_raceDeliveries;
    if (count > 0 && data[1] == 0x02)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    if (g_closed.load())
        ++g_lateDeliveries; // still inside a delivery after close() returned
    delete[] data;
}

MidiInPort *g_selfClosingPort = nullptr;
std::atomic<int> g_selfClosed{0};

void closeFromInside(char *data, int)
{
    delete[] data;
    g_selfClosingPort->close();
    ++g_selfClosed;
}

QByteArray sysex(int size, char command = 0x02)
{
    QByteArray message(size, char(0x11));
    message[0] = char(0xF0);
    message[1] = command;
    message[size - 1] = char(0xF7);
    return message;
}

} // namespace

class TstMidiPorts : public QObject
{
    Q_OBJECT

    FakeMidiBackend *m_backend = nullptr;

private slots:
    void initTestCase() { g_previousHandler = qInstallMessageHandler(captureMessages); }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void init()
    {
        m_backend = new FakeMidiBackend;
        m_backend->setInputDevices({{0, "Midi Through"}, {3, kKeyboardProductName}});
        m_backend->setOutputDevices({{1, "Midi Through"}, {4, kKeyboardProductName}});
        MidiBackend::setInstance(m_backend);
        takeLog();
        std::lock_guard<std::mutex> lock(g_deliveryMutex);
        g_delivered.clear();
        g_deliveryThreads.clear();
    }
    void cleanup()
    {
        MidiBackend::setInstance(nullptr);
        delete m_backend;
        m_backend = nullptr;
    }

    void directoriesComeFromTheBackend()
    {
        QCOMPARE(listMidiInDevices(), (QMap<int, QString>{{0, "Midi Through"}, {3, kKeyboardProductName}}));
        QCOMPARE(listMidiOutDevices().value(4), QString(kKeyboardProductName));
        MidiBackend::setInstance(nullptr);
        QVERIFY(listMidiInDevices().isEmpty());
        QVERIFY(listMidiOutDevices().isEmpty());
    }

    void inputOpenAndCloseRules()
    {
        MidiInPort port;
        QVERIFY(!port.isOpen());
        port.close(); // closing a closed port: nothing
        QVERIFY(takeLog().isEmpty());

        QVERIFY(!port.open(-1, recordDelivery));
        QVERIFY(!port.open(7, recordDelivery)); // not listed
        QVERIFY(!port.open(3, nullptr));
        QCOMPARE(takeLog(), QStringList({"midiInOpen error", "midiInOpen error", "midiInOpen error"}));
        QCOMPARE(m_backend->inputOpens(), 0);

        QVERIFY(port.open(3, recordDelivery));
        QVERIFY(port.isOpen());
        QVERIFY(port.open(3, recordDelivery)); // already open: nothing more
        QCOMPARE(m_backend->inputOpens(), 1);
        QCOMPARE(m_backend->openInputCount(), 1);
        QCOMPARE(takeLog(), QStringList({"midiIn open sucess"}));

        port.close();
        port.close();
        QVERIFY(!port.isOpen());
        QCOMPARE(m_backend->openInputCount(), 0);
        QCOMPARE(takeLog(), QStringList({"midiIn close "}));
        QVERIFY(!m_backend->inject(sysex(10)));
    }

    void inputOpenFailureAndNoBackend()
    {
        MidiInPort port;
        m_backend->setInputOpenFails(true);
        QVERIFY(!port.open(3, recordDelivery));
        QVERIFY(!port.isOpen());
        m_backend->setInputOpenFails(false);
        MidiBackend::setInstance(nullptr);
        QVERIFY(!port.open(3, recordDelivery));
        QCOMPARE(takeLog(), QStringList({"midiInOpen error", "midiInOpen error"}));
    }

    void destructorClosesTheInput()
    {
        {
            MidiInPort port;
            QVERIFY(port.open(3, recordDelivery));
        }
        QCOMPARE(m_backend->openInputCount(), 0);
    }

    void deliveriesAreCopiesOnTheMidiThread()
    {
        MidiInPort port;
        QVERIFY(port.open(3, recordDelivery));
        const QByteArray reply = sysex(245);
        QVERIFY(m_backend->inject(reply));
        QVERIFY(m_backend->inject(sysex(25, 0x04)));
        QVERIFY(!m_backend->inject(QByteArray())); // nothing to hand over
        std::lock_guard<std::mutex> lock(g_deliveryMutex);
        QCOMPARE(g_delivered.size(), 2);
        QCOMPARE(g_delivered[0], reply);
        QCOMPARE(g_delivered[1].size(), 25);
        QVERIFY(g_deliveryThreads[0] != std::this_thread::get_id());
    }

    // Longer than anything the keyboard sends: not handed on at all (a cut
    // message would no longer be one).
    void longMessagesAreIgnored()
    {
        MidiInPort port;
        QVERIFY(port.open(3, recordDelivery));
        takeLog();
        QVERIFY(m_backend->inject(sysex(512)));
        QVERIFY(m_backend->inject(sysex(600)));
        {
            std::lock_guard<std::mutex> lock(g_deliveryMutex);
            QCOMPARE(g_delivered.size(), 1);
            QCOMPARE(g_delivered[0].size(), 512);
        }
        QCOMPARE(takeLog(), QStringList({"midiIn message of 600 bytes ignored"}));
    }

    // What a backend hands over glued together goes on as the messages the
    // MIDI system carried, each complete one by itself.
    void gluedEventsAreDeliveredOneByOne_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QList<QByteArray>>("delivered");
        const QByteArray config = sysex(245);
        const QByteArray serial = sysex(26, 0x04);
        QTest::newRow("fragment then configuration")
            << QByteArray::fromHex("F002112233") + config << QList<QByteArray>{config};
        QTest::newRow("two messages") << config + serial << QList<QByteArray>{config, serial};
        QTest::newRow("clock bytes in front and inside")
            << QByteArray::fromHex("F8F8") + config.left(9) + char(0xF8) + config.mid(9) << QList<QByteArray>{config};
        QTest::newRow("notes around") << QByteArray::fromHex("903C40") + serial + QByteArray::fromHex("803C00")
                                      << QList<QByteArray>{serial};
        QTest::newRow("only a fragment") << QByteArray::fromHex("F002112233") << QList<QByteArray>{};
    }
    void gluedEventsAreDeliveredOneByOne()
    {
        QFETCH(QByteArray, input);
        QFETCH(QList<QByteArray>, delivered);
        MidiInPort port;
        QVERIFY(port.open(3, recordDelivery));
        takeLog();
        m_backend->inject(input);
        std::lock_guard<std::mutex> lock(g_deliveryMutex);
        QCOMPARE(g_delivered, delivered);
    }

    void outputOpenCloseAndSend()
    {
        MidiOutPort port;
        const QByteArray request = sysex(10);
        QVERIFY(!port.sendLongMessage(request.constData(), request.size())); // closed: quietly false
        port.close();
        QVERIFY(takeLog().isEmpty());

        QVERIFY(!port.open(-1));
        QVERIFY(!port.open(1234));
        QCOMPARE(takeLog(), QStringList({"midiOutOpen error", "midiOutOpen error"}));

        QVERIFY(port.open(4));
        QVERIFY(port.open(4));
        QCOMPARE(m_backend->outputOpens(), 1);
        QCOMPARE(takeLog(), QStringList({"midiOutOpen sucess"}));

        QVERIFY(port.sendLongMessage(request.constData(), request.size()));
        QCOMPARE(m_backend->sentMessages(), QList<QByteArray>({request}));
        QVERIFY(!port.sendLongMessage(nullptr, 10));
        QVERIFY(!port.sendLongMessage(request.constData(), 0));

        m_backend->setSendFails(true);
        QVERIFY(!port.sendLongMessage(request.constData(), request.size()));
        m_backend->setSendFails(false);
        QCOMPARE(takeLog(), QStringList({"midiOutLongMsg error", "midiOutLongMsg error",
                                         "midiOutLongMsg error"}));
        QCOMPARE(m_backend->sentMessages().size(), 1);

        // The keyboard unplugged while the port is open.
        m_backend->setOutputDevices({{1, "Midi Through"}});
        QVERIFY(!port.sendLongMessage(request.constData(), request.size()));

        port.close();
        port.close();
        QCOMPARE(m_backend->openOutputCount(), 0);
        QCOMPARE(takeLog(), QStringList({"midiOutLongMsg error", "midiOut close"}));
    }

    void outputOpenFailure()
    {
        MidiOutPort port;
        m_backend->setOutputOpenFails(true);
        QVERIFY(!port.open(4));
        QVERIFY(!port.isOpen());
        QCOMPARE(m_backend->openOutputCount(), 0);
    }

    void scriptedReplyReachesTheInput()
    {
        MidiInPort in;
        MidiOutPort out;
        m_backend->onSend = [this](int outId, const QByteArray &message) {
            if (outId == 4 && message.size() == 10 && message[1] == 0x02)
                m_backend->inject(sysex(245, 0x02));
        };
        QVERIFY(in.open(3, recordDelivery));
        QVERIFY(out.open(4));
        const QByteArray request = sysex(10);
        QVERIFY(out.sendLongMessage(request.constData(), request.size()));
        std::lock_guard<std::mutex> lock(g_deliveryMutex);
        QCOMPARE(g_delivered.size(), 1);
        QCOMPARE(g_delivered[0].size(), 245);
    }

    // Deliveries keep arriving from another thread while the port is opened
    // and closed over and over: no deadlock, and nothing is delivered once
    // close() has returned.
    void closeRacesDeliveries()
    {
        MidiInPort port;
        std::atomic<bool> stop{false};
        std::atomic<int> injected{0};
        std::thread keyboard([&] {
            const QByteArray slow = sysex(245, 0x02);
            const QByteArray fast = sysex(25, 0x04);
            while (!stop.load()) {
                if (m_backend->inject((injected.load() & 1) ? slow : fast))
                    ++injected;
                else
                    std::this_thread::yield();
            }
        });
        g_lateDeliveries = 0;
        g_raceDeliveries = 0;
        // At least 400 rounds, and more until enough deliveries fell into
        // them (a slow machine or a sanitizer build delivers fewer per round).
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 400 || (g_raceDeliveries.load() <= 50 && clock.elapsed() < 30000); ++i) {
            g_closed = false;
            QVERIFY(port.open(3, slowDelivery));
            std::this_thread::sleep_for(std::chrono::microseconds(50 + (i % 7) * 60));
            port.close();
            g_closed = true;
            std::this_thread::sleep_for(std::chrono::microseconds(i % 3 * 100));
        }
        stop = true;
        keyboard.join();
        QCOMPARE(g_lateDeliveries.load(), 0);
        QVERIFY2(g_raceDeliveries.load() > 50, "deliveries did overlap the opens and closes");
        QCOMPARE(m_backend->openInputCount(), 0);
        takeLog();
    }

    void portsOutlivingTheirBackend()
    {
        MidiInPort in;
        MidiOutPort out;
        QVERIFY(in.open(3, recordDelivery));
        QVERIFY(out.open(4));
        MidiBackend::setInstance(nullptr);
        delete m_backend;
        m_backend = nullptr;
        const QByteArray request = sysex(10);
        QVERIFY(!out.sendLongMessage(request.constData(), request.size()));
        in.close();
        out.close();
        QVERIFY(!in.isOpen() && !out.isOpen());
    }

    void closeFromInsideTheDeliveryDoesNotDeadlock()
    {
        MidiInPort port;
        g_selfClosingPort = &port;
        g_selfClosed = 0;
        QVERIFY(port.open(3, closeFromInside));
        QVERIFY(m_backend->inject(sysex(10)));
        QCOMPARE(g_selfClosed.load(), 1);
        QVERIFY(!port.isOpen());
        QTRY_COMPARE(m_backend->openInputCount(), 0);
        QVERIFY(!m_backend->inject(sysex(10)));
        g_selfClosingPort = nullptr;
    }
};

QTEST_GUILESS_MAIN(TstMidiPorts)
#include "tst_midiports.moc"

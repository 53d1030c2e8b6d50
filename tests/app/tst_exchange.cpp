// The controller's exchanges with the keyboard over the fake MIDI system:
// what is sent, what the hint says, when ports open and close, what a decoded
// reply does, the keyboard arriving and leaving, and the firmware hand-over.
// How the bytes of a reply are read is the decoder's (tests/midi/tst_sysex).

#include "app/MainWindow.h"
#include "midi/Sysex.h"
#include "model/DataManagement.h"
#include "tests/support/FakeMidiBackend.h"
#include "tests/support/KeyboardReplies.h"
#include "tests/support/ScriptedPrompter.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <cstring>

namespace {

const QString kName = QStringLiteral("Vornel RambaKEY Q7X");

QByteArray blockOf(MainWindow *w)
{
    return QByteArray(w->dataManagement()->blockData(), DataManagement::BlockSize);
}

// Hands bytes to the controller the way the input port does: a heap copy.
void deliver(const QByteArray &bytes)
{
    char *copy = new char[size_t(qMax(1, bytes.size()))];
    std::memcpy(copy, bytes.constData(), size_t(bytes.size()));
    deliverMidiInData(copy, bytes.size());
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

private:
    MainWindow *makeWindow(int configDelay = 2000, int serialDelay = 3000, int handOver = 1000,
                           int replyTimeout = 300)
    {
        MainWindow::Options options;
        options.loadQml = false;
        options.liveDeviceSources = false;
        options.configRequestDelayMs = configDelay;
        options.serialRequestDelayMs = serialDelay;
        options.handOverDelayMs = handOver;
        options.replyTimeoutMs = replyTimeout;
        // The firmware server must never be a real one in tests.
        options.firmwareServer = QUrl("ftp://127.0.0.1:1/");
        m_window = new MainWindow(options);
        return m_window;
    }
    // The keyboard listed and reported; the automatic requests are far away.
    MainWindow *connectedWindow()
    {
        m_fake->setInputDevices({{0, "Midi Through"}, {1, kName}});
        m_fake->setOutputDevices({{0, "Midi Through"}, {2, kName}});
        MainWindow *w = makeWindow(600000, 600000);
        [&] { QVERIFY(w->keyboard()->isConnected()); }();
        return w;
    }

private slots:
    void init()
    {
        m_fake = new FakeMidiBackend;
        MidiBackend::setInstance(m_fake);
        m_prompter = new ScriptedPrompter;
    }
    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
        MidiBackend::setInstance(nullptr);
        delete m_fake;
        delete m_prompter;
    }

    void findsTheLowestPortIds()
    {
        m_fake->setInputDevices({{0, "Midi Through"}, {3, kName}, {5, kName}, {7, "vornel rambakey q7x"}});
        m_fake->setOutputDevices({{2, kName}, {4, kName}});
        QTest::ignoreMessage(QtDebugMsg, "m_inDevIndex: 3");
        QTest::ignoreMessage(QtDebugMsg, "m_outDevIndex: 2");
        MainWindow *w = makeWindow(600000, 600000);
        QVERIFY(w->keyboard()->isConnected()); // the start-up scan found it
        QCOMPARE(w->keyboard()->inputDeviceIndex(), 3);
        QCOMPARE(w->keyboard()->outputDeviceIndex(), 2);
    }

    void noKeyboardAtStart()
    {
        m_fake->setInputDevices({{0, "Midi Through"}});
        QSignalSpy state(makeWindow(), &MainWindow::devStateChanged);
        QVERIFY(!m_window->keyboard()->isConnected());
        QCOMPARE(m_window->keyboard()->inputDeviceIndex(), -1);
        QCOMPARE(state.count(), 0);
    }

    void sendWritesTheBlockWithCommandOne()
    {
        MainWindow *w = connectedWindow();
        // A received configuration leaves the keyboard's command byte in the block.
        w->dataManagement()->setBlockData(keyboardConfiguration().constData(), 245);
        const QByteArray before = blockOf(w);
        QCOMPARE(before.at(1), char(0x03));

        QSignalSpy hints(w, &MainWindow::showHint);
        w->sendData();
        QCOMPARE(hints.count(), 1);
        QCOMPARE(hints.at(0), (QVariantList{true, true}));
        QCOMPARE(m_fake->sentMessages().size(), 1);
        QByteArray expected = before;
        expected[1] = 0x01;
        QCOMPARE(m_fake->sentMessages().at(0), expected);
        QCOMPARE(blockOf(w), before); // the block keeps its own command byte
        QCOMPARE(m_fake->openInputCount(), 0);
        QCOMPARE(m_fake->openOutputCount(), 0);
        QVERIFY(m_prompter->boxes.isEmpty());
    }

    void getRequestsAndTheReplyIsStored()
    {
        MainWindow *w = connectedWindow();
        QSignalSpy hints(w, &MainWindow::showHint);
        QSignalSpy pads(w, &MainWindow::padNumberChanged);
        QSignalSpy updates(w->dataManagement(), &DataManagement::s_updateDate);

        w->getData();
        QCOMPARE(hints.count(), 0); // told once the reply is stored
        QCOMPARE(m_fake->sentMessages(),
                 QList<QByteArray>{QByteArray::fromHex("F002000100000020 6FF7")});
        // The ports wait for the reply.
        QCOMPARE(m_fake->openInputCount(), 1);
        QCOMPARE(m_fake->openOutputCount(), 1);

        const QByteArray reply = keyboardConfiguration(61);
        QTest::ignoreMessage(QtDebugMsg, "M: 10");
        QTest::ignoreMessage(QtDebugMsg, "P: 2");
        QTest::ignoreMessage(QtDebugMsg, "S: 1");
        QTest::ignoreMessage(QtDebugMsg, "pad num: 61");
        QVERIFY(m_fake->inject(reply));
        QTRY_COMPARE(pads.count(), 1);
        QCOMPARE(pads.at(0).at(0).toInt(), 61);
        QCOMPARE(updates.count(), 1);
        QCOMPARE(blockOf(w), reply);
        QCOMPARE(w->currentFirmwareVersion(), QString("2.110"));
        QCOMPARE(hints.count(), 1);
        QCOMPARE(hints.at(0), (QVariantList{false, true}));
        QCOMPARE(m_fake->openInputCount(), 0);
        QCOMPARE(m_fake->openOutputCount(), 0);
    }

    void requestsAreValidSysex()
    {
        MainWindow *w = connectedWindow();
        w->getData();
        QMetaObject::invokeMethod(w, "onFirmwareUpdate", Q_ARG(QString, "/nonexistent.bin"));
        for (const QByteArray &m : m_fake->sentMessages()) {
            QCOMPARE(m.size(), 10);
            QCOMPARE(uchar(m.at(0)), uchar(0xF0));
            QCOMPARE(uchar(m.at(9)), uchar(0xF7));
            for (int i = 1; i < 9; ++i)
                QVERIFY(uchar(m.at(i)) < 0x80);
            QCOMPARE(m.at(2), char(0)); // offset 2 of every request
        }
    }

    void noKeyboardFailsQuietly()
    {
        m_fake->setInputDevices({{1, kName}});
        m_fake->setOutputDevices({{2, kName}});
        MainWindow *w = makeWindow(600000, 600000);
        emit w->deviceMonitor()->s_devTypeAndState("vq041", false);
        QVERIFY(!w->keyboard()->isConnected());
        m_fake->clearSentMessages();

        QSignalSpy hints(w, &MainWindow::showHint);
        w->sendData();
        w->getData();
        QCOMPARE(hints.count(), 2);
        QCOMPARE(hints.at(0), (QVariantList{true, false}));
        QCOMPARE(hints.at(1), (QVariantList{false, false}));
        QVERIFY(m_fake->sentMessages().isEmpty());
        QVERIFY(m_prompter->boxes.isEmpty());
    }

    void busyPortsWarnAndReleaseEverything_data()
    {
        QTest::addColumn<bool>("inputFails");
        QTest::addColumn<bool>("outputFails");
        QTest::newRow("input busy") << true << false;
        QTest::newRow("output busy") << false << true;
    }
    void busyPortsWarnAndReleaseEverything()
    {
        QFETCH(bool, inputFails);
        QFETCH(bool, outputFails);
        MainWindow *w = connectedWindow();
        m_fake->setInputOpenFails(inputFails);
        m_fake->setOutputOpenFails(outputFails);
        QSignalSpy hints(w, &MainWindow::showHint);

        w->getData();
        QCOMPARE(m_prompter->boxes.size(), 1);
        QCOMPARE(m_prompter->boxes.at(0).icon, QMessageBox::Warning);
        QCOMPARE(m_prompter->boxes.at(0).title, QString("Error prompt"));
        QCOMPARE(m_prompter->boxes.at(0).text, QString("The current device is occupied"));
        QCOMPARE(hints.at(0), (QVariantList{false, false}));
        QCOMPARE(m_fake->openInputCount(), 0);
        QCOMPARE(m_fake->openOutputCount(), 0);
        QVERIFY(!w->keyboard()->inputPortOpen());
        QVERIFY(!w->keyboard()->outputPortOpen());
        QCOMPARE(m_fake->outputOpens(), 0);

        // Once the other program lets go, the next exchange works.
        m_fake->setInputOpenFails(false);
        m_fake->setOutputOpenFails(false);
        w->sendData();
        QCOMPARE(hints.at(1), (QVariantList{true, true}));
        QCOMPARE(m_prompter->boxes.size(), 1);
    }

    void unknownPortIdIsNeverOpened_data()
    {
        QTest::addColumn<bool>("inputListed");
        QTest::newRow("no input port") << false;
        QTest::newRow("no output port") << true;
    }
    void unknownPortIdIsNeverOpened()
    {
        QFETCH(bool, inputListed);
        if (inputListed)
            m_fake->setInputDevices({{0, kName}});
        else
            m_fake->setOutputDevices({{0, kName}});
        MainWindow *w = makeWindow(600000, 600000);
        emit w->deviceMonitor()->s_devTypeAndState("vq041", true);
        QCOMPARE(inputListed ? w->keyboard()->outputDeviceIndex() : w->keyboard()->inputDeviceIndex(), -1);

        QSignalSpy hints(w, &MainWindow::showHint);
        w->getData();
        QCOMPARE(hints.at(0), (QVariantList{false, false}));
        QCOMPARE(m_prompter->boxes.size(), 1);
        QCOMPARE(m_prompter->boxes.at(0).text, QString("The current device is occupied"));
        QCOMPARE(m_fake->openInputCount(), 0);
        QCOMPARE(m_fake->openOutputCount(), 0);
    }

    void serialNumberReplies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("serial");
        QTest::newRow("ABC then zeros") << serialReply("ABC") << "ABC";
        QTest::newRow("no text") << QByteArray::fromHex("F004F7") << "";
    }
    void serialNumberReplies()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, serial);
        MainWindow *w = connectedWindow();
        QVERIFY(w->keyboard()->requestSerialNumber()); // ports open, waiting
        QSignalSpy sn(w, &MainWindow::s_snNum);
        QSignalSpy updates(w->dataManagement(), &DataManagement::s_updateDate);
        const QByteArray before = blockOf(w);

        deliver(reply);
        QTRY_COMPARE(sn.count(), 1);
        QCOMPARE(sn.at(0).at(0).toString(), serial);
        QCOMPARE(updates.count(), 0);
        QCOMPARE(blockOf(w), before);
        QVERIFY(!w->keyboard()->inputPortOpen()); // a decoded reply ends the exchange
    }

    // The get result: success only once one whole configuration is stored;
    // failure when the request cannot go out or no configuration comes within
    // the timeout. Either way the ports end closed.
    void getResult_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<bool>("sendFails");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QByteArray>("stored"); // empty: the block stays as it was
        const QByteArray config = keyboardConfiguration(64);
        const QByteArray fragment = QByteArray::fromHex("F002112233");
        QByteArray shortReply = config.left(199);
        shortReply.append(char(0xF7));
        QByteArray longReply = config.left(244) + config.mid(9, 100);
        longReply.append(char(0xF7));
        QTest::newRow("configuration") << QList<QByteArray>{config} << false << true << config;
        QTest::newRow("no reply") << QList<QByteArray>{} << false << false << QByteArray();
        QTest::newRow("request not sent") << QList<QByteArray>{} << true << false << QByteArray();
        QTest::newRow("short reply only") << QList<QByteArray>{shortReply} << false << false << QByteArray();
        QTest::newRow("long reply only") << QList<QByteArray>{longReply} << false << false << QByteArray();
        QTest::newRow("too short to read") << QList<QByteArray>{QByteArray::fromHex("F00340F7")} << false << false << QByteArray();
        QTest::newRow("short reply, then the configuration")
            << QList<QByteArray>{shortReply, config} << false << true << config;
        QTest::newRow("fragment glued to the configuration")
            << QList<QByteArray>{fragment + config} << false << true << config;
        QTest::newRow("fragment, then the configuration")
            << QList<QByteArray>{fragment, config} << false << true << config;
        QTest::newRow("serial number only") << QList<QByteArray>{serialReply("SN1")} << false << false << QByteArray();
    }
    void getResult()
    {
        QFETCH(QList<QByteArray>, replies);
        QFETCH(bool, sendFails);
        QFETCH(bool, success);
        QFETCH(QByteArray, stored);
        MainWindow *w = connectedWindow();
        const QByteArray before = blockOf(w);
        m_fake->setSendFails(sendFails);
        QSignalSpy hints(w, &MainWindow::showHint);
        QElapsedTimer timer;
        timer.start();
        w->getData();
        for (const QByteArray &reply : replies)
            deliver(reply);
        QTRY_COMPARE(hints.count(), 1);
        QCOMPARE(hints.at(0), (QVariantList{false, success}));
        QCOMPARE(blockOf(w), stored.isEmpty() ? before : stored);
        QCOMPARE(m_fake->openInputCount(), 0);
        QCOMPARE(m_fake->openOutputCount(), 0);
        if (!success && !sendFails)
            QVERIFY(timer.elapsed() >= 300); // the failure waited for the timeout
        // Nothing else is told later.
        QTest::qWait(400);
        QCOMPARE(hints.count(), 1);
    }

    // The keyboard arriving while the editor holds changes that are neither
    // saved nor sent: the automatic fetch asks before it replaces them.
    void arrivalAsksBeforeReplacingEdits_data()
    {
        QTest::addColumn<QString>("edits");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("fetched");
        QTest::newRow("no edits") << "none" << int(QMessageBox::NoButton) << false << true;
        QTest::newRow("edits sent") << "sent" << int(QMessageBox::NoButton) << false << true;
        QTest::newRow("pending, load") << "pending" << int(QMessageBox::Yes) << true << true;
        QTest::newRow("pending, keep") << "pending" << int(QMessageBox::No) << true << false;
    }
    void arrivalAsksBeforeReplacingEdits()
    {
        QFETCH(QString, edits);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, fetched);
        m_fake->setInputDevices({{1, kName}});
        m_fake->setOutputDevices({{2, kName}});
        const QByteArray config = keyboardConfiguration(50);
        FakeMidiBackend *fake = m_fake;
        fake->onSend = [fake, config](int, const QByteArray &message) {
            if (message.size() == 10 && message.at(1) == 0x02)
                fake->inject(config);
        };
        MainWindow *w = makeWindow(50, 600000);
        if (edits != "none")
            w->dataManagement()->setPadInfo(0, "padData", 1);
        if (edits == "sent")
            w->sendData();
        const QByteArray edited = blockOf(w);
        if (answer != QMessageBox::NoButton)
            m_prompter->choiceAnswers << QMessageBox::StandardButton(answer);
        QSignalSpy hints(w, &MainWindow::showHint);
        QTest::qWait(400);
        fake->onSend = nullptr;
        QCOMPARE(m_prompter->questions.size(), asked ? 1 : 0);
        if (asked)
            QCOMPARE(m_prompter->questions.at(0).labels,
                     QStringList({"Load the keyboard's settings", "Keep my edits"}));
        QCOMPARE(blockOf(w), fetched ? config : edited);
        QCOMPARE(hints.count(), fetched ? 1 : 0);
    }

    // The serial-number request leaves no port open, answered or not.
    void serialRequestClosesThePorts()
    {
        MainWindow *w = connectedWindow();
        QVERIFY(w->keyboard()->requestSerialNumber());
        QCOMPARE(m_fake->openInputCount(), 1);
        QTRY_COMPARE(m_fake->openInputCount(), 0);
        QCOMPARE(m_fake->openOutputCount(), 0);
    }

    // Unplugged a moment ago, before the port-list watch noticed: the open
    // fails because the ports are gone, which is a removal, not a busy port.
    void vanishedPortsAreARemoval()
    {
        MainWindow *w = connectedWindow();
        QSignalSpy state(w, &MainWindow::devStateChanged);
        QSignalSpy hints(w, &MainWindow::showHint);
        m_fake->setInputDevices({{0, "Midi Through"}});
        m_fake->setOutputDevices({{0, "Midi Through"}});
        w->sendData();
        QVERIFY(m_prompter->boxes.isEmpty());
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.at(0).at(0).toBool(), false);
        QVERIFY(!w->keyboard()->isConnected());
        QCOMPARE(hints.at(0), (QVariantList{true, false}));
        QCOMPARE(m_fake->openInputCount() + m_fake->openOutputCount(), 0);
        // The device watch notices the removal afterwards: told once only.
        emit w->deviceMonitor()->s_devTypeAndState("vq041", false);
        QCOMPARE(state.count(), 1);
    }

    void tooShortOrEmptyRepliesAreIgnored_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("five bytes") << QByteArray::fromHex("F003400102");
    }
    void tooShortOrEmptyRepliesAreIgnored()
    {
        QFETCH(QByteArray, reply);
        MainWindow *w = connectedWindow();
        w->getData();
        const QByteArray before = blockOf(w);
        QSignalSpy pads(w, &MainWindow::padNumberChanged);
        QSignalSpy sn(w, &MainWindow::s_snNum);
        QSignalSpy updates(w->dataManagement(), &DataManagement::s_updateDate);

        QTest::ignoreMessage(QtDebugMsg, "parseMidiData====");
        deliver(reply);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(pads.count() + sn.count() + updates.count(), 0);
        QCOMPARE(blockOf(w), before);
        QVERIFY(w->keyboard()->inputPortOpen()); // still waiting for the real reply
    }

    void nullDeliveryIsIgnored()
    {
        MainWindow *w = connectedWindow();
        QSignalSpy updates(w->dataManagement(), &DataManagement::s_updateDate);
        deliverMidiInData(nullptr, 5);
        QCoreApplication::processEvents();
        QCOMPARE(updates.count(), 0);
    }

    void randomBuffersNeverCrash()
    {
        MainWindow *w = connectedWindow();
        QRandomGenerator rng(20240517);
        QSignalSpy updates(w->dataManagement(), &DataManagement::s_updateDate);
        int expectedUpdates = 0;
        for (int round = 0; round < 3000; ++round) {
            const int length = int(rng.bounded(513));
            QByteArray buf(length, 0);
            for (int i = 0; i < length; ++i)
                buf[i] = char(rng.bounded(256));
            if (length > 1 && rng.bounded(3) == 0)
                buf[1] = 0x04;
            // Nothing was asked for: no configuration is ever stored.
            deliver(buf);
            if (round % 50 == 0)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        QCOMPARE(updates.count(), expectedUpdates);
    }

    void decodedRepliesFromTheInputThread()
    {
        // The keyboard answers each request as it is sent, on its own thread.
        MainWindow *w = connectedWindow();
        FakeMidiBackend *fake = m_fake;
        const QByteArray config = keyboardConfiguration(48);
        fake->onSend = [fake, config](int, const QByteArray &message) {
            if (message.size() == 10 && message.at(1) == 0x02)
                fake->inject(config);
            else if (message.size() == 10 && message.at(1) == 0x04)
                fake->inject(serialReply("SN0001"));
        };
        QSignalSpy sn(w, &MainWindow::s_snNum);
        w->getData();
        QTRY_COMPARE(blockOf(w), config);
        QTRY_VERIFY(!w->keyboard()->inputPortOpen());
        QMetaObject::invokeMethod(w, "requestSerialNumber");
        QTRY_COMPARE(sn.count(), 1);
        QCOMPARE(sn.at(0).at(0).toString(), QString("SN0001"));
        fake->onSend = nullptr;
    }

    void arrivalSchedulesBothRequests()
    {
        m_fake->setInputDevices({{4, kName}});
        m_fake->setOutputDevices({{6, kName}});
        const QByteArray config = keyboardConfiguration(50);
        FakeMidiBackend *fake = m_fake;
        fake->onSend = [fake, config](int, const QByteArray &message) {
            if (message.at(1) == 0x02)
                fake->inject(config);
            else if (message.at(1) == 0x04)
                fake->inject(serialReply("K-77"));
        };
        QElapsedTimer clock;
        clock.start();
        MainWindow *w = makeWindow(); // the real delays: 2 s and 3 s
        QSignalSpy hints(w, &MainWindow::showHint);
        QSignalSpy sn(w, &MainWindow::s_snNum);
        QVERIFY(w->keyboard()->isConnected());

        QTRY_COMPARE_WITH_TIMEOUT(hints.count(), 1, 15000);
        QVERIFY(clock.elapsed() >= 1800);
        QCOMPARE(hints.at(0), (QVariantList{false, true}));
        QTRY_COMPARE(blockOf(w), config);
        QCOMPARE(sn.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(sn.count(), 1, 15000);
        QVERIFY(clock.elapsed() >= 2700); // coarse timers may fire 5% early
        QCOMPARE(sn.at(0).at(0).toString(), QString("K-77"));
        QCOMPARE(hints.count(), 1); // the serial request is not reported
        fake->onSend = nullptr;
    }

    void everyArrivalReportSchedulesItsOwnRequests()
    {
        m_fake->setInputDevices({{1, kName}});
        m_fake->setOutputDevices({{1, kName}});
        MainWindow *w = makeWindow(50, 80);
        emit w->deviceMonitor()->s_devTypeAndState("vq041", true);
        const auto sent = [this](char command) {
            int n = 0;
            for (const QByteArray &m : m_fake->sentMessages())
                n += m.at(1) == command;
            return n;
        };
        // The serial requests go last; a loaded machine may run the timers late.
        QTRY_COMPARE_WITH_TIMEOUT(sent(0x04), 2, 15000);
        QTest::qWait(100);
        QCOMPARE(sent(0x02), 2);
        QCOMPARE(sent(0x04), 2);
    }

    void removalClosesAndLaterTimersFailQuietly()
    {
        m_fake->setInputDevices({{1, kName}});
        m_fake->setOutputDevices({{1, kName}});
        MainWindow *w = makeWindow(150, 200);
        QSignalSpy state(w, &MainWindow::devStateChanged);
        QSignalSpy hints(w, &MainWindow::showHint);
        m_fake->setInputDevices({});
        m_fake->setOutputDevices({});
        emit w->deviceMonitor()->s_devTypeAndState("vq041", false);
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.at(0).at(0).toBool(), false);
        QVERIFY(!w->keyboard()->isConnected());

        QTRY_COMPARE(hints.count(), 1);
        QCOMPARE(hints.at(0), (QVariantList{false, false}));
        QTest::qWait(150);
        QVERIFY(m_prompter->boxes.isEmpty());
        QCOMPARE(m_fake->inputOpens(), 0);
        // The ids are kept for the next arrival.
        QCOMPARE(w->keyboard()->inputDeviceIndex(), 1);
    }

    void removalWhileWaitingClosesThePorts()
    {
        MainWindow *w = connectedWindow();
        w->getData();
        QCOMPARE(m_fake->openInputCount(), 1);
        emit w->deviceMonitor()->s_devTypeAndState("vq041", false);
        QCOMPARE(m_fake->openInputCount(), 0);
        QCOMPARE(m_fake->openOutputCount(), 0);
        // A reply still on its way belongs to an abandoned request: not stored.
        const QByteArray before = blockOf(w);
        deliver(keyboardConfiguration());
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(blockOf(w), before);
    }

    void unknownTagChangesNothing()
    {
        MainWindow *w = makeWindow(50, 50);
        QSignalSpy state(w, &MainWindow::devStateChanged);
        emit w->deviceMonitor()->s_devTypeAndState("usbstick", true);
        emit w->deviceMonitor()->s_devTypeAndState("", false);
        QTest::qWait(150);
        QCOMPARE(state.count(), 0);
        QVERIFY(!w->keyboard()->isConnected());
        QVERIFY(m_fake->sentMessages().isEmpty());
        QVERIFY(m_prompter->boxes.isEmpty());
    }

    void loaderDeviceStartsTheOnlineCheck()
    {
        MainWindow *w = makeWindow(600000, 600000);
        QSignalSpy dialog(w->ftp(), &MyFtp::showDialog);
        emit w->deviceMonitor()->s_devTypeAndState("vq041SerialDev", true);
        QCOMPARE(dialog.count(), 1);
        QVERIFY(m_prompter->boxes.isEmpty());
        // Leaving, the check runs without a device and says so.
        emit w->deviceMonitor()->s_devTypeAndState("vq041SerialDev", false);
        QCOMPARE(dialog.count(), 1);
        QCOMPARE(m_prompter->boxes.size(), 1);
        QCOMPARE(m_prompter->boxes.at(0).text, QStringLiteral("Connect the keyboard first."));
        QVERIFY(!w->keyboard()->isConnected()); // the keyboard flag is not the loader's
    }

    void firmwareHandOver()
    {
        MainWindow *w = connectedWindow();
        QTemporaryDir dir;
        const QString image = dir.filePath("fw.bin");
        // No loader port exists here, so the transfer reports that it found none.
        QSignalSpy failed(w->firmwareTransfer(), &FirmwareUpdate::updateFailed);
        QSignalSpy refused(w->firmwareTransfer(), &FirmwareUpdate::updateRefused);
        QElapsedTimer clock;
        clock.start();
        emit w->ftp()->downloadComplete(image); // a finished download starts it alone
        // A second image while the keyboard goes to its loader is refused and
        // sends no second entry message.
        emit w->ftp()->downloadComplete(image);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(m_fake->sentMessages(),
                 QList<QByteArray>{QByteArray::fromHex("F005000100000020 6FF7")});
        // Nothing answers the entry message: only the output was opened.
        QVERIFY(w->keyboard()->outputPortOpen());
        QVERIFY(!w->keyboard()->inputPortOpen());
        QCOMPARE(failed.count(), 0);

        // The window goes on all the while: a ticking timer never stops long.
        QTimer tick;
        qint64 lastTick = clock.elapsed();
        qint64 longestGap = 0;
        connect(&tick, &QTimer::timeout, [&] {
            longestGap = qMax(longestGap, clock.elapsed() - lastTick);
            lastTick = clock.elapsed();
        });
        tick.start(50);

        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 15000);
        QVERIFY(clock.elapsed() >= 1900); // 1 s wait, then 1 s pause
        QTest::qWait(120); // a tick after the transfer's start closes the last gap
        QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap) + " ms without events"));
        QVERIFY(!w->keyboard()->outputPortOpen());
        QCOMPARE(m_fake->openOutputCount(), 0);
        QVERIFY(failed.at(0).at(0).toString().contains("firmware loader was not found"));
        QVERIFY(m_prompter->boxes.isEmpty());
    }

private:
    FakeMidiBackend *m_fake = nullptr;
    ScriptedPrompter *m_prompter = nullptr;
    MainWindow *m_window = nullptr;
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"

// The editor's back end against the keyboard simulator on a private JACK
// server: the start-up scan finds the keyboard, the automatic requests fetch
// its configuration and serial number, "SEND TO HARDWARE" stores the block in
// the keyboard, and the keyboard leaving is noticed by the device monitor.

#include "app/MainWindow.h"
#include "midi/MidiBackend.h"
#include "midi/RtMidiBackend.h"
#include "model/DataManagement.h"
#include "tests/e2e/E2eProcesses.h"
#include "tests/support/ScriptedPrompter.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

class TestE2eKeyboard : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ChildProcess m_jackd;
    ChildProcess m_sim;
    std::unique_ptr<MidiBackend> m_backend;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<QSignalSpy> m_hints;
    std::unique_ptr<QSignalSpy> m_serials;
    std::unique_ptr<QSignalSpy> m_states;
    QElapsedTimer m_sinceStart;

    QByteArray dump() const
    {
        QFile file(m_dir.filePath("keyboard.bin"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The last configuration write exactly as the keyboard received it.
    QByteArray lastWrite() const
    {
        QFile file(m_dir.filePath("last-write.bin"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray block() const
    {
        return QByteArray(m_window->dataManagement()->blockData(), DataManagement::BlockSize);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QByteArray jackProblem = startPrivateJackServer(m_jackd, "e2e", m_dir.path());
        QVERIFY2(jackProblem.isEmpty(), jackProblem.constData());

        m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QVERIFY(m_sim.startBounded(RAMBAKEY_SIM,
                                   {"--api", "jack", "--dump", m_dir.filePath("keyboard.bin"),
                                    "--last-write", m_dir.filePath("last-write.bin"),
                                    "--serial", "E2E-0042", "--version", "1.0.3", "--note", "62",
                                    "--no-loader"}));
        QVERIFY2(m_sim.waitForLine("READY", 20000), m_sim.seen.constData());
        QCOMPARE(dump().size(), DataManagement::BlockSize);

        m_backend = MidiBackend::createSystem("jack");
        QVERIFY(m_backend);
        QCOMPARE(m_backend->apiName(), QString("jack"));
        MidiBackend::setInstance(m_backend.get());
        m_prompter = std::make_unique<ScriptedPrompter>();
    }

    void cleanupTestCase()
    {
        m_hints.reset();
        m_serials.reset();
        m_states.reset();
        m_window.reset();
        MidiBackend::setInstance(nullptr);
        m_backend.reset();
        m_sim.stop();
        m_jackd.stop();
        m_prompter.reset();
    }

    void startUpFindsTheKeyboard()
    {
        MainWindow::Options options;
        options.loadQml = false;
        options.firmwareServer = QUrl("ftp://127.0.0.1:1/"); // never a real server
        m_sinceStart.start();
        m_window = std::make_unique<MainWindow>(options);
        m_hints = std::make_unique<QSignalSpy>(m_window.get(), &MainWindow::showHint);
        m_serials = std::make_unique<QSignalSpy>(m_window.get(), &MainWindow::s_snNum);
        m_states = std::make_unique<QSignalSpy>(m_window.get(), &MainWindow::devStateChanged);
        QVERIFY(m_window->keyboard()->isConnected());
        QVERIFY(m_window->keyboard()->inputDeviceIndex() >= 0);
        QVERIFY(m_window->keyboard()->outputDeviceIndex() >= 0);
        // Until the keyboard answers, the pages show the defaults.
        QCOMPARE(m_window->dataManagement()->getPadInfo(0).value("padData").toInt(), 68);
    }

    void configurationArrivesAfterTwoSeconds()
    {
        QVERIFY(m_window);
        QTRY_VERIFY_WITH_TIMEOUT(!m_hints->isEmpty(), 20000);
        QVERIFY(m_sinceStart.elapsed() >= 1800);
        QCOMPARE(m_hints->at(0), (QVariantList{false, true}));
        QVERIFY2(m_sim.waitForLine("REQUEST config", 15000), m_sim.seen.constData());
        const QByteArray keyboard = dump();
        QTRY_COMPARE_WITH_TIMEOUT(block(), keyboard, 15000);
        QCOMPARE(m_window->currentFirmwareVersion(), QString("1.03"));
        QTRY_VERIFY(!m_window->keyboard()->inputPortOpen());
        QVERIFY(m_prompter->boxes.isEmpty());
    }

    void serialNumberArrivesAfterThreeSeconds()
    {
        QVERIFY(m_window);
        QTRY_VERIFY_WITH_TIMEOUT(!m_serials->isEmpty(), 20000);
        QVERIFY(m_sinceStart.elapsed() >= 2700);
        QCOMPARE(m_serials->at(0).at(0).toString(), QString("E2E-0042"));
        QCOMPARE(m_hints->size(), 1); // the serial request has no hint
        QTRY_VERIFY(!m_window->keyboard()->inputPortOpen());
    }

    void sendStoresTheBlockInTheKeyboard()
    {
        QVERIFY(m_window);
        DataManagement *store = m_window->dataManagement();
        store->setPadInfo(2, "padData", 33);
        store->setKnobInfo(9, "knboCh", 12);
        store->setARPInfo("swing", 4);
        const QByteArray before = block();

        m_window->sendData();
        QCOMPARE(m_hints->size(), 2);
        QCOMPARE(m_hints->at(1), (QVariantList{true, true}));
        // The simulator only stores a write whose command byte is 0x01.
        QVERIFY2(m_sim.waitForLine("STORED config", 15000), m_sim.seen.constData());
        QVERIFY(!m_window->keyboard()->inputPortOpen());
        QVERIFY(!m_window->keyboard()->outputPortOpen());
        QTRY_COMPARE(dump().mid(9, 235), before.mid(9, 235));
        // What went over the wire is the whole block with command byte 0x01.
        QByteArray expected = before;
        expected[1] = char(0x01);
        QCOMPARE(lastWrite(), expected);
        QCOMPARE(block(), before); // the editor's copy is unchanged
        QVERIFY(!m_sim.seen.contains("IGNORED"));

        // Asking again brings back exactly what was written.
        store->initDefaultData();
        m_window->getData();
        QTRY_COMPARE_WITH_TIMEOUT(block(), dump(), 15000);
        QCOMPARE(block().mid(9, 235), before.mid(9, 235));
        QVERIFY(m_prompter->boxes.isEmpty());
    }

    // Not a speed target: prints how long a configuration request takes, from
    // the call (ports opened, request sent) and from the request being sent,
    // until the reply is in the store.
    void configurationRoundTrip()
    {
        QVERIFY(m_window);
        DataManagement *store = m_window->dataManagement();
        QElapsedTimer clock;
        qint64 updatedAt = -1;
        QObject receiver; // ends the connection however this function is left
        connect(store, &DataManagement::s_updateDate, &receiver,
                [&] { updatedAt = clock.nsecsElapsed(); });
        QList<double> fromCall, fromSent;
        for (int round = 0; round < 5; ++round) {
            updatedAt = -1;
            clock.start();
            m_window->getData();
            const qint64 sentAt = clock.nsecsElapsed();
            QTRY_VERIFY_WITH_TIMEOUT(updatedAt >= 0, 15000);
            fromCall << updatedAt / 1e6;
            fromSent << (updatedAt - sentAt) / 1e6;
            QTRY_VERIFY(!m_window->keyboard()->inputPortOpen());
        }
        std::sort(fromCall.begin(), fromCall.end());
        std::sort(fromSent.begin(), fromSent.end());
        qInfo("configuration round trip over JACK, median of 5: %.1f ms from getData(), "
              "%.1f ms from the request sent to the store updated",
              fromCall.at(2), fromSent.at(2));
        QCOMPARE(block(), dump());
    }

    void removalIsNoticed()
    {
        QVERIFY(m_window);
        QVERIFY(m_states->isEmpty());
        m_sim.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!m_states->isEmpty(), 20000);
        QCOMPARE(m_states->at(0).at(0).toBool(), false);
        QVERIFY(!m_window->keyboard()->isConnected());

        // Without the keyboard, sending fails quietly.
        m_window->sendData();
        QCOMPARE(m_hints->last(), (QVariantList{true, false}));
        QVERIFY(m_prompter->boxes.isEmpty());
    }

    // A keyboard that answers too late: the get is reported failed after the
    // wait (not at once as a success), the ports close, nothing is stored.
    // One that sends a cut-off message just before its reply: the reply is
    // stored exactly (the fragment was glued to it and shifted the block).
    void slowAndFragmentingKeyboards_data()
    {
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<bool>("success");
        QTest::newRow("reply after 1.5 s") << QStringList{"--reply-delay", "1500"} << false;
        QTest::newRow("fragment, then the reply") << QStringList{"--fragment-first"} << true;
    }
    void slowAndFragmentingKeyboards()
    {
        QFETCH(QStringList, simOptions);
        QFETCH(bool, success);
        QVERIFY(m_window);
        m_sim.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->keyboard()->isConnected(), 20000);
        m_window->dataManagement()->initDefaultData();
        const QByteArray before = block();
        m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QVERIFY(m_sim.startBounded(RAMBAKEY_SIM,
                                   QStringList{"--api", "jack", "--dump", m_dir.filePath("keyboard.bin"),
                                               "--note", "62", "--version", "1.0.3", "--no-loader"}
                                       + simOptions));
        QVERIFY2(m_sim.waitForLine("READY", 20000), m_sim.seen.constData());
        QTRY_VERIFY_WITH_TIMEOUT(m_window->keyboard()->isConnected(), 20000);

        m_hints->clear();
        QElapsedTimer clock;
        clock.start();
        m_window->getData();
        QTRY_VERIFY_WITH_TIMEOUT(!m_hints->isEmpty(), 20000);
        QCOMPARE(m_hints->at(0), (QVariantList{false, success}));
        QVERIFY(!m_window->keyboard()->inputPortOpen());
        QVERIFY(!m_window->keyboard()->outputPortOpen());
        if (success) {
            QCOMPARE(block(), dump());
        } else {
            QVERIFY(clock.elapsed() >= 900);
            QTest::qWait(1000); // the late reply finds the ports closed
            QCOMPARE(block(), before);
        }
        QVERIFY(m_prompter->boxes.isEmpty());
    }
};

QTEST_MAIN(TestE2eKeyboard)
#include "tst_e2e_keyboard.moc"

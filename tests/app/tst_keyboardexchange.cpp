// The keyboard exchange on its own, as a program without a window uses it:
// no widgets, no dialogs, a plain core application.

#include "app/KeyboardExchange.h"
#include "model/DataManagement.h"
#include "tests/support/FakeMidiBackend.h"
#include "tests/support/KeyboardReplies.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kName = QStringLiteral("Vornel RambaKEY Q7X");

} // namespace

class TestKeyboardExchange : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_fake = new FakeMidiBackend;
        MidiBackend::setInstance(m_fake);
        m_fake->setInputDevices({{3, kName}});
        m_fake->setOutputDevices({{5, kName}});
    }
    void cleanup()
    {
        MidiBackend::setInstance(nullptr);
        delete m_fake;
    }

    void getAndSendWithoutAWindow()
    {
        DataManagement store;
        KeyboardExchange exchange(&store);
        QVERIFY(!exchange.requestConfiguration()); // no keyboard yet: nothing opened
        QCOMPARE(m_fake->inputOpens(), 0);

        exchange.keyboardArrived();
        QCOMPARE(exchange.inputDeviceIndex(), 3);
        QCOMPARE(exchange.outputDeviceIndex(), 5);
        QSignalSpy pads(&exchange, &KeyboardExchange::padNumberChanged);
        QSignalSpy received(&exchange, &KeyboardExchange::configurationReceived);
        QVERIFY(exchange.requestConfiguration());
        QVERIFY(exchange.inputPortOpen());

        const QByteArray reply = keyboardConfiguration(70);
        QVERIFY(m_fake->inject(reply));
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(pads.at(0).at(0).toInt(), 70);
        QCOMPARE(QByteArray(store.blockData(), Sysex::kBlockSize), reply);
        QVERIFY(!exchange.inputPortOpen());
        QVERIFY(!exchange.outputPortOpen());

        m_fake->clearSentMessages();
        const int inputOpens = m_fake->inputOpens();
        QVERIFY(exchange.sendConfiguration());
        QCOMPARE(m_fake->inputOpens(), inputOpens); // a write awaits no reply
        QByteArray written = reply;
        written[1] = char(Sysex::ConfigurationWrite);
        QCOMPARE(m_fake->sentMessages(), QList<QByteArray>{written});
        QVERIFY(!exchange.inputPortOpen());
    }

    void busyPortsAndIgnoredRepliesAreSignalled()
    {
        DataManagement store;
        KeyboardExchange exchange(&store);
        exchange.keyboardArrived();
        QSignalSpy busy(&exchange, &KeyboardExchange::portsBusy);
        QSignalSpy ignored(&exchange, &KeyboardExchange::replyIgnored);

        m_fake->setOutputOpenFails(true);
        QVERIFY(!exchange.requestSerialNumber());
        QCOMPARE(busy.count(), 1);
        QVERIFY(!exchange.inputPortOpen()); // the half-open pair is released

        m_fake->setOutputOpenFails(false);
        QVERIFY(exchange.requestSerialNumber());
        QVERIFY(m_fake->inject(QByteArray::fromHex("F00340F7")));
        QTRY_COMPARE(ignored.count(), 1);
        QCOMPARE(ignored.at(0).at(0).value<Sysex::Reply::Reason>(), Sysex::Reply::TooShort);
        QVERIFY(exchange.inputPortOpen()); // still waiting for the real reply

        // The keyboard leaves while a reply is on its way: it is still read.
        QSignalSpy serial(&exchange, &KeyboardExchange::serialNumberReceived);
        QVERIFY(m_fake->inject(QByteArray::fromHex("F004000100000020 6F 4B2D3100F7")));
        exchange.keyboardLeft();
        QVERIFY(!exchange.inputPortOpen());
        QTRY_COMPARE(serial.count(), 1);
        QCOMPARE(serial.at(0).at(0).toString(), QString("K-1"));
        QCOMPARE(busy.count(), 1);
    }

private:
    FakeMidiBackend *m_fake = nullptr;
};

QTEST_GUILESS_MAIN(TestKeyboardExchange)
#include "tst_keyboardexchange.moc"

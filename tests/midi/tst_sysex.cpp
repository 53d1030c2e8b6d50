#include "midi/RtMidiBackend.h"
#include "midi/Sysex.h"

#include <QtTest>

// The editor's outgoing messages and how port names map to device names.
class TstSysex : public QObject
{
    Q_OBJECT

    static QByteArray defaultBlock()
    {
        QByteArray block(Sysex::kBlockSize, char(0x05));
        const unsigned char header[] = {0xF0, 0x02, 0x3C, 0x01, 0x00, 0x02, 0x00, 0x20, 0x6F};
        for (int i = 0; i < 9; ++i)
            block[i] = char(header[i]);
        block[Sysex::kBlockSize - 1] = char(0xF7);
        return block;
    }

private slots:
    void requests_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("configuration") << int(Sysex::ConfigurationRequest)
                                       << QByteArray::fromHex("f0020001000000206ff7");
        QTest::newRow("serial") << int(Sysex::SerialNumber) << QByteArray::fromHex("f0040001000000206ff7");
        QTest::newRow("firmware") << int(Sysex::FirmwareUpdateEntry)
                                  << QByteArray::fromHex("f0050001000000206ff7");
    }
    void requests()
    {
        QFETCH(int, command);
        QFETCH(QByteArray, expected);
        const QByteArray message = Sysex::request(Sysex::Command(command));
        QCOMPARE(message.size(), Sysex::kRequestSize);
        QCOMPARE(message.toHex(), expected.toHex());
    }

    void writeSetsCommandOnTheCopyOnly()
    {
        const QByteArray block = defaultBlock();
        const QByteArray before = block;
        const QByteArray message = Sysex::configurationWrite(block.constData());
        QCOMPARE(message.size(), Sysex::kBlockSize);
        QCOMPARE(quint8(message[1]), quint8(0x01));
        QCOMPARE(block, before);
        // Everything but the command byte travels unchanged, header included.
        QByteArray expected = block;
        expected[1] = char(0x01);
        QCOMPARE(message, expected);
    }

    void writeClampsStatusBytesWithAWarning()
    {
        QByteArray block = defaultBlock();
        block[13] = char(0xC8); // a field written with 200
        block[243] = char(0x80);
        const QByteArray before = block;
        QTest::ignoreMessage(QtWarningMsg, "configuration byte 13 is 0xc8, sent as 0x7F");
        QTest::ignoreMessage(QtWarningMsg, "configuration byte 243 is 0x80, sent as 0x7F");
        const QByteArray message = Sysex::configurationWrite(block.constData());
        QCOMPARE(quint8(message[13]), quint8(0x7F));
        QCOMPARE(quint8(message[243]), quint8(0x7F));
        QCOMPARE(quint8(message[0]), quint8(0xF0));
        QCOMPARE(quint8(message[244]), quint8(0xF7));
        QCOMPARE(block, before);
    }

    void writeRepairsABrokenFrame()
    {
        QByteArray block = defaultBlock();
        block[0] = 0;
        block[244] = 0;
        QTest::ignoreMessage(QtWarningMsg, "configuration start byte repaired to 0xF0");
        QTest::ignoreMessage(QtWarningMsg, "configuration end byte repaired to 0xF7");
        const QByteArray message = Sysex::configurationWrite(block.constData());
        QCOMPARE(quint8(message[0]), quint8(0xF0));
        QCOMPARE(quint8(message[244]), quint8(0xF7));
        for (int i = 1; i < 244; ++i)
            QVERIFY(quint8(message[i]) < 0x80);
    }

    void writeOfNothingIsEmpty() { QVERIFY(Sysex::configurationWrite(nullptr).isEmpty()); }

    void deviceNames_data()
    {
        QTest::addColumn<bool>("jack");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("device");
        QTest::newRow("alsa") << false << "Vornel RambaKEY Q7X:Vornel RambaKEY Q7X MIDI 1 24:0"
                              << "Vornel RambaKEY Q7X";
        QTest::newRow("alsa other") << false << "Midi Through:Midi Through Port-0 14:0" << "Midi Through";
        QTest::newRow("jack") << true << "Vornel RambaKEY Q7X:MIDI 1 out" << "Vornel RambaKEY Q7X";
        QTest::newRow("jack renamed editor") << true << "RambaKEY Q7X Editor-01:SysEx In"
                                             << "RambaKEY Q7X Editor-01";
        QTest::newRow("a2j") << true
                             << "a2j:Vornel RambaKEY Q7X [24] (capture): Vornel RambaKEY Q7X MIDI 1"
                             << "Vornel RambaKEY Q7X";
        QTest::newRow("similar name") << true << "Vornel RambaKEY Q7X2:out" << "Vornel RambaKEY Q7X2";
        QTest::newRow("no colon") << false << "odd" << "odd";
    }
    void deviceNames()
    {
        QFETCH(bool, jack);
        QFETCH(QString, port);
        QFETCH(QString, device);
        QCOMPARE(RtMidiBackend::deviceNameFromPortName(jack ? RtMidiBackend::Api::Jack
                                                            : RtMidiBackend::Api::Alsa,
                                                       port),
                 device);
    }
};

QTEST_GUILESS_MAIN(TstSysex)
#include "tst_sysex.moc"

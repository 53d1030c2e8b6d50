#include "midi/RtMidiBackend.h"
#include "midi/Sysex.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cstring>

// The keyboard's messages: what the editor sends, the one well-formedness
// rule, how replies are read; and how port names map to device names.
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

    // A configuration as the keyboard would answer it.
    static QByteArray keyboardConfiguration(int note)
    {
        QByteArray c(Sysex::kBlockSize, 0);
        const unsigned char header[] = {0xF0, 0x03, 0x00, 0x02, 0x01, 0x0A, 0x00, 0x20, 0x6F};
        for (int i = 0; i < 9; ++i)
            c[i] = char(header[i]);
        c[2] = char(note);
        for (int i = 9; i < 244; ++i)
            c[i] = char((i * 7) & 0x7F);
        c[244] = char(0xF7);
        return c;
    }

    static QByteArray serialReply(const QByteArray &serial, int total = 26)
    {
        QByteArray r(total, 0);
        const QByteArray head = QByteArray::fromHex("F004000100000020 6F");
        std::memcpy(r.data(), head.constData(), size_t(qMin(total, head.size())));
        for (int i = 0; i < serial.size() && 9 + i < total; ++i)
            r[9 + i] = serial.at(i);
        r[total - 1] = char(0xF7);
        return r;
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

    // ------------------------------------------------------------ the one rule

    void wellFormedRule_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QList<int>>("repaired");
        const QByteArray good = defaultBlock();
        QTest::newRow("already well-formed") << good << good << QList<int>{};
        QByteArray status = good;
        status[9] = char(0x90);
        status[243] = char(0xFF);
        QByteArray statusFixed = good;
        statusFixed[9] = char(0x7F);
        statusFixed[243] = char(0x7F);
        QTest::newRow("status bytes inside") << status << statusFixed << QList<int>{9, 243};
        QByteArray frame = good;
        frame[0] = 0x00;
        frame[244] = char(0xF0);
        QTest::newRow("no frame") << frame << good << QList<int>{0, 244};
        QTest::newRow("short, padded and framed")
            << good.left(100) << good.left(100) + QByteArray(144, '\0') + char(0xF7)
            << QList<int>{244};
        QTest::newRow("long, cut and framed") << good.left(244) + good << good << QList<int>{244};
        QTest::newRow("empty") << QByteArray() << QByteArray(1, char(0xF0)) + QByteArray(243, '\0') + char(0xF7)
                               << QList<int>{0, 244};
    }
    void wellFormedRule()
    {
        QFETCH(QByteArray, block);
        QFETCH(QByteArray, expected);
        QFETCH(QList<int>, repaired);
        QVector<Sysex::Repair> repairs;
        const QByteArray out = Sysex::wellFormed(block, &repairs);
        QCOMPARE(out.toHex(), expected.toHex());
        QVERIFY(Sysex::isWellFormed(out));
        QList<int> offsets;
        for (const Sysex::Repair &r : repairs)
            offsets << r.offset;
        QCOMPARE(offsets, repaired);
        QCOMPARE(Sysex::isWellFormed(block), repaired.isEmpty() && block.size() == Sysex::kBlockSize);
    }

    // ------------------------------------------------------------ replies

    void decodeReply_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<int>("note");
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<bool>("cut");
        const int Config = Sysex::Reply::Configuration;
        const int Serial = Sysex::Reply::SerialNumberReply;
        const int Ignored = Sysex::Reply::Ignored;
        const int None = Sysex::Reply::None;
        const QByteArray config = keyboardConfiguration(64);

        // configuration
        QTest::newRow("configuration: whole") << config << Config << None << "" << 64 << config << false;
        QByteArray written = config;
        written[1] = 0x01;
        QTest::newRow("configuration: any command but 0x04")
            << written << Config << None << "" << 64 << written << false;
        QTest::newRow("configuration: note number is signed")
            << QByteArray::fromHex("F003C8010000F7") << Config << None << "" << -56
            << QByteArray::fromHex("F003C8010000F7") << false;

        // serial number
        QTest::newRow("serial: ABC then zeros") << serialReply("ABC") << Serial << None << "ABC" << 0
                                                << QByteArray() << false;
        QTest::newRow("serial: fifteen characters")
            << serialReply("Q7X-2024-000123") << Serial << None << "Q7X-2024-000123" << 0 << QByteArray() << false;
        QTest::newRow("serial: longer text is cut at 15")
            << serialReply("ABCDEFGHIJKLMNOPQRS", 40) << Serial << None << "ABCDEFGHIJKLMNO" << 0
            << QByteArray() << false;
        QTest::newRow("serial: short reply, end byte not taken")
            << serialReply("AB", 12) << Serial << None << "AB" << 0 << QByteArray() << false;
        QTest::newRow("serial: no room for text") << QByteArray::fromHex("F004F7") << Serial << None << ""
                                                  << 0 << QByteArray() << false;
        QTest::newRow("serial: two bytes") << QByteArray::fromHex("F004") << Serial << None << "" << 0
                                           << QByteArray() << false;
        QTest::newRow("serial: control characters kept as text")
            << serialReply(QByteArray("A\tB\x01", 4)) << Serial << None << QString("A\tB\x01") << 0
            << QByteArray() << false;

        // short: nothing, or too little to be a configuration; from six
        // bytes on only what came replaces the front of the block
        QTest::newRow("short: empty") << QByteArray() << Ignored << int(Sysex::Reply::Empty) << "" << 0
                                      << QByteArray() << false;
        QTest::newRow("short: one byte") << QByteArray::fromHex("F0") << Ignored
                                         << int(Sysex::Reply::TooShort) << "" << 0 << QByteArray() << false;
        QTest::newRow("short: five bytes") << QByteArray::fromHex("F003400102") << Ignored
                                           << int(Sysex::Reply::TooShort) << "" << 0 << QByteArray() << false;
        QTest::newRow("short: six bytes") << config.left(6) << Config << None << "" << 64 << config.left(6)
                                          << false;
        QTest::newRow("short: 200 bytes") << config.left(200) << Config << None << "" << 64
                                          << config.left(200) << false;

        // long: cut to one configuration that still ends the message
        QByteArray cutBlock = config.repeated(3).left(245);
        cutBlock[244] = char(0xF7);
        QTest::newRow("long: 300 bytes") << config.repeated(3).left(300) << Config << None << "" << 64
                                         << cutBlock << true;
        QTest::newRow("long: 512 bytes") << config.repeated(3).left(512) << Config << None << "" << 64
                                         << cutBlock << true;
        QTest::newRow("long: configuration and serial glued")
            << config + serialReply("GLUED") << Config << None << "" << 64 << config << true;

        // unframed: a whole configuration always comes out as one message
        QByteArray damaged = config;
        damaged[0] = 0x00;
        damaged[50] = char(0x90);
        damaged[244] = 0x00;
        QByteArray repaired = config;
        repaired[50] = char(0x7F);
        QTest::newRow("unframed: status byte and no frame")
            << damaged << Config << None << "" << 64 << repaired << false;
        QByteArray gluedInside = config.left(100) + serialReply("X") + config.mid(126);
        QByteArray gluedRepaired = gluedInside;
        gluedRepaired[100] = char(0x7F);
        gluedRepaired[125] = char(0x7F);
        QTest::newRow("unframed: a message glued inside")
            << gluedInside << Config << None << "" << 64 << gluedRepaired << false;

        // other commands: anything that is not a serial number is read as a
        // configuration, the editor's own requests too
        const QByteArray entry = Sysex::request(Sysex::FirmwareUpdateEntry);
        QTest::newRow("other: firmware-update entry echoed")
            << entry << Config << None << "" << 0 << entry << false;
        const QByteArray request = Sysex::request(Sysex::ConfigurationRequest);
        QTest::newRow("other: configuration request echoed")
            << request << Config << None << "" << 0 << request << false;
    }
    void decodeReply()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QFETCH(int, reason);
        QFETCH(QString, serial);
        QFETCH(int, note);
        QFETCH(QByteArray, block);
        QFETCH(bool, cut);
        const Sysex::Reply reply = Sysex::decodeReply(bytes);
        QCOMPARE(int(reply.kind), kind);
        QCOMPARE(int(reply.reason), reason);
        QCOMPARE(reply.received, bytes.size());
        QCOMPARE(reply.serialNumber, serial);
        QCOMPARE(reply.noteNumber, note);
        QCOMPARE(reply.block.toHex(), block.toHex());
        QCOMPARE(reply.cut, cut);
        if (kind == Sysex::Reply::Configuration) {
            QCOMPARE(reply.version[0], int(qint8(bytes.at(3))));
            QCOMPARE(reply.version[1], int(qint8(bytes.at(4))));
            QCOMPARE(reply.version[2], int(qint8(bytes.at(5))));
        }
    }

    void randomRepliesStayInBounds()
    {
        // Whatever arrives: nothing is read past its end (the sanitizer build
        // watches that), a configuration never exceeds the block, and one of
        // a whole block or more is always a well-formed message.
        QRandomGenerator rng(20240517);
        for (int round = 0; round < 3000; ++round) {
            const int length = int(rng.bounded(Sysex::kMaxReceived + 1));
            QByteArray buf(length, 0);
            for (int i = 0; i < length; ++i)
                buf[i] = char(rng.bounded(256));
            if (length > 1 && rng.bounded(3) == 0)
                buf[1] = 0x04;
            // An exact copy, so that reading past the end is caught.
            const QByteArray exact(buf.constData(), buf.size());
            const Sysex::Reply reply = Sysex::decodeReply(exact);
            if (length > 1 && uchar(buf.at(1)) == 0x04) {
                QCOMPARE(int(reply.kind), int(Sysex::Reply::SerialNumberReply));
                QVERIFY(reply.serialNumber.size() <= 15);
            } else if (length < 6) {
                QCOMPARE(int(reply.kind), int(Sysex::Reply::Ignored));
            } else {
                QCOMPARE(int(reply.kind), int(Sysex::Reply::Configuration));
                QCOMPARE(reply.block.size(), qMin(length, Sysex::kBlockSize));
                if (length >= Sysex::kBlockSize)
                    QVERIFY(Sysex::isWellFormed(reply.block));
            }
        }
    }

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

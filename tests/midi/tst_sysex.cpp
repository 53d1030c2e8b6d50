#include "midi/RtMidiBackend.h"
#include "midi/Sysex.h"
#include "tests/support/KeyboardReplies.h"

#include <QRandomGenerator>
#include <QtTest>

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

    // What a port delivered, read as a MIDI stream: only the last complete
    // message counts, and only one whole configuration is ever a configuration.
    void decodeReply_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<int>("note");
        QTest::addColumn<QByteArray>("block");
        const int Config = Sysex::Reply::Configuration;
        const int Serial = Sysex::Reply::SerialNumberReply;
        const int Ignored = Sysex::Reply::Ignored;
        const int None = Sysex::Reply::None;
        const int TooShort = Sysex::Reply::TooShort;
        const int TooLong = Sysex::Reply::TooLong;
        const int Incomplete = Sysex::Reply::Incomplete;
        const QByteArray config = keyboardConfiguration(64);
        const QByteArray other = keyboardConfiguration(30);
        const QByteArray fragment = QByteArray::fromHex("F002112233");

        // configuration
        QTest::newRow("configuration: whole") << config << Config << None << "" << 64 << config;
        QByteArray written = config;
        written[1] = 0x01;
        QTest::newRow("configuration: any command but 0x04") << written << Config << None << "" << 64 << written;
        QByteArray negative = config;
        negative[2] = char(0x48);
        QTest::newRow("configuration: note number as sent") << negative << Config << None << "" << 0x48 << negative;

        // serial number
        QTest::newRow("serial: ABC then zeros") << serialReply("ABC") << Serial << None << "ABC" << 0 << QByteArray();
        QTest::newRow("serial: fifteen characters")
            << serialReply("Q7X-2024-000123") << Serial << None << "Q7X-2024-000123" << 0 << QByteArray();
        QTest::newRow("serial: longer text is cut at 15")
            << serialReply("ABCDEFGHIJKLMNOPQRS", 40) << Serial << None << "ABCDEFGHIJKLMNO" << 0 << QByteArray();
        QTest::newRow("serial: short reply, end byte not taken")
            << serialReply("AB", 12) << Serial << None << "AB" << 0 << QByteArray();
        QTest::newRow("serial: no room for text") << QByteArray::fromHex("F004F7") << Serial << None << "" << 0 << QByteArray();
        QTest::newRow("serial: control characters kept as text")
            << serialReply(QByteArray("A\tB\x01", 4)) << Serial << None << QString("A\tB\x01") << 0 << QByteArray();

        // wrong length: never stored, neither in part nor cut
        QTest::newRow("length: empty") << QByteArray() << Ignored << int(Sysex::Reply::Empty) << "" << 0 << QByteArray();
        QTest::newRow("length: frame only") << QByteArray::fromHex("F0F7") << Ignored << TooShort << "" << 0 << QByteArray();
        QTest::newRow("length: six bytes") << config.left(5) + char(0xF7) << Ignored << TooShort << "" << 0 << QByteArray();
        QTest::newRow("length: one byte short") << config.left(243) + char(0xF7) << Ignored << TooShort << "" << 0 << QByteArray();
        QTest::newRow("length: one byte long") << config.left(244) + char(0x11) + char(0xF7) << Ignored << TooLong << "" << 0 << QByteArray();
        const QByteArray request = Sysex::request(Sysex::ConfigurationRequest);
        QTest::newRow("length: own request echoed") << request << Ignored << TooShort << "" << 0 << QByteArray();

        // fragments: a message without its end is no message
        QTest::newRow("fragment: start byte only") << QByteArray::fromHex("F0") << Ignored << Incomplete << "" << 0 << QByteArray();
        QTest::newRow("fragment: unfinished") << fragment << Ignored << Incomplete << "" << 0 << QByteArray();
        QTest::newRow("fragment: configuration without its end") << config.left(244) << Ignored << Incomplete << "" << 0 << QByteArray();
        QTest::newRow("fragment: end byte alone") << QByteArray::fromHex("F7") << Ignored << Incomplete << "" << 0 << QByteArray();
        QTest::newRow("fragment: data without a start") << config.mid(1) << Ignored << Incomplete << "" << 0 << QByteArray();
        QTest::newRow("fragment: unfinished then a configuration")
            << fragment + config << Config << None << "" << 64 << config;
        QTest::newRow("fragment: configuration then an unfinished one")
            << config + fragment << Config << None << "" << 64 << config;
        QTest::newRow("fragment: a configuration cut by another's start")
            << config.left(100) + other << Config << None << "" << 30 << other;

        // glued: the last complete message counts
        QTest::newRow("glued: two configurations") << config + other << Config << None << "" << 30 << other;
        QTest::newRow("glued: configuration then serial") << config + serialReply("GLUED") << Serial << None << "GLUED" << 0 << QByteArray();
        QTest::newRow("glued: serial then configuration") << serialReply("GLUED") + config << Config << None << "" << 64 << config;
        QTest::newRow("glued: a message inside a configuration")
            << config.left(100) + serialReply("X") + config.mid(100) << Serial << None << "X" << 0 << QByteArray();

        // running status: channel messages and their data bytes belong to no
        // System Exclusive message, and a status byte ends an unfinished one
        QTest::newRow("running status: notes before")
            << QByteArray::fromHex("903C40 3E40 4040") + config << Config << None << "" << 64 << config;
        QTest::newRow("running status: notes after")
            << config + QByteArray::fromHex("B00100 0102") << Config << None << "" << 64 << config;
        QTest::newRow("running status: note inside ends the configuration")
            << config.left(120) + QByteArray::fromHex("903C40") + config.mid(120)
            << Ignored << Incomplete << "" << 0 << QByteArray();
        QTest::newRow("running status: tune request inside")
            << config.left(50) + char(0xF6) + config.mid(50) << Ignored << Incomplete << "" << 0 << QByteArray();

        // realtime: 0xF8-0xFF may stand anywhere and are left out
        QByteArray clocked;
        for (int i = 0; i < config.size(); ++i) {
            if (i % 17 == 3)
                clocked.append(char(0xF8 + (i % 8)));
            clocked.append(config.at(i));
        }
        QTest::newRow("realtime: interleaved in a configuration") << clocked << Config << None << "" << 64 << config;
        QTest::newRow("realtime: before and after")
            << QByteArray::fromHex("F8FEF8") + config + QByteArray::fromHex("FEFF") << Config << None << "" << 64 << config;
        QTest::newRow("realtime: alone") << QByteArray::fromHex("F8F8FE") << Ignored << Incomplete << "" << 0 << QByteArray();
        QTest::newRow("realtime: inside a fragment before a configuration")
            << QByteArray::fromHex("F002F81122") + config << Config << None << "" << 64 << config;
    }
    void decodeReply()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QFETCH(int, reason);
        QFETCH(QString, serial);
        QFETCH(int, note);
        QFETCH(QByteArray, block);
        const Sysex::Reply reply = Sysex::decodeReply(bytes);
        QCOMPARE(int(reply.kind), kind);
        QCOMPARE(int(reply.reason), reason);
        QCOMPARE(reply.received, bytes.size());
        QCOMPARE(reply.serialNumber, serial);
        QCOMPARE(reply.noteNumber, note);
        QCOMPARE(reply.block.toHex(), block.toHex());
        if (kind == Sysex::Reply::Configuration) {
            QVERIFY(Sysex::isWellFormed(reply.block));
            QCOMPARE(reply.version[0], int(qint8(block.at(3))));
            QCOMPARE(reply.version[1], int(qint8(block.at(4))));
            QCOMPARE(reply.version[2], int(qint8(block.at(5))));
        }
    }

    void randomRepliesStayInBounds()
    {
        // Whatever arrives: nothing is read past its end (the sanitizer build
        // watches that), and a configuration is always one well-formed
        // message, the last complete one that arrived.
        QRandomGenerator rng(20240517);
        for (int round = 0; round < 3000; ++round) {
            const int length = int(rng.bounded(Sysex::kMaxReceived + 1));
            QByteArray buf(length, 0);
            for (int i = 0; i < length; ++i)
                buf[i] = char(rng.bounded(3) == 0 ? rng.bounded(256) : rng.bounded(128));
            if (length > 0 && rng.bounded(2) == 0)
                buf[0] = char(0xF0);
            if (length > 1 && rng.bounded(3) == 0)
                buf[1] = 0x04;
            if (length > 0 && rng.bounded(2) == 0)
                buf[length - 1] = char(0xF7);
            // An exact copy, so that reading past the end is caught.
            const QByteArray exact(buf.constData(), buf.size());
            const Sysex::Reply reply = Sysex::decodeReply(exact);
            const QByteArray last = Sysex::lastCompleteMessage(exact);
            if (reply.kind == Sysex::Reply::Configuration) {
                QVERIFY(Sysex::isWellFormed(reply.block));
                QCOMPARE(reply.block, last);
            } else if (reply.kind == Sysex::Reply::SerialNumberReply) {
                QVERIFY(reply.serialNumber.size() <= 15);
                QCOMPARE(uchar(last.at(1)), uchar(0x04));
            } else {
                QVERIFY(reply.block.isEmpty());
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

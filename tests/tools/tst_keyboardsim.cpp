#include "tools/rambakey-sim/KeyboardModel.h"

#include <QtTest>

// The simulated keyboard's answers and its System Exclusive assembly.
class TstKeyboardSim : public QObject
{
    Q_OBJECT

    static QByteArray request(int command)
    {
        return QByteArray::fromHex("f0000001000000206ff7").replace(1, 1, QByteArray(1, char(command)));
    }

    static KeyboardModel model()
    {
        KeyboardModel::Identity identity;
        identity.version[0] = 2;
        identity.version[1] = 1;
        identity.version[2] = 10;
        identity.note = 0;
        identity.serial = "SN-XYZ";
        return KeyboardModel(identity);
    }

private slots:
    void factoryParametersAreTheEditorsDefaults()
    {
        // Offsets 9 to 243 as the editor's "Restore The Default" writes them.
        QByteArray expected;
        for (int i = 0; i < 16; ++i)
            expected += QByteArray::fromHex("0044050" "07f3200").replace(1, 1, QByteArray(1, char(0x44 + i)));
        for (int i = 0; i < 16; ++i)
            expected += QByteArray::fromHex("000e7f0005").replace(1, 1, QByteArray(1, char(0x0E + i)));
        expected += QByteArray::fromHex("011405" "0042007f05");
        for (int i = 0; i < 6; ++i)
            expected += QByteArray::fromHex("00150005").replace(1, 1, QByteArray(1, char(0x15 + i)));
        expected += QByteArray::fromHex("7d0001010101" "0101010101");
        QCOMPARE(expected.size(), 235);
        QCOMPARE(KeyboardModel::factoryParameters().toHex(), expected.toHex());
    }

    void configurationReply()
    {
        KeyboardModel keyboard = model();
        const KeyboardModel::Outcome outcome = keyboard.handle(request(0x02));
        QCOMPARE(outcome.event, QString("REQUEST config"));
        QCOMPARE(outcome.reply.size(), 245);
        QCOMPARE(outcome.reply.left(9).toHex(), QByteArray("f00200" "02010a" "00206f"));
        QCOMPARE(quint8(outcome.reply[244]), quint8(0xF7));
        QCOMPARE(outcome.reply, keyboard.block());
        QVERIFY(!outcome.changed);
    }

    void serialReply()
    {
        KeyboardModel keyboard = model();
        const KeyboardModel::Outcome outcome = keyboard.handle(request(0x04));
        QCOMPARE(outcome.event, QString("REQUEST serial"));
        QCOMPARE(outcome.reply.toHex(),
                 QByteArray("f00400" "02010a" "00206f" "534e2d58595a" "000000000000000000" "f7"));

        KeyboardModel::Identity full;
        full.serial = "ABCDEFGHIJKLMNO";
        const QByteArray reply = KeyboardModel(full).handle(request(0x04)).reply;
        QCOMPARE(reply.size(), 25);
        QCOMPARE(reply.mid(9, 15), QByteArray("ABCDEFGHIJKLMNO"));
    }

    void writeStoresParametersAndKeepsTheHeader()
    {
        KeyboardModel keyboard = model();
        QByteArray write(245, 0x11);
        write[0] = char(0xF0);
        write[1] = 0x01;
        write[3] = 0x7F; // a version from the editor's block
        write[244] = char(0xF7);
        QVERIFY(keyboard.lastWrite().isEmpty());
        const KeyboardModel::Outcome outcome = keyboard.handle(write);
        QCOMPARE(outcome.event, QString("STORED config"));
        QCOMPARE(keyboard.lastWrite(), write); // exactly as it came, header included
        QVERIFY(outcome.changed);
        QVERIFY(outcome.reply.isEmpty());
        const QByteArray block = keyboard.block();
        QCOMPARE(block.left(9).toHex(), QByteArray("f00200" "02010a" "00206f"));
        QCOMPARE(block.mid(9, 235), QByteArray(235, 0x11));
        QCOMPARE(quint8(block[244]), quint8(0xF7));
    }

    void malformedMessagesAreIgnored_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("event");
        QByteArray shortWrite(200, 0x00);
        shortWrite[0] = char(0xF0);
        shortWrite[1] = 0x01;
        shortWrite[199] = char(0xF7);
        QTest::newRow("short write") << shortWrite << "IGNORED config write of 200 bytes";
        QTest::newRow("long request") << QByteArray::fromHex("f002000100000020006ff7")
                                      << "IGNORED request 0x02 of 11 bytes";
        QTest::newRow("unknown") << request(0x03) << "IGNORED unknown command 0x03";
        QTest::newRow("no end") << QByteArray::fromHex("f00200") << "IGNORED malformed message of 3 bytes";
        QTest::newRow("empty") << QByteArray() << "IGNORED malformed message of 0 bytes";
    }
    void malformedMessagesAreIgnored()
    {
        QFETCH(QByteArray, message);
        QFETCH(QString, event);
        KeyboardModel keyboard = model();
        const QByteArray before = keyboard.block();
        const KeyboardModel::Outcome outcome = keyboard.handle(message);
        QCOMPARE(outcome.event, event);
        QVERIFY(outcome.reply.isEmpty());
        QVERIFY(!outcome.changed);
        QVERIFY(!outcome.enterLoader);
        QCOMPARE(keyboard.block(), before);
    }

    void firmwareEntry()
    {
        KeyboardModel keyboard = model();
        const KeyboardModel::Outcome outcome = keyboard.handle(request(0x05));
        QCOMPARE(outcome.event, QString("ENTRY firmware-update"));
        QVERIFY(outcome.enterLoader);
        QVERIFY(outcome.reply.isEmpty());
    }

    void loadParametersFromBlockOrPreset()
    {
        KeyboardModel keyboard = model();
        QByteArray block(245, 0x22);
        block[0] = char(0xF0);
        block[244] = char(0xF7);
        QString error;
        QVERIFY(keyboard.loadParameters(block, &error));
        QCOMPARE(keyboard.block().mid(9, 235), QByteArray(235, 0x22));
        QCOMPARE(quint8(keyboard.block()[3]), quint8(2)); // own version kept

        QByteArray preset = QByteArray::fromHex("000000f5") + QByteArray(block).replace(9, 235, QByteArray(235, 0x33));
        QVERIFY(keyboard.loadParameters(preset, &error));
        QCOMPARE(keyboard.block().mid(9, 235), QByteArray(235, 0x33));

        QVERIFY(!keyboard.loadParameters(block.left(100), &error));
        QVERIFY(error.contains("100 bytes"));
        QByteArray bad = block;
        bad[50] = char(0x90);
        QVERIFY(!keyboard.loadParameters(bad, &error));
        QCOMPARE(keyboard.block().mid(9, 235), QByteArray(235, 0x33));
    }

    void optionChecks()
    {
        unsigned char v[3] = {0, 0, 0};
        QVERIFY(KeyboardModel::parseVersion("1.2.3", v));
        QCOMPARE(int(v[0]) * 100 + v[1] * 10 + v[2], 123);
        QVERIFY(!KeyboardModel::parseVersion("1.2", v));
        QVERIFY(!KeyboardModel::parseVersion("1.2.128", v));
        QVERIFY(!KeyboardModel::parseVersion("a.b.c", v));
        QVERIFY(KeyboardModel::validSerial("ABCDEFGHIJKLMNO"));
        QVERIFY(KeyboardModel::validSerial(""));
        QVERIFY(!KeyboardModel::validSerial("ABCDEFGHIJKLMNOP"));
        QVERIFY(!KeyboardModel::validSerial("caf\xc3\xa9"));
    }

    void assemblerJoinsAndRejects()
    {
        SysexAssembler assembler;
        QList<QByteArray> messages;
        QStringList problems;
        // Split across chunks, with a clock byte inside and a note before it.
        assembler.feed(QByteArray::fromHex("903c7ff00201"), messages, problems);
        assembler.feed(QByteArray::fromHex("02f803f7"), messages, problems);
        QCOMPARE(messages, QList<QByteArray>({QByteArray::fromHex("f0020102" "03f7")}));
        QVERIFY(problems.isEmpty());

        messages.clear();
        assembler.feed(QByteArray::fromHex("f00102" "f00304f7"), messages, problems);
        QCOMPARE(messages, QList<QByteArray>({QByteArray::fromHex("f00304f7")}));
        QCOMPARE(problems, QStringList({"System Exclusive without end byte"}));

        messages.clear();
        problems.clear();
        assembler.feed(QByteArray::fromHex("f001029040f7"), messages, problems);
        QVERIFY(messages.isEmpty());
        QCOMPARE(problems, QStringList({"System Exclusive broken off by status byte 0x90"}));

        problems.clear();
        QByteArray huge(SysexAssembler::kMaxLength + 10, 0x01);
        huge[0] = char(0xF0);
        huge.append(char(0xF7));
        assembler.feed(huge, messages, problems);
        assembler.feed(QByteArray::fromHex("f005f7"), messages, problems);
        QCOMPARE(problems, QStringList({"System Exclusive longer than 4096 bytes"}));
        QCOMPARE(messages, QList<QByteArray>({QByteArray::fromHex("f005f7")}));

        // Exactly the limit still passes.
        messages.clear();
        problems.clear();
        QByteArray limit(SysexAssembler::kMaxLength - 1, 0x01);
        limit[0] = char(0xF0);
        limit.append(char(0xF7));
        assembler.feed(limit, messages, problems);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].size(), SysexAssembler::kMaxLength);
        QVERIFY(problems.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstKeyboardSim)
#include "tst_keyboardsim.moc"

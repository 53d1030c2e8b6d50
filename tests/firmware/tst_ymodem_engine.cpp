// The YMODEM engine against a scripted receiver: a subclass that feeds the
// receiver's bytes one step at a time and records everything the engine
// writes and reports.
#include "firmware/Ymodem.h"

#include <QtTest>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

const QByteArray Cancel5 = QByteArray(5, char(0x18));

class ScriptedSender : public Ymodem
{
public:
    using Ymodem::Ymodem;

    QByteArray input;                 // pending receiver bytes
    QByteArray output;                // everything written, concatenated
    QList<QByteArray> writes;         // every write call
    QList<Status> statuses;           // every callback, in order
    int readAllCalls = 0;

    QByteArray header = QByteArray("fw.bin\0" "1000\0", 12);
    QByteArray file;                  // the file's contents
    int sent = 0;
    Code establishAnswer = CodeAck;
    int refuseAtBlock = -1;           // data request number (1-based) answered with CAN
    qint64 forcedLength = -1;         // >= 0: report this length instead of the block size
    QList<QByteArray> paddingSeen;    // buffer contents handed over with StatusTransmit

    Stage currentStage() const { return stage; }
    uint32_t errors() const { return errorCount; }
    uint32_t idles() const { return timeCount; }
    uint8_t blockNumber() const { return dataCount; }
    int rx() const { return rxState; }

    // Feeds bytes, runs one step, returns what that step wrote.
    QByteArray step(const QByteArray &in = QByteArray())
    {
        input.append(in);
        const int before = output.size();
        transmit();
        return output.mid(before);
    }

protected:
    Code callback(Status status, uint8_t *buffer, uint32_t *length) override
    {
        statuses.append(status);
        if (status == StatusEstablish) {
            if (buffer == nullptr || length == nullptr)
                return CodeCan;
            for (int i = 0; i < 128; ++i)
                if (buffer[i] != 0)
                    return CodeCan;   // must be handed over zeroed
            memcpy(buffer, header.constData(), size_t(header.size()));
            *length = forcedLength >= 0 ? uint32_t(forcedLength) : 128;
            return establishAnswer;
        }
        if (status == StatusTransmit) {
            const int request = statuses.count(StatusTransmit);
            paddingSeen.append(QByteArray(reinterpret_cast<char *>(buffer), 1024));
            if (request == refuseAtBlock)
                return CodeCan;
            if (sent == file.size())
                return CodeEot;
            const int remaining = file.size() - sent;
            const int block = remaining > 128 ? 1024 : 128;
            const int n = qMin(block, remaining);
            memcpy(buffer, file.constData() + sent, size_t(n));
            sent += n;
            *length = forcedLength >= 0 ? uint32_t(forcedLength) : uint32_t(block);
            return CodeAck;
        }
        if (buffer != nullptr || length != nullptr)
            statuses.append(Status(-1));   // terminal statuses carry no buffer
        return CodeAck;
    }

    uint32_t read(uint8_t *buffer, uint32_t length) override
    {
        const int n = qMin<int>(int(length), input.size());
        memcpy(buffer, input.constData(), size_t(n));
        input.remove(0, n);
        return uint32_t(n);
    }

    uint32_t write(uint8_t *buffer, uint32_t length) override
    {
        const QByteArray chunk(reinterpret_cast<char *>(buffer), int(length));
        writes.append(chunk);
        output.append(chunk);
        return length;
    }

    QByteArray readAll() override
    {
        ++readAllCalls;
        const QByteArray all = input;
        input.clear();
        return all;
    }
};

// Independent check of one data packet as a receiver would parse it.
struct Packet {
    int header = -1;
    int number = -1;
    QByteArray data;
};

Packet parsePacket(const QByteArray &raw)
{
    Packet p;
    if (raw.size() < 5)
        return p;
    const int size = raw.size() - 5;
    if (!((raw[0] == 0x01 && size == 128) || (raw[0] == 0x02 && size == 1024)))
        return p;
    if (uint8_t(raw[1]) != uint8_t(0xFF - uint8_t(raw[2])))
        return p;
    const QByteArray data = raw.mid(3, size);
    const uint16_t crc = Ymodem::crc16(reinterpret_cast<const uint8_t *>(data.constData()), uint32_t(size));
    if (uint8_t(raw[3 + size]) != (crc >> 8) || uint8_t(raw[4 + size]) != (crc & 0xFF))
        return p;
    p.header = raw[0];
    p.number = uint8_t(raw[1]);
    p.data = data;
    return p;
}

// Drives the sender from StageNone through block 0; returns block 0 as written.
QByteArray establish(ScriptedSender &s)
{
    s.step();                       // StageNone -> StageEstablishing
    return s.step("C");
}

// Runs a well-behaved receiver to the end, returning the data packets in order.
QList<QByteArray> runToEnd(ScriptedSender &s)
{
    QList<QByteArray> packets;
    s.step();
    s.step("C");
    QByteArray out = s.step(bytes({0x06}));
    s.step("C");   // the receiver's 'C' after block 0's ACK: an idle poll while transmitting
    int guard = 0;
    while (out.size() > 1 && ++guard < 100000) {
        packets.append(out);
        out = s.step(bytes({0x06}));
    }
    return packets;
}

} // namespace

class TestYmodemEngine : public QObject
{
    Q_OBJECT

private slots:
    void crcVectors_data();
    void crcVectors();
    void constructionAndFirstStep();
    void describedExchange();
    void blockSizesAndPadding_data();
    void blockSizesAndPadding();
    void blockNumbersWrap();
    void emptyFile();
    void eotAnswers();
    void cStormWhileWaitingForHeaderAck();
    void nakStormPastErrorMax();
    void nakInFinishedAndEstablished();
    void silenceWhileEstablishing();
    void silenceAfterStart_data();
    void silenceAfterStart();
    void abortLetters_data();
    void abortLetters();
    void refusals();
    void badLengthsAreRefused();
    void incomingPacketsCountAsIdle();
    void nextTransferAfterEnd();
    void resendIntervalWithSmallLimits();
};

void TestYmodemEngine::crcVectors_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("crc");
    QTest::newRow("check string") << QByteArray("123456789") << 0x31C3;
    QTest::newRow("one letter") << QByteArray("A") << 0x58E5;
    QTest::newRow("empty") << QByteArray() << 0x0000;
    QTest::newRow("128 zeros") << QByteArray(128, '\0') << 0x0000;
    QByteArray ramp;
    for (int i = 0; i < 256; ++i)
        ramp.append(char(i));
    QTest::newRow("0..255") << ramp << 0x7E55;
    QTest::newRow("header fw.bin 1000")
        << (QByteArray("fw.bin\0" "1000\0", 12) + QByteArray(116, '\0')) << 0x82AB;
}

void TestYmodemEngine::crcVectors()
{
    QFETCH(QByteArray, data);
    QFETCH(int, crc);
    QCOMPARE(int(Ymodem::crc16(reinterpret_cast<const uint8_t *>(data.constData()), uint32_t(data.size()))), crc);
}

void TestYmodemEngine::constructionAndFirstStep()
{
    ScriptedSender s(7, 3, 2);
    QCOMPARE(s.currentStage(), Ymodem::StageNone);
    s.input = "C";
    QVERIFY(s.step().isEmpty());           // the first step reads nothing
    QCOMPARE(s.input, QByteArray("C"));
    QCOMPARE(s.currentStage(), Ymodem::StageEstablishing);
    QVERIFY(s.statuses.isEmpty());
}

// The exchange given as the reference: ACK and 'C' after block 0, NAK to the
// first EOT, ACK and 'C' to the second.
void TestYmodemEngine::describedExchange()
{
    ScriptedSender s;
    s.file = QByteArray(1000, 'x');
    s.step();
    const QByteArray block0 = s.step("C");
    QCOMPARE(block0.size(), 133);
    QCOMPARE(block0.left(3), bytes({0x01, 0x00, 0xFF}));
    QCOMPARE(block0.mid(3, 12), s.header);
    QCOMPARE(block0.mid(15, 116), QByteArray(116, '\0'));
    QCOMPARE(block0.right(2), bytes({0x82, 0xAB}));
    QCOMPARE(s.currentStage(), Ymodem::StageEstablished);

    s.input = bytes({0x06}) + "C";
    QTest::ignoreMessage(QtDebugMsg, "transmitStageEstablished CodeAck");
    const QByteArray block1 = s.step();
    QCOMPARE(s.currentStage(), Ymodem::StageTransmitting);
    const Packet p1 = parsePacket(block1);
    QCOMPARE(p1.header, 0x02);
    QCOMPARE(p1.number, 1);
    QCOMPARE(p1.data.left(1000), s.file);
    QCOMPARE(p1.data.mid(1000), QByteArray(24, '\0'));
    QVERIFY(s.step().isEmpty());            // 'C' while transmitting: idle poll
    QCOMPARE(s.idles(), 1u);

    QCOMPARE(s.step(bytes({0x06})), bytes({0x04}));
    QCOMPARE(s.currentStage(), Ymodem::StageFinishing);
    QCOMPARE(s.step(bytes({0x15})), bytes({0x04}));
    QCOMPARE(s.errors(), 0u);
    QVERIFY(s.step(bytes({0x06}) + "C").isEmpty());   // ACK: idle
    const QByteArray endBlock = s.step();
    QCOMPARE(endBlock, bytes({0x01, 0x00, 0xFF}) + QByteArray(130, '\0'));
    QCOMPARE(s.currentStage(), Ymodem::StageFinished);
    QVERIFY(s.step(bytes({0x06})).isEmpty());
    QCOMPARE(s.currentStage(), Ymodem::StageNone);
    QCOMPARE(s.statuses, (QList<Ymodem::Status>{Ymodem::StatusEstablish, Ymodem::StatusTransmit,
                                                 Ymodem::StatusTransmit, Ymodem::StatusFinish}));
}

void TestYmodemEngine::blockSizesAndPadding_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("headers");
    QTest::newRow("128") << 128 << QList<int>{0x01};
    QTest::newRow("129") << 129 << QList<int>{0x02};
    QTest::newRow("1024") << 1024 << QList<int>{0x02};
    QTest::newRow("1025") << 1025 << QList<int>{0x02, 0x01};
    QTest::newRow("1152") << 1152 << QList<int>{0x02, 0x01};
    QTest::newRow("1153") << 1153 << QList<int>{0x02, 0x02};
    QTest::newRow("1") << 1 << QList<int>{0x01};
    QTest::newRow("300") << 300 << QList<int>{0x02};
}

void TestYmodemEngine::blockSizesAndPadding()
{
    QFETCH(int, size);
    QFETCH(QList<int>, headers);
    QByteArray file;
    for (int i = 0; i < size; ++i)
        file.append(char(i * 7 + 3));
    ScriptedSender s;
    s.file = file;
    const QList<QByteArray> raw = runToEnd(s);
    QCOMPARE(raw.size(), headers.size());

    QByteArray received;
    for (int i = 0; i < raw.size(); ++i) {
        const Packet p = parsePacket(raw.at(i));
        QCOMPARE(p.header, headers.at(i));
        QCOMPARE(p.number, i + 1);
        received.append(p.data);
    }
    QCOMPARE(received.left(size), file);
    // Padding: 0x00 in block 1, 0x1A in later blocks.
    const int firstLen = raw.first().size() - 5;
    for (int i = size; i < received.size(); ++i)
        QCOMPARE(int(uint8_t(received.at(i))), i < firstLen ? 0x00 : 0x1A);
    QCOMPARE(s.paddingSeen.first(), QByteArray(1024, '\0'));
    for (int i = 1; i < s.paddingSeen.size(); ++i)
        QCOMPARE(s.paddingSeen.at(i), QByteArray(1024, '\x1a'));
}

void TestYmodemEngine::blockNumbersWrap()
{
    ScriptedSender s;
    s.file = QByteArray(257 * 1024 + 10, 'w');
    const QList<QByteArray> raw = runToEnd(s);
    QCOMPARE(raw.size(), 258);
    for (int i = 0; i < raw.size(); ++i) {
        const Packet p = parsePacket(raw.at(i));
        QCOMPARE(p.number, (i + 1) % 256);
    }
    QCOMPARE(raw.at(254).mid(1, 2), bytes({0xFF, 0x00}));   // block 255
    QCOMPARE(raw.at(255).mid(1, 2), bytes({0x00, 0xFF}));   // then block 0
    QCOMPARE(raw.at(256).mid(1, 2), bytes({0x01, 0xFE}));
    QCOMPARE(parsePacket(raw.at(257)).header, 0x01);

    // A NAK on the wrapped block resends it unchanged.
    ScriptedSender t;
    t.file = QByteArray(256 * 1024 + 1, 'v');
    QList<QByteArray> sentBlocks;
    t.step();
    t.step("C");
    QByteArray out = t.step(bytes({0x06}));
    while (parsePacket(out).number != 0) {
        out = t.step(bytes({0x06}));
        QVERIFY(out.size() > 1);
    }
    QCOMPARE(t.step(bytes({0x15})), out);
}

void TestYmodemEngine::emptyFile()
{
    ScriptedSender s;
    s.header = QByteArray("empty\0" "0\0", 8);
    s.step();
    const QByteArray block0 = s.step("C");
    QCOMPARE(block0.mid(3, 8), s.header);
    QCOMPARE(s.step(bytes({0x06})), bytes({0x04}));   // EOT directly after block 0
    QCOMPARE(s.currentStage(), Ymodem::StageFinishing);
    QCOMPARE(s.step(bytes({0x06})), QByteArray());
    QCOMPARE(s.step("C"), bytes({0x01, 0x00, 0xFF}) + QByteArray(130, '\0'));
    s.step(bytes({0x06}));
    QCOMPARE(s.statuses, (QList<Ymodem::Status>{Ymodem::StatusEstablish, Ymodem::StatusTransmit,
                                                 Ymodem::StatusFinish}));

    // The receiver's 'C' after its ACK of block 0 is still pending when EOT
    // goes out; it must not trigger the end-of-batch block, or the ACK of EOT
    // would be taken for the final ACK.
    ScriptedSender t;
    t.header = s.header;
    t.step();
    t.step("C");
    QCOMPARE(t.step(bytes({0x06}) + "C"), bytes({0x04}));
    QVERIFY(t.step().isEmpty());                       // stale 'C': idle
    QCOMPARE(t.currentStage(), Ymodem::StageFinishing);
    QCOMPARE(t.step(bytes({0x15})), bytes({0x04}));   // NAK to EOT
    QVERIFY(t.step(bytes({0x06})).isEmpty());          // ACK to EOT
    QCOMPARE(t.step("C").size(), 133);                 // now the end-of-batch block
    QCOMPARE(t.currentStage(), Ymodem::StageFinished);
    t.step(bytes({0x06}));
    QCOMPARE(t.statuses.last(), Ymodem::StatusFinish);

    // A receiver answering EOT with 'C' alone (no 'C' after block 0) costs
    // one request: its repeated 'C' gets the end-of-batch block.
    ScriptedSender u;
    u.header = s.header;
    u.step();
    u.step("C");
    u.step(bytes({0x06}));
    QVERIFY(u.step("C").isEmpty());
    QCOMPARE(u.step("C").size(), 133);

    // Files with data are unaffected: 'C' right after EOT ends the batch.
    ScriptedSender v;
    v.file = QByteArray(10, 'v');
    runToEnd(v);
    QCOMPARE(v.step("C").size(), 133);
}

void TestYmodemEngine::eotAnswers()
{
    ScriptedSender s(499, 5, 3);
    s.file = QByteArray(10, 'e');
    runToEnd(s);
    QCOMPARE(s.currentStage(), Ymodem::StageFinishing);
    // Many NAKs to EOT: each resends EOT and none counts as an error.
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(s.step(bytes({0x15})), bytes({0x04}));
        QCOMPARE(s.errors(), 0u);
    }
    // ACKs are idle polls; the EOT is resent when an interval passes.
    for (int i = 1; i < 500; ++i)
        QVERIFY(s.step(bytes({0x06})).isEmpty());
    QCOMPARE(s.step(), bytes({0x04}));
    QCOMPARE(s.currentStage(), Ymodem::StageFinishing);
    QCOMPARE(s.step("C").size(), 133);
    QCOMPARE(s.currentStage(), Ymodem::StageFinished);
}

void TestYmodemEngine::cStormWhileWaitingForHeaderAck()
{
    ScriptedSender s;
    s.file = QByteArray(10, 'c');
    establish(s);
    // Repeated 'C's are skipped one per step, each counted as an error; the
    // ACK behind them is kept and answered with block 1. Nothing is resent.
    s.input = QByteArray("CC") + bytes({0x06}) + "C";
    QVERIFY(s.step().isEmpty());
    QVERIFY(s.step().isEmpty());
    QCOMPARE(s.errors(), 2u);
    QCOMPARE(s.currentStage(), Ymodem::StageEstablished);
    const Packet first = parsePacket(s.step());
    QCOMPARE(first.number, 1);
    QCOMPARE(s.currentStage(), Ymodem::StageTransmitting);
    QCOMPARE(s.input, QByteArray("C"));
    QCOMPARE(s.readAllCalls, 0);

    // An endless stream of them still ends the transfer at the error limit.
    ScriptedSender storm;
    storm.file = QByteArray(10, 'c');
    establish(storm);
    for (int i = 1; i <= 999; ++i)
        QVERIFY(storm.step("C").isEmpty());
    QCOMPARE(storm.errors(), 999u);
    QCOMPARE(storm.currentStage(), Ymodem::StageEstablished);
    QCOMPARE(storm.step("C"), Cancel5);   // the 1000th
    QCOMPARE(storm.currentStage(), Ymodem::StageNone);
    QCOMPARE(storm.statuses.last(), Ymodem::StatusError);
    QCOMPARE(storm.readAllCalls, 0);
}

void TestYmodemEngine::nakStormPastErrorMax()
{
    ScriptedSender s;
    s.file = QByteArray(3000, 'n');
    establish(s);
    QTest::ignoreMessage(QtDebugMsg, "transmitStageEstablished CodeAck");
    const QByteArray block1 = s.step(bytes({0x06}));
    const QByteArray block2 = s.step(bytes({0x06}));
    for (int i = 1; i <= 999; ++i)
        QCOMPARE(s.step(bytes({0x15})), block2);
    QCOMPARE(s.errors(), 999u);
    QCOMPARE(s.step(bytes({0x15})), Cancel5);
    QCOMPARE(s.statuses.last(), Ymodem::StatusError);
    QCOMPARE(s.currentStage(), Ymodem::StageNone);

    // An ACK clears the error count: 999 NAKs per block never end the transfer.
    ScriptedSender t(499, 5, 2);
    t.file = QByteArray(3000, 'm');
    establish(t);
    t.step(bytes({0x06}));
    for (int block = 0; block < 2; ++block) {
        t.step(bytes({0x15}));
        t.step(bytes({0x15}));
        QCOMPARE(t.errors(), 2u);
        t.step(bytes({0x06}));
        QCOMPARE(t.errors(), 0u);
    }
    QCOMPARE(t.currentStage(), Ymodem::StageTransmitting);
}

void TestYmodemEngine::nakInFinishedAndEstablished()
{
    ScriptedSender s(499, 5, 2);
    s.file = QByteArray(5, 'f');
    const QByteArray block0 = establish(s);
    QCOMPARE(s.step(bytes({0x15})), block0);     // NAK to block 0 resends it
    QCOMPARE(s.errors(), 1u);
    QCOMPARE(s.step(bytes({0x15})), block0);
    QCOMPARE(s.step(bytes({0x15})), Cancel5);   // third NAK with errorMax 2
    QCOMPARE(s.statuses.last(), Ymodem::StatusError);

    ScriptedSender t(499, 5, 2);
    t.file = QByteArray(5, 'f');
    runToEnd(t);
    t.step(bytes({0x06}));
    const QByteArray endBlock = t.step("C");
    QCOMPARE(t.step(bytes({0x15})), endBlock);
    QCOMPARE(t.step("C"), endBlock);
    QCOMPARE(t.step(bytes({0x15})), Cancel5);
    QCOMPARE(t.statuses.last(), Ymodem::StatusError);
}

void TestYmodemEngine::silenceWhileEstablishing()
{
    ScriptedSender s;
    s.step();
    for (int i = 1; i < 3000; ++i)
        QVERIFY2(s.step().isEmpty(), qPrintable(QString("poll %1").arg(i)));
    QVERIFY(s.statuses.isEmpty());
    QCOMPARE(s.step(), Cancel5);
    QCOMPARE(s.statuses, QList<Ymodem::Status>{Ymodem::StatusTimeout});
    QCOMPARE(s.currentStage(), Ymodem::StageNone);
    QCOMPARE(s.idles(), 0u);
    // ACK and NAK before the first 'C' are idle polls too.
    ScriptedSender t(9, 0, 5);
    t.step();
    for (int i = 1; i < 10; ++i)
        QVERIFY(t.step(bytes({i % 2 ? 0x06 : 0x15})).isEmpty());
    QCOMPARE(t.step(bytes({0x06})), Cancel5);
    QCOMPARE(t.statuses, QList<Ymodem::Status>{Ymodem::StatusTimeout});
}

void TestYmodemEngine::silenceAfterStart_data()
{
    QTest::addColumn<int>("stage");
    QTest::newRow("waiting for block 0 ACK") << int(Ymodem::StageEstablished);
    QTest::newRow("waiting for data ACK") << int(Ymodem::StageTransmitting);
    QTest::newRow("waiting for EOT answer") << int(Ymodem::StageFinishing);
    QTest::newRow("waiting for end-of-batch ACK") << int(Ymodem::StageFinished);
}

void TestYmodemEngine::silenceAfterStart()
{
    QFETCH(int, stage);
    ScriptedSender s;
    s.file = QByteArray(100, 's');
    s.step();
    QByteArray last = s.step("C");
    if (stage >= Ymodem::StageTransmitting) {
        QTest::ignoreMessage(QtDebugMsg, "transmitStageEstablished CodeAck");
        last = s.step(bytes({0x06}));
    }
    if (stage >= Ymodem::StageFinishing)
        last = s.step(bytes({0x06}));
    if (stage >= Ymodem::StageFinished)
        last = s.step("C");
    QCOMPARE(int(s.currentStage()), stage);

    int resends = 0;
    for (int i = 1; i < 3000; ++i) {
        const QByteArray out = s.step();
        if (i % 500 == 0) {
            QCOMPARE(out, last);
            ++resends;
        } else {
            QVERIFY(out.isEmpty());
        }
    }
    QCOMPARE(resends, 5);
    QCOMPARE(s.step(), Cancel5);
    QCOMPARE(s.statuses.last(), Ymodem::StatusError);
    QCOMPARE(s.currentStage(), Ymodem::StageNone);
}

void TestYmodemEngine::abortLetters_data()
{
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("letter");
    const int letters[] = {0x18, 'A', 'a'};
    for (int st = Ymodem::StageEstablishing; st <= Ymodem::StageFinished; ++st)
        for (int letter : letters)
            QTest::addRow("stage %d letter 0x%02x", st, letter) << st << letter;
}

void TestYmodemEngine::abortLetters()
{
    QFETCH(int, stage);
    QFETCH(int, letter);
    ScriptedSender s;
    s.file = QByteArray(100, 'a');
    s.step();
    if (stage >= Ymodem::StageEstablished)
        s.step("C");
    if (stage >= Ymodem::StageTransmitting) {
        QTest::ignoreMessage(QtDebugMsg, "transmitStageEstablished CodeAck");
        s.step(bytes({0x06}));
    }
    if (stage >= Ymodem::StageFinishing)
        s.step(bytes({0x06}));
    if (stage >= Ymodem::StageFinished)
        s.step("C");
    QCOMPARE(int(s.currentStage()), stage);
    const int callbacks = s.statuses.size();
    QVERIFY(s.step(bytes({letter})).isEmpty());   // nothing is sent on abort
    QCOMPARE(s.statuses.size(), callbacks + 1);
    QCOMPARE(s.statuses.last(), Ymodem::StatusAbort);
    QCOMPARE(s.currentStage(), Ymodem::StageNone);
    QCOMPARE(s.idles(), 0u);
    QCOMPARE(s.errors(), 0u);
    QCOMPARE(int(s.blockNumber()), 0);
}

void TestYmodemEngine::refusals()
{
    // Block 0 refused: cancel, no status.
    ScriptedSender s;
    s.establishAnswer = Ymodem::CodeNak;
    s.step();
    QCOMPARE(s.step("C"), Cancel5);
    QCOMPARE(s.statuses, QList<Ymodem::Status>{Ymodem::StatusEstablish});
    QCOMPARE(s.currentStage(), Ymodem::StageNone);

    // First data block refused.
    ScriptedSender t;
    t.file = QByteArray(2000, 't');
    t.refuseAtBlock = 1;
    establish(t);
    QCOMPARE(t.step(bytes({0x06})), Cancel5);
    QCOMPARE(t.currentStage(), Ymodem::StageNone);
    QCOMPARE(t.statuses.last(), Ymodem::StatusTransmit);

    // A later data block refused.
    ScriptedSender u;
    u.file = QByteArray(5000, 'u');
    u.refuseAtBlock = 3;
    establish(u);
    QTest::ignoreMessage(QtDebugMsg, "transmitStageEstablished CodeAck");
    u.step(bytes({0x06}));
    u.step(bytes({0x06}));
    QCOMPARE(u.step(bytes({0x06})), Cancel5);
    QCOMPARE(u.currentStage(), Ymodem::StageNone);
    QCOMPARE(int(u.blockNumber()), 0);
}

// Lengths other than 128 (block 0) or 128/1024 (data) would produce packets no
// receiver accepts, or overrun the buffer; they refuse the transfer.
void TestYmodemEngine::badLengthsAreRefused()
{
    ScriptedSender s;
    s.forcedLength = 1024;
    s.step();
    QCOMPARE(s.step("C"), Cancel5);
    QCOMPARE(s.currentStage(), Ymodem::StageNone);

    for (uint32_t bad : {0u, 300u, 1025u, 100000u}) {
        ScriptedSender t;
        t.file = QByteArray(2000, 'b');
        establish(t);
        t.forcedLength = bad;
        QCOMPARE(t.step(bytes({0x06})), Cancel5);
        QCOMPARE(t.currentStage(), Ymodem::StageNone);
    }
}

void TestYmodemEngine::incomingPacketsCountAsIdle()
{
    ScriptedSender s(2, 5, 5);
    s.file = QByteArray(100, 'i');
    s.step();
    // A complete 128-byte block arriving at once: one idle poll.
    QByteArray incoming = bytes({0x01, 0x00, 0xFF}) + QByteArray(130, 'x');
    QVERIFY(s.step(incoming).isEmpty());
    QCOMPARE(s.idles(), 1u);
    QCOMPARE(s.rx(), 0);
    // A 1024-byte block arriving in pieces, with a 'C' right behind it: the
    // 'C' is only seen once the block is complete.
    QByteArray big = bytes({0x02, 0x01, 0xFE}) + QByteArray(1026, 'y');
    QVERIFY(s.step(big.left(1)).isEmpty());
    QCOMPARE(s.rx(), 2);
    QVERIFY(s.step(big.mid(1, 500)).isEmpty());
    QCOMPARE(s.rx(), 2);
    QVERIFY(s.step(big.mid(501, 400)).isEmpty());
    s.input.append(big.mid(901));
    s.input.append('C');
    QVERIFY(s.step().isEmpty());
    QCOMPARE(s.rx(), 0);
    QCOMPARE(s.input, QByteArray("C"));
    QCOMPARE(s.step().size(), 133);
    QCOMPARE(s.currentStage(), Ymodem::StageEstablished);
    // A partial packet then silence: each step is idle and the transfer ends on time.
    s.input = bytes({0x01, 0x02});
    int steps = 0;
    while (s.currentStage() != Ymodem::StageNone && steps < 100) {
        s.step();
        ++steps;
    }
    QCOMPARE(s.statuses.last(), Ymodem::StatusError);
    QCOMPARE(steps, 18);   // (timeDivide + 1) * (timeMax + 1)
}

void TestYmodemEngine::nextTransferAfterEnd()
{
    ScriptedSender s(1, 1, 1);
    s.step();
    s.step();
    s.step();
    s.step();
    QCOMPARE(s.step(), Cancel5);   // fourth idle poll: timeout
    QCOMPARE(s.statuses.last(), Ymodem::StatusTimeout);
    // The limits persist and the next step starts a new transfer.
    s.file = QByteArray(10, 'n');
    s.sent = 0;
    s.statuses.clear();
    QVERIFY(s.step().isEmpty());
    QCOMPARE(s.currentStage(), Ymodem::StageEstablishing);
    QCOMPARE(s.step("C").size(), 133);
    s.step(bytes({0x06}));
    s.step(bytes({0x06}));
    s.step("C");
    s.step(bytes({0x06}));
    QCOMPARE(s.statuses.last(), Ymodem::StatusFinish);
    QCOMPARE(s.currentStage(), Ymodem::StageNone);
}

void TestYmodemEngine::resendIntervalWithSmallLimits()
{
    ScriptedSender s;
    s.setTimeDivide(3);
    s.setTimeMax(2);
    s.setErrorMax(0);
    s.file = QByteArray(10, 'r');
    const QByteArray block0 = establish(s);
    QString pattern;
    for (int i = 0; i < 12; ++i)
        pattern += s.step().isEmpty() ? '.' : (s.writes.last() == block0 ? 'R' : 'X');
    // Resent at polls 4 and 8, cancelled at poll 12.
    QCOMPARE(pattern, QString("...R...R...X"));
    QCOMPARE(s.statuses.last(), Ymodem::StatusError);
    // errorMax 0: the first NAK already ends the transfer.
    establish(s);
    QCOMPARE(s.step(bytes({0x15})), Cancel5);
}

QTEST_GUILESS_MAIN(TestYmodemEngine)
#include "tst_ymodem_engine.moc"

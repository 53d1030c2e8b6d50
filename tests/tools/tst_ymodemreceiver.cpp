#include "tools/rambakey-sim/YmodemReceiver.h"

#include <QtTest>

// The simulated firmware loader's YMODEM receiver, driven by a scripted sender.
namespace {

const QByteArray ACK_C("\x06" "C", 2);
const QByteArray ACK("\x06", 1);
const QByteArray NAK("\x15", 1);
const QByteArray CANCEL(5, '\x18');

QByteArray packet(quint8 number, const QByteArray &data)
{
    const int size = data.size() <= 128 ? 128 : 1024;
    QByteArray payload = data;
    payload.append(QByteArray(size - data.size(), number <= 1 ? '\0' : '\x1A'));
    const quint16 crc = YmodemReceiver::crc16(payload.constData(), payload.size());
    QByteArray p;
    p.append(char(size == 128 ? 0x01 : 0x02));
    p.append(char(number));
    p.append(char(255 - number));
    p.append(payload);
    p.append(char(crc >> 8));
    p.append(char(crc & 0xFF));
    return p;
}

QByteArray header(const QByteArray &name, qint64 size)
{
    return packet(0, name + '\0' + QByteArray::number(size) + '\0');
}

QByteArray image(int size)
{
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 31 + 7) & 0xFF);
    return data;
}

// Sends `data` the way the editor's sender does and checks every answer.
void sendWhole(YmodemReceiver &receiver, const QByteArray &name, const QByteArray &data, int blockSize)
{
    QCOMPARE(receiver.feed(header(name, data.size())), ACK_C);
    quint8 number = 1;
    for (int at = 0; at < data.size(); at += blockSize, ++number)
        QCOMPARE(receiver.feed(packet(number, data.mid(at, blockSize))), ACK);
    QCOMPARE(receiver.feed("\x04"), NAK);
    QCOMPARE(receiver.feed("\x04"), ACK_C);
    QCOMPARE(receiver.feed(packet(0, QByteArray())), ACK);
}

} // namespace

class TstYmodemReceiver : public QObject
{
    Q_OBJECT

private slots:
    void crcIsXmodem()
    {
        QCOMPARE(YmodemReceiver::crc16("123456789", 9), quint16(0x31C3));
        QCOMPARE(YmodemReceiver::crc16(QByteArray(128, '\0').constData(), 128), quint16(0));
    }

    void wholeTransfer_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("blockSize");
        QTest::newRow("one short block") << 128 << 128;
        QTest::newRow("padded 1k block") << 129 << 1024;
        QTest::newRow("1k then 128") << 1025 << 1024;
        QTest::newRow("block numbers wrap") << 300 * 128 << 128;
    }
    void wholeTransfer()
    {
        QFETCH(int, size);
        QFETCH(int, blockSize);
        YmodemReceiver receiver;
        QCOMPARE(receiver.tick(), QByteArray("C"));
        const QByteArray data = image(size);
        if (size <= 1025) {
            sendWhole(receiver, "fw.bin", data, blockSize);
        } else {
            // 300 blocks of 128: numbers go 1..255, 0, 1..44.
            QCOMPARE(receiver.feed(header("fw.bin", size)), ACK_C);
            for (int i = 0; i < 300; ++i)
                QCOMPARE(receiver.feed(packet(quint8(i + 1), data.mid(i * 128, 128))), ACK);
            QCOMPARE(receiver.feed("\x04"), NAK);
            QCOMPARE(receiver.feed("\x04"), ACK_C);
            QCOMPARE(receiver.feed(packet(0, QByteArray())), ACK);
        }
        QCOMPARE(receiver.state(), YmodemReceiver::State::Done);
        QCOMPARE(receiver.fileName(), QString("fw.bin"));
        QCOMPARE(receiver.fileData().size(), size);
        QCOMPARE(receiver.fileData(), data);
    }

    void bytesMayArriveOneByOne()
    {
        YmodemReceiver receiver;
        const QByteArray data = image(2000);
        QByteArray stream = header("a.bin", data.size()) + packet(1, data.left(1024))
                            + packet(2, data.mid(1024));
        QByteArray answers;
        for (const char c : stream)
            answers += receiver.feed(QByteArray(1, c));
        QCOMPARE(answers, ACK_C + ACK + ACK);
        QCOMPARE(receiver.feed("\x04"), NAK);
    }

    void damagedAndRepeatedBlocks()
    {
        YmodemReceiver receiver;
        QByteArray broken = header("fw.bin", 300);
        broken[10] = 'x';
        QCOMPARE(receiver.feed(broken), NAK);
        QCOMPARE(receiver.state(), YmodemReceiver::State::WaitHeader);
        QCOMPARE(receiver.feed(header("fw.bin", 300)), ACK_C);
        // Block 0 again: our answer was lost.
        QCOMPARE(receiver.feed(header("fw.bin", 300)), ACK_C);
        const QByteArray data = image(300);
        QByteArray badComplement = packet(1, data.left(128));
        badComplement[2] = 0;
        QCOMPARE(receiver.feed(badComplement), NAK);
        QCOMPARE(receiver.feed(packet(1, data.left(128))), ACK);
        QCOMPARE(receiver.feed(packet(1, data.left(128))), ACK); // repeated: not stored twice
        QCOMPARE(receiver.feed(packet(2, data.mid(128, 128))), ACK);
        QCOMPARE(receiver.feed(packet(3, data.mid(256))), ACK);
        QCOMPARE(receiver.feed("\x04"), NAK);
        QCOMPARE(receiver.feed("\x04"), ACK_C);
        QCOMPARE(receiver.feed("\x04"), ACK_C); // our ACK lost: asked again
        QCOMPARE(receiver.feed(packet(0, QByteArray())), ACK);
        QCOMPARE(receiver.fileData(), data);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("error");
        QTest::newRow("path in name") << header("../evil", 10) << CANCEL << "unsafe file name \"../evil\"";
        QTest::newRow("absolute") << header("/etc/x", 10) << CANCEL << "unsafe file name \"/etc/x\"";
        QTest::newRow("too large") << header("fw.bin", YmodemReceiver::kMaxFileSize + 1) << CANCEL
                                   << "file of 67108865 bytes is too large";
        QTest::newRow("data first") << packet(1, "abc") << CANCEL << "data block 1 before the file header";
        QTest::newRow("out of sequence") << header("fw.bin", 500) + packet(2, "abc") << ACK_C + CANCEL
                                         << "block 2 where 1 was due";
        QTest::newRow("cancelled") << header("fw.bin", 500) + QByteArray(2, '\x18') << ACK_C
                                   << "cancelled by the sender";
        QTest::newRow("no file") << packet(0, QByteArray()) << ACK << "the batch held no file";
        QTest::newRow("short file") << header("fw.bin", 500) + packet(1, "abc") + "\x04\x04"
                                    << ACK_C + ACK + NAK + ACK << "128 bytes received of 500 announced";
    }
    void refusals()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, answer);
        QFETCH(QString, error);
        YmodemReceiver receiver;
        QCOMPARE(receiver.feed(stream).toHex(), answer.toHex());
        QCOMPARE(receiver.state(), YmodemReceiver::State::Failed);
        QCOMPARE(receiver.error(), error);
        QVERIFY(receiver.feed(header("fw.bin", 10)).isEmpty()); // over
        QVERIFY(receiver.tick().isEmpty());
    }

    void emptyFileWithTheEarlyEndOfBatch()
    {
        // A sender that takes the 'C' after block 0 as the call for the end of
        // the batch sends it right after its EOT.
        YmodemReceiver receiver;
        QCOMPARE(receiver.feed(header("empty.bin", 0)), ACK_C);
        QCOMPARE(receiver.feed("\x04"), NAK);
        QCOMPARE(receiver.feed(packet(0, QByteArray())), ACK);
        QCOMPARE(receiver.state(), YmodemReceiver::State::Done);
        QVERIFY(receiver.fileData().isEmpty());
    }

    void silence()
    {
        YmodemReceiver receiver;
        for (int i = 0; i < 100; ++i)
            QCOMPARE(receiver.tick(), QByteArray("C")); // waits for the editor as long as it takes
        QCOMPARE(receiver.feed(header("fw.bin", 200)), ACK_C);
        QByteArray answers;
        for (int i = 1; i < YmodemReceiver::kSilentTicksToFail; ++i)
            answers += receiver.tick();
        QCOMPARE(answers, QByteArray(9, '\x15')); // a NAK every 3 silent seconds
        QCOMPARE(receiver.state(), YmodemReceiver::State::WaitData);
        QCOMPARE(receiver.tick(), CANCEL);
        QCOMPARE(receiver.state(), YmodemReceiver::State::Failed);
        QCOMPARE(receiver.error(), QString("the sender went silent"));
    }
};

QTEST_GUILESS_MAIN(TstYmodemReceiver)
#include "tst_ymodemreceiver.moc"

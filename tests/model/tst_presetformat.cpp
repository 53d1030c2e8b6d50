// The bytes of a preset file: what is written for a block, and what is
// accepted as a preset (and why not).

#include "model/DataManagement.h"
#include "model/PresetFormat.h"

#include <QDataStream>
#include <QtTest>

namespace {

QByteArray defaultBlock()
{
    DataManagement store;
    store.initDefaultData();
    return QByteArray(store.blockData(), DataManagement::BlockSize);
}

// Any byte array as the data stream writes it: length, then the bytes.
QByteArray streamed(const QByteArray &bytes)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setVersion(17);
    s.writeBytes(bytes.constData(), uint(bytes.size()));
    return out;
}

} // namespace

class TestPresetFormat : public QObject
{
    Q_OBJECT

private slots:
    void encode_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<int>("repaired");
        const QByteArray good = defaultBlock();
        QTest::newRow("well-formed block as it is") << good << good << 0;
        QByteArray received = good;
        received[1] = 0x03; // the keyboard's own command byte is kept
        received[2] = 0x40;
        QTest::newRow("header of a received configuration") << received << received << 0;
        QByteArray damaged = good;
        damaged[0] = 0x00;
        damaged[10] = char(0xC8);  // a field holding 200
        damaged[199] = char(0xF7); // the end of a short reply
        QByteArray fixed = good;
        fixed[10] = char(0x7F);
        fixed[199] = char(0x7F);
        QTest::newRow("damaged block written well-formed") << damaged << fixed << 3;
    }
    void encode()
    {
        QFETCH(QByteArray, block);
        QFETCH(QByteArray, written);
        QFETCH(int, repaired);
        int count = -1;
        const QByteArray content = PresetFormat::encode(block.constData(), &count);
        QCOMPARE(content.size(), PresetFormat::kFileSize);
        QCOMPARE(content.left(4).toHex(), QByteArray("000000f5"));
        QCOMPARE(content.mid(4).toHex(), written.toHex());
        QCOMPARE(count, repaired);
        // Whatever was written opens again, to the same block.
        const PresetFormat::Decoded back = PresetFormat::decode(content);
        QVERIFY2(back.ok(), qPrintable(back.reason()));
        QCOMPARE(back.block, written);
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("problem");
        const int size = int(PresetFormat::Problem::WrongSize);
        const int length = int(PresetFormat::Problem::WrongLength);
        const int message = int(PresetFormat::Problem::NotAMessage);
        const QByteArray good = defaultBlock();

        QTest::newRow("good") << streamed(good) << int(PresetFormat::Problem::None);

        // size
        QTest::newRow("size: empty") << QByteArray() << size;
        QTest::newRow("size: length field only") << QByteArray::fromHex("000000F5") << size;
        QTest::newRow("size: one byte short") << streamed(good).left(248) << size;
        QTest::newRow("size: one byte extra") << streamed(good) + char(0) << size;
        QTest::newRow("size: long block") << streamed(good + good) << size;
        QTest::newRow("size: text file") << QByteArray("not a preset at all\n").repeated(13) << size;

        // length field
        QTest::newRow("length: 244, same size") << QByteArray::fromHex("000000F4") + good << length;
        QTest::newRow("length: 246, block cut") << streamed(good + char(0)).left(249) << length;
        QTest::newRow("length: 0xFFFFFFFF") << QByteArray::fromHex("FFFFFFFF") + good << length;
        QTest::newRow("length: little-endian") << QByteArray::fromHex("F5000000") + good << length;
        QTest::newRow("length: text of the right size")
            << QByteArray("not a preset at all\n").repeated(13).left(249) << length;

        // the block
        QByteArray noStart = good;
        noStart[0] = 0x00;
        QTest::newRow("block: no 0xF0") << streamed(noStart) << message;
        QByteArray noEnd = good;
        noEnd[244] = 0x7F;
        QTest::newRow("block: no 0xF7") << streamed(noEnd) << message;
        QByteArray status = good;
        status[100] = char(0x90);
        QTest::newRow("block: status byte inside") << streamed(status) << message;
        QByteArray earlyEnd = good;
        earlyEnd[1] = char(0xF7);
        QTest::newRow("block: 0xF7 as command byte") << streamed(earlyEnd) << message;
    }
    void decode()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, problem);
        const PresetFormat::Decoded decoded = PresetFormat::decode(content);
        QCOMPARE(int(decoded.problem), problem);
        if (decoded.ok()) {
            QCOMPARE(decoded.block, content.mid(4));
            QVERIFY(decoded.reason().isEmpty());
        } else {
            QVERIFY(decoded.block.isEmpty());
            QVERIFY(!decoded.reason().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestPresetFormat)
#include "tst_presetformat.moc"

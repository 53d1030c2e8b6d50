// .syx dumps: what is accepted as a configuration, what is refused, and that
// a written dump is exactly the configuration write.

#include "midi/Sysex.h"
#include "model/SyxFormat.h"

#include <QtTest>

namespace {

// A configuration message with distinct data bytes.
QByteArray message(uchar command)
{
    QByteArray m(Sysex::kBlockSize, '\0');
    m[0] = char(0xF0);
    m[1] = char(command);
    for (int i = 2; i < Sysex::kBlockSize - 1; ++i)
        m[i] = char(i % 0x80);
    m[Sysex::kBlockSize - 1] = char(0xF7);
    return m;
}

QByteArray with(QByteArray bytes, int offset, uchar value)
{
    bytes[offset] = char(value);
    return bytes;
}

} // namespace

class TstSyxFormat : public QObject
{
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        const QByteArray good = message(0x01);

        // What a librarian or amidi -r gives back.
        QTest::newRow("configuration write") << good << true;
        QTest::newRow("keyboard's reply") << message(0x02) << true;
        // Lengths.
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("one byte short") << good.left(Sysex::kBlockSize - 1) << false;
        QTest::newRow("trailing byte") << good + '\n' << false;
        QTest::newRow("two messages glued") << good + good << false;
        QTest::newRow("a .stm preset") << QByteArray::fromHex("000000f5") + good << false;
        // Framing and content.
        QTest::newRow("no F0") << with(good, 0, 0x00) << false;
        QTest::newRow("no F7") << with(good, Sysex::kBlockSize - 1, 0x7F) << false;
        QTest::newRow("status byte inside") << with(good, 100, 0xF7) << false;
        QTest::newRow("high byte in the header") << with(good, 3, 0x80) << false;
        QTest::newRow("serial-number command") << message(0x04) << false;
        QTest::newRow("firmware-entry command") << message(0x05) << false;
    }

    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        QString reason = QStringLiteral("unchanged");
        const QByteArray block = SyxFormat::decode(bytes, &reason);
        QCOMPARE(!block.isEmpty(), accepted);
        if (accepted) {
            QCOMPARE(block, bytes);
            QVERIFY(reason.isEmpty());
        } else {
            QVERIFY(!reason.isEmpty() && reason != QLatin1String("unchanged"));
        }
    }

    // Written from a block as the store holds it after a GET (reply command
    // 0x02): the bytes are the configuration write, and read back the same.
    void writeIsTheConfigurationWrite()
    {
        const QByteArray block = message(0x02);
        const QByteArray file = SyxFormat::encode(block.constData());
        QCOMPARE(file, Sysex::configurationWrite(block.constData()));
        QCOMPARE(uchar(file.at(1)), uchar(0x01));
        QCOMPARE(file.mid(2), block.mid(2));
        QCOMPARE(SyxFormat::decode(file), file);
    }

    void names_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("syx");
        QTest::newRow("syx") << "set.syx" << true;
        QTest::newRow("upper case") << "/tmp/SET.SYX" << true;
        QTest::newRow("stm") << "set.stm" << false;
        QTest::newRow("no extension") << "syx" << false;
        QTest::newRow("syx folder") << "a.syx/set.stm" << false;
    }

    void names()
    {
        QFETCH(QString, path);
        QFETCH(bool, syx);
        QCOMPARE(SyxFormat::isSyxName(path), syx);
    }
};

QTEST_GUILESS_MAIN(TstSyxFormat)
#include "tst_syxformat.moc"

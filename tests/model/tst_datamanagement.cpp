#include "model/DataManagement.h"

#include <QByteArray>
#include <QSignalSpy>
#include <QStringList>
#include <QtTest>

#include <cstring>
#include <limits>

namespace {

QStringList *g_lines = nullptr;
QtMessageHandler g_previous = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    if (g_lines && type == QtDebugMsg)
        g_lines->append(msg);
    else if (g_previous)
        g_previous(type, context, msg);
}

QByteArray block(const DataManagement &dm)
{
    return QByteArray(dm.blockData(), DataManagement::BlockSize);
}

// The factory block written out byte by byte, header included.
QByteArray factoryBlock()
{
    QByteArray b;
    b.append("\xF0\x01\x00\x01\x00\x00\x00\x20\x6F", 9);
    for (int i = 0; i < 16; ++i) {
        const char pad[] = {0x00, char(0x44 + i), 0x05, 0x00, 0x7F, 0x32, 0x00};
        b.append(pad, 7);
    }
    for (int i = 0; i < 16; ++i) {
        const char knob[] = {0x00, char(0x0E + i), 0x7F, 0x00, 0x05};
        b.append(knob, 5);
    }
    b.append("\x01\x14\x05", 3);
    b.append("\x00\x42\x00\x7F\x05", 5);
    for (int i = 0; i < 6; ++i) {
        const char wb[] = {0x00, char(0x15 + i), 0x00, 0x05};
        b.append(wb, 4);
    }
    b.append("\x7D\x00\x01\x01\x01\x01", 6);
    b.append("\x01\x01\x01\x01\x01", 5);
    b.append('\xF7');
    return b;
}

int padData(DataManagement &dm, int i)
{
    return dm.getPadInfo(i).value("padData").toInt();
}

// Offsets at which two blocks differ.
QList<int> diff(const QByteArray &a, const QByteArray &b)
{
    QList<int> out;
    for (int i = 0; i < DataManagement::BlockSize; ++i) {
        if (a.at(i) != b.at(i))
            out << i;
    }
    return out;
}

} // namespace

class TestDataManagement : public QObject
{
    Q_OBJECT

private:
    QStringList m_lines;

private slots:
    void init()
    {
        m_lines.clear();
        g_lines = &m_lines;
        g_previous = qInstallMessageHandler(captureMessage);
    }
    void cleanup()
    {
        qInstallMessageHandler(g_previous);
        g_lines = nullptr;
    }

    void defaultBlock()
    {
        const QByteArray expected = factoryBlock();
        QCOMPARE(expected.size(), DataManagement::BlockSize);

        DataManagement dm;
        QCOMPARE(block(dm), expected);
        QCOMPARE(dm.blockData()[0], char(0xF0));

        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        dm.initDefaultData();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(block(dm), expected);
    }

    void startupReadsAndVersion()
    {
        DataManagement dm;
        QVariantMap pad = dm.getPadInfo(0);
        QCOMPARE(pad.size(), 7);
        QCOMPARE(pad.value("padtype").toInt(), 0);
        QCOMPARE(pad.value("padData").toInt(), 68);
        QCOMPARE(pad.value("padCh").toInt(), 5);
        QCOMPARE(pad.value("padMode").toInt(), 0);
        QCOMPARE(pad.value("padR").toInt(), 127);
        QCOMPARE(pad.value("padG").toInt(), 50);
        QCOMPARE(pad.value("padB").toInt(), 0);
        QCOMPARE(dm.getVerInfo(), (QVariantList{1, 0, 0}));

        QCOMPARE(dm.getKnobInfo(15).value("knboData").toInt(), 29);
        QCOMPARE(dm.getWalkingBeltInfo(5).value("wbData").toInt(), 26);
        QVariantMap arp = dm.getARPInfo();
        QCOMPARE(arp.value("tempo1").toInt() + arp.value("tempo2").toInt() + 30, 155);
    }

    void restoreDefaultsKeepsHeader()
    {
        DataManagement dm;
        QByteArray received(DataManagement::BlockSize, char(0x33));
        const char header[] = {char(0xF0), 0x01, 0x3C, 0x02, 0x05, 0x07, 0x00, 0x20, 0x6F};
        std::memcpy(received.data(), header, sizeof header);
        received[244] = char(0xF7);
        dm.setBlockData(received.constData(), received.size());
        QCOMPARE(dm.getVerInfo(), (QVariantList{2, 5, 7}));

        dm.initDefaultData();
        QByteArray expected = factoryBlock();
        std::memcpy(expected.data(), header, sizeof header);
        QCOMPARE(block(dm), expected);

        // The end byte is left as it was, too.
        received[244] = 0x11;
        dm.setBlockData(received.constData(), received.size());
        dm.initDefaultData();
        QCOMPARE(block(dm).at(244), char(0x11));
    }

    void getKeySets()
    {
        DataManagement dm;
        auto keys = [](const QVariantMap &m) {
            QStringList k = m.keys();
            k.sort();
            return k;
        };
        auto sorted = [](QStringList k) {
            k.sort();
            return k;
        };
        QCOMPARE(keys(dm.getPadInfo(15)),
                 sorted({"padtype", "padData", "padCh", "padMode", "padR", "padG", "padB"}));
        QCOMPARE(keys(dm.getKnobInfo(0)),
                 sorted({"knboType", "knboData", "knboMax", "knboMin", "knboCh"}));
        QCOMPARE(keys(dm.getPitchInfo()), sorted({"selfReturn", "returnTime", "pitchCh"}));
        QCOMPARE(keys(dm.getModInfo()),
                 sorted({"modType", "modValue", "modMin", "modMax", "modCh"}));
        QCOMPARE(keys(dm.getWalkingBeltInfo(0)), sorted({"wbtype", "wbData", "wbMode", "wbCh"}));
        QCOMPARE(keys(dm.getARPInfo()),
                 sorted({"tempo1", "tempo2", "mode", "latch", "time", "swing"}));
        QCOMPARE(keys(dm.getFuncInfo()),
                 sorted({"strengthRange", "keyCurve", "padCurve", "sustain", "fullForceValue"}));
        for (const QVariant &v : dm.getPadInfo(3))
            QCOMPARE(v.userType(), int(QMetaType::Int));
    }

    void fieldOffsets_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("line");

        QTest::newRow("pad type") << "pad" << 0 << "padtype" << 9 << "setPadInfo  index: 0 \"padtype\" 99";
        QTest::newRow("pad data") << "pad" << 3 << "padData" << 31 << "setPadInfo  index: 3 \"padData\" 99";
        QTest::newRow("pad ch") << "pad" << 15 << "padCh" << 116 << "setPadInfo  index: 15 \"padCh\" 99";
        QTest::newRow("pad mode") << "pad" << 15 << "padMode" << 117 << "setPadInfo  index: 15 \"padMode\" 99";
        QTest::newRow("knob type") << "knob" << 0 << "knboType" << 121 << "setKnobInfo  index: 0 \"knboType\" 99";
        QTest::newRow("knob data") << "knob" << 1 << "knboData" << 127 << "setKnobInfo  index: 1 \"knboData\" 99";
        QTest::newRow("knob max") << "knob" << 0 << "knboMax" << 123 << "setKnobInfo  index: 0 \"knboMax\" 99";
        QTest::newRow("knob min") << "knob" << 0 << "knboMin" << 124 << "setKnobInfo  index: 0 \"knboMin\" 99";
        QTest::newRow("knob ch") << "knob" << 15 << "knboCh" << 200 << "setKnobInfo  index: 15 \"knboCh\" 99";
        QTest::newRow("pitch return") << "pitch" << -1 << "selfReturn" << 201 << "setPitchInfo  \"selfReturn\" 99";
        QTest::newRow("pitch time") << "pitch" << -1 << "returnTime" << 202 << "setPitchInfo  \"returnTime\" 99";
        QTest::newRow("pitch ch") << "pitch" << -1 << "pitchCh" << 203 << "setPitchInfo  \"pitchCh\" 99";
        QTest::newRow("mod type") << "mod" << -1 << "modType" << 204 << "setModInfo  \"modType\" 99";
        QTest::newRow("mod value") << "mod" << -1 << "modValue" << 205 << "setModInfo  \"modValue\" 99";
        QTest::newRow("mod min") << "mod" << -1 << "modMin" << 206 << "setModInfo  \"modMin\" 99";
        QTest::newRow("mod max") << "mod" << -1 << "modMax" << 207 << "setModInfo  \"modMax\" 99";
        QTest::newRow("mod ch") << "mod" << -1 << "modCh" << 208 << "setModInfo  \"modCh\" 99";
        QTest::newRow("wb type") << "wb" << 0 << "wbtype" << 209 << "setWalkingBeltInfo  index: 0 \"wbtype\" 99";
        QTest::newRow("wb data") << "wb" << 2 << "wbData" << 218 << "setWalkingBeltInfo  index: 2 \"wbData\" 99";
        QTest::newRow("wb mode") << "wb" << 5 << "wbMode" << 231 << "setWalkingBeltInfo  index: 5 \"wbMode\" 99";
        QTest::newRow("wb ch") << "wb" << 5 << "wbCh" << 232 << "setWalkingBeltInfo  index: 5 \"wbCh\" 99";
        QTest::newRow("arp mode") << "arp" << -1 << "mode" << 235 << "setARPInfo  \"mode\" 99";
        QTest::newRow("arp latch") << "arp" << -1 << "latch" << 236 << "setARPInfo  \"latch\" 99";
        QTest::newRow("arp time") << "arp" << -1 << "time" << 237 << "setARPInfo  \"time\" 99";
        QTest::newRow("arp swing") << "arp" << -1 << "swing" << 238 << "setARPInfo  \"swing\" 99";
        QTest::newRow("func range") << "func" << -1 << "strengthRange" << 239 << "setFuncInfo  \"strengthRange\" 99";
        QTest::newRow("func key") << "func" << -1 << "keyCurve" << 240 << "setFuncInfo  \"keyCurve\" 99";
        QTest::newRow("func pad") << "func" << -1 << "padCurve" << 241 << "setFuncInfo  \"padCurve\" 99";
        QTest::newRow("func sustain") << "func" << -1 << "sustain" << 242 << "setFuncInfo  \"sustain\" 99";
        QTest::newRow("func full") << "func" << -1 << "fullForceValue" << 243 << "setFuncInfo  \"fullForceValue\" 99";
    }

    void fieldOffsets()
    {
        QFETCH(QString, family);
        QFETCH(int, index);
        QFETCH(QString, key);
        QFETCH(int, offset);
        QFETCH(QString, line);

        DataManagement dm;
        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        const QByteArray before = block(dm);
        QVariantMap read;
        if (family == "pad") {
            dm.setPadInfo(index, key, 99);
            read = dm.getPadInfo(index);
        } else if (family == "knob") {
            dm.setKnobInfo(index, key, 99);
            read = dm.getKnobInfo(index);
        } else if (family == "pitch") {
            dm.setPitchInfo(key, 99);
            read = dm.getPitchInfo();
        } else if (family == "mod") {
            dm.setModInfo(key, 99);
            read = dm.getModInfo();
        } else if (family == "wb") {
            dm.setWalkingBeltInfo(index, key, 99);
            read = dm.getWalkingBeltInfo(index);
        } else if (family == "arp") {
            dm.setARPInfo(key, 99);
            read = dm.getARPInfo();
        } else {
            dm.setFuncInfo(key, 99);
            read = dm.getFuncInfo();
        }
        QCOMPARE(diff(before, block(dm)), QList<int>{offset});
        QCOMPARE(int(block(dm).at(offset)), 99);
        QCOMPARE(read.value(key).toInt(), 99);
        QCOMPARE(m_lines, QStringList{line});
        QCOMPARE(spy.count(), 0);
    }

    void unknownKeysStoreNothing_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("line");
        QTest::newRow("pad colour") << "pad" << "padR" << "setPadInfo  index: 3 \"padR\" 10";
        QTest::newRow("pad rgb") << "pad" << "padRGB" << "setPadInfo  index: 3 \"padRGB\" 10";
        QTest::newRow("pad case") << "pad" << "PadData" << "setPadInfo  index: 3 \"PadData\" 10";
        QTest::newRow("pad type case") << "pad" << "padType" << "setPadInfo  index: 3 \"padType\" 10";
        QTest::newRow("knob spelling") << "knob" << "knobType" << "setKnobInfo  index: 3 \"knobType\" 10";
        QTest::newRow("wb type case") << "wb" << "wbType" << "setWalkingBeltInfo  index: 3 \"wbType\" 10";
        QTest::newRow("arp part") << "arp" << "tempo1" << "setARPInfo  \"tempo1\" 10";
        QTest::newRow("arp part 2") << "arp" << "tempo2" << "setARPInfo  \"tempo2\" 10";
        QTest::newRow("arp case") << "arp" << "Tempo" << "setARPInfo  \"Tempo\" 10";
        QTest::newRow("pitch empty") << "pitch" << "" << "setPitchInfo  \"\" 10";
        QTest::newRow("mod other") << "mod" << "padData" << "setModInfo  \"padData\" 10";
        QTest::newRow("func other") << "func" << "curve" << "setFuncInfo  \"curve\" 10";
    }

    void unknownKeysStoreNothing()
    {
        QFETCH(QString, family);
        QFETCH(QString, key);
        QFETCH(QString, line);
        DataManagement dm;
        const QByteArray before = block(dm);
        if (family == "pad")
            dm.setPadInfo(3, key, 10);
        else if (family == "knob")
            dm.setKnobInfo(3, key, 10);
        else if (family == "wb")
            dm.setWalkingBeltInfo(3, key, 10);
        else if (family == "arp")
            dm.setARPInfo(key, 10);
        else if (family == "pitch")
            dm.setPitchInfo(key, 10);
        else if (family == "mod")
            dm.setModInfo(key, 10);
        else
            dm.setFuncInfo(key, 10);
        QCOMPARE(block(dm), before);
        QCOMPARE(m_lines, QStringList{line});
    }

    void indexBounds()
    {
        DataManagement dm;
        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        const QByteArray before = block(dm);

        QVERIFY(dm.getPadInfo(16).isEmpty());
        QVERIFY(dm.getPadInfo(-1).isEmpty());
        dm.setPadInfo(16, "padData", 1);
        dm.setPadInfo(-1, "padData", 1);
        QVERIFY(dm.getKnobInfo(16).isEmpty());
        QVERIFY(dm.getKnobInfo(-1).isEmpty());
        dm.setKnobInfo(16, "knboData", 1);
        dm.setKnobInfo(-1, "knboData", 1);
        QVERIFY(dm.getWalkingBeltInfo(6).isEmpty());
        QVERIFY(dm.getWalkingBeltInfo(-1).isEmpty());
        dm.setWalkingBeltInfo(6, "wbData", 10);
        dm.setWalkingBeltInfo(-1, "wbData", 10);

        QCOMPARE(m_lines, (QStringList{
                              "getPadInfo: pad index cross the border 16",
                              "getPadInfo: pad index cross the border -1",
                              "setPadInfo: pad index cross the border 16",
                              "setPadInfo: pad index cross the border -1",
                              "getKnobInfo: knob index cross the border 16",
                              "getKnobInfo: knob index cross the border -1",
                              "setKnobInfo: pad index cross the border 16",
                              "setKnobInfo: pad index cross the border -1",
                              "getWalkingBeltInfo: pad index cross the border 6",
                              "getWalkingBeltInfo: pad index cross the border -1",
                              "setBQMInfo: pad index cross the border 6",
                              "setBQMInfo: pad index cross the border -1",
                          }));
        QCOMPARE(block(dm), before);
        QCOMPARE(spy.count(), 0);

        // The last valid records are reachable.
        QVERIFY(!dm.getPadInfo(15).isEmpty());
        QVERIFY(!dm.getKnobInfo(15).isEmpty());
        QVERIFY(!dm.getWalkingBeltInfo(5).isEmpty());
    }

    void lowEightBitsSignExtended()
    {
        DataManagement dm;
        dm.setPadInfo(0, "padData", 200);
        QCOMPARE(padData(dm, 0), -56);
        QCOMPARE(block(dm).at(10), char(200));
        dm.setPadInfo(0, "padData", -1);
        QCOMPARE(padData(dm, 0), -1);
        dm.setPadInfo(0, "padData", 256 + 60);
        QCOMPARE(padData(dm, 0), 60);
        dm.setKnobInfo(2, "knboMax", 128);
        QCOMPARE(dm.getKnobInfo(2).value("knboMax").toInt(), -128);
        dm.setFuncInfo("fullForceValue", 127);
        QCOMPARE(dm.getFuncInfo().value("fullForceValue").toInt(), 127);
    }

    void tempo_data()
    {
        QTest::addColumn<int>("bpm");
        QTest::addColumn<int>("t1");
        QTest::addColumn<int>("t2");
        QTest::newRow("30") << 30 << 0 << 0;
        QTest::newRow("155") << 155 << 125 << 0;
        QTest::newRow("157") << 157 << 127 << 0;
        QTest::newRow("158") << 158 << 127 << 1;
        QTest::newRow("200") << 200 << 127 << 43;
        QTest::newRow("280") << 280 << 127 << 123;
        QTest::newRow("284") << 284 << 127 << 127;
        // Outside 30-284 the nearer end is kept: both parts stay data bytes.
        QTest::newRow("29") << 29 << 0 << 0;
        QTest::newRow("285") << 285 << 127 << 127;
        QTest::newRow("int min") << std::numeric_limits<int>::min() << 0 << 0;
        QTest::newRow("int max") << std::numeric_limits<int>::max() << 127 << 127;
    }

    void tempo()
    {
        QFETCH(int, bpm);
        QFETCH(int, t1);
        QFETCH(int, t2);
        DataManagement dm;
        const QByteArray before = block(dm);
        dm.setARPInfo("tempo", bpm);
        const QVariantMap arp = dm.getARPInfo();
        QVERIFY(!arp.contains("tempo"));
        QCOMPARE(arp.value("tempo1").toInt(), t1);
        QCOMPARE(arp.value("tempo2").toInt(), t2);
        QCOMPARE(arp.value("tempo1").toInt() + arp.value("tempo2").toInt() + 30, qBound(30, bpm, 284));
        for (int offset : diff(before, block(dm)))
            QVERIFY(offset == 233 || offset == 234);
        QCOMPARE(m_lines, QStringList{QString("setARPInfo  \"tempo\" %1").arg(bpm)});
    }

    // Start values and channels at the ends of the int range (where a sum in
    // int overflows) give the clamped results a large value gives.
    void batchesAtIntLimits_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("isDes");
        QTest::addColumn<int>("expected");
        const int hi = std::numeric_limits<int>::max();
        const int lo = std::numeric_limits<int>::min();
        for (const char *kind : {"note", "cc", "pc", "knobs"}) {
            QTest::newRow(qPrintable(QString("%1 max asc").arg(kind))) << kind << hi << false << 127;
            QTest::newRow(qPrintable(QString("%1 max des").arg(kind))) << kind << hi << true << 127;
            QTest::newRow(qPrintable(QString("%1 min asc").arg(kind))) << kind << lo << false << 0;
            QTest::newRow(qPrintable(QString("%1 min des").arg(kind))) << kind << lo << true << 0;
        }
    }

    void batchesAtIntLimits()
    {
        QFETCH(QString, kind);
        QFETCH(int, start);
        QFETCH(bool, isDes);
        QFETCH(int, expected);
        DataManagement dm;
        if (kind == "note")
            dm.setPadNoteBatch(3, "Major", isDes, start, start);
        else if (kind == "cc")
            dm.setPadCCBatch(3, isDes, false, start, start);
        else if (kind == "pc")
            dm.setPadPCBatch(3, isDes, start, start);
        else
            dm.setKnobsBatch(3, "CC", isDes, start, start, start, start);
        for (int i = 0; i < 16; ++i) {
            const QVariantMap info = kind == "knobs" ? dm.getKnobInfo(i) : dm.getPadInfo(i);
            const QString data = kind == "knobs" ? "knboData" : "padData";
            const QString ch = kind == "knobs" ? "knboCh" : "padCh";
            QCOMPARE(info.value(data).toInt(), expected);
            QCOMPARE(info.value(ch).toInt(), expected);
        }
    }

    void scales_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isDes");
        QTest::addColumn<QList<int>>("steps");

        const QList<QPair<QString, QList<int>>> asc = {
            {"Chormatic", {0, 1, 2, 3, 4, 5, 6, 7}},
            {"Major", {0, 2, 4, 5, 7, 9, 11, 12}},
            {"Minor", {0, 2, 3, 5, 7, 8, 10, 12}},
            {"HarmonicMinor", {0, 2, 3, 5, 7, 8, 11, 12}},
            {"MelodicMinor", {0, 2, 3, 5, 7, 9, 11, 12}},
            {"Dorian", {0, 2, 3, 5, 7, 9, 10, 12}},
            {"Phrygian", {0, 1, 3, 5, 7, 8, 10, 12}},
            {"Lydian", {0, 2, 4, 6, 7, 9, 11, 12}},
            {"Mixolydian", {0, 2, 4, 5, 7, 9, 10, 12}},
            {"Locrian", {0, 1, 3, 5, 6, 8, 10, 12}},
        };
        const QList<QPair<QString, QList<int>>> des = {
            {"Chormatic", {0, -1, -2, -3, -4, -5, -6, -7}},
            {"Major", {0, -1, -3, -5, -7, -8, -10, -12}},
            {"Minor", {0, -2, -4, -5, -7, -9, -10, -12}},
            {"HarmonicMinor", {0, -1, -4, -5, -7, -9, -10, -12}},
            {"MelodicMinor", {0, -1, -3, -5, -7, -9, -10, -12}},
            {"Dorian", {0, -2, -3, -5, -7, -9, -10, -12}},
            {"Phrygian", {0, -2, -4, -5, -7, -9, -11, -12}},
            {"Lydian", {0, -1, -3, -5, -6, -8, -10, -12}},
            {"Mixolydian", {0, -2, -3, -5, -7, -8, -10, -12}},
            {"Locrian", {0, -2, -4, -6, -7, -9, -11, -12}},
        };
        for (const auto &s : asc)
            QTest::newRow(qPrintable("asc " + s.first)) << s.first << false << s.second;
        for (const auto &s : des)
            QTest::newRow(qPrintable("des " + s.first)) << s.first << true << s.second;
    }

    void scales()
    {
        QFETCH(QString, name);
        QFETCH(bool, isDes);
        QFETCH(QList<int>, steps);
        const int start = 60;

        // BANK A
        {
            DataManagement dm;
            const QByteArray before = block(dm);
            QSignalSpy spy(&dm, &DataManagement::s_updateDate);
            dm.setPadNoteBatch(1, name, isDes, start, 9);
            QCOMPARE(spy.count(), 1);
            for (int i = 0; i < 8; ++i) {
                QCOMPARE(padData(dm, i), start + steps.at(i));
                QCOMPARE(dm.getPadInfo(i).value("padCh").toInt(), 9);
            }
            for (int offset : diff(before, block(dm)))
                QVERIFY2(offset < 9 + 7 * 8, qPrintable(QString::number(offset)));
        }
        // BANK B alone gets exactly what BANK A would.
        {
            DataManagement dm;
            const QByteArray before = block(dm);
            dm.setPadNoteBatch(2, name, isDes, start, 9);
            for (int i = 0; i < 8; ++i)
                QCOMPARE(padData(dm, 8 + i), start + steps.at(i));
            for (int offset : diff(before, block(dm)))
                QVERIFY(offset >= 9 + 7 * 8 && offset < 121);
        }
        // Both banks: BANK B continues from the last note of BANK A.
        {
            DataManagement dm;
            dm.setPadNoteBatch(3, name, isDes, start, 9);
            for (int i = 0; i < 8; ++i) {
                QCOMPARE(padData(dm, i), start + steps.at(i));
                QCOMPARE(padData(dm, 8 + i), start + steps.at(7) + steps.at(i));
            }
            QCOMPARE(padData(dm, 7), padData(dm, 8));
        }
    }

    void noteBatch()
    {
        DataManagement dm;
        dm.setPadInfo(2, "padMode", 1);
        dm.setPadInfo(2, "padtype", 2);
        dm.setPadColor(2, 10, 20, 30);
        const QVariantMap pad2Before = dm.getPadInfo(2);
        m_lines.clear();

        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        dm.setPadNoteBatch(1, "Minor", true, 72, 1);
        QCOMPARE(spy.count(), 1);
        const QList<int> expected = {72, 70, 68, 67, 65, 63, 62, 60};
        for (int i = 0; i < 8; ++i) {
            const QVariantMap pad = dm.getPadInfo(i);
            QCOMPARE(pad.value("padData").toInt(), expected.at(i));
            QCOMPARE(pad.value("padCh").toInt(), 1);
            QCOMPARE(pad.value("padtype").toInt(), 0);
        }
        // Mode and colour stay.
        QCOMPARE(dm.getPadInfo(2).value("padMode"), pad2Before.value("padMode"));
        QCOMPARE(dm.getPadInfo(2).value("padR"), pad2Before.value("padR"));
        QCOMPARE(dm.getPadInfo(2).value("padG"), pad2Before.value("padG"));
        QCOMPARE(dm.getPadInfo(2).value("padB"), pad2Before.value("padB"));

        // Worked examples with both banks.
        dm.setPadNoteBatch(3, "Major", false, 60, 1);
        QList<int> got;
        for (int i = 0; i < 16; ++i)
            got << padData(dm, i);
        QCOMPARE(got, (QList<int>{60, 62, 64, 65, 67, 69, 71, 72, 72, 74, 76, 77, 79, 81, 83, 84}));
        dm.setPadNoteBatch(3, "Chormatic", false, 60, 1);
        got.clear();
        for (int i = 0; i < 16; ++i)
            got << padData(dm, i);
        QCOMPARE(got, (QList<int>{60, 61, 62, 63, 64, 65, 66, 67, 67, 68, 69, 70, 71, 72, 73, 74}));
        QVERIFY(m_lines.isEmpty());
    }

    void noteBatchUnknownScale()
    {
        DataManagement dm;
        const QByteArray before = block(dm);
        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        dm.setPadNoteBatch(2, "Ionian", false, 60, 1);
        dm.setPadNoteBatch(1, "major", true, 60, 1);
        dm.setPadNoteBatch(3, "", false, 60, 1);
        QCOMPARE(block(dm), before);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(m_lines, (QStringList{"setPadNoteBatch error", "setPadNoteBatch error",
                                       "setPadNoteBatch error"}));
    }

    void ccAndPcBatch()
    {
        DataManagement dm;
        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        const QByteArray before = block(dm);
        dm.setPadCCBatch(2, true, true, 100, 3);
        QCOMPARE(spy.count(), 1);
        for (int i = 0; i < 8; ++i) {
            const QVariantMap pad = dm.getPadInfo(8 + i);
            QCOMPARE(pad.value("padtype").toInt(), 1);
            QCOMPARE(pad.value("padData").toInt(), 100 - i);
            QCOMPARE(pad.value("padMode").toInt(), 1);
            QCOMPARE(pad.value("padCh").toInt(), 3);
            QCOMPARE(pad.value("padR").toInt(), 127);
        }
        for (int offset : diff(before, block(dm)))
            QVERIFY(offset >= 65 && offset < 121);

        // Controller numbers run on through both banks.
        dm.setPadCCBatch(3, false, false, 10, 4);
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(padData(dm, i), 10 + i);
            QCOMPARE(dm.getPadInfo(i).value("padMode").toInt(), 0);
        }

        // Program batch leaves the mode alone.
        dm.setPadInfo(1, "padMode", 1);
        dm.setPadPCBatch(1, true, 50, 16);
        QCOMPARE(spy.count(), 3);
        for (int i = 0; i < 8; ++i) {
            const QVariantMap pad = dm.getPadInfo(i);
            QCOMPARE(pad.value("padtype").toInt(), 2);
            QCOMPARE(pad.value("padData").toInt(), 50 - i);
            QCOMPARE(pad.value("padCh").toInt(), 16);
            QCOMPARE(pad.value("padMode").toInt(), i == 1 ? 1 : 0);
        }
        QCOMPARE(dm.getPadInfo(8).value("padtype").toInt(), 1);
    }

    void knobsBatch()
    {
        DataManagement dm;
        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        dm.setKnobsBatch(3, "PC", false, 0, 16, 5, 120);
        QCOMPARE(spy.count(), 1);
        for (int i = 0; i < 16; ++i) {
            const QVariantMap knob = dm.getKnobInfo(i);
            QCOMPARE(knob.value("knboType").toInt(), 1);
            QCOMPARE(knob.value("knboData").toInt(), i);
            QCOMPARE(knob.value("knboCh").toInt(), 16);
            QCOMPARE(knob.value("knboMin").toInt(), 5);
            QCOMPARE(knob.value("knboMax").toInt(), 120);
        }
        // Max is stored before min.
        QCOMPARE(int(block(dm).at(123)), 120);
        QCOMPARE(int(block(dm).at(124)), 5);

        for (const QString type : {"CC", "TOUCH", "pc", ""}) {
            dm.setKnobsBatch(1, type, true, 20, 2, 0, 127);
            for (int i = 0; i < 8; ++i) {
                QCOMPARE(dm.getKnobInfo(i).value("knboType").toInt(), 0);
                QCOMPARE(dm.getKnobInfo(i).value("knboData").toInt(), 20 - i);
            }
            QCOMPARE(dm.getKnobInfo(8).value("knboType").toInt(), 1);
        }
        dm.setKnobsBatch(2, "PC", true, 127, 1, 0, 127);
        QCOMPARE(dm.getKnobInfo(8).value("knboData").toInt(), 127);
        QCOMPARE(dm.getKnobInfo(15).value("knboData").toInt(), 120);
        QCOMPARE(dm.getKnobInfo(0).value("knboData").toInt(), 20);
    }

    void batchClamping()
    {
        DataManagement dm;
        QList<int> got;
        auto pads = [&](int from, int to) {
            got.clear();
            for (int i = from; i <= to; ++i)
                got << padData(dm, i);
            return got;
        };

        dm.setPadCCBatch(1, false, false, 125, 1);
        QCOMPARE(pads(0, 7), (QList<int>{125, 126, 127, 127, 127, 127, 127, 127}));
        dm.setPadPCBatch(2, true, 3, 1);
        QCOMPARE(pads(8, 15), (QList<int>{3, 2, 1, 0, 0, 0, 0, 0}));
        dm.setPadCCBatch(3, false, false, 120, 1);
        QCOMPARE(pads(0, 15),
                 (QList<int>{120, 121, 122, 123, 124, 125, 126, 127, 127, 127, 127, 127, 127, 127, 127, 127}));
        dm.setPadNoteBatch(3, "Major", false, 110, 1);
        QCOMPARE(pads(0, 15),
                 (QList<int>{110, 112, 114, 115, 117, 119, 121, 122, 122, 124, 126, 127, 127, 127, 127, 127}));
        dm.setPadNoteBatch(3, "Locrian", true, 20, 1);
        QCOMPARE(pads(8, 15), (QList<int>{8, 6, 4, 2, 1, 0, 0, 0}));
        dm.setPadNoteBatch(1, "Major", false, 500, 1);
        QCOMPARE(pads(0, 0), QList<int>{127});

        dm.setPadCCBatch(1, false, false, 0, 200);
        QCOMPARE(dm.getPadInfo(0).value("padCh").toInt(), 127);
        dm.setPadNoteBatch(1, "Major", false, 0, -5);
        QCOMPARE(dm.getPadInfo(0).value("padCh").toInt(), 0);
        dm.setKnobsBatch(3, "CC", false, 126, 300, -3, 1000);
        const QVariantMap knob = dm.getKnobInfo(15);
        QCOMPARE(knob.value("knboData").toInt(), 127);
        QCOMPARE(knob.value("knboCh").toInt(), 127);
        QCOMPARE(knob.value("knboMin").toInt(), 0);
        QCOMPARE(knob.value("knboMax").toInt(), 127);
        dm.setKnobsBatch(3, "CC", true, -10, 0, 0, 0);
        QCOMPARE(dm.getKnobInfo(0).value("knboData").toInt(), 0);

        // Nothing a batch wrote can break the System Exclusive framing.
        const QByteArray b = block(dm);
        for (int i = 1; i < DataManagement::BlockSize - 1; ++i)
            QVERIFY2(quint8(b.at(i)) < 0x80, qPrintable(QString::number(i)));
    }

    void batchBadBank()
    {
        DataManagement dm;
        const QByteArray before = block(dm);
        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        for (int bank : {0, 4, -1, 100}) {
            dm.setPadNoteBatch(bank, "Major", false, 60, 1);
            dm.setPadCCBatch(bank, false, true, 60, 1);
            dm.setPadPCBatch(bank, true, 60, 1);
            dm.setKnobsBatch(bank, "PC", false, 60, 1, 0, 127);
        }
        // A bad bank wins over an unknown scale.
        dm.setPadNoteBatch(0, "Ionian", false, 60, 1);
        QCOMPARE(block(dm), before);
        QCOMPARE(spy.count(), 0);
        QStringList expected;
        for (int bank : {0, 4, -1, 100}) {
            expected << QString("setPadNoteBatch: bank out of range %1").arg(bank)
                     << QString("setPadCCBatch: bank out of range %1").arg(bank)
                     << QString("setPadPCBatch: bank out of range %1").arg(bank)
                     << QString("setKnobsBatch: bank out of range %1").arg(bank);
        }
        expected << "setPadNoteBatch: bank out of range 0";
        QCOMPARE(m_lines, expected);
    }

    void setBlockDataLengths()
    {
        DataManagement dm;
        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        const QByteArray factory = factoryBlock();

        // A short block replaces its own length only.
        QByteArray part(200, char(0x55));
        dm.setBlockData(part.constData(), part.size());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(block(dm).left(200), part);
        QCOMPARE(block(dm).mid(200), factory.mid(200));

        // A longer input is cut at the end of the block.
        QByteArray longer(400, '\0');
        for (int i = 0; i < longer.size(); ++i)
            longer[i] = char(i * 7);
        dm.setBlockData(longer.constData(), longer.size());
        QCOMPARE(spy.count(), 2);
        QCOMPARE(block(dm), longer.left(DataManagement::BlockSize));

        // Exactly one block, taken as it comes.
        dm.setBlockData(factory.constData(), factory.size());
        QCOMPARE(block(dm), factory);
        QCOMPARE(spy.count(), 3);

        // Nothing to copy: the block stays, the signal is still given.
        dm.setBlockData(nullptr, 245);
        dm.setBlockData(part.constData(), 0);
        dm.setBlockData(part.constData(), -5);
        QCOMPARE(block(dm), factory);
        QCOMPARE(spy.count(), 6);

        // The pointer is the block itself, not a snapshot.
        const char *p = dm.blockData();
        dm.setPadInfo(0, "padData", 11);
        QCOMPARE(int(p[10]), 11);
        QCOMPARE(dm.blockData(), p);
    }

    void updateSignalCounts()
    {
        DataManagement dm;
        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        dm.setPadInfo(0, "padData", 1);
        dm.setKnobInfo(0, "knboData", 1);
        dm.setPitchInfo("pitchCh", 1);
        dm.setModInfo("modCh", 1);
        dm.setWalkingBeltInfo(0, "wbCh", 1);
        dm.setARPInfo("tempo", 100);
        dm.setFuncInfo("sustain", 0);
        dm.setPadColor(0, 1, 2, 3);
        dm.getPadInfo(0);
        dm.getVerInfo();
        QCOMPARE(spy.count(), 0);
        dm.initDefaultData();
        QCOMPARE(spy.count(), 1);
        dm.setPadNoteBatch(1, "Major", false, 60, 1);
        dm.setPadCCBatch(2, false, false, 60, 1);
        dm.setPadPCBatch(3, false, 60, 1);
        dm.setKnobsBatch(1, "CC", false, 60, 1, 0, 127);
        QCOMPARE(spy.count(), 5);
    }

    void padColour()
    {
        DataManagement dm;
        QCOMPARE(dm.getPadColor(0), QString("#fe6400"));
        QSignalSpy spy(&dm, &DataManagement::s_updateDate);
        const QByteArray before = block(dm);

        dm.setPadColor(2, 254, 100, 0);
        QCOMPARE(diff(before, block(dm)).size(), 0);  // the default colour again
        dm.setPadColor(2, 0x12, 0xab, 0xfe);
        QCOMPARE(dm.getPadColor(2), QString("#12aafe"));
        QCOMPARE(diff(before, block(dm)), (QList<int>{9 + 14 + 4, 9 + 14 + 5, 9 + 14 + 6}));
        const QVariantMap pad = dm.getPadInfo(2);
        QCOMPARE(pad.value("padR").toInt(), 0x09);
        QCOMPARE(pad.value("padG").toInt(), 0x55);
        QCOMPARE(pad.value("padB").toInt(), 0x7f);

        // Every even component survives the trip; odd ones lose the low bit.
        for (int v = 0; v <= 255; ++v) {
            dm.setPadColor(15, v, 255 - v, v);
            const int e = v & ~1;
            const int f = (255 - v) & ~1;
            QCOMPARE(dm.getPadColor(15), QString::asprintf("#%02x%02x%02x", e, f, e));
        }
        // Out-of-range components are clamped, never wrapped.
        dm.setPadColor(4, 300, -20, 256);
        QCOMPARE(dm.getPadColor(4), QString("#fe00fe"));
        const QByteArray b = block(dm);
        for (int i = 9; i < 121; ++i)
            QVERIFY(quint8(b.at(i)) < 0x80);
        QCOMPARE(spy.count(), 0);

        // A received byte above 127 still gives a valid colour.
        QByteArray odd = block(dm);
        odd[9 + 4] = char(0xFF);
        odd[9 + 5] = char(0x80);
        odd[9 + 6] = char(0x7F);
        dm.setBlockData(odd.constData(), odd.size());
        QCOMPARE(dm.getPadColor(0), QString("#fffffe"));

        m_lines.clear();
        const QByteArray kept = block(dm);
        dm.setPadColor(16, 1, 2, 3);
        dm.setPadColor(-1, 1, 2, 3);
        QCOMPARE(block(dm), kept);
        QCOMPARE(m_lines, (QStringList{"setPadColor: pad index cross the border 16",
                                       "setPadColor: pad index cross the border -1"}));
        QCOMPARE(dm.getPadColor(16), QString());
        QCOMPARE(dm.getPadColor(-1), QString());
    }

    void callableFromQml()
    {
        // The pages call these by name through the meta-object system.
        DataManagement dm;
        QVariantMap result;
        QVERIFY(QMetaObject::invokeMethod(&dm, "setPadInfo", Q_ARG(int, 1),
                                          Q_ARG(QString, "padCh"), Q_ARG(int, 9)));
        QVERIFY(QMetaObject::invokeMethod(&dm, "getPadInfo", Q_RETURN_ARG(QVariantMap, result),
                                          Q_ARG(int, 1)));
        QCOMPARE(result.value("padCh").toInt(), 9);
        QString colour;
        QVERIFY(QMetaObject::invokeMethod(&dm, "setPadColor", Q_ARG(int, 1), Q_ARG(int, 2),
                                          Q_ARG(int, 4), Q_ARG(int, 6)));
        QVERIFY(QMetaObject::invokeMethod(&dm, "getPadColor", Q_RETURN_ARG(QString, colour),
                                          Q_ARG(int, 1)));
        QCOMPARE(colour, QString("#020406"));
        QVariantList ver;
        QVERIFY(QMetaObject::invokeMethod(&dm, "getVerInfo", Q_RETURN_ARG(QVariantList, ver)));
        QCOMPARE(ver.size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestDataManagement)
#include "tst_datamanagement.moc"

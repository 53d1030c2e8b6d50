#include "model/DataManagement.h"

#include <QDebug>

#include <algorithm>
#include <cstring>

namespace {

// A field of a record: its key and its offset inside the record.
struct Field
{
    const char *key;
    int offset;
};

// Record layouts, in the order the get operations report them.
const Field kPadFields[] = {
    {"padtype", 0}, {"padData", 1}, {"padCh", 2}, {"padMode", 3},
    {"padR", 4}, {"padG", 5}, {"padB", 6},
};
// The colour bytes are read-only through setPadInfo (setPadColor writes them).
const int kPadWritableFields = 4;

const Field kKnobFields[] = {
    {"knboType", 0}, {"knboData", 1}, {"knboMax", 2}, {"knboMin", 3}, {"knboCh", 4},
};
const Field kPitchFields[] = {
    {"selfReturn", 0}, {"returnTime", 1}, {"pitchCh", 2},
};
const Field kModFields[] = {
    {"modType", 0}, {"modValue", 1}, {"modMin", 2}, {"modMax", 3}, {"modCh", 4},
};
// Mode is stored before channel in a transport record.
const Field kTransportFields[] = {
    {"wbtype", 0}, {"wbData", 1}, {"wbMode", 2}, {"wbCh", 3},
};
const Field kArpFields[] = {
    {"tempo1", 0}, {"tempo2", 1}, {"mode", 2}, {"latch", 3}, {"time", 4}, {"swing", 5},
};
const Field kFuncFields[] = {
    {"strengthRange", 0}, {"keyCurve", 1}, {"padCurve", 2}, {"sustain", 3},
    {"fullForceValue", 4},
};

// Offset of the field called key among the first count fields, or -1.
template <int N>
int fieldOffset(const Field (&fields)[N], const QString &key, int count = N)
{
    for (int i = 0; i < count && i < N; ++i) {
        if (key == QLatin1String(fields[i].key))
            return fields[i].offset;
    }
    return -1;
}

// Batch arithmetic is done in 64 bits: start values and channels come
// straight from the caller and may lie anywhere in the int range, where a
// sum in int would overflow.
int clampData(qint64 value)
{
    return int(std::clamp<qint64>(value, 0, 127));
}

// Lowest tempo the arpeggiator knows; the block stores the excess over it.
const int kTempoBase = 30;
const int kTempoPartMax = 127;

} // namespace

DataManagement::DataManagement(QObject *parent)
    : QObject(parent)
{
    std::memset(m_data, 0, sizeof m_data);
    // The header of a configuration write; the note number (offset 2) stays
    // 0 until the keyboard reports one.
    const QByteArray header = Sysex::header(Sysex::ConfigurationWrite);
    std::memcpy(m_data, header.constData(), size_t(header.size()));
    m_data[EndOffset] = static_cast<char>(0xF7);
    // The pages read their fields before the first initDefaultData(), so the
    // parameters hold the factory defaults from the start (silently).
    writeDefaults();
    fillScaleTables();
}

const char *DataManagement::blockData() const
{
    return m_data;
}

void DataManagement::setBlockData(const char *data, int length)
{
    if (data && length > 0)
        std::memcpy(m_data, data, static_cast<size_t>(std::min(length, BlockSize)));
    emit s_updateDate();
    emit s_changed(BlockChange, -1);
}

int DataManagement::readByte(int offset) const
{
    return static_cast<int>(static_cast<signed char>(m_data[offset]));
}

void DataManagement::writeByte(int offset, int value)
{
    m_data[offset] = static_cast<char>(static_cast<unsigned int>(value) & 0xFFu);
}

void DataManagement::writeDefaults()
{
    for (int i = 0; i < PadCount; ++i) {
        const int o = PadOffset + PadRecordSize * i;
        writeByte(o + 0, 0);       // NOTE
        writeByte(o + 1, 68 + i);
        writeByte(o + 2, 5);
        writeByte(o + 3, 0);       // Momentary
        writeByte(o + 4, 127);
        writeByte(o + 5, 50);
        writeByte(o + 6, 0);
    }
    for (int i = 0; i < KnobCount; ++i) {
        const int o = KnobOffset + KnobRecordSize * i;
        writeByte(o + 0, 0);       // CC
        writeByte(o + 1, 14 + i);
        writeByte(o + 2, 127);     // max
        writeByte(o + 3, 0);       // min
        writeByte(o + 4, 5);
    }
    writeByte(PitchOffset + 0, 1);
    writeByte(PitchOffset + 1, 20);
    writeByte(PitchOffset + 2, 5);

    writeByte(ModOffset + 0, 0);
    writeByte(ModOffset + 1, 66);
    writeByte(ModOffset + 2, 0);
    writeByte(ModOffset + 3, 127);
    writeByte(ModOffset + 4, 5);

    for (int i = 0; i < TransportCount; ++i) {
        const int o = TransportOffset + TransportRecordSize * i;
        writeByte(o + 0, 0);       // CC
        writeByte(o + 1, 21 + i);
        writeByte(o + 2, 0);       // Momentary
        writeByte(o + 3, 5);
    }

    // 155 beats per minute, DOWN, latch on, 1/4T, 55%.
    const int arp[] = {125, 0, 1, 1, 1, 1};
    for (int i = 0; i < 6; ++i)
        writeByte(ArpOffset + i, arp[i]);

    // FULL VEL KEYBOARD, EXP, EXP, REVERSE, full velocity value 1.
    for (int i = 0; i < 5; ++i)
        writeByte(FuncOffset + i, 1);
}

void DataManagement::fillScaleTables()
{
    m_ascScales.insert(QStringLiteral("Chormatic"), {0, 1, 2, 3, 4, 5, 6, 7});
    m_ascScales.insert(QStringLiteral("Major"), {0, 2, 4, 5, 7, 9, 11, 12});
    m_ascScales.insert(QStringLiteral("Minor"), {0, 2, 3, 5, 7, 8, 10, 12});
    m_ascScales.insert(QStringLiteral("HarmonicMinor"), {0, 2, 3, 5, 7, 8, 11, 12});
    m_ascScales.insert(QStringLiteral("MelodicMinor"), {0, 2, 3, 5, 7, 9, 11, 12});
    m_ascScales.insert(QStringLiteral("Dorian"), {0, 2, 3, 5, 7, 9, 10, 12});
    m_ascScales.insert(QStringLiteral("Phrygian"), {0, 1, 3, 5, 7, 8, 10, 12});
    m_ascScales.insert(QStringLiteral("Lydian"), {0, 2, 4, 6, 7, 9, 11, 12});
    m_ascScales.insert(QStringLiteral("Mixolydian"), {0, 2, 4, 5, 7, 9, 10, 12});
    m_ascScales.insert(QStringLiteral("Locrian"), {0, 1, 3, 5, 6, 8, 10, 12});

    // The same scales walked downwards from the start note.
    m_desScales.insert(QStringLiteral("Chormatic"), {0, -1, -2, -3, -4, -5, -6, -7});
    m_desScales.insert(QStringLiteral("Major"), {0, -1, -3, -5, -7, -8, -10, -12});
    m_desScales.insert(QStringLiteral("Minor"), {0, -2, -4, -5, -7, -9, -10, -12});
    m_desScales.insert(QStringLiteral("HarmonicMinor"), {0, -1, -4, -5, -7, -9, -10, -12});
    m_desScales.insert(QStringLiteral("MelodicMinor"), {0, -1, -3, -5, -7, -9, -10, -12});
    m_desScales.insert(QStringLiteral("Dorian"), {0, -2, -3, -5, -7, -9, -10, -12});
    m_desScales.insert(QStringLiteral("Phrygian"), {0, -2, -4, -5, -7, -9, -11, -12});
    m_desScales.insert(QStringLiteral("Lydian"), {0, -1, -3, -5, -6, -8, -10, -12});
    m_desScales.insert(QStringLiteral("Mixolydian"), {0, -2, -3, -5, -7, -8, -10, -12});
    m_desScales.insert(QStringLiteral("Locrian"), {0, -2, -4, -6, -7, -9, -11, -12});
}

void DataManagement::initDefaultData()
{
    writeDefaults();
    emit s_updateDate();
    emit s_changed(DefaultsChange, -1);
}

// ---------------------------------------------------------------------------
// Pads

QVariantMap DataManagement::getPadInfo(int index)
{
    QVariantMap map;
    if (index < 0 || index >= PadCount) {
        qDebug() << "getPadInfo: pad index cross the border" << index;
        return map;
    }
    const int base = PadOffset + PadRecordSize * index;
    for (const Field &f : kPadFields)
        map.insert(QLatin1String(f.key), readByte(base + f.offset));
    return map;
}

void DataManagement::setPadInfo(int index, QString valueType, int value)
{
    if (index < 0 || index >= PadCount) {
        qDebug() << "setPadInfo: pad index cross the border" << index;
        return;
    }
    const int offset = fieldOffset(kPadFields, valueType, kPadWritableFields);
    if (offset >= 0) {
        writeByte(PadOffset + PadRecordSize * index + offset, value);
        emit s_changed(FieldChange, index);
    }
    qDebug() << "setPadInfo " << "index:" << index << valueType << value;
}

void DataManagement::setPadColor(int index, int r, int g, int b)
{
    if (index < 0 || index >= PadCount) {
        qDebug() << "setPadColor: pad index cross the border" << index;
        return;
    }
    // Each 8-bit component is kept as a 7-bit data byte so the block stays
    // valid System Exclusive.
    const int base = PadOffset + PadRecordSize * index;
    writeByte(base + 4, std::clamp(r, 0, 255) / 2);
    writeByte(base + 5, std::clamp(g, 0, 255) / 2);
    writeByte(base + 6, std::clamp(b, 0, 255) / 2);
    emit s_changed(ColorChange, index);
    qDebug() << "setPadColor " << "index:" << index << r << g << b;
}

QString DataManagement::getPadColor(int index)
{
    if (index < 0 || index >= PadCount)
        return QString();
    const int base = PadOffset + PadRecordSize * index;
    static const char hex[] = "0123456789abcdef";
    QString name(QLatin1Char('#'));
    for (int i = 4; i <= 6; ++i) {
        // A received block may hold any byte here; show it as bright as fits.
        const int stored = static_cast<unsigned char>(m_data[base + i]);
        const int component = std::min(stored * 2, 255);
        name += QLatin1Char(hex[component >> 4]);
        name += QLatin1Char(hex[component & 0xF]);
    }
    return name;
}

// ---------------------------------------------------------------------------
// Knobs

void DataManagement::setKnobInfo(int index, QString valueType, int value)
{
    if (index < 0 || index >= KnobCount) {
        qDebug() << "setKnobInfo: pad index cross the border" << index;
        return;
    }
    const int offset = fieldOffset(kKnobFields, valueType);
    if (offset >= 0) {
        writeByte(KnobOffset + KnobRecordSize * index + offset, value);
        emit s_changed(FieldChange, index);
    }
    qDebug() << "setKnobInfo " << "index:" << index << valueType << value;
}

QVariantMap DataManagement::getKnobInfo(int index)
{
    QVariantMap map;
    if (index < 0 || index >= KnobCount) {
        qDebug() << "getKnobInfo: knob index cross the border" << index;
        return map;
    }
    const int base = KnobOffset + KnobRecordSize * index;
    for (const Field &f : kKnobFields)
        map.insert(QLatin1String(f.key), readByte(base + f.offset));
    return map;
}

// ---------------------------------------------------------------------------
// Pitch and modulation wheels

void DataManagement::setPitchInfo(QString valueType, int value)
{
    const int offset = fieldOffset(kPitchFields, valueType);
    if (offset >= 0) {
        writeByte(PitchOffset + offset, value);
        emit s_changed(FieldChange, -1);
    }
    qDebug() << "setPitchInfo " << valueType << value;
}

QVariantMap DataManagement::getPitchInfo()
{
    QVariantMap map;
    for (const Field &f : kPitchFields)
        map.insert(QLatin1String(f.key), readByte(PitchOffset + f.offset));
    return map;
}

void DataManagement::setModInfo(QString valueType, int value)
{
    const int offset = fieldOffset(kModFields, valueType);
    if (offset >= 0) {
        writeByte(ModOffset + offset, value);
        emit s_changed(FieldChange, -1);
    }
    qDebug() << "setModInfo " << valueType << value;
}

QVariantMap DataManagement::getModInfo()
{
    QVariantMap map;
    for (const Field &f : kModFields)
        map.insert(QLatin1String(f.key), readByte(ModOffset + f.offset));
    return map;
}

// ---------------------------------------------------------------------------
// Transport buttons

void DataManagement::setWalkingBeltInfo(int index, QString valueType, int value)
{
    if (index < 0 || index >= TransportCount) {
        qDebug() << "setBQMInfo: pad index cross the border" << index;
        return;
    }
    const int offset = fieldOffset(kTransportFields, valueType);
    if (offset >= 0) {
        writeByte(TransportOffset + TransportRecordSize * index + offset, value);
        emit s_changed(FieldChange, index);
    }
    qDebug() << "setWalkingBeltInfo " << "index:" << index << valueType << value;
}

QVariantMap DataManagement::getWalkingBeltInfo(int index)
{
    QVariantMap map;
    if (index < 0 || index >= TransportCount) {
        qDebug() << "getWalkingBeltInfo: pad index cross the border" << index;
        return map;
    }
    const int base = TransportOffset + TransportRecordSize * index;
    for (const Field &f : kTransportFields)
        map.insert(QLatin1String(f.key), readByte(base + f.offset));
    return map;
}

// ---------------------------------------------------------------------------
// Arpeggiator and function settings

void DataManagement::setARPInfo(QString valueType, int value)
{
    if (valueType == QLatin1String("tempo")) {
        // The tempo is split over two data bytes: the excess over 30 goes
        // into the first up to 127, the rest into the second.
        // The two parts hold 30-284; a tempo outside is kept at the nearer
        // end, so both bytes stay data bytes (and nothing overflows).
        const int t = std::clamp(value, kTempoBase, kTempoBase + 2 * kTempoPartMax) - kTempoBase;
        if (t <= kTempoPartMax) {
            writeByte(ArpOffset + 0, t);
            writeByte(ArpOffset + 1, 0);
        } else {
            writeByte(ArpOffset + 0, kTempoPartMax);
            writeByte(ArpOffset + 1, t - kTempoPartMax);
        }
        emit s_changed(FieldChange, -1);
    } else {
        // "tempo1" and "tempo2" are read-only; the rest are written as they are.
        const int offset = fieldOffset(kArpFields, valueType);
        if (offset >= 2) {
            writeByte(ArpOffset + offset, value);
            emit s_changed(FieldChange, -1);
        }
    }
    qDebug() << "setARPInfo " << valueType << value;
}

QVariantMap DataManagement::getARPInfo()
{
    QVariantMap map;
    for (const Field &f : kArpFields)
        map.insert(QLatin1String(f.key), readByte(ArpOffset + f.offset));
    return map;
}

void DataManagement::setFuncInfo(QString valueType, int value)
{
    const int offset = fieldOffset(kFuncFields, valueType);
    if (offset >= 0) {
        writeByte(FuncOffset + offset, value);
        emit s_changed(FieldChange, -1);
    }
    qDebug() << "setFuncInfo " << valueType << value;
}

QVariantMap DataManagement::getFuncInfo()
{
    QVariantMap map;
    for (const Field &f : kFuncFields)
        map.insert(QLatin1String(f.key), readByte(FuncOffset + f.offset));
    return map;
}

// ---------------------------------------------------------------------------
// Batch fills

bool DataManagement::bankRange(int bank, int *first, int *last)
{
    switch (bank) {
    case 1:
        *first = 0;
        *last = 7;
        return true;
    case 2:
        *first = 8;
        *last = 15;
        return true;
    case 3:
        *first = 0;
        *last = 15;
        return true;
    default:
        return false;
    }
}

void DataManagement::setPadNoteBatch(int bank, QString changeRules, bool isDes, int startValue, int ch)
{
    int first = 0;
    int last = 0;
    if (!bankRange(bank, &first, &last)) {
        qDebug() << "setPadNoteBatch: bank out of range" << bank;
        return;
    }
    const QList<int> steps = (isDes ? m_desScales : m_ascScales).value(changeRules);
    if (steps.size() < 8) {
        qDebug() << "setPadNoteBatch error";
        return;
    }
    for (int i = first; i <= last; ++i) {
        qint64 note = qint64(startValue) + steps.at(i % 8);
        // Filling both banks, BANK B carries on from the last note of BANK A.
        if (bank == 3 && i >= 8)
            note += steps.at(7);
        const int base = PadOffset + PadRecordSize * i;
        writeByte(base + 0, 0);  // NOTE
        writeByte(base + 1, clampData(note));
        writeByte(base + 2, clampData(ch));
    }
    emit s_updateDate();
    emit s_changed(BatchChange, -1);
}

void DataManagement::setPadCCBatch(int bank, bool isDes, bool isLatch, int startValue, int ch)
{
    int first = 0;
    int last = 0;
    if (!bankRange(bank, &first, &last)) {
        qDebug() << "setPadCCBatch: bank out of range" << bank;
        return;
    }
    for (int i = first; i <= last; ++i) {
        const int k = i - first;
        const int base = PadOffset + PadRecordSize * i;
        writeByte(base + 0, 1);  // CC
        writeByte(base + 1, clampData(isDes ? qint64(startValue) - k : qint64(startValue) + k));
        writeByte(base + 2, clampData(ch));
        writeByte(base + 3, isLatch ? 1 : 0);
    }
    emit s_updateDate();
    emit s_changed(BatchChange, -1);
}

void DataManagement::setPadPCBatch(int bank, bool isDes, int startValue, int ch)
{
    int first = 0;
    int last = 0;
    if (!bankRange(bank, &first, &last)) {
        qDebug() << "setPadPCBatch: bank out of range" << bank;
        return;
    }
    for (int i = first; i <= last; ++i) {
        const int k = i - first;
        const int base = PadOffset + PadRecordSize * i;
        writeByte(base + 0, 2);  // PC
        writeByte(base + 1, clampData(isDes ? qint64(startValue) - k : qint64(startValue) + k));
        writeByte(base + 2, clampData(ch));
    }
    emit s_updateDate();
    emit s_changed(BatchChange, -1);
}

void DataManagement::setKnobsBatch(int bank, QString type, bool isDes, int startValue, int ch,
                                   int min, int max)
{
    int first = 0;
    int last = 0;
    if (!bankRange(bank, &first, &last)) {
        qDebug() << "setKnobsBatch: bank out of range" << bank;
        return;
    }
    const int knobType = type == QLatin1String("PC") ? 1 : 0;
    for (int i = first; i <= last; ++i) {
        const int k = i - first;
        const int base = KnobOffset + KnobRecordSize * i;
        writeByte(base + 0, knobType);
        writeByte(base + 1, clampData(isDes ? qint64(startValue) - k : qint64(startValue) + k));
        writeByte(base + 2, clampData(max));
        writeByte(base + 3, clampData(min));
        writeByte(base + 4, clampData(ch));
    }
    emit s_updateDate();
    emit s_changed(BatchChange, -1);
}

QVariantList DataManagement::getVerInfo()
{
    return QVariantList{readByte(VersionOffset), readByte(VersionOffset + 1),
                        readByte(VersionOffset + 2)};
}

#pragma once

#include "midi/Sysex.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

// The editor's one copy of the keyboard configuration.
//
// The configuration is kept exactly as it travels to and from the keyboard:
// one 245-byte System Exclusive message (the parameter block). Fields are
// read and written in place by byte offset through short key strings
// ("padData", "knboMax", "wbCh", ...). Single-field writes are silent; whole
// block changes (defaults, received configuration, opened preset, batch fill)
// emit s_updateDate() so that every page reloads its fields.
class DataManagement : public QObject
{
    Q_OBJECT

public:
    static constexpr int BlockSize = Sysex::kBlockSize;

    // Block layout (byte offsets).
    static constexpr int CommandOffset = Sysex::kCommandOffset;
    static constexpr int NoteOffset = Sysex::kNoteOffset;
    static constexpr int VersionOffset = Sysex::kVersionOffset; // three bytes: 3, 4, 5
    static constexpr int PadOffset = 9;         // 16 records of PadRecordSize
    static constexpr int PadRecordSize = 7;
    static constexpr int PadCount = 16;
    static constexpr int KnobOffset = 121;      // 16 records of KnobRecordSize
    static constexpr int KnobRecordSize = 5;
    static constexpr int KnobCount = 16;
    static constexpr int PitchOffset = 201;
    static constexpr int ModOffset = 204;
    static constexpr int TransportOffset = 209; // 6 records of TransportRecordSize
    static constexpr int TransportRecordSize = 4;
    static constexpr int TransportCount = 6;
    static constexpr int ArpOffset = 233;
    static constexpr int FuncOffset = 239;
    static constexpr int EndOffset = BlockSize - 1;

    // What a change touched, as s_changed() reports it.
    enum ChangeKind {
        FieldChange,    // one field through a set...Info call; index: its record
        ColorChange,    // a pad colour; index: the pad
        BatchChange,    // a batch fill
        DefaultsChange, // initDefaultData()
        BlockChange,    // setBlockData()
    };
    Q_ENUM(ChangeKind)

    explicit DataManagement(QObject *parent = nullptr);

    // Pointer to offset 0 of the block; BlockSize bytes may be read through it.
    const char *blockData() const;

    // Copies min(length, BlockSize) bytes from data into the block starting at
    // offset 0 (the rest keeps its values), then emits s_updateDate().
    // Null data or length <= 0 copies nothing (the signal is still emitted).
    void setBlockData(const char *data, int length);

signals:
    // The whole block may have changed: reload every field.
    void s_updateDate();
    // Emitted after every write to the block, single fields included (kind is
    // a ChangeKind; index the record or pad, -1 when there is none).
    void s_changed(int kind, int index);

public slots:
    // Rewrites every parameter byte (offsets 9-243) with the factory defaults,
    // keeps the header and end byte, emits s_updateDate().
    void initDefaultData();

    QVariantMap getPadInfo(int index);
    void setPadInfo(int index, QString valueType, int value);
    void setKnobInfo(int index, QString valueType, int value);
    QVariantMap getKnobInfo(int index);
    void setPitchInfo(QString valueType, int value);
    QVariantMap getPitchInfo();
    void setModInfo(QString valueType, int value);
    QVariantMap getModInfo();
    void setWalkingBeltInfo(int index, QString valueType, int value);
    QVariantMap getWalkingBeltInfo(int index);
    void setARPInfo(QString valueType, int value);
    QVariantMap getARPInfo();
    void setFuncInfo(QString valueType, int value);
    QVariantMap getFuncInfo();

    // Batch fills of a bank (1 = BANK A, 2 = BANK B, 3 = both). Results are
    // clamped to 0-127; any other bank changes nothing.
    void setPadNoteBatch(int bank, QString changeRules, bool isDes, int startValue, int ch);
    void setPadCCBatch(int bank, bool isDes, bool isLatch, int startValue, int ch);
    void setPadPCBatch(int bank, bool isDes, int startValue, int ch);
    void setKnobsBatch(int bank, QString type, bool isDes, int startValue, int ch, int min, int max);

    // Firmware version: offsets 3, 4, 5 as three ints.
    QVariantList getVerInfo();

    // Pad colour. r, g, b are 0-255 (clamped); each is stored halved as a
    // 7-bit data byte. Silent like setPadInfo.
    void setPadColor(int index, int r, int g, int b);
    // "#rrggbb" from the stored components doubled; empty for a bad index.
    QString getPadColor(int index);

private:
    void writeDefaults();
    void fillScaleTables();
    int readByte(int offset) const;
    void writeByte(int offset, int value);
    // Records touched by a batch for the given bank; false for a bad bank.
    static bool bankRange(int bank, int *first, int *last);

    char m_data[BlockSize];
    QMap<QString, QList<int>> m_ascScales;
    QMap<QString, QList<int>> m_desScales;
};

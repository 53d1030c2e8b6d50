#pragma once

// The real parameter store, published to the documents as "DataMgt", that also
// records every call the documents make (one text per call, in order) so tests
// can check exactly what was written and when. The recording slots shadow the
// store's own ones for QML callers and forward to them.

#include "model/DataManagement.h"

#include <QByteArray>
#include <QStringList>

class RecordingDataMgt : public DataManagement
{
    Q_OBJECT
    Q_PROPERTY(QStringList calls READ calls NOTIFY callsChanged)
public:
    using DataManagement::DataManagement;
    QStringList calls() const { return m_calls; }
    Q_INVOKABLE void clearCalls() { m_calls.clear(); emit callsChanged(); }

    // Test helpers: one raw byte of the block, and replacing bytes as a
    // received configuration would (emits s_updateDate once).
    Q_INVOKABLE int byteAt(int offset) const
    {
        return (offset >= 0 && offset < BlockSize) ? quint8(blockData()[offset]) : -1;
    }
    Q_INVOKABLE void receiveBytes(const QVariantMap &offsetToValue)
    {
        QByteArray block(blockData(), BlockSize);
        for (auto it = offsetToValue.cbegin(); it != offsetToValue.cend(); ++it) {
            const int offset = it.key().toInt();
            if (offset >= 0 && offset < BlockSize)
                block[offset] = char(it.value().toInt());
        }
        setBlockData(block.constData(), block.size());
    }

public slots:
    void initDefaultData() { add("initDefaultData"); DataManagement::initDefaultData(); }
    void setPadInfo(int index, QString valueType, int value)
    {
        add(QStringLiteral("setPadInfo %1 %2 %3").arg(index).arg(valueType).arg(value));
        DataManagement::setPadInfo(index, valueType, value);
    }
    void setKnobInfo(int index, QString valueType, int value)
    {
        add(QStringLiteral("setKnobInfo %1 %2 %3").arg(index).arg(valueType).arg(value));
        DataManagement::setKnobInfo(index, valueType, value);
    }
    void setPitchInfo(QString valueType, int value)
    {
        add(QStringLiteral("setPitchInfo %1 %2").arg(valueType).arg(value));
        DataManagement::setPitchInfo(valueType, value);
    }
    void setModInfo(QString valueType, int value)
    {
        add(QStringLiteral("setModInfo %1 %2").arg(valueType).arg(value));
        DataManagement::setModInfo(valueType, value);
    }
    void setWalkingBeltInfo(int index, QString valueType, int value)
    {
        add(QStringLiteral("setWalkingBeltInfo %1 %2 %3").arg(index).arg(valueType).arg(value));
        DataManagement::setWalkingBeltInfo(index, valueType, value);
    }
    void setARPInfo(QString valueType, int value)
    {
        add(QStringLiteral("setARPInfo %1 %2").arg(valueType).arg(value));
        DataManagement::setARPInfo(valueType, value);
    }
    void setFuncInfo(QString valueType, int value)
    {
        add(QStringLiteral("setFuncInfo %1 %2").arg(valueType).arg(value));
        DataManagement::setFuncInfo(valueType, value);
    }
    void setPadNoteBatch(int bank, QString changeRules, bool isDes, int startValue, int ch)
    {
        add(QStringLiteral("setPadNoteBatch %1 %2 %3 %4 %5").arg(bank).arg(changeRules)
                .arg(b(isDes)).arg(startValue).arg(ch));
        DataManagement::setPadNoteBatch(bank, changeRules, isDes, startValue, ch);
    }
    void setPadCCBatch(int bank, bool isDes, bool isLatch, int startValue, int ch)
    {
        add(QStringLiteral("setPadCCBatch %1 %2 %3 %4 %5").arg(bank).arg(b(isDes)).arg(b(isLatch))
                .arg(startValue).arg(ch));
        DataManagement::setPadCCBatch(bank, isDes, isLatch, startValue, ch);
    }
    void setPadPCBatch(int bank, bool isDes, int startValue, int ch)
    {
        add(QStringLiteral("setPadPCBatch %1 %2 %3 %4").arg(bank).arg(b(isDes)).arg(startValue).arg(ch));
        DataManagement::setPadPCBatch(bank, isDes, startValue, ch);
    }
    void setKnobsBatch(int bank, QString type, bool isDes, int startValue, int ch, int min, int max)
    {
        add(QStringLiteral("setKnobsBatch %1 %2 %3 %4 %5 %6 %7").arg(bank).arg(type).arg(b(isDes))
                .arg(startValue).arg(ch).arg(min).arg(max));
        DataManagement::setKnobsBatch(bank, type, isDes, startValue, ch, min, max);
    }
    void setPadColor(int index, int r, int g, int b)
    {
        add(QStringLiteral("setPadColor %1 %2 %3 %4").arg(index).arg(r).arg(g).arg(b));
        DataManagement::setPadColor(index, r, g, b);
    }

signals:
    void callsChanged();

private:
    void add(const QString &call) { m_calls.append(call); emit callsChanged(); }
    static QString b(bool v) { return v ? QStringLiteral("true") : QStringLiteral("false"); }
    QStringList m_calls;
};

#include "model/PresetFormat.h"

#include <QDataStream>
#include <QVector>

namespace PresetFormat {

namespace {

constexpr int kDataStreamVersion = 17; // QDataStream::Qt_5_0 .. Qt_5_1 encoding

} // namespace

QByteArray encode(const char *block, int *repaired)
{
    QVector<Sysex::Repair> repairs;
    const QByteArray message = Sysex::wellFormed(QByteArray(block, Sysex::kBlockSize), &repairs);
    if (repaired)
        *repaired = repairs.size();

    QByteArray content;
    QDataStream stream(&content, QIODevice::WriteOnly);
    stream.setVersion(kDataStreamVersion);
    stream.writeBytes(message.constData(), uint(message.size()));
    return content;
}

QString Decoded::reason() const
{
    switch (problem) {
    case Problem::None:
        return QString();
    case Problem::WrongSize:
        return QStringLiteral("a preset file is %1 bytes").arg(kFileSize);
    case Problem::WrongLength:
        return QStringLiteral("the length field is not %1").arg(Sysex::kBlockSize);
    case Problem::NotAMessage:
        return QStringLiteral("the block is not one configuration message");
    }
    return QString();
}

Decoded decode(const QByteArray &content)
{
    Decoded result;
    if (content.size() != kFileSize) {
        result.problem = Problem::WrongSize;
        return result;
    }
    QDataStream stream(content);
    stream.setVersion(kDataStreamVersion);
    quint32 length = 0;
    stream >> length;
    if (length != quint32(Sysex::kBlockSize)) {
        result.problem = Problem::WrongLength;
        return result;
    }
    const QByteArray block = content.mid(kLengthSize);
    if (!Sysex::isWellFormed(block)) {
        result.problem = Problem::NotAMessage;
        return result;
    }
    result.block = block;
    return result;
}

} // namespace PresetFormat

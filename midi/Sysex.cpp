#include "midi/Sysex.h"

#include <QDebug>
#include <QVector>

namespace Sysex {

namespace {

int signedByte(const QByteArray &bytes, int offset)
{
    return int(qint8(bytes.at(offset)));
}

} // namespace

QByteArray header(Command command)
{
    static const unsigned char bytes[kHeaderSize] = {
        0xF0, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x20, 0x6F};
    QByteArray h(reinterpret_cast<const char *>(bytes), kHeaderSize);
    h[kCommandOffset] = char(command);
    return h;
}

QByteArray request(Command command)
{
    return header(command) + char(0xF7);
}

bool isWellFormed(const QByteArray &block)
{
    if (block.size() != kBlockSize)
        return false;
    if (uchar(block.at(0)) != 0xF0 || uchar(block.at(kBlockSize - 1)) != 0xF7)
        return false;
    for (int i = 1; i < kBlockSize - 1; ++i) {
        if (uchar(block.at(i)) > 0x7F)
            return false;
    }
    return true;
}

QByteArray wellFormed(const QByteArray &block, QVector<Repair> *repairs)
{
    QByteArray out = block.left(kBlockSize);
    if (out.size() < kBlockSize)
        out.append(QByteArray(kBlockSize - out.size(), '\0'));

    // Only data bytes may stand between the start and end bytes; a status byte
    // would end the message early on its way.
    for (int i = 1; i < kBlockSize - 1; ++i) {
        const uchar byte = uchar(out.at(i));
        if (byte > 0x7F) {
            if (repairs)
                repairs->append({i, byte});
            out[i] = char(0x7F);
        }
    }
    // Without its frame the receiver would wait for an end byte that never comes.
    if (uchar(out.at(0)) != 0xF0) {
        if (repairs)
            repairs->append({0, uchar(out.at(0))});
        out[0] = char(0xF0);
    }
    if (uchar(out.at(kBlockSize - 1)) != 0xF7) {
        if (repairs)
            repairs->append({kBlockSize - 1, uchar(out.at(kBlockSize - 1))});
        out[kBlockSize - 1] = char(0xF7);
    }
    return out;
}

QByteArray configurationWrite(const char *block)
{
    if (!block)
        return QByteArray();
    QByteArray copy(block, kBlockSize);
    copy[kCommandOffset] = char(ConfigurationWrite);
    QVector<Repair> repairs;
    const QByteArray message = wellFormed(copy, &repairs);
    for (const Repair &r : repairs) {
        if (r.offset == 0) {
            qWarning() << "configuration start byte repaired to 0xF0";
        } else if (r.offset == kBlockSize - 1) {
            qWarning() << "configuration end byte repaired to 0xF7";
        } else {
            qWarning().noquote() << QStringLiteral("configuration byte %1 is 0x%2, sent as 0x7F")
                                        .arg(r.offset)
                                        .arg(r.was, 2, 16, QLatin1Char('0'));
        }
    }
    return message;
}

QVector<QByteArray> completeMessages(const QByteArray &bytes)
{
    QVector<QByteArray> messages;
    QByteArray current;
    bool inside = false;
    for (const char c : bytes) {
        const uchar byte = uchar(c);
        if (byte >= 0xF8)
            continue; // realtime: belongs to no message
        if (byte == 0xF0) {
            current = QByteArray(1, c); // an unfinished message is abandoned
            inside = true;
        } else if (byte == 0xF7) {
            if (inside) {
                current.append(c);
                messages.append(current);
            }
            current.clear();
            inside = false;
        } else if (byte >= 0x80) {
            current.clear(); // another status byte ends an unfinished message
            inside = false;
        } else if (inside) {
            current.append(c);
        }
    }
    return messages;
}

QByteArray lastCompleteMessage(const QByteArray &bytes)
{
    const QVector<QByteArray> messages = completeMessages(bytes);
    return messages.isEmpty() ? QByteArray() : messages.last();
}

Reply decodeReply(const QByteArray &bytes)
{
    Reply reply;
    reply.received = bytes.size();
    if (bytes.isEmpty()) {
        reply.reason = Reply::Empty;
        return reply;
    }

    const QByteArray message = lastCompleteMessage(bytes);
    if (message.isEmpty()) {
        reply.reason = Reply::Incomplete;
        return reply;
    }

    if (message.size() > kCommandOffset && uchar(message.at(kCommandOffset)) == SerialNumber) {
        const int available = qBound(0, message.size() - kSerialOffset, kSerialLength);
        const char *begin = message.constData() + qMin(kSerialOffset, message.size());
        int length = 0;
        while (length < available && begin[length] != 0 && uchar(begin[length]) != 0xF7)
            ++length;
        reply.kind = Reply::SerialNumberReply;
        reply.reason = Reply::None;
        reply.serialNumber = QString::fromUtf8(begin, length);
        return reply;
    }

    // Only one whole configuration is ever stored: anything shorter or
    // longer would shift or mix the keyboard's settings.
    if (message.size() != kBlockSize) {
        reply.reason = message.size() < kBlockSize ? Reply::TooShort : Reply::TooLong;
        return reply;
    }

    reply.kind = Reply::Configuration;
    reply.reason = Reply::None;
    reply.noteNumber = signedByte(message, kNoteOffset);
    for (int i = 0; i < 3; ++i)
        reply.version[i] = signedByte(message, kVersionOffset + i);
    reply.block = message;
    return reply;
}

} // namespace Sysex

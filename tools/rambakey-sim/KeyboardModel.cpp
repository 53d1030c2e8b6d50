#include "tools/rambakey-sim/KeyboardModel.h"

#include <QRegularExpression>

#include <initializer_list>

void SysexAssembler::reset()
{
    m_buffer.clear();
    m_inSysex = false;
    m_overflow = false;
}

void SysexAssembler::feed(const QByteArray &bytes, QList<QByteArray> &messages, QStringList &problems)
{
    for (const char c : bytes) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0xF8)
            continue; // real-time messages may interleave anything
        if (byte == 0xF0) {
            if (m_inSysex)
                problems << QStringLiteral("System Exclusive without end byte");
            m_buffer = QByteArray(1, c);
            m_inSysex = true;
            m_overflow = false;
            continue;
        }
        if (!m_inSysex)
            continue; // short messages and their data bytes
        if (byte == 0xF7) {
            if (m_overflow) {
                problems << QStringLiteral("System Exclusive longer than %1 bytes").arg(kMaxLength);
            } else {
                m_buffer.append(c);
                messages << m_buffer;
            }
            reset();
            continue;
        }
        if (byte >= 0x80) {
            problems << QStringLiteral("System Exclusive broken off by status byte 0x%1")
                            .arg(byte, 2, 16, QLatin1Char('0'));
            reset();
            continue;
        }
        if (m_buffer.size() >= kMaxLength - 1)
            m_overflow = true;
        if (!m_overflow)
            m_buffer.append(c);
    }
}

KeyboardModel::KeyboardModel() : KeyboardModel(Identity()) {}

KeyboardModel::KeyboardModel(const Identity &identity) : m_identity(identity)
{
    m_block = QByteArray(kBlockSize, 0);
    const unsigned char header[9] = {0xF0, kReplyCommand, static_cast<unsigned char>(identity.note),
                                     identity.version[0], identity.version[1], identity.version[2],
                                     0x00, 0x20, 0x6F};
    for (int i = 0; i < 9; ++i)
        m_block[i] = char(header[i]);
    m_block.replace(9, kBlockSize - 10, factoryParameters());
    m_block[kBlockSize - 1] = char(0xF7);
}

QByteArray KeyboardModel::factoryParameters()
{
    QByteArray p;
    auto add = [&p](std::initializer_list<int> bytes) {
        for (const int b : bytes)
            p.append(char(b));
    };
    for (int i = 0; i < 16; ++i) // pads: NOTE 68+i, channel 5, momentary, colour 127/50/0
        add({0x00, 0x44 + i, 0x05, 0x00, 0x7F, 0x32, 0x00});
    for (int i = 0; i < 16; ++i) // knobs: CC 14+i, max 127, min 0, channel 5
        add({0x00, 0x0E + i, 0x7F, 0x00, 0x05});
    add({0x01, 0x14, 0x05});             // pitch wheel: self-return, 20, channel 5
    add({0x00, 0x42, 0x00, 0x7F, 0x05}); // modulation wheel: CC 66, 0..127, channel 5
    for (int i = 0; i < 6; ++i) // transport buttons: CC 21+i, momentary, channel 5
        add({0x00, 0x15 + i, 0x00, 0x05});
    add({0x7D, 0x00, 0x01, 0x01, 0x01, 0x01}); // arpeggiator: 155 bpm, DOWN, latch, 1/4T, 55%
    add({0x01, 0x01, 0x01, 0x01, 0x01});       // function settings
    return p;
}

KeyboardModel::Outcome KeyboardModel::handle(const QByteArray &message)
{
    Outcome outcome;
    if (message.size() < 3 || static_cast<unsigned char>(message.front()) != 0xF0
        || static_cast<unsigned char>(message.back()) != 0xF7) {
        outcome.event = QStringLiteral("IGNORED malformed message of %1 bytes").arg(message.size());
        return outcome;
    }
    const unsigned char command = static_cast<unsigned char>(message[1]);
    switch (command) {
    case 0x01:
        if (message.size() != kBlockSize) {
            outcome.event = QStringLiteral("IGNORED config write of %1 bytes").arg(message.size());
            return outcome;
        }
        // Only the parameters are settings; the header is the keyboard's own
        // (its firmware version and note number are not the editor's to set).
        m_block.replace(9, kBlockSize - 10, message.mid(9, kBlockSize - 10));
        m_lastWrite = message;
        outcome.event = QStringLiteral("STORED config");
        outcome.changed = true;
        return outcome;
    case 0x02:
    case 0x04:
    case 0x05:
        if (message.size() != kRequestSize) {
            outcome.event = QStringLiteral("IGNORED request 0x%1 of %2 bytes")
                                .arg(command, 2, 16, QLatin1Char('0'))
                                .arg(message.size());
            return outcome;
        }
        break;
    default:
        outcome.event = QStringLiteral("IGNORED unknown command 0x%1").arg(command, 2, 16, QLatin1Char('0'));
        return outcome;
    }

    if (command == 0x02) {
        outcome.event = QStringLiteral("REQUEST config");
        outcome.reply = m_block;
    } else if (command == 0x04) {
        outcome.event = QStringLiteral("REQUEST serial");
        QByteArray reply = m_block.left(9);
        reply[1] = char(0x04);
        QByteArray serial = m_identity.serial.left(kSerialLength);
        serial.append(QByteArray(kSerialLength - serial.size(), '\0'));
        reply.append(serial);
        reply.append(char(0xF7));
        outcome.reply = reply;
    } else {
        outcome.event = QStringLiteral("ENTRY firmware-update");
        outcome.enterLoader = true;
    }
    return outcome;
}

bool KeyboardModel::loadParameters(const QByteArray &file, QString *error)
{
    QByteArray block = file;
    if (file.size() == kBlockSize + 4) {
        const quint32 length = (quint32(quint8(file[0])) << 24) | (quint32(quint8(file[1])) << 16)
                               | (quint32(quint8(file[2])) << 8) | quint32(quint8(file[3]));
        if (length == quint32(kBlockSize))
            block = file.mid(4);
    }
    if (block.size() != kBlockSize) {
        if (error)
            *error = QStringLiteral("expected a 245-byte configuration or a preset file, got %1 bytes")
                         .arg(file.size());
        return false;
    }
    for (int i = 9; i < kBlockSize - 1; ++i) {
        if (static_cast<unsigned char>(block[i]) >= 0x80) {
            if (error)
                *error = QStringLiteral("byte %1 is not a MIDI data byte").arg(i);
            return false;
        }
    }
    m_block.replace(9, kBlockSize - 10, block.mid(9, kBlockSize - 10));
    return true;
}

bool KeyboardModel::parseVersion(const QString &text, unsigned char version[3])
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return false;
    for (int i = 0; i < 3; ++i) {
        const int n = m.captured(i + 1).toInt();
        if (n > 127)
            return false;
        version[i] = static_cast<unsigned char>(n);
    }
    return true;
}

bool KeyboardModel::validSerial(const QByteArray &serial)
{
    if (serial.size() > kSerialLength)
        return false;
    for (const char c : serial) {
        if (c < 0x20 || c > 0x7E)
            return false; // printable ASCII only: every byte must be a MIDI data byte
    }
    return true;
}

#include "midi/Sysex.h"

#include <QDebug>

namespace Sysex {

QByteArray request(Command command)
{
    static const unsigned char bytes[kRequestSize] = {
        0xF0, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x20, 0x6F, 0xF7};
    QByteArray message(reinterpret_cast<const char *>(bytes), kRequestSize);
    message[1] = char(command);
    return message;
}

QByteArray configurationWrite(const char *block)
{
    if (!block)
        return QByteArray();
    QByteArray message(block, kBlockSize);
    message[1] = char(ConfigurationWrite);

    // Only data bytes may stand between the start and end bytes; a status byte
    // would end the message early on its way to the keyboard.
    for (int i = 1; i < kBlockSize - 1; ++i) {
        const unsigned char byte = static_cast<unsigned char>(message[i]);
        if (byte >= 0x80) {
            qWarning().noquote() << QStringLiteral("configuration byte %1 is 0x%2, sent as 0x7F")
                                        .arg(i)
                                        .arg(byte, 2, 16, QLatin1Char('0'));
            message[i] = char(0x7F);
        }
    }
    // A block loaded from a damaged preset may lack its frame; the keyboard
    // would wait for an end byte that never comes.
    if (static_cast<unsigned char>(message[0]) != 0xF0) {
        qWarning() << "configuration start byte repaired to 0xF0";
        message[0] = char(0xF0);
    }
    if (static_cast<unsigned char>(message[kBlockSize - 1]) != 0xF7) {
        qWarning() << "configuration end byte repaired to 0xF7";
        message[kBlockSize - 1] = char(0xF7);
    }
    return message;
}

} // namespace Sysex

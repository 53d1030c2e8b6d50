#pragma once

#include <QByteArray>

#include <cstring>

// Replies as the keyboard sends them, written out byte by byte so that the
// tests do not build them with the code they test.

// A 245-byte configuration reply (command 0x03) whose third byte reports the
// pad note number; the parameters follow a fixed pattern.
inline QByteArray keyboardConfiguration(int note = 60)
{
    QByteArray c(245, 0);
    const unsigned char header[] = {0xF0, 0x03, 0x00, 0x02, 0x01, 0x0A, 0x00, 0x20, 0x6F};
    for (int i = 0; i < 9; ++i)
        c[i] = char(header[i]);
    c[2] = char(note);
    for (int i = 9; i < 244; ++i)
        c[i] = char((i * 7) & 0x7F);
    c[244] = char(0xF7);
    return c;
}

// A serial-number reply of total bytes (26 from the keyboard) carrying serial
// after its header, zeros after it and the end byte last.
inline QByteArray serialReply(const QByteArray &serial, int total = 26)
{
    QByteArray r(total, 0);
    const QByteArray head = QByteArray::fromHex("F004000100000020 6F");
    std::memcpy(r.data(), head.constData(), size_t(qMin(total, head.size())));
    for (int i = 0; i < serial.size() && 9 + i < total; ++i)
        r[9 + i] = serial.at(i);
    r[total - 1] = char(0xF7);
    return r;
}

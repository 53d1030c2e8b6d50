#pragma once

#include <QByteArray>
#include <QString>

// The receiving side of a YMODEM batch transfer of one file (CRC-16, 128- and
// 1024-byte blocks), as the keyboard's firmware loader runs it. Pure protocol:
// bytes in, bytes out, one tick per second of silence; no I/O of its own.
//
// The exchange it answers with: 'C' until block 0 (file name and size)
// arrives; ACK and 'C' for block 0; ACK for each data block; NAK for the first
// EOT; ACK and 'C' for the second; ACK for the empty end-of-batch block.
// A block that repeats the last one (its ACK was lost) is acknowledged again;
// a damaged block (bad CRC or number complement) gets a NAK; a block out of
// sequence, an unsafe file name or an oversized file cancels the transfer
// (five CAN bytes); two CAN bytes from the sender end it.
class YmodemReceiver
{
public:
    enum class State { WaitHeader, WaitData, WaitSecondEot, WaitEndOfBatch, Done, Failed };

    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
    static constexpr int kSilentTicksBeforeNak = 3;
    static constexpr int kSilentTicksToFail = 30;

    State state() const { return m_state; }
    bool finished() const { return m_state == State::Done || m_state == State::Failed; }
    QString fileName() const { return m_fileName; }
    QByteArray fileData() const { return m_data; } // cut to the announced size
    QString error() const { return m_error; }

    // Bytes to answer with after `bytes` arrived.
    QByteArray feed(const QByteArray &bytes);
    // One second passed without input: what to send ('C' asks for block 0).
    QByteArray tick();

    // Ends the transfer from outside (the sender closed the line).
    void abort(const QString &reason) { fail(reason, false); }

    static quint16 crc16(const char *data, int length);

private:
    QByteArray handlePacket(const QByteArray &packet);
    QByteArray handleHeader(const QByteArray &payload);
    QByteArray fail(const QString &reason, bool cancel);

    State m_state = State::WaitHeader;
    QByteArray m_buffer;
    QByteArray m_data;
    QString m_fileName;
    qint64 m_fileSize = -1;
    quint8 m_expected = 1;
    int m_silentTicks = 0;
    int m_cans = 0;
    QString m_error;
};

#include "tools/rambakey-sim/YmodemReceiver.h"

namespace {
constexpr char SOH = 0x01;
constexpr char STX = 0x02;
constexpr char EOT = 0x04;
constexpr char ACK = 0x06;
constexpr char NAK = 0x15;
constexpr char CAN = 0x18;
constexpr char CRC_REQUEST = 'C';
} // namespace

quint16 YmodemReceiver::crc16(const char *data, int length)
{
    quint16 crc = 0;
    for (int i = 0; i < length; ++i) {
        crc ^= quint16(quint8(data[i])) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

QByteArray YmodemReceiver::fail(const QString &reason, bool cancel)
{
    m_state = State::Failed;
    m_error = reason;
    m_buffer.clear();
    return cancel ? QByteArray(5, CAN) : QByteArray();
}

QByteArray YmodemReceiver::tick()
{
    if (finished())
        return QByteArray();
    ++m_silentTicks;
    if (m_state == State::WaitHeader)
        return QByteArray(1, CRC_REQUEST); // the sender may not be listening yet
    if (m_silentTicks >= kSilentTicksToFail)
        return fail(QStringLiteral("the sender went silent"), true);
    if (m_silentTicks % kSilentTicksBeforeNak != 0)
        return QByteArray();
    m_buffer.clear(); // a half-received block will be sent again
    return QByteArray(1, m_state == State::WaitEndOfBatch ? CRC_REQUEST : NAK);
}

QByteArray YmodemReceiver::feed(const QByteArray &bytes)
{
    QByteArray answer;
    if (finished() || bytes.isEmpty())
        return answer;
    m_silentTicks = 0;
    m_buffer += bytes;
    while (!m_buffer.isEmpty() && !finished()) {
        const char first = m_buffer.at(0);
        if (first == SOH || first == STX) {
            const int size = (first == SOH ? 128 : 1024) + 5;
            if (m_buffer.size() < size)
                break; // the rest of the block is on its way
            const QByteArray packet = m_buffer.left(size);
            m_buffer.remove(0, size);
            m_cans = 0;
            answer += handlePacket(packet);
            continue;
        }
        m_buffer.remove(0, 1);
        if (first == CAN) {
            if (++m_cans >= 2)
                answer += fail(QStringLiteral("cancelled by the sender"), false);
            continue;
        }
        m_cans = 0;
        if (first != EOT)
            continue; // line noise between blocks
        if (m_state == State::WaitData) {
            m_state = State::WaitSecondEot;
            answer += NAK; // make sure the end really is the end
        } else if (m_state == State::WaitSecondEot || m_state == State::WaitEndOfBatch) {
            if (m_fileSize >= 0 && m_data.size() < m_fileSize) {
                answer += ACK;
                answer += fail(QStringLiteral("%1 bytes received of %2 announced")
                                   .arg(m_data.size())
                                   .arg(m_fileSize),
                               false);
                continue;
            }
            if (m_fileSize >= 0)
                m_data.truncate(int(m_fileSize));
            m_state = State::WaitEndOfBatch;
            answer += ACK;
            answer += CRC_REQUEST; // ask for the next file header
        }
    }
    return answer;
}

QByteArray YmodemReceiver::handlePacket(const QByteArray &packet)
{
    const quint8 number = quint8(packet[1]);
    const quint8 complement = quint8(packet[2]);
    const QByteArray payload = packet.mid(3, packet.size() - 5);
    const quint16 crc = quint16((quint8(packet[packet.size() - 2]) << 8) | quint8(packet[packet.size() - 1]));
    if (quint8(number ^ complement) != 0xFF || crc16(payload.constData(), payload.size()) != crc)
        return QByteArray(1, NAK);

    // The empty end-of-batch block closes the transfer once the file is whole,
    // also when it comes before the EOT handshake is through (a zero-length
    // file, or a sender that took an early 'C' as the call for it).
    const bool endOfBatch = number == 0 && payload.at(0) == 0;
    if (endOfBatch && (m_state == State::WaitData || m_state == State::WaitSecondEot)
        && m_fileSize >= 0 && m_data.size() >= m_fileSize) {
        m_data.truncate(int(m_fileSize));
        m_state = State::Done;
        return QByteArray(1, ACK);
    }

    switch (m_state) {
    case State::WaitHeader:
        if (number != 0)
            return fail(QStringLiteral("data block %1 before the file header").arg(number), true);
        return handleHeader(payload);
    case State::WaitData:
        if (number == m_expected) {
            m_data += payload;
            if (m_data.size() > kMaxFileSize + 1024)
                return fail(QStringLiteral("file larger than %1 bytes").arg(kMaxFileSize), true);
            ++m_expected;
            return QByteArray(1, ACK);
        }
        if (number == quint8(m_expected - 1)) // our ACK was lost: the block came again
            return m_expected == 1 ? QByteArray("\x06" "C", 2) : QByteArray(1, ACK);
        return fail(QStringLiteral("block %1 where %2 was due").arg(number).arg(m_expected), true);
    case State::WaitEndOfBatch:
        if (endOfBatch) {
            m_state = State::Done;
            return QByteArray(1, ACK);
        }
        return fail(QStringLiteral("a second file was offered; the loader takes one"), true);
    default:
        return QByteArray(1, NAK);
    }
}

QByteArray YmodemReceiver::handleHeader(const QByteArray &payload)
{
    const int nameEnd = payload.indexOf('\0');
    const QByteArray name = payload.left(nameEnd < 0 ? 0 : nameEnd);
    if (name.isEmpty()) {
        m_state = State::Failed;
        m_error = QStringLiteral("the batch held no file");
        return QByteArray(1, ACK);
    }
    // The image is stored under its own name in the loader's folder: no paths.
    bool control = false;
    for (const char c : name)
        control = control || quint8(c) < 0x20 || c == 0x7F;
    if (control || name.contains('/') || name.contains('\\') || name == "." || name == ".."
        || name.size() > 120)
        return fail(QStringLiteral("unsafe file name \"%1\"").arg(QString::fromUtf8(name)), true);
    const QByteArray rest = payload.mid(nameEnd + 1);
    int digits = 0;
    while (digits < rest.size() && rest.at(digits) >= '0' && rest.at(digits) <= '9')
        ++digits;
    if (digits > 0) {
        bool ok = false;
        m_fileSize = rest.left(digits).toLongLong(&ok);
        if (!ok || m_fileSize > kMaxFileSize)
            return fail(QStringLiteral("file of %1 bytes is too large").arg(QString::fromLatin1(rest.left(digits))),
                        true);
    }
    m_fileName = QString::fromUtf8(name);
    m_state = State::WaitData;
    m_expected = 1;
    return QByteArray("\x06" "C", 2);
}

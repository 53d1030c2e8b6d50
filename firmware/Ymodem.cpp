#include "firmware/Ymodem.h"

#include <QDebug>

#include <cstring>

namespace {
constexpr uint8_t PaddingFirst = 0x00;  // padding of block 0 and block 1
constexpr uint8_t PaddingLater = 0x1A;  // padding of every later data block
constexpr uint32_t CancelCount = 5;
}

Ymodem::Ymodem(uint32_t timeDivide, uint32_t timeMax, uint32_t errorMax)
    : timeDivide(timeDivide),
      timeMax(timeMax),
      errorMax(errorMax),
      timeCount(0),
      errorCount(0),
      dataCount(0),
      rxState(0),
      stage(StageNone),
      rxLength(0),
      txLength(0)
{
    std::memset(rxBuffer, 0, sizeof rxBuffer);
    std::memset(txBuffer, 0, sizeof txBuffer);
}

Ymodem::~Ymodem() = default;

void Ymodem::setTimeDivide(uint32_t value)
{
    timeDivide = value;
}

void Ymodem::setTimeMax(uint32_t value)
{
    timeMax = value;
}

void Ymodem::setErrorMax(uint32_t value)
{
    errorMax = value;
}

uint16_t Ymodem::crc16(const uint8_t *data, uint32_t length)
{
    uint16_t crc = 0;
    for (uint32_t i = 0; i < length; ++i) {
        crc ^= static_cast<uint16_t>(data[i]) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ 0x1021)
                                 : static_cast<uint16_t>(crc << 1);
    }
    return crc;
}

void Ymodem::transmit()
{
    switch (stage) {
    case StageNone:
        transmitStageNone();
        break;
    case StageEstablishing:
        transmitStageEstablishing();
        break;
    case StageEstablished:
        transmitStageEstablished();
        break;
    case StageTransmitting:
        transmitStageTransmitting();
        break;
    case StageFinishing:
        transmitStageFinishing();
        break;
    case StageFinished:
        transmitStageFinished();
        break;
    }
}

void Ymodem::cancelTransfer()
{
    const bool running = stage != StageNone;
    reset();
    if (running)
        cancel();
}

void Ymodem::dropTransfer()
{
    reset();
}

// Takes at most one control byte per call. Incoming blocks (which a sender
// never expects) are assembled over as many calls as they need and then
// reported by their header byte.
Ymodem::Code Ymodem::receivePacket()
{
    if (rxState == 0) {
        if (read(rxBuffer, 1) != 1)
            return CodeNone;
        const uint8_t head = rxBuffer[0];
        if (head != CodeSoh && head != CodeStx)
            return static_cast<Code>(head);
        const uint32_t total = head == CodeSoh ? PacketSize128 + PacketOverhead
                                               : PacketSize1024 + PacketOverhead;
        uint32_t count = read(rxBuffer + 1, total - 1);
        if (count > total - 1)   // a misbehaving read cannot push us past the buffer
            count = total - 1;
        if (count == total - 1)
            return static_cast<Code>(head);
        rxState = head == CodeSoh ? 1 : 2;
        rxLength = 1 + count;
        return CodeNone;
    }

    const uint32_t total = rxState == 1 ? PacketSize128 + PacketOverhead
                                        : PacketSize1024 + PacketOverhead;
    if (rxLength >= total) {   // cannot happen unless the fields were disturbed
        rxState = 0;
        return CodeNone;
    }
    uint32_t count = read(rxBuffer + rxLength, total - rxLength);
    if (count > total - rxLength)
        count = total - rxLength;
    if (rxLength + count == total) {
        const Code head = rxState == 1 ? CodeSoh : CodeStx;
        rxState = 0;
        rxLength = 0;
        return head;
    }
    rxLength += count;
    return CodeNone;
}

void Ymodem::zeroCounters()
{
    timeCount = 0;
    errorCount = 0;
    dataCount = 0;
    rxState = 0;
}

void Ymodem::reset()
{
    zeroCounters();
    staleCPossible = false;
    rxLength = 0;
    stage = StageNone;
}

void Ymodem::cancel()
{
    std::memset(txBuffer, CodeCan, CancelCount);
    txLength = CancelCount;
    write(txBuffer, txLength);
}

void Ymodem::abort()
{
    reset();
    callback(StatusAbort, nullptr, nullptr);
}

void Ymodem::errorAnswer()
{
    ++errorCount;
    if (errorCount > errorMax) {
        reset();
        cancel();
        callback(StatusError, nullptr, nullptr);
    } else {
        write(txBuffer, txLength);
    }
}

void Ymodem::idlePoll()
{
    ++timeCount;
    // timeDivide + 1 wraps to 0 for the largest value; treat that as "never resend".
    const uint32_t interval = timeDivide + 1;
    const uint32_t q = interval ? timeCount / interval : 0;
    const uint32_t r = interval ? timeCount % interval : 1;
    if (q > timeMax) {
        const bool establishing = stage == StageEstablishing;
        reset();
        cancel();
        callback(establishing ? StatusTimeout : StatusError, nullptr, nullptr);
    } else if (r == 0 && stage != StageEstablishing) {
        write(txBuffer, txLength);
    }
}

void Ymodem::refuse()
{
    reset();
    cancel();
}

void Ymodem::sendPacket(uint8_t header, uint8_t number, uint32_t dataLength)
{
    const uint16_t crc = crc16(txBuffer + 3, dataLength);
    txBuffer[0] = header;
    txBuffer[1] = number;
    txBuffer[2] = static_cast<uint8_t>(0xFF - number);
    txBuffer[3 + dataLength] = static_cast<uint8_t>(crc >> 8);
    txBuffer[4 + dataLength] = static_cast<uint8_t>(crc & 0xFF);
    txLength = dataLength + PacketOverhead;
    write(txBuffer, txLength);
}

void Ymodem::sendEot()
{
    txBuffer[0] = CodeEot;
    txLength = 1;
    write(txBuffer, txLength);
}

// Data blocks carry exactly 128 or 1024 bytes; anything else would be a
// malformed packet (or, above 1024, overrun the buffer) and refuses the block.
bool Ymodem::validBlockLength(uint32_t length) const
{
    return length == PacketSize128 || length == PacketSize1024;
}

void Ymodem::transmitStageNone()
{
    zeroCounters();
    rxLength = 0;
    stage = StageEstablishing;
}

void Ymodem::transmitStageEstablishing()
{
    switch (receivePacket()) {
    case CodeC: {
        std::memset(txBuffer + 3, PaddingFirst, PacketSize128);
        txLength = PacketSize128;
        const Code answer = callback(StatusEstablish, txBuffer + 3, &txLength);
        if (answer == CodeAck && txLength == PacketSize128) {
            zeroCounters();
            stage = StageEstablished;
            sendPacket(CodeSoh, 0x00, PacketSize128);
        } else {
            refuse();
        }
        break;
    }
    case CodeCan:
    case CodeA1:
    case CodeA2:
        abort();
        break;
    default:
        idlePoll();
        break;
    }
}

void Ymodem::transmitStageEstablished()
{
    switch (receivePacket()) {
    case CodeAck: {
        std::memset(txBuffer + 3, PaddingFirst, PacketSize1024);
        txLength = PacketSize1024;
        const Code answer = callback(StatusTransmit, txBuffer + 3, &txLength);
        if (answer == CodeAck && validBlockLength(txLength)) {
            qDebug() << "transmitStageEstablished CodeAck";
            timeCount = 0;
            errorCount = 0;
            rxState = 0;
            dataCount = 1;
            stage = StageTransmitting;
            sendPacket(txLength > PacketSize128 ? CodeStx : CodeSoh, dataCount, txLength);
        } else if (answer == CodeEot) {
            zeroCounters();
            stage = StageFinishing;
            staleCPossible = true;
            sendEot();
        } else {
            refuse();
        }
        break;
    }
    case CodeNak:
        errorAnswer();
        break;
    case CodeC:
        // Receivers repeat 'C' until block 0 arrives, so a 'C' here is most
        // often one sent before it did, with the ACK right behind it. Skip it
        // and keep what follows; a receiver that really missed block 0 gets
        // it again with the next resend. An endless stream still ends the
        // transfer through the error limit.
        ++errorCount;
        if (errorCount > errorMax) {
            reset();
            cancel();
            callback(StatusError, nullptr, nullptr);
        }
        break;
    case CodeCan:
    case CodeA1:
    case CodeA2:
        abort();
        break;
    default:
        idlePoll();
        break;
    }
}

void Ymodem::transmitStageTransmitting()
{
    switch (receivePacket()) {
    case CodeAck: {
        std::memset(txBuffer + 3, PaddingLater, PacketSize1024);
        txLength = PacketSize1024;
        const Code answer = callback(StatusTransmit, txBuffer + 3, &txLength);
        if (answer == CodeAck && validBlockLength(txLength)) {
            ++dataCount;
            timeCount = 0;
            errorCount = 0;
            rxState = 0;
            sendPacket(txLength > PacketSize128 ? CodeStx : CodeSoh, dataCount, txLength);
        } else if (answer == CodeEot) {
            zeroCounters();
            stage = StageFinishing;
            sendEot();
        } else {
            refuse();
        }
        break;
    }
    case CodeNak:
        errorAnswer();
        break;
    case CodeCan:
    case CodeA1:
    case CodeA2:
        abort();
        break;
    default:
        idlePoll();
        break;
    }
}

void Ymodem::transmitStageFinishing()
{
    const Code code = receivePacket();
    if (code == CodeC && staleCPossible) {
        // The 'C' that followed block 0's ACK, not an answer to EOT.
        staleCPossible = false;
        idlePoll();
        return;
    }
    if (code == CodeAck || code == CodeNak)
        staleCPossible = false;
    switch (code) {
    case CodeNak:
        zeroCounters();
        sendEot();
        break;
    case CodeC:
        std::memset(txBuffer + 3, PaddingFirst, PacketSize128);
        zeroCounters();
        staleCPossible = false;
        stage = StageFinished;
        sendPacket(CodeSoh, 0x00, PacketSize128);
        break;
    case CodeCan:
    case CodeA1:
    case CodeA2:
        abort();
        break;
    default:
        idlePoll();
        break;
    }
}

void Ymodem::transmitStageFinished()
{
    switch (receivePacket()) {
    case CodeAck:
        reset();
        callback(StatusFinish, nullptr, nullptr);
        break;
    case CodeNak:
    case CodeC:
        errorAnswer();
        break;
    case CodeCan:
    case CodeA1:
    case CodeA2:
        abort();
        break;
    default:
        idlePoll();
        break;
    }
}

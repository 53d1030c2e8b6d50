#pragma once

#include <QByteArray>

#include <cstdint>

// Transport-independent YMODEM sender (batch mode with one file, CRC-16,
// 128- and 1024-byte blocks). A subclass supplies byte input and output and
// the file's contents through four pure virtual operations and calls
// transmit() once per poll; every call advances the protocol by at most one
// received control byte. Nothing here blocks, allocates per packet or throws.
class Ymodem
{
public:
    enum Code : uint8_t {
        CodeNone = 0x00,
        CodeSoh = 0x01,
        CodeStx = 0x02,
        CodeEot = 0x04,
        CodeAck = 0x06,
        CodeNak = 0x15,
        CodeCan = 0x18,
        CodeA1 = 0x41,
        CodeC = 0x43,
        CodeA2 = 0x61
    };

    enum Stage {
        StageNone = 0,
        StageEstablishing = 1,
        StageEstablished = 2,
        StageTransmitting = 3,
        StageFinishing = 4,
        StageFinished = 5
    };

    enum Status {
        StatusEstablish = 0,
        StatusTransmit = 1,
        StatusFinish = 2,
        StatusAbort = 3,
        StatusTimeout = 4,
        StatusError = 5
    };

    static constexpr uint32_t PacketSize128 = 128;
    static constexpr uint32_t PacketSize1024 = 1024;
    static constexpr uint32_t PacketOverhead = 5; // header, number, complement, two CRC bytes
    static constexpr uint32_t BufferSize = PacketSize1024 + PacketOverhead;

    explicit Ymodem(uint32_t timeDivide = 499, uint32_t timeMax = 5, uint32_t errorMax = 999);
    virtual ~Ymodem();

    Ymodem(const Ymodem &) = delete;
    Ymodem &operator=(const Ymodem &) = delete;

    void setTimeDivide(uint32_t timeDivide);
    void setTimeMax(uint32_t timeMax);
    void setErrorMax(uint32_t errorMax);

    // One step of the sender's state machine.
    void transmit();

    // CRC-16/XMODEM: polynomial 0x1021, initial value 0, no reflection, no final XOR.
    static uint16_t crc16(const uint8_t *data, uint32_t length);

protected:
    // Data source and status sink. StatusEstablish: write block 0 (name, 0x00,
    // size digits, 0x00) into the 128 zero bytes of buffer, set *length to 128
    // and return CodeAck. StatusTransmit: copy the next part of the file into
    // buffer (pre-filled with padding), set *length to 128 or 1024 and return
    // CodeAck, or return CodeEot when the file is complete. Any other answer
    // refuses the transfer (the engine sends the cancel sequence and reports
    // nothing further). Terminal statuses pass null pointers; the answer is ignored.
    virtual Code callback(Status status, uint8_t *buffer, uint32_t *length) = 0;
    // Copies at most length pending bytes into buffer; 0 when nothing is pending.
    virtual uint32_t read(uint8_t *buffer, uint32_t length) = 0;
    // Queues length bytes for sending.
    virtual uint32_t write(uint8_t *buffer, uint32_t length) = 0;
    // Removes and returns everything pending on input.
    virtual QByteArray readAll() = 0;

    // Ends a running transfer from the sender's side: back to StageNone with
    // all counters zero and, when a transfer was under way, the cancel
    // sequence (five CAN bytes) sent so the receiver stops waiting. No status
    // callback follows; the caller reports the outcome itself.
    void cancelTransfer();
    // The same without sending anything, for when the line is gone.
    void dropTransfer();

    Stage currentStage() const { return stage; }

    uint32_t timeDivide;
    uint32_t timeMax;
    uint32_t errorMax;
    uint32_t timeCount;
    uint32_t errorCount;
    uint8_t dataCount;
    int rxState;
    Stage stage;
    uint8_t rxBuffer[BufferSize];
    uint8_t txBuffer[BufferSize];
    uint32_t rxLength;
    uint32_t txLength;

private:
    // An empty file goes from block 0 straight to EOT. The receiver's 'C'
    // that follows its ACK of block 0 (asking for data) is then still on its
    // way; it must not be taken as the request for the end-of-batch block,
    // or the receiver's ACK of EOT would be taken as the final ACK.
    bool staleCPossible = false;

    Code receivePacket();

    void transmitStageNone();
    void transmitStageEstablishing();
    void transmitStageEstablished();
    void transmitStageTransmitting();
    void transmitStageFinishing();
    void transmitStageFinished();

    void reset();
    void cancel();
    void abort();
    void errorAnswer();
    void idlePoll();
    void refuse();
    void zeroCounters();
    void sendPacket(uint8_t header, uint8_t number, uint32_t dataLength);
    void sendEot();
    bool validBlockLength(uint32_t length) const;
};

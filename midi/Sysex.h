#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QVector>

// The System Exclusive messages exchanged with the keyboard: what the editor
// sends, the rule every configuration message keeps, and how a received
// message is read. Pure functions, no ports.
namespace Sysex {

enum Command : unsigned char {
    ConfigurationWrite = 0x01,
    ConfigurationRequest = 0x02,
    SerialNumber = 0x04,
    FirmwareUpdateEntry = 0x05,
};

constexpr int kBlockSize = 245;    // configuration message = parameter block
constexpr int kHeaderSize = 9;     // offsets 0-8 of every message
constexpr int kRequestSize = 10;   // the editor's requests: header, then 0xF7
constexpr int kMaxReceived = 512;  // largest message handed over by the input port

// Header offsets.
constexpr int kCommandOffset = 1;
constexpr int kNoteOffset = 2;     // note number (configuration replies)
constexpr int kVersionOffset = 3;  // three version numbers: 3, 4, 5

// F0 <command> 00 01 00 00 00 20 6F: the header of the editor's requests and
// of the factory block (with command ConfigurationWrite).
QByteArray header(Command command);

// F0 <command> 00 01 00 00 00 20 6F F7
QByteArray request(Command command);

// One complete configuration message: kBlockSize bytes, 0xF0 first, 0xF7
// last, only data bytes (< 0x80) between.
bool isWellFormed(const QByteArray &block);

// A byte wellFormed() had to replace.
struct Repair
{
    int offset;
    unsigned char was;
};

// The block (kBlockSize bytes; a shorter one is padded with zeros, a longer
// one taken up to kBlockSize) made well-formed: a byte >= 0x80 between the
// first and last byte becomes 0x7F, a missing 0xF0 / 0xF7 frame is put back.
// The replaced bytes are listed in repairs, if given: the data bytes in
// ascending order, then the start byte, then the end byte.
QByteArray wellFormed(const QByteArray &block, QVector<Repair> *repairs = nullptr);

// The 245-byte configuration write: the block made well-formed with offset 1
// set to 0x01; each repaired byte is logged as a warning. The block itself is
// never changed. Empty for a null block.
QByteArray configurationWrite(const char *block);

// The complete System Exclusive messages in bytes received from a MIDI port,
// read as MIDI defines the stream: 0xF0 starts a message, 0xF7 completes it;
// any other status byte (0x80-0xF6) ends an unfinished message without
// completing it, and so does a new 0xF0; realtime bytes (0xF8-0xFF) may
// stand anywhere, even inside a message, and belong to none; data bytes
// outside a message (running status of other messages) belong to none
// either. Each message comes out whole, 0xF0 to 0xF7, realtime bytes left out.
QVector<QByteArray> completeMessages(const QByteArray &bytes);
// The last of them; empty when there is none.
QByteArray lastCompleteMessage(const QByteArray &bytes);

// What a message from the keyboard is.
struct Reply
{
    enum Kind {
        SerialNumberReply, // serialNumber holds the text
        Configuration,     // noteNumber, version and block hold the configuration
        Ignored,           // reason tells why
    };
    enum Reason {
        None,
        Empty,             // no bytes at all
        TooShort,          // not a serial number and shorter than a configuration
        TooLong,           // not a serial number and longer than a configuration
        Incomplete,        // no complete message (an unfinished one, or none at all)
    };

    Kind kind = Ignored;
    Reason reason = Empty;
    int received = 0;      // bytes looked at

    QString serialNumber;

    int noteNumber = 0;    // offset 2, as a signed byte
    int version[3] = {0, 0, 0}; // offsets 3, 4, 5, as signed bytes
    // The whole configuration: always one well-formed kBlockSize message.
    QByteArray block;
};

// A serial-number reply: offsets 9-23, ended early by a zero byte, by 0xF7
// or by the end of the reply.
constexpr int kSerialOffset = 9;
constexpr int kSerialLength = 15;

// Reads what a port delivered: only its last complete message counts (see
// completeMessages), by its command byte (offset 1): 0x04 is a serial
// number; anything else is a configuration when it is exactly one
// configuration message long, and ignored otherwise. Never reads past the end.
Reply decodeReply(const QByteArray &bytes);

} // namespace Sysex

Q_DECLARE_METATYPE(Sysex::Reply::Reason)

#pragma once

#include <QByteArray>

// The System Exclusive messages exchanged with the keyboard.
namespace Sysex {

enum Command : unsigned char {
    ConfigurationWrite = 0x01,
    ConfigurationRequest = 0x02,
    SerialNumber = 0x04,
    FirmwareUpdateEntry = 0x05,
};

constexpr int kBlockSize = 245;    // configuration message = parameter block
constexpr int kRequestSize = 10;   // the editor's requests
constexpr int kMaxReceived = 512;  // largest message handed over by the input port

// F0 <command> 00 01 00 00 00 20 6F F7
QByteArray request(Command command);

// The 245-byte configuration write: a copy of the block with offset 1 set to
// 0x01. A byte >= 0x80 between the first and last byte is sent as 0x7F and a
// warning is logged, and a missing 0xF0 / 0xF7 frame (a damaged preset) is
// put back, so the message always stays valid System Exclusive. The block
// itself is never changed. Empty for a null block.
QByteArray configurationWrite(const char *block);

} // namespace Sysex

#pragma once

#include "midi/Sysex.h"

#include <QByteArray>
#include <QString>

// The bytes of a preset file (".stm"): the Qt data-stream encoding (version
// 17) of one byte array, that is a 32-bit big-endian length, 245, followed by
// the parameter block, which is one configuration message. No files and no
// dialogs here: callers read and write the bytes.
namespace PresetFormat {

constexpr int kLengthSize = 4;
constexpr int kFileSize = kLengthSize + Sysex::kBlockSize; // 249

// The file's content for a block of Sysex::kBlockSize bytes. The block is
// made well-formed first (Sysex::wellFormed), so that every saved preset can
// be opened again; repaired, if given, receives the number of bytes replaced.
QByteArray encode(const char *block, int *repaired = nullptr);

// Why content is not a preset.
enum class Problem {
    None,
    WrongSize,    // not exactly kFileSize bytes
    WrongLength,  // the length field is not 245
    NotAMessage,  // the block is not one well-formed configuration message
};

struct Decoded
{
    Problem problem = Problem::None;
    QByteArray block; // Sysex::kBlockSize bytes when problem is None, else empty

    bool ok() const { return problem == Problem::None; }
    // One line for logs and command-line messages.
    QString reason() const;
};

// Reads a preset from the file's content. A caller reading from a file needs
// no more than kFileSize + 1 bytes to tell a preset from a longer file.
Decoded decode(const QByteArray &content);

} // namespace PresetFormat

#pragma once

#include <QByteArray>
#include <QString>

// The bytes of a raw System Exclusive dump of a configuration (".syx"): the
// 245-byte configuration message exactly as the editor sends it to the
// keyboard (command byte 0x01), so that other MIDI librarians and `amidi -s`
// can use it. No files and no dialogs here: callers read and write the bytes.
namespace SyxFormat {

// True for a file name ending in ".syx" (any case).
bool isSyxName(const QString &path);

// True when content starts like a dump (0xF0) rather than like a preset file
// (its length field): the two formats are told apart by this.
bool looksLikeDump(const QByteArray &content);

// The dump of a block of Sysex::kBlockSize bytes: the configuration write.
QByteArray encode(const char *block);

// The block a dump holds: exactly one well-formed configuration message with
// command 0x01 (a write) or 0x02 (a keyboard's reply). Empty otherwise, with
// one line saying why in *reason.
QByteArray decode(const QByteArray &content, QString *reason = nullptr);

// How much of a file to read: one byte more than the largest configuration
// file tells a longer file apart without reading all of it.
int readLimit();

// The block of a configuration file of either kind, a dump or a preset, told
// apart by content. Empty otherwise, with one line saying why in *reason.
QByteArray decodeFile(const QByteArray &content, QString *reason = nullptr);

} // namespace SyxFormat

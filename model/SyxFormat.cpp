#include "model/SyxFormat.h"

#include "midi/Sysex.h"
#include "model/PresetFormat.h"

namespace SyxFormat {

bool isSyxName(const QString &path)
{
    return path.endsWith(QLatin1String(".syx"), Qt::CaseInsensitive);
}

bool looksLikeDump(const QByteArray &content)
{
    return !content.isEmpty() && uchar(content.at(0)) == 0xF0;
}

QByteArray encode(const char *block)
{
    return Sysex::configurationWrite(block);
}

QByteArray decode(const QByteArray &content, QString *reason)
{
    auto refuse = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return QByteArray();
    };
    if (content.size() != Sysex::kBlockSize)
        return refuse(QStringLiteral("a configuration dump has %1 bytes, not %2")
                          .arg(Sysex::kBlockSize)
                          .arg(content.size()));
    if (!Sysex::isWellFormed(content))
        return refuse(QStringLiteral("not one System Exclusive message of data bytes"));
    const uchar command = uchar(content.at(Sysex::kCommandOffset));
    if (command != Sysex::ConfigurationWrite && command != Sysex::ConfigurationRequest)
        return refuse(QStringLiteral("not a configuration (command %1)")
                          .arg(command, 2, 16, QLatin1Char('0')));
    if (reason)
        reason->clear();
    return content;
}

int readLimit()
{
    return PresetFormat::kFileSize + 1;
}

QByteArray decodeFile(const QByteArray &content, QString *reason)
{
    if (looksLikeDump(content))
        return decode(content, reason);
    const PresetFormat::Decoded preset = PresetFormat::decode(content);
    if (preset.block.isEmpty() && reason)
        *reason = preset.reason();
    return preset.block;
}

} // namespace SyxFormat

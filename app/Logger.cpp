#include "app/Logger.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

// Document head written once at the top of every new log file. The body and
// the document stay open: each message appends one <div> line.
const QString &logHeader()
{
    static const QString *const header = new QString(QString::fromUtf8(R"HTML(
<?xml version="1.0" encoding="utf-8" standalone="yes"?>
<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">
<html xmlns="http://www.w3.org/1999/xhtml">
<head>
<title>RambaKEY Q7X Editor log</title>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8" />
<style type="text/css" id="logCss">
body { background: #18242b; color: #afc6d1; margin-left: 20px; margin-right: 20px; font-size: 14px; font-family: Arial, sans-serif, sans; }
a { text-decoration: none; }
a:link { color: #a0b2bb; }
a:active { color: #f59504; }
a:visited { color: #adc7d4; }
a:hover { color: #e49115; }
h1 { text-align: center; }
h2 { color: #ebe5e5; }
.d, .w, .c, .f, .i { padding: 3px; overflow: auto; }
.d { background-color: #0f1011; color: #a8c1ce; }
.i { background-color: #294453; color: #a8c1ce; }
.w { background-color: #7993a0; color: #1b2329; }
.c { background-color: #ff952b; color: #1d2930; }
.f { background-color: #fc0808; color: #19242b; }
</style>
</head>
<body>
<h1>RambaKEY Q7X Editor log</h1>
<script type="text/javascript">
function objHide(obj) { obj.style.display = "none"; }
function objShow(obj) { obj.style.display = "block"; }
function selectType() {
    var types = ['d', 'i', 'w', 'c', 'f'];
    var value = document.getElementById("typeSelect").value;
    for (var t = 0; t < types.length; ++t) {
        var items = document.getElementsByClassName(types[t]);
        for (var n = 0; n < items.length; ++n) {
            if (value == 'a' || value == types[t])
                objShow(items[n]);
            else
                objHide(items[n]);
        }
    }
}
</script>
<select id="typeSelect" onchange="selectType()">
<option value='a' selected="selected">All</option>
<option value='d'>Debug</option>
<option value='i'>Info</option>
<option value='w'>Warning</option>
<option value='c'>Critical</option>
<option value='f'>Fatal</option>
</select>
)HTML"));
    return *header;
}

// Level letters indexed by QtMsgType; they are also the entries' CSS classes.
const char kLevelLetters[] = "dwcfi";

QChar levelLetter(QtMsgType type)
{
    const int index = int(type);
    if (index < 0 || index > 4)
        return QLatin1Char('d');
    return QLatin1Char(kLevelLetters[index]);
}

// Set once by installLogHandler.
struct LogConfig
{
    QMutex mutex;
    QString dir;
    int maxFiles = 0;
};

// The handler stays installed until the process ends, so messages may still
// come from the destructors of other static objects. Its state is therefore
// created on first use and never destroyed (every entry is flushed at once).
LogConfig &config()
{
    static LogConfig *c = new LogConfig;
    return *c;
}

std::atomic<QDateTime (*)()> g_clock{nullptr};

// File state, created on the handler's first call (function-local statics
// are initialised once, thread-safely).
struct LogState
{
    QMutex mutex;
    QFile file;
    quint32 written = 0;
    const QString entryTemplate = QStringLiteral("<div class=\"%1\">%2</div>\r\n");
};

LogState &state()
{
    static LogState *s = new LogState;
    return *s;
}

// Set while this thread is inside the handler, so a message raised by the
// file code itself cannot dead-lock on the non-recursive lock.
thread_local bool t_inHandler = false;

std::atomic<bool> g_copyToStderr{true};

void writeToStderr(const QString &line)
{
    if (!g_copyToStderr.load(std::memory_order_relaxed))
        return;
    QByteArray bytes = line.toUtf8();
    bytes.append('\n');
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

// Appends bytes as a whole or not at all: a write cut short (disk full, file
// size limit) is taken back, so the next entry never lands on a fragment.
bool appendWhole(QFile &file, const QByteArray &bytes)
{
    const qint64 before = file.size();
    if (file.write(bytes) == bytes.size())
        return true;
    if (file.size() != before)
        file.resize(before);
    return false;
}

// Opens the current file name for appending.
void openForAppend(LogState &s)
{
    s.file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
}

// Appends one entry, preceded by the document head when the file is still
// empty (new, or its head could not be written while the disk was full).
void appendEntry(LogState &s, const QByteArray &entry)
{
    if (s.file.size() == 0 && !appendWhole(s.file, logHeader().toUtf8() + "\r\n"))
        return;
    appendWhole(s.file, entry);
}

void prune(const QString &dirPath, int maxFiles)
{
    QDir dir(dirPath);
    QStringList names = dir.entryList(QDir::Files, QDir::Name);
    const int keep = qMax(0, maxFiles);
    while (names.size() > keep) {
        dir.remove(names.first());
        names.removeFirst();
    }
}

} // namespace

void installLogHandlerAt(const QString &absoluteDir, int maxFiles)
{
    // A write past the file size limit then fails with an error instead of
    // killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    {
        LogConfig &c = config();
        QMutexLocker locker(&c.mutex);
        c.dir = absoluteDir;
        c.maxFiles = maxFiles;
    }
    // The folder is known before the handler sees its first message.
    qInstallMessageHandler(logMessageHandler);
    if (!QDir(absoluteDir).exists())
        QDir().mkpath(QDir(absoluteDir).absolutePath());
    prune(absoluteDir, maxFiles);
}

void installLogHandler(const QString &dirName, int maxFiles)
{
    installLogHandlerAt(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                            + QLatin1Char('/') + dirName,
                        maxFiles);
}

QString logDirectoryPath()
{
    LogConfig &c = config();
    QMutexLocker locker(&c.mutex);
    return c.dir;
}

void logMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    Q_UNUSED(context)
    auto clock = g_clock.load();
    const QDateTime now = clock ? clock() : QDateTime::currentDateTime();
    // Formatted without QLocale, whose data may already be gone when a static
    // destructor logs at exit: "yyyy-MM-dd_hh" and "yyyy-MM-dd hh:mm:ss".
    const QDate date = now.date();
    const QTime time = now.time();
    const QString hourStamp = QString::asprintf("%04d-%02d-%02d_%02d", date.year(), date.month(),
                                                date.day(), time.hour());
    const QString timeStamp =
        QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", date.year(), date.month(), date.day(),
                          time.hour(), time.minute(), time.second());
    const QString plainLine = QStringLiteral("%1 %2").arg(timeStamp, message);

    if (t_inHandler) {
        writeToStderr(plainLine);
        return;
    }
    t_inHandler = true;

    const QString dir = logDirectoryPath();
    if (!dir.isEmpty()) {
        LogState &s = state();
        // Messages carry text from the keyboard and the network: escape it so
        // it can never turn into markup or script inside the log page.
        const QString entry = s.entryTemplate.arg(levelLetter(type)).arg(plainLine.toHtmlEscaped());
        const QString fileName = QStringLiteral("%1/%2_log.html").arg(dir, hourStamp);

        QMutexLocker locker(&s.mutex);
        if (s.file.fileName() != fileName || !s.file.isOpen()) {
            if (s.file.isOpen()) {
                s.file.close();
            }
            s.file.setFileName(fileName);
            openForAppend(s);
        }
        if (s.file.isOpen()) {
            // UTF-8 without a text codec: the codecs are gone when a static
            // destructor logs at exit. The file is unbuffered.
            appendEntry(s, entry.toUtf8());
            s.written += quint32(entry.size());
            // Past the first 512 characters the file is reopened after every
            // entry, so a file moved or deleted by someone else is recreated.
            if (s.written >= 512) {
                s.file.close();
                openForAppend(s);
            }
        }
    }

    t_inHandler = false;
    writeToStderr(plainLine);
}

void logStartupLine(const char *mainSourceFile)
{
    qDebug() << mainSourceFile << 20 << "================progress start================";
}

namespace LoggerTesting {

void setClock(QDateTime (*clock)())
{
    g_clock.store(clock);
}

void reset()
{
    LogState &s = state();
    QMutexLocker locker(&s.mutex);
    s.file.close();
    s.file.setFileName(QString());
    s.written = 0;
}

} // namespace LoggerTesting

void setLogCopyToStderr(bool copy)
{
    g_copyToStderr.store(copy, std::memory_order_relaxed);
}

#pragma once
// Hourly HTML log files for every Qt message, plus a copy of each line on stderr.
//
// installLogHandler("Log", 1024) is called once, after the QApplication exists
// (the per-user data folder is derived from the application name). Every
// qDebug/qInfo/qWarning/qCritical/qFatal from any thread then lands in
// <AppLocalDataLocation>/Log/yyyy-MM-dd_hh_log.html.

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// Installs logMessageHandler and prepares <AppLocalDataLocation>/<dirName>;
// removes the oldest files (by name) so at most maxFiles remain.
void installLogHandler(const QString &dirName, int maxFiles);

// Same as installLogHandler, with an absolute log folder instead of a folder
// under the per-user data location.
void installLogHandlerAt(const QString &absoluteDir, int maxFiles);

// The Qt message handler: appends one entry per message to the current hour's
// file and writes the plain line "<yyyy-MM-dd hh:mm:ss> <message>" to stderr.
void logMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

// Whether each line also goes to stderr (the default). Command-line jobs turn
// it off: their stderr carries only their own progress and reason.
void setLogCopyToStderr(bool copy);

// The folder the handler writes to (empty before installLogHandler).
QString logDirectoryPath();

// Writes the program's start-up line as a debug message: the given source file
// path, 20 and "================progress start================", separated by
// blanks. Call as logStartupLine(__FILE__) from main.
void logStartupLine(const char *mainSourceFile);

// Hooks for tests only.
namespace LoggerTesting {
// Replaces the clock the handler reads; nullptr restores the real clock.
void setClock(QDateTime (*clock)());
// Closes the current file and zeroes the written-characters counter, as at start-up.
void reset();
}

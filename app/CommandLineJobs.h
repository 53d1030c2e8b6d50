#pragma once
// Jobs the editor does without its window, from the command line: list the
// keyboards, fetch or send a configuration, put a firmware image on the
// keyboard, ask the firmware server what it offers. They need only a
// QCoreApplication (no display). Each ends with one of the exit codes below
// and, when it fails, one line on stderr that says why.

#include <QString>
#include <QUrl>

class QCommandLineParser;

namespace CommandLineJobs {

enum ExitCode : int {
    ExitOk = 0,
    ExitUsage = 2,          // the command line is wrong
    ExitNoKeyboard = 3,     // no keyboard (MIDI ports or firmware loader) found
    ExitNoAnswer = 4,       // the keyboard did not answer in time
    ExitBadFile = 5,        // file cannot be read or written, or is not a preset
    ExitMidiFailure = 6,    // the keyboard's ports cannot be opened, or a send failed
    ExitFirmwareFailed = 7, // the firmware transfer failed
    ExitServerFailure = 8,  // the firmware server failed or offers nothing usable
    ExitEditorRunning = 9,  // the window is open in another process
    ExitStopped = 130,      // stopped by SIGINT, SIGTERM or SIGHUP
};

struct Job {
    enum Kind { None, List, Get, Send, Firmware, FirmwareCheck };
    Kind kind = None;
    QString path;           // FILE of --get/--send, IMAGE of --firmware
    QString midiApi;        // "", "alsa" or "jack"
    QUrl firmwareServer;    // empty: the built-in one
    QString loaderPort;     // empty: found by USB ids
};

// Adds --list, --get, --send, --firmware and --firmware-check.
void addOptions(QCommandLineParser &parser);

// True when argv names one of the job options (so the program should start
// without a window). A job option that turns out to be only the value of
// another option is sorted out by jobFrom().
bool mentionsJob(int argc, char *argv[]);

// The job the parsed command line asks for (kind None when none). False, with
// the reason, when it asks for more than one or a job's argument is unusable.
bool jobFrom(const QCommandLineParser &parser, Job *job, QString *error);

// Whether the job talks to the keyboard and so must not run beside the window.
bool needsKeyboard(const Job &job);

// Asks a running job to stop (from a signal handler's notifier): it ends at
// its next wait with ExitStopped; a firmware transfer is cancelled.
void requestStop();

// Prints "<program>: <reason>" on stderr and returns code.
int fail(ExitCode code, const QString &reason);

// Runs the job; a QCoreApplication must exist and the MIDI system be
// installed (MidiBackend::setInstance). Returns the exit code.
int run(const Job &job);

} // namespace CommandLineJobs

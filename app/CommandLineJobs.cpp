#include "app/CommandLineJobs.h"

#include "app/KeyboardExchange.h"
#include "device/UsbIds.h"
#include "firmware/FirmwareUpdate.h"
#include "firmware/MyFtp.h"
#include "midi/MidiBackend.h"
#include "midi/MidiPorts.h"
#include "midi/Sysex.h"
#include "model/DataManagement.h"
#include "model/PresetFormat.h"
#include "model/SyxFormat.h"
#include "ui/Prompter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSerialPortInfo>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <unistd.h>

namespace CommandLineJobs {

namespace {

bool g_stopRequested = false;

// After the firmware-update entry message: how long the keyboard keeps its
// MIDI port (as the window waits), and how long its loader may take to appear.
constexpr int kHandOverDelayMs = 1000;
constexpr int kLoaderWaitMs = 15000;

const char kListOption[] = "list";
const char kGetOption[] = "get";
const char kSendOption[] = "send";
const char kFirmwareOption[] = "firmware";
const char kFirmwareCheckOption[] = "firmware-check";

void printLine(FILE *stream, const QString &line)
{
    const QByteArray bytes = line.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// Keeps what the back end would have shown in a message box, so that a job
// can report it; a job never opens a dialog.
class ConsolePrompter : public Prompter
{
public:
    ConsolePrompter() { Prompter::setInstance(this); }
    ~ConsolePrompter() override { Prompter::setInstance(nullptr); }

    QMessageBox::StandardButton message(QMessageBox::Icon, QWidget *, const QString &,
                                        const QString &text, QMessageBox::StandardButtons,
                                        QMessageBox::StandardButton) override
    {
        lastMessage = text;
        return QMessageBox::Ok;
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }

    QString lastMessage;
};

// Runs the event loop until done() holds or ms have passed; true when it
// held. Gives up at once when the job is asked to stop.
bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        const qint64 left = ms - clock.elapsed();
        if (left <= 0 || g_stopRequested)
            return false;
        QEventLoop loop;
        QTimer::singleShot(int(qMin<qint64>(left, 50)), &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void pause(int ms)
{
    waitFor([] { return false; }, ms);
}

// The device ids of every MIDI port that carries the keyboard's name.
struct KeyboardPorts {
    QList<int> inputs;
    QList<int> outputs;
};

KeyboardPorts findKeyboard()
{
    KeyboardPorts ports;
    if (!MidiBackend::instance())
        return ports;
    const QString product = QString::fromLatin1(kKeyboardProductName);
    const QMap<int, QString> inputs = listMidiInDevices();
    for (auto it = inputs.cbegin(); it != inputs.cend(); ++it) {
        if (it.value() == product)
            ports.inputs << it.key();
    }
    const QMap<int, QString> outputs = listMidiOutDevices();
    for (auto it = outputs.cbegin(); it != outputs.cend(); ++it) {
        if (it.value() == product)
            ports.outputs << it.key();
    }
    return ports;
}

// Looks the keyboard's ports up through the exchange; false when it has none.
bool hasKeyboardPorts(KeyboardExchange *keyboard)
{
    keyboard->keyboardArrived();
    return keyboard->inputDeviceIndex() >= 0 && keyboard->outputDeviceIndex() >= 0;
}

// Hears why a write to the keyboard failed: its ports were busy, or it left.
struct WriteOutcome {
    explicit WriteOutcome(KeyboardExchange &keyboard)
    {
        QObject::connect(&keyboard, &KeyboardExchange::portsBusy, [this] { busy = true; });
        QObject::connect(&keyboard, &KeyboardExchange::keyboardGone, [this] { gone = true; });
    }

    // The exit code and reason for a write that failed; what names the write.
    int failure(const QString &what) const
    {
        if (gone)
            return fail(ExitNoKeyboard, QStringLiteral("the keyboard went away"));
        if (busy)
            return fail(ExitMidiFailure,
                        QStringLiteral("the keyboard's MIDI ports cannot be opened (another "
                                       "program may be using them)"));
        return fail(ExitMidiFailure, QStringLiteral("%1 could not be sent").arg(what));
    }

    bool busy = false;
    bool gone = false;
};

struct Loader {
    QString path;
    QString ids; // "0416:0204", or "-" for a port named on the command line
};

// The firmware loaders present: the port named by --loader-port when it
// exists, otherwise the serial ports with the loader's USB ids.
QList<Loader> findLoaders(const QString &namedPort)
{
    QList<Loader> loaders;
    if (!namedPort.isEmpty()) {
        if (QFileInfo::exists(namedPort))
            loaders.append({namedPort, QStringLiteral("-")});
        return loaders;
    }
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        if (!info.hasVendorIdentifier() || !info.hasProductIdentifier()
            || !UsbIds::isLoader(info.vendorIdentifier(), info.productIdentifier()))
            continue;
        loaders.append({info.systemLocation(), QStringLiteral("%1:%2")
                                                   .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                                                   .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'))});
    }
    return loaders;
}

int runList(const Job &job)
{
    const KeyboardPorts keyboard = findKeyboard();
    const QList<Loader> loaders = findLoaders(job.loaderPort);
    const QString api = MidiBackend::instance() ? MidiBackend::instance()->apiName()
                                                : QStringLiteral("-");
    const int keyboards = qMax(keyboard.inputs.size(), keyboard.outputs.size());
    auto id = [](const QList<int> &ids, int i) {
        return i < ids.size() ? QString::number(ids.at(i)) : QStringLiteral("-");
    };
    for (int i = 0; i < keyboards; ++i) {
        printLine(stdout, QStringLiteral("midi\t%1\t%2\tin %3 out %4")
                              .arg(api, QString::fromLatin1(kKeyboardProductName),
                                   id(keyboard.inputs, i), id(keyboard.outputs, i)));
    }
    for (const Loader &loader : loaders)
        printLine(stdout, QStringLiteral("loader\t%1\t%2").arg(loader.path, loader.ids));
    if (keyboards == 0 && loaders.isEmpty())
        return fail(ExitNoKeyboard, QStringLiteral("no keyboard found"));
    return ExitOk;
}

// Progress of the firmware transfer on stderr: one updating line on a
// terminal, a line every 10 % otherwise.
class ProgressPrinter
{
public:
    void show(int percent)
    {
        if (percent == m_last)
            return;
        if (m_terminal) {
            std::fprintf(stderr, "\rsending firmware: %3d%%", percent);
        } else if (percent / 10 != m_last / 10 || percent == 100) {
            std::fprintf(stderr, "sending firmware: %d%%\n", percent);
        } else {
            m_last = percent;
            return;
        }
        std::fflush(stderr);
        m_last = percent;
    }
    void end()
    {
        if (m_terminal && m_last >= 0) {
            std::fputc('\n', stderr);
            std::fflush(stderr);
        }
        m_last = -1;
    }

private:
    bool m_terminal = ::isatty(2);
    int m_last = -1;
};

// How long a fetch waits for the keyboard's configuration.
constexpr int kReplyTimeoutMs = 3000;

int runGet(const Job &job)
{
    // The file first: a path that cannot be written fails before the keyboard is asked.
    QSaveFile file(job.path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(ExitBadFile,
                    QStringLiteral("cannot write %1: %2").arg(job.path, file.errorString()));

    DataManagement store;
    KeyboardExchange keyboard(&store);
    if (!hasKeyboardPorts(&keyboard))
        return fail(ExitNoKeyboard, QStringLiteral("no keyboard found"));
    WriteOutcome outcome(keyboard);
    bool received = false;
    bool failed = false;
    keyboard.setReplyTimeout(kReplyTimeoutMs);
    QObject::connect(&keyboard, &KeyboardExchange::configurationReceived,
                     [&received] { received = true; });
    QObject::connect(&keyboard, &KeyboardExchange::configurationFailed,
                     [&failed] { failed = true; });
    if (!keyboard.requestConfiguration())
        return outcome.failure(QStringLiteral("the request"));
    // The exchange ends the wait itself (configurationFailed at its timeout);
    // the margin only guards against a reply that never resolves.
    waitFor([&] { return received || failed || outcome.gone; }, kReplyTimeoutMs + 2000);
    keyboard.closePorts();
    if (g_stopRequested)
        return fail(ExitStopped, QStringLiteral("stopped"));
    if (!received)
        return fail(ExitNoAnswer, QStringLiteral("the keyboard did not answer within %1 ms")
                                      .arg(kReplyTimeoutMs));

    // A dump is the message as it is sent to the keyboard; a preset keeps the
    // block as received, as the window's Save does.
    const QByteArray bytes = SyxFormat::isSyxName(job.path)
                                 ? SyxFormat::encode(store.blockData())
                                 : PresetFormat::encode(store.blockData());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fail(ExitBadFile,
                    QStringLiteral("cannot write %1: %2").arg(job.path, file.errorString()));
    return ExitOk;
}

int runSend(const Job &job)
{
    QFile file(job.path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(ExitBadFile,
                    QStringLiteral("cannot read %1: %2").arg(job.path, file.errorString()));
    const QByteArray content = file.read(SyxFormat::readLimit());
    file.close();
    QString reason;
    const QByteArray block = SyxFormat::decodeFile(content, &reason);
    if (block.isEmpty())
        return fail(ExitBadFile, QStringLiteral("%1 is not a preset: %2").arg(job.path, reason));

    DataManagement store;
    store.setBlockData(block.constData(), block.size());
    KeyboardExchange keyboard(&store);
    if (!hasKeyboardPorts(&keyboard))
        return fail(ExitNoKeyboard, QStringLiteral("no keyboard found"));
    WriteOutcome outcome(keyboard);
    if (!keyboard.sendConfiguration())
        return outcome.failure(QStringLiteral("the configuration"));
    return ExitOk;
}

int runFirmware(const Job &job)
{
    const QFileInfo image(job.path);
    if (!image.isFile() || !image.isReadable())
        return fail(ExitBadFile, QStringLiteral("cannot read the firmware image %1").arg(job.path));
    if (image.size() == 0)
        return fail(ExitBadFile, QStringLiteral("the firmware image %1 is empty").arg(job.path));

    // A keyboard on MIDI is switched into its loader first, as the window does.
    DataManagement store;
    KeyboardExchange keyboard(&store);
    bool handedOver = false;
    if (hasKeyboardPorts(&keyboard)) {
        WriteOutcome outcome(keyboard);
        if (!keyboard.requestFirmwareUpdateEntry())
            return outcome.failure(QStringLiteral("the firmware-update message"));
        printLine(stderr, QStringLiteral("the keyboard is switching to its firmware loader"));
        pause(kHandOverDelayMs);
        keyboard.closePorts();
        handedOver = true;
    }
    if (g_stopRequested)
        return fail(ExitStopped, QStringLiteral("stopped"));

    QList<Loader> loaders;
    waitFor([&] { return !(loaders = findLoaders(job.loaderPort)).isEmpty(); },
            handedOver ? kLoaderWaitMs : 0);
    if (g_stopRequested)
        return fail(ExitStopped, QStringLiteral("stopped"));
    if (loaders.isEmpty()) {
        if (handedOver)
            return fail(ExitNoKeyboard,
                        QStringLiteral("the keyboard's firmware loader did not appear within %1 s")
                            .arg(kLoaderWaitMs / 1000));
        return fail(ExitNoKeyboard, QStringLiteral("no keyboard found"));
    }
    const QString port = loaders.first().path;
    printLine(stderr, QStringLiteral("firmware loader at %1").arg(port));

    ConsolePrompter prompter;
    FirmwareUpdate update;
    update.setLoaderPortName(port);
    ProgressPrinter progress;
    int result = -1;
    QObject::connect(&update, &FirmwareUpdate::transmitProgress, &update,
                     [&progress](int value) { progress.show(value); });
    QObject::connect(&update, &FirmwareUpdate::transStatus, &update,
                     [&result](bool ok) { result = ok ? 1 : 0; });
    // Why the update could not start, or why its transfer failed.
    QString failure;
    QObject::connect(&update, &FirmwareUpdate::updateFailed, &update,
                     [&failure](const QString &message) { failure = message; });
    update.startUpdate(image.absoluteFilePath());
    if (result < 0 && !failure.isEmpty())
        return fail(ExitFirmwareFailed, failure);
    // The transfer ends by itself: YMODEM has its own time limits.
    waitFor([&result] { return result >= 0; }, std::numeric_limits<int>::max());
    progress.end();
    if (result < 0) // stopped: destroying the running transfer cancels it on the line
        return fail(ExitStopped, QStringLiteral("stopped, the firmware transfer was cancelled"));
    if (result != 1)
        return fail(ExitFirmwareFailed,
                    failure.isEmpty()
                        ? QStringLiteral("the firmware transfer to %1 failed").arg(port)
                        : failure);
    printLine(stderr, QStringLiteral("firmware sent"));
    return ExitOk;
}

int runFirmwareCheck(const Job &job)
{
    ConsolePrompter prompter;
    MyFtp ftp;
    if (!job.firmwareServer.isEmpty())
        ftp.setServerUrl(job.firmwareServer);
    // Whatever the server offers counts as newer: the job reports it as it is.
    ftp.setDeviceConnected(true);
    ftp.setCurrentVersion(QStringLiteral("0"));

    bool answered = false;
    QString failure;
    DescribeInfo offered;
    QObject::connect(&ftp, &MyFtp::checkFailed, &ftp,
                     [&failure](const QString &message) { failure = message; });
    QObject::connect(&ftp, &MyFtp::info, &ftp,
                     [&](const QString &name, double ver, const QStringList &notes) {
                         answered = true;
                         offered.name = name;
                         offered.ver = ver;
                         offered.info = notes;
                     });
    ftp.checkOnLineFirmware();
    if (!prompter.lastMessage.isEmpty())
        return fail(ExitServerFailure, prompter.lastMessage);
    // Every check ends with info or checkFailed; the stall timeout bounds it.
    waitFor([&] { return answered || !failure.isEmpty(); }, MyFtp::DefaultStallTimeout + 5000);
    if (g_stopRequested)
        return fail(ExitStopped, QStringLiteral("stopped"));
    if (!answered)
        return fail(ExitServerFailure,
                    QStringLiteral("no firmware description from %1%2")
                        .arg(ftp.describeUrl().toString(QUrl::RemoveUserInfo),
                             failure.isEmpty() ? QString() : QStringLiteral(": ") + failure));
    if (offered.name == QLatin1String("null") || offered.ver <= 0)
        return fail(ExitServerFailure,
                    QStringLiteral("the firmware server offers no usable firmware"));
    printLine(stdout, QString::number(offered.ver, 'g', 12));
    printLine(stdout, offered.name);
    for (const QString &note : qAsConst(offered.info))
        printLine(stdout, note);
    return ExitOk;
}

} // namespace

int fail(ExitCode code, const QString &reason)
{
    // A reason from the back end may span lines; the job's reason is one line.
    printLine(stderr, QStringLiteral("%1: %2")
                          .arg(QCoreApplication::applicationName(), reason.simplified()));
    return code;
}

void requestStop()
{
    g_stopRequested = true;
}

void addOptions(QCommandLineParser &parser)
{
    parser.addOption({QString::fromLatin1(kListOption),
                      QStringLiteral("List the connected keyboards (MIDI ports, firmware "
                                     "loaders) and exit.")});
    parser.addOption({QString::fromLatin1(kGetOption),
                      QStringLiteral("Get the keyboard's configuration into a preset file "
                                     "(.syx: the configuration message as sent; otherwise "
                                     ".stm) and exit."),
                      QStringLiteral("file")});
    parser.addOption({QString::fromLatin1(kSendOption),
                      QStringLiteral("Send a preset file (.stm or .syx) to the keyboard and "
                                     "exit."),
                      QStringLiteral("file")});
    parser.addOption({QString::fromLatin1(kFirmwareOption),
                      QStringLiteral("Put a firmware image on the keyboard through its "
                                     "loader (progress on stderr) and exit."),
                      QStringLiteral("image")});
    parser.addOption({QString::fromLatin1(kFirmwareCheckOption),
                      QStringLiteral("Print the firmware server's newest firmware (version, "
                                     "file name, notes) and exit.")});
}

bool mentionsJob(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        QByteArray arg(argv[i]);
        if (arg == "--")
            break;
        if (!arg.startsWith("--"))
            continue;
        arg = arg.mid(2).split('=').first();
        for (const char *name :
             {kListOption, kGetOption, kSendOption, kFirmwareOption, kFirmwareCheckOption}) {
            if (arg == name)
                return true;
        }
    }
    return false;
}

bool jobFrom(const QCommandLineParser &parser, Job *job, QString *error)
{
    struct Candidate {
        const char *option;
        Job::Kind kind;
        bool takesPath;
    };
    const Candidate candidates[] = {
        {kListOption, Job::List, false},         {kGetOption, Job::Get, true},
        {kSendOption, Job::Send, true},          {kFirmwareOption, Job::Firmware, true},
        {kFirmwareCheckOption, Job::FirmwareCheck, false},
    };
    job->kind = Job::None;
    for (const Candidate &candidate : candidates) {
        const QString name = QString::fromLatin1(candidate.option);
        if (!parser.isSet(name))
            continue;
        if (job->kind != Job::None || (candidate.takesPath && parser.values(name).size() > 1)) {
            *error = QStringLiteral("one job at a time: --list, --get, --send, --firmware or "
                                    "--firmware-check");
            return false;
        }
        job->kind = candidate.kind;
        if (candidate.takesPath) {
            job->path = parser.value(name);
            if (job->path.isEmpty()) {
                *error = QStringLiteral("--%1 needs a file name").arg(name);
                return false;
            }
        }
    }
    return true;
}

bool needsKeyboard(const Job &job)
{
    return job.kind == Job::Get || job.kind == Job::Send || job.kind == Job::Firmware;
}

int run(const Job &job)
{
    switch (job.kind) {
    case Job::List:
        return runList(job);
    case Job::Firmware:
        return runFirmware(job);
    case Job::FirmwareCheck:
        return runFirmwareCheck(job);
    case Job::Get:
        return runGet(job);
    case Job::Send:
        return runSend(job);
    case Job::None:
        break;
    }
    return fail(ExitUsage, QStringLiteral("no job given"));
}

} // namespace CommandLineJobs

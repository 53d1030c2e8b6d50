// rambakey-sim: stands in for a Vornel RambaKEY Q7X keyboard on this machine's
// MIDI system, so that the editor can be run and tested without the hardware.
//
// MIDI client
//   The simulator registers one MIDI client named "Vornel RambaKEY Q7X"
//   (--name to change it): on ALSA one duplex sequencer port
//   "Vornel RambaKEY Q7X MIDI 1", as a USB MIDI device appears; on JACK the
//   ports "MIDI 1 in" and "MIDI 1 out" (the client name is taken exactly;
//   starting a second simulator on the same server fails). --api picks the
//   system; without it ALSA is used when /dev/snd/seq can be opened, JACK
//   otherwise. With JACK the server must be running first (JACK_DEFAULT_SERVER
//   selects a named server, for the simulator and the editor alike).
//
// What it answers (every message is one System Exclusive message F0 ... F7)
//   F0 02 .. (10 bytes)  configuration request: replies with its 245-byte
//                        configuration: F0, command 0x02 (the request's own
//                        command echoed), the note number (--note, default 60),
//                        its firmware version (--version, default 1.0.2, shown
//                        by the editor as "1.02"), 00 20 6F, parameters, F7.
//   F0 04 .. (10 bytes)  serial-number request: replies with 25 bytes: the same
//                        9-byte header with command 0x04, the serial number
//                        (--serial, printable ASCII, at most 15 characters)
//                        zero-padded to 15 bytes at offsets 9-23, F7.
//   F0 01 .. (245 bytes) configuration write: stores offsets 9-243 (the
//                        parameters) and sends no answer. The header is the
//                        keyboard's own: its firmware version, note number and
//                        reply command are kept whatever the write carries.
//   F0 05 .. (10 bytes)  firmware-update entry: see "Loader" below.
//   Requests must be exactly 10 bytes and writes exactly 245; offsets 2-8 of
//   a request are not checked. Anything else (wrong length, unknown command,
//   a message broken off or longer than 4096 bytes) is ignored with a line
//   "IGNORED <reason>". Notes, controllers and real-time bytes pass silently.
//   Factory parameters are those of the editor's "Restore The Default";
//   --config FILE starts from the parameters of a 245-byte configuration or
//   a ".stm" preset file instead. --reply-delay MS delays every reply.
//   --fragment-first sends a cut-off message (F0 02 11 22 33, no end byte)
//   as its own event just before every reply.
//
// Loader (firmware update)
//   On the firmware-update entry the simulator leaves MIDI (its client and
//   ports disappear, as the real keyboard re-enumerates) and becomes the
//   firmware loader: a pseudo-terminal appears, reachable through the link
//   --loader-link (default /tmp/rambakey-loader), with a YMODEM receiver
//   behind it (one file per batch, CRC-16, 128/1024-byte blocks; it calls for
//   the header with 'C' about 100 ms after the device is opened and then once
//   a second, NAKs the first EOT, ACKs the second and asks for the end of the
//   batch with 'C'). The image is stored under its own name (no paths) in
//   --loader-dir (default "rambakey-loader-images" in the temp folder; a file
//   of the same name is replaced). When the transfer ends, fails, or after
//   --loader-timeout seconds (default 120) without one, the device and its
//   link go away and the keyboard comes back on MIDI ("READY" again).
//   USB identifiers cannot be faked on a pseudo-terminal: the editor has to be
//   told the device path.
//   --no-loader keeps it on MIDI and only reports the entry.
//
// Output (stdout, one line per event, flushed at once)
//   READY                           the MIDI ports are registered
//   REQUEST config | REQUEST serial a request was answered
//   STORED config                   a configuration write was stored
//   ENTRY firmware-update           the firmware-update entry arrived
//   LOADER ready PATH               the loader's serial device is at PATH
//   LOADER received NAME SIZE SHA256
//   LOADER failed REASON            no image (timeout, aborted transfer)
//   IGNORED REASON                  a malformed or unknown message
//   EXIT                            leaving after SIGTERM or SIGINT
//   Errors go to stderr. --dump FILE keeps FILE (replaced atomically) equal to
//   the 245 bytes a configuration reply would carry now, from start-up on.
//   --last-write FILE keeps FILE equal to the last configuration write exactly
//   as it arrived (command byte 0x01 and the editor's header included); it is
//   removed at start-up and written at each write. Both files are up to date
//   when the line about the message ("STORED config") is printed.
//
// Exit status: 0 after SIGTERM/SIGINT (ports removed), 1 when the MIDI
// client cannot be made or the MIDI system goes away, 2 for bad options.

#include "tools/rambakey-sim/KeyboardModel.h"
#include "tools/rambakey-sim/LoaderPort.h"
#include "tools/rambakey-sim/SimMidiPort.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int signal)
{
    const char c = char(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

void say(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void complain(const QString &line)
{
    std::fprintf(stderr, "rambakey-sim: %s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

struct Options {
    QString api;
    QString name = QStringLiteral("Vornel RambaKEY Q7X");
    QString dumpPath;
    QString lastWritePath;
    int replyDelayMs = 0;
    bool fragmentFirst = false;
    bool loader = true;
    QString loaderLink = QStringLiteral("/tmp/rambakey-loader");
    QString loaderDir;
    int loaderTimeoutS = 120;
};

class Simulator : public QObject
{
public:
    Simulator(const Options &options, const KeyboardModel &model)
        : m_options(options), m_model(model)
    {
    }

    bool startMidi()
    {
        QString error;
        m_port = SimMidiPort::open(m_options.api, m_options.name, &error);
        if (!m_port) {
            complain(error);
            return false;
        }
        m_assembler.reset();
        m_notifier = std::make_unique<QSocketNotifier>(m_port->notifyFd(), QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { readMidi(); });
        say(QStringLiteral("READY"));
        return true;
    }

    void stopMidi()
    {
        m_notifier.reset();
        m_port.reset();
    }

    bool writeDump()
    {
        if (m_options.dumpPath.isEmpty())
            return true;
        QSaveFile file(m_options.dumpPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(m_model.block()) != KeyboardModel::kBlockSize
            || !file.commit()) {
            complain(QStringLiteral("cannot write %1: %2").arg(m_options.dumpPath, file.errorString()));
            return false;
        }
        return true;
    }

    bool writeLastWrite()
    {
        if (m_options.lastWritePath.isEmpty())
            return true;
        const QByteArray message = m_model.lastWrite();
        QSaveFile file(m_options.lastWritePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(message) != message.size() || !file.commit()) {
            complain(QStringLiteral("cannot write %1: %2").arg(m_options.lastWritePath, file.errorString()));
            return false;
        }
        return true;
    }

    void shutDown()
    {
        stopLoader();
        stopMidi();
        say(QStringLiteral("EXIT"));
    }

private:
    void readMidi()
    {
        if (!m_port)
            return;
        bool gone = false;
        const QList<QByteArray> chunks = m_port->readChunks(&gone);
        QList<QByteArray> messages;
        QStringList problems;
        for (const QByteArray &chunk : chunks) {
            if (chunk.isEmpty()) {
                problems << QStringLiteral("input overrun, messages lost");
                m_assembler.reset();
            } else {
                m_assembler.feed(chunk, messages, problems);
            }
        }
        for (const QString &problem : problems)
            say(QStringLiteral("IGNORED ") + problem);
        for (const QByteArray &message : messages) {
            handle(message);
            if (!m_port)
                return; // left MIDI for the loader
        }
        if (gone) {
            complain(QStringLiteral("the MIDI system has shut down"));
            stopMidi();
            QCoreApplication::exit(1);
        }
    }

    void handle(const QByteArray &message)
    {
        const KeyboardModel::Outcome outcome = m_model.handle(message);
        // The files first, so that whoever reads the line finds them current.
        if (outcome.changed) {
            writeLastWrite();
            writeDump();
        }
        say(outcome.event);
        if (!outcome.reply.isEmpty()) {
            const QByteArray reply = outcome.reply;
            const bool fragmentFirst = m_options.fragmentFirst;
            auto send = [this, reply, fragmentFirst] {
                // A cut-off message as its own event just before the reply,
                // as a keyboard that lost the end of one would send it.
                if (fragmentFirst && m_port && !m_port->send(QByteArray::fromHex("F002112233")))
                    complain(QStringLiteral("the fragment could not be sent"));
                if (m_port && !m_port->send(reply))
                    complain(QStringLiteral("a reply of %1 bytes could not be sent").arg(reply.size()));
            };
            if (m_options.replyDelayMs > 0)
                QTimer::singleShot(m_options.replyDelayMs, this, send);
            else
                send();
        }
        if (outcome.enterLoader && m_options.loader)
            startLoader();
    }

    // The keyboard leaves MIDI and shows up as the loader's serial device.
    void startLoader()
    {
        stopMidi();
        m_loader = std::make_unique<LoaderPort>(m_options.loaderLink);
        QString error;
        if (!QDir().mkpath(m_options.loaderDir)) {
            say(QStringLiteral("LOADER failed cannot create %1").arg(m_options.loaderDir));
            QTimer::singleShot(0, this, [this] { loaderDone(); });
            return;
        }
        if (!m_loader->open(&error)) {
            say(QStringLiteral("LOADER failed %1").arg(error));
            QTimer::singleShot(0, this, [this] { loaderDone(); });
            return;
        }
        m_loader->finished = [this] { QTimer::singleShot(0, this, [this] { loaderDone(); }); };
        m_loaderTimer.setSingleShot(true);
        m_loaderTimer.disconnect();
        connect(&m_loaderTimer, &QTimer::timeout, this, [this] {
            say(QStringLiteral("LOADER failed timeout"));
            m_loaderReported = true;
            loaderDone();
        });
        m_loaderReported = false;
        m_loaderTimer.start(m_options.loaderTimeoutS * 1000);
        say(QStringLiteral("LOADER ready %1").arg(m_options.loaderLink));
    }

    void loaderDone()
    {
        m_loaderTimer.stop();
        if (m_loader && !m_loaderReported) {
            const YmodemReceiver &receiver = m_loader->receiver();
            if (receiver.state() == YmodemReceiver::State::Done) {
                const QByteArray image = receiver.fileData();
                QSaveFile file(QDir(m_options.loaderDir).filePath(receiver.fileName()));
                if (file.open(QIODevice::WriteOnly) && file.write(image) == image.size() && file.commit())
                    say(QStringLiteral("LOADER received %1 %2 %3")
                            .arg(receiver.fileName())
                            .arg(image.size())
                            .arg(QString::fromLatin1(
                                QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex())));
                else
                    say(QStringLiteral("LOADER failed cannot write %1: %2")
                            .arg(file.fileName(), file.errorString()));
            } else {
                say(QStringLiteral("LOADER failed %1").arg(receiver.error()));
            }
        }
        m_loader.reset(); // the device and its link go away
        if (!m_stopping && !startMidi())
            QCoreApplication::exit(1);
    }

    void stopLoader()
    {
        m_stopping = true;
        m_loaderTimer.stop();
        m_loader.reset();
    }

    Options m_options;
    KeyboardModel m_model;
    SysexAssembler m_assembler;
    std::unique_ptr<SimMidiPort> m_port;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::unique_ptr<LoaderPort> m_loader;
    QTimer m_loaderTimer;
    bool m_loaderReported = false;
    bool m_stopping = false;
};

bool alsaAvailable()
{
    const int fd = ::open("/dev/snd/seq", O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rambakey-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Stands in for a Vornel RambaKEY Q7X keyboard on the ALSA sequencer or JACK."));
    parser.addHelpOption();
    const QCommandLineOption apiOption(QStringLiteral("api"), QStringLiteral("alsa or jack."),
                                       QStringLiteral("api"));
    const QCommandLineOption nameOption(QStringLiteral("name"),
                                        QStringLiteral("MIDI device (client) name."), QStringLiteral("name"),
                                        QStringLiteral("Vornel RambaKEY Q7X"));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Firmware version A.B.C (0-127 each)."),
                                           QStringLiteral("version"), QStringLiteral("1.0.2"));
    const QCommandLineOption serialOption(QStringLiteral("serial"),
                                          QStringLiteral("Serial number, up to 15 ASCII characters."),
                                          QStringLiteral("text"), QStringLiteral("RK7X-00000001"));
    const QCommandLineOption noteOption(QStringLiteral("note"),
                                        QStringLiteral("Note number reported in replies (0-127)."),
                                        QStringLiteral("n"), QStringLiteral("60"));
    const QCommandLineOption dumpOption(QStringLiteral("dump"),
                                        QStringLiteral("Keep FILE equal to the current configuration."),
                                        QStringLiteral("file"));
    const QCommandLineOption lastWriteOption(QStringLiteral("last-write"),
                                             QStringLiteral("Keep FILE equal to the last configuration write received."),
                                             QStringLiteral("file"));
    const QCommandLineOption configOption(QStringLiteral("config"),
                                          QStringLiteral("Start from a 245-byte configuration or .stm preset."),
                                          QStringLiteral("file"));
    const QCommandLineOption delayOption(QStringLiteral("reply-delay"),
                                         QStringLiteral("Delay every reply by MS milliseconds."),
                                         QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption fragmentOption(QStringLiteral("fragment-first"),
                                            QStringLiteral("Send a cut-off message just before every reply."));
    const QCommandLineOption noLoaderOption(QStringLiteral("no-loader"),
                                            QStringLiteral("Stay on MIDI at the firmware-update entry."));
    const QCommandLineOption linkOption(QStringLiteral("loader-link"),
                                        QStringLiteral("Path of the loader's serial device link."),
                                        QStringLiteral("path"), QStringLiteral("/tmp/rambakey-loader"));
    const QCommandLineOption dirOption(QStringLiteral("loader-dir"),
                                       QStringLiteral("Folder that receives firmware images."),
                                       QStringLiteral("dir"));
    const QCommandLineOption timeoutOption(QStringLiteral("loader-timeout"),
                                           QStringLiteral("Seconds the loader waits for a transfer."),
                                           QStringLiteral("s"), QStringLiteral("120"));
    parser.addOptions({apiOption, nameOption, versionOption, serialOption, noteOption, dumpOption,
                       lastWriteOption, configOption, delayOption, fragmentOption, noLoaderOption, linkOption, dirOption, timeoutOption});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        complain(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
        return 2;
    }

    Options options;
    options.api = parser.value(apiOption).trimmed().toLower();
    if (options.api.isEmpty())
        options.api = alsaAvailable() ? QStringLiteral("alsa") : QStringLiteral("jack");
    if (options.api != QLatin1String("alsa") && options.api != QLatin1String("jack")) {
        complain(QStringLiteral("--api must be alsa or jack"));
        return 2;
    }
    options.name = parser.value(nameOption);
    if (options.name.isEmpty()) {
        complain(QStringLiteral("--name must not be empty"));
        return 2;
    }
    KeyboardModel::Identity identity;
    if (!KeyboardModel::parseVersion(parser.value(versionOption), identity.version)) {
        complain(QStringLiteral("--version must be A.B.C with numbers 0 to 127"));
        return 2;
    }
    identity.serial = parser.value(serialOption).toUtf8();
    if (!KeyboardModel::validSerial(identity.serial)) {
        complain(QStringLiteral("--serial must be at most 15 printable ASCII characters"));
        return 2;
    }
    bool ok = false;
    identity.note = parser.value(noteOption).toInt(&ok);
    if (!ok || identity.note < 0 || identity.note > 127) {
        complain(QStringLiteral("--note must be 0 to 127"));
        return 2;
    }
    options.fragmentFirst = parser.isSet(fragmentOption);
    options.replyDelayMs = parser.value(delayOption).toInt(&ok);
    if (!ok || options.replyDelayMs < 0) {
        complain(QStringLiteral("--reply-delay must be a number of milliseconds"));
        return 2;
    }
    options.loaderTimeoutS = parser.value(timeoutOption).toInt(&ok);
    if (!ok || options.loaderTimeoutS <= 0) {
        complain(QStringLiteral("--loader-timeout must be a positive number of seconds"));
        return 2;
    }
    options.loader = !parser.isSet(noLoaderOption);
    options.loaderLink = parser.value(linkOption);
    options.loaderDir = parser.value(dirOption);
    if (options.loaderDir.isEmpty())
        options.loaderDir = QDir(QDir::tempPath()).filePath(QStringLiteral("rambakey-loader-images"));
    options.dumpPath = parser.value(dumpOption);
    options.lastWritePath = parser.value(lastWriteOption);

    KeyboardModel model(identity);
    if (parser.isSet(configOption)) {
        QFile file(parser.value(configOption));
        QString error;
        if (!file.open(QIODevice::ReadOnly)) {
            complain(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
            return 2;
        }
        // Anything much larger than a preset is not one; do not read it all.
        if (file.size() > 4096 || !model.loadParameters(file.read(4096), &error)) {
            if (error.isEmpty())
                error = QStringLiteral("%1 bytes is not a configuration").arg(file.size());
            complain(QStringLiteral("%1: %2").arg(file.fileName(), error));
            return 2;
        }
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        complain(QStringLiteral("socketpair failed"));
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Simulator simulator(options, model);
    QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&] {
        char c;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &c, 1);
        simulator.shutDown();
        QCoreApplication::exit(0);
    });

    if (!simulator.writeDump())
        return 1;
    // No write has arrived yet in this run.
    if (!options.lastWritePath.isEmpty() && QFile::exists(options.lastWritePath)
        && !QFile::remove(options.lastWritePath)) {
        complain(QStringLiteral("cannot remove the old %1").arg(options.lastWritePath));
        return 1;
    }
    if (!simulator.startMidi())
        return 1;
    return app.exec();
}

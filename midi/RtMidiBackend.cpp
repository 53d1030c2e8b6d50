#include "midi/RtMidiBackend.h"

#include <QDebug>
#include <QRegularExpression>
#include <QStringList>

#include <rtmidi/RtMidi.h>
#include <jack/jack.h>

#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <fcntl.h>
#include <unistd.h>

namespace {

// RtMidi reports problems through this callback instead of exceptions or
// stderr. Anything but a debug warning during an operation fails it.
struct ErrorSink {
    std::atomic<bool> failed{false};
};

void onRtMidiError(RtMidiError::Type type, const std::string &text, void *user)
{
    auto *sink = static_cast<ErrorSink *>(user);
    if (type == RtMidiError::DEBUG_WARNING)
        return;
    qDebug().noquote() << "RtMidi:" << QString::fromStdString(text);
    sink->failed = true;
}

RtMidi::Api rtApi(RtMidiBackend::Api api)
{
    return api == RtMidiBackend::Api::Alsa ? RtMidi::LINUX_ALSA : RtMidi::UNIX_JACK;
}

void quietJack()
{
    // libjack prints every failed connection attempt on stderr; a missing
    // server is an expected state here, reported in our own words.
    static std::once_flag once;
    std::call_once(once, [] {
        jack_set_error_function([](const char *) {});
        jack_set_info_function([](const char *) {});
    });
}

// The position of a port, by its full name, in a fresh RtMidi listing.
int indexOfPort(RtMidi &midi, const QString &fullName)
{
    if (fullName.isEmpty())
        return -1;
    const unsigned count = midi.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        if (QString::fromStdString(midi.getPortName(i)) == fullName)
            return int(i);
    }
    return -1;
}

class RtInput : public MidiBackend::Input
{
public:
    ~RtInput() override
    {
        // JACK: RtMidi's process callback tests its port and then uses it
        // without any lock against closing; close the port first and let a
        // cycle that was running end before the client goes.
        if (midi && settle) {
            midi->closePort();
            settle();
        }
        // Closes the port and waits for RtMidi's thread (ALSA) or leaves the
        // JACK graph; no callback runs after this.
        midi.reset();
    }

    static void onMessage(double, std::vector<unsigned char> *message, void *user)
    {
        auto *self = static_cast<RtInput *>(user);
        // Only System Exclusive is of interest; notes and controllers pass by.
        if (!message || message->empty() || message->front() != 0xF0)
            return;
        self->handler(reinterpret_cast<const char *>(message->data()), int(message->size()));
    }

    ErrorSink sink; // declared before midi: RtMidi may report until it is gone
    MidiBackend::SysexHandler handler;
    std::function<void()> settle; // JACK: waits until running cycles are over
    std::unique_ptr<RtMidiIn> midi;
};

// Lists JACK MIDI ports through a client of its own, which learns when the
// server goes away (RtMidi's listing would go on reporting the ports of a dead
// server) and connects again on the next call. It also counts the server's
// process cycles, which is how the backend knows that a message handed to
// RtMidi has left and that a new connection carries data.
class JackLister
{
public:
    ~JackLister() { disconnect(); }

    // Connected to a running server (connects when not yet).
    bool connect()
    {
        if (m_client && !m_dead)
            return true;
        disconnect();
        quietJack();
        jack_status_t status;
        m_client = jack_client_open(RtMidiBackend::kClientName, JackNoStartServer, &status);
        if (!m_client)
            return false;
        jack_set_process_callback(m_client, &JackLister::onProcess, this);
        jack_on_shutdown(m_client, [](void *self) { static_cast<JackLister *>(self)->m_dead = true; }, this);
        jack_activate(m_client); // shutdown is reported to active clients
        return true;
    }

    quint64 cycles() const { return m_cycles.load(); }
    bool dead() const { return m_dead.load(); }

    // Full names of the MIDI ports with the given flags; empty without a server.
    QStringList ports(unsigned long flags)
    {
        QStringList names;
        if (!connect())
            return names;
        const char **ports = jack_get_ports(m_client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
        for (const char **p = ports; p && *p; ++p)
            names << QString::fromUtf8(*p);
        if (ports)
            jack_free(ports);
        return names;
    }

private:
    static int onProcess(jack_nframes_t, void *self)
    {
        ++static_cast<JackLister *>(self)->m_cycles;
        return 0;
    }

    void disconnect()
    {
        if (m_client)
            jack_client_close(m_client);
        m_client = nullptr;
        m_dead = false;
    }

    jack_client_t *m_client = nullptr;
    std::atomic<bool> m_dead{false};
    std::atomic<quint64> m_cycles{0};
};

// How long a JACK server may take for the cycles waited for below before the
// send or the new connection is taken as failed.
constexpr int kJackCycleWaitMs = 3000;

} // namespace

// Everything the backend and its open outputs share: the port listers and
// the ids handed out so far.
struct RtMidiBackend::Shared {
    explicit Shared(Api a) : api(a) {}

    // ALSA: two RtMidi objects that only list ports (they open none), kept
    // between calls so that listing does not make a client each time.
    bool ensureListers()
    {
        if (api == Api::Jack)
            return true;
        if (in && out)
            return true;
        try {
            auto newIn = std::make_unique<RtMidiIn>(rtApi(api), kClientName);
            newIn->setErrorCallback(onRtMidiError, &sink);
            auto newOut = std::make_unique<RtMidiOut>(rtApi(api), kClientName);
            newOut->setErrorCallback(onRtMidiError, &sink);
            if (newIn->getCurrentApi() != rtApi(api) || newOut->getCurrentApi() != rtApi(api))
                return false;
            in = std::move(newIn);
            out = std::move(newOut);
        } catch (const RtMidiError &e) {
            qDebug().noquote() << "RtMidi:" << QString::fromStdString(e.getMessage());
            return false;
        }
        return true;
    }

    // Full port names, fresh from the MIDI system: sources for inputs,
    // destinations for outputs.
    QStringList portNames(bool inputs)
    {
        if (api == Api::Jack)
            return jack.ports(inputs ? JackPortIsOutput : JackPortIsInput);
        QStringList names;
        if (!ensureListers())
            return names;
        RtMidi &midi = inputs ? static_cast<RtMidi &>(*in) : static_cast<RtMidi &>(*out);
        const unsigned count = midi.getPortCount();
        for (unsigned i = 0; i < count; ++i)
            names << QString::fromStdString(midi.getPortName(i));
        return names;
    }

    // Present ports by their stable ids, our own ports left out.
    QMap<int, QString> refresh(bool inputs)
    {
        QMap<int, QString> present;
        QMap<QString, int> &ids = inputs ? inIds : outIds;
        for (const QString &fullName : portNames(inputs)) {
            if (deviceNameFromPortName(api, fullName).startsWith(QLatin1String(kClientName)))
                continue;
            auto known = ids.constFind(fullName);
            const int id = known != ids.constEnd() ? *known : (inputs ? nextIn++ : nextOut++);
            ids.insert(fullName, id);
            present.insert(id, fullName);
        }
        return present;
    }

    // The full port name an id stands for; a listing is made first when the
    // id has not been seen yet.
    QString fullNameOf(bool inputs, int id)
    {
        QMap<QString, int> &ids = inputs ? inIds : outIds;
        QString name = ids.key(id);
        if (name.isEmpty())
            name = refresh(inputs).value(id);
        return name;
    }

    bool outputPresent(const QString &fullName)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return portNames(false).contains(fullName);
    }

    // JACK: returns once three process cycles have begun after the call, so
    // that one whole cycle began after it and ended: a message handed to
    // RtMidi before the call has then been delivered to the connected ports
    // (RtMidi only queues it for its process callback, and its close can let
    // go of a message queued during a running cycle), and a connection made
    // before the call is in the graph. False when the server does not get
    // that far within timeoutMs or goes away. Called without the mutex held.
    bool waitJackCycles(int timeoutMs)
    {
        quint64 start = 0;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!jack.connect())
                return false;
            start = jack.cycles();
        }
        QElapsedTimer clock;
        clock.start();
        while (jack.cycles() < start + 3) {
            if (jack.dead() || clock.elapsed() > timeoutMs)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    const Api api;
    std::mutex mutex;
    JackLister jack;
    ErrorSink sink;
    std::unique_ptr<RtMidiIn> in;
    std::unique_ptr<RtMidiOut> out;
    // Every port keeps the id it was first listed with for as long as the
    // backend lives, also while gone and when it comes back under the same
    // name; our own ports opening and closing never move anyone's id.
    QMap<QString, int> inIds;
    QMap<QString, int> outIds;
    int nextIn = 0;
    int nextOut = 0;
};

namespace {

class RtOutput : public MidiBackend::Output
{
public:
    ~RtOutput() override
    {
        // RtMidi 5 frees its JACK output queue before it closes its client,
        // while a process callback that found the port still open may be
        // reading that queue. Closing the port first (after it the callback
        // stops at once) and letting the running cycles end keeps the
        // callback off freed memory.
        if (midi && settle) {
            midi->closePort();
            settle();
        }
        midi.reset();
    }

    bool send(const char *data, int length) override
    {
        if (!data || length <= 0)
            return false;
        // Neither ALSA nor JACK complains about sending to a port that has
        // gone (the message simply reaches nobody): look first.
        if (!shared->outputPresent(target)) {
            qDebug().noquote() << "MIDI port gone:" << target;
            return false;
        }
        sink.failed = false;
        try {
            midi->sendMessage(reinterpret_cast<const unsigned char *>(data), size_t(length));
        } catch (const RtMidiError &e) {
            qDebug().noquote() << "RtMidi:" << QString::fromStdString(e.getMessage());
            return false;
        }
        if (sink.failed)
            return false;
        // ALSA hands the message to the sequencer before sendMessage returns;
        // RtMidi's JACK output only queues it for its next process cycle.
        if (shared->api == RtMidiBackend::Api::Jack && !shared->waitJackCycles(kJackCycleWaitMs)) {
            qDebug().noquote() << "JACK did not pass the message on to" << target;
            return false;
        }
        return true;
    }

    ErrorSink sink;
    std::function<void()> settle; // JACK: waits until running cycles are over
    std::unique_ptr<RtMidiOut> midi;
    std::shared_ptr<RtMidiBackend::Shared> shared;
    QString target;
};

} // namespace

constexpr char RtMidiBackend::kClientName[];

RtMidiBackend::RtMidiBackend(Api api) : m_api(api), m_shared(std::make_shared<Shared>(api)) {}

RtMidiBackend::~RtMidiBackend() = default;

std::unique_ptr<RtMidiBackend> RtMidiBackend::create(Api api)
{
    if (api == Api::Jack)
        quietJack();
    else if (!alsaSequencerAvailable())
        return nullptr;
    std::unique_ptr<RtMidiBackend> backend(new RtMidiBackend(api));
    std::lock_guard<std::mutex> lock(backend->m_shared->mutex);
    if (!backend->m_shared->ensureListers() && api == Api::Alsa)
        return nullptr;
    return backend;
}

QString RtMidiBackend::apiName() const
{
    return m_api == Api::Alsa ? QStringLiteral("alsa") : QStringLiteral("jack");
}

QMap<int, QString> RtMidiBackend::list(bool inputs)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    const QMap<int, QString> names = m_shared->refresh(inputs);
    QMap<int, QString> devices;
    for (auto it = names.constBegin(); it != names.constEnd(); ++it)
        devices.insert(it.key(), deviceNameFromPortName(m_api, it.value()));
    return devices;
}

QMap<int, QString> RtMidiBackend::inputDevices()
{
    return list(true);
}

QMap<int, QString> RtMidiBackend::outputDevices()
{
    return list(false);
}

namespace {

// Opens RtMidi's side of an input or output with the backend's lock held.
// Returns null when the port is not there; otherwise the object, with
// *opened telling whether RtMidi got the port open. A failed object is
// destroyed by the caller once the lock is released (see settle).
std::unique_ptr<RtInput> openRtInput(RtMidiBackend::Api api, RtMidiBackend::Shared &shared, int deviceId,
                                     MidiBackend::SysexHandler handler, bool *opened)
{
    *opened = false;
    std::lock_guard<std::mutex> lock(shared.mutex);
    const QString source = shared.fullNameOf(true, deviceId);
    if (source.isEmpty())
        return nullptr;
    auto input = std::make_unique<RtInput>();
    input->handler = std::move(handler);
    try {
        input->midi = std::make_unique<RtMidiIn>(rtApi(api), RtMidiBackend::kClientName);
        input->midi->setErrorCallback(onRtMidiError, &input->sink);
        const int port = indexOfPort(*input->midi, source);
        if (port < 0 || input->sink.failed)
            return input;
        input->midi->ignoreTypes(false, true, true); // System Exclusive on; clock and active sensing off
        input->midi->setCallback(&RtInput::onMessage, input.get());
        input->midi->openPort(unsigned(port), "SysEx In");
    } catch (const RtMidiError &e) {
        qDebug().noquote() << "RtMidi:" << QString::fromStdString(e.getMessage());
        return input;
    }
    *opened = !input->sink.failed && input->midi->isPortOpen();
    return input;
}

std::unique_ptr<RtOutput> openRtOutput(RtMidiBackend::Api api, const std::shared_ptr<RtMidiBackend::Shared> &shared,
                                       int deviceId, bool *opened)
{
    *opened = false;
    std::lock_guard<std::mutex> lock(shared->mutex);
    const QString target = shared->fullNameOf(false, deviceId);
    if (target.isEmpty())
        return nullptr;
    auto output = std::make_unique<RtOutput>();
    output->shared = shared;
    output->target = target;
    try {
        output->midi = std::make_unique<RtMidiOut>(rtApi(api), RtMidiBackend::kClientName);
        output->midi->setErrorCallback(onRtMidiError, &output->sink);
        const int port = indexOfPort(*output->midi, target);
        if (port < 0 || output->sink.failed)
            return output;
        output->midi->openPort(unsigned(port), "SysEx Out");
    } catch (const RtMidiError &e) {
        qDebug().noquote() << "RtMidi:" << QString::fromStdString(e.getMessage());
        return output;
    }
    *opened = !output->sink.failed && output->midi->isPortOpen();
    return output;
}

} // namespace

std::unique_ptr<MidiBackend::Input> RtMidiBackend::openInput(int deviceId, SysexHandler handler)
{
    if (deviceId < 0 || !handler)
        return nullptr;
    bool opened = false;
    std::unique_ptr<RtInput> input = openRtInput(m_api, *m_shared, deviceId, std::move(handler), &opened);
    if (!input)
        return nullptr;
    if (m_api == Api::Jack) {
        std::shared_ptr<Shared> shared = m_shared;
        input->settle = [shared] { shared->waitJackCycles(kJackCycleWaitMs); };
    }
    if (!opened)
        return nullptr; // released here, outside the lock
    // A JACK connection carries data only once the server's graph has taken
    // it up, a cycle or two later; a reply to a request sent at once would
    // be lost.
    if (m_api == Api::Jack && !m_shared->waitJackCycles(kJackCycleWaitMs))
        qDebug() << "JACK has not confirmed the input connection yet";
    return input;
}

std::unique_ptr<MidiBackend::Output> RtMidiBackend::openOutput(int deviceId)
{
    if (deviceId < 0)
        return nullptr;
    bool opened = false;
    std::unique_ptr<RtOutput> output = openRtOutput(m_api, m_shared, deviceId, &opened);
    if (!output)
        return nullptr;
    if (m_api == Api::Jack) {
        std::shared_ptr<Shared> shared = m_shared;
        output->settle = [shared] { shared->waitJackCycles(kJackCycleWaitMs); };
    }
    if (!opened)
        return nullptr;
    if (m_api == Api::Jack && !m_shared->waitJackCycles(kJackCycleWaitMs))
        qDebug() << "JACK has not confirmed the output connection yet";
    return output;
}

bool RtMidiBackend::alsaSequencerAvailable()
{
    const int fd = ::open("/dev/snd/seq", O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool RtMidiBackend::jackServerRunning()
{
    quietJack();
    jack_status_t status;
    jack_client_t *client = jack_client_open("RambaKEY Q7X Editor probe", JackNoStartServer, &status);
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}

QString RtMidiBackend::deviceNameFromPortName(Api api, const QString &portName)
{
    if (api == Api::Jack) {
        // a2jmidid shows ALSA ports as "a2j:<client> [<id>] (capture): <port>".
        static const QRegularExpression a2j(
            QStringLiteral("^a2j:(.+) \\[\\d+\\] \\((?:capture|playback)\\): "));
        const QRegularExpressionMatch m = a2j.match(portName);
        if (m.hasMatch())
            return m.captured(1);
    }
    // JACK client names cannot hold a colon; ALSA ones practically never do.
    const int colon = portName.indexOf(QLatin1Char(':'));
    return colon < 0 ? portName : portName.left(colon);
}

#include "midi/RtMidiBackend.h"

#include "midi/JackPortSystem.h"
#include "midi/RtMidiPortSystem.h"

#include <QDebug>
#include <QStringList>

#include <rtmidi/RtMidi.h>

#include <atomic>
#include <mutex>
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
        // The port closes first, and the MIDI system lets a callback that
        // was running end, before the client goes.
        if (midi && ports) {
            midi->closePort();
            ports->portClosed();
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
    QString source; // the device's port, by its full name
    std::shared_ptr<RtMidiPortSystem> ports; // set once the port may have been opened
    std::unique_ptr<RtMidiIn> midi;
};

// The ALSA sequencer: two RtMidi objects that only list ports (they open
// none), kept between calls so that listing does not make a client each
// time. The sequencer takes messages and connections before RtMidi returns.
class AlsaPortSystem : public RtMidiPortSystem
{
public:
    RtMidiBackend::Api api() const override { return RtMidiBackend::Api::Alsa; }
    QString apiName() const override { return QStringLiteral("alsa"); }

    bool usable() override
    {
        if (m_in && m_out)
            return true;
        try {
            auto newIn = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, RtMidiBackend::kClientName);
            newIn->setErrorCallback(onRtMidiError, &m_sink);
            auto newOut = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, RtMidiBackend::kClientName);
            newOut->setErrorCallback(onRtMidiError, &m_sink);
            if (newIn->getCurrentApi() != RtMidi::LINUX_ALSA || newOut->getCurrentApi() != RtMidi::LINUX_ALSA)
                return false;
            m_in = std::move(newIn);
            m_out = std::move(newOut);
        } catch (const RtMidiError &e) {
            qDebug().noquote() << "RtMidi:" << QString::fromStdString(e.getMessage());
            return false;
        }
        return true;
    }

    QStringList portNames(bool inputs) override
    {
        QStringList names;
        if (!usable())
            return names;
        RtMidi &midi = inputs ? static_cast<RtMidi &>(*m_in) : static_cast<RtMidi &>(*m_out);
        const unsigned count = midi.getPortCount();
        for (unsigned i = 0; i < count; ++i)
            names << QString::fromStdString(midi.getPortName(i));
        return names;
    }

    bool messagePassed(const QString &) override { return true; }
    void connectionSettled(bool, const QString &) override {}
    void portClosed() override {}

private:
    ErrorSink m_sink;
    std::unique_ptr<RtMidiIn> m_in;
    std::unique_ptr<RtMidiOut> m_out;
};

} // namespace

std::unique_ptr<RtMidiPortSystem> RtMidiPortSystem::alsa()
{
    return std::make_unique<AlsaPortSystem>();
}

// Everything the backend} // namespace

// Everything the backend and its open outputs share: the port listers and
// the ids handed out so far.
struct RtMidiBackend::Shared {
    explicit Shared(std::shared_ptr<RtMidiPortSystem> system) : ports(std::move(system)) {}

    QStringList portNames(bool inputs) { return ports->portNames(inputs); }

    // Present ports by their stable ids, our own ports left out.
    QMap<int, QString> refresh(bool inputs)
    {
        QMap<int, QString> present;
        QMap<QString, int> &ids = inputs ? inIds : outIds;
        for (const QString &fullName : portNames(inputs)) {
            if (deviceNameFromPortName(ports->api(), fullName).startsWith(QLatin1String(kClientName)))
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

    std::mutex mutex; // guards the ids and the port system's listing
    const std::shared_ptr<RtMidiPortSystem> ports;
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
        // The port closes first (after it no callback starts using it), and
        // the MIDI system lets a callback that was running end, before the
        // client goes.
        if (midi && ports) {
            midi->closePort();
            ports->portClosed();
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
        return shared->ports->messagePassed(target);
    }

    ErrorSink sink;
    std::shared_ptr<RtMidiPortSystem> ports; // set once the port may have been opened
    std::unique_ptr<RtMidiOut> midi;
    std::shared_ptr<RtMidiBackend::Shared> shared;
    QString target;
};

} // namespace

constexpr char RtMidiBackend::kClientName[];
constexpr char RtMidiBackend::kOutputPortName[];

RtMidiBackend::RtMidiBackend(std::unique_ptr<RtMidiPortSystem> ports)
    : m_shared(std::make_shared<Shared>(std::move(ports)))
{
}

RtMidiBackend::~RtMidiBackend() = default;

std::unique_ptr<RtMidiBackend> RtMidiBackend::create(Api api)
{
    if (api == Api::Alsa && !alsaSequencerAvailable())
        return nullptr;
    std::unique_ptr<RtMidiBackend> backend(
        new RtMidiBackend(api == Api::Alsa ? RtMidiPortSystem::alsa() : RtMidiPortSystem::jack()));
    std::lock_guard<std::mutex> lock(backend->m_shared->mutex);
    if (!backend->m_shared->ports->usable())
        return nullptr;
    return backend;
}

QString RtMidiBackend::apiName() const
{
    return m_shared->ports->apiName();
}

QMap<int, QString> RtMidiBackend::list(bool inputs)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    const QMap<int, QString> names = m_shared->refresh(inputs);
    QMap<int, QString> devices;
    for (auto it = names.constBegin(); it != names.constEnd(); ++it)
        devices.insert(it.key(), deviceNameFromPortName(m_shared->ports->api(), it.value()));
    return devices;
}

void RtMidiBackend::setPortsChangedHandler(std::function<void()> handler)
{
    m_shared->ports->setPortsChangedHandler(std::move(handler));
}

bool RtMidiBackend::portChangesNotified()
{
    return m_shared->ports->portChangesNotified();
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
// destroyed by the caller once the lock is released (its port system may wait for
// running callbacks).
std::unique_ptr<RtInput> openRtInput(RtMidiBackend::Shared &shared, int deviceId,
                                     MidiBackend::SysexHandler handler, bool *opened)
{
    *opened = false;
    std::lock_guard<std::mutex> lock(shared.mutex);
    const QString source = shared.fullNameOf(true, deviceId);
    if (source.isEmpty())
        return nullptr;
    auto input = std::make_unique<RtInput>();
    input->handler = std::move(handler);
    input->source = source;
    input->ports = shared.ports;
    try {
        input->midi = std::make_unique<RtMidiIn>(rtApi(shared.ports->api()), RtMidiBackend::kClientName);
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

std::unique_ptr<RtOutput> openRtOutput(const std::shared_ptr<RtMidiBackend::Shared> &shared,
                                       int deviceId, bool *opened)
{
    *opened = false;
    std::lock_guard<std::mutex> lock(shared->mutex);
    const QString target = shared->fullNameOf(false, deviceId);
    if (target.isEmpty())
        return nullptr;
    auto output = std::make_unique<RtOutput>();
    output->shared = shared;
    output->ports = shared->ports;
    output->target = target;
    try {
        output->midi = std::make_unique<RtMidiOut>(rtApi(shared->ports->api()), RtMidiBackend::kClientName);
        output->midi->setErrorCallback(onRtMidiError, &output->sink);
        const int port = indexOfPort(*output->midi, target);
        if (port < 0 || output->sink.failed)
            return output;
        output->midi->openPort(unsigned(port), RtMidiBackend::kOutputPortName);
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
    std::unique_ptr<RtInput> input = openRtInput(*m_shared, deviceId, std::move(handler), &opened);
    if (!input)
        return nullptr;
    if (!opened)
        return nullptr; // released here, outside the lock
    m_shared->ports->connectionSettled(true, input->source);
    return input;
}

std::unique_ptr<MidiBackend::Output> RtMidiBackend::openOutput(int deviceId)
{
    if (deviceId < 0)
        return nullptr;
    bool opened = false;
    std::unique_ptr<RtOutput> output = openRtOutput(m_shared, deviceId, &opened);
    if (!output)
        return nullptr;
    if (!opened)
        return nullptr; // released here, outside the lock
    m_shared->ports->connectionSettled(false, output->target);
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
    return JackPortSystem::serverRunning();
}

QString RtMidiBackend::deviceNameFromPortName(Api api, const QString &portName)
{
    if (api == Api::Jack)
        return JackPortSystem::deviceName(portName);
    // ALSA client names practically never hold a colon.
    const int colon = portName.indexOf(QLatin1Char(':'));
    return colon < 0 ? portName : portName.left(colon);
}

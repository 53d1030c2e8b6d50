#include "RtMidiBackend.h"

#include <QDebug>
#include <QRegularExpression>

#include <rtmidi/RtMidi.h>
#include <jack/jack.h>

#include <atomic>
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

// Finds the position of a port in a fresh listing of the same direction: the
// id itself when the port is still there, else wherever it has moved to.
int findPort(RtMidi &midi, int deviceId, const QMap<int, QString> &knownNames)
{
    const int count = int(midi.getPortCount());
    if (deviceId < 0)
        return -1;
    auto known = knownNames.constFind(deviceId);
    if (known == knownNames.constEnd())
        return deviceId < count ? deviceId : -1;
    if (deviceId < count && QString::fromStdString(midi.getPortName(unsigned(deviceId))) == *known)
        return deviceId;
    for (int i = 0; i < count; ++i) {
        if (QString::fromStdString(midi.getPortName(unsigned(i))) == *known)
            return i;
    }
    return -1;
}

class RtInput : public MidiBackend::Input
{
public:
    ~RtInput() override
    {
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
    std::unique_ptr<RtMidiIn> midi;
};

class RtOutput : public MidiBackend::Output
{
public:
    ~RtOutput() override
    {
        // RtMidi's JACK output waits for one process cycle before it lets go,
        // so a message sent just before closing still leaves.
        midi.reset();
    }

    bool send(const char *data, int length) override
    {
        if (!data || length <= 0)
            return false;
        sink.failed = false;
        try {
            midi->sendMessage(reinterpret_cast<const unsigned char *>(data), size_t(length));
        } catch (const RtMidiError &e) {
            qDebug().noquote() << "RtMidi:" << QString::fromStdString(e.getMessage());
            return false;
        }
        return !sink.failed;
    }

    ErrorSink sink;
    std::unique_ptr<RtMidiOut> midi;
};

} // namespace

struct RtMidiBackend::Listing {
    ErrorSink sink;
    std::unique_ptr<RtMidiIn> in;
    std::unique_ptr<RtMidiOut> out;
};

constexpr char RtMidiBackend::kClientName[];

RtMidiBackend::RtMidiBackend(Api api) : m_api(api) {}

RtMidiBackend::~RtMidiBackend() = default;

std::unique_ptr<RtMidiBackend> RtMidiBackend::create(Api api)
{
    if (api == Api::Jack)
        quietJack();
    else if (!alsaSequencerAvailable())
        return nullptr;
    std::unique_ptr<RtMidiBackend> backend(new RtMidiBackend(api));
    std::lock_guard<std::mutex> lock(backend->m_mutex);
    if (!backend->ensureListers() && api == Api::Alsa)
        return nullptr;
    return backend;
}

QString RtMidiBackend::apiName() const
{
    return m_api == Api::Alsa ? QStringLiteral("alsa") : QStringLiteral("jack");
}

bool RtMidiBackend::ensureListers()
{
    if (m_listing)
        return true;
    auto listing = std::make_unique<Listing>();
    try {
        listing->in = std::make_unique<RtMidiIn>(rtApi(m_api), kClientName);
        listing->in->setErrorCallback(onRtMidiError, &listing->sink);
        listing->out = std::make_unique<RtMidiOut>(rtApi(m_api), kClientName);
        listing->out->setErrorCallback(onRtMidiError, &listing->sink);
    } catch (const RtMidiError &e) {
        qDebug().noquote() << "RtMidi:" << QString::fromStdString(e.getMessage());
        return false;
    }
    if (listing->in->getCurrentApi() != rtApi(m_api) || listing->out->getCurrentApi() != rtApi(m_api))
        return false;
    m_listing = std::move(listing);
    return true;
}

QMap<int, QString> RtMidiBackend::inputDevices()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QMap<int, QString> devices;
    if (!ensureListers())
        return devices;
    QMap<int, QString> names;
    const unsigned count = m_listing->in->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        const QString full = QString::fromStdString(m_listing->in->getPortName(i));
        names.insert(int(i), full);
        devices.insert(int(i), deviceNameFromPortName(m_api, full));
    }
    m_inPortNames = names;
    // A JACK client does not survive a server restart; with nothing listed,
    // reconnect on the next call rather than keep a dead client.
    if (count == 0 && m_api == Api::Jack)
        m_listing.reset();
    return devices;
}

QMap<int, QString> RtMidiBackend::outputDevices()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QMap<int, QString> devices;
    if (!ensureListers())
        return devices;
    QMap<int, QString> names;
    const unsigned count = m_listing->out->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        const QString full = QString::fromStdString(m_listing->out->getPortName(i));
        names.insert(int(i), full);
        devices.insert(int(i), deviceNameFromPortName(m_api, full));
    }
    m_outPortNames = names;
    if (count == 0 && m_api == Api::Jack)
        m_listing.reset();
    return devices;
}

std::unique_ptr<MidiBackend::Input> RtMidiBackend::openInput(int deviceId, SysexHandler handler)
{
    if (deviceId < 0 || !handler)
        return nullptr;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto input = std::make_unique<RtInput>();
    input->handler = std::move(handler);
    try {
        input->midi = std::make_unique<RtMidiIn>(rtApi(m_api), kClientName);
        input->midi->setErrorCallback(onRtMidiError, &input->sink);
        const int port = findPort(*input->midi, deviceId, m_inPortNames);
        if (port < 0 || input->sink.failed)
            return nullptr;
        input->midi->ignoreTypes(false, true, true); // System Exclusive on; clock and active sensing off
        input->midi->setCallback(&RtInput::onMessage, input.get());
        input->midi->openPort(unsigned(port), "SysEx In");
    } catch (const RtMidiError &e) {
        qDebug().noquote() << "RtMidi:" << QString::fromStdString(e.getMessage());
        return nullptr;
    }
    if (input->sink.failed || !input->midi->isPortOpen())
        return nullptr; // the destructor releases the client
    return input;
}

std::unique_ptr<MidiBackend::Output> RtMidiBackend::openOutput(int deviceId)
{
    if (deviceId < 0)
        return nullptr;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto output = std::make_unique<RtOutput>();
    try {
        output->midi = std::make_unique<RtMidiOut>(rtApi(m_api), kClientName);
        output->midi->setErrorCallback(onRtMidiError, &output->sink);
        const int port = findPort(*output->midi, deviceId, m_outPortNames);
        if (port < 0 || output->sink.failed)
            return nullptr;
        output->midi->openPort(unsigned(port), "SysEx Out");
    } catch (const RtMidiError &e) {
        qDebug().noquote() << "RtMidi:" << QString::fromStdString(e.getMessage());
        return nullptr;
    }
    if (output->sink.failed || !output->midi->isPortOpen())
        return nullptr;
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

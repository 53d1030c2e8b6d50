#include "midi/MidiPorts.h"

#include "midi/Sysex.h"

#include <QDebug>
#include <QVector>

#include <cstring>
#include <thread>

// The input side is split in two: the port object (used from the GUI thread)
// and a gate shared with the handler that the backend calls on its own thread.
// A delivery runs with the gate's mutex held and only while the gate is open;
// close() shuts the gate under that mutex (so it waits for a delivery already
// running) and only then destroys the backend input, outside every lock of
// ours. The backend may therefore wait for its thread without deadlocking on
// us, and no deliver call can start after close() has returned.
struct MidiInPort::Gate {
    std::mutex mutex;
    MidiDeliverFn deliver = nullptr;
    bool open = true;
};

namespace {
// The gate whose delivery is running on this thread, so that a close() made
// from inside the deliver function does not wait for itself.
thread_local const void *t_deliveringGate = nullptr;
} // namespace

QMap<int, QString> listMidiInDevices()
{
    MidiBackend *backend = MidiBackend::instance();
    return backend ? backend->inputDevices() : QMap<int, QString>();
}

QMap<int, QString> listMidiOutDevices()
{
    MidiBackend *backend = MidiBackend::instance();
    return backend ? backend->outputDevices() : QMap<int, QString>();
}

MidiInPort::MidiInPort() = default;

MidiInPort::~MidiInPort()
{
    close();
}

bool MidiInPort::open(int deviceId, MidiDeliverFn deliver)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_isOpen)
        return true;

    MidiBackend *backend = MidiBackend::instance();
    // Negative ids never name a device (-1 means "keyboard not found").
    if (!backend || deviceId < 0 || !deliver) {
        qDebug() << "midiInOpen error";
        return false;
    }

    auto gate = std::make_shared<Gate>();
    gate->deliver = deliver;
    auto handler = [gate](const char *data, int count) {
        if (!data || count <= 0)
            return;
        std::lock_guard<std::mutex> g(gate->mutex);
        if (!gate->open)
            return;
        // A backend may hand over several events glued together (RtMidi
        // joins an unfinished System Exclusive fragment to the next message,
        // and leaves ignored clock bytes in front of the next one): each
        // complete message goes on by itself, as the MIDI system delivered it.
        const QVector<QByteArray> messages = Sysex::completeMessages(QByteArray::fromRawData(data, count));
        if (messages.isEmpty())
            qDebug() << "midiIn bytes without a complete message ignored:" << count;
        for (const QByteArray &message : messages) {
            if (!gate->open)
                break; // closed by the receiver during the previous delivery
            if (message.size() > Sysex::kMaxReceived) {
                // Longer than anything the keyboard sends.
                qDebug() << "midiIn message of" << message.size() << "bytes ignored";
                continue;
            }
            // The receiver owns the copy and frees it with delete[].
            char *copy = new char[size_t(message.size())];
            std::memcpy(copy, message.constData(), size_t(message.size()));
            t_deliveringGate = gate.get();
            gate->deliver(copy, message.size());
            t_deliveringGate = nullptr;
        }
    };

    std::unique_ptr<MidiBackend::Input> input = backend->openInput(deviceId, handler);
    if (!input) {
        // Whatever the backend obtained before failing it has released itself.
        qDebug() << "midiInOpen error";
        return false;
    }
    m_input = std::move(input);
    m_gate = std::move(gate);
    m_isOpen = true;
    qDebug() << "midiIn open sucess";
    return true;
}

void MidiInPort::close()
{
    std::unique_ptr<MidiBackend::Input> input;
    std::shared_ptr<Gate> gate;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_isOpen)
            return;
        input = std::move(m_input);
        gate = std::move(m_gate);
        m_isOpen = false;
    }

    if (t_deliveringGate == gate.get()) {
        // Called from inside our own deliver function on the backend's thread:
        // the gate's mutex is ours already, and the backend cannot wait for its
        // own thread, so its input is released from a helper thread.
        gate->open = false;
        std::thread([in = std::move(input)]() mutable { in.reset(); }).detach();
    } else {
        {
            std::lock_guard<std::mutex> g(gate->mutex); // waits for a running delivery
            gate->open = false;
        }
        input.reset();
    }
    qDebug() << "midiIn close ";
}

bool MidiInPort::isOpen() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_isOpen;
}

MidiOutPort::MidiOutPort() = default;

MidiOutPort::~MidiOutPort()
{
    close();
}

bool MidiOutPort::open(int deviceId)
{
    if (m_isOpen)
        return true;
    MidiBackend *backend = MidiBackend::instance();
    std::unique_ptr<MidiBackend::Output> output;
    if (backend && deviceId >= 0)
        output = backend->openOutput(deviceId);
    if (!output) {
        qDebug() << "midiOutOpen error";
        return false;
    }
    m_output = std::move(output);
    m_isOpen = true;
    qDebug() << "midiOutOpen sucess";
    return true;
}

void MidiOutPort::close()
{
    if (!m_isOpen)
        return;
    m_isOpen = false;
    m_output.reset(); // the backend hands over what is still queued before it lets go
    qDebug() << "midiOut close";
}

bool MidiOutPort::isOpen() const
{
    return m_isOpen;
}

bool MidiOutPort::sendLongMessage(const char *data, int length)
{
    if (!m_isOpen)
        return false;
    if (!data || length <= 0 || !m_output->send(data, length)) {
        qDebug() << "midiOutLongMsg error";
        return false;
    }
    return true;
}

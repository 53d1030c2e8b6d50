#include "tools/rambakey-sim/SimMidiPort.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace {

// JACK: the process callback copies every input event into a ring buffer as
// <uint32 length><bytes> and pokes a pipe; messages to send travel the other
// way through a second ring buffer and leave in the next process cycle.
class JackSimPort : public SimMidiPort
{
public:
    ~JackSimPort() override
    {
        // From here on no callback touches this object: one that is running
        // finishes first (it holds the gate), later ones see the gate shut.
        if (m_gate) {
            std::lock_guard<std::mutex> lock(m_gate->mutex);
            m_gate->port = nullptr;
        }
        if (m_gone) {
            // Talking to a server that has gone can block libjack for its
            // whole request timeout; the simulator is on its way out, so the
            // client, the gate and the buffers its thread knew are left to the
            // exit (kept reachable, so leak checkers do not count them). The
            // shut gate keeps the client's thread, should it still run a
            // cycle, away from everything freed below.
            static auto *abandoned = new std::vector<void *>; // never destroyed
            abandoned->insert(abandoned->end(), {m_client, m_in, m_out, m_gate});
            m_client = nullptr;
            m_in = m_out = nullptr;
            m_gate = nullptr;
        }
        if (m_client) {
            // The process callback stops before the client and its ports go.
            jack_deactivate(m_client);
            jack_client_close(m_client);
        }
        delete m_gate;
        if (m_in)
            jack_ringbuffer_free(m_in);
        if (m_out)
            jack_ringbuffer_free(m_out);
        for (int fd : m_pipe) {
            if (fd >= 0)
                ::close(fd);
        }
    }

    bool start(const QString &name, QString *error)
    {
        if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
            *error = QStringLiteral("pipe: %1").arg(strerror(errno));
            return false;
        }
        m_in = jack_ringbuffer_create(1 << 16);
        m_out = jack_ringbuffer_create(1 << 16);
        jack_set_error_function([](const char *) {});
        jack_set_info_function([](const char *) {});
        jack_status_t status;
        m_client = jack_client_open(name.toUtf8().constData(),
                                    jack_options_t(JackNoStartServer | JackUseExactName), &status);
        if (!m_client) {
            if (status & JackNameNotUnique)
                *error = QStringLiteral("a JACK client named \"%1\" exists already").arg(name);
            else if (status & JackServerFailed)
                *error = QStringLiteral("no JACK server is running");
            else
                *error = QStringLiteral("cannot open a JACK client (status 0x%1)").arg(int(status), 0, 16);
            return false;
        }
        m_inPort = jack_port_register(m_client, "MIDI 1 in", JACK_DEFAULT_MIDI_TYPE,
                                      JackPortIsInput | JackPortIsPhysical | JackPortIsTerminal, 0);
        m_outPort = jack_port_register(m_client, "MIDI 1 out", JACK_DEFAULT_MIDI_TYPE,
                                       JackPortIsOutput | JackPortIsPhysical | JackPortIsTerminal, 0);
        if (!m_inPort || !m_outPort) {
            *error = QStringLiteral("cannot register the JACK MIDI ports");
            return false;
        }
        m_gate = new Gate;
        m_gate->port = this;
        jack_set_process_callback(m_client, &JackSimPort::process, m_gate);
        jack_on_shutdown(m_client, &JackSimPort::shutdown, m_gate);
        if (jack_activate(m_client) != 0) {
            *error = QStringLiteral("cannot activate the JACK client");
            return false;
        }
        return true;
    }

    int notifyFd() const override { return m_pipe[0]; }

    QList<QByteArray> readChunks(bool *gone) override
    {
        char scratch[256];
        while (::read(m_pipe[0], scratch, sizeof scratch) > 0) {
        }
        QList<QByteArray> chunks;
        // A record is taken only once it is complete: the process callback
        // writes its length and its bytes separately, and pokes the pipe
        // after both, so a record cut short here is picked up next time.
        quint32 length = 0;
        while (jack_ringbuffer_peek(m_in, reinterpret_cast<char *>(&length), sizeof length) == sizeof length
               && jack_ringbuffer_read_space(m_in) >= sizeof length + length) {
            jack_ringbuffer_read_advance(m_in, sizeof length);
            QByteArray chunk(int(length), '\0');
            jack_ringbuffer_read(m_in, chunk.data(), length);
            chunks << chunk;
        }
        if (m_dropped.exchange(0) > 0)
            chunks << QByteArray(); // an empty chunk marks lost input
        *gone = m_gone.load();
        return chunks;
    }

    bool send(const QByteArray &message) override
    {
        const quint32 length = quint32(message.size());
        if (m_gone || length == 0 || jack_ringbuffer_write_space(m_out) < sizeof length + length)
            return false;
        // One writer (this thread), one reader (the process callback), which
        // takes a record only once all of its bytes are there.
        jack_ringbuffer_write(m_out, reinterpret_cast<const char *>(&length), sizeof length);
        jack_ringbuffer_write(m_out, message.constData(), length);
        return true;
    }

private:
    // What the JACK threads reach this port through. The destructor clears
    // port under the mutex; a gate outlives its port when the server has gone.
    struct Gate
    {
        std::mutex mutex;
        JackSimPort *port = nullptr;
    };

    static int process(jack_nframes_t frames, void *arg)
    {
        auto *gate = static_cast<Gate *>(arg);
        // Never waits in the process thread: a cycle that meets the
        // destructor holding the gate does nothing.
        std::unique_lock<std::mutex> lock(gate->mutex, std::try_to_lock);
        if (!lock.owns_lock() || !gate->port)
            return 0;
        JackSimPort *self = gate->port;
        void *in = jack_port_get_buffer(self->m_inPort, frames);
        const jack_nframes_t count = jack_midi_get_event_count(in);
        for (jack_nframes_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, in, i) != 0)
                continue;
            const quint32 length = quint32(event.size);
            if (jack_ringbuffer_write_space(self->m_in) < sizeof length + length) {
                ++self->m_dropped;
                continue;
            }
            jack_ringbuffer_write(self->m_in, reinterpret_cast<const char *>(&length), sizeof length);
            jack_ringbuffer_write(self->m_in, reinterpret_cast<const char *>(event.buffer), length);
        }
        if (count > 0)
            self->poke();

        void *out = jack_port_get_buffer(self->m_outPort, frames);
        jack_midi_clear_buffer(out);
        quint32 length = 0;
        while (jack_ringbuffer_peek(self->m_out, reinterpret_cast<char *>(&length), sizeof length)
               == sizeof length) {
            if (jack_ringbuffer_read_space(self->m_out) < sizeof length + length)
                break;
            jack_midi_data_t *dest = jack_midi_event_reserve(out, 0, length);
            if (!dest) {
                if (length > jack_midi_max_event_size(out)) {
                    // Can never fit: drop it rather than block the queue.
                    jack_ringbuffer_read_advance(self->m_out, sizeof length + length);
                    continue;
                }
                break; // no room left in this cycle
            }
            jack_ringbuffer_read_advance(self->m_out, sizeof length);
            jack_ringbuffer_read(self->m_out, reinterpret_cast<char *>(dest), length);
        }
        return 0;
    }

    static void shutdown(void *arg)
    {
        auto *gate = static_cast<Gate *>(arg);
        std::lock_guard<std::mutex> lock(gate->mutex);
        if (!gate->port)
            return;
        gate->port->m_gone = true;
        gate->port->poke();
    }

    void poke()
    {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_pipe[1], &c, 1);
    }

    jack_client_t *m_client = nullptr;
    jack_port_t *m_inPort = nullptr;
    jack_port_t *m_outPort = nullptr;
    jack_ringbuffer_t *m_in = nullptr;
    jack_ringbuffer_t *m_out = nullptr;
    Gate *m_gate = nullptr;
    int m_pipe[2] = {-1, -1};
    std::atomic<bool> m_gone{false};
    std::atomic<int> m_dropped{0};
};

// ALSA: one duplex sequencer port, as a USB MIDI device shows up.
class AlsaSimPort : public SimMidiPort
{
public:
    ~AlsaSimPort() override
    {
        if (m_seq)
            snd_seq_close(m_seq);
    }

    bool start(const QString &name, QString *error)
    {
        int err = snd_seq_open(&m_seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK);
        if (err < 0) {
            m_seq = nullptr;
            *error = QStringLiteral("cannot open the ALSA sequencer: %1").arg(snd_strerror(err));
            return false;
        }
        snd_seq_set_client_name(m_seq, name.toUtf8().constData());
        const QByteArray portName = (name + QStringLiteral(" MIDI 1")).toUtf8();
        m_port = snd_seq_create_simple_port(
            m_seq, portName.constData(),
            SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ | SND_SEQ_PORT_CAP_WRITE
                | SND_SEQ_PORT_CAP_SUBS_WRITE | SND_SEQ_PORT_CAP_DUPLEX,
            SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_HARDWARE | SND_SEQ_PORT_TYPE_APPLICATION);
        if (m_port < 0) {
            *error = QStringLiteral("cannot create the ALSA port: %1").arg(snd_strerror(m_port));
            return false;
        }
        struct pollfd pfd;
        if (snd_seq_poll_descriptors(m_seq, &pfd, 1, POLLIN) != 1) {
            *error = QStringLiteral("no ALSA poll descriptor");
            return false;
        }
        m_fd = pfd.fd;
        return true;
    }

    int notifyFd() const override { return m_fd; }

    QList<QByteArray> readChunks(bool *gone) override
    {
        *gone = false;
        QList<QByteArray> chunks;
        for (;;) {
            snd_seq_event_t *event = nullptr;
            const int r = snd_seq_event_input(m_seq, &event);
            if (r == -ENOSPC) {
                chunks << QByteArray(); // input overran
                continue;
            }
            if (r < 0 || !event)
                break;
            if (event->type == SND_SEQ_EVENT_SYSEX && event->data.ext.len > 0)
                chunks << QByteArray(static_cast<const char *>(event->data.ext.ptr),
                                     int(event->data.ext.len));
        }
        return chunks;
    }

    bool send(const QByteArray &message) override
    {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        snd_seq_ev_set_source(&event, m_port);
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        snd_seq_ev_set_sysex(&event, unsigned(message.size()), const_cast<char *>(message.constData()));
        return snd_seq_event_output_direct(m_seq, &event) >= 0;
    }

private:
    snd_seq_t *m_seq = nullptr;
    int m_port = -1;
    int m_fd = -1;
};

} // namespace

std::unique_ptr<SimMidiPort> SimMidiPort::open(const QString &api, const QString &deviceName,
                                               QString *error)
{
    if (api == QLatin1String("jack")) {
        auto port = std::make_unique<JackSimPort>();
        if (port->start(deviceName, error))
            return port;
        return nullptr;
    }
    if (api == QLatin1String("alsa")) {
        auto port = std::make_unique<AlsaSimPort>();
        if (port->start(deviceName, error))
            return port;
        return nullptr;
    }
    *error = QStringLiteral("unknown MIDI system \"%1\" (use alsa or jack)").arg(api);
    return nullptr;
}

#include "midi/JackPortSystem.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QRegularExpression>

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// How long a JACK server may take for the cycles waited for before the send
// or the new connection is taken as failed.
constexpr int kJackCycleWaitMs = 3000;

// libjack locks the server's shared segments into memory in every process
// that opens a client: for a server with the default port count that is over
// 100 MB, all of it then resident in the editor as well. That suits an audio
// engine; the editor lists ports and passes a message now and then, and its
// process callbacks touch a few pages the server keeps resident anyway. So
// its clients are opened with that lock out of reach: the soft limit of
// lockable memory at most kLockLimit and, where the process may lock without
// a limit (as root), CAP_IPC_LOCK out of the calling thread's effective set.
// Both come back when the guard goes. libjack only logs the refused lock (to
// nobody); the small segments of each client still fit under the limit, and
// libjack cannot open a client at all with a limit of 0.
class NoMemoryLock
{
public:
    static constexpr rlim_t kLockLimit = 1024 * 1024;

    NoMemoryLock()
        : m_lock(mutex())
    {
        if (getrlimit(RLIMIT_MEMLOCK, &m_limit) == 0 && m_limit.rlim_cur > kLockLimit) {
            rlimit lowered = m_limit;
            lowered.rlim_cur = kLockLimit;
            m_limitLowered = setrlimit(RLIMIT_MEMLOCK, &lowered) == 0;
        }
        // capget/capset with pid 0 act on the calling thread alone.
        __user_cap_data_struct caps[_LINUX_CAPABILITY_U32S_3] = {};
        if (syscall(SYS_capget, header(), caps) == 0
            && (caps[CAP_TO_INDEX(CAP_IPC_LOCK)].effective & CAP_TO_MASK(CAP_IPC_LOCK))) {
            caps[CAP_TO_INDEX(CAP_IPC_LOCK)].effective &= ~CAP_TO_MASK(CAP_IPC_LOCK);
            m_capabilityDropped = syscall(SYS_capset, header(), caps) == 0;
        }
    }

    ~NoMemoryLock()
    {
        if (m_capabilityDropped) {
            // Still permitted, so the thread may take it back.
            __user_cap_data_struct caps[_LINUX_CAPABILITY_U32S_3] = {};
            if (syscall(SYS_capget, header(), caps) == 0) {
                caps[CAP_TO_INDEX(CAP_IPC_LOCK)].effective |= CAP_TO_MASK(CAP_IPC_LOCK);
                syscall(SYS_capset, header(), caps);
            }
        }
        if (m_limitLowered)
            setrlimit(RLIMIT_MEMLOCK, &m_limit);
    }

    NoMemoryLock(const NoMemoryLock &) = delete;
    NoMemoryLock &operator=(const NoMemoryLock &) = delete;

private:
    // The limit is the process's: one guard at a time.
    static std::mutex &mutex()
    {
        static std::mutex m;
        return m;
    }
    static __user_cap_header_struct *header()
    {
        static __user_cap_header_struct h = {_LINUX_CAPABILITY_VERSION_3, 0};
        return &h;
    }

    std::lock_guard<std::mutex> m_lock;
    rlimit m_limit = {};
    bool m_limitLowered = false;
    bool m_capabilityDropped = false;
};

jack_client_t *openClient(const char *name)
{
    NoMemoryLock noLock;
    jack_status_t status;
    return jack_client_open(name, JackNoStartServer, &status);
}

} // namespace

// Our own client for listing. It has no process callback, so the server
// leaves it out of its cycles and an idle editor is not woken once a period;
// cycles are told by the server's frame time instead, which moves on by one
// period at the start of each cycle. The server tells it when ports are
// registered or unregistered and when it goes away.
class JackPortSystem::Lister
{
public:
    ~Lister() { disconnect(); }

    // Connected to a running server (connects when not yet).
    bool connect()
    {
        if (connected())
            return true;
        disconnect();
        JackPortSystem::quiet();
        m_client = openClient(RtMidiBackend::kClientName);
        if (!m_client)
            return false;
        jack_set_port_registration_callback(m_client, &Lister::onPortRegistration, this);
        jack_on_shutdown(m_client, &Lister::onShutdown, this);
        // Callbacks, the shutdown one included, reach active clients only.
        if (jack_activate(m_client) != 0) {
            disconnect();
            return false;
        }
        return true;
    }

    bool connected() const { return m_client && !m_dead; }
    bool dead() const { return m_dead.load(); }

    // The frame time at the start of the server's current cycle, and its
    // period in frames; valid while connected.
    quint32 frameTime() const { return jack_last_frame_time(m_client); }
    quint32 period() const { return jack_get_buffer_size(m_client); }

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

    enum Feed { Feeding, NotYet, PortGone };

    // Whether one of the editor's output ports is connected to devicePort in
    // the graph the server runs. libjack answers a question about connections
    // only once a change still pending has reached that graph (it sleeps
    // about a period for it), so a connection listed here carries data.
    Feed feeding(const QString &devicePort)
    {
        if (!connect())
            return PortGone;
        jack_port_t *port = jack_port_by_name(m_client, devicePort.toUtf8().constData());
        if (!port)
            return PortGone;
        const char **peers = jack_port_get_all_connections(m_client, port);
        bool found = false;
        for (const char **p = peers; p && *p && !found; ++p) {
            const QString peer = QString::fromUtf8(*p);
            found = peer.startsWith(QLatin1String(RtMidiBackend::kClientName))
                    && peer.endsWith(QLatin1String(RtMidiBackend::kOutputPortName));
        }
        if (peers)
            jack_free(peers);
        return found ? Feeding : NotYet;
    }

    void setChangeHandler(std::function<void()> handler)
    {
        std::lock_guard<std::mutex> lock(m_handlerMutex);
        m_handler = std::move(handler);
    }

private:
    // Both run on libjack's notification thread.
    static void onPortRegistration(jack_port_id_t, int, void *self)
    {
        static_cast<Lister *>(self)->notify();
    }
    static void onShutdown(void *self)
    {
        auto *lister = static_cast<Lister *>(self);
        lister->m_dead = true;
        lister->notify();
    }

    void notify()
    {
        std::lock_guard<std::mutex> lock(m_handlerMutex);
        if (m_handler)
            m_handler();
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
    std::mutex m_handlerMutex; // held while the handler runs or is replaced
    std::function<void()> m_handler;
};

JackPortSystem::JackPortSystem()
    : m_lister(std::make_unique<Lister>())
{
    quiet();
    // Joining the server takes it a process cycle or two (over 40 ms with a
    // period of 1024 frames). Done here on a thread of its own, it overlaps
    // with whatever the program does next (building the window) instead of
    // holding up the first listing; a listing that comes first connects.
    // The first listing of a process reads through the server's whole port
    // table (about 10 ms of page faults), so one is made here as well.
    m_connecting = std::thread([this] {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lister->ports(JackPortIsOutput);
    });
}

JackPortSystem::~JackPortSystem()
{
    if (m_connecting.joinable())
        m_connecting.join();
}

QStringList JackPortSystem::portNames(bool inputs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lister->ports(inputs ? JackPortIsOutput : JackPortIsInput);
}

bool JackPortSystem::pollCycles(const std::function<Poll(quint32, quint32)> &check)
{
    quint32 start = 0;
    quint32 period = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_lister->connect())
            return false;
        start = m_lister->frameTime();
        period = m_lister->period();
    }
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        {
            // The lock keeps the client from being replaced while it is read.
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_lister->connected())
                return false;
            // Unsigned difference: the frame time wraps around.
            const Poll answer = check(quint32(m_lister->frameTime() - start), period);
            if (answer != Poll::NotYet)
                return answer == Poll::Done;
        }
        if (clock.elapsed() > kJackCycleWaitMs)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
}

bool JackPortSystem::waitFeeding(const QString &devicePort)
{
    // The server takes a new connection into its graph at the start of a
    // cycle, so look each time a cycle has begun; in the usual case the first
    // look finds it.
    quint32 looked = 0;
    return pollCycles([&](quint32 frames, quint32) {
        if (frames == looked)
            return Poll::NotYet;
        looked = frames;
        switch (m_lister->feeding(devicePort)) {
        case Lister::Feeding:
            return Poll::Done;
        case Lister::NotYet:
            return Poll::NotYet;
        case Lister::PortGone:
            break;
        }
        return Poll::Failed;
    });
}

bool JackPortSystem::waitCycles()
{
    return pollCycles([](quint32 frames, quint32 period) {
        return frames >= 2 * period ? Poll::Done : Poll::NotYet;
    });
}

void JackPortSystem::setPortsChangedHandler(std::function<void()> handler)
{
    m_lister->setChangeHandler(std::move(handler));
}

bool JackPortSystem::portChangesNotified()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lister->connected();
}

bool JackPortSystem::messagePassed(const QString &target)
{
    // RtMidi only queues the message for its process callback, and its close
    // can let go of a message queued during a running cycle.
    if (waitCycles())
        return true;
    qDebug().noquote() << "JACK did not pass the message on to" << target;
    return false;
}

void JackPortSystem::connectionSettled(bool input, const QString &devicePort)
{
    // An input carries the replies to what is sent after it, and whatever is
    // sent waits first for its output's connection and then for the message
    // to pass: the graph that carries them carries the input's connection,
    // made earlier, as well. So only an output waits here.
    if (input)
        return;
    // A message queued before the graph took the connection up would be lost.
    if (!waitFeeding(devicePort))
        qDebug() << "JACK has not confirmed the output connection yet";
}

void JackPortSystem::portClosed()
{
    // RtMidi's process callback tests its port and then uses it without any
    // lock against closing (and RtMidi 5 frees its output queue before it
    // closes its client): let a cycle that was running end first.
    waitCycles();
}

void JackPortSystem::quiet()
{
    static std::once_flag once;
    std::call_once(once, [] {
        jack_set_error_function([](const char *) {});
        jack_set_info_function([](const char *) {});
    });
}

bool JackPortSystem::serverRunning()
{
    quiet();
    jack_client_t *client = openClient("RambaKEY Q7X Editor probe");
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}

QString JackPortSystem::deviceName(const QString &portName)
{
    // a2jmidid shows ALSA ports as "a2j:<client> [<id>] (capture): <port>".
    static const QRegularExpression a2j(
        QStringLiteral("^a2j:(.+) \\[\\d+\\] \\((?:capture|playback)\\): "));
    const QRegularExpressionMatch m = a2j.match(portName);
    if (m.hasMatch())
        return m.captured(1);
    // JACK client names cannot hold a colon.
    const int colon = portName.indexOf(QLatin1Char(':'));
    return colon < 0 ? portName : portName.left(colon);
}

std::unique_ptr<RtMidiPortSystem> RtMidiPortSystem::jack()
{
    return std::make_unique<JackPortSystem>();
}

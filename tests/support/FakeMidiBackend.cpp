#include "tests/support/FakeMidiBackend.h"

#include <mutex>
#include <thread>
#include <vector>

namespace {
// One open input: its handler and whether it still accepts deliveries. The
// mutex is held for the whole of a delivery, so closing waits for it.
struct Channel {
    std::mutex mutex;
    MidiBackend::SysexHandler handler;
    bool alive = true;
};
} // namespace

struct FakeMidiBackend::State {
    mutable std::mutex mutex;
    QMap<int, QString> inputs;
    QMap<int, QString> outputs;
    bool inputOpenFails = false;
    bool outputOpenFails = false;
    bool sendFails = false;
    QList<QByteArray> sent;
    std::vector<std::shared_ptr<Channel>> channels;
    int openOutputs = 0;
    int inputOpens = 0;
    int outputOpens = 0;
    FakeMidiBackend *backend = nullptr; // null once the backend is gone
    bool notifies = false;
    std::mutex handlerMutex; // held while the handler runs or is replaced
    std::function<void()> portsChanged;
};

class FakeMidiBackend::FakeInput : public MidiBackend::Input
{
public:
    FakeInput(std::shared_ptr<State> state, std::shared_ptr<Channel> channel)
        : m_state(std::move(state)), m_channel(std::move(channel))
    {
    }
    ~FakeInput() override
    {
        {
            std::lock_guard<std::mutex> lock(m_channel->mutex);
            m_channel->alive = false;
        }
        std::lock_guard<std::mutex> lock(m_state->mutex);
        auto &list = m_state->channels;
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (*it == m_channel) {
                list.erase(it);
                break;
            }
        }
    }

private:
    std::shared_ptr<State> m_state;
    std::shared_ptr<Channel> m_channel;
};

class FakeMidiBackend::FakeOutput : public MidiBackend::Output
{
public:
    FakeOutput(std::shared_ptr<State> state, int id) : m_state(std::move(state)), m_id(id) {}
    ~FakeOutput() override
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        --m_state->openOutputs;
    }
    bool send(const char *data, int length) override
    {
        FakeMidiBackend *backend;
        {
            std::lock_guard<std::mutex> lock(m_state->mutex);
            backend = m_state->backend;
        }
        // An output that outlived its backend has nowhere to send to.
        return backend && backend->send(m_id, data, length);
    }

private:
    std::shared_ptr<State> m_state;
    int m_id;
};

FakeMidiBackend::FakeMidiBackend() : m_state(std::make_shared<State>())
{
    m_state->backend = this;
}

FakeMidiBackend::~FakeMidiBackend()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->backend = nullptr;
    m_state->channels.clear(); // open inputs hear nothing more
}

QString FakeMidiBackend::apiName() const
{
    return QStringLiteral("fake");
}

QMap<int, QString> FakeMidiBackend::inputDevices()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->inputs;
}

QMap<int, QString> FakeMidiBackend::outputDevices()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->outputs;
}

std::unique_ptr<MidiBackend::Input> FakeMidiBackend::openInput(int deviceId, SysexHandler handler)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->inputOpenFails || !handler || !m_state->inputs.contains(deviceId))
        return nullptr;
    auto channel = std::make_shared<Channel>();
    channel->handler = std::move(handler);
    m_state->channels.push_back(channel);
    ++m_state->inputOpens;
    return std::make_unique<FakeInput>(m_state, channel);
}

std::unique_ptr<MidiBackend::Output> FakeMidiBackend::openOutput(int deviceId)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->outputOpenFails || !m_state->outputs.contains(deviceId))
        return nullptr;
    ++m_state->openOutputs;
    ++m_state->outputOpens;
    return std::make_unique<FakeOutput>(m_state, deviceId);
}

void FakeMidiBackend::setInputDevices(const QMap<int, QString> &devices)
{
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->inputs = devices;
    }
    portsChanged();
}

void FakeMidiBackend::setOutputDevices(const QMap<int, QString> &devices)
{
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->outputs = devices;
    }
    portsChanged();
}

void FakeMidiBackend::portsChanged()
{
    std::lock_guard<std::mutex> lock(m_state->handlerMutex);
    if (m_state->portsChanged)
        m_state->portsChanged();
}

void FakeMidiBackend::setPortsChangedHandler(std::function<void()> handler)
{
    std::lock_guard<std::mutex> lock(m_state->handlerMutex);
    m_state->portsChanged = std::move(handler);
}

bool FakeMidiBackend::portChangesNotified()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->notifies;
}

void FakeMidiBackend::setNotifiesPortChanges(bool notifies)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->notifies = notifies;
}

void FakeMidiBackend::setInputOpenFails(bool fails)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->inputOpenFails = fails;
}

void FakeMidiBackend::setOutputOpenFails(bool fails)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->outputOpenFails = fails;
}

void FakeMidiBackend::setSendFails(bool fails)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->sendFails = fails;
}

QList<QByteArray> FakeMidiBackend::sentMessages() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->sent;
}

void FakeMidiBackend::clearSentMessages()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->sent.clear();
}

int FakeMidiBackend::openInputCount() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return int(m_state->channels.size());
}

int FakeMidiBackend::openOutputCount() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->openOutputs;
}

int FakeMidiBackend::inputOpens() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->inputOpens;
}

int FakeMidiBackend::outputOpens() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->outputOpens;
}

bool FakeMidiBackend::inject(const QByteArray &sysex)
{
    if (sysex.isEmpty())
        return false;
    std::vector<std::shared_ptr<Channel>> channels;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        channels = m_state->channels;
    }
    if (channels.empty())
        return false;
    bool delivered = false;
    std::thread midiThread([&] {
        for (const auto &channel : channels) {
            std::lock_guard<std::mutex> lock(channel->mutex);
            if (!channel->alive)
                continue;
            channel->handler(sysex.constData(), sysex.size());
            delivered = true;
        }
    });
    midiThread.join();
    return delivered;
}

bool FakeMidiBackend::send(int outId, const char *data, int length)
{
    QByteArray message;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        if (m_state->sendFails || !data || length <= 0 || !m_state->outputs.contains(outId))
            return false;
        message = QByteArray(data, length);
        m_state->sent.append(message);
    }
    if (onSend)
        onSend(outId, message);
    return true;
}

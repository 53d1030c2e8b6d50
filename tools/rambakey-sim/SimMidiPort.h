#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

// The simulator's own MIDI client: one input and one output port under the
// keyboard's device name, registered with the ALSA sequencer or a JACK server.
// All calls are made from the main thread; notifyFd() becomes readable when
// readChunks() has something (or the MIDI system went away).
class SimMidiPort
{
public:
    virtual ~SimMidiPort() = default;

    // api "alsa" or "jack". Null with *error set when the client cannot be made.
    static std::unique_ptr<SimMidiPort> open(const QString &api, const QString &deviceName,
                                             QString *error);

    virtual int notifyFd() const = 0;
    // Raw MIDI bytes received since the last call, in order (not yet joined
    // into messages). Sets *gone when the MIDI system has shut down.
    virtual QList<QByteArray> readChunks(bool *gone) = 0;
    // Queues one complete message; false when it cannot be sent.
    virtual bool send(const QByteArray &message) = 0;
};

#pragma once

#include "midi/RtMidiBackend.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// What differs between the MIDI systems RtMidi drives: how the ports are
// listed, how a port name reads, and whether a message handed to RtMidi or a
// new connection needs time before it has taken effect. RtMidiBackend does
// the rest the same way for all of them.
class RtMidiPortSystem
{
public:
    virtual ~RtMidiPortSystem() = default;

    virtual RtMidiBackend::Api api() const = 0;
    virtual QString apiName() const = 0;
    // False when the system cannot be used at all.
    virtual bool usable() = 0;
    // Full port names, fresh from the system: sources for inputs,
    // destinations for outputs. Called with the backend's lock held.
    virtual QStringList portNames(bool inputs) = 0;

    // Returns once a message handed to RtMidi before the call has gone out
    // (true), or false (with a log line naming target) when it did not.
    virtual bool messagePassed(const QString &target) = 0;
    // Returns once a connection just made between our port and the device's
    // port (its full name) carries data (an input's: data that answers what
    // is sent afterwards); only logs when it could not be confirmed.
    virtual void connectionSettled(bool input, const QString &devicePort) = 0;
    // Called after a port was closed and before its RtMidi object goes:
    // returns once no callback can still be using the port.
    virtual void portClosed() = 0;
    // Ports coming and going, as MidiBackend::setPortsChangedHandler tells
    // them; a system that cannot tell keeps these.
    virtual void setPortsChangedHandler(std::function<void()> handler) { (void)handler; }
    virtual bool portChangesNotified() { return false; }

    static std::unique_ptr<RtMidiPortSystem> alsa();
    static std::unique_ptr<RtMidiPortSystem> jack();
};

#pragma once

#include <QMap>
#include <QString>

#include <functional>
#include <memory>

// Access to the machine's MIDI system. Device ids are small non-negative
// numbers that name one port for as long as the backend lives (a port keeps
// its id while others come and go); names are the device's own name (the ALSA
// sequencer client or JACK client name, without any port suffix).
class MidiBackend
{
public:
    // Receives one complete System Exclusive message. Called on a thread of
    // the backend, never the GUI thread; the bytes are valid only during the call.
    using SysexHandler = std::function<void(const char *data, int count)>;

    class Input
    {
    public:
        virtual ~Input() = default; // closing: no handler call runs after this returns
    };
    class Output
    {
    public:
        virtual ~Output() = default;
        // Sends one System Exclusive message synchronously; true only when the
        // whole message was handed over to the MIDI system.
        virtual bool send(const char *data, int length) = 0;
    };

    virtual ~MidiBackend() = default;

    virtual QString apiName() const = 0; // "alsa", "jack" or "fake"
    virtual QMap<int, QString> inputDevices() = 0;
    virtual QMap<int, QString> outputDevices() = 0;
    // Null when the port cannot be opened (unknown id, busy, gone).
    virtual std::unique_ptr<Input> openInput(int deviceId, SysexHandler handler) = 0;
    virtual std::unique_ptr<Output> openOutput(int deviceId) = 0;

    // Ports coming and going. A backend that can tell calls the handler, on
    // a thread of its own, whenever its port lists may have changed, while
    // portChangesNotified() is true (JACK: while connected to a server; it
    // may become false at any time, for instance when the server goes).
    // Setting another handler or an empty one waits for a running call; none
    // starts afterwards. The default backend cannot tell.
    virtual void setPortsChangedHandler(std::function<void()> handler) { (void)handler; }
    virtual bool portChangesNotified() { return false; }

    // The process-wide backend used by the port wrappers and the device monitor.
    // Not owned. Null until main (or a test) installs one.
    static MidiBackend *instance();
    static void setInstance(MidiBackend *backend);

    // The system backend: api "alsa" or "jack" forces one; an empty api takes
    // $Q7X_MIDI_API if set, else the ALSA sequencer when it is there and JACK
    // otherwise. A JACK backend works without a running server (it lists
    // nothing until one starts). Null for an unknown api or a forced ALSA
    // without sequencer.
    static std::unique_ptr<MidiBackend> createSystem(const QString &api = QString());
};

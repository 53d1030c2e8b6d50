#pragma once

#include "midi/MidiBackend.h"

#include <QMap>
#include <QString>

#include <memory>

class RtMidiPortSystem;

// The machine's MIDI system through RtMidi: the ALSA sequencer or JACK.
//
// A device's name is the client part of the port name (ALSA "client:port c:p",
// JACK "client:port"; ports bridged by a2jmidid keep the ALSA client's name).
// Each port gets an id the first time it is listed and keeps it for the life
// of the backend, so ids stay valid while other ports (our own included) come
// and go; opening a port whose id names a port that has gone fails. The
// editor's own ports (client kClientName) are never listed.
//
// What differs between ALSA and JACK lives in an RtMidiPortSystem
// (JackPortSystem for JACK): on JACK an output's open returns once the server
// has run its graph with the new connection (which also takes up the
// connections of inputs opened before it), and a send returns once the message
// has gone through a whole cycle (a few periods; false if the server does not
// get there within 3 s). An input's open returns once its connection is made;
// it carries data from the graph that carries the next output's or message's.
class RtMidiBackend : public MidiBackend
{
public:
    enum class Api { Alsa, Jack };

    // The client name under which the editor's own ports appear; it must
    // differ from the keyboard's name so that they are never taken for it.
    static constexpr char kClientName[] = "RambaKEY Q7X Editor";
    static constexpr char kOutputPortName[] = "SysEx Out";

    // Null when RtMidi cannot use the api at all (no ALSA sequencer).
    // A JACK backend is returned even while no server runs: it starts listing
    // ports as soon as one does.
    static std::unique_ptr<RtMidiBackend> create(Api api);
    ~RtMidiBackend() override;

    QString apiName() const override;
    QMap<int, QString> inputDevices() override;
    QMap<int, QString> outputDevices() override;
    std::unique_ptr<Input> openInput(int deviceId, SysexHandler handler) override;
    std::unique_ptr<Output> openOutput(int deviceId) override;
    // JACK tells when ports come and go (while its server runs); ALSA does not.
    void setPortsChangedHandler(std::function<void()> handler) override;
    bool portChangesNotified() override;

    static bool alsaSequencerAvailable(); // /dev/snd/seq can be opened
    static bool jackServerRunning();      // the default (or $JACK_DEFAULT_SERVER) server answers
    // The device name within one of RtMidi's port names.
    static QString deviceNameFromPortName(Api api, const QString &portName);

    struct Shared; // listing clients and the last listing, shared with open outputs

private:
    explicit RtMidiBackend(std::unique_ptr<RtMidiPortSystem> ports);
    QMap<int, QString> list(bool inputs);

    std::shared_ptr<Shared> m_shared;
};

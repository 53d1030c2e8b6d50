#pragma once

#include "MidiBackend.h"

#include <QMap>
#include <QString>

#include <memory>
#include <mutex>

class RtMidiIn;
class RtMidiOut;

// The machine's MIDI system through RtMidi: the ALSA sequencer or JACK.
//
// Device ids are positions in RtMidi's port listing; a device's name is the
// client part of the port name (ALSA "client:port c:p", JACK "client:port";
// ports bridged by a2jmidid keep the ALSA client's name). Ids are checked
// against the last listing when a port is opened: if the port has moved in the
// meantime it is found by its full name, and if it has gone the open fails.
class RtMidiBackend : public MidiBackend
{
public:
    enum class Api { Alsa, Jack };

    // The client name under which the editor's own ports appear; it must
    // differ from the keyboard's name so that they are never taken for it.
    static constexpr char kClientName[] = "RambaKEY Q7X Editor";

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

    static bool alsaSequencerAvailable(); // /dev/snd/seq can be opened
    static bool jackServerRunning();      // the default (or $JACK_DEFAULT_SERVER) server answers
    // The device name within one of RtMidi's port names.
    static QString deviceNameFromPortName(Api api, const QString &portName);

private:
    explicit RtMidiBackend(Api api);
    struct Listing;
    bool ensureListers();
    int resolvePort(bool input, int deviceId, const QMap<int, QString> &names);

    Api m_api;
    std::mutex m_mutex;
    std::unique_ptr<Listing> m_listing;
    QMap<int, QString> m_inPortNames;  // id -> full port name, from the last listing
    QMap<int, QString> m_outPortNames;
};

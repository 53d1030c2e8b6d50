#include "midi/MidiBackend.h"

#include "midi/RtMidiBackend.h"

#include <QDebug>

#include <atomic>

namespace {
std::atomic<MidiBackend *> g_instance{nullptr};
}

MidiBackend *MidiBackend::instance()
{
    return g_instance.load();
}

void MidiBackend::setInstance(MidiBackend *backend)
{
    g_instance.store(backend);
}

std::unique_ptr<MidiBackend> MidiBackend::createSystem(const QString &requested)
{
    // An empty choice may be made from outside through Q7X_MIDI_API.
    QString api = requested.trimmed().toLower();
    if (api.isEmpty())
        api = qEnvironmentVariable("Q7X_MIDI_API").trimmed().toLower();

    if (api == QLatin1String("alsa")) {
        std::unique_ptr<MidiBackend> backend = RtMidiBackend::create(RtMidiBackend::Api::Alsa);
        if (!backend)
            qWarning() << "The ALSA sequencer (/dev/snd/seq) is not available";
        return backend;
    }
    if (api == QLatin1String("jack")) {
        // The backend's own listing client finds out whether a server runs.
        std::unique_ptr<MidiBackend> backend = RtMidiBackend::create(RtMidiBackend::Api::Jack);
        if (backend) {
            backend->inputDevices();
            if (!backend->portChangesNotified())
                qWarning() << "No JACK server is running yet; MIDI devices appear once one starts";
        }
        return backend;
    }
    if (!api.isEmpty()) {
        qWarning() << "Unknown MIDI system" << api << "(use alsa or jack)";
        return nullptr;
    }
    if (RtMidiBackend::alsaSequencerAvailable()) {
        if (std::unique_ptr<MidiBackend> backend = RtMidiBackend::create(RtMidiBackend::Api::Alsa))
            return backend;
    }
    return RtMidiBackend::create(RtMidiBackend::Api::Jack);
}

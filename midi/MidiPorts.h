#pragma once

#include "midi/MidiBackend.h"

#include <QMap>
#include <QString>

#include <memory>
#include <mutex>

// The device name under which the keyboard's MIDI ports appear.
inline constexpr char kKeyboardProductName[] = "Vornel RambaKEY Q7X";

// Receives each complete System Exclusive message as its own heap copy of at most 512
// bytes; runs on the MIDI input thread.
using MidiDeliverFn = void (*)(char *data, int count);

// Device directories of the installed backend: id -> device name, ascending ids.
QMap<int, QString> listMidiInDevices();
QMap<int, QString> listMidiOutDevices();

// The keyboard's MIDI input, held open only for the length of an exchange.
class MidiInPort
{
public:
    MidiInPort();
    ~MidiInPort();
    MidiInPort(const MidiInPort &) = delete;
    MidiInPort &operator=(const MidiInPort &) = delete;

    bool open(int deviceId, MidiDeliverFn deliver); // true when open (also if it already was)
    void close();                                   // no delivery runs after it returns
    bool isOpen() const;

private:
    struct Gate; // shared with the backend's handler: the deliver function and an open flag
    std::unique_ptr<MidiBackend::Input> m_input;
    std::shared_ptr<Gate> m_gate;
    mutable std::mutex m_mutex;
    bool m_isOpen = false;
};

// The keyboard's MIDI output.
class MidiOutPort
{
public:
    MidiOutPort();
    ~MidiOutPort();
    MidiOutPort(const MidiOutPort &) = delete;
    MidiOutPort &operator=(const MidiOutPort &) = delete;

    bool open(int deviceId);
    void close();
    bool isOpen() const;
    // Synchronous; true only when the whole message was handed over.
    bool sendLongMessage(const char *data, int length);

private:
    std::unique_ptr<MidiBackend::Output> m_output;
    bool m_isOpen = false;
};

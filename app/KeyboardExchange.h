#pragma once

#include "midi/MidiPorts.h"
#include "midi/Sysex.h"

#include <QObject>
#include <QString>
#include <QTimer>

class DataManagement;

// Hands one received System Exclusive message (a heap copy owned by the
// receiver from here on) to the keyboard exchange; runs on the MIDI input
// thread. Frees the copy when there is no exchange.
void deliverMidiInData(char *data, int count);

// The editor's conversation with the keyboard over its MIDI ports: finding
// the ports by name, opening them for an exchange, sending the requests and
// the configuration write, and reading the replies into the parameter store.
// No windows and no dialogs: outcomes are return values and signals. One
// exchange receives at a time (the last one made).
class KeyboardExchange : public QObject
{
    Q_OBJECT

public:
    // How long a request waits for its reply. A configuration takes a few
    // milliseconds on a USB keyboard and well under 100 ms through a busy
    // JACK server; the rest is margin for a loaded machine.
    static constexpr int DefaultReplyTimeoutMs = 1000;

    explicit KeyboardExchange(DataManagement *store, QObject *parent = nullptr);
    void setReplyTimeout(int ms) { m_replyTimeoutMs = ms; }
    ~KeyboardExchange() override;

    // The keyboard came: look its ports up (lowest ids named after it). It
    // left: close the ports. Exchanges need the keyboard present.
    void keyboardArrived();
    void keyboardLeft();
    bool isConnected() const { return m_connected; }
    int inputDeviceIndex() const { return m_inDevIndex; }
    int outputDeviceIndex() const { return m_outDevIndex; }
    bool inputPortOpen() const { return m_midiIn.isOpen(); }
    bool outputPortOpen() const { return m_midiOut.isOpen(); }

    // Opens both ports (true when both are open; otherwise releases both and
    // emits portsBusy, or keyboardGone when the keyboard's ports are no longer
    // listed: it was unplugged before anyone noticed). Does nothing while no
    // keyboard is present.
    bool openPorts();
    void closePorts();

    // Each opens the ports and sends one message; true when it went out. The
    // configuration write and the firmware-update entry open the output only
    // (no reply is awaited); the write closes it again at once. The
    // requests leave them open for their reply: a configuration request ends
    // in configurationReceived (stored) or configurationFailed (no reply in
    // time), a serial-number request in serialNumberReceived or nothing; the
    // ports are closed once no reply is awaited any more, or at the timeout.
    // A request that cannot be sent closes the ports at once.
    bool sendConfiguration();
    bool requestConfiguration();
    bool requestSerialNumber();
    bool requestFirmwareUpdateEntry();

signals:
    // A received message, on the MIDI input thread (owned by the decoder).
    void s_midiIndata(char *data, int count);
    // The ports could not be opened (another program holds them, or unknown).
    void portsBusy();
    void serialNumberReceived(QString serial);
    // A configuration arrived: its note number first, then, once it is in the
    // store, configurationReceived.
    void padNumberChanged(int num);
    // Just before a received configuration is written to the store.
    void aboutToStoreConfiguration();
    void configurationReceived();
    // No configuration came within the timeout of a configuration request.
    void configurationFailed();
    // The keyboard's ports vanished under an open: treat it as unplugged.
    void keyboardGone();
    void replyIgnored(Sysex::Reply::Reason reason);

public slots:
    // Decodes one received message (and frees it); a serial number or a
    // configuration ends the exchange by closing the ports.
    void slotMidiIndata(char *data, int count);

private:
    enum Awaiting { NoReply = 0, ConfigurationReply = 1, SerialReply = 2 };

    // Opens the output, and the input as well when a reply is awaited (see
    // openPorts), then sends.
    bool open(bool withInput);
    bool send(const QByteArray &message, bool replyAwaited);
    bool sendRequest(Sysex::Command command, Awaiting awaited);
    void onReplyTimeout();
    void findKeyboardPorts();
    bool keyboardPortsListed() const;

    DataManagement *m_store;
    MidiInPort m_midiIn;
    MidiOutPort m_midiOut;
    bool m_connected = false;
    int m_inDevIndex = -1;
    int m_outDevIndex = -1;
    bool m_closing = false; // set by the destructor: received data is only freed
    int m_awaiting = NoReply;
    int m_replyTimeoutMs = DefaultReplyTimeoutMs;
    QTimer m_replyTimer;
};

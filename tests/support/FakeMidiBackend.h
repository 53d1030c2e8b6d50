#pragma once

#include "midi/MidiBackend.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>

// An in-process MIDI system for unit tests: device lists are set by the test,
// sent messages are recorded, and System Exclusive input is injected. Every
// member is safe to call from any thread.
class FakeMidiBackend : public MidiBackend
{
public:
    FakeMidiBackend();
    ~FakeMidiBackend() override;

    QString apiName() const override;
    QMap<int, QString> inputDevices() override;
    QMap<int, QString> outputDevices() override;
    // Null for an id that is not listed, or while the matching *OpenFails is set.
    std::unique_ptr<Input> openInput(int deviceId, SysexHandler handler) override;
    std::unique_ptr<Output> openOutput(int deviceId) override;

    // A change of the lists calls the ports-changed handler (when one is set),
    // on the caller's thread, whatever setNotifiesPortChanges says.
    void setInputDevices(const QMap<int, QString> &devices);
    void setOutputDevices(const QMap<int, QString> &devices);
    // What portChangesNotified() answers (false at first, like a backend that
    // cannot tell).
    void setNotifiesPortChanges(bool notifies);
    void setPortsChangedHandler(std::function<void()> handler) override;
    bool portChangesNotified() override;
    void setInputOpenFails(bool fails);
    void setOutputOpenFails(bool fails);
    // Sends fail (return false, nothing recorded). A send through an output
    // whose device is no longer listed fails as well, like an unplugged keyboard.
    void setSendFails(bool fails);

    // Every message handed over successfully, in order.
    QList<QByteArray> sentMessages() const;
    void clearSentMessages();
    // Ports open right now.
    int openInputCount() const;
    int openOutputCount() const;
    // Successful opens since construction.
    int inputOpens() const;
    int outputOpens() const;

    // Hands the message to the handler of every open input, from a separate
    // thread, and returns once that thread is done. False when no input is open
    // (or every one closed before the message reached it) and for an empty message.
    bool inject(const QByteArray &sysex);

    // Called after each successful send, on the sending thread, with no lock
    // held: a test may call inject() from here (or from a thread it starts) to
    // script the keyboard's replies. Set it before the ports are used.
    std::function<void(int outId, const QByteArray &message)> onSend;

private:
    struct State;
    class FakeInput;
    class FakeOutput;
    bool send(int outId, const char *data, int length);
    void portsChanged();
    std::shared_ptr<State> m_state;
};

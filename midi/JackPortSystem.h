#pragma once

#include "midi/RtMidiPortSystem.h"

#include <functional>
#include <mutex>
#include <thread>

// JACK under RtMidi. Ports are listed through a client of our own, which
// learns when the server goes away (RtMidi's listing would go on reporting the
// ports of a dead server) and connects again on the next call, and which the
// server tells when ports come and go. It also follows the server's process
// cycles: RtMidi's JACK output only queues a message for the next cycle, and
// a new connection carries data a cycle or two after it was made, so sends
// and opens wait for whole cycles to have run.
class JackPortSystem : public RtMidiPortSystem
{
public:
    JackPortSystem();
    ~JackPortSystem() override;

    RtMidiBackend::Api api() const override { return RtMidiBackend::Api::Jack; }
    QString apiName() const override { return QStringLiteral("jack"); }
    bool usable() override { return true; } // lists nothing until a server runs
    QStringList portNames(bool inputs) override;
    bool messagePassed(const QString &target) override;
    void connectionSettled(bool input, const QString &devicePort) override;
    void portClosed() override;
    void setPortsChangedHandler(std::function<void()> handler) override;
    bool portChangesNotified() override; // while connected to a server

    // libjack prints every failed connection attempt on stderr; a missing
    // server is an expected state here, reported in our own words.
    static void quiet();
    // The default (or $JACK_DEFAULT_SERVER) server answers.
    static bool serverRunning();
    // The device within a JACK port name: the client part, or for ports
    // bridged by a2jmidid the ALSA client's name.
    static QString deviceName(const QString &portName);

private:
    // Returns once two process cycles have begun after the call (the frame
    // time has moved on by two periods), so that one whole cycle began after
    // it and ended. False when the server does not get that far in time or
    // goes away.
    bool waitCycles();
    // Returns once the server runs a graph in which one of our output ports
    // feeds devicePort. False when that does not happen in time or the port
    // goes away.
    bool waitFeeding(const QString &devicePort);

    enum class Poll { Done, NotYet, Failed };
    // Asks check, with the lister's lock held, how things stand after the
    // frame time moved on by the given number of frames since the call (and
    // the period), every half millisecond until it is done or fails; false
    // when it fails, the server goes away or it takes longer than the time
    // limit for cycle waits.
    bool pollCycles(const std::function<Poll(quint32 frames, quint32 period)> &check);

    class Lister;
    std::mutex m_mutex; // guards the lister's client
    std::unique_ptr<Lister> m_lister;
    std::thread m_connecting; // the first connection, made in the background
};

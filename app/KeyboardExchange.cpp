#include "app/KeyboardExchange.h"

#include "model/DataManagement.h"

#include <QCoreApplication>
#include <QDebug>

#include <atomic>
#include <memory>

namespace {

// The receiving exchange; the MIDI input thread reaches it through this pointer.
std::atomic<KeyboardExchange *> g_exchange{nullptr};

} // namespace

void deliverMidiInData(char *data, int count)
{
    KeyboardExchange *exchange = g_exchange.load();
    if (!exchange) {
        delete[] data;
        return;
    }
    emit exchange->s_midiIndata(data, count);
}

KeyboardExchange::KeyboardExchange(DataManagement *store, QObject *parent)
    : QObject(parent)
    , m_store(store)
{
    // Received bytes come from the MIDI input thread. Always queued: the
    // decoder closes the ports, which must never happen inside a delivery or
    // in the middle of a send that triggered the reply.
    qRegisterMetaType<char *>("char*");
    qRegisterMetaType<Sysex::Reply::Reason>("Sysex::Reply::Reason");
    connect(this, &KeyboardExchange::s_midiIndata, this, &KeyboardExchange::slotMidiIndata,
            Qt::QueuedConnection);
    m_replyTimer.setSingleShot(true);
    connect(&m_replyTimer, &QTimer::timeout, this, &KeyboardExchange::onReplyTimeout);
    g_exchange.store(this);
}

KeyboardExchange::~KeyboardExchange()
{
    closePorts();
    KeyboardExchange *self = this;
    g_exchange.compare_exchange_strong(self, nullptr);
    // Received messages still waiting in the event queue own their bytes:
    // hand them to the decoder, which only frees them now.
    m_closing = true;
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void KeyboardExchange::keyboardArrived()
{
    m_connected = true;
    findKeyboardPorts();
}

void KeyboardExchange::keyboardLeft()
{
    m_connected = false;
    closePorts();
}

bool KeyboardExchange::keyboardPortsListed() const
{
    const QString product = QString::fromLatin1(kKeyboardProductName);
    return listMidiInDevices().value(m_inDevIndex) == product
           && listMidiOutDevices().value(m_outDevIndex) == product;
}

void KeyboardExchange::findKeyboardPorts()
{
    const QString product = QString::fromLatin1(kKeyboardProductName);
    const QMap<int, QString> inputs = listMidiInDevices();
    for (auto it = inputs.cbegin(); it != inputs.cend(); ++it) {
        if (it.value() == product) {
            m_inDevIndex = it.key();
            break;
        }
    }
    const QMap<int, QString> outputs = listMidiOutDevices();
    for (auto it = outputs.cbegin(); it != outputs.cend(); ++it) {
        if (it.value() == product) {
            m_outDevIndex = it.key();
            break;
        }
    }
    qDebug() << "m_inDevIndex:" << m_inDevIndex;
    qDebug() << "m_outDevIndex:" << m_outDevIndex;
}

bool KeyboardExchange::openPorts()
{
    return open(true);
}

bool KeyboardExchange::open(bool withInput)
{
    if (!m_connected)
        return false;

    bool ok = true;
    if (withInput) {
        ok = false;
        if (m_inDevIndex < 0)
            qDebug() << "midiIn device unknown";
        else
            ok = m_midiIn.open(m_inDevIndex, deliverMidiInData);
    }
    if (ok) {
        if (m_outDevIndex < 0) {
            qDebug() << "midiOut device unknown";
            ok = false;
        } else {
            ok = m_midiOut.open(m_outDevIndex);
        }
    }
    if (!ok) {
        // Release whatever was obtained: a half-open pair is of no use.
        closePorts();
        if (m_inDevIndex >= 0 && m_outDevIndex >= 0 && !keyboardPortsListed()) {
            // Unplugged a moment ago, before the port-list watch noticed: not
            // busy, gone.
            qDebug() << "keyboard ports gone";
            m_connected = false;
            emit keyboardGone();
        } else {
            emit portsBusy();
        }
    }
    return ok;
}

void KeyboardExchange::closePorts()
{
    m_replyTimer.stop();
    m_awaiting = NoReply;
    m_midiIn.close();
    m_midiOut.close();
}

bool KeyboardExchange::send(const QByteArray &message, bool replyAwaited)
{
    // A message nobody answers needs no input: opening one is a whole client
    // and connection more (on JACK a third of the time to the keyboard).
    open(replyAwaited);
    return m_midiOut.sendLongMessage(message.constData(), message.size());
}

bool KeyboardExchange::sendConfiguration()
{
    const bool ok = send(Sysex::configurationWrite(m_store->blockData()), false);
    if (m_connected)
        closePorts();
    return ok;
}

bool KeyboardExchange::sendRequest(Sysex::Command command, Awaiting awaited)
{
    if (!send(Sysex::request(command), true)) {
        // Nothing will answer a request that did not go out.
        if (m_awaiting == NoReply)
            closePorts();
        return false;
    }
    m_awaiting |= awaited;
    m_replyTimer.start(m_replyTimeoutMs);
    return true;
}

bool KeyboardExchange::requestConfiguration()
{
    return sendRequest(Sysex::ConfigurationRequest, ConfigurationReply);
}

bool KeyboardExchange::requestSerialNumber()
{
    return sendRequest(Sysex::SerialNumber, SerialReply);
}

void KeyboardExchange::onReplyTimeout()
{
    const int missed = m_awaiting;
    qDebug() << "no reply within" << m_replyTimeoutMs << "ms";
    closePorts();
    if (missed & ConfigurationReply)
        emit configurationFailed();
}

bool KeyboardExchange::requestFirmwareUpdateEntry()
{
    return send(Sysex::request(Sysex::FirmwareUpdateEntry), false);
}

void KeyboardExchange::slotMidiIndata(char *data, int count)
{
    std::unique_ptr<char[]> owned(data);
    if (m_closing)
        return;

    qDebug() << "parseMidiData====";
    const QByteArray bytes = (data && count > 0)
        ? QByteArray(data, qMin(count, Sysex::kMaxReceived))
        : QByteArray();
    const Sysex::Reply reply = Sysex::decodeReply(bytes);

    switch (reply.kind) {
    case Sysex::Reply::Ignored:
        if (reply.reason == Sysex::Reply::TooShort || reply.reason == Sysex::Reply::TooLong)
            qDebug() << "reply of the wrong length ignored, bytes:" << reply.received;
        else if (reply.reason == Sysex::Reply::Incomplete)
            qDebug() << "incomplete message ignored, bytes:" << reply.received;
        emit replyIgnored(reply.reason);
        return; // the real reply may still come; the timeout closes the ports
    case Sysex::Reply::SerialNumberReply:
        qDebug() << "SN:" << reply.serialNumber;
        m_awaiting &= ~SerialReply;
        emit serialNumberReceived(reply.serialNumber);
        break;
    case Sysex::Reply::Configuration:
        qDebug() << "M:" << reply.version[2];
        qDebug() << "P:" << reply.version[0];
        qDebug() << "S:" << reply.version[1];
        qDebug() << "pad num:" << reply.noteNumber;
        if (!(m_awaiting & ConfigurationReply)) {
            // Nobody asked (or the request already failed): never replace the
            // user's configuration unasked.
            qDebug() << "configuration not asked for, ignored";
            return;
        }
        m_awaiting &= ~ConfigurationReply;
        emit padNumberChanged(reply.noteNumber);
        emit aboutToStoreConfiguration();
        m_store->setBlockData(reply.block.constData(), reply.block.size());
        emit configurationReceived();
        break;
    }

    if (m_awaiting == NoReply)
        closePorts();
}

#include "device/DetectionDevice.h"

#include "device/LogindWatcher.h"
#include "device/UdevMonitor.h"
#include "device/UsbIds.h"
#include "midi/MidiBackend.h"
#include "midi/MidiPorts.h"

#include <QDebug>
#include <QFileSystemWatcher>
#include <QSerialPortInfo>
#include <QTimer>

namespace {

const QString kTagKeyboard = QStringLiteral("vq041");
const QString kTagSerialLoader = QStringLiteral("vq041SerialDev");

// Codes written after "message Param:", the usual device-change codes for an
// arrival and a completed removal, so logs read the same on every platform.
constexpr int kParamArrival = 0x8000;
constexpr int kParamRemoveComplete = 0x8004;

// Polls of the port list after a keyboard sound device appeared: its MIDI
// ports are created a little after the USB device itself.
constexpr int kPortCheckDelaysMs[] = {0, 250, 1000};

QList<SerialPortEntry> systemSerialPorts()
{
    QList<SerialPortEntry> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        SerialPortEntry entry;
        entry.portName = info.portName();
        entry.systemLocation = info.systemLocation();
        entry.hasVendorId = info.hasVendorIdentifier();
        entry.vendorId = info.vendorIdentifier();
        entry.hasProductId = info.hasProductIdentifier();
        entry.productId = info.productIdentifier();
        ports.append(entry);
    }
    return ports;
}

bool isLoaderPort(const SerialPortEntry &port)
{
    return port.hasVendorId && port.hasProductId
        && UsbIds::isLoader(port.vendorId, port.productId);
}

QString portKey(const SerialPortEntry &port)
{
    return port.systemLocation.isEmpty() ? port.portName : port.systemLocation;
}

} // namespace

DetectionDevice::DetectionDevice(QObject *parent, Sources sources)
    : QObject(parent)
    , m_serialLister(systemSerialPorts)
{
    m_pollTimer = new QTimer(this);
    m_pollTimer->setInterval(kPortPollIntervalMs);
    connect(m_pollTimer, &QTimer::timeout, this, [this] {
        pollMidiPorts();
        if (!udevMonitorActive() && !m_devWatch)
            pollSerialPorts();
        updatePollTimer();
    });

    if (sources == Sources::Live)
        start();
}

DetectionDevice::~DetectionDevice()
{
    m_udev.reset();
    stop();
}

void DetectionDevice::setSerialPortLister(SerialPortLister lister)
{
    m_serialLister = lister ? std::move(lister) : SerialPortLister(systemSerialPorts);
}

bool DetectionDevice::keyboardSeen() const
{
    return m_keyboardSeen;
}

bool DetectionDevice::isRunning() const
{
    return m_running;
}

bool DetectionDevice::udevMonitorActive() const
{
    return m_udev && m_udev->isActive();
}

QString DetectionDevice::tagFor(const UdevEvent &event)
{
    if (!event.hasIds)
        return QString();
    const quint16 vendor = event.ids.vendorId;
    const quint16 product = event.ids.productId;
    if (event.kind == UdevEvent::Kind::Sound && UsbIds::isKeyboard(vendor, product))
        return kTagKeyboard;
    if (UsbIds::isLoader(vendor, product))
        return kTagSerialLoader;
    return QString();
}

void DetectionDevice::start()
{
    if (m_running)
        return;
    m_running = true;
    m_pollTimer->start();

    m_udev = std::make_unique<UdevMonitor>([this](const UdevEvent &event) {
        if (m_running)
            handleUdevEvent(event);
    });
    if (!m_udev->isActive()) {
        // No plug notifications: the port-list watch still sees the keyboard,
        // and the serial list is looked at for the loader whenever a device
        // node comes or goes in /dev (or polled when /dev cannot be watched).
        qDebug() << "register UDisk notification fail, error:";
        m_udev.reset();
        m_devWatch = new QFileSystemWatcher(this);
        if (m_devWatch->addPath(QStringLiteral("/dev"))) {
            connect(m_devWatch, &QFileSystemWatcher::directoryChanged, this, [this] {
                if (m_running)
                    pollSerialPorts();
            });
        } else {
            delete m_devWatch;
            m_devWatch = nullptr;
        }
    }

    // A MIDI system that tells when ports come and go replaces the port-list
    // poll while it can (see updatePollTimer). Many changes in a row (a client
    // registering its ports) make one look.
    if (MidiBackend *backend = MidiBackend::instance()) {
        auto target = std::make_shared<PortWatchTarget>();
        target->device = this;
        m_portWatchTarget = target;
        m_portWatchBackend = backend;
        backend->setPortsChangedHandler([target] {
            std::lock_guard<std::mutex> lock(target->mutex);
            if (!target->device || target->queued.exchange(true))
                return;
            DetectionDevice *device = target->device;
            QMetaObject::invokeMethod(device, [device, target] {
                target->queued = false;
                if (device->m_running) {
                    device->pollMidiPorts();
                    device->updatePollTimer();
                }
            }, Qt::QueuedConnection);
        });
    }

    m_power = std::make_unique<LogindWatcher>();
    connect(m_power.get(), &LogindWatcher::shuttingDown, this,
            [this] { handlePowerEvent(PowerEvent::SessionEnd); });
    connect(m_power.get(), &LogindWatcher::suspending, this,
            [this] { handlePowerEvent(PowerEvent::Suspend); });
    connect(m_power.get(), &LogindWatcher::resumed, this,
            [this] { handlePowerEvent(PowerEvent::Resume); });
}

void DetectionDevice::stop()
{
    if (!m_running)
        return;
    m_running = false;
    m_pollTimer->stop();
    delete m_devWatch;
    m_devWatch = nullptr;
    if (m_portWatchTarget) {
        // A notification that is running ends first; later ones find no one.
        {
            std::lock_guard<std::mutex> lock(m_portWatchTarget->mutex);
            m_portWatchTarget->device = nullptr;
        }
        if (MidiBackend::instance() == m_portWatchBackend)
            m_portWatchBackend->setPortsChangedHandler({});
        m_portWatchTarget.reset();
        m_portWatchBackend = nullptr;
    }
    // The monitor may be the caller (stop() from a slot of our own signal
    // raised by a udev event), so it is not destroyed under its own feet; as a
    // child it still goes with this object if no event loop runs any more.
    if (m_udev) {
        UdevMonitor *monitor = m_udev.release();
        monitor->setParent(this);
        monitor->deleteLater();
    }
    m_power.reset();
}

void DetectionDevice::reportEvent(const QString &tag, bool arrival)
{
    qDebug() << "message Param:" << Qt::hex << (arrival ? kParamArrival : kParamRemoveComplete);
    if (arrival) {
        qDebug() << "arrived device:" << tag << "status" << m_keyboardSeen;
        if (!m_keyboardSeen && !tag.isEmpty()) {
            m_keyboardSeen = true;
            emit s_devTypeAndState(tag, true);
        }
        return;
    }
    qDebug() << "remove device:" << tag << "status:" << m_keyboardSeen;
    if (m_keyboardSeen && !tag.isEmpty()) {
        m_keyboardSeen = false;
        emit s_devTypeAndState(tag, false);
        // With one flag for both forms, the other form arriving while this one
        // was still reported was ignored: look again once control is back in
        // the event loop, so a form that is there is reported, not lost.
        QTimer::singleShot(0, this, [this, tag] { recheckOtherForm(tag); });
    }
}

void DetectionDevice::recheckOtherForm(const QString &removedTag)
{
    if (m_keyboardSeen)
        return;
    if (removedTag != kTagKeyboard) {
        if (m_keyboardPortsPresent) {
            m_keyboardPortsPresent = false;
            pollMidiPorts();
        }
    } else if (!m_loaderPorts.isEmpty()) {
        if (udevMonitorActive()) {
            reportEvent(kTagSerialLoader, true);
        } else {
            m_loaderPorts.clear();
            pollSerialPorts();
        }
    }
}

void DetectionDevice::handleDeviceEvent(const UdevEvent &event)
{
    reportEvent(tagFor(event), event.arrival);
}

void DetectionDevice::handlePowerEvent(PowerEvent event)
{
    switch (event) {
    case PowerEvent::SessionEnd:
        qDebug() << "======system poweroff,reboot or logoff======";
        break;
    case PowerEvent::Suspend:
        qDebug() << "======xiu mian======";
        break;
    case PowerEvent::Resume:
        qDebug() << "======huan xing======";
        break;
    }
}

int DetectionDevice::countKeyboardInputs(QMap<int, QString> *devices) const
{
    QMap<int, QString> inputs;
    if (MidiBackend::instance())
        inputs = listMidiInDevices();
    int count = 0;
    for (const QString &name : qAsConst(inputs)) {
        if (name == QLatin1String(kKeyboardProductName))
            ++count;
    }
    if (devices)
        *devices = inputs;
    return count;
}

QList<SerialPortEntry> DetectionDevice::serialPorts() const
{
    return m_serialLister ? m_serialLister() : QList<SerialPortEntry>();
}

void DetectionDevice::scanConnectedDevices()
{
    QMap<int, QString> inputs;
    const int matches = countKeyboardInputs(&inputs);
    // The port watch continues from this view.
    m_keyboardPortsPresent = matches > 0;
    if (inputs.isEmpty()) {
        qDebug() << "no available midi device.";
    } else {
        for (auto it = inputs.cbegin(); it != inputs.cend(); ++it) {
            qDebug() << it.value();
            if (it.value() == QLatin1String(kKeyboardProductName)) {
                m_keyboardSeen = true;
                qDebug() << "-------------open midi------------";
                emit s_devTypeAndState(kTagKeyboard, true);
            }
        }
    }

    const QList<SerialPortEntry> ports = serialPorts();
    m_loaderPorts.clear();
    for (const SerialPortEntry &port : ports) {
        if (isLoaderPort(port))
            m_loaderPorts.insert(portKey(port));
    }
    for (const SerialPortEntry &port : ports) {
        qDebug() << "in coming vid:" << port.vendorId << " pid:" << port.productId;
        if (isLoaderPort(port)) {
            qDebug() << "===================";
            emit s_devTypeAndState(kTagSerialLoader, true);
            break;
        }
    }

    if (m_running) {
        m_pollTimer->start(); // a full interval before the watch looks again
        updatePollTimer();
    }
}

void DetectionDevice::pollNow()
{
    pollMidiPorts();
    if (!udevMonitorActive())
        pollSerialPorts();
    updatePollTimer();
}

bool DetectionDevice::portPollNeeded() const
{
    // Serial ports are polled when neither udev nor the /dev watch tells
    // about them; MIDI ports unless the MIDI system tells about them (JACK
    // while its server runs).
    if (!udevMonitorActive() && !m_devWatch)
        return true;
    MidiBackend *backend = MidiBackend::instance();
    return !(backend && backend == m_portWatchBackend && backend->portChangesNotified());
}

void DetectionDevice::updatePollTimer()
{
    if (!m_running)
        return;
    if (!portPollNeeded())
        m_pollTimer->stop();
    else if (!m_pollTimer->isActive())
        m_pollTimer->start();
}

void DetectionDevice::pollMidiPorts(bool afterPlugIn)
{
    const bool present = countKeyboardInputs() > 0;
    // Right after the keyboard was plugged in, ports that are there count as
    // its arrival even when the watch never saw them go (a quick re-plug, a
    // USB reset reported as removal while the list still showed the old ports).
    if (afterPlugIn && present && !m_keyboardSeen) {
        m_keyboardPortsPresent = true;
        reportEvent(kTagKeyboard, true);
        return;
    }
    if (present == m_keyboardPortsPresent)
        return;
    m_keyboardPortsPresent = present;
    reportEvent(kTagKeyboard, present);
}

void DetectionDevice::pollSerialPorts()
{
    QSet<QString> current;
    const QList<SerialPortEntry> ports = serialPorts();
    for (const SerialPortEntry &port : ports) {
        if (isLoaderPort(port))
            current.insert(portKey(port));
    }
    const QSet<QString> gone = m_loaderPorts - current;
    const QSet<QString> added = current - m_loaderPorts;
    m_loaderPorts = current;
    for (int i = 0; i < gone.size(); ++i)
        reportEvent(kTagSerialLoader, false);
    for (int i = 0; i < added.size(); ++i)
        reportEvent(kTagSerialLoader, true);
}

void DetectionDevice::schedulePortChecks()
{
    for (int delay : kPortCheckDelaysMs) {
        QTimer::singleShot(delay, this, [this] {
            if (m_running)
                pollMidiPorts(true);
        });
    }
}

void DetectionDevice::handleUdevEvent(const UdevEvent &event)
{
    if (event.kind == UdevEvent::Kind::Serial) {
        // Only the firmware loader's serial port matters among the ttys; it is
        // recognised by the same ids the firmware update looks for.
        if (tagFor(event) != kTagSerialLoader)
            return;
        // Keyed like the serial list's system location, so the scan's view carries over.
        const QString key = event.node.isEmpty() ? event.syspath : event.node;
        if (event.arrival)
            m_loaderPorts.insert(key);
        else
            m_loaderPorts.remove(key);
        reportEvent(kTagSerialLoader, event.arrival);
        return;
    }
    if (event.arrival && tagFor(event) == kTagKeyboard) {
        // Reported by the port watch once the keyboard's MIDI ports exist,
        // since that is when the controller looks them up.
        schedulePortChecks();
        return;
    }
    handleDeviceEvent(event);
}

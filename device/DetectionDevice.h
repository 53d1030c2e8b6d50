#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class LogindWatcher;
class MidiBackend;
class QFileSystemWatcher;
class QTimer;
class UdevMonitor;
struct UdevEvent;

// One serial port as the device monitor sees it (a plain copy of what
// QSerialPortInfo reports, so tests can supply their own list).
struct SerialPortEntry
{
    QString portName;       // "ttyACM0"
    QString systemLocation; // "/dev/ttyACM0"
    bool hasVendorId = false;
    quint16 vendorId = 0;
    bool hasProductId = false;
    quint16 productId = 0;
};

// Tells the controller when the keyboard's MIDI function ("vq041") or its
// firmware loader's serial device ("vq041SerialDev") arrives or leaves.
//
// Event sources on Linux:
//  - a watch of the MIDI input list (the keyboard's ports appearing or
//    vanishing), so the MIDI arrival is reported only once the ports exist,
//    whatever the MIDI system (ALSA, JACK, a simulator): the list is looked
//    at whenever the MIDI system tells that ports came or went (JACK), and
//    otherwise polled once a second (ALSA, or JACK while no server runs);
//  - a libudev monitor of the "sound" and "tty" subsystems: a keyboard sound
//    device arriving makes the port list be polled at once, one leaving is
//    reported at once, the loader's tty is reported directly;
//  - when udev is not running, a look at the serial port list whenever a
//    device node comes or goes in /dev (a poll once a second, with the MIDI
//    list, where /dev cannot be watched);
//  - logind's sleep and shutdown signals, for the power debug lines.
// One keyboard-seen flag covers both tags: an arrival while it is set and a
// removal while it is clear are logged and not reported. When a reported form
// leaves while the other one is present (seen by the watches but masked by the
// flag), the other one is reported next, so the controller never loses it.
class DetectionDevice : public QObject
{
    Q_OBJECT
public:
    enum class Sources
    {
        Live, // start the udev monitor, the port-list poll and the power watch
        None  // only the scan and the public entry points (tests)
    };
    enum class PowerEvent
    {
        SessionEnd, // shutdown, reboot or log-off is about to happen
        Suspend,    // the system is going to sleep
        Resume      // the system woke up
    };
    using SerialPortLister = std::function<QList<SerialPortEntry>()>;

    static constexpr int kPortPollIntervalMs = 1000;

    explicit DetectionDevice(QObject *parent = nullptr, Sources sources = Sources::Live);
    ~DetectionDevice() override;

    // Start-up scan: reports a keyboard (MIDI ports named kKeyboardProductName)
    // or a firmware loader serial port that is already connected. The live
    // watches continue from what the scan saw, so nothing is reported twice.
    void scanConnectedDevices();

    // Starts or stops the live sources (udev monitor, port-list poll, power
    // watch). The Sources::Live constructor calls start().
    void start();
    void stop();
    bool isRunning() const;
    bool udevMonitorActive() const; // false when udev could not be reached

    // A device arrived or was removed: looks its tag up by kind and USB ids,
    // logs and applies the flag rules (no port-list checks, no loader list).
    void handleDeviceEvent(const UdevEvent &event);
    // A udev "add" or "remove" of a sound or tty device (what the live udev
    // monitor delivers; public so the routing can be driven without udev).
    void handleUdevEvent(const UdevEvent &event);
    // Power notifications: debug lines only.
    void handlePowerEvent(PowerEvent event);
    // Looks at the MIDI input list (and the serial list when udev is not
    // running) now and reports changes since the last look.
    void pollNow();

    // The tag of a device by the ids in UsbIds: a sound device with the
    // keyboard's ids is "vq041", a device with the loader's ids
    // "vq041SerialDev"; anything else (or no USB ids) an empty string.
    static QString tagFor(const UdevEvent &event);
    bool keyboardSeen() const;

    // The serial list used by the scan and the serial poll; defaults to
    // QSerialPortInfo::availablePorts().
    void setSerialPortLister(SerialPortLister lister);

signals:
    void s_devTypeAndState(QString devType, bool isDevArrival);

private:
    void reportEvent(const QString &tag, bool arrival);
    void recheckOtherForm(const QString &removedTag);
    int countKeyboardInputs(QMap<int, QString> *devices = nullptr) const;
    QList<SerialPortEntry> serialPorts() const;
    void pollMidiPorts(bool afterPlugIn = false);
    void pollSerialPorts();
    void schedulePortChecks();
    bool portPollNeeded() const;
    void updatePollTimer();

    bool m_keyboardSeen = false;

    bool m_running = false;
    bool m_keyboardPortsPresent = false;  // the port watch's last view
    QSet<QString> m_loaderPorts;          // loader serial ports present (device node)
    SerialPortLister m_serialLister;
    QTimer *m_pollTimer = nullptr;
    // Who the MIDI system's port-change handler reaches (shared with the
    // handler, which may run on another thread until stop() cuts it off).
    struct PortWatchTarget {
        std::mutex mutex;
        DetectionDevice *device = nullptr;
        std::atomic<bool> queued{false}; // a look is already on its way
    };
    std::shared_ptr<PortWatchTarget> m_portWatchTarget;
    MidiBackend *m_portWatchBackend = nullptr; // the backend the handler is set on
    std::unique_ptr<UdevMonitor> m_udev;
    QFileSystemWatcher *m_devWatch = nullptr; // /dev, while udev cannot be had
    std::unique_ptr<LogindWatcher> m_power;
};

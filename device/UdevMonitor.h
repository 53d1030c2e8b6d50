#pragma once

#include <QHash>
#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

class QSocketNotifier;
struct udev;
struct udev_monitor;
struct udev_device;

// A USB vendor and product id pair.
struct UsbDeviceIds
{
    quint16 vendorId = 0;
    quint16 productId = 0;
};

// The USB ids of a device from its udev properties, merged with the sysattrs
// of its USB parent: ID_VENDOR_ID/ID_MODEL_ID (ignored when ID_BUS says the
// device is not on USB), else idVendor/idProduct, else the USB uevent's
// PRODUCT ("vendor/product/bcd", hex). False when none is usable.
bool usbIdsFromProperties(const QMap<QString, QString> &properties, UsbDeviceIds *ids);

// A sound or serial device arriving or leaving, as udev reports it.
struct UdevEvent
{
    enum class Kind { Sound, Serial };

    Kind kind = Kind::Sound; // subsystem "sound" or "tty"
    bool arrival = false;    // "add" (true) or "remove" (false)
    bool hasIds = false;     // false for devices that are not on USB
    UsbDeviceIds ids;
    QString node;            // "/dev/ttyACM0", may be empty
    QString syspath;         // "/sys/devices/.../sound/card1"
};

// Listens to udev's "add" and "remove" events of the "sound" and "tty"
// subsystems on the GUI thread's event loop. A removal no longer carries the
// USB parent's attributes, so the ids seen at arrival (or in the initial
// enumeration) are remembered per syspath and used for the removal.
class UdevMonitor : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(const UdevEvent &)>;

    explicit UdevMonitor(Handler handler, QObject *parent = nullptr);
    ~UdevMonitor() override;

    // True when udev is running and the monitor receives its events.
    bool isActive() const { return m_monitor != nullptr; }

    // USB ids remembered for a syspath or its nearest remembered ancestor.
    bool rememberedIds(const QString &syspath, UsbDeviceIds *ids) const;

private:
    void onReadable();
    void enumerateExisting();
    bool idsOf(udev_device *device, UsbDeviceIds *ids) const;
    void release();

    Handler m_handler;
    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    QHash<QString, UsbDeviceIds> m_knownIds; // syspath -> USB ids
};

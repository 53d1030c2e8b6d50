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

// "VID_xxxx&PID_xxxx" (upper-case hex, four digits) for a USB vendor and product.
QString usbHardwareId(quint16 vendorId, quint16 productId);

// The USB hardware id of a device from its udev properties, merged with the
// sysattrs of its USB parent: ID_VENDOR_ID/ID_MODEL_ID (ignored when ID_BUS
// says the device is not on USB), else idVendor/idProduct, else the USB
// uevent's PRODUCT ("vendor/product/bcd", hex). Empty when none is usable.
QString usbHardwareIdFromProperties(const QMap<QString, QString> &properties);

// Splits a "VID_xxxx&PID_xxxx" id; false when the text is not one.
bool parseUsbHardwareId(const QString &hardwareId, quint16 *vendorId, quint16 *productId);

struct UdevEvent
{
    bool arrival = false;  // "add" (true) or "remove" (false)
    QString subsystem;     // "sound" or "tty"
    QString syspath;       // "/sys/devices/.../sound/card1"
    QString devnode;       // "/dev/ttyACM0", may be empty
    QString hardwareId;    // "VID_1C75&PID_0206", empty for non-USB devices
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

    // Hardware id remembered for a syspath or its nearest remembered ancestor.
    QString rememberedHardwareId(const QString &syspath) const;

private:
    void onReadable();
    void enumerateExisting();
    QString hardwareIdOf(udev_device *device) const;
    void release();

    Handler m_handler;
    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    QHash<QString, QString> m_knownIds; // syspath -> hardware id
};

#include "device/UdevMonitor.h"

#include <QDebug>
#include <QFileInfo>
#include <QSocketNotifier>

#include <libudev.h>

namespace {

// Parses a USB id written in hex ("1c75", "0x1C75"); false unless it fits 16 bits.
bool parseHexId(QString text, quint16 *value)
{
    text = text.trimmed();
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = text.mid(2);
    if (text.isEmpty() || text.size() > 4)
        return false;
    bool ok = false;
    const uint parsed = text.toUInt(&ok, 16);
    if (!ok)
        return false;
    *value = static_cast<quint16>(parsed);
    return true;
}

QString fromUdev(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

// udev only works when its daemon runs; without it a netlink monitor opens
// fine and simply never hears anything.
bool udevDaemonRunning()
{
    return QFileInfo::exists(QStringLiteral("/run/udev/control"));
}

} // namespace

bool usbIdsFromProperties(const QMap<QString, QString> &properties, UsbDeviceIds *ids)
{
    quint16 vid = 0, pid = 0;
    const QString bus = properties.value(QStringLiteral("ID_BUS"));
    bool found = (bus.isEmpty() || bus == QLatin1String("usb"))
        && parseHexId(properties.value(QStringLiteral("ID_VENDOR_ID")), &vid)
        && parseHexId(properties.value(QStringLiteral("ID_MODEL_ID")), &pid);
    if (!found)
        found = parseHexId(properties.value(QStringLiteral("idVendor")), &vid)
            && parseHexId(properties.value(QStringLiteral("idProduct")), &pid);
    if (!found) {
        const QStringList product = properties.value(QStringLiteral("PRODUCT")).split(QLatin1Char('/'));
        found = product.size() == 3 && parseHexId(product.at(0), &vid) && parseHexId(product.at(1), &pid);
    }
    if (found && ids)
        *ids = UsbDeviceIds{vid, pid};
    return found;
}

UdevMonitor::UdevMonitor(Handler handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler))
{
    if (!udevDaemonRunning()) {
        qInfo() << "udev is not running: USB plug events are not watched";
        return;
    }
    m_udev = udev_new();
    if (!m_udev) {
        qInfo() << "udev_new failed: USB plug events are not watched";
        return;
    }
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor
        || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "sound", nullptr) < 0
        || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0) {
        qInfo() << "udev monitor unavailable: USB plug events are not watched";
        release();
        return;
    }
    const int fd = udev_monitor_get_fd(m_monitor);
    if (fd < 0) {
        release();
        return;
    }
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevMonitor::onReadable);
    enumerateExisting();
}

UdevMonitor::~UdevMonitor()
{
    release();
}

void UdevMonitor::release()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    m_monitor = nullptr;
    if (m_udev)
        udev_unref(m_udev);
    m_udev = nullptr;
}

bool UdevMonitor::idsOf(udev_device *device, UsbDeviceIds *ids) const
{
    QMap<QString, QString> properties;
    udev_list_entry *entry = nullptr;
    udev_list_entry_foreach(entry, udev_device_get_properties_list_entry(device))
    {
        properties.insert(fromUdev(udev_list_entry_get_name(entry)),
                          fromUdev(udev_list_entry_get_value(entry)));
    }
    // The parent is owned by the child; it must not be unref'd.
    if (udev_device *usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device")) {
        properties.insert(QStringLiteral("idVendor"), fromUdev(udev_device_get_sysattr_value(usb, "idVendor")));
        properties.insert(QStringLiteral("idProduct"), fromUdev(udev_device_get_sysattr_value(usb, "idProduct")));
        if (!properties.contains(QStringLiteral("PRODUCT")))
            properties.insert(QStringLiteral("PRODUCT"), fromUdev(udev_device_get_property_value(usb, "PRODUCT")));
    }
    return usbIdsFromProperties(properties, ids);
}

void UdevMonitor::enumerateExisting()
{
    udev_enumerate *enumerate = udev_enumerate_new(m_udev);
    if (!enumerate)
        return;
    udev_enumerate_add_match_subsystem(enumerate, "sound");
    udev_enumerate_add_match_subsystem(enumerate, "tty");
    if (udev_enumerate_scan_devices(enumerate) >= 0) {
        udev_list_entry *entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate))
        {
            const char *syspath = udev_list_entry_get_name(entry);
            udev_device *device = syspath ? udev_device_new_from_syspath(m_udev, syspath) : nullptr;
            if (!device)
                continue;
            UsbDeviceIds ids;
            if (idsOf(device, &ids))
                m_knownIds.insert(fromUdev(syspath), ids);
            udev_device_unref(device);
        }
    }
    udev_enumerate_unref(enumerate);
}

bool UdevMonitor::rememberedIds(const QString &syspath, UsbDeviceIds *ids) const
{
    QString path = syspath;
    while (!path.isEmpty()) {
        const auto found = m_knownIds.constFind(path);
        if (found != m_knownIds.constEnd()) {
            if (ids)
                *ids = found.value();
            return true;
        }
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            break;
        path.truncate(slash);
    }
    return false;
}

void UdevMonitor::onReadable()
{
    // Drain everything queued; receive_device returns null when nothing is left.
    while (m_monitor) {
        udev_device *device = udev_monitor_receive_device(m_monitor);
        if (!device)
            break;
        const QString action = fromUdev(udev_device_get_action(device));
        UdevEvent event;
        event.kind = fromUdev(udev_device_get_subsystem(device)) == QLatin1String("tty")
            ? UdevEvent::Kind::Serial
            : UdevEvent::Kind::Sound;
        event.syspath = fromUdev(udev_device_get_syspath(device));
        event.node = fromUdev(udev_device_get_devnode(device));
        if (action == QLatin1String("add")) {
            event.arrival = true;
            event.hasIds = idsOf(device, &event.ids);
            if (event.hasIds)
                m_knownIds.insert(event.syspath, event.ids);
        } else if (action == QLatin1String("remove")) {
            event.arrival = false;
            event.hasIds = idsOf(device, &event.ids);
            if (!event.hasIds)
                event.hasIds = rememberedIds(event.syspath, &event.ids);
            m_knownIds.remove(event.syspath);
        }
        udev_device_unref(device);
        // "change", "bind", "unbind" and the like carry no presence change.
        if ((action == QLatin1String("add") || action == QLatin1String("remove")) && m_handler)
            m_handler(event);
    }
}

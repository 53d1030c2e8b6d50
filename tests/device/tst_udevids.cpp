// Turning udev properties into the "VID_xxxx&PID_xxxx" ids the monitor matches.
#include "device/UdevMonitor.h"

#include <QtTest>

using Props = QMap<QString, QString>;
Q_DECLARE_METATYPE(Props)

class TestUdevIds : public QObject
{
    Q_OBJECT
private slots:
    void fromProperties_data()
    {
        QTest::addColumn<Props>("props");
        QTest::addColumn<QString>("expected");

        QTest::newRow("udev ids, lower-case hex")
            << Props{{"ID_BUS", "usb"}, {"ID_VENDOR_ID", "1c75"}, {"ID_MODEL_ID", "0206"}} << "VID_1C75&PID_0206";
        QTest::newRow("udev ids without bus")
            << Props{{"ID_VENDOR_ID", "0416"}, {"ID_MODEL_ID", "0204"}} << "VID_0416&PID_0204";
        QTest::newRow("parent sysattrs")
            << Props{{"idVendor", "0416"}, {"idProduct", "0206"}} << "VID_0416&PID_0206";
        QTest::newRow("short ids are zero-padded")
            << Props{{"idVendor", "416"}, {"idProduct", "a"}} << "VID_0416&PID_000A";
        QTest::newRow("uevent PRODUCT, no leading zeros")
            << Props{{"PRODUCT", "416/204/100"}} << "VID_0416&PID_0204";
        // A PCI sound card also has ID_VENDOR_ID (as "0x8086"): it is no USB id.
        QTest::newRow("pci card is not usb")
            << Props{{"ID_BUS", "pci"}, {"ID_VENDOR_ID", "0x8086"}, {"ID_MODEL_ID", "0xa348"}} << "";
        QTest::newRow("pci card with a usb parent falls back to sysattrs")
            << Props{{"ID_BUS", "pci"}, {"ID_VENDOR_ID", "0x8086"}, {"ID_MODEL_ID", "0xa348"},
                     {"idVendor", "1c75"}, {"idProduct", "0206"}}
            << "VID_1C75&PID_0206";
        QTest::newRow("vendor only") << Props{{"ID_VENDOR_ID", "1c75"}} << "";
        QTest::newRow("not hex") << Props{{"idVendor", "zz75"}, {"idProduct", "0206"}} << "";
        QTest::newRow("wider than 16 bits") << Props{{"idVendor", "11c75"}, {"idProduct", "0206"}} << "";
        QTest::newRow("negative") << Props{{"idVendor", "-1"}, {"idProduct", "0206"}} << "";
        QTest::newRow("malformed PRODUCT") << Props{{"PRODUCT", "416/204"}} << "";
        QTest::newRow("empty") << Props{} << "";
    }
    void fromProperties()
    {
        QFETCH(Props, props);
        QFETCH(QString, expected);
        QCOMPARE(usbHardwareIdFromProperties(props), expected);
    }

    void parseAndFormat()
    {
        QCOMPARE(usbHardwareId(0x1c75, 0x206), QStringLiteral("VID_1C75&PID_0206"));
        QCOMPARE(usbHardwareId(0xffff, 0), QStringLiteral("VID_FFFF&PID_0000"));

        quint16 vid = 0, pid = 0;
        QVERIFY(parseUsbHardwareId(QStringLiteral("vid_0416&pid_0204"), &vid, &pid));
        QCOMPARE(vid, quint16(0x0416));
        QCOMPARE(pid, quint16(0x0204));
        for (const char *bad : {"", "VID_0416", "VID_0416&PID_02", "VID_0416&PID_02040", "VID_04G6&PID_0204",
                                "VID_0416-PID_0204", "PID_0416&VID_0204"})
            QVERIFY2(!parseUsbHardwareId(QString::fromLatin1(bad), &vid, &pid), bad);
    }

    // Whatever the machine has (udev running or not), building the monitor
    // must neither fail nor call the handler on its own.
    void monitorConstructsWithOrWithoutUdev()
    {
        int calls = 0;
        {
            UdevMonitor monitor([&calls](const UdevEvent &) { ++calls; });
            QCoreApplication::processEvents();
            if (!monitor.isActive())
                QCOMPARE(monitor.rememberedHardwareId(QStringLiteral("/sys/devices/x")), QString());
        }
        QCOMPARE(calls, 0);
    }
};

QTEST_GUILESS_MAIN(TestUdevIds)
#include "tst_udevids.moc"

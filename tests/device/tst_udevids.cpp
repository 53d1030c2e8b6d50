// Turning udev properties into the USB ids the monitor matches.
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
            << Props{{"ID_BUS", "usb"}, {"ID_VENDOR_ID", "1c75"}, {"ID_MODEL_ID", "0206"}} << "1c75:0206";
        QTest::newRow("udev ids without bus")
            << Props{{"ID_VENDOR_ID", "0416"}, {"ID_MODEL_ID", "0204"}} << "0416:0204";
        QTest::newRow("parent sysattrs")
            << Props{{"idVendor", "0416"}, {"idProduct", "0206"}} << "0416:0206";
        QTest::newRow("short ids are zero-padded")
            << Props{{"idVendor", "416"}, {"idProduct", "a"}} << "0416:000a";
        QTest::newRow("uevent PRODUCT, no leading zeros")
            << Props{{"PRODUCT", "416/204/100"}} << "0416:0204";
        // A PCI sound card also has ID_VENDOR_ID (as "0x8086"): it is no USB id.
        QTest::newRow("pci card is not usb")
            << Props{{"ID_BUS", "pci"}, {"ID_VENDOR_ID", "0x8086"}, {"ID_MODEL_ID", "0xa348"}} << "";
        QTest::newRow("pci card with a usb parent falls back to sysattrs")
            << Props{{"ID_BUS", "pci"}, {"ID_VENDOR_ID", "0x8086"}, {"ID_MODEL_ID", "0xa348"},
                     {"idVendor", "1c75"}, {"idProduct", "0206"}}
            << "1c75:0206";
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
        UsbDeviceIds ids{0x1111, 0x2222};
        const bool found = usbIdsFromProperties(props, &ids);
        QCOMPARE(found, !expected.isEmpty());
        const QString got = found ? QStringLiteral("%1:%2")
                                        .arg(ids.vendorId, 4, 16, QLatin1Char('0'))
                                        .arg(ids.productId, 4, 16, QLatin1Char('0'))
                                  : QString();
        QCOMPARE(got, expected);
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
                QVERIFY(!monitor.rememberedIds(QStringLiteral("/sys/devices/x"), nullptr));
        }
        QCOMPARE(calls, 0);
    }
};

QTEST_GUILESS_MAIN(TestUdevIds)
#include "tst_udevids.moc"

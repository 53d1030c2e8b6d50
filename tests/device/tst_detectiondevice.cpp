// The device monitor: tag lookup, flag rules and debug lines, the start-up
// scan, the port-list and serial watches and the routing of udev events.
#include "device/DetectionDevice.h"
#include "device/UdevMonitor.h"
#include "tests/support/FakeMidiBackend.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

// Collects the debug lines written while it lives.
class DebugLines
{
public:
    DebugLines()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&DebugLines::handler);
    }
    ~DebugLines() { qInstallMessageHandler(m_previous); }
    QStringList take()
    {
        QStringList lines = s_lines;
        s_lines.clear();
        return lines;
    }

private:
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type == QtDebugMsg)
            s_lines.append(text);
    }
    static QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};
QStringList DebugLines::s_lines;

const char kName[] = "Vornel RambaKEY Q7X";

SerialPortEntry port(const QString &name, quint16 vid, quint16 pid)
{
    SerialPortEntry entry;
    entry.portName = name;
    entry.systemLocation = QStringLiteral("/dev/") + name;
    entry.hasVendorId = entry.hasProductId = true;
    entry.vendorId = vid;
    entry.productId = pid;
    return entry;
}

using Emission = QPair<QString, bool>;

QList<Emission> emissions(QSignalSpy &spy)
{
    QList<Emission> result;
    for (const QList<QVariant> &args : qAsConst(spy))
        result.append({args.at(0).toString(), args.at(1).toBool()});
    spy.clear();
    return result;
}

// A udev event; ids "vvvv:pppp" in hex, empty for a device not on USB.
UdevEvent udevEvent(bool arrival, const QString &subsystem, const QString &ids,
                    const QString &syspath = QStringLiteral("/sys/devices/pci0000:00/usb1/1-2/1-2:1.1/sound/card2"))
{
    UdevEvent event;
    event.arrival = arrival;
    event.kind = subsystem == QLatin1String("tty") ? UdevEvent::Kind::Serial : UdevEvent::Kind::Sound;
    const QStringList parts = ids.split(QLatin1Char(':'));
    event.hasIds = parts.size() == 2;
    if (event.hasIds)
        event.ids = {quint16(parts.at(0).toUInt(nullptr, 16)), quint16(parts.at(1).toUInt(nullptr, 16))};
    event.syspath = syspath;
    return event;
}

} // namespace

class TestDetectionDevice : public QObject
{
    Q_OBJECT
private:
    FakeMidiBackend m_backend;
    QList<SerialPortEntry> m_serial;

    void useSerialList(DetectionDevice &device)
    {
        device.setSerialPortLister([this] { return m_serial; });
    }

private slots:
    void init()
    {
        m_backend.setNotifiesPortChanges(false);
        m_backend.setInputDevices({});
        m_serial.clear();
        MidiBackend::setInstance(&m_backend);
    }
    void cleanup() { MidiBackend::setInstance(nullptr); }

    void tagLookup_data()
    {
        QTest::addColumn<QString>("subsystem");
        QTest::addColumn<QString>("ids");
        QTest::addColumn<QString>("tag");
        QTest::newRow("keyboard") << "sound" << "1c75:0206" << "vq041";
        QTest::newRow("second keyboard id") << "sound" << "0416:0206" << "vq041";
        QTest::newRow("loader") << "tty" << "0416:0204" << "vq041SerialDev";
        QTest::newRow("loader with the keyboard's second id") << "tty" << "0416:0206" << "vq041SerialDev";
        QTest::newRow("keyboard's first id on a tty") << "tty" << "1c75:0206" << "";
        QTest::newRow("other device") << "sound" << "046d:0a44" << "";
        QTest::newRow("same product, other vendor") << "sound" << "1c76:0206" << "";
        QTest::newRow("same vendor, other product") << "tty" << "0416:0205" << "";
        QTest::newRow("not on USB") << "sound" << "" << "";
    }
    void tagLookup()
    {
        QFETCH(QString, subsystem);
        QFETCH(QString, ids);
        QFETCH(QString, tag);
        QCOMPARE(DetectionDevice::tagFor(udevEvent(true, subsystem, ids)), tag);
    }

    void arrivalAndRemovalFollowTheFlag()
    {
        DetectionDevice device(nullptr, DetectionDevice::Sources::None);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        DebugLines lines;
        const UdevEvent arrival = udevEvent(true, "sound", "0416:0206");
        const UdevEvent removal = udevEvent(false, "sound", "0416:0206");

        device.handleDeviceEvent(arrival);
        QCOMPARE(lines.take(), QStringList({"message Param: 8000", R"(arrived device: "vq041" status false)"}));
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}}));
        QVERIFY(device.keyboardSeen());

        // A second interface of the same keyboard: logged, not reported.
        device.handleDeviceEvent(arrival);
        QCOMPARE(lines.take(), QStringList({"message Param: 8000", R"(arrived device: "vq041" status true)"}));
        QVERIFY(spy.isEmpty());

        device.handleDeviceEvent(removal);
        QCOMPARE(lines.take(), QStringList({"message Param: 8004", R"(remove device: "vq041" status: true)"}));
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", false}}));
        QVERIFY(!device.keyboardSeen());

        device.handleDeviceEvent(removal);
        QCOMPARE(lines.take(), QStringList({"message Param: 8004", R"(remove device: "vq041" status: false)"}));
        QVERIFY(spy.isEmpty());
    }

    void unknownDevicesAreLoggedOnly()
    {
        DetectionDevice device(nullptr, DetectionDevice::Sources::None);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        DebugLines lines;
        device.handleDeviceEvent(udevEvent(true, "sound", "046d:0a44"));
        QCOMPARE(lines.take(), QStringList({"message Param: 8000", R"(arrived device: "" status false)"}));
        QVERIFY(!device.keyboardSeen());

        // An unknown removal does not clear a set flag.
        device.handleDeviceEvent(udevEvent(true, "sound", "1c75:0206"));
        device.handleDeviceEvent(udevEvent(false, "sound", "046d:0a44"));
        QVERIFY(device.keyboardSeen());
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}}));
    }

    void oneFlagForBothForms()
    {
        DetectionDevice device(nullptr, DetectionDevice::Sources::None);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        device.handleDeviceEvent(udevEvent(true, "tty", "0416:0204"));
        device.handleDeviceEvent(udevEvent(true, "sound", "1c75:0206")); // ignored: seen
        device.handleDeviceEvent(udevEvent(false, "sound", "1c75:0206")); // clears, reported as vq041
        device.handleDeviceEvent(udevEvent(false, "tty", "0416:0204")); // ignored: clear
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041SerialDev", true}, {"vq041", false}}));
    }

    // Without plug notifications (no udev here, or it cannot be reached) the
    // failure is logged, and the port-list watch still runs.
    void registrationFailureIsLogged()
    {
        DebugLines lines;
        DetectionDevice device(nullptr, DetectionDevice::Sources::Live);
        const QStringList seen = lines.take();
        QVERIFY(device.isRunning());
        QCOMPARE(seen.count("register UDisk notification fail, error:"), device.udevMonitorActive() ? 0 : 1);
        device.stop();
        device.start();
        QCOMPARE(lines.take().count("register UDisk notification fail, error:"), device.udevMonitorActive() ? 0 : 1);

        DetectionDevice quiet(nullptr, DetectionDevice::Sources::None);
        QVERIFY(lines.take().isEmpty());
    }

    void powerLines()
    {
        DetectionDevice device(nullptr, DetectionDevice::Sources::None);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        DebugLines lines;
        device.handlePowerEvent(DetectionDevice::PowerEvent::SessionEnd);
        device.handlePowerEvent(DetectionDevice::PowerEvent::Suspend);
        device.handlePowerEvent(DetectionDevice::PowerEvent::Resume);
        QCOMPARE(lines.take(), QStringList({"======system poweroff,reboot or logoff======", "======xiu mian======",
                                            "======huan xing======"}));
        QVERIFY(spy.isEmpty());
        QVERIFY(!device.keyboardSeen());
    }

    void scanReportsEachMatchingInput()
    {
        m_backend.setInputDevices({{0, "Midi Through"}, {3, kName}, {4, "Vornel RambaKEY Q7X MIDI 2"}, {5, kName}});
        DetectionDevice device(nullptr, DetectionDevice::Sources::None);
        useSerialList(device);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        DebugLines lines;
        device.scanConnectedDevices();
        QCOMPARE(lines.take(),
                 QStringList({R"("Midi Through")", R"("Vornel RambaKEY Q7X")", "-------------open midi------------",
                              R"("Vornel RambaKEY Q7X MIDI 2")", R"("Vornel RambaKEY Q7X")",
                              "-------------open midi------------"}));
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}, {"vq041", true}}));
        QVERIFY(device.keyboardSeen());
    }

    void scanWithoutMidiDevices()
    {
        for (bool withBackend : {true, false}) {
            MidiBackend::setInstance(withBackend ? &m_backend : nullptr);
            DetectionDevice device(nullptr, DetectionDevice::Sources::None);
            useSerialList(device);
            QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
            DebugLines lines;
            device.scanConnectedDevices();
            QCOMPARE(lines.take(), QStringList({"no available midi device."}));
            QVERIFY(spy.isEmpty());
        }
    }

    void scanFindsTheLoaderWithoutSettingTheFlag()
    {
        m_serial = {port("ttyS0", 0, 0), port("ttyUSB0", 0x0403, 0x6001), port("ttyACM0", 0x0416, 0x0204),
                    port("ttyACM1", 0x0416, 0x0206)};
        DetectionDevice device(nullptr, DetectionDevice::Sources::None);
        useSerialList(device);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        DebugLines lines;
        device.scanConnectedDevices();
        QCOMPARE(lines.take(), QStringList({"no available midi device.", "in coming vid: 0  pid: 0",
                                            "in coming vid: 1027  pid: 24577", "in coming vid: 1046  pid: 516",
                                            "==================="}));
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041SerialDev", true}}));
        QVERIFY(!device.keyboardSeen());

        // The serial watch starts from the scan's view: nothing new to report.
        device.pollNow();
        QVERIFY(spy.isEmpty());
        // The loader leaving while the flag is clear reports nothing either.
        m_serial.clear();
        device.pollNow();
        QVERIFY(spy.isEmpty());
    }

    void portWatchReportsPortsComingAndGoing()
    {
        DetectionDevice device(nullptr, DetectionDevice::Sources::None);
        useSerialList(device);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        device.pollNow();
        QVERIFY(spy.isEmpty());

        m_backend.setInputDevices({{0, "Midi Through"}, {1, kName}, {2, kName}});
        DebugLines lines;
        device.pollNow();
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}}));
        QCOMPARE(lines.take(), QStringList({"message Param: 8000", R"(arrived device: "vq041" status false)"}));

        m_backend.setInputDevices({{0, "Midi Through"}, {2, kName}}); // one of two ports gone: still there
        device.pollNow();
        QVERIFY(spy.isEmpty());

        m_backend.setInputDevices({{0, "Midi Through"}});
        device.pollNow();
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", false}}));

        // The backend going away altogether counts as no ports.
        m_backend.setInputDevices({{0, kName}});
        device.pollNow();
        MidiBackend::setInstance(nullptr);
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}, {"vq041", false}}));
    }

    void scanThenWatchReportsOnce()
    {
        m_backend.setInputDevices({{0, kName}});
        DetectionDevice device(nullptr, DetectionDevice::Sources::None);
        useSerialList(device);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        device.scanConnectedDevices();
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}}));
        m_backend.setInputDevices({});
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", false}}));
    }

    void serialPollReportsTheLoader()
    {
        DetectionDevice device(nullptr, DetectionDevice::Sources::None);
        useSerialList(device);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        m_serial = {port("ttyUSB0", 0x0403, 0x6001)};
        device.pollNow();
        QVERIFY(spy.isEmpty());
        m_serial.append(port("ttyACM0", 0x0416, 0x0206));
        device.pollNow();
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041SerialDev", true}}));
        m_serial.removeLast();
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041SerialDev", false}}));
        // A port without ids (a plain pty or on-board UART) is never the loader.
        SerialPortEntry bare;
        bare.portName = QStringLiteral("ttyS0");
        bare.vendorId = 0x0416;
        bare.productId = 0x0204;
        m_serial = {bare};
        device.pollNow();
        QVERIFY(spy.isEmpty());
    }

    // Firmware update hand-back: the keyboard's ports come back while the
    // loader still holds the flag; once the loader leaves, the keyboard is
    // reported rather than lost.
    void keyboardMaskedByTheLoaderIsReportedAfterIt()
    {
        DetectionDevice device(nullptr, DetectionDevice::Sources::Live);
        QVERIFY(device.isRunning());
        useSerialList(device);
        device.scanConnectedDevices();
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);

        m_serial = {port("ttyACM0", 0x0416, 0x0206)};
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041SerialDev", true}}));
        m_backend.setInputDevices({{0, kName}});
        device.pollNow(); // ports seen, arrival ignored: the flag is set
        QVERIFY(spy.isEmpty());
        m_serial.clear();
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041SerialDev", false}}));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}}));
        QVERIFY(device.keyboardSeen());
        device.stop();
        QVERIFY(!device.isRunning());
    }

    // The reverse: the loader appears while the keyboard's ports are still
    // listed; once they vanish, the loader is reported.
    void loaderMaskedByTheKeyboardIsReportedAfterIt()
    {
        DetectionDevice device(nullptr, DetectionDevice::Sources::Live);
        useSerialList(device);
        device.scanConnectedDevices();
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        m_backend.setInputDevices({{0, kName}});
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}}));
        m_serial = {port("ttyACM0", 0x0416, 0x0204)};
        device.pollNow();
        QVERIFY(spy.isEmpty());
        m_backend.setInputDevices({});
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", false}}));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041SerialDev", true}}));
        // Nothing further once both views agree.
        QTest::qWait(50);
        device.pollNow();
        QVERIFY(spy.isEmpty());
    }

    void startStopAndDestroyWithWorkPending()
    {
        m_backend.setInputDevices({{0, kName}});
        auto device = std::make_unique<DetectionDevice>(nullptr, DetectionDevice::Sources::Live);
        QSignalSpy spy(device.get(), &DetectionDevice::s_devTypeAndState);
        device->start(); // already running: no second set of sources
        device->stop();
        device->stop();
        QVERIFY(!device->isRunning());
        device->start();
        QVERIFY(device->isRunning());
        // Checks scheduled by a plug-in and a re-check after a removal are
        // still pending when the object goes.
        device->handleUdevEvent(udevEvent(true, "sound", "1c75:0206"));
        device->handleDeviceEvent(udevEvent(true, "tty", "0416:0204"));
        device->handleDeviceEvent(udevEvent(false, "tty", "0416:0204"));
        QCOMPARE(spy.count(), 2);
        device.reset();
        QTest::qWait(DetectionDevice::kPortPollIntervalMs + 200);
        QCOMPARE(spy.count(), 2);
    }

    // A MIDI system that tells when ports come and go (JACK with its server
    // up) replaces the port-list poll, and /dev is watched where udev is
    // missing: an idle device monitor runs no timer at all. When the system
    // stops telling (the server went away), the poll comes back.
    void toldPortChangesLeaveNoTimerRunning()
    {
        m_backend.setNotifiesPortChanges(true);
        DetectionDevice device(nullptr, DetectionDevice::Sources::Live);
        useSerialList(device);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        device.scanConnectedDevices();
        auto runningTimers = [&device] {
            int running = 0;
            for (QTimer *timer : device.findChildren<QTimer *>())
                running += timer->isActive() ? 1 : 0;
            return running;
        };
        QCOMPARE(runningTimers(), 0);

        m_backend.setInputDevices({{0, kName}});
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}}));
        QCOMPARE(runningTimers(), 0);

        // Many changes in a row make few looks, and the last one counts.
        for (int i = 0; i < 20; ++i)
            m_backend.setInputDevices(i % 2 ? QMap<int, QString>{{0, kName}} : QMap<int, QString>{});
        QTest::qWait(50);
        QVERIFY(spy.count() <= 2);
        QCOMPARE(device.keyboardSeen(), true);
        spy.clear();

        m_backend.setNotifiesPortChanges(false);
        m_backend.setInputDevices({});
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", false}}));
        QCOMPARE(runningTimers(), 1);
        m_backend.setNotifiesPortChanges(true);
        device.pollNow();
        QCOMPARE(runningTimers(), 0);

        // Once the monitor stops, changes reach it no more.
        device.stop();
        m_backend.setInputDevices({{0, kName}});
        QTest::qWait(50);
        QVERIFY(spy.isEmpty());
        m_backend.setNotifiesPortChanges(false);
    }

    // A tty with the loader's ids is the loader, even with the id the table
    // lists for the keyboard's MIDI function (0416:0206).
    void udevLoaderTty()
    {
        DetectionDevice device(nullptr, DetectionDevice::Sources::None);
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        for (const char *id : {"0416:0206", "0416:0204"}) {
            UdevEvent tty = udevEvent(true, "tty", id, "/sys/devices/x/1-2:1.0/tty/ttyACM0");
            tty.node = QStringLiteral("/dev/ttyACM0");
            device.handleUdevEvent(tty);
            tty.arrival = false;
            device.handleUdevEvent(tty);
            QCOMPARE(emissions(spy), QList<Emission>({{"vq041SerialDev", true}, {"vq041SerialDev", false}}));
        }
    }

    void udevRouting()
    {
        DetectionDevice device(nullptr, DetectionDevice::Sources::Live);
        useSerialList(device);
        device.scanConnectedDevices();
        QSignalSpy spy(&device, &DetectionDevice::s_devTypeAndState);
        DebugLines lines;

        // Other ttys and ttys without USB ids: ignored, without a line.
        device.handleUdevEvent(udevEvent(true, "tty", "0403:6001", "/sys/devices/x/ttyUSB0"));
        device.handleUdevEvent(udevEvent(true, "tty", "", "/sys/devices/virtual/tty/tty5"));
        QVERIFY(spy.isEmpty());
        QVERIFY(lines.take().isEmpty());

        // The keyboard's sound device alone is not reported: its MIDI ports are not there yet.
        device.handleUdevEvent(udevEvent(true, "sound", "1c75:0206"));
        QTest::qWait(50);
        QVERIFY(spy.isEmpty());
        // Its ports appear: the arrival follows without waiting for the regular poll.
        device.handleUdevEvent(udevEvent(true, "sound", "1c75:0206", "/sys/x/sound/card2/midiC2D0"));
        m_backend.setInputDevices({{0, kName}});
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, DetectionDevice::kPortPollIntervalMs / 2);
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}}));
        lines.take();

        // Removal is reported at once, from the remembered USB id, while the
        // ports are still listed; the port watch does not bring it back.
        device.handleUdevEvent(udevEvent(false, "sound", "1c75:0206"));
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", false}}));
        QVERIFY(lines.take().contains(R"(remove device: "vq041" status: true)"));
        device.pollNow();
        QVERIFY(spy.isEmpty());
        m_backend.setInputDevices({});
        device.pollNow();
        QVERIFY(spy.isEmpty());
        QCOMPARE(lines.take(), QStringList({"message Param: 8004", R"(remove device: "vq041" status: false)"}));

        // A quick re-plug: removed and added again before the port list ever
        // looked empty. The keyboard is reported again.
        m_backend.setInputDevices({{0, kName}});
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", true}}));
        device.handleUdevEvent(udevEvent(false, "sound", "1c75:0206"));
        device.handleUdevEvent(udevEvent(true, "sound", "1c75:0206"));
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", false}, {"vq041", true}}));
        QTest::qWait(DetectionDevice::kPortPollIntervalMs + 200); // the later checks add nothing
        QVERIFY(spy.isEmpty());
        m_backend.setInputDevices({});
        device.pollNow();
        QCOMPARE(emissions(spy), QList<Emission>({{"vq041", false}}));
        lines.take();

        // Another sound card: logged with an empty tag, nothing reported.
        device.handleUdevEvent(udevEvent(true, "sound", "", "/sys/devices/pci0000:00/0000:00:1f.3/sound/card0"));
        QCOMPARE(lines.take(), QStringList({"message Param: 8000", R"(arrived device: "" status false)"}));
        QVERIFY(spy.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDetectionDevice)
#include "tst_detectiondevice.moc"

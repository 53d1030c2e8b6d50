#include "midi/MidiPorts.h"
#include "midi/RtMidiBackend.h"
#include "midi/Sysex.h"
#include "tests/e2e/E2eProcesses.h"
#include "tools/rambakey-sim/KeyboardModel.h"

#include <QtTest>
#include <QScopeGuard>

#include <atomic>

#include <condition_variable>
#include <sys/resource.h>
#include <deque>
#include <mutex>

// The real MIDI path: a private JACK server, the keyboard simulator on it, and
// the port wrappers over RtMidiBackend talking to the simulator.
namespace {

// A line of this thread's status in /proc, by its key.
QByteArray statusLine(const char *key)
{
    QFile status(QStringLiteral("/proc/thread-self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QByteArray();
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line;
    }
    return QByteArray();
}

std::mutex g_mutex;
std::condition_variable g_arrived;
std::deque<QByteArray> g_received;

void deliver(char *data, int count)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_received.emplace_back(data, count);
    }
    delete[] data;
    g_arrived.notify_all();
}

// The next received message, or an empty array after `ms` milliseconds.
QByteArray nextMessage(int ms = 5000)
{
    std::unique_lock<std::mutex> lock(g_mutex);
    if (!g_arrived.wait_for(lock, std::chrono::milliseconds(ms), [] { return !g_received.empty(); }))
        return QByteArray();
    QByteArray message = g_received.front();
    g_received.pop_front();
    return message;
}

int idOf(const QMap<int, QString> &devices)
{
    int found = -1;
    int matches = 0;
    for (auto it = devices.constBegin(); it != devices.constEnd(); ++it) {
        if (it.value() == QLatin1String(kKeyboardProductName)) {
            if (found < 0)
                found = it.key();
            ++matches;
        }
    }
    return matches == 1 ? found : -1 - matches;
}

} // namespace

class TstJackLink : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ChildProcess m_jackd;
    ChildProcess m_sim;
    ChildProcess m_other; // another device, listed before the keyboard
    QByteArray m_simOutput;
    std::unique_ptr<RtMidiBackend> m_backend;

    // Waits for a line printed by the simulator, keeping what follows it.
    bool waitForSimLine(const QByteArray &line, int ms = 5000)
    {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            m_simOutput += m_sim.readAllStandardOutput();
            const int at = m_simOutput.indexOf(line + '\n');
            if (at >= 0) {
                m_simOutput.remove(0, at + line.size() + 1);
                return true;
            }
            if (clock.elapsed() > ms || m_sim.state() != QProcess::Running)
                return false;
            m_sim.waitForReadyRead(50);
        }
    }

    void startSim(const QStringList &options)
    {
        m_simOutput.clear();
        QVERIFY(m_sim.startBounded(RAMBAKEY_SIM, QStringList{"--api", "jack"} + options));
        QVERIFY2(waitForSimLine("READY", 10000), m_simOutput.constData());
    }

    QString jackLogPath() const { return m_dir.filePath("jackd.log"); }
    QByteArray jackLog() const
    {
        QFile file(jackLogPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll().right(4000) : QByteArray();
    }

    QByteArray dump() const
    {
        QFile file(m_dir.filePath("dump.bin"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // A server of our own, so parallel runs and other users never meet.
        const QByteArray jackProblem = startPrivateJackServer(m_jackd, "midi-test", m_dir.path());
        QVERIFY2(jackProblem.isEmpty(), jackProblem.constData());

        m_other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QVERIFY(m_other.startBounded(RAMBAKEY_SIM, {"--api", "jack", "--name", "Other Keyboard", "--no-loader"}));
        QVERIFY(m_other.waitForReadyRead(10000));
        QCOMPARE(m_other.readLine(), QByteArray("READY\n"));

        m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QFile stale(m_dir.filePath("write.bin")); // left by an earlier run: removed at start-up
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QVERIFY(m_sim.startBounded(RAMBAKEY_SIM, {"--api", "jack", "--dump", m_dir.filePath("dump.bin"),
                                                  "--last-write", m_dir.filePath("write.bin"), "--serial",
                                                  "ABC123", "--version", "1.2.3", "--note", "61",
                                                  "--no-loader"}));
        QVERIFY2(waitForSimLine("READY", 10000), m_simOutput.constData());
        QVERIFY(!QFileInfo::exists(m_dir.filePath("write.bin")));

        m_backend = RtMidiBackend::create(RtMidiBackend::Api::Jack);
        QVERIFY(m_backend);
        MidiBackend::setInstance(m_backend.get());
    }

    void cleanup()
    {
        if (QTest::currentTestFailed())
            qInfo().noquote() << "JACK server log (end):\n" << jackLog();
    }

    void cleanupTestCase()
    {
        MidiBackend::setInstance(nullptr);
        m_backend.reset();
        for (QProcess *sim : {&m_sim, &m_other}) {
            if (sim->state() == QProcess::Running) {
                sim->terminate();
                if (!sim->waitForFinished(5000))
                    sim->kill();
            }
        }
        m_jackd.stop();
    }

    // Ids come from a listing; when a device before the keyboard leaves in
    // the meantime, the id still opens the keyboard, not whatever moved there.
    void portsMovingBetweenListingAndOpening()
    {
        const QMap<int, QString> inputs = listMidiInDevices();
        const QMap<int, QString> outputs = listMidiOutDevices();
        const int inId = idOf(inputs);
        const int outId = idOf(outputs);
        QVERIFY(inId >= 0 && outId >= 0);
        QVERIFY2(inputs.key("Other Keyboard", 1000) < inId, "the other device is listed first");
        QVERIFY(outputs.key("Other Keyboard", 1000) < outId);

        m_other.terminate();
        QVERIFY(m_other.waitForFinished(5000));

        MidiInPort in;
        MidiOutPort out;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(in.open(inId, deliver));
        QVERIFY(out.open(outId));
        const qint64 openMs = clock.elapsed();
        const QByteArray request = Sysex::request(Sysex::SerialNumber);
        QVERIFY(out.sendLongMessage(request.constData(), request.size()));
        QCOMPARE(nextMessage().size(), 25);
        QVERIFY(waitForSimLine("REQUEST serial"));
        clock.restart();
        in.close();
        out.close();
        qInfo().noquote() << QStringLiteral("opening both ports took %1 ms, closing them %2 ms")
                                 .arg(openMs)
                                 .arg(clock.elapsed());
    }

    // The server's shared graph (over 100 MB with the default port count)
    // must not be locked into the editor's memory, also when the process may
    // lock without a limit (CI runs as root); and the lock limit and the
    // capabilities the clients were opened under come back afterwards.
    void jackGraphIsNotLockedIntoMemory()
    {
        const QByteArray capsBefore = statusLine("CapEff:");
        rlimit limitBefore = {};
        QCOMPARE(getrlimit(RLIMIT_MEMLOCK, &limitBefore), 0);

        MidiInPort in;
        MidiOutPort out;
        QVERIFY(in.open(idOf(listMidiInDevices()), deliver));
        QVERIFY(out.open(idOf(listMidiOutDevices())));
        QFile smaps(QStringLiteral("/proc/self/smaps"));
        QVERIFY(smaps.open(QIODevice::ReadOnly));
        qint64 jackMappedKb = 0;
        qint64 jackLockedKb = 0;
        bool inJack = false;
        for (const QByteArray &line : smaps.readAll().split('\n')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (!fields.isEmpty() && fields.first().contains('-') && !line.endsWith(':'))
                inJack = fields.size() >= 6 && fields.at(5).startsWith("/dev/shm/jack");
            else if (inJack && fields.size() >= 2 && fields.at(0) == "Size:")
                jackMappedKb += fields.at(1).toLongLong();
            else if (inJack && fields.size() >= 2 && fields.at(0) == "Locked:")
                jackLockedKb += fields.at(1).toLongLong();
        }
        in.close();
        out.close();
        QVERIFY2(jackMappedKb > 10 * 1024, "the graph is mapped, so the check means something");
        QVERIFY2(jackLockedKb < 1024, qPrintable(QString::number(jackLockedKb) + " kB locked"));

        rlimit limitAfter = {};
        QCOMPARE(getrlimit(RLIMIT_MEMLOCK, &limitAfter), 0);
        QCOMPARE(limitAfter.rlim_cur, limitBefore.rlim_cur);
        QCOMPARE(statusLine("CapEff:"), capsBefore);
    }

    void exchangeWithTheSimulator()
    {
        QCOMPARE(m_backend->apiName(), QString("jack"));
        const int inId = idOf(listMidiInDevices());
        const int outId = idOf(listMidiOutDevices());
        QVERIFY2(inId >= 0, qPrintable(QStringList(listMidiInDevices().values()).join(", ")));
        QVERIFY(outId >= 0);

        MidiInPort in;
        MidiOutPort out;
        QVERIFY(in.open(inId, deliver));
        QVERIFY(out.open(outId));
        // Our own ports are listed now too (ids may shift), never under the
        // keyboard's name.
        QVERIFY(idOf(listMidiInDevices()) >= 0);
        QVERIFY(idOf(listMidiOutDevices()) >= 0);

        // Configuration request and reply; the time of the first round trip
        // is reported for reference.
        const QByteArray request = Sysex::request(Sysex::ConfigurationRequest);
        QList<double> trips;
        QByteArray reply;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer clock;
            clock.start();
            QVERIFY(out.sendLongMessage(request.constData(), request.size()));
            reply = nextMessage();
            trips << clock.nsecsElapsed() / 1e6;
            QCOMPARE(reply.size(), Sysex::kBlockSize);
            QVERIFY(waitForSimLine("REQUEST config"));
        }
        std::sort(trips.begin(), trips.end());
        qInfo().noquote() << QStringLiteral("configuration round trip over JACK (48 kHz, 256 frames, synchronous): "
                                            "median %1 ms, min %2 ms, max %3 ms")
                                 .arg(trips[2], 0, 'f', 1)
                                 .arg(trips[0], 0, 'f', 1)
                                 .arg(trips[4], 0, 'f', 1);
        QCOMPARE(reply.toHex(), dump().toHex());
        QCOMPARE(reply.left(9).toHex(), QByteArray("f0023d01020300206f"));
        QCOMPARE(reply.mid(9, 235), KeyboardModel::factoryParameters());
        QCOMPARE(quint8(reply[244]), quint8(0xF7));

        // Serial number.
        const QByteArray serialRequest = Sysex::request(Sysex::SerialNumber);
        QVERIFY(out.sendLongMessage(serialRequest.constData(), serialRequest.size()));
        const QByteArray serial = nextMessage();
        QVERIFY(waitForSimLine("REQUEST serial"));
        QCOMPARE(serial.size(), 25);
        QCOMPARE(quint8(serial[1]), quint8(0x04));
        QCOMPARE(serial.mid(9, 15), QByteArray("ABC123").append(QByteArray(9, '\0')));

        // A configuration write, sent just before the output port closes, as
        // "SEND TO HARDWARE" does: it must still arrive whole.
        QByteArray block = reply;
        for (int i = 9; i < 244; ++i)
            block[i] = char((i * 7) & 0x7F);
        block[3] = 9; // a version the keyboard must not take over
        const QByteArray write = Sysex::configurationWrite(block.constData());
        QVERIFY(out.sendLongMessage(write.constData(), write.size()));
        out.close();
        QVERIFY2(waitForSimLine("STORED config"), m_simOutput.constData());
        QByteArray expected = reply;
        expected.replace(9, 235, block.mid(9, 235));
        // Both files are current once the line is out: the keyboard's state
        // keeps its own header, the record of the write holds it byte for byte.
        QCOMPARE(dump().toHex(), expected.toHex());
        QFile written(m_dir.filePath("write.bin"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().toHex(), write.toHex());
        QCOMPARE(quint8(write[1]), quint8(0x01));

        // The keyboard now reports what was written.
        QVERIFY(out.open(outId));
        QVERIFY(out.sendLongMessage(request.constData(), request.size()));
        QCOMPARE(nextMessage().toHex(), expected.toHex());

        // A request of the wrong length is ignored with a line and no answer.
        const QByteArray odd = QByteArray::fromHex("f002000100000020006ff7");
        QVERIFY(out.sendLongMessage(odd.constData(), odd.size()));
        QVERIFY(waitForSimLine("IGNORED request 0x02 of 11 bytes"));
        QVERIFY(nextMessage(300).isEmpty());

        in.close();
        out.close();
    }

    // "SEND TO HARDWARE" over and over: open, send, close at once. Each write
    // reaches the keyboard whole, and nothing crashes when the output goes
    // right after its message (RtMidi's JACK output left both to chance on a
    // busy machine).
    void writesRightBeforeClosingAllArrive()
    {
        const int outId = idOf(listMidiOutDevices());
        QVERIFY(outId >= 0);
        QByteArray block = KeyboardModel().block();
        const int rounds = 20;
        for (int i = 0; i < rounds; ++i) {
            block[20] = char(i);
            const QByteArray write = Sysex::configurationWrite(block.constData());
            MidiOutPort out;
            QVERIFY(out.open(outId));
            QVERIFY(out.sendLongMessage(write.constData(), write.size()));
            out.close();
        }
        for (int i = 0; i < rounds; ++i)
            QVERIFY2(waitForSimLine("STORED config"), qPrintable(QStringLiteral("write %1 of %2 lost").arg(i + 1).arg(rounds)));
        QFile written(m_dir.filePath("write.bin"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(quint8(written.readAll().at(20)), quint8(rounds - 1));
    }

    void simulatorLeavesOnSigterm()
    {
        const int inId = idOf(listMidiInDevices());
        const int outId = idOf(listMidiOutDevices());
        MidiOutPort out;
        QVERIFY(out.open(outId));
        m_sim.terminate();
        QVERIFY(m_sim.waitForFinished(5000));
        QCOMPARE(m_sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_sim.exitCode(), 0);
        QVERIFY(waitForSimLine("EXIT", 100));
        // Sending to the keyboard that left fails instead of vanishing quietly,
        // and its old ids open nothing.
        const QByteArray request = Sysex::request(Sysex::ConfigurationRequest);
        QVERIFY(!out.sendLongMessage(request.constData(), request.size()));
        out.close();
        MidiInPort in;
        QVERIFY(!in.open(inId, deliver));
        QVERIFY(!out.open(outId));
        QTRY_VERIFY(idOf(listMidiInDevices()) == -1 && idOf(listMidiOutDevices()) == -1);
    }

    // The firmware-update entry turns the keyboard into its loader: the MIDI
    // ports go, a serial device appears and takes a YMODEM transfer (sent
    // here by lrzsz's sb), then the keyboard comes back on MIDI.
    void loaderTakesAnImageAndComesBack()
    {
        const QString link = m_dir.filePath("loader");
        const QString images = m_dir.filePath("images");
        startSim({"--loader-link", link, "--loader-dir", images, "--loader-timeout", "60"});

        QByteArray image(5000, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char(QRandomGenerator::global()->bounded(256));
        QFile file(m_dir.filePath("fw-1.03.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(image);
        file.close();

        MidiOutPort out;
        QTRY_VERIFY(idOf(listMidiOutDevices()) >= 0);
        QVERIFY(out.open(idOf(listMidiOutDevices())));
        const QByteArray entry = Sysex::request(Sysex::FirmwareUpdateEntry);
        QVERIFY(out.sendLongMessage(entry.constData(), entry.size()));
        QVERIFY(waitForSimLine("ENTRY firmware-update"));
        QVERIFY2(waitForSimLine(QStringLiteral("LOADER ready %1").arg(link).toUtf8()), m_simOutput.constData());
        out.close();
        QTRY_VERIFY(idOf(listMidiInDevices()) == -1 && idOf(listMidiOutDevices()) == -1);

        QProcess sender;
        sender.setWorkingDirectory(m_dir.path());
        sender.setStandardInputFile(link);
        sender.setStandardOutputFile(link, QIODevice::Append);
        sender.start("timeout", {"60", "sb", "-k", "fw-1.03.bin"});
        QVERIFY(sender.waitForFinished(65000));
        QCOMPARE(sender.exitCode(), 0);

        const QByteArray sha = QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex();
        QVERIFY2(waitForSimLine("LOADER received fw-1.03.bin 5000 " + sha, 10000), m_simOutput.constData());
        QFile received(QDir(images).filePath("fw-1.03.bin"));
        QVERIFY(received.open(QIODevice::ReadOnly));
        QCOMPARE(received.readAll(), image);
        QVERIFY(waitForSimLine("READY", 10000));
        QTRY_VERIFY(idOf(listMidiInDevices()) >= 0 && idOf(listMidiOutDevices()) >= 0);
        QVERIFY(!QFileInfo::exists(link));

        m_sim.terminate();
        QVERIFY(m_sim.waitForFinished(5000));
        QCOMPARE(m_sim.exitCode(), 0);
    }

    // The JACK server restarted while the editor runs: the keyboard leaves the
    // listing with the old server and comes back, under its old id, with the
    // new one.
    // The backend tells when ports come and go, and when the server goes;
    // it tells again once it has found a new server.
    void listingFollowsAServerRestart()
    {
        std::atomic<int> changes{0};
        m_backend->setPortsChangedHandler([&changes] { ++changes; });
        auto stopTelling = qScopeGuard([this] { m_backend->setPortsChangedHandler({}); });
        startSim({"--no-loader"});
        const int inId = idOf(listMidiInDevices());
        const int outId = idOf(listMidiOutDevices());
        QVERIFY(inId >= 0 && outId >= 0);
        QVERIFY(m_backend->portChangesNotified());
        QTRY_VERIFY(changes > 0); // the simulator's two ports

        changes = 0;
        m_jackd.terminate();
        QVERIFY(m_jackd.waitForFinished(10000));
        QVERIFY(m_sim.waitForFinished(15000));
        QCOMPARE(m_sim.exitCode(), 1); // its MIDI system went away
        QTRY_VERIFY(changes > 0);
        QTRY_VERIFY(!m_backend->portChangesNotified());
        QTRY_VERIFY(listMidiInDevices().isEmpty() && listMidiOutDevices().isEmpty());
        QVERIFY(!m_backend->portChangesNotified());

        // The same server comes back.
        QVERIFY2(startJackd(m_jackd, jackLogPath()), "jackd cannot be started again");
        const QByteArray jackProblem = waitForJackServer(m_jackd, jackLogPath());
        QVERIFY2(jackProblem.isEmpty(), jackProblem.constData());
        changes = 0;
        listMidiInDevices(); // finds the new server
        QVERIFY(m_backend->portChangesNotified());
        startSim({"--no-loader"});
        QTRY_VERIFY(changes > 0);
        QTRY_COMPARE(idOf(listMidiInDevices()), inId);
        QTRY_COMPARE(idOf(listMidiOutDevices()), outId);
        MidiInPort in;
        MidiOutPort out;
        QVERIFY(in.open(inId, deliver));
        QVERIFY(out.open(outId));
        const QByteArray request = Sysex::request(Sysex::SerialNumber);
        QVERIFY(out.sendLongMessage(request.constData(), request.size()));
        QCOMPARE(nextMessage().size(), 25);
        in.close();
        out.close();
        m_sim.terminate();
        QVERIFY(m_sim.waitForFinished(5000));
    }
};

QTEST_GUILESS_MAIN(TstJackLink)
#include "tst_jacklink.moc"

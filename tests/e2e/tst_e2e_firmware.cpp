// A whole firmware update: the editor's back end finds a newer image on a
// local FTP server, downloads it, switches the simulated keyboard into its
// loader and sends the image over the loader's serial device with YMODEM.

#include "app/MainWindow.h"
#include "firmware/FirmwareUpdate.h"
#include "firmware/MyFtp.h"
#include "midi/MidiBackend.h"
#include "midi/RtMidiBackend.h"
#include "model/DataManagement.h"
#include "tests/e2e/E2eProcesses.h"
#include "tests/support/ScriptedPrompter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestE2eFirmware : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ChildProcess m_jackd;
    ChildProcess m_sim;
    ChildProcess m_ftp;
    int m_ftpPort = 0;
    QByteArray m_image;
    std::unique_ptr<MidiBackend> m_backend;
    std::unique_ptr<ScriptedPrompter> m_prompter;

    bool writeFile(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());

        // The server's firmware folder: a description and a newer image whose
        // size is not a multiple of any YMODEM block.
        QRandomGenerator rng(77);
        m_image.resize(5000);
        for (char &c : m_image)
            c = char(rng.bounded(256));
        const QString fwDir = m_dir.filePath("ftp/firmware/vornel/vq41");
        QVERIFY(writeFile(fwDir + "/q7x_fw_105.bin", m_image));
        QJsonObject describe{{"name", "q7x_fw_105.bin"},
                             {"ver", 1.05},
                             {"info", QJsonArray{"Faster pads", "Arpeggiator fix"}}};
        QVERIFY(writeFile(fwDir + "/describe.json", QJsonDocument(describe).toJson()));

        // The FTP server keeps running while its standard input stays open.
        m_ftpPort = startFtpServer(m_ftp, m_dir.filePath("ftp"), "e2e", "pw");
        QVERIFY2(m_ftpPort > 0, (QByteArray("the FTP server cannot be started "
                                            "(python3-pyftpdlib): ")
                                 + m_ftp.readAllStandardError())
                                    .constData());

        const QByteArray jackProblem = startPrivateJackServer(m_jackd, "e2e-fw", m_dir.path());
        QVERIFY2(jackProblem.isEmpty(), jackProblem.constData());

        m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QVERIFY(m_sim.startBounded(RAMBAKEY_SIM,
                                   {"--api", "jack", "--version", "1.0.2", "--loader-link",
                                    m_dir.filePath("loader"), "--loader-dir",
                                    m_dir.filePath("received"), "--loader-timeout", "30"}));
        QVERIFY2(m_sim.waitForLine("READY", 10000), m_sim.seen.constData());

        m_backend = MidiBackend::createSystem("jack");
        QVERIFY(m_backend);
        MidiBackend::setInstance(m_backend.get());
        m_prompter = std::make_unique<ScriptedPrompter>();
    }

    void cleanupTestCase()
    {
        MidiBackend::setInstance(nullptr);
        m_backend.reset();
        m_sim.stop();
        m_jackd.stop();
        m_ftp.closeWriteChannel();
        m_ftp.stop();
        m_prompter.reset();
    }

    void downloadAndInstall()
    {
        MainWindow::Options options;
        options.loadQml = false;
        options.firmwareServer =
            QUrl(QStringLiteral("ftp://e2e:pw@127.0.0.1:%1/").arg(m_ftpPort));
        options.loaderPort = m_dir.filePath("loader");
        MainWindow window(options);
        window.ftp()->setDataDirectory(m_dir.filePath("downloads"));
        QVERIFY(window.keyboard()->isConnected());

        // The keyboard's own version comes with its configuration.
        QTRY_COMPARE_WITH_TIMEOUT(window.currentFirmwareVersion(), QString("1.02"), 20000);
        QSignalSpy info(window.ftp(), &MyFtp::info);
        QSignalSpy downloaded(window.ftp(), &MyFtp::downloadComplete);
        QSignalSpy status(window.firmwareTransfer(), &FirmwareUpdate::transStatus);
        QSignalSpy progress(window.firmwareTransfer(), &FirmwareUpdate::transmitProgress);
        QSignalSpy state(&window, &MainWindow::devStateChanged);

        window.ftp()->checkOnLineFirmware();
        QTRY_COMPARE_WITH_TIMEOUT(info.count(), 1, 20000);
        QCOMPARE(info.at(0).at(0).toString(), QString("q7x_fw_105.bin"));
        QCOMPARE(info.at(0).at(1).toDouble(), 1.05);

        // The download alone starts the hand-over: entry message, ports
        // closed, the transfer to the loader.
        window.ftp()->downloadFir();
        QTRY_COMPARE_WITH_TIMEOUT(downloaded.count(), 1, 20000);
        QFile local(downloaded.at(0).at(0).toString());
        QVERIFY(local.open(QIODevice::ReadOnly));
        QCOMPARE(local.readAll(), m_image);

        QVERIFY2(m_sim.waitForLine("ENTRY firmware-update", 15000), m_sim.seen.constData());
        QVERIFY2(m_sim.waitForLineStartingWith("LOADER ready", 15000), m_sim.seen.constData());
        QByteArray received;
        QVERIFY2(m_sim.waitForLineStartingWith("LOADER received", 30000, false, &received),
                 m_sim.seen.constData());
        const QByteArray sha = QCryptographicHash::hash(m_image, QCryptographicHash::Sha256).toHex();
        QCOMPARE(received, "LOADER received q7x_fw_105.bin 5000 " + sha);
        QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
        QCOMPARE(status.at(0).at(0).toBool(), true);
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(0).toInt(), 100);
        QVERIFY(!window.keyboard()->inputPortOpen());
        QVERIFY(!window.keyboard()->outputPortOpen());

        // The keyboard left MIDI for its loader and comes back afterwards.
        QVERIFY2(m_sim.waitForLine("READY", 20000), m_sim.seen.constData());
        QTRY_VERIFY_WITH_TIMEOUT(state.count() >= 2, 20000);
        QCOMPARE(state.first().at(0).toBool(), false);
        QCOMPARE(state.last().at(0).toBool(), true);
        for (const auto &box : m_prompter->boxes)
            qWarning() << "box:" << box.title << box.text;
        QVERIFY(m_prompter->boxes.isEmpty());
    }
};

QTEST_MAIN(TestE2eFirmware)
#include "tst_e2e_firmware.moc"

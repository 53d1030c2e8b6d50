#include "midi/MidiBackend.h"
#include "midi/RtMidiBackend.h"

#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Whatever the process writes on its standard error (fd 2) while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        std::fflush(stderr);
        m_file.open();
        m_saved = ::dup(2);
        ::dup2(m_file.handle(), 2);
    }
    ~StderrCapture() { restore(); }
    QByteArray take()
    {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
        m_saved = -1;
    }
    QTemporaryFile m_file;
    int m_saved = -1;
};
} // namespace

// Choosing the MIDI system, and a JACK backend while no server runs.
class TstRtMidiBackend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A server name nobody uses, so a running JACK elsewhere is not seen.
        qputenv("JACK_DEFAULT_SERVER",
                "q7x-no-server-" + QByteArray::number(QCoreApplication::applicationPid()));
        qunsetenv("Q7X_MIDI_API");
    }

    void jackWithoutServer()
    {
        QVERIFY(!RtMidiBackend::jackServerRunning());
        std::unique_ptr<RtMidiBackend> backend = RtMidiBackend::create(RtMidiBackend::Api::Jack);
        QVERIFY(backend);
        QVERIFY(backend->inputDevices().isEmpty());
        QVERIFY(backend->outputDevices().isEmpty());
        QVERIFY(!backend->openInput(0, [](const char *, int) {}));
        QVERIFY(!backend->openOutput(0));
        QVERIFY(!backend->openOutput(-1));

        // The device monitor lists the ports once a second: without a server
        // that stays silent (neither libjack nor RtMidi complains on stderr).
        StderrCapture capture;
        for (int i = 0; i < 5; ++i) {
            QVERIFY(backend->inputDevices().isEmpty());
            QVERIFY(backend->outputDevices().isEmpty());
        }
        QVERIFY(!backend->openInput(0, [](const char *, int) {}));
        QVERIFY(!backend->openOutput(0));
        const QByteArray noise = capture.take();
        QVERIFY2(noise.isEmpty(), noise.constData());

        QTest::ignoreMessage(QtWarningMsg,
                             "No JACK server is running yet; MIDI devices appear once one starts");
        std::unique_ptr<MidiBackend> chosen = MidiBackend::createSystem(" JACK ");
        QVERIFY(chosen);
        QCOMPARE(chosen->apiName(), QString("jack"));
    }

    void unknownSystem()
    {
        QTest::ignoreMessage(QtWarningMsg, "Unknown MIDI system \"bogus\" (use alsa or jack)");
        QVERIFY(!MidiBackend::createSystem("bogus"));
        qputenv("Q7X_MIDI_API", "bogus");
        QTest::ignoreMessage(QtWarningMsg, "Unknown MIDI system \"bogus\" (use alsa or jack)");
        QVERIFY(!MidiBackend::createSystem());
        qunsetenv("Q7X_MIDI_API");
    }

    void withoutAlsaSequencerJackIsChosen()
    {
        if (RtMidiBackend::alsaSequencerAvailable())
            QSKIP("this machine has an ALSA sequencer");
        QTest::ignoreMessage(QtWarningMsg, "The ALSA sequencer (/dev/snd/seq) is not available");
        QVERIFY(!MidiBackend::createSystem("alsa"));
        QVERIFY(!RtMidiBackend::create(RtMidiBackend::Api::Alsa));
        std::unique_ptr<MidiBackend> chosen = MidiBackend::createSystem();
        QVERIFY(chosen);
        QCOMPARE(chosen->apiName(), QString("jack"));
    }
};

QTEST_GUILESS_MAIN(TstRtMidiBackend)
#include "tst_rtmidibackend.moc"

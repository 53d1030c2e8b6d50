// bench_send: how long "SEND TO HARDWARE" takes to reach the keyboard.
//
// The real window (main.qml) and controller run against the keyboard
// simulator on a private JACK server (dummy driver, 48 kHz, PERIOD frames).
// Each round clicks the window's send button and measures the time from the
// click to the simulator's "STORED config" line (read on a thread of its own,
// so the clock stops when the simulator has stored the configuration, not when
// the window gets round to reading). Also measured: the time the click holds
// the window (until the result hint is shown and the window takes input again).
//
//   bench_send [ROUNDS [PERIOD]]      (default 25 rounds, 256 frames)
//
// Prints median, minimum and maximum in milliseconds. Needs an X display.

#include "app/MainWindow.h"
#include "midi/MidiBackend.h"
#include "tests/e2e/E2eProcesses.h"
#include "tests/support/ScriptedPrompter.h"

#include <QApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// The simulator with its standard output read line by line on a thread that
// notes when each "STORED config" line arrived.
class TimedSimulator
{
public:
    ~TimedSimulator() { stop(); }

    bool start(const QStringList &args)
    {
        int out[2];
        if (::pipe(out) != 0)
            return false;
        std::vector<QByteArray> storage;
        storage.push_back(QByteArray(RAMBAKEY_SIM));
        for (const QString &a : args)
            storage.push_back(a.toLocal8Bit());
        std::vector<char *> argv;
        for (QByteArray &s : storage)
            argv.push_back(s.data());
        argv.push_back(nullptr);
        m_pid = ::fork();
        if (m_pid < 0)
            return false;
        if (m_pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        m_fd = out[0];
        m_reader = std::thread([this] { read(); });
        return true;
    }

    void stop()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
        if (m_reader.joinable())
            m_reader.join();
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

    // Waits until `count` lines starting with `prefix` have been seen.
    bool waitFor(const QByteArray &prefix, int count, int ms)
    {
        const auto until = Clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                int seen = 0;
                for (const QByteArray &line : m_lines)
                    seen += line.startsWith(prefix) ? 1 : 0;
                if (seen >= count)
                    return true;
            }
            if (Clock::now() > until)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    int storedCount() const { return m_stored.load(); }
    Clock::time_point lastStored() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lastStored;
    }

private:
    void read()
    {
        QByteArray pending;
        char buffer[512];
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                return;
            const Clock::time_point at = Clock::now();
            pending.append(buffer, int(n));
            int end;
            while ((end = pending.indexOf('\n')) >= 0) {
                const QByteArray line = pending.left(end);
                pending.remove(0, end + 1);
                std::lock_guard<std::mutex> lock(m_mutex);
                m_lines.push_back(line);
                if (line.startsWith("STORED config")) {
                    m_lastStored = at;
                    ++m_stored;
                }
            }
        }
    }

    pid_t m_pid = -1;
    int m_fd = -1;
    std::thread m_reader;
    mutable std::mutex m_mutex;
    std::vector<QByteArray> m_lines;
    Clock::time_point m_lastStored;
    std::atomic<int> m_stored{0};
};

void summary(const char *what, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf("%-32s median %7.1f ms  min %7.1f  max %7.1f  (%zu rounds)\n", what, median,
                values.front(), values.back(), n);
}

} // namespace

int main(int argc, char *argv[])
{
    MainWindow::registerQmlTypes();
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 25;
    const int period = argc > 2 ? std::max(16, atoi(argv[2])) : 256;

    QTemporaryDir dir;
    ChildProcess jackd;
    const QByteArray jackProblem = startPrivateJackServer(jackd, "bench-send", dir.path(), period);
    if (!jackProblem.isEmpty()) {
        std::fprintf(stderr, "bench_send: %s\n", jackProblem.constData());
        return 2;
    }

    TimedSimulator sim;
    if (!sim.start({"--api", "jack", "--serial", "BENCH-1", "--version", "1.0.2"})
        || !sim.waitFor("READY", 1, 10000)) {
        std::fprintf(stderr, "bench_send: the simulator did not start\n");
        return 2;
    }

    std::unique_ptr<MidiBackend> backend = MidiBackend::createSystem("jack");
    MidiBackend::setInstance(backend.get());
    int status = 0;
    {
        ScriptedPrompter prompter; // a failure box must not hold the rounds up
        MainWindow window;
        QQuickWindow *win = nullptr;
        const QList<QObject *> roots = window.engine()->rootObjects();
        if (!roots.isEmpty())
            win = qobject_cast<QQuickWindow *>(roots.first());
        QQuickItem *mainPage = win ? qvariant_cast<QQuickItem *>(win->property("mainPage")) : nullptr;
        QQuickItem *send = mainPage ? mainPage->findChild<QQuickItem *>("sendButton") : nullptr;
        if (!send || !QTest::qWaitForWindowExposed(win, 10000)) {
            std::fprintf(stderr, "bench_send: no window or no send button\n");
            status = 2;
        } else if (!sim.waitFor("REQUEST serial", 1, 15000)) {
            std::fprintf(stderr, "bench_send: the editor did not talk to the keyboard\n");
            status = 2;
        } else {
            QTest::qWait(300);
            const QPoint centre = send->mapToScene(QPointF(send->width() / 2, send->height() / 2)).toPoint();
            std::vector<double> toKeyboard, windowHeld;
            for (int i = 0; i < rounds; ++i) {
                const int before = sim.storedCount();
                const Clock::time_point click = Clock::now();
                QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, centre);
                const Clock::time_point back = Clock::now();
                if (!sim.waitFor("STORED config", before + 1, 10000)) {
                    std::fprintf(stderr, "bench_send: round %d never reached the keyboard\n", i + 1);
                    status = 1;
                    break;
                }
                if (!prompter.boxes.isEmpty()) {
                    std::fprintf(stderr, "bench_send: round %d: %s\n", i + 1,
                                 qPrintable(prompter.boxes.first().text));
                    status = 1;
                    break;
                }
                toKeyboard.push_back(msBetween(click, sim.lastStored()));
                windowHeld.push_back(msBetween(click, back));
                // Let the hint come and go, as between two clicks of a person.
                QTest::qWait(200);
            }
            if (!toKeyboard.empty()) {
                std::printf("SEND over JACK, dummy driver 48 kHz / %d frames (%.1f ms a cycle)\n",
                            period, 1000.0 * period / 48000);
                summary("click -> configuration stored", toKeyboard);
                summary("click -> window free again", windowHeld);
            }
        }
    }
    MidiBackend::setInstance(nullptr);
    backend.reset();
    sim.stop();
    jackd.stop();
    return status;
}

// Preset files: round trip, refusal of anything that is not a preset, atomic
// saving and the rules for the remembered save path.

#include "app/MainWindow.h"
#include "midi/Sysex.h"
#include "model/DataManagement.h"
#include "model/DocumentState.h"
#include "tests/support/ScriptedPrompter.h"

#include <QDataStream>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <QElapsedTimer>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace {

MainWindow::Options backEndOnly()
{
    MainWindow::Options options;
    options.loadQml = false;
    options.liveDeviceSources = false;
    return options;
}

QByteArray blockOf(const MainWindow &w)
{
    return QByteArray(w.dataManagement()->blockData(), DataManagement::BlockSize);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A well-formed preset file for a block.
QByteArray presetFile(const QByteArray &block)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setVersion(17);
    s.writeBytes(block.constData(), uint(block.size()));
    return out;
}

} // namespace

class TestPresets : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_prompter = new ScriptedPrompter;
        m_window = new MainWindow(backEndOnly());
    }
    void cleanup()
    {
        delete m_window;
        delete m_prompter;
    }

    void roundTripKeepsEveryByte()
    {
        DataManagement *store = m_window->dataManagement();
        store->setPadInfo(0, "padData", 99);
        store->setKnobInfo(15, "knboMax", 100);
        const QByteArray saved = blockOf(*m_window);

        const QString path = m_dir.filePath("mine.stm");
        m_prompter->saveAnswers << path;
        m_window->save();
        QCOMPARE(m_prompter->saveDialogs, 1);
        QVERIFY(m_prompter->boxes.isEmpty());

        const QByteArray file = readAll(path);
        QCOMPARE(file.size(), 249);
        QCOMPARE(file.left(6), QByteArray::fromHex("000000F5F001"));
        QCOMPARE(file.mid(4), saved);

        store->initDefaultData();
        QCOMPARE(store->getPadInfo(0).value("padData").toInt(), 68);

        QSignalSpy updates(store, &DataManagement::s_updateDate);
        m_prompter->openAnswers << path;
        m_window->openFile();
        QCOMPARE(updates.count(), 1);
        QCOMPARE(blockOf(*m_window), saved);
        QCOMPARE(store->getPadInfo(0).value("padData").toInt(), 99);
        QVERIFY(m_prompter->boxes.isEmpty());
    }

    // A ".syx" name saves the configuration message exactly as it is sent;
    // it opens again, and a ".stm" saved beside it keeps its own format.
    void rawDumpRoundTrip()
    {
        DataManagement *store = m_window->dataManagement();
        QByteArray reply = blockOf(*m_window);
        reply[1] = char(0x02); // as received from the keyboard
        store->setBlockData(reply.constData(), reply.size());
        store->setPadInfo(2, "padData", 77);
        const QByteArray block = blockOf(*m_window);

        const QString dump = m_dir.filePath("mine.SYX");
        m_prompter->saveAnswers << dump;
        m_window->saveAs();
        QVERIFY(m_prompter->lastSaveFilter.contains("(*.stm)"));
        QVERIFY(m_prompter->lastSaveFilter.contains("(*.syx)"));
        QByteArray expected = block;
        expected[1] = char(0x01);
        QCOMPARE(readAll(dump), expected);
        QCOMPARE(readAll(dump), Sysex::configurationWrite(block.constData()));

        const QString preset = m_dir.filePath("mine.stm");
        m_prompter->saveAnswers << preset;
        m_window->saveAs();
        QCOMPARE(readAll(preset), QByteArray::fromHex("000000F5") + block);

        store->initDefaultData();
        m_prompter->openAnswers << dump;
        m_window->openFile();
        QVERIFY(m_prompter->boxes.isEmpty());
        QCOMPARE(blockOf(*m_window), expected);
        QCOMPARE(store->getPadInfo(2).value("padData").toInt(), 77);
    }

    void openedPresetSetsTheFirmwareVersionText()
    {
        QByteArray block = blockOf(*m_window);
        block[3] = 2;
        block[4] = 1;
        block[5] = 10;
        const QString path = m_dir.filePath("other-keyboard.stm");
        QVERIFY(writeRaw(path, presetFile(block)));
        QCOMPARE(m_window->currentFirmwareVersion(), QString("1.00"));
        m_prompter->openAnswers << path;
        m_window->openFile();
        QCOMPARE(m_window->currentFirmwareVersion(), QString("2.110"));
    }

    void everySavedPresetOpensAgain()
    {
        // A short reply leaves its end byte inside the block, and a field can
        // hold a value above 127; the file must still be a valid preset.
        DataManagement *store = m_window->dataManagement();
        QByteArray reply = blockOf(*m_window).left(200);
        reply[199] = char(0xF7);
        store->setBlockData(reply.constData(), reply.size());
        store->setPadInfo(0, "padData", 200);
        QCOMPARE(uchar(blockOf(*m_window).at(10)), uchar(200));

        const QString path = m_dir.filePath("repaired.stm");
        m_prompter->saveAnswers << path;
        m_window->save();
        const QByteArray file = readAll(path);
        QCOMPARE(file.size(), 249);
        QCOMPARE(uchar(file.at(4 + 199)), uchar(0x7F));
        QCOMPARE(uchar(file.at(4 + 10)), uchar(0x7F));

        m_prompter->openAnswers << path;
        m_window->openFile();
        QVERIFY(m_prompter->boxes.isEmpty());
        QCOMPARE(blockOf(*m_window), file.mid(4));
    }

    void badFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");

        DataManagement reference;
        reference.initDefaultData();
        const QByteArray good(reference.blockData(), DataManagement::BlockSize);

        // One case of each kind reaches the dialog here; which bytes make a
        // preset is the format's own table (tests/model/tst_presetformat).
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one byte extra") << presetFile(good) + char(0);
        QTest::newRow("length 0xFFFFFFFF") << QByteArray::fromHex("FFFFFFFF") + good;
        QByteArray status = good;
        status[100] = char(0x90);
        QTest::newRow("status byte inside") << presetFile(status);
        QTest::newRow("large file") << QByteArray(1 << 20, char(0x55));
        // Raw dumps (.syx), told apart by their leading 0xF0.
        QTest::newRow("dump with a status byte inside") << status;
        QTest::newRow("dump cut short") << good.left(100);
        QByteArray serial = good;
        serial[1] = char(0x04);
        QTest::newRow("dump of another command") << serial;
        QTest::newRow("two dumps glued") << good + good;
    }
    void badFileIsRefused()
    {
        QFETCH(QByteArray, content);
        const QString path = m_dir.filePath("bad.stm");
        QVERIFY(writeRaw(path, content));

        DataManagement *store = m_window->dataManagement();
        store->setPadInfo(3, "padCh", 9); // something that is not the default
        const QByteArray before = blockOf(*m_window);
        QSignalSpy updates(store, &DataManagement::s_updateDate);

        m_prompter->openAnswers << path;
        m_window->openFile();

        QCOMPARE(updates.count(), 0);
        QCOMPARE(blockOf(*m_window), before);
        QCOMPARE(m_prompter->boxes.size(), 1);
        QCOMPARE(m_prompter->boxes.at(0).icon, QMessageBox::Warning);
        QCOMPARE(m_prompter->boxes.at(0).title, QString("Error prompt"));
        QCOMPARE(m_prompter->boxes.at(0).text, QString("The file is not a valid preset"));
        QCOMPARE(readAll(path), content); // the file itself is left alone
    }

    void unreadableFileIsReported()
    {
        const QByteArray before = blockOf(*m_window);
        QSignalSpy updates(m_window->dataManagement(), &DataManagement::s_updateDate);

        m_prompter->openAnswers << m_dir.filePath("does-not-exist.stm") << m_dir.path();
        m_window->openFile();
        m_window->openFile();

        QCOMPARE(updates.count(), 0);
        QCOMPARE(blockOf(*m_window), before);
        QCOMPARE(m_prompter->boxes.size(), 2);
        for (const auto &box : m_prompter->boxes) {
            QCOMPARE(box.title, QString("Error prompt"));
            QVERIFY(box.text.startsWith("The file could not be opened"));
        }
    }

    void cancelledOpenDoesNothing()
    {
        QSignalSpy updates(m_window->dataManagement(), &DataManagement::s_updateDate);
        m_window->openFile(); // no scripted answer: cancelled
        QCOMPARE(m_prompter->openDialogs, 1);
        QCOMPARE(updates.count(), 0);
        QVERIFY(m_prompter->boxes.isEmpty());
    }

    void savePathRules()
    {
        const QString first = m_dir.filePath("first.stm");
        const QString opened = m_dir.filePath("opened.stm");
        QVERIFY(writeRaw(opened, presetFile(blockOf(*m_window))));

        // save() asks once, then keeps writing to the same file.
        m_prompter->saveAnswers << first;
        m_window->save();
        m_window->dataManagement()->setPadInfo(1, "padData", 1);
        m_window->save();
        QCOMPARE(m_prompter->saveDialogs, 1);
        QCOMPARE(readAll(first).at(4 + 9 + 7 + 1), char(1));

        // The preset opened is the one Save writes to (its name is in the title).
        m_prompter->openAnswers << opened;
        m_window->openFile();
        QCOMPARE(m_window->presetPath(), opened);
        m_window->dataManagement()->setPadInfo(1, "padData", 2);
        m_window->save();
        QCOMPARE(m_prompter->saveDialogs, 1);
        QCOMPARE(readAll(opened).at(4 + 9 + 7 + 1), char(2));

        // A cancelled "Save As" keeps the path.
        m_window->saveAs();
        QCOMPARE(m_prompter->saveDialogs, 2);
        QCOMPARE(m_window->presetPath(), opened);
        // A name without an extension gets ".stm"; one with any extension keeps it.
        m_prompter->saveAnswers << m_dir.filePath("second") << m_dir.filePath("third.bin");
        m_window->saveAs();
        QCOMPARE(m_window->presetPath(), m_dir.filePath("second.stm"));
        QCOMPARE(readAll(m_dir.filePath("second.stm")).size(), 249);
        m_window->saveAs();
        QCOMPARE(m_window->presetPath(), m_dir.filePath("third.bin"));
        QVERIFY(m_prompter->boxes.isEmpty()); // cancelling is not an error
    }

    void unwritablePathIsReported()
    {
        // A path below a plain file can never be created, whoever runs the test.
        const QString blocker = m_dir.filePath("plain-file");
        QVERIFY(writeRaw(blocker, "x"));
        m_prompter->saveAnswers << blocker + "/preset.stm";
        m_window->saveAs();
        QCOMPARE(m_prompter->boxes.size(), 1);
        QCOMPARE(m_prompter->boxes.at(0).icon, QMessageBox::Warning);
        QCOMPARE(m_prompter->boxes.at(0).title, QString("Error prompt"));
        QVERIFY(m_prompter->boxes.at(0).text.startsWith("The file could not be saved"));
    }

    void interruptedSaveKeepsTheEarlierFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("kept.stm");
        m_prompter->saveAnswers << path;
        m_window->save();
        const QByteArray earlier = readAll(path);
        QCOMPARE(earlier.size(), 249);

        // Let the next write run out of room part way through the file.
        m_window->dataManagement()->setPadInfo(0, "padData", 5);
        struct rlimit old;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = 100;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        m_window->save();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(readAll(path), earlier);
        QCOMPARE(m_prompter->boxes.size(), 1);
        QVERIFY(m_prompter->boxes.at(0).text.startsWith("The file could not be saved"));
        // Only the preset is in the folder: no half-written temporary is left.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.stm"});
    }

    // Quit, Open and Restore The Default ask Save / Discard / Cancel only
    // while the copy holds changes that are neither saved nor sent.
    void askBeforeLosingChanges_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveDialogAnswered");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("goesOn");

        const int none = QMessageBox::NoButton;
        for (const char *action : {"quit", "open", "restore"}) {
            const QString a = QString::fromLatin1(action);
            QTest::newRow(qPrintable(a + ", nothing changed")) << a << "clean" << none << false << false << true;
            QTest::newRow(qPrintable(a + ", changes saved")) << a << "saved" << none << false << false << true;
            QTest::newRow(qPrintable(a + ", changes sent")) << a << "sent" << none << false << false << true;
            QTest::newRow(qPrintable(a + ", pending, cancel")) << a << "pending" << int(QMessageBox::Cancel) << false << true << false;
            QTest::newRow(qPrintable(a + ", pending, discard")) << a << "pending" << int(QMessageBox::Discard) << false << true << true;
            QTest::newRow(qPrintable(a + ", pending, save")) << a << "pending" << int(QMessageBox::Save) << true << true << true;
            QTest::newRow(qPrintable(a + ", pending, save cancelled")) << a << "pending" << int(QMessageBox::Save) << false << true << false;
        }
    }

    void askBeforeLosingChanges()
    {
        QFETCH(QString, action);
        QFETCH(QString, state);
        QFETCH(int, answer);
        QFETCH(bool, saveDialogAnswered);
        QFETCH(bool, asked);
        QFETCH(bool, goesOn);

        DataManagement *store = m_window->dataManagement();
        const QByteArray defaults = blockOf(*m_window);
        const QString savedPath = m_dir.filePath("asked.stm");
        QFile::remove(savedPath);
        if (state != "clean")
            store->setPadInfo(0, "padData", 1);
        if (state == "saved") {
            m_prompter->saveAnswers << savedPath;
            m_window->save();
            QVERIFY(QFile::exists(savedPath));
            store->setPadInfo(0, "padData", 1); // the same value: still saved
        } else if (state == "sent") {
            m_window->document()->markKeyboard();
        }
        const QByteArray edited = blockOf(*m_window);
        const int saveDialogsBefore = m_prompter->saveDialogs;
        if (answer != QMessageBox::NoButton)
            m_prompter->choiceAnswers << QMessageBox::StandardButton(answer);
        if (saveDialogAnswered)
            m_prompter->saveAnswers << savedPath;

        bool wentOn = false;
        if (action == "quit") {
            wentOn = m_window->confirmClose();
        } else if (action == "open") {
            m_window->openFile(); // the open dialog is cancelled by the script
            wentOn = m_prompter->openDialogs == 1;
        } else {
            m_window->restoreDefault();
            wentOn = blockOf(*m_window) == defaults;
            if (state == "clean")
                QVERIFY(wentOn);
            else
                QCOMPARE(blockOf(*m_window), wentOn ? defaults : edited);
        }

        QCOMPARE(m_prompter->questions.size(), asked ? 1 : 0);
        if (asked) {
            const auto &q = m_prompter->questions.at(0);
            QCOMPARE(q.title, QStringLiteral("Unsaved changes"));
            QCOMPARE(q.labels, QStringList({"Save", "Discard", "Cancel"}));
        }
        QCOMPARE(wentOn, goesOn);
        if (answer == QMessageBox::Save) {
            QCOMPARE(m_prompter->saveDialogs, saveDialogsBefore + 1);
            if (saveDialogAnswered) {
                QCOMPARE(readAll(savedPath).mid(4), edited);
                QVERIFY(!m_window->document()->hasPendingChanges() || action == "restore");
            }
        }
        QVERIFY(m_prompter->boxes.isEmpty());
    }

    // Open reads nothing but a regular file of a preset's size: a named pipe
    // would block the window until someone writes to it.
    void openRefusesWhatIsNoFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("device") << "device";
        QTest::newRow("huge file") << "huge";
    }
    void openRefusesWhatIsNoFile()
    {
        QFETCH(QString, kind);
        QString path = m_dir.filePath("odd-" + kind + ".stm");
        QFile::remove(path);
        std::thread unblocker;
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            // Should the open block on the pipe, a writer frees it after 3 s.
            unblocker = std::thread([path] {
                std::this_thread::sleep_for(std::chrono::seconds(3));
                QFile w(path);
                if (w.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                    w.write(QByteArray(249, 0));
            });
        } else if (kind == "device") {
            path = QStringLiteral("/dev/zero");
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(qint64(1) << 30)); // sparse
        }
        const QByteArray before = blockOf(*m_window);
        QElapsedTimer timer;
        timer.start();
        m_prompter->openAnswers << path;
        m_window->openFile();
        const qint64 took = timer.elapsed();
        if (unblocker.joinable()) {
            // Free a writer still waiting for a reader, then wait for it.
            QFile r(path);
            int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
            unblocker.join();
            if (fd >= 0)
                ::close(fd);
            Q_UNUSED(r)
        }
        QVERIFY2(took < 2000, qPrintable(QString::number(took)));
        QCOMPARE(blockOf(*m_window), before);
        QCOMPARE(m_prompter->boxes.size(), 1);
        QCOMPARE(m_prompter->boxes.at(0).text, QString("The file is not a valid preset"));
        QFile::remove(m_dir.filePath("odd-" + kind + ".stm"));
    }

    // A temporary file left beside a preset by a killed editor goes with the
    // next save of that preset.
    void leftoverTemporaryFileIsCleanedUp()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("kept.stm");
        QVERIFY(writeRaw(dir.filePath(".kept.stm.saving"), QByteArray(100, 'x')));
        m_prompter->saveAnswers << path;
        m_window->save();
        QCOMPARE(readAll(path).size(), 249);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.stm"});
    }

private:
    QTemporaryDir m_dir;
    ScriptedPrompter *m_prompter = nullptr;
    MainWindow *m_window = nullptr;
};

QTEST_MAIN(TestPresets)
#include "tst_presets.moc"

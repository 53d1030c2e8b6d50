// The editor as a person uses it, end to end: the real window (main.qml with
// its pages and dialogs) on an X display, the controller, the keyboard
// simulator on a private JACK server and a local FTP server.
//
// Through the window's own controls (mouse clicks and key presses on the
// items, found by their names and properties) it gets the keyboard's
// configuration, checks that every page shows it, edits fields on every page,
// fills BANK B with a scale from the "Auto Populate" dialog, sends the result
// and checks that the simulator holds exactly those bytes; then it runs a
// firmware update from the About dialog to "Firmware upgrade succeeded!".
//
// Needs an X display (run under xvfb-run); without one it reports itself as
// skipped.

#include "app/MainWindow.h"
#include "firmware/FirmwareUpdate.h"
#include "firmware/MyFtp.h"
#include "i18n/Trans.h"
#include "midi/MidiBackend.h"
#include "midi/RtMidiBackend.h"
#include "model/DataManagement.h"
#include "tests/e2e/E2eProcesses.h"
#include "tests/support/QuickItems.h"
#include "tests/support/ScriptedPrompter.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <memory>

// Runs a helper that checks as it goes; the test function ends at its first failure.
#define STEP(call) \
    do { \
        call; \
        if (QTest::currentTestFailed()) \
            return; \
    } while (false)

namespace {

// Longest wait for the window to follow an input (the test machine may be busy).
constexpr int kWaitMs = 15000;

// Offsets of the records in the 245-byte configuration.
constexpr int padAt(int i) { return 9 + 7 * i; }
constexpr int knobAt(int i) { return 121 + 5 * i; }
constexpr int beltAt(int i) { return 209 + 4 * i; }
constexpr int kPitch = 201;
constexpr int kMod = 204;
constexpr int kArp = 233;
constexpr int kFunc = 239;

int byteAt(const QByteArray &block, int offset) { return quint8(block.at(offset)); }

// Calls a function of a QML document that takes one value and returns an item.
QQuickItem *callForItem(QObject *o, const char *function, int arg)
{
    QVariant result;
    if (!o || !QMetaObject::invokeMethod(o, function, Q_RETURN_ARG(QVariant, result),
                                         Q_ARG(QVariant, arg)))
        return nullptr;
    return qobject_cast<QQuickItem *>(qvariant_cast<QObject *>(result));
}

// First item below root made from the QML document `type` (e.g. "BarsPage").
QQuickItem *findByType(QQuickItem *root, const QString &type)
{
    if (!root)
        return nullptr;
    const QList<QQuickItem *> children = root->childItems();
    for (QQuickItem *child : children) {
        if (QString::fromLatin1(child->metaObject()->className()).startsWith(type + "_QMLTYPE"))
            return child;
        if (QQuickItem *found = findByType(child, type))
            return found;
    }
    return nullptr;
}

QString stringProperty(QObject *o, const char *name) { return o ? o->property(name).toString() : QString(); }
QString text(QObject *o) { return stringProperty(o, "text"); }
QColor colorProperty(QObject *o) { return o ? o->property("color").value<QColor>() : QColor(); }
int intProperty(QObject *o, const char *name) { return o ? o->property(name).toInt() : -999; }
bool boolProperty(QObject *o, const char *name) { return o && o->property(name).toBool(); }

} // namespace

class TestE2eUi : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ChildProcess m_jackd;
    ChildProcess m_sim;
    ChildProcess m_ftp;
    int m_ftpPort = 0;
    QByteArray m_image;
    QByteArray m_config;     // what the simulated keyboard holds at the start
    QByteArray m_expected;   // what it must hold after the edits are sent
    std::unique_ptr<MidiBackend> m_backend;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<MainWindow> m_window;
    QQuickWindow *m_win = nullptr;
    QQuickItem *m_mainPage = nullptr;

    static bool writeFile(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }

    QByteArray dump() const
    {
        QFile file(m_dir.filePath("keyboard.bin"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray block() const
    {
        return QByteArray(m_window->dataManagement()->blockData(), DataManagement::BlockSize);
    }

    // --- user input on the window ------------------------------------

    QPoint centreOf(QQuickItem *item) const
    {
        return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
    }

    void click(QQuickItem *item)
    {
        QVERIFY(item);
        QVERIFY2(item->isVisible() && item->isEnabled(), item->metaObject()->className());
        QTest::mouseClick(m_win, Qt::LeftButton, Qt::NoModifier, centreOf(item));
        QCoreApplication::processEvents();
    }

    // Clicks into a number field, replaces its text by typing and presses Enter.
    void typeInto(QQuickItem *field, const QString &typed)
    {
        QVERIFY(field);
        QQuickItem *input = itemProperty(field, "textInput");
        QVERIFY(input);
        STEP(click(input));
        QTRY_VERIFY_WITH_TIMEOUT(input->hasActiveFocus(), kWaitMs);
        QMetaObject::invokeMethod(input, "selectAll");
        if (typed.isEmpty())
            QTest::keyClick(m_win, Qt::Key_Delete);
        for (const QChar c : typed)
            QTest::keyClick(m_win, c.toLatin1());
        QTest::keyClick(m_win, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    // Opens a list with the mouse, walks to the entry with the arrow keys and
    // takes it with Enter.
    void choose(QQuickItem *list, int index)
    {
        QVERIFY(list);
        STEP(click(list));
        QObject *popup = objectProperty(list, "popup");
        QVERIFY(popup);
        QTRY_VERIFY_WITH_TIMEOUT(popup->property("opened").toBool(), kWaitMs);
        int at = intProperty(list, "highlightedIndex");
        while (at != index) {
            QTest::keyClick(m_win, at < index ? Qt::Key_Down : Qt::Key_Up);
            const int now = intProperty(list, "highlightedIndex");
            QVERIFY2(now != at, "the list does not move");
            at = now;
        }
        QTest::keyClick(m_win, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!popup->property("visible").toBool(), kWaitMs);
        QCOMPARE(intProperty(list, "currentIndex"), index);
    }

    void clickTab(QQuickItem *tabBar, int index)
    {
        QVERIFY(tabBar);
        STEP(click(containerItem(tabBar, index)));
        QCOMPARE(intProperty(tabBar, "currentIndex"), index);
    }

    // Opens a menu of the menu bar and clicks one of its entries.
    void clickMenu(int menu, int entry)
    {
        QObject *menuBar = objectProperty(objectProperty(m_win, "menuBarItem"), "menuBar");
        QVERIFY(menuBar);
        QQuickItem *entryOfBar = containerItem(menuBar, menu);
        STEP(click(entryOfBar));
        QObject *popup = objectProperty(entryOfBar, "menu");
        QVERIFY(popup);
        QTRY_VERIFY_WITH_TIMEOUT(popup->property("opened").toBool(), kWaitMs);
        STEP(click(containerItem(popup, entry)));
        QTRY_VERIFY_WITH_TIMEOUT(!popup->property("visible").toBool(), kWaitMs);
    }

    // Shows a bank with its tab and waits until the page has slid into place.
    void showBank(const char *tabs, const char *swipe, int bank)
    {
        QQuickItem *shown = page(swipe, intProperty(objectProperty(m_mainPage, swipe), "currentIndex"));
        QVERIFY(shown);
        const QPointF place = shown->mapToScene(QPointF(0, 0));
        STEP(clickTab(itemProperty(m_mainPage, tabs), bank));
        QTRY_COMPARE_WITH_TIMEOUT(intProperty(objectProperty(m_mainPage, swipe), "currentIndex"), bank, kWaitMs);
        QQuickItem *target = page(swipe, bank);
        QVERIFY(target);
        QTRY_COMPARE_WITH_TIMEOUT(target->mapToScene(QPointF(0, 0)), place, kWaitMs);
    }

    QQuickItem *page(const char *swipe, int bank)
    {
        return containerItem(objectProperty(m_mainPage, swipe), bank);
    }
    QQuickItem *pad(int storeIndex)
    {
        // Grid position of a store index: the top row holds pads 5 to 8.
        const int k = storeIndex % 8;
        return callForItem(page("padSwipe", storeIndex / 8), "padAt", k < 4 ? k + 4 : k - 4);
    }
    QQuickItem *knob(int storeIndex)
    {
        const int k = storeIndex % 8;
        return callForItem(page("knobSwipe", storeIndex / 8), "knobAt", k < 4 ? k + 4 : k - 4);
    }
    QQuickItem *belt(int index)
    {
        return callForItem(findByType(m_mainPage, "WalkingBeltPage"), "editorAt", index);
    }

    // Every page shows the given configuration.
    void verifyPagesShow(const QByteArray &cfg)
    {
        for (int i = 0; i < 16; ++i) {
            QQuickItem *p = pad(i);
            QVERIFY(p);
            const int o = padAt(i);
            QCOMPARE(intProperty(objectProperty(p, "typeBar"), "currentIndex"), byteAt(cfg, o));
            QCOMPARE(text(objectProperty(p, "numberField")), QString::number(byteAt(cfg, o + 1)));
            QCOMPARE(intProperty(objectProperty(p, "channelList"), "currentIndex"), byteAt(cfg, o + 2) - 1);
            QCOMPARE(boolProperty(objectProperty(p, "modeButton"), "checked"), byteAt(cfg, o + 3) != 0);
            if (byteAt(cfg, o) == 0)
                QCOMPARE(intProperty(objectProperty(p, "noteList"), "currentIndex"), byteAt(cfg, o + 1));
            QCOMPARE(colorProperty(objectProperty(p, "swatch")),
                     QColor(byteAt(cfg, o + 4) * 2, byteAt(cfg, o + 5) * 2, byteAt(cfg, o + 6) * 2));
        }
        for (int i = 0; i < 16; ++i) {
            QQuickItem *k = knob(i);
            QVERIFY(k);
            const int o = knobAt(i);
            QCOMPARE(intProperty(objectProperty(k, "typeBar"), "currentIndex"), byteAt(cfg, o));
            QCOMPARE(text(objectProperty(k, "numberField")), QString::number(byteAt(cfg, o + 1)));
            QCOMPARE(text(objectProperty(k, "maxField")), QString::number(byteAt(cfg, o + 2)));
            QCOMPARE(text(objectProperty(k, "minField")), QString::number(byteAt(cfg, o + 3)));
            QCOMPARE(intProperty(objectProperty(k, "channelList"), "currentIndex"), byteAt(cfg, o + 4) - 1);
        }
        QQuickItem *bars = findByType(m_mainPage, "BarsPage");
        QVERIFY(bars);
        QCOMPARE(boolProperty(objectProperty(bars, "selfReturn"), "checked"), byteAt(cfg, kPitch) != 0);
        QCOMPARE(text(objectProperty(bars, "returnTimeField")), QString::number(byteAt(cfg, kPitch + 1)));
        QCOMPARE(intProperty(objectProperty(bars, "pitchChannelList"), "currentIndex"), byteAt(cfg, kPitch + 2) - 1);
        QCOMPARE(intProperty(objectProperty(bars, "modTypeBar"), "currentIndex"), byteAt(cfg, kMod));
        QCOMPARE(text(objectProperty(bars, "modValueField")), QString::number(byteAt(cfg, kMod + 1)));
        QCOMPARE(text(objectProperty(bars, "modMinField")), QString::number(byteAt(cfg, kMod + 2)));
        QCOMPARE(text(objectProperty(bars, "modMaxField")), QString::number(byteAt(cfg, kMod + 3)));
        QCOMPARE(intProperty(objectProperty(bars, "modChannelList"), "currentIndex"), byteAt(cfg, kMod + 4) - 1);
        for (int i = 0; i < 6; ++i) {
            QQuickItem *b = belt(i);
            QVERIFY(b);
            const int o = beltAt(i);
            QCOMPARE(intProperty(objectProperty(b, "typeBar"), "currentIndex"), byteAt(cfg, o));
            QCOMPARE(text(objectProperty(b, "numberField")), QString::number(byteAt(cfg, o + 1)));
            QCOMPARE(boolProperty(objectProperty(b, "modeButton"), "checked"), byteAt(cfg, o + 2) != 0);
            QCOMPARE(intProperty(objectProperty(b, "channelList"), "currentIndex"), byteAt(cfg, o + 3) - 1);
        }
        QQuickItem *arp = findByType(m_mainPage, "Arpegiator");
        QVERIFY(arp);
        QCOMPARE(text(objectProperty(arp, "tempoField")),
                 QString::number(byteAt(cfg, kArp) + byteAt(cfg, kArp + 1) + 30));
        QCOMPARE(intProperty(objectProperty(arp, "modeList"), "currentIndex"), byteAt(cfg, kArp + 2));
        QCOMPARE(boolProperty(objectProperty(arp, "latchSwitch"), "checked"), byteAt(cfg, kArp + 3) != 0);
        QCOMPARE(intProperty(objectProperty(arp, "timeList"), "currentIndex"), byteAt(cfg, kArp + 4));
        QCOMPARE(intProperty(objectProperty(arp, "swingList"), "currentIndex"), byteAt(cfg, kArp + 5));
        QQuickItem *fn = findByType(m_mainPage, "Function");
        QVERIFY(fn);
        QCOMPARE(intProperty(objectProperty(fn, "rangeList"), "currentIndex"), byteAt(cfg, kFunc));
        QCOMPARE(intProperty(objectProperty(fn, "keyCurveList"), "currentIndex"), byteAt(cfg, kFunc + 1));
        QCOMPARE(intProperty(objectProperty(fn, "padCurveList"), "currentIndex"), byteAt(cfg, kFunc + 2));
        QCOMPARE(intProperty(objectProperty(fn, "sustainList"), "currentIndex"), byteAt(cfg, kFunc + 3));
        QCOMPARE(text(objectProperty(fn, "fullVelField")), QString::number(byteAt(cfg, kFunc + 4)));
    }

    void set(QByteArray &cfg, int offset, int value) { cfg[offset] = char(value); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());

        // The keyboard's starting configuration: the factory one with a
        // changed field in every section, so that a page that does not
        // reload shows something else.
        {
            DataManagement defaults;
            defaults.initDefaultData();
            m_config = QByteArray(defaults.blockData(), DataManagement::BlockSize);
        }
        set(m_config, padAt(0) + 1, 50);              // PAD1 A: NOTE D3, channel 2
        set(m_config, padAt(0) + 2, 2);
        set(m_config, padAt(4), 2);                   // PAD5 A: PC 11, channel 4
        set(m_config, padAt(4) + 1, 11);
        set(m_config, padAt(4) + 2, 4);
        set(m_config, padAt(9), 1);                   // PAD2 B: CC 40, toggle, own colour
        set(m_config, padAt(9) + 1, 40);
        set(m_config, padAt(9) + 2, 7);
        set(m_config, padAt(9) + 3, 1);
        set(m_config, padAt(9) + 4, 10);
        set(m_config, padAt(9) + 5, 20);
        set(m_config, padAt(9) + 6, 30);
        set(m_config, padAt(15) + 1, 99);
        set(m_config, knobAt(3), 1);                  // K4 A: PC 99, 10 ... 100, channel 2
        set(m_config, knobAt(3) + 1, 99);
        set(m_config, knobAt(3) + 2, 100);
        set(m_config, knobAt(3) + 3, 10);
        set(m_config, knobAt(3) + 4, 2);
        set(m_config, knobAt(8) + 1, 64);             // K1 B: CC 64, 20 ... 90, channel 11
        set(m_config, knobAt(8) + 2, 90);
        set(m_config, knobAt(8) + 3, 20);
        set(m_config, knobAt(8) + 4, 11);
        set(m_config, knobAt(14), 2);                 // K7 B: TOUCH
        set(m_config, kPitch, 0);                     // no self return, 55, channel 3
        set(m_config, kPitch + 1, 55);
        set(m_config, kPitch + 2, 3);
        set(m_config, kMod, 1);                       // MOD, value 1, 5 ... 120, channel 9
        set(m_config, kMod + 1, 1);
        set(m_config, kMod + 2, 5);
        set(m_config, kMod + 3, 120);
        set(m_config, kMod + 4, 9);
        set(m_config, beltAt(0) + 1, 33);             // loop: CC 33, channel 6
        set(m_config, beltAt(0) + 3, 6);
        set(m_config, beltAt(5), 1);                  // record: MC
        set(m_config, kArp, 127);                     // tempo 200
        set(m_config, kArp + 1, 43);
        set(m_config, kArp + 2, 4);                   // ORDER
        set(m_config, kArp + 3, 0);                   // latch off
        set(m_config, kArp + 4, 6);                   // 1/32
        set(m_config, kArp + 5, 3);                   // 59%
        set(m_config, kFunc, 2);                      // ALL
        set(m_config, kFunc + 1, 0);                  // LINER
        set(m_config, kFunc + 2, 2);                  // LO
        set(m_config, kFunc + 3, 0);                  // NORMAL
        set(m_config, kFunc + 4, 100);
        QVERIFY(writeFile(m_dir.filePath("start.bin"), m_config));

        // The firmware server: a description and a newer image.
        QRandomGenerator rng(4711);
        m_image.resize(3000);
        for (char &c : m_image)
            c = char(rng.bounded(256));
        const QString fwDir = m_dir.filePath("ftp/firmware/vornel/vq41");
        QVERIFY(writeFile(fwDir + "/q7x_fw_105.bin", m_image));
        const QJsonObject describe{{"name", "q7x_fw_105.bin"},
                                   {"ver", 1.05},
                                   {"info", QJsonArray{"Faster pads", "Arpeggiator fix"}}};
        QVERIFY(writeFile(fwDir + "/describe.json", QJsonDocument(describe).toJson()));
        m_ftpPort = startFtpServer(m_ftp, m_dir.filePath("ftp"), "e2e", "pw");
        QVERIFY2(m_ftpPort > 0, (QByteArray("the FTP server cannot be started "
                                            "(python3-pyftpdlib): ")
                                 + m_ftp.readAllStandardError())
                                    .constData());

        // Long cycles: the window test does many exchanges while the machine
        // is busy drawing, and a long cycle leaves each client more room.
        const QByteArray jackProblem = startPrivateJackServer(m_jackd, "e2e-ui", m_dir.path(), 2048);
        QVERIFY2(jackProblem.isEmpty(), jackProblem.constData());

        m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QVERIFY(m_sim.startBounded(RAMBAKEY_SIM,
                                   {"--api", "jack", "--config", m_dir.filePath("start.bin"),
                                    "--dump", m_dir.filePath("keyboard.bin"), "--serial",
                                    "E2E-UI-7", "--version", "1.0.2", "--loader-link",
                                    m_dir.filePath("loader"), "--loader-dir",
                                    m_dir.filePath("received"), "--loader-timeout", "60"}));
        QVERIFY2(m_sim.waitForLine("READY", 10000), m_sim.seen.constData());
        QTRY_COMPARE_WITH_TIMEOUT(dump().mid(9, 235), m_config.mid(9, 235), kWaitMs);

        m_backend = MidiBackend::createSystem("jack");
        QVERIFY(m_backend);
        MidiBackend::setInstance(m_backend.get());
        m_prompter = std::make_unique<ScriptedPrompter>();
    }

    void cleanupTestCase()
    {
        m_window.reset();
        MidiBackend::setInstance(nullptr);
        m_backend.reset();
        m_sim.stop();
        m_jackd.stop();
        m_ftp.closeWriteChannel();
        m_ftp.stop();
        m_prompter.reset();
    }

    void windowOpensAndFindsTheKeyboard()
    {
        MainWindow::Options options;
        options.firmwareServer = QUrl(QStringLiteral("ftp://e2e:pw@127.0.0.1:%1/").arg(m_ftpPort));
        options.loaderPort = m_dir.filePath("loader");
        m_window = std::make_unique<MainWindow>(options);
        m_window->ftp()->setDataDirectory(m_dir.filePath("downloads"));
        const QList<QObject *> roots = m_window->engine()->rootObjects();
        QVERIFY(!roots.isEmpty());
        m_win = qobject_cast<QQuickWindow *>(roots.first());
        QVERIFY(m_win);
        QTRY_VERIFY_WITH_TIMEOUT(m_win->isVisible(), kWaitMs);
        m_win->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(m_win, 10000));
        // The texts checked below are the English ones, whatever language a
        // setting file on this machine chose (the choice is not stored).
        m_window->translator()->reTrans(QStringLiteral("English"));
        m_mainPage = itemProperty(m_win, "mainPage");
        QVERIFY(m_mainPage);
        QVERIFY(m_window->keyboard()->isConnected());
        QTRY_COMPARE_WITH_TIMEOUT(stringProperty(objectProperty(m_mainPage, "connectState"), "state"),
                                  QString("connect"), kWaitMs);

        // The automatic reads after the keyboard arrived: configuration and
        // serial number.
        QVERIFY2(m_sim.waitForLine("REQUEST config", kWaitMs), m_sim.seen.constData());
        QVERIFY2(m_sim.waitForLine("REQUEST serial", kWaitMs), m_sim.seen.constData());
        QTRY_COMPARE_WITH_TIMEOUT(block().mid(9, 235), m_config.mid(9, 235), kWaitMs);
    }

    void getFromHardwareShowsTheKeyboardOnEveryPage()
    {
        QVERIFY(m_win);
        // "Restore The Default" first, so that the pages visibly change.
        STEP(clickMenu(0, 7));   // "Restore The Default", after two separators
        // Runs once the menu has closed (it may ask first).
        QTRY_COMPARE_WITH_TIMEOUT(text(objectProperty(pad(0), "numberField")), QString("68"), kWaitMs);
        QCOMPARE(text(objectProperty(findByType(m_mainPage, "Arpegiator"), "tempoField")), QString("155"));

        STEP(click(m_mainPage->findChild<QQuickItem *>("getButton")));
        QVERIFY2(m_sim.waitForLine("REQUEST config", kWaitMs), m_sim.seen.constData());
        QObject *hint = objectProperty(m_win, "hint");
        QTRY_COMPARE_WITH_TIMEOUT(text(hint), QString("Getting data succeeded"), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(block().mid(9, 235), m_config.mid(9, 235), kWaitMs);
        STEP(verifyPagesShow(m_config));
        QCOMPARE(stringProperty(objectProperty(pad(0), "noteList"), "displayText"), QString("D3"));
        // Showing a configuration writes nothing back.
        QCOMPARE(block().mid(9, 235), m_config.mid(9, 235));
    }

    void editEveryPageFillBankBAndSend()
    {
        QVERIFY(m_win);
        m_expected = m_config;

        // Pads, BANK A. PAD5: PC -> CC 127 (300 typed), toggle, channel 16.
        QQuickItem *pad5 = pad(4);
        STEP(clickTab(itemProperty(pad5, "typeBar"), 1));
        set(m_expected, padAt(4), 1);
        STEP(typeInto(itemProperty(pad5, "numberField"), "300"));
        QCOMPARE(text(objectProperty(pad5, "numberField")), QString("127"));
        set(m_expected, padAt(4) + 1, 127);
        STEP(click(itemProperty(pad5, "modeButton")));
        set(m_expected, padAt(4) + 3, 1);
        STEP(choose(itemProperty(pad5, "channelList"), 15));
        set(m_expected, padAt(4) + 2, 16);

        // PAD1: C4 picked in the note list; its colour set in the colour dialog.
        QQuickItem *pad1 = pad(0);
        STEP(choose(itemProperty(pad1, "noteList"), 60));
        QCOMPARE(text(objectProperty(pad1, "numberField")), QString("60"));
        QCOMPARE(stringProperty(objectProperty(pad1, "noteList"), "displayText"), QString("C4"));
        set(m_expected, padAt(0) + 1, 60);
        STEP(click(itemProperty(pad1, "swatch")));
        QObject *colorDialog = objectProperty(m_win, "colorDialog");
        QVERIFY(colorDialog);
        QTRY_VERIFY_WITH_TIMEOUT(boolProperty(colorDialog, "opened"), kWaitMs);
        QCOMPARE(colorDialog->property("keyIndex").toInt(), 0);
        STEP(typeInto(itemProperty(colorDialog, "redField"), "255"));
        STEP(typeInto(itemProperty(colorDialog, "greenField"), "0"));
        STEP(typeInto(itemProperty(colorDialog, "blueField"), "64"));
        QCOMPARE(colorDialog->property("currentColor").toString(), QString("#ff0040"));
        STEP(click(itemProperty(colorDialog, "confirmButton")));
        QTRY_VERIFY_WITH_TIMEOUT(!colorDialog->property("visible").toBool(), kWaitMs);
        set(m_expected, padAt(0) + 4, 127);
        set(m_expected, padAt(0) + 5, 0);
        set(m_expected, padAt(0) + 6, 32);
        QCOMPARE(colorProperty(objectProperty(pad1, "swatch")), QColor("#fe0040"));

        // Knobs, BANK B. K1: MAX 200 -> 127, MIN 3, TOUCH, channel 1.
        STEP(showBank("knobTabs", "knobSwipe", 1));
        QQuickItem *k1 = knob(8);
        STEP(typeInto(itemProperty(k1, "maxField"), "200"));
        QCOMPARE(text(objectProperty(k1, "maxField")), QString("127"));
        set(m_expected, knobAt(8) + 2, 127);
        STEP(typeInto(itemProperty(k1, "minField"), "3"));
        set(m_expected, knobAt(8) + 3, 3);
        STEP(clickTab(itemProperty(k1, "typeBar"), 2));
        set(m_expected, knobAt(8), 2);
        QVERIFY(!boolProperty(objectProperty(k1, "numberField"), "enabled"));
        STEP(choose(itemProperty(k1, "channelList"), 0));
        set(m_expected, knobAt(8) + 4, 1);

        // Wheels: the modulation shown as MOD goes back to CC 74; self return
        // on; return time 99.
        QQuickItem *bars = findByType(m_mainPage, "BarsPage");
        STEP(clickTab(itemProperty(bars, "modTypeBar"), 0));
        set(m_expected, kMod, 0);
        set(m_expected, kMod + 1, 0);
        STEP(typeInto(itemProperty(bars, "modValueField"), "74"));
        set(m_expected, kMod + 1, 74);
        STEP(click(itemProperty(bars, "selfReturn")));
        set(m_expected, kPitch, 1);
        STEP(typeInto(itemProperty(bars, "returnTimeField"), "99"));
        set(m_expected, kPitch + 1, 99);

        // Transport: loop CC 90 toggle; record from MC to CC.
        QQuickItem *loop = belt(0);
        STEP(typeInto(itemProperty(loop, "numberField"), "90"));
        set(m_expected, beltAt(0) + 1, 90);
        STEP(click(itemProperty(loop, "modeButton")));
        set(m_expected, beltAt(0) + 2, 1);
        STEP(clickTab(itemProperty(belt(5), "typeBar"), 0));
        set(m_expected, beltAt(5), 0);

        // Arpeggiator: tempo 10 becomes 30, latch on, 1/8.
        QQuickItem *arp = findByType(m_mainPage, "Arpegiator");
        STEP(typeInto(itemProperty(arp, "tempoField"), "10"));
        QCOMPARE(text(objectProperty(arp, "tempoField")), QString("30"));
        set(m_expected, kArp, 0);
        set(m_expected, kArp + 1, 0);
        STEP(click(itemProperty(arp, "latchSwitch")));
        set(m_expected, kArp + 3, 1);
        STEP(choose(itemProperty(arp, "timeList"), 2));
        set(m_expected, kArp + 4, 2);

        // Functions: full velocity value 77, sustain reversed.
        QQuickItem *fn = findByType(m_mainPage, "Function");
        STEP(typeInto(itemProperty(fn, "fullVelField"), "77"));
        set(m_expected, kFunc + 4, 77);
        STEP(choose(itemProperty(fn, "sustainList"), 1));
        set(m_expected, kFunc + 3, 1);

        // Every edit is in the store at once.
        QCOMPARE(block().mid(9, 235), m_expected.mid(9, 235));

        // Auto Populate: BANK B with C major from 48 on channel 3.
        STEP(clickMenu(2, 0));
        QObject *populate = objectProperty(m_win, "functionDialog");
        QVERIFY(populate);
        QTRY_VERIFY_WITH_TIMEOUT(populate->property("opened").toBool(), kWaitMs);
        QObject *noteSection = objectProperty(populate, "padNote");
        STEP(click(itemProperty(noteSection, "checkBox")));
        QVERIFY(boolProperty(objectProperty(noteSection, "checkBox"), "checked"));
        STEP(choose(itemProperty(noteSection, "scaleList"), 1));
        QCOMPARE(stringProperty(objectProperty(noteSection, "scaleList"), "currentText"),
                 QString("Major"));
        STEP(typeInto(itemProperty(noteSection, "startField"), "48"));
        STEP(choose(itemProperty(noteSection, "channelList"), 2));
        STEP(click(itemProperty(populate, "applyB")));
        QVERIFY(populate->property("opened").toBool());
        STEP(click(itemProperty(populate, "closeButton")));
        QTRY_VERIFY_WITH_TIMEOUT(!populate->property("visible").toBool(), kWaitMs);
        const int major[8] = {0, 2, 4, 5, 7, 9, 11, 12};
        for (int i = 8; i < 16; ++i) {
            set(m_expected, padAt(i), 0);
            set(m_expected, padAt(i) + 1, 48 + major[i - 8]);
            set(m_expected, padAt(i) + 2, 3);
        }
        // BANK B's pads show the scale.
        STEP(showBank("padTabs", "padSwipe", 1));
        QCOMPARE(stringProperty(objectProperty(pad(8), "noteList"), "displayText"), QString("C3"));
        QCOMPARE(stringProperty(objectProperty(pad(15), "noteList"), "displayText"), QString("C4"));
        STEP(verifyPagesShow(m_expected));

        // SEND TO HARDWARE: the keyboard holds exactly these bytes.
        STEP(click(m_mainPage->findChild<QQuickItem *>("sendButton")));
        QTRY_COMPARE_WITH_TIMEOUT(text(objectProperty(m_win, "hint")),
                                  QString("Succeeded in sending data"), kWaitMs);
        QVERIFY2(m_sim.waitForLine("STORED config", kWaitMs), m_sim.seen.constData());
        QTRY_COMPARE_WITH_TIMEOUT(dump().mid(9, 235), m_expected.mid(9, 235), kWaitMs);
        QCOMPARE(block().mid(9, 235), m_expected.mid(9, 235));
        QVERIFY(!m_sim.seen.contains("IGNORED"));
        QVERIFY(m_prompter->boxes.isEmpty());
    }

    void firmwareUpdateFromTheAboutDialog()
    {
        QVERIFY(m_win);
        // Help > About.
        STEP(clickMenu(3, 1));
        QObject *about = objectProperty(m_win, "helpDialog");
        QVERIFY(about);
        QTRY_VERIFY_WITH_TIMEOUT(about->property("opened").toBool(), kWaitMs);
        QCOMPARE(text(objectProperty(about, "snText")), QString("sn:E2E-UI-7"));
        QCOMPARE(text(objectProperty(about, "firmwareText")), QString("Firmware:1.0.2"));
        QCOMPARE(stringProperty(about, "linkState"), QString("englishHelp"));

        QSignalSpy progress(m_window->firmwareTransfer(), &FirmwareUpdate::transmitProgress);
        STEP(click(itemProperty(about, "updateButton")));
        QObject *firmware = objectProperty(m_win, "progressDialog");
        QVERIFY(firmware);
        QTRY_VERIFY_WITH_TIMEOUT(firmware->property("opened").toBool(), kWaitMs);
        QQuickItem *upgrade = itemProperty(firmware, "upgradeButton");
        QVERIFY(upgrade);
        QTRY_VERIFY_WITH_TIMEOUT(upgrade->isVisible(), 15000);
        QCOMPARE(text(objectProperty(firmware, "description")),
                 QString("Firmware name:q7x_fw_105.bin\nVersion:1.05\nFaster pads\nArpeggiator fix"));
        // The keyboard's version (1, 0, 2) beside the offered one.
        QCOMPARE(text(objectProperty(firmware, "versionsText")),
                 QString("Current version: 1.02    New version: 1.05"));
        QVERIFY(!itemProperty(firmware, "busy")->isVisible());

        STEP(click(upgrade));
        QVERIFY(!upgrade->isVisible());
        QVERIFY2(m_sim.waitForLine("ENTRY firmware-update", 15000), m_sim.seen.constData());
        QByteArray received;
        QVERIFY2(m_sim.waitForLineStartingWith("LOADER received", 60000, false, &received),
                 m_sim.seen.constData());
        const QByteArray sha = QCryptographicHash::hash(m_image, QCryptographicHash::Sha256).toHex();
        QCOMPARE(received, "LOADER received q7x_fw_105.bin 3000 " + sha);

        QQuickItem *status = itemProperty(firmware, "statusText");
        QVERIFY(status);
        QTRY_VERIFY_WITH_TIMEOUT(status->isVisible(), 20000);
        QCOMPARE(text(status), QString("Firmware upgrade succeeded!"));
        QVERIFY(!itemProperty(firmware, "progress")->isVisible());
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(0).toInt(), 100);

        // The keyboard comes back on MIDI afterwards.
        QVERIFY2(m_sim.waitForLine("READY", 20000), m_sim.seen.constData());
        QTRY_COMPARE_WITH_TIMEOUT(stringProperty(objectProperty(m_mainPage, "connectState"), "state"),
                                  QString("connect"), kWaitMs);
        STEP(click(itemProperty(firmware, "closeButton")));
        QTRY_VERIFY_WITH_TIMEOUT(!firmware->property("visible").toBool(), kWaitMs);
        for (const auto &box : m_prompter->boxes)
            qWarning() << "box:" << box.title << box.text;
        QVERIFY(m_prompter->boxes.isEmpty());
    }
};

int main(int argc, char *argv[])
{
    // The window needs an X display: run under xvfb-run.
    if (qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "tst_e2e_ui: no X display (run under xvfb-run); skipped\n");
        return 77;
    }
    MainWindow::registerQmlTypes();
    QApplication app(argc, argv);
    TestE2eUi test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_ui.moc"

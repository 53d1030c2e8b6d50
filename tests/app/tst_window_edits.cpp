// The real window over the controller (fake MIDI, scripted dialogs), driven
// by mouse and keys: what is typed reaches the store before every action that
// reads it, undo and redo work from the keys and the menu, the title and the
// status line follow the editor's copy, and closing asks before losing edits.
//
// Needs an X display (run under xvfb-run): focus and shortcuts are the point.

#include "app/MainWindow.h"
#include "tests/support/FakeMidiBackend.h"
#include "model/DataManagement.h"
#include "model/DocumentState.h"
#include "model/EditHistory.h"
#include "i18n/Trans.h"
#include "tests/support/QuickItems.h"
#include "tests/support/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWaitMs = 10000;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int padData(MainWindow &w, int pad)
{
    return w.dataManagement()->getPadInfo(pad).value("padData").toInt();
}

} // namespace

class TestWindowEdits : public QObject
{
    Q_OBJECT

    FakeMidiBackend m_fake;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<MainWindow> m_window;
    QQuickWindow *m_win = nullptr;
    QTemporaryDir m_dir;

    QPoint centreOf(QQuickItem *item) const
    {
        return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
    }
    void click(QQuickItem *item)
    {
        QVERIFY(item);
        QTest::mouseClick(m_win, Qt::LeftButton, Qt::NoModifier, centreOf(item));
        QCoreApplication::processEvents();
    }
    // The number field of PAD1 (top-left pad of BANK A's lower row is pad 1).
    QQuickItem *padField()
    {
        QObject *page = containerItem(objectProperty(itemProperty(m_win, "mainPage"), "padSwipe"), 0);
        QQuickItem *pad = nullptr;
        QVariant result;
        if (page && QMetaObject::invokeMethod(page, "padAt", Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, 4)))
            pad = qobject_cast<QQuickItem *>(qvariant_cast<QObject *>(result));
        return itemProperty(pad, "numberField");
    }
    // Clicks into the field and types over its text, without Enter.
    void typeWithoutEnter(QQuickItem *field, const QString &typed)
    {
        QVERIFY(field);
        QQuickItem *input = itemProperty(field, "textInput");
        QVERIFY(input);
        click(input);
        QTRY_VERIFY_WITH_TIMEOUT(input->hasActiveFocus(), kWaitMs);
        QMetaObject::invokeMethod(input, "selectAll");
        for (const QChar c : typed)
            QTest::keyClick(m_win, c.toLatin1());
        QCoreApplication::processEvents();
    }
    QString title()
    {
        QQuickItem *bar = itemProperty(m_win, "menuBarItem");
        const QList<QQuickItem *> all = bar ? bar->findChildren<QQuickItem *>("documentTitle") : QList<QQuickItem *>();
        return all.isEmpty() ? QString() : all.first()->property("text").toString();
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display (run under xvfb-run)");
        QVERIFY(m_dir.isValid());
        MainWindow::registerQmlTypes();
        MidiBackend::setInstance(&m_fake);
    }
    void cleanupTestCase() { MidiBackend::setInstance(nullptr); }

    void init()
    {
        m_prompter = std::make_unique<ScriptedPrompter>();
        MainWindow::Options options;
        options.liveDeviceSources = false;
        options.firmwareServer = QUrl("ftp://127.0.0.1:1/");
        m_window = std::make_unique<MainWindow>(options);
        m_win = qobject_cast<QQuickWindow *>(m_window->engine()->rootObjects().value(0));
        QVERIFY(m_win);
        QVERIFY(QTest::qWaitForWindowExposed(m_win));
        m_win->requestActivate();
        QTRY_VERIFY_WITH_TIMEOUT(m_win->isActive(), kWaitMs);
    }
    void cleanup()
    {
        m_window.reset();
        m_prompter.reset();
        m_win = nullptr;
    }

    // Ctrl+S while the field is still being edited saves what the field shows.
    void saveShortcutCommitsTheFieldBeingEdited()
    {
        const QString path = m_dir.filePath("typed.stm");
        QCOMPARE(padData(*m_window, 0), 68);
        QQuickItem *field = padField();
        typeWithoutEnter(field, "44");
        QCOMPARE(field->property("text").toString(), QString("44"));
        m_prompter->saveAnswers << path;
        QTest::keySequence(m_win, QKeySequence::Save);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), kWaitMs);
        QCOMPARE(int(readAll(path).at(4 + 9 + 1)), 44);
        QCOMPARE(padData(*m_window, 0), 44);
        QCOMPARE(title(), QString("typed.stm - Vornel RambaKEY Q7X"));
    }

    // Undo and redo from the keys and the Edit menu, each step named, and the
    // pages follow.
    void undoRedoFromKeysAndMenu()
    {
        QQuickItem *field = padField();
        QCOMPARE(title(), QString("Untitled - Vornel RambaKEY Q7X"));
        typeWithoutEnter(field, "50");
        QTest::keyClick(m_win, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(padData(*m_window, 0), 50, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(title(), QString("Untitled * - Vornel RambaKEY Q7X"), kWaitMs);
        typeWithoutEnter(field, "51");
        QTest::keyClick(m_win, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(padData(*m_window, 0), 51, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->history()->undoName(), QString("Edit"), kWaitMs);

        QTest::keySequence(m_win, QKeySequence("Ctrl+Z"));
        QTRY_COMPARE_WITH_TIMEOUT(padData(*m_window, 0), 50, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(field->property("text").toString(), QString("50"), kWaitMs);
        QTest::keySequence(m_win, QKeySequence("Ctrl+Z"));
        QTRY_COMPARE_WITH_TIMEOUT(field->property("text").toString(), QString("68"), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(title(), QString("Untitled - Vornel RambaKEY Q7X"), kWaitMs);
        QTest::keySequence(m_win, QKeySequence("Ctrl+Y"));
        QTRY_COMPARE_WITH_TIMEOUT(field->property("text").toString(), QString("50"), kWaitMs);
        QTest::keySequence(m_win, QKeySequence("Ctrl+Shift+Z"));
        QTRY_COMPARE_WITH_TIMEOUT(field->property("text").toString(), QString("51"), kWaitMs);

        // The Edit menu names the step; a batch fill is one step.
        m_window->dataManagement()->setPadNoteBatch(3, "Major", false, 30, 1);
        QObject *menuBar = objectProperty(itemProperty(m_win, "menuBarItem"), "menuBar");
        QObject *editMenu = objectProperty(containerItem(menuBar, 1), "menu");
        QVERIFY(editMenu);
        QObject *undoAction = objectProperty(containerItem(editMenu, 0), "action");
        QVERIFY(undoAction);
        QTRY_COMPARE_WITH_TIMEOUT(undoAction->property("text").toString(), QString("Undo Auto Populate"), kWaitMs);
        QMetaObject::invokeMethod(undoAction, "trigger");
        QTRY_COMPARE_WITH_TIMEOUT(field->property("text").toString(), QString("51"), kWaitMs);
        QCOMPARE(undoAction->property("text").toString(), QString("Undo Edit"));
    }

    // File > Recent Presets lists what was saved, newest first, and opens it.
    void recentPresetsReopen()
    {
        const QString first = m_dir.filePath("first.stm");
        const QString second = m_dir.filePath("second.stm");
        m_prompter->saveAnswers << first << second;
        m_window->saveAs();
        m_window->dataManagement()->setPadInfo(0, "padData", 3);
        m_window->saveAs();
        QCOMPARE(m_window->recentPresets().mid(0, 2), QStringList({second, first}));

        QObject *menuBar = objectProperty(itemProperty(m_win, "menuBarItem"), "menuBar");
        QObject *fileMenu = objectProperty(containerItem(menuBar, 0), "menu");
        QVERIFY(fileMenu);
        QObject *recent = nullptr;
        for (int i = 0; i < 20 && !recent; ++i) {
            QObject *sub = objectProperty(containerItem(fileMenu, i), "subMenu");
            if (sub && sub->objectName() == "recentMenu")
                recent = sub;
        }
        QVERIFY(recent);
        QMetaObject::invokeMethod(fileMenu, "open");
        QMetaObject::invokeMethod(recent, "open");
        QTRY_VERIFY_WITH_TIMEOUT(containerItem(recent, 1) != nullptr, kWaitMs);
        QCOMPARE(containerItem(recent, 0)->property("text").toString(), QString("second.stm"));
        QCOMPARE(containerItem(recent, 1)->property("text").toString(), QString("first.stm"));
        QMetaObject::invokeMethod(containerItem(recent, 1), "triggered");
        QTRY_COMPARE_WITH_TIMEOUT(m_window->presetPath(), first, kWaitMs);
        QCOMPARE(padData(*m_window, 0), 68);
        QCOMPARE(title(), QString("first.stm - Vornel RambaKEY Q7X"));
    }

    // A typed value above the range shows clamped, and the field says its range.
    void outOfRangeValueShowsItsRange()
    {
        QQuickItem *field = padField();
        typeWithoutEnter(field, "300");
        QTest::keyClick(m_win, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(field->property("text").toString(), QString("127"), kWaitMs);
        QObject *tip = field->findChild<QObject *>("rangeTip");
        QVERIFY(tip);
        QTRY_VERIFY_WITH_TIMEOUT(tip->property("visible").toBool(), kWaitMs);
        QCOMPARE(tip->property("text").toString(), QString("Range: 0 to 127"));
        QTRY_VERIFY_WITH_TIMEOUT(!tip->property("visible").toBool(), kWaitMs);
    }

    // The real boxes in both languages, with the editor's own button labels;
    // each is photographed (screenshots/ beside the test) with the modified
    // title behind it, then answered with the choice that changes nothing.
    void promptsInBothLanguages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("title");
        QTest::newRow("en close") << "English" << "close" << QStringList{"Save", "Discard", "Cancel"}
                                  << "Untitled * - Vornel RambaKEY Q7X";
        QTest::newRow("zh close") << QString("简体中文") << "close" << QStringList{"保存", "放弃", "取消"}
                                  << QString("未命名 * - Vornel RambaKEY Q7X");
        QTest::newRow("en arrival") << "English" << "arrival"
                                    << QStringList{"Load the keyboard's settings", "Keep my edits"}
                                    << "Untitled * - Vornel RambaKEY Q7X";
        QTest::newRow("zh arrival") << QString("简体中文") << "arrival"
                                    << QStringList{"载入键盘的设置", "保留我的修改"}
                                    << QString("未命名 * - Vornel RambaKEY Q7X");
    }
    void promptsInBothLanguages()
    {
        QFETCH(QString, language);
        QFETCH(QString, prompt);
        QFETCH(QStringList, labels);
        QFETCH(QString, title);
        m_prompter.reset(); // the real dialogs
        m_window->translator()->reTrans(language);
        m_window->dataManagement()->setPadInfo(0, "padData", 1);
        QTRY_COMPARE_WITH_TIMEOUT(this->title(), title, kWaitMs);

        const QString shotDir = QCoreApplication::applicationDirPath() + "/screenshots";
        QDir().mkpath(shotDir);
        const QString tag = QString(QTest::currentDataTag()).replace(' ', '_');
        QStringList seen;
        bool answered = false;
        QTimer poll;
        poll.setInterval(100);
        connect(&poll, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || answered || !box->isVisible())
                return;
            answered = true;
            QTest::qWait(300); // drawn
            for (QAbstractButton *b : box->buttons())
                seen << b->text();
            QGuiApplication::primaryScreen()->grabWindow(0).save(shotDir + "/prompt_" + tag + ".png");
            const QString safeLabel = labels.last(); // Cancel / Keep my edits
            for (QAbstractButton *b : box->buttons()) {
                if (b->text() == safeLabel)
                    b->click();
            }
        });
        poll.start();
        const QByteArray before(m_window->dataManagement()->blockData(), DataManagement::BlockSize);
        if (prompt == "close")
            QVERIFY(!m_window->confirmClose());
        else
            QMetaObject::invokeMethod(m_window.get(), "fetchAfterArrival");
        poll.stop();
        QVERIFY(answered);
        std::sort(seen.begin(), seen.end());
        std::sort(labels.begin(), labels.end());
        QCOMPARE(seen, labels);
        QCOMPARE(QByteArray(m_window->dataManagement()->blockData(), DataManagement::BlockSize), before);
        m_win->grabWindow().save(shotDir + "/title_" + tag + ".png");
        m_window->translator()->reTrans("English");
        m_prompter = std::make_unique<ScriptedPrompter>();
    }

    // The window opens where it was left with this screen layout, moved
    // inside the visible area when it would stick out.
    void positionIsRememberedInsideTheScreen_data()
    {
        QTest::addColumn<QPoint>("leftAt");
        QTest::addColumn<bool>("keptAsIs");
        QTest::newRow("inside") << QPoint(100, 80) << true;
        QTest::newRow("sticking out right and below") << QPoint(1700, 900) << false;
        QTest::newRow("sticking out left and above") << QPoint(-300, -200) << false;
    }
    void positionIsRememberedInsideTheScreen()
    {
        QFETCH(QPoint, leftAt);
        QFETCH(bool, keptAsIs);
        m_win->setPosition(leftAt);
        QTRY_COMPARE_WITH_TIMEOUT(m_win->position(), leftAt, kWaitMs);
        cleanup();
        init();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect placed(m_win->position(), m_win->size());
        QVERIFY2(area.contains(placed), qPrintable(QString("%1,%2").arg(placed.x()).arg(placed.y())));
        if (keptAsIs)
            QCOMPARE(m_win->position(), leftAt);
        else
            QVERIFY(placed.right() == area.right() || placed.bottom() == area.bottom()
                    || placed.left() == area.left() || placed.top() == area.top());
    }

    // Closing with an edit still in the field asks; Cancel keeps the window.
    void closingWithPendingEditAsks()
    {
        typeWithoutEnter(padField(), "45");
        m_prompter->choiceAnswers << QMessageBox::Cancel;
        QTest::keySequence(m_win, QKeySequence("Ctrl+Q"));
        QTRY_COMPARE_WITH_TIMEOUT(m_prompter->questions.size(), 1, kWaitMs);
        QCOMPARE(padData(*m_window, 0), 45);
        QVERIFY(m_win->isVisible());
        m_prompter->choiceAnswers << QMessageBox::Discard;
        QTest::keySequence(m_win, QKeySequence("Ctrl+Q"));
        QTRY_VERIFY_WITH_TIMEOUT(!m_win->isVisible(), kWaitMs);
        QCOMPARE(m_prompter->questions.size(), 2);
    }
};

QTEST_MAIN(TestWindowEdits)
#include "tst_window_edits.moc"

// The controller itself: what it publishes to the interface, screen scaling,
// colour names, the program and firmware version texts.

#include "app/MainWindow.h"
#include "i18n/Trans.h"
#include "model/DataManagement.h"
#include "tests/support/FakeMidiBackend.h"
#include "tests/support/ScriptedPrompter.h"

#include <QQmlContext>
#include <QTranslator>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {
MainWindow::Options backEndOnly()
{
    MainWindow::Options options;
    options.loadQml = false;
    options.liveDeviceSources = false;
    return options;
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        MidiBackend::setInstance(&m_fake);
        m_window = new MainWindow(backEndOnly());
    }
    void cleanup()
    {
        delete m_window;
        MidiBackend::setInstance(nullptr);
    }

    void publishesTheBackEnd()
    {
        QQmlContext *context = m_window->engine()->rootContext();
        QCOMPARE(context->contextProperty("MainLogic").value<QObject *>(), m_window);
        QCOMPARE(context->contextProperty("DataMgt").value<QObject *>(),
                 static_cast<QObject *>(m_window->dataManagement()));
        QCOMPARE(context->contextProperty("Tran").value<QObject *>(),
                 static_cast<QObject *>(m_window->translator()));
        QCOMPARE(context->contextProperty("Ftp").value<QObject *>(),
                 static_cast<QObject *>(m_window->ftp()));
        QCOMPARE(context->contextProperty("FirmwareUpdate").value<QObject *>(),
                 static_cast<QObject *>(m_window->firmwareTransfer()));
        // The store and the language manager are the controller's children.
        QCOMPARE(m_window->dataManagement()->parent(), m_window);
        QCOMPARE(m_window->translator()->parent(), m_window);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_window->size(), QSize(1080, 892));
    }

    void startsWithTheDefaults()
    {
        DataManagement *store = m_window->dataManagement();
        QCOMPARE(store->getPadInfo(0).value("padData").toInt(), 68);
        QCOMPARE(store->getVerInfo(), (QVariantList{1, 0, 0}));
        QCOMPARE(m_window->currentFirmwareVersion(), QString("1.00"));
        QVERIFY(!m_window->keyboard()->isConnected());
        QCOMPARE(m_window->keyboard()->inputDeviceIndex(), -1);
        QCOMPARE(m_window->keyboard()->outputDeviceIndex(), -1);
        QVERIFY(m_window->presetPath().isEmpty());
    }

    void colourNames_data()
    {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("name");
        QTest::newRow("pink") << 255 << 0 << 128 << "#ff0080";
        QTest::newRow("black") << 0 << 0 << 0 << "#000000";
        QTest::newRow("white") << 255 << 255 << 255 << "#ffffff";
        QTest::newRow("small values keep two digits") << 1 << 2 << 15 << "#01020f";
        QTest::newRow("above range is black") << 256 << 0 << 0 << "#000000";
        QTest::newRow("negative is black") << 10 << -1 << 10 << "#000000";
    }
    void colourNames()
    {
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(QString, name);
        QCOMPARE(m_window->rgbtoStr(r, g, b), name);
    }

    void programVersion()
    {
        QCOMPARE(m_window->getSoftVersion(), QString("1.0.0.8"));
    }

    // The PDF wins over the HTML guide; a folder holding a file of the guide's
    // name that is not a file (a directory) does not count.
    void userGuideIsFoundBesideTheProgramOrHere_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList() << QStringList() << QString();
        QTest::newRow("pdf") << QStringList{"VornelRambaKEYQ7X.pdf"} << QStringList() << "VornelRambaKEYQ7X.pdf";
        QTest::newRow("html") << QStringList{"VornelRambaKEYQ7X.html"} << QStringList() << "VornelRambaKEYQ7X.html";
        QTest::newRow("both: pdf") << QStringList{"VornelRambaKEYQ7X.html", "VornelRambaKEYQ7X.pdf"}
                                   << QStringList() << "VornelRambaKEYQ7X.pdf";
        QTest::newRow("pdf is a folder") << QStringList{"VornelRambaKEYQ7X.html"}
                                         << QStringList{"VornelRambaKEYQ7X.pdf"} << "VornelRambaKEYQ7X.html";
    }
    void userGuideIsFoundBesideTheProgramOrHere()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        QFETCH(QString, expected);
        const QDir programDir(QCoreApplication::applicationDirPath());
        if (programDir.exists("VornelRambaKEYQ7X.pdf") || programDir.exists("VornelRambaKEYQ7X.html"))
            QSKIP("a guide lies beside the test program");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString &f : files) {
            QFile guide(dir.filePath(f));
            QVERIFY(guide.open(QIODevice::WriteOnly));
        }
        for (const QString &f : folders)
            QVERIFY(QDir(dir.path()).mkdir(f));
        const QString old = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString url = m_window->userGuideUrl();
        QDir::setCurrent(old);
        QCOMPARE(url, expected.isEmpty() ? QString()
                                         : QUrl::fromLocalFile(QDir(dir.path()).absoluteFilePath(expected)).toString());
    }

    void chineseTexts_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("title") << "Error prompt" << QString::fromUtf8("错误提示");
        QTest::newRow("busy") << "The current device is occupied" << QString::fromUtf8("当前设备被占用");
        QTest::newRow("save caption") << "Save File" << QString::fromUtf8("保存文件");
        QTest::newRow("filter") << "stm (*.stm)" << "stm (*.stm)";
        QTest::newRow("bad preset") << "The file is not a valid preset"
                                    << QString::fromUtf8("该文件不是有效的预设文件");
        QTest::newRow("not saved") << "The file could not be saved:\n%1"
                                   << QString::fromUtf8("无法保存文件：\n%1");
        QTest::newRow("not opened") << "The file could not be opened:\n%1"
                                    << QString::fromUtf8("无法打开文件：\n%1");
    }
    void chineseTexts()
    {
        QFETCH(QString, source);
        QFETCH(QString, chinese);
        QTranslator zh;
        QVERIFY(zh.load(":/i18n/i18n_zh.qm"));
        QCOMPARE(zh.translate("MainWindow", source.toUtf8().constData()), chinese);
    }

    void warningShowsInChinese()
    {
        QTranslator zh;
        QVERIFY(zh.load(":/i18n/i18n_zh.qm"));
        QCoreApplication::installTranslator(&zh);
        ScriptedPrompter prompter;
        m_fake.setInputDevices({{0, "Vornel RambaKEY Q7X"}});
        m_fake.setOutputDevices({{0, "Vornel RambaKEY Q7X"}});
        emit m_window->deviceMonitor()->s_devTypeAndState("vq041", true);
        m_fake.setInputOpenFails(true);
        m_window->getData();
        m_fake.setInputOpenFails(false);
        m_fake.setInputDevices({});
        m_fake.setOutputDevices({});
        QCoreApplication::removeTranslator(&zh);
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.boxes.at(0).title, QString::fromUtf8("错误提示"));
        QCOMPARE(prompter.boxes.at(0).text, QString::fromUtf8("当前设备被占用"));
    }

    void firmwareVersionText_data()
    {
        QTest::addColumn<QVariantList>("numbers");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.02") << QVariantList{1, 0, 2} << "1.02";
        QTest::newRow("defaults") << QVariantList{1, 0, 0} << "1.00";
        QTest::newRow("two digits run on") << QVariantList{2, 1, 10} << "2.110";
        QTest::newRow("signed byte") << QVariantList{-1, 0, 0} << "-1.00";
        QTest::newRow("incomplete") << QVariantList{1, 0} << "";
    }
    void firmwareVersionText()
    {
        QFETCH(QVariantList, numbers);
        QFETCH(QString, text);
        QCOMPARE(MainWindow::versionText(numbers), text);
    }

    void versionFollowsEveryBlockChange()
    {
        DataManagement *store = m_window->dataManagement();
        QByteArray block(store->blockData(), DataManagement::BlockSize);
        block[3] = 2;
        block[4] = 1;
        block[5] = 10;
        store->setBlockData(block.constData(), block.size());
        QCOMPARE(m_window->currentFirmwareVersion(), QString("2.110"));
        // Restoring the defaults keeps the header, so the version stays.
        store->initDefaultData();
        QCOMPARE(m_window->currentFirmwareVersion(), QString("2.110"));
    }

    void scalingRateFollowsTheScreen()
    {
        QScreen *screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        QCOMPARE(m_window->getScalingRate(), screen->logicalDotsPerInch() / 96.0);

        QSignalSpy changed(m_window, &MainWindow::screenChanged);
        emit screen->logicalDotsPerInchChanged(144.0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_window->getScalingRate(), 1.5);

        // Screens coming and going do not watch a screen twice.
        QMetaObject::invokeMethod(m_window, "screenCountChange");
        QMetaObject::invokeMethod(m_window, "screenCountChange");
        emit screen->logicalDotsPerInchChanged(192.0);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(m_window->getScalingRate(), 2.0);
    }

    void draggingWithinOneScreenChangesNothing()
    {
        QSignalSpy changed(m_window, &MainWindow::screenChanged);
        const double rate = m_window->getScalingRate();
        m_window->updateProgra(10, 10);
        m_window->updateProgra(300, 200);
        m_window->updateProgra(-5000, -5000); // off every screen: counts as the first
        QCOMPARE(changed.count(), 0);
        QCOMPARE(m_window->getScalingRate(), rate);
        QCOMPARE(m_window->pos(), QPoint(-5000, -5000));
        QVERIFY(!m_window->isVisible());
    }

    void screenIndexPicksTheLargestOverlap()
    {
        const QRect primary = QGuiApplication::screens().at(0)->geometry();
        QCOMPARE(MainWindow::screenIndexFor(QRect(primary.topLeft(), QSize(100, 100))), 0);
        QCOMPARE(MainWindow::screenIndexFor(QRect(-100000, -100000, 10, 10)), 0);
        QCOMPARE(MainWindow::screenIndexFor(QRect()), 0);
    }

private:
    FakeMidiBackend m_fake;
    MainWindow *m_window = nullptr;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

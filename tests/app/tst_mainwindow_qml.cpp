// The controller with the real documents: they load without errors against
// the published back end, and the visible window is the documents' own.

#include "app/MainWindow.h"
#include "tests/support/FakeMidiBackend.h"
#include "tests/support/ScriptedPrompter.h"

#include <QQuickWindow>
#include <QtTest>

namespace {
QStringList g_qmlProblems;
QtMessageHandler g_previous = nullptr;

void collectQmlProblems(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg
        && (message.contains("qrc:/") || message.contains("QQmlApplicationEngine")))
        g_qmlProblems << message;
    g_previous(type, context, message);
}
} // namespace

class TestMainWindowQml : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        MainWindow::registerQmlTypes();
        MidiBackend::setInstance(&m_fake);
        g_previous = qInstallMessageHandler(collectQmlProblems);
    }
    void cleanupTestCase()
    {
        qInstallMessageHandler(g_previous);
        MidiBackend::setInstance(nullptr);
    }

    void documentsLoadWithoutErrors()
    {
        g_qmlProblems.clear();
        MainWindow::Options options;
        options.liveDeviceSources = false;
        MainWindow window(options);
        QCOMPARE(window.engine()->rootObjects().size(), 1);
        auto *root = qobject_cast<QQuickWindow *>(window.engine()->rootObjects().at(0));
        QVERIFY(root);
        QCOMPARE(root->title(), QString("VornelRambaKEYQ7Xwidonw"));
        QVERIFY(!window.isVisible()); // only the documents' window is shown
        QCoreApplication::processEvents();
        QVERIFY2(g_qmlProblems.isEmpty(), qPrintable(g_qmlProblems.join('\n')));
    }

    void interfaceSurvivesBackEndEvents()
    {
        g_qmlProblems.clear();
        m_fake.setInputDevices({{0, "Vornel RambaKEY Q7X"}});
        m_fake.setOutputDevices({{0, "Vornel RambaKEY Q7X"}});
        {
            MainWindow::Options options;
            options.liveDeviceSources = false;
            options.configRequestDelayMs = 50;
            options.serialRequestDelayMs = 60;
            MainWindow window(options);
            QVERIFY(window.keyboard()->isConnected());
            window.getData();
            QByteArray reply(245, 0x11);
            reply[0] = char(0xF0);
            reply[244] = char(0xF7);
            QVERIFY(m_fake.inject(reply));
            QByteArray serial(25, 0);
            serial[0] = char(0xF0);
            serial[1] = 0x04;
            serial.replace(9, 3, "XYZ");
            serial[24] = char(0xF7);
            window.getData();
            QVERIFY(m_fake.inject(serial));
            QTest::qWait(200);
            emit window.deviceMonitor()->s_devTypeAndState("vq041", false);
            QCoreApplication::processEvents();
        } // destroyed with the documents still loaded
        m_fake.setInputDevices({});
        m_fake.setOutputDevices({});
        QVERIFY2(g_qmlProblems.isEmpty(), qPrintable(g_qmlProblems.join('\n')));
    }

private:
    FakeMidiBackend m_fake;
    ScriptedPrompter m_prompter;
};

QTEST_MAIN(TestMainWindowQml)
#include "tst_mainwindow_qml.moc"

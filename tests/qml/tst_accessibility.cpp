// What a screen reader finds in the window and in each dialog, in both
// languages: at least 90 % of the visible controls, labels and fields carry
// a name that says what they are (not just the value they show), every open
// dialog is named, and no two controls of one view share a name (a name that
// leaves out whose control it is repeats across pads, knobs or sections).
//
// The accessibility tree is read in-process through QAccessible, the same
// interfaces Qt hands to AT-SPI on Linux.

#include "tests/qml/A11yCoverage.h"
#include "tests/qml/BackEndStubs.h"
#include "tests/qml/RecordingDataMgt.h"
#include "ui/ColorPalette.h"
#include "ui/DialogName.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QtTest>

class tst_Accessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void views_data();
    void views();
    void controlsSayWhoseTheyAre();

private:
    struct Harness
    {
        QQmlApplicationEngine engine;
        StubMainLogic *mainLogic = nullptr;
        RecordingDataMgt *dataMgt = nullptr;
        StubTrans *tran = nullptr;
        StubFtp *ftp = nullptr;
        StubFirmwareUpdate *firmware = nullptr;
        QQuickWindow *window = nullptr;
    };
    // Loads the window as the program does, with the stand-in back end, in
    // the given language ("English" or "简体中文").
    static bool load(Harness &h, const QString &language);
    static QObject *dialog(Harness &h, const char *name);
    static QQuickItem *findItem(QQuickItem *item, const QString &objectName)
    {
        if (item->objectName() == objectName)
            return item;
        const auto children = item->childItems();
        for (QQuickItem *child : children) {
            if (QQuickItem *found = findItem(child, objectName))
                return found;
        }
        return nullptr;
    }
};

void tst_Accessibility::initTestCase()
{
    qmlRegisterType<ColorPalette>("ColorP", 1, 0, "ColorPalette");
    DialogName::registerType();
    // Controls fill in their accessible roles and names only while
    // accessibility is on, as it is when a screen reader listens.
    QAccessible::setActive(true);
}

bool tst_Accessibility::load(Harness &h, const QString &language)
{
    h.mainLogic = new StubMainLogic(&h.engine);
    h.dataMgt = new RecordingDataMgt(&h.engine);
    h.tran = new StubTrans(QStringLiteral(Q7X_TEST_ZH_QM), &h.engine);
    h.tran->setEngine(&h.engine);
    h.tran->setProperty("storedLanguage", language);
    h.ftp = new StubFtp(&h.engine);
    h.firmware = new StubFirmwareUpdate(&h.engine);
    QQmlContext *ctx = h.engine.rootContext();
    ctx->setContextProperty("MainLogic", h.mainLogic);
    ctx->setContextProperty("DataMgt", h.dataMgt);
    ctx->setContextProperty("Tran", h.tran);
    ctx->setContextProperty("Ftp", h.ftp);
    ctx->setContextProperty("FirmwareUpdate", h.firmware);
    h.engine.load(QUrl(QStringLiteral("qrc:/qml/main.qml")));
    if (h.engine.rootObjects().isEmpty())
        return false;
    h.window = qobject_cast<QQuickWindow *>(h.engine.rootObjects().constFirst());
    if (!h.window || !QTest::qWaitForWindowExposed(h.window))
        return false;
    h.dataMgt->initDefaultData();
    QTest::qWait(50);
    return true;
}

QObject *tst_Accessibility::dialog(Harness &h, const char *name)
{
    return h.window->property(name).value<QObject *>();
}

void tst_Accessibility::views_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("view");
    const QStringList views = {"window", "auto populate", "colour", "about", "firmware check",
                               "firmware offer", "firmware progress", "firmware result"};
    for (const QString &language : {QStringLiteral("English"), QStringLiteral("简体中文")}) {
        for (const QString &view : views)
            QTest::newRow(qPrintable(language.left(2) + " " + view)) << language << view;
    }
}

void tst_Accessibility::views()
{
    QFETCH(QString, language);
    QFETCH(QString, view);

    Harness h;
    QVERIFY(load(h, language));
    QCOMPARE(h.tran->currentLanguage(), language);

    QObject *open = nullptr;
    if (view == "auto populate") {
        open = dialog(h, "functionDialog");
        QMetaObject::invokeMethod(open, "show");
    } else if (view == "colour") {
        // As a click on pad 5's swatch opens it.
        open = dialog(h, "colorDialog");
        QObject *swatch = findItem(h.window->contentItem(), "swatch");
        QVERIFY(swatch);
        QMetaObject::invokeMethod(open, "show", Q_ARG(QVariant, 4), Q_ARG(QVariant, QVariant::fromValue(swatch)),
                                  Q_ARG(QVariant, "#ff8000"));
    } else if (view == "about") {
        open = dialog(h, "helpDialog");
        emit h.mainLogic->s_snNum("RK7X-0001");
        QMetaObject::invokeMethod(open, "show");
    } else if (view.startsWith("firmware")) {
        open = dialog(h, "progressDialog");
        emit h.ftp->showDialog();
        if (view != "firmware check")
            emit h.ftp->info("Q7X_V1.3.bin", 1.3, {"Faster pads"});
        if (view == "firmware progress" || view == "firmware result")
            emit h.firmware->transmitProgress(40);
        if (view == "firmware result")
            emit h.firmware->transStatus(true);
    }
    if (open)
        QTRY_VERIFY(open->property("opened").toBool());

    // A dialog is measured on its own, the window without any dialog.
    const A11yCoverage c = A11yCoverage::measure(h.window, open ? DialogName::accessibleItem(open) : nullptr);
    qInfo("%s: %d of %d named (%.1f %%)", QTest::currentDataTag(), c.named, c.candidates, 100.0 * c.ratio());
    for (const QString &u : c.unnamed)
        qInfo("  unnamed: %s", qPrintable(u));

    QVERIFY(c.candidates >= (open ? 2 : 400));
    QVERIFY2(c.ratio() >= 0.9, qPrintable(c.unnamed.join("\n")));
    if (open) {
        QCOMPARE(c.dialogs.size(), 1);
        QVERIFY2(!c.dialogs.constFirst().trimmed().isEmpty(), "the open dialog has no name");
    } else {
        QVERIFY(c.dialogs.isEmpty());
    }

    // Names of controls that repeat: each should say whose control it is.
    QStringList repeated;
    QSet<QString> seen;
    for (const QString &n : c.names) {
        if (seen.contains(n) && !repeated.contains(n))
            repeated << n;
        seen.insert(n);
    }
    QVERIFY2(repeated.isEmpty(), qPrintable("names used by more than one control: " + repeated.join(", ")));
}

// Spot checks of the names themselves, in English: what the control is and
// whose it is.
void tst_Accessibility::controlsSayWhoseTheyAre()
{
    Harness h;
    QVERIFY(load(h, "English"));
    const A11yCoverage c = A11yCoverage::measure(h.window);
    const QStringList expected = {
        "Pad 5 note number", "Pad 5 channel", "Pad 5 type: NOTE", "Pad 5 colour", "Pad 13 note",
        "Knob 3 channel", "Knob 11 controller number", "Knob 16 maximum",
        "Pitch wheel self return", "Modulation wheel channel", "Record button channel",
        "Arpeggiator latch", "Sustain pedal polarity",
        "Send to hardware", "Get from hardware", "Close window", "Minimise window",
        "Pad bank: BANK B", "Knob bank: BANK A",
    };
    for (const QString &name : expected)
        QVERIFY2(c.names.contains(name), qPrintable("no control named \"" + name + "\""));
    // 16 pads, 16 knobs x 3, 6 transport buttons, 4 wheel fields, tempo and
    // full velocity value: every number field is in the tree with a name.
    int fields = 0;
    for (const QString &n : c.names) {
        if (n.endsWith(" number") || n.endsWith(" minimum") || n.endsWith(" maximum")
            || n.contains("return time") || n.contains("tempo") || n == "Full velocity value")
            ++fields;
    }
    QCOMPARE(fields, 16 + 16 * 3 + 6 + 4 + 2);
}

QTEST_MAIN(tst_Accessibility)

#include "tst_accessibility.moc"

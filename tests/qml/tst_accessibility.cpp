// What a screen reader finds in the window and in each dialog, in both
// languages: at least 90 % of the visible controls, labels and fields carry
// a name that says what they are (not just the value they show), every open
// dialog is named, and no two controls of one view share a name (a name that
// leaves out whose control it is repeats across pads, knobs or sections).
//
// The accessibility tree is read in-process through QAccessible, the same
// interfaces Qt hands to AT-SPI on Linux.

#include "tests/qml/A11yCoverage.h"
#include "tests/qml/A11yHarness.h"

#include <QtTest>

class tst_Accessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void views_data();
    void views();
    void controlsSayWhoseTheyAre();
    void hoverHelp_data();
    void hoverHelp();

private:
    // Every item named `objectName`, depth first.
    static void findAll(QQuickItem *item, const QString &objectName, QList<QQuickItem *> &out)
    {
        if (item->objectName() == objectName)
            out << item;
        const auto children = item->childItems();
        for (QQuickItem *child : children)
            findAll(child, objectName, out);
    }
};

void tst_Accessibility::initTestCase()
{
    A11yHarness::registerTypes();
    // Controls fill in their accessible roles and names only while
    // accessibility is on, as it is when a screen reader listens.
    QAccessible::setActive(true);
}

void tst_Accessibility::views_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("view");
    for (const QString &language : {QStringLiteral("English"), QStringLiteral("简体中文")}) {
        for (const QString &view : A11yHarness::views())
            QTest::newRow(qPrintable(language.left(2) + " " + view)) << language << view;
    }
}

void tst_Accessibility::views()
{
    QFETCH(QString, language);
    QFETCH(QString, view);

    A11yHarness h;
    QVERIFY(h.load(language, QStringLiteral(Q7X_TEST_ZH_QM)));
    QCOMPARE(h.tran->currentLanguage(), language);
    QVERIFY(h.open(view));
    QObject *open = h.openDialog;

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
    A11yHarness h;
    QVERIFY(h.load("English", QStringLiteral(Q7X_TEST_ZH_QM)));
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

// The controls whose meaning is not obvious explain themselves on hover (and
// to screen readers, as the description), in the interface's language.
void tst_Accessibility::hoverHelp_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("en") << "English";
    QTest::newRow("zh") << "简体中文";
}

void tst_Accessibility::hoverHelp()
{
    QFETCH(QString, language);
    A11yHarness h;
    QVERIFY(h.load(language, QStringLiteral(Q7X_TEST_ZH_QM)));
    QQuickItem *root = h.window->contentItem();
    struct Tip { QString what; QString text; };
    QList<Tip> tips;
    auto tipOf = [&](const QString &what, const QString &objectName, const char *property) {
        QQuickItem *item = A11yHarness::findItem(root, objectName);
        tips.append({what, item ? item->property(property).toString() : QString()});
    };
    tipOf("SEND", "sendButton", "tip");
    tipOf("GET", "getButton", "tip");
    tipOf("pad bank A", "padTabs", "tip1");
    tipOf("pad bank B", "padTabs", "tip2");
    tipOf("knob bank B", "knobTabs", "tip2");
    tipOf("LATCH", "latchSwitch", "tip");
    tipOf("FULL VEL", "rangeList", "tip");
    tipOf("PIANO CURVE", "keyCurveList", "tip");
    // TOUCH is the knobs' third type, MC the transport buttons' second.
    QList<QQuickItem *> typeBars;
    findAll(root, "typeBar", typeBars);
    QString touch, mc;
    for (QQuickItem *bar : typeBars) {
        if (touch.isEmpty() && !bar->property("text3").toString().isEmpty() && bar->property("text2") == "PC")
            touch = bar->property("tip3").toString();
        if (mc.isEmpty() && bar->property("text2") == "MC")
            mc = bar->property("tip2").toString();
    }
    tips.append({"TOUCH", touch});
    tips.append({"MC", mc});
    // The colour square's help is its accessible description.
    QQuickItem *swatch = A11yHarness::findItem(root, "swatch");
    QAccessibleInterface *swatchIface = swatch ? QAccessible::queryAccessibleInterface(swatch) : nullptr;
    tips.append({"colour square", swatchIface ? swatchIface->text(QAccessible::Description) : QString()});

    const bool chinese = language != QLatin1String("English");
    for (const Tip &tip : tips) {
        QVERIFY2(tip.text.size() > 10, qPrintable(tip.what + " has no hover help"));
        bool hasChinese = false;
        for (const QChar c : tip.text)
            hasChinese = hasChinese || (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff);
        QVERIFY2(hasChinese == chinese, qPrintable(tip.what + ": \"" + tip.text + "\" is in the wrong language"));
    }
}

QTEST_MAIN(tst_Accessibility)

#include "tst_accessibility.moc"

// Desktop integration files: the udev rule gives exactly the firmware
// loader's serial ports to the seat's user, the launcher and the AppStream
// metainfo pass their validators and name each other, and the launcher's
// StartupWMClass is the class the real window carries on X.

#include "device/UsbIds.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString sourceDir()
{
    return qEnvironmentVariable("Q7X_SOURCE_DIR");
}

QString binaryDir()
{
    return qEnvironmentVariable("Q7X_BINARY_DIR");
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One device event as udev sees it: its own keys and the sysfs attributes of
// its parents (a USB serial port's idVendor/idProduct come from its USB device).
struct UdevEvent {
    QString action;
    QString subsystem;
    QMap<QString, QString> parentAttrs;
};

struct UdevResult {
    QSet<QString> tags;
    QMap<QString, QString> env;
    QString error; // a construct this evaluator does not know
};

bool globMatches(const QString &pattern, const QString &value)
{
    for (const QString &alternative : pattern.split(QLatin1Char('|'))) {
        const QRegularExpression re(QRegularExpression::anchoredPattern(
            QRegularExpression::wildcardToRegularExpression(alternative)));
        if (re.match(value).hasMatch())
            return true;
    }
    return false;
}

// Runs the rules of one file over one event: the keys used by our rule
// (ACTION, SUBSYSTEM, ATTRS{}, ENV{}, TAG, GOTO, LABEL) with udev's meaning.
UdevResult evaluateUdevRules(const QByteArray &rules, const UdevEvent &event)
{
    UdevResult result;
    static const QRegularExpression token(
        QStringLiteral("^\\s*([A-Z_]+)(?:\\{([^}]*)\\})?\\s*(==|!=|\\+=|-=|:=|=)\\s*\"([^\"]*)\"\\s*(,|$)"));
    QString skipTo;
    const QList<QByteArray> lines = rules.split('\n');
    for (const QByteArray &raw : lines) {
        QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        struct Key {
            QString name, attr, op, value;
        };
        QList<Key> keys;
        while (!line.isEmpty()) {
            const QRegularExpressionMatch m = token.match(line);
            if (!m.hasMatch()) {
                result.error = QStringLiteral("cannot read: ") + line;
                return result;
            }
            keys.append({m.captured(1), m.captured(2), m.captured(3), m.captured(4)});
            line = line.mid(m.capturedLength()).trimmed();
        }
        if (!skipTo.isEmpty()) {
            if (keys.size() == 1 && keys.first().name == QLatin1String("LABEL")
                && keys.first().value == skipTo)
                skipTo.clear();
            continue;
        }
        bool matches = true;
        for (const Key &key : keys) {
            if (key.op != QLatin1String("==") && key.op != QLatin1String("!="))
                continue;
            QString value;
            bool present = true;
            if (key.name == QLatin1String("ACTION")) {
                value = event.action;
            } else if (key.name == QLatin1String("SUBSYSTEM")) {
                value = event.subsystem;
            } else if (key.name == QLatin1String("ATTRS")) {
                present = event.parentAttrs.contains(key.attr);
                value = event.parentAttrs.value(key.attr);
            } else {
                result.error = QStringLiteral("unknown match key ") + key.name;
                return result;
            }
            const bool equal = present && globMatches(key.value, value);
            if ((key.op == QLatin1String("==")) != equal) {
                matches = false;
                break;
            }
        }
        if (!matches)
            continue;
        for (const Key &key : keys) {
            if (key.op == QLatin1String("==") || key.op == QLatin1String("!="))
                continue;
            if (key.name == QLatin1String("TAG") && key.op == QLatin1String("+=")) {
                result.tags.insert(key.value);
            } else if (key.name == QLatin1String("ENV") && key.op == QLatin1String("=")) {
                result.env.insert(key.attr, key.value);
            } else if (key.name == QLatin1String("GOTO") && key.op == QLatin1String("=")) {
                skipTo = key.value;
            } else if (key.name == QLatin1String("LABEL")) {
            } else {
                result.error = QStringLiteral("unknown assignment ") + key.name + key.op;
                return result;
            }
        }
    }
    if (!skipTo.isEmpty())
        result.error = QStringLiteral("GOTO without its LABEL: ") + skipTo;
    return result;
}

// The keys of a desktop entry's [Desktop Entry] group.
QMap<QString, QString> desktopEntry(const QString &path)
{
    QMap<QString, QString> keys;
    bool inGroup = false;
    for (const QByteArray &raw : readAll(path).split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[Desktop Entry]");
        else if (inGroup && line.contains(QLatin1Char('=')) && !line.startsWith(QLatin1Char('#')))
            keys.insert(line.section(QLatin1Char('='), 0, 0).trimmed(),
                        line.section(QLatin1Char('='), 1).trimmed());
    }
    return keys;
}

QString runTool(const QString &program, const QStringList &args, int *exitCode)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(30000)) {
        *exitCode = -1;
        return process.errorString();
    }
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

} // namespace

class tst_Dist : public QObject
{
    Q_OBJECT
private slots:
    void udevRule_data();
    void udevRule();
    void udevRuleCoversTheLoaderTable();
    void launcherAndMetainfoValidate();
    void windowClassIsTheLaunchersStartupWMClass();
};

static const char kRuleFile[] = "/dist/70-vornel-rambakey-q7x.rules";

void tst_Dist::udevRule_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("subsystem");
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<QString>("product");
    QTest::addColumn<bool>("forTheSeat");

    // The loader's serial port, both product ids, on plug-in and on a
    // re-trigger (udevadm trigger sends "change").
    QTest::newRow("loader 0206 add") << "add" << "tty" << "0416" << "0206" << true;
    QTest::newRow("loader 0204 add") << "add" << "tty" << "0416" << "0204" << true;
    QTest::newRow("loader 0204 change") << "change" << "tty" << "0416" << "0204" << true;
    QTest::newRow("loader 0206 bind") << "bind" << "tty" << "0416" << "0206" << true;
    // Nothing else: other products and vendors, other subsystems with the same ids.
    QTest::newRow("same vendor, other product") << "add" << "tty" << "0416" << "5011" << false;
    QTest::newRow("other vendor, same product") << "add" << "tty" << "1c75" << "0206" << false;
    QTest::newRow("product id as prefix") << "add" << "tty" << "0416" << "02061" << false;
    QTest::newRow("MIDI function (sound)") << "add" << "sound" << "0416" << "0206" << false;
    QTest::newRow("USB device node") << "add" << "usb" << "0416" << "0204" << false;
    QTest::newRow("serial port without USB parent") << "add" << "tty" << "" << "" << false;
    QTest::newRow("removal") << "remove" << "tty" << "0416" << "0204" << false;
}

void tst_Dist::udevRule()
{
    QFETCH(QString, action);
    QFETCH(QString, subsystem);
    QFETCH(QString, vendor);
    QFETCH(QString, product);
    QFETCH(bool, forTheSeat);

    const QByteArray rules = readAll(sourceDir() + QLatin1String(kRuleFile));
    QVERIFY(!rules.isEmpty());
    UdevEvent event{action, subsystem, {}};
    if (!vendor.isEmpty()) {
        event.parentAttrs.insert(QStringLiteral("idVendor"), vendor);
        event.parentAttrs.insert(QStringLiteral("idProduct"), product);
    }
    const UdevResult result = evaluateUdevRules(rules, event);
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.tags.contains(QStringLiteral("uaccess")), forTheSeat);
    // ModemManager must leave the loader alone during a transfer.
    QCOMPARE(result.env.value(QStringLiteral("ID_MM_DEVICE_IGNORE")) == QLatin1String("1"),
             forTheSeat);
    QVERIFY(result.tags.size() <= 1);

    // The uaccess tag is only acted on by rules sorted before 73-seat-late.
    const QString name = QFileInfo(QLatin1String(kRuleFile)).fileName();
    QVERIFY2(name.left(2).toInt() > 0 && name.left(2).toInt() < 73, qPrintable(name));
}

// Every loader id the editor looks for is one the rule opens to the user.
void tst_Dist::udevRuleCoversTheLoaderTable()
{
    const QByteArray rules = readAll(sourceDir() + QLatin1String(kRuleFile));
    for (const UsbIds::Id &id : UsbIds::kLoader) {
        const UdevEvent event{QStringLiteral("add"), QStringLiteral("tty"),
                              {{QStringLiteral("idVendor"), QStringLiteral("%1").arg(id.vendorId, 4, 16, QLatin1Char('0'))},
                               {QStringLiteral("idProduct"), QStringLiteral("%1").arg(id.productId, 4, 16, QLatin1Char('0'))}}};
        const UdevResult result = evaluateUdevRules(rules, event);
        QVERIFY2(result.tags.contains(QStringLiteral("uaccess")),
                 qPrintable(event.parentAttrs.value("idVendor") + ":" + event.parentAttrs.value("idProduct")));
    }
}

void tst_Dist::launcherAndMetainfoValidate()
{
    const QString desktop = sourceDir() + "/dist/com.vornel.RambaKEYQ7X.desktop";
    const QString metainfo = binaryDir() + "/dist/com.vornel.RambaKEYQ7X.metainfo.xml";
    int code = 0;
    QString out = runTool("desktop-file-validate", {desktop}, &code);
    QVERIFY2(code == 0 && out.trimmed().isEmpty(), qPrintable(out));
    out = runTool("appstreamcli", {"validate", "--no-net", metainfo}, &code);
    QVERIFY2(code == 0, qPrintable(out));

    // They name each other and the program.
    const QMap<QString, QString> launcher = desktopEntry(desktop);
    QCOMPARE(launcher.value("Exec"), QStringLiteral("VornelRambaKEYQ7X"));
    QCOMPARE(launcher.value("Icon"), QStringLiteral("com.vornel.RambaKEYQ7X"));
    const QStringList categories = launcher.value("Categories").split(';', Qt::SkipEmptyParts);
    for (const char *category : {"Audio", "Midi", "Music"})
        QVERIFY2(categories.contains(category), category);
    const QString xml = QString::fromUtf8(readAll(metainfo));
    QVERIFY(xml.contains("<launchable type=\"desktop-id\">com.vornel.RambaKEYQ7X.desktop</launchable>"));
    QVERIFY(xml.contains("<binary>VornelRambaKEYQ7X</binary>"));

    // The screenshots are the pictures the screenshot test takes (when it
    // has run in this build, they must be there under those names).
    static const QRegularExpression image(QStringLiteral("<image[^>]*>[^<]*/([^/<]+)</image>"));
    const QString shots = binaryDir() + "/tests/qml/screenshots";
    int images = 0;
    for (auto it = image.globalMatch(xml); it.hasNext(); ++images) {
        const QString name = it.next().captured(1);
        QVERIFY2(QRegularExpression("^main_(en|zh)_1\\.0\\.png$").match(name).hasMatch(),
                 qPrintable(name));
        if (QDir(shots).exists())
            QVERIFY2(QFile::exists(shots + "/" + name), qPrintable(shots + "/" + name));
    }
    QCOMPARE(images, 2);
}

void tst_Dist::windowClassIsTheLaunchersStartupWMClass()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("needs an X display (run under xvfb-run)");
    const QString editor = binaryDir() + "/app/VornelRambaKEYQ7X";
    QVERIFY(QFileInfo(editor).isExecutable());
    const QString expected =
        desktopEntry(sourceDir() + "/dist/com.vornel.RambaKEYQ7X.desktop").value("StartupWMClass");
    QVERIFY(!expected.isEmpty());

    // A private home and runtime folder: no other editor is raised instead.
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QDir(home.path()).mkpath("run"));
    QFile::setPermissions(home.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("QT_QUICK_BACKEND", "software");
    env.insert("HOME", home.path());
    env.insert("XDG_RUNTIME_DIR", home.filePath("run"));
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("Q7X_MIDI_API", "jack");
    env.insert("JACK_NO_START_SERVER", "1");
    env.insert("JACK_DEFAULT_SERVER", "q7x-none-" + QString::number(QCoreApplication::applicationPid()));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(editor, QStringList());
    QVERIFY(process.waitForStarted(10000));
    auto stop = qScopeGuard([&process] {
        process.terminate();
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    });

    // The top-level windows of the editor's process and their classes.
    const QString pid = QString::number(process.processId());
    QStringList classes;
    QElapsedTimer clock;
    clock.start();
    while (classes.isEmpty() && clock.elapsed() < 60000) {
        QTest::qWait(300);
        QVERIFY2(process.state() == QProcess::Running, "the editor ended early");
        int code = 0;
        const QString tree = runTool("xwininfo", {"-root", "-children"}, &code);
        QCOMPARE(code, 0);
        static const QRegularExpression child(QStringLiteral(
            "^\\s+(0x[0-9a-f]+) .*\\(\"([^\"]*)\" \"([^\"]*)\"\\)"), QRegularExpression::MultilineOption);
        for (auto it = child.globalMatch(tree); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const QString props = runTool("xprop", {"-id", m.captured(1), "_NET_WM_PID"}, &code);
            if (props.trimmed().endsWith(" = " + pid))
                classes << m.captured(3);
        }
    }
    QVERIFY2(!classes.isEmpty(), "no window of the editor appeared");
    qInfo() << "window classes:" << classes;
    for (const QString &windowClass : classes)
        QCOMPARE(windowClass, expected);
}

QTEST_GUILESS_MAIN(tst_Dist)
#include "tst_dist.moc"

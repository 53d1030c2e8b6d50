// Starts the real editor on the X display in both languages and at two
// scaling rates, photographs its window and checks that the picture is the
// window's size and not blank. The pictures stay in the build folder
// (tests/qml/screenshots) for a person to look at.
//
// With xdotool on the display, the window is also photographed with BANK B
// shown, with the File menu open and with each dialog open (Auto Populate,
// About, the colour dialog of PAD5), each picture named after the state
// (main_en_1.0_about.png, ...). The pointer and keys go to the real editor as
// a user's would; each state must visibly change the window.
//
// The scaling rate is the screen's logical DPI / 96, forced with QT_FONT_DPI.
// The language is the one stored beside the program, so each run uses its
// own copy of the program in a temporary folder with its own settings file.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class tst_Screenshots : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void window_data();
    void window();

private:
    // Bounding box of everything that differs from the empty screen.
    static QRect contentRect(const QImage &shot, const QImage &empty);
    // Runs xdotool with the arguments; false if it is missing or fails.
    static bool xdotool(const QStringList &args);
    // Clicks the window at a point given in design pixels, waits until the
    // window looks different from `before`, then a little longer for
    // animations, and returns the window's picture.
    QImage stepTo(const QRect &window, double rate, const QStringList &action, const QImage &before,
                  const QString &file);
    QString m_program;
    QString m_outDir;
    QImage m_empty;
};

void tst_Screenshots::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X display (run under xvfb-run)");
    m_program = QString::fromLocal8Bit(qgetenv("Q7X_EDITOR"));
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable("no editor at " + m_program));
    m_outDir = QString::fromLocal8Bit(qgetenv("Q7X_SHOT_DIR"));
    QVERIFY(!m_outDir.isEmpty());
    QVERIFY(QDir().mkpath(m_outDir));
    m_empty = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    QVERIFY(!m_empty.isNull());
}

QRect tst_Screenshots::contentRect(const QImage &shot, const QImage &empty)
{
    int left = shot.width(), top = shot.height(), right = -1, bottom = -1;
    for (int y = 0; y < shot.height(); ++y) {
        const QRgb *a = reinterpret_cast<const QRgb *>(shot.constScanLine(y));
        const QRgb *b = reinterpret_cast<const QRgb *>(empty.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x) {
            if (a[x] != b[x]) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

bool tst_Screenshots::xdotool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QImage tst_Screenshots::stepTo(const QRect &window, double rate, const QStringList &action, const QImage &before,
                               const QString &file)
{
    // action: "click X Y" in design pixels, or "key NAME".
    if (action.value(0) == QLatin1String("click")) {
        const QPoint at = window.topLeft()
            + QPoint(qRound(action.value(1).toDouble() * rate), qRound(action.value(2).toDouble() * rate));
        if (!xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())})
            || !xdotool({"click", "1"}))
            return QImage();
    } else if (!xdotool({"key", action.value(1)})) {
        return QImage();
    }
    QImage shot;
    QElapsedTimer timer;
    timer.start();
    do {
        QTest::qWait(100);
        shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(window);
    } while (shot == before && timer.elapsed() < 5000);
    if (shot == before)
        return QImage();
    QTest::qWait(600);
    shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(window);
    if (!file.isEmpty())
        shot.save(QDir(m_outDir).filePath(file));
    return shot;
}

void tst_Screenshots::window_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("file");
    QTest::newRow("en 1.0") << "en" << 96 << "main_en_1.0.png";
    QTest::newRow("zh 1.0") << "zh" << 96 << "main_zh_1.0.png";
    QTest::newRow("en 1.5") << "en" << 144 << "main_en_1.5.png";
    QTest::newRow("zh 1.5") << "zh" << 144 << "main_zh_1.5.png";
}

void tst_Screenshots::window()
{
    QFETCH(QString, language);
    QFETCH(int, dpi);
    QFETCH(QString, file);

    const QSize expected(qRound(1200 * dpi / 96.0), qRound(676 * dpi / 96.0));
    const QSize screen = QGuiApplication::primaryScreen()->size();
    if (expected.width() > screen.width() || expected.height() > screen.height())
        QSKIP(qPrintable(QStringLiteral("the screen (%1x%2) is smaller than the window at this rate; "
                                        "run under xvfb-run -s \"-screen 0 1920x1080x24\"")
                             .arg(screen.width()).arg(screen.height())));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath("VornelRambaKEYQ7X");
    QVERIFY(QFile::copy(m_program, copy));
    QVERIFY(QFile::setPermissions(copy, QFile::permissions(m_program)));
    {
        QSettings settings(dir.filePath("Profiles/setting.ini"), QSettings::IniFormat);
        settings.setValue("Setting/Language", language);
    }

    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("QT_FONT_DPI", QString::number(dpi));
    env.insert("HOME", dir.path());
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    // Its own single-instance lock: an editor started elsewhere on this
    // machine (another test) must not take this one's start as a second copy.
    env.insert("XDG_RUNTIME_DIR", dir.path());
    env.remove("QT_SCALE_FACTOR");
    editor.setProcessEnvironment(env);
    editor.setWorkingDirectory(dir.path());
    editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    editor.start(copy, QStringList());
    QVERIFY2(editor.waitForStarted(10000), qPrintable(editor.errorString()));
    auto stop = qScopeGuard([&editor] {
        if (editor.state() != QProcess::NotRunning) {
            editor.terminate();
            if (!editor.waitForFinished(5000)) {
                editor.kill();
                editor.waitForFinished(5000);
            }
        }
    });

    QImage shot;
    QRect rect;
    // Wait for the window at its final size, then a little longer for the
    // first configuration to show.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        QTest::qWait(500);
        QVERIFY2(editor.state() == QProcess::Running, "the editor ended early");
        shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        rect = contentRect(shot, m_empty);
        if (qAbs(rect.width() - expected.width()) <= 2 && qAbs(rect.height() - expected.height()) <= 2)
            break;
    }
    QTest::qWait(1500);
    shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    rect = contentRect(shot, m_empty);
    const QImage window = shot.copy(rect);
    QVERIFY(window.save(QDir(m_outDir).filePath(file)));
    QVERIFY2(qAbs(rect.width() - expected.width()) <= 2 && qAbs(rect.height() - expected.height()) <= 2,
             qPrintable(QStringLiteral("window %1x%2, expected %3x%4")
                            .arg(rect.width()).arg(rect.height())
                            .arg(expected.width()).arg(expected.height())));

    // The other states, one after the other: BANK B on both sections, the
    // File menu, and each dialog (Escape closes what was opened).
    if (xdotool({"version"})) {
        const double rate = dpi / 96.0;
        const QString stem = QString(file).remove(QStringLiteral(".png"));
        struct Step { const char *name; QStringList action; };
        const QList<Step> steps = {
            {"", {"click", "298", "158"}},                 // pad bank tab B
            {"bank_b", {"click", "800", "158"}},           // knob bank tab B
            {"file_menu", {"click", "51", "48"}},
            {"", {"key", "Escape"}},
            {"", {"click", "251", "48"}},                  // Auto Populate menu (third title)
            {"populate", {"click", "301", "77"}},          // ... its only item
            {"", {"key", "Escape"}},
            {"", {"click", "351", "48"}},                  // Help menu (fourth title)
            {"about", {"click", "401", "112"}},            // ... About
            {"", {"key", "Escape"}},
            {"colour", {"click", "273", "204"}},           // PAD5's colour swatch
            {"", {"key", "Escape"}},
        };
        QImage before = window;
        for (const Step &step : steps) {
            const QString name = QString::fromLatin1(step.name);
            const QImage next = stepTo(rect, rate, step.action, before,
                                       name.isEmpty() ? QString() : stem + "_" + name + ".png");
            QVERIFY2(!next.isNull(), qPrintable(QStringLiteral("nothing changed after %1 (%2)")
                                                    .arg(step.action.join(' '), name)));
            before = next;
        }
    }

    // Not blank: a real window has many colours.
    QSet<QRgb> colours;
    for (int y = 0; y < window.height(); y += 2)
        for (int x = 0; x < window.width(); x += 2)
            colours.insert(window.pixel(x, y));
    QVERIFY2(colours.size() > 100, qPrintable(QString::number(colours.size()) + " colours only"));

    // The Chinese window differs from the English one at the same rate: the
    // stored language reached the texts.
    if (language == QLatin1String("zh")) {
        const QImage english(QDir(m_outDir).filePath(QString(file).replace("_zh_", "_en_")));
        if (!english.isNull() && english.size() == window.size())
            QVERIFY2(english.convertToFormat(window.format()) != window,
                     "the Chinese window looks exactly like the English one");
    }
}

int main(int argc, char **argv)
{
    // Without a display there is nothing to photograph; run offscreen and skip.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    tst_Screenshots test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenshots.moc"

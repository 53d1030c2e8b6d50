// Language manager: catalogue discovery and names, start-up choice by system
// locale, switching (translator, QML retranslation, signals), the stored
// choice and where it is stored.
#include "i18n/Trans.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QElapsedTimer>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

#include <memory>

namespace {
const QString kEnglish = QStringLiteral("English");
const QString kChinese = QStringLiteral("简体中文");

QString targetLanguage()
{
    return QCoreApplication::translate("Trans", "TargetLanguage");
}
} // namespace

class TstTrans : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_tmp;
    QString m_besideProgram;

    bool systemIsChinese() const { return QLocale::system().name().startsWith(QLatin1String("zh")); }
    // What a first start shows: the system's language, English for any but Chinese.
    QString systemLanguage() const { return systemIsChinese() ? kChinese : kEnglish; }

    void writeStored(const QString &value)
    {
        QDir().mkpath(QFileInfo(m_besideProgram).absolutePath());
        QSettings s(m_besideProgram, QSettings::IniFormat);
        s.setValue(QStringLiteral("Setting/Language"), value);
    }
    QVariant stored() const
    {
        return QSettings(m_besideProgram, QSettings::IniFormat).value(QStringLiteral("Setting/Language"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_tmp.path() + "/config"));
        m_besideProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/Profiles/setting.ini");
        // The test program's folder is writable, so the file beside it is used.
        QCOMPARE(Trans::settingsFilePath(), m_besideProgram);
    }
    void init() { QDir(QCoreApplication::applicationDirPath() + "/Profiles").removeRecursively(); }
    void cleanupTestCase() { init(); }

    void catalogueNamesInFileOrder()
    {
        Trans trans(nullptr, nullptr);
        QCOMPARE(trans.languageList(), QStringList({kEnglish, kChinese}));
        QCOMPARE(trans.property("languageList").toStringList(), QStringList({kEnglish, kChinese}));
        const QStringList files = QDir(QStringLiteral(":/i18n")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files, QStringList({"i18n_en.qm", "i18n_zh.qm"}));
    }

    // The English catalogue names its language and nothing else: the source
    // texts are English, so any other entry could only shadow them.
    void englishCatalogueHoldsOnlyItsName()
    {
        Trans trans(nullptr, nullptr); // makes sure the catalogue resources are registered
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/i18n_en.qm")));
        QCOMPARE(english.translate("Trans", "TargetLanguage"), kEnglish);
        QVERIFY(english.translate("MainWindow", "Error prompt").isEmpty());
        QVERIFY(english.translate("MainWindow", "The current device is occupied").isEmpty());
        QTranslator chinese;
        QVERIFY(chinese.load(QStringLiteral(":/i18n/i18n_zh.qm")));
        QCOMPARE(chinese.translate("MainWindow", "Error prompt"), QStringLiteral("错误提示"));
        QCOMPARE(chinese.translate("MainWindow", "The current device is occupied"),
                 QStringLiteral("当前设备被占用"));
        // The online check's boxes read in English there and as they always
        // did in Chinese.
        QCOMPARE(chinese.translate("MyFtp", "Notice"), QStringLiteral("提示"));
        QCOMPARE(chinese.translate("MyFtp", "Connect the keyboard first."),
                 QStringLiteral("请先连接设备"));
        QCOMPARE(chinese.translate("MyFtp", "The keyboard's firmware version could not be read."),
                 QStringLiteral("获取当前版本号失败"));
    }

    void startUpFollowsTheSystemLanguage()
    {
        const QString forced = qEnvironmentVariable("LC_ALL");
        if (!forced.isEmpty())
            QCOMPARE(QLocale::system().name().left(2), forced.left(2));
        Trans trans(nullptr, nullptr);
        const QString expected = systemIsChinese() ? kChinese : kEnglish;
        QCOMPARE(trans.currentLanguage(), expected);
        QCOMPARE(trans.property("currentLanguage").toString(), expected);
        QCOMPARE(targetLanguage(), expected);
    }

    // What the main window does on completion: switch to the stored choice.
    void storedChoiceWinsAfterStartUp_data()
    {
        QTest::addColumn<QString>("storedValue");
        QTest::addColumn<QString>("shown");
        QTest::newRow("en") << "en" << kEnglish;
        QTest::newRow("zh") << "zh" << kChinese;
        QTest::newRow("none") << QString() << systemLanguage();
    }
    void storedChoiceWinsAfterStartUp()
    {
        QFETCH(QString, storedValue);
        QFETCH(QString, shown);
        if (!storedValue.isNull())
            writeStored(storedValue);
        Trans trans(nullptr, nullptr);
        trans.reTrans(trans.getLanguage());
        QCOMPARE(trans.currentLanguage(), shown);
        QCOMPARE(targetLanguage(), shown);
    }

    void getLanguageMapsStoredValues_data()
    {
        QTest::addColumn<QString>("storedValue");
        QTest::addColumn<QString>("name");
        QTest::newRow("en") << "en" << kEnglish;
        QTest::newRow("zh") << "zh" << kChinese;
        QTest::newRow("upper case EN") << "EN" << kChinese;
        QTest::newRow("fr") << "fr" << kChinese;
        QTest::newRow("empty") << "" << kChinese;
        QTest::newRow("no file") << QString() << systemLanguage();
    }
    void getLanguageMapsStoredValues()
    {
        QFETCH(QString, storedValue);
        QFETCH(QString, name);
        if (!storedValue.isNull())
            writeStored(storedValue);
        Trans trans(nullptr, nullptr);
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("\"%1\"").arg(storedValue)));
        QCOMPARE(trans.getLanguage(), name);
    }

    void setLanguageStoresOnlyKnownNames()
    {
        Trans trans(nullptr, nullptr);
        QSignalSpy changed(&trans, &Trans::currentLanguageChanged);
        QTest::ignoreMessage(QtDebugMsg, "\"简体中文\"");
        trans.setLanguage(kChinese); // creates the Profiles folder
        QCOMPARE(stored().toString(), QStringLiteral("zh"));
        trans.setLanguage(kEnglish);
        QCOMPARE(stored().toString(), QStringLiteral("en"));
        trans.setLanguage(QStringLiteral("Deutsch"));
        trans.setLanguage(QString());
        QCOMPARE(stored().toString(), QStringLiteral("en"));
        QCOMPARE(changed.count(), 0); // storing never switches the interface
        QCOMPARE(trans.getLanguage(), kEnglish);
    }

    // A lock left by a writer that was killed must not hold up the next
    // choice (QSettings alone waits 30 s for it).
    void staleLockOfADeadWriterIsIgnored_data()
    {
        QTest::addColumn<QByteArray>("lockContent");
        QTest::addColumn<int>("ageSeconds");
        QProcess gone;
        gone.start(QStringLiteral("true"), QStringList());
        gone.waitForFinished();
        const QByteArray deadPid = QByteArray::number(gone.processId() ? gone.processId() : 999999);
        QTest::newRow("dead process, this machine")
            << QByteArray(deadPid + "\nVornelRambaKEYQ7X\n" + QSysInfo::machineHostName().toUtf8() + "\n") << 0;
        QTest::newRow("dead process, no host") << QByteArray(deadPid + "\n") << 0;
        QTest::newRow("empty, killed while creating it") << QByteArray() << 5;
    }
    void staleLockOfADeadWriterIsIgnored()
    {
        QFETCH(QByteArray, lockContent);
        QFETCH(int, ageSeconds);
        writeStored(QStringLiteral("zh"));
        {
            QFile lock(m_besideProgram + ".lock");
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write(lockContent);
            lock.close();
            const QDateTime when = QDateTime::currentDateTime().addSecs(-ageSeconds);
            QVERIFY(lock.open(QIODevice::ReadWrite));
            QVERIFY(lock.setFileTime(when, QFileDevice::FileModificationTime));
        }
        Trans trans(nullptr, nullptr);
        QSignalSpy notSaved(&trans, &Trans::languageNotSaved);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(trans.setLanguage(kEnglish));
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(stored().toString(), QStringLiteral("en"));
        QCOMPARE(notSaved.count(), 0);
    }

    // A choice that cannot be written is reported, not only logged.
    void unsavedChoiceIsReported()
    {
        // The program folder's settings file is a folder and the per-user
        // configuration folder is a file: neither place can hold the choice.
        QVERIFY(QDir().mkpath(m_besideProgram));
        const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        const QString blocker = m_tmp.path() + "/config-is-a-file";
        {
            QFile f(blocker);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker));
        Trans trans(nullptr, nullptr);
        QSignalSpy notSaved(&trans, &Trans::languageNotSaved);
        const bool saved = trans.setLanguage(kEnglish);
        qputenv("XDG_CONFIG_HOME", savedConfig);
        QVERIFY(!saved);
        QCOMPARE(notSaved.count(), 1);
        QVERIFY(notSaved.at(0).at(0).toString().startsWith(blocker));
    }

    void reTransSwitchesAndSignals()
    {
        Trans trans(nullptr, nullptr);
        const QString other = trans.currentLanguage() == kEnglish ? kChinese : kEnglish;
        QSignalSpy changed(&trans, &Trans::currentLanguageChanged);
        trans.reTrans(trans.currentLanguage());
        trans.reTrans(QString());
        QCOMPARE(changed.count(), 0);

        trans.reTrans(other);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.takeFirst().at(0).toString(), other);
        QCOMPARE(targetLanguage(), other);

        // Unknown name: no catalogue at all, the source texts show.
        trans.reTrans(QStringLiteral("Klingon"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(trans.currentLanguage(), QStringLiteral("Klingon"));
        QCOMPARE(targetLanguage(), QStringLiteral("TargetLanguage"));
        QCOMPARE(trans.languageList().size(), 2);

        trans.reTrans(kChinese);
        QCOMPARE(targetLanguage(), kChinese);
    }

    void destroyingTheManagerUninstallsItsCatalogue()
    {
        {
            Trans trans(nullptr, nullptr);
            trans.reTrans(kChinese);
            QCOMPARE(targetLanguage(), kChinese);
        }
        QCOMPARE(targetLanguage(), QStringLiteral("TargetLanguage"));
    }

    void qmlTextsFollowTheLanguage()
    {
        QQmlEngine engine;
        Trans trans(&engine, nullptr);
        QQmlComponent component(&engine);
        // qsTr() takes its context from the document's file name.
        component.setData("import QtQml 2.15\nQtObject { property string label: qsTr(\"TargetLanguage\") }",
                          QUrl::fromLocalFile(m_tmp.path() + "/Trans.qml"));
        std::unique_ptr<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        const QString first = trans.currentLanguage();
        const QString other = first == kEnglish ? kChinese : kEnglish;
        QCOMPARE(object->property("label").toString(), first);
        trans.reTrans(other);
        QCOMPARE(object->property("label").toString(), other);
        trans.reTrans(first);
        QCOMPARE(object->property("label").toString(), first);
    }

    void settingsFallBackWhenProgramFolderIsNotWritable()
    {
        const QString userFile = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                                 + QStringLiteral("/Profiles/setting.ini");
        QVERIFY(userFile.startsWith(m_tmp.path() + "/config/"));

        const QString writable = m_tmp.path() + "/app";
        QVERIFY(QDir().mkpath(writable));
        QCOMPARE(Trans::settingsFilePathFor(writable), writable + "/Profiles/setting.ini");

        QCOMPARE(Trans::settingsFilePathFor(m_tmp.path() + "/no/such/folder"), userFile);

        // "Profiles" exists but is a file: no folder can be made there.
        const QString blocked = m_tmp.path() + "/blocked";
        QVERIFY(QDir().mkpath(blocked));
        QFile profilesFile(blocked + "/Profiles");
        QVERIFY(profilesFile.open(QIODevice::WriteOnly));
        profilesFile.close();
        QCOMPARE(Trans::settingsFilePathFor(blocked), userFile);

        // "setting.ini" is a folder: the file cannot be written.
        const QString odd = m_tmp.path() + "/odd";
        QVERIFY(QDir().mkpath(odd + "/Profiles/setting.ini"));
        QCOMPARE(Trans::settingsFilePathFor(odd), userFile);

        // An installed program's folder stays untouched even when writable
        // (root running /usr/bin/...), and even when a Profiles folder is there.
        const QString installed = m_tmp.path() + "/usr/bin";
        QVERIFY(QDir().mkpath(installed + "/Profiles"));
        QCOMPARE(Trans::settingsFilePathFor(installed), userFile);
    }
};

QTEST_MAIN(TstTrans)
#include "tst_trans.moc"

#include "Trans.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QQmlEngine>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>

// The catalogues are compiled into this static library as a resource; calling
// its initialiser keeps the linker from dropping it.
static void initI18nResources()
{
    Q_INIT_RESOURCE(q7x_i18n);
}

namespace {

const QString kEnglish = QStringLiteral("English");
const QString kChinese = QStringLiteral("简体中文");
const QString kLanguageKey = QStringLiteral("Setting/Language");

QString relativeSettingsFile()
{
    return QStringLiteral("Profiles/setting.ini");
}

// The settings file next to the program, if one ships there, read when the
// user's own file has no choice yet.
QString programSettingsFile()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + relativeSettingsFile();
}

} // namespace

Trans::Trans(QQmlEngine *engine, QObject *parent)
    : QObject(parent), m_engine(engine)
{
    initI18nResources();

    const QDir dir(QStringLiteral(":/i18n"));
    const QStringList names = dir.entryList(QStringList() << QStringLiteral("*.qm"), QDir::Files, QDir::Name);
    const QString systemLanguage = QLocale::system().name().left(2);
    bool matched = false;
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        QString displayName;
        {
            QTranslator probe;
            if (probe.load(path))
                displayName = probe.translate("Trans", "TargetLanguage");
        }
        m_languageList.append(displayName);

        auto translator = std::make_shared<QTranslator>();
        translator->load(path);
        m_translators.insert(displayName, translator);

        const int prefix = path.indexOf(QLatin1String("i18n_"));
        const QString code = prefix >= 0 ? path.mid(prefix + 5, 2) : QString();
        if (!code.isEmpty() && code == systemLanguage) {
            if (m_currentTranslator)
                QCoreApplication::removeTranslator(m_currentTranslator);
            m_currentTranslator = translator.get();
            QCoreApplication::installTranslator(m_currentTranslator);
            m_currentLanguage = displayName;
            matched = true;
        }
    }

    if (!matched)
        reTrans(kEnglish);
    emit languageListChanged();
}

Trans::~Trans()
{
    if (m_currentTranslator)
        QCoreApplication::removeTranslator(m_currentTranslator);
}

QString Trans::settingsFilePathFor(const QString &appDir)
{
    const QString profiles = appDir + QStringLiteral("/Profiles");
    const QFileInfo profilesInfo(profiles);
    bool besideProgram;
    if (profilesInfo.exists()) {
        const QFileInfo fileInfo(profiles + QStringLiteral("/setting.ini"));
        besideProgram = profilesInfo.isDir() && profilesInfo.isWritable()
                        && (!fileInfo.exists() || (fileInfo.isFile() && fileInfo.isWritable()));
    } else {
        const QFileInfo appInfo(appDir);
        besideProgram = appInfo.isDir() && appInfo.isWritable();
    }
    if (besideProgram)
        return profiles + QStringLiteral("/setting.ini");
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/')
           + relativeSettingsFile();
}

QString Trans::settingsFilePath()
{
    return settingsFilePathFor(QCoreApplication::applicationDirPath());
}

QString Trans::getLanguage()
{
    const QString path = settingsFilePath();
    QString value = QSettings(path, QSettings::IniFormat).value(kLanguageKey).toString();
    if (value.isEmpty() && path != programSettingsFile())
        value = QSettings(programSettingsFile(), QSettings::IniFormat).value(kLanguageKey).toString();
    qDebug() << value;
    if (value == QLatin1String("en"))
        return kEnglish;
    return kChinese;
}

void Trans::setLanguage(QString language)
{
    qDebug() << language;
    QString code;
    if (language == kEnglish)
        code = QStringLiteral("en");
    else if (language == kChinese)
        code = QStringLiteral("zh");
    else
        return;
    const QString path = settingsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(kLanguageKey, code);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qWarning() << "cannot write" << path;
}

void Trans::reTrans(QString lang)
{
    if (lang == m_currentLanguage || lang.isEmpty())
        return;
    m_currentLanguage = lang;
    if (m_currentTranslator)
        QCoreApplication::removeTranslator(m_currentTranslator);
    m_currentTranslator = m_translators.value(lang).get();
    if (m_currentTranslator)
        QCoreApplication::installTranslator(m_currentTranslator);
    if (m_engine)
        m_engine->retranslate();
    emit currentLanguageChanged(m_currentLanguage);
}

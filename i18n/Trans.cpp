#include "i18n/Trans.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QQmlEngine>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QDateTime>
#include <QTranslator>

#include <cerrno>
#include <csignal>
#include <limits>

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

// QSettings guards its file with "<file>.lock" and waits up to 30 s for a
// lock it cannot take. A lock left by a process that was killed while it
// wrote would freeze a language change for that long, so such a lock is
// removed first: one naming a process of this machine that no longer runs,
// and one that is still empty a second after it was made (its writer died
// between creating and filling it; a live writer fills it at once).
void removeStaleLock(const QString &settingsFile)
{
    const QString lockPath = settingsFile + QStringLiteral(".lock");
    QFile lock(lockPath);
    if (!lock.exists() || !lock.open(QIODevice::ReadOnly))
        return;
    const QList<QByteArray> lines = lock.read(4096).split('\n');
    lock.close();
    bool stale = false;
    if (lines.value(0).trimmed().isEmpty()) {
        stale = QFileInfo(lockPath).lastModified().msecsTo(QDateTime::currentDateTime()) > 1000;
    } else {
        bool ok = false;
        const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
        const QByteArray host = lines.value(2).trimmed();
        const bool thisMachine = host.isEmpty() || host == QSysInfo::machineHostName().toUtf8();
        stale = thisMachine && ok && pid > 0 && pid <= std::numeric_limits<pid_t>::max()
                && ::kill(pid_t(pid), 0) == -1 && errno == ESRCH;
    }
    if (stale) {
        qInfo() << "removing stale settings lock" << lockPath;
        QFile::remove(lockPath);
    }
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
    if (QDir(appDir).dirName() == QLatin1String("bin")) {
        // An installed program (/usr/bin, /usr/local/bin, ~/.local/bin): its
        // folder is shared and, for root, writable; settings are per user.
        besideProgram = false;
    } else if (profilesInfo.exists()) {
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
    QVariant stored = QSettings(path, QSettings::IniFormat).value(kLanguageKey);
    if (stored.toString().isEmpty() && path != programSettingsFile()) {
        const QVariant shipped = QSettings(programSettingsFile(), QSettings::IniFormat).value(kLanguageKey);
        if (shipped.isValid())
            stored = shipped;
    }
    const QString value = stored.toString();
    qDebug() << value;
    if (!stored.isValid()) {
        // First start, nothing chosen yet: the system's language.
        return QLocale::system().name().startsWith(QLatin1String("zh")) ? kChinese : kEnglish;
    }
    if (value == QLatin1String("en"))
        return kEnglish;
    return kChinese;
}

bool Trans::setLanguage(QString language)
{
    qDebug() << language;
    QString code;
    if (language == kEnglish)
        code = QStringLiteral("en");
    else if (language == kChinese)
        code = QStringLiteral("zh");
    else
        return false;
    const QString path = settingsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    removeStaleLock(path);
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(kLanguageKey, code);
    settings.sync();
    if (settings.status() != QSettings::NoError
        || QSettings(path, QSettings::IniFormat).value(kLanguageKey).toString() != code) {
        qWarning() << "cannot write" << path;
        emit languageNotSaved(path);
        return false;
    }
    return true;
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

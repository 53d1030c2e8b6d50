#pragma once

// Stand-ins for the back-end objects the documents talk to. Every call is
// recorded in `calls` (one text per call, in order) so tests can check what
// the documents asked for and in which order.

#include <QCoreApplication>
#include <QQmlEngine>
#include <QStringList>
#include <QTranslator>
#include <QVariantMap>

class CallLog : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList calls READ calls NOTIFY callsChanged)
public:
    using QObject::QObject;
    QStringList calls() const { return m_calls; }
    Q_INVOKABLE void clearCalls() { m_calls.clear(); emit callsChanged(); }
signals:
    void callsChanged();
protected:
    void add(const QString &call) { m_calls.append(call); emit callsChanged(); }
private:
    QStringList m_calls;
};

class StubMainLogic : public CallLog
{
    Q_OBJECT
    Q_PROPERTY(double scalingRate MEMBER m_rate NOTIFY scalingRateChanged)
    Q_PROPERTY(QString guideUrl MEMBER m_guideUrl)
public:
    using CallLog::CallLog;
public slots:
    void sendData() { add("sendData"); }
    void getData() { add("getData"); }
    void save() { add("save"); }
    void saveAs() { add("saveAs"); }
    void openFile() { add("openFile"); }
    double getScalingRate() { return m_rate; }
    void updateProgra(int x, int y) { add(QStringLiteral("updateProgra %1 %2").arg(x).arg(y)); }
    QString getSoftVersion() { return QStringLiteral("1.0.0.8"); }
    QString rgbtoStr(int r, int g, int b)
    {
        return QStringLiteral("#%1%2%3").arg(r, 2, 16, QLatin1Char('0')).arg(g, 2, 16, QLatin1Char('0'))
            .arg(b, 2, 16, QLatin1Char('0'));
    }
    void firmwareUpdate(const QString &path) { add("firmwareUpdate " + path); }
    QString userGuideUrl() { add("userGuideUrl"); return m_guideUrl; }
    void restoreDefault() { add("restoreDefault"); }
    bool confirmClose() { add("confirmClose"); return true; }
    void openPreset(const QString &path) { add("openPreset " + path); }
    QStringList recentPresets() { return {}; }
signals:
    void s_saved(const QString &name);
    void scalingRateChanged();
    void showHint(bool isSend, bool isSuccess);
    void screenChanged();
    void devStateChanged(bool state);
    void s_snNum(const QString &snStr);
    void padNumberChanged(int num);
private:
    double m_rate = 1.0;
    QString m_guideUrl;
};

class StubDataMgt : public CallLog
{
    Q_OBJECT
public:
    using CallLog::CallLog;
public slots:
    void initDefaultData() { add("initDefaultData"); emit s_updateDate(); }
    QVariantMap getPadInfo(int) { return {}; }
    QVariantMap getKnobInfo(int) { return {}; }
    QVariantMap getPitchInfo() { return {}; }
    QVariantMap getModInfo() { return {}; }
    QVariantMap getWalkingBeltInfo(int) { return {}; }
    QVariantMap getARPInfo() { return {}; }
    QVariantMap getFuncInfo() { return {}; }
    QVariantList getVerInfo() { return {1, 0, 2}; }
signals:
    void s_updateDate();
};

// Language manager stand-in: knows "English" (no catalogue) and "简体中文"
// (the Chinese catalogue of the documents, compiled for the test).
class StubTrans : public CallLog
{
    Q_OBJECT
    Q_PROPERTY(QStringList languageList READ languageList NOTIFY languageListChanged)
    Q_PROPERTY(QString currentLanguage READ currentLanguage NOTIFY currentLanguageChanged)
    Q_PROPERTY(QString storedLanguage MEMBER m_stored)
public:
    explicit StubTrans(const QString &zhCatalogue, QObject *parent = nullptr)
        : CallLog(parent)
    {
        m_zhLoaded = m_zh.load(zhCatalogue);
    }
    ~StubTrans() override { QCoreApplication::removeTranslator(&m_zh); }
    void setEngine(QQmlEngine *engine) { m_engine = engine; }
    QStringList languageList() const { return {QStringLiteral("English"), QStringLiteral("简体中文")}; }
    QString currentLanguage() const { return m_current; }
    Q_INVOKABLE bool catalogueLoaded() const { return m_zhLoaded; }
    Q_INVOKABLE void reTrans(const QString &lang)
    {
        add("reTrans " + lang);
        if (lang.isEmpty() || lang == m_current)
            return;
        m_current = lang;
        QCoreApplication::removeTranslator(&m_zh);
        if (lang == QStringLiteral("简体中文"))
            QCoreApplication::installTranslator(&m_zh);
        if (m_engine)
            m_engine->retranslate();
        emit currentLanguageChanged(m_current);
    }
public slots:
    QString getLanguage() { add("getLanguage"); return m_stored; }
    void setLanguage(const QString &language) { add("setLanguage " + language); m_stored = language; }
signals:
    void languageListChanged();
    void currentLanguageChanged(const QString &currentLanguage);
private:
    QTranslator m_zh;
    bool m_zhLoaded = false;
    QQmlEngine *m_engine = nullptr;
    QString m_current;
    QString m_stored = QStringLiteral("English");
};

class StubFtp : public CallLog
{
    Q_OBJECT
public:
    using CallLog::CallLog;
public slots:
    void checkOnLineFirmware() { add("checkOnLineFirmware"); }
    void downloadFir() { add("downloadFir"); }
signals:
    void showDialog();
    void info(const QString &name, double ver, const QStringList &infoList);
    void downloadComplete(const QString &filePath);
    void checkFailed(const QString &message);
    void downloadFailed(const QString &message);
};

class StubFirmwareUpdate : public CallLog
{
    Q_OBJECT
public:
    using CallLog::CallLog;
signals:
    void transmitProgress(int value);
    void transStatus(bool isSuccess);
    void updateFailed(const QString &message);
    void updateRefused(const QString &message);
};

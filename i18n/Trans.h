#pragma once
// Language manager: lists the translation catalogues built into the program
// (":/i18n/i18n_*.qm"), installs one of them into the application, makes the
// QML engine re-evaluate every qsTr() text when the language changes, and
// remembers the user's choice in "Profiles/setting.ini" (key
// "Setting/Language", value "en" or "zh").
//
// Published to QML as "Tran". Display names come from the catalogues themselves
// (context "Trans", source "TargetLanguage"): "English" and "简体中文".

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QQmlEngine;
class QTranslator;

class Trans : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList languageList READ languageList NOTIFY languageListChanged)
    Q_PROPERTY(QString currentLanguage READ currentLanguage NOTIFY currentLanguageChanged)
public:
    // engine may be null (then no retranslation is requested).
    Trans(QQmlEngine *engine, QObject *parent);
    ~Trans() override;

    QStringList languageList() const { return m_languageList; }
    QString currentLanguage() const { return m_currentLanguage; }

    // Switches the interface to the catalogue with display name lang.
    // Empty or already current: nothing happens.
    Q_INVOKABLE void reTrans(QString lang);

    // The settings file used by this program: "<program folder>/Profiles/setting.ini"
    // when that folder can be written and is not an installed program's
    // "bin" folder, otherwise "<AppConfigLocation>/Profiles/setting.ini".
    static QString settingsFilePath();
    // The same decision for a given program folder.
    static QString settingsFilePathFor(const QString &appDir);

public slots:
    // The stored language as a display name: "English" for "en", otherwise
    // "简体中文". With nothing stored yet, the system's language: "简体中文"
    // for a zh_* locale, "English" for any other.
    QString getLanguage();
    // Stores "en" for "English", "zh" for "简体中文"; other names store nothing
    // (false). False, and languageNotSaved(), when the choice could not be
    // written.
    bool setLanguage(QString language);

signals:
    void languageListChanged();
    void currentLanguageChanged(QString currentLanguage);
    // A choice could not be stored in the settings file at path.
    void languageNotSaved(QString path);

private:
    QMap<QString, std::shared_ptr<QTranslator>> m_translators;
    QTranslator *m_currentTranslator = nullptr;
    QStringList m_languageList;
    QQmlEngine *m_engine = nullptr;
    QString m_currentLanguage;
};

#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class DataManagement;

// Whether the editor's copy of the configuration is safe: how its parameters
// (block offsets 9-243, what the user edits) compare with the preset last
// saved or opened and with what the keyboard last sent or received.
//
// At start the copy counts as saved (it holds the defaults, nothing to lose)
// and the keyboard's configuration is unknown.
class DocumentState : public QObject
{
    Q_OBJECT
    // The preset's file path; empty while the copy has never been saved or opened.
    Q_PROPERTY(QString filePath READ filePath NOTIFY changed)
    // The file name without its folder; empty like filePath.
    Q_PROPERTY(QString fileName READ fileName NOTIFY changed)
    // The parameters differ from the preset last saved or opened.
    Q_PROPERTY(bool modified READ isModified NOTIFY changed)
    // A configuration went to or came from the keyboard since the start.
    Q_PROPERTY(bool keyboardKnown READ isKeyboardKnown NOTIFY changed)
    // The parameters are those the keyboard last sent or received.
    Q_PROPERTY(bool inSync READ isInSync NOTIFY changed)
    // Changes that are neither saved nor on the keyboard.
    Q_PROPERTY(bool pendingChanges READ hasPendingChanges NOTIFY changed)

public:
    explicit DocumentState(DataManagement *store, QObject *parent = nullptr);

    QString filePath() const { return m_filePath; }
    QString fileName() const;
    bool isModified() const { return m_modified; }
    bool isKeyboardKnown() const { return !m_keyboard.isEmpty(); }
    bool isInSync() const { return m_inSync; }
    bool hasPendingChanges() const { return m_modified && !m_inSync; }

    // The copy as it is now was written to / read from path.
    void markSaved(const QString &path);
    // The copy as it is now is what the keyboard holds (after a send or a get).
    void markKeyboard();
    // The copy as it is now is the saved state, the path unchanged (start-up).
    void markClean();

signals:
    void changed();

private slots:
    void update();

private:
    QByteArray parameters() const;

    DataManagement *m_store;
    QString m_filePath;
    QByteArray m_saved;
    QByteArray m_keyboard;
    bool m_modified = false;
    bool m_inSync = false;
};

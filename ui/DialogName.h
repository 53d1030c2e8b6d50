#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QQuickItem;

// Gives a Qt Quick Controls dialog (any Popup) its accessible name, so that a
// screen reader announces "About" rather than an unnamed dialog.
//
// Qt names a dialog after its title only when accessibility is switched on
// after the dialog exists; with accessibility on from the start (as with
// QT_LINUX_ACCESSIBILITY_ALWAYS_ON, or a screen reader already running) the
// dialog's accessible item stays unnamed, and later title changes are not
// passed on either. Declared inside the dialog:
//
//     DialogName { dialog: root; name: root.title }
//
// it writes the name into the Accessible properties of the item that stands
// for the dialog in the accessibility tree, now and whenever it changes.
class DialogName : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *dialog READ dialog WRITE setDialog NOTIFY dialogChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)

public:
    explicit DialogName(QObject *parent = nullptr);

    QObject *dialog() const { return m_dialog; }
    void setDialog(QObject *dialog);
    QString name() const { return m_name; }
    void setName(const QString &name);

    // The item that represents `popup` in the accessibility tree (the parent
    // of its content item), or null.
    static QQuickItem *accessibleItem(QObject *popup);

    // Registers the type as "DialogName" in the QML module "Q7X.Access" 1.0.
    static void registerType();

signals:
    void dialogChanged();
    void nameChanged();

private slots:
    void apply();

private:

    QPointer<QObject> m_dialog;
    QString m_name;
};

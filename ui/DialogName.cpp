#include "ui/DialogName.h"

#include <QMetaType>
#include <QQuickItem>
#include <QtQml>

DialogName::DialogName(QObject *parent)
    : QObject(parent)
{
}

void DialogName::setDialog(QObject *dialog)
{
    if (m_dialog == dialog)
        return;
    if (m_dialog)
        disconnect(m_dialog, nullptr, this, nullptr);
    m_dialog = dialog;
    // A new content item may come with a new accessible item; the name follows.
    if (m_dialog && m_dialog->metaObject()->indexOfSignal("contentItemChanged()") >= 0)
        connect(m_dialog, SIGNAL(contentItemChanged()), this, SLOT(apply()));
    emit dialogChanged();
    apply();
}

void DialogName::setName(const QString &name)
{
    if (m_name == name)
        return;
    m_name = name;
    emit nameChanged();
    apply();
}

QQuickItem *DialogName::accessibleItem(QObject *popup)
{
    if (!popup)
        return nullptr;
    auto *content = popup->property("contentItem").value<QQuickItem *>();
    return content ? content->parentItem() : nullptr;
}

void DialogName::apply()
{
    QQuickItem *item = accessibleItem(m_dialog);
    if (!item)
        return;
    // The Accessible attached type is Qt Quick's own; it is reached through
    // its registered meta-type, as the QML engine reaches it for
    // "Accessible.name".
    static const QMetaObject *const attachedType =
        QMetaType::metaObjectForType(QMetaType::type("QQuickAccessibleAttached*"));
    if (!attachedType)
        return;
    static const QQmlAttachedPropertiesFunc attach = qmlAttachedPropertiesFunction(nullptr, attachedType);
    if (!attach)
        return;
    if (QObject *accessible = qmlAttachedPropertiesObject(item, attach, true))
        accessible->setProperty("name", m_name);
}

void DialogName::registerType()
{
    qmlRegisterType<DialogName>("Q7X.Access", 1, 0, "DialogName");
}

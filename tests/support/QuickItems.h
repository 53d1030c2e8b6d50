#pragma once

#include <QMetaObject>
#include <QObject>
#include <QQuickItem>
#include <QVariant>

// Finding the parts of a Qt Quick window through the properties and
// functions its documents expose, as the window tests do.

inline QObject *objectProperty(QObject *o, const char *name)
{
    return o ? qvariant_cast<QObject *>(o->property(name)) : nullptr;
}

inline QQuickItem *itemProperty(QObject *o, const char *name)
{
    return qobject_cast<QQuickItem *>(objectProperty(o, name));
}

// Item at index of a Qt Quick Controls container (tab bar, swipe view, menu).
inline QQuickItem *containerItem(QObject *container, int index)
{
    QQuickItem *result = nullptr;
    if (container)
        QMetaObject::invokeMethod(container, "itemAt", Q_RETURN_ARG(QQuickItem *, result),
                                  Q_ARG(int, index));
    return result;
}

#pragma once

// Measures how much of a Qt Quick window a screen reader can use: every
// visible control, label, text field and clickable area is a candidate; a
// candidate counts as named when the accessibility tree holds it (or, for a
// bare pointer area, the item it sits on) with a name that is not just the
// value it shows. The result lists the candidates that fall short, so a
// failure says which control to fix.

#include <QAccessible>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSet>
#include <QStringList>

struct A11yCoverage
{
    int candidates = 0;
    int named = 0;
    QStringList unnamed;       // "ClassName 'shown text' (objectName)"
    QStringList names;         // names of the named controls (labels left out)
    QStringList labelNames;    // names of the named static texts
    QStringList dialogs;       // names of the open dialogs ("" for an unnamed one)

    double ratio() const { return candidates ? double(named) / candidates : 1.0; }

    // Walks `from` (by default the whole of `window`, its pop-ups included:
    // they live under the overlay). A candidate counts only if it can be
    // reached from the window's own accessible interface.
    static A11yCoverage measure(QQuickWindow *window, QQuickItem *from = nullptr)
    {
        A11yCoverage c;
        QSet<QAccessibleInterface *> reachable;
        if (QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window))
            collect(root, reachable, 0);
        c.walk(from ? from : window->contentItem(), false, reachable);
        return c;
    }

private:
    static void collect(QAccessibleInterface *iface, QSet<QAccessibleInterface *> &seen, int depth)
    {
        if (!iface || seen.contains(iface) || depth > 200)
            return;
        seen.insert(iface);
        for (int i = 0; i < iface->childCount(); ++i)
            collect(iface->child(i), seen, depth + 1);
    }

    static bool inherits(const QObject *o, const char *name) { return o->inherits(name); }

    // Containers and decorations that are not something to operate or read.
    static bool isContainer(const QQuickItem *item)
    {
        static const char *const kinds[] = {
            "QQuickPopupItem", "QQuickSwipeView", "QQuickScrollView", "QQuickPane",
            "QQuickOverlay", "QQuickScrollIndicator", "QQuickScrollBar", "QQuickToolTip",
            "QQuickTabBar" /* checked through its tabs, which carry its name */,
        };
        for (const char *k : kinds) {
            if (inherits(item, k))
                return true;
        }
        return false;
    }

    static QString describe(const QQuickItem *item)
    {
        QString shown = item->property("text").toString();
        if (shown.isEmpty())
            shown = item->property("displayText").toString();
        return QStringLiteral("%1 '%2' (%3)")
            .arg(QString::fromLatin1(item->metaObject()->className()), shown, item->objectName());
    }

    // `accessibleItem` is the item that should carry the name: `item` itself,
    // or the item a pointer area covers (whose name is then not recorded again).
    void check(QQuickItem *item, QQuickItem *accessibleItem, const QSet<QAccessibleInterface *> &reachable)
    {
        ++candidates;
        QAccessibleInterface *iface = accessibleItem ? QAccessible::queryAccessibleInterface(accessibleItem)
                                                     : nullptr;
        if (!iface || !reachable.contains(iface) || iface->state().invisible) {
            unnamed << describe(item) + QStringLiteral(" not in the accessibility tree");
            return;
        }
        const QString name = iface->text(QAccessible::Name).trimmed();
        const QAccessible::Role role = iface->role();
        QString shown = iface->text(QAccessible::Value).trimmed();
        if (shown.isEmpty())
            shown = accessibleItem->property("displayText").toString().trimmed();
        if (shown.isEmpty() && role == QAccessible::EditableText)
            shown = accessibleItem->property("text").toString().trimmed();
        const bool valueRole = role == QAccessible::ComboBox || role == QAccessible::EditableText
                               || role == QAccessible::SpinBox;
        if (name.isEmpty()) {
            unnamed << describe(item) + QStringLiteral(" has no name");
            return;
        }
        if (valueRole && name == shown) {
            unnamed << describe(item) + QStringLiteral(" is named only by its value");
            return;
        }
        ++named;
        if (accessibleItem == item)
            (role == QAccessible::StaticText ? labelNames : names) << name;
    }

    void walk(QQuickItem *item, bool insideControl, const QSet<QAccessibleInterface *> &reachable)
    {
        if (!item || !item->isVisible() || item->opacity() <= 0.0)
            return;
        bool inside = insideControl;
        if (inherits(item, "QQuickPopupItem")) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(item);
            if (iface && iface->role() == QAccessible::Dialog)
                dialogs << iface->text(QAccessible::Name);
        } else if (!insideControl) {
            if (inherits(item, "QQuickControl") && !isContainer(item)) {
                check(item, item, reachable);
                inside = true;
            } else if (inherits(item, "QQuickTextInput") || inherits(item, "QQuickTextEdit")) {
                check(item, item, reachable);
                inside = true;
            } else if (inherits(item, "QQuickText")) {
                if (!item->property("text").toString().trimmed().isEmpty())
                    check(item, item, reachable);
            } else if (inherits(item, "QQuickMouseArea") && item->isEnabled()) {
                // A pointer area stands for the item it covers.
                QQuickItem *owner = QAccessible::queryAccessibleInterface(item) ? item : item->parentItem();
                check(item, owner, reachable);
            } else if (inherits(item, "QQuickPaintedItem")) {
                check(item, item, reachable);
            } else if (QAccessible::queryAccessibleInterface(item)) {
                // Any other item the documents gave an accessible role.
                check(item, item, reachable);
            }
        }
        const auto children = item->childItems();
        for (QQuickItem *child : children)
            walk(child, inside, reachable);
    }
};

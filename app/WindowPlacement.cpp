#include "app/WindowPlacement.h"

#include "app/ScreenScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStringList>

namespace {

// A key naming the arrangement of screens, so that a window position is
// remembered for each arrangement it was used with.
QString screenLayoutKey()
{
    QStringList parts;
    for (QScreen *screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        parts << QStringLiteral("%1_%2_%3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
    }
    return QStringLiteral("Window/") + parts.join(QLatin1Char('-'));
}

} // namespace

namespace WindowPlacement {

QPoint position(const QSettings &settings, int width, int height)
{
    QScreen *primary = QGuiApplication::primaryScreen();
    const QRect saved = settings.value(screenLayoutKey()).toRect();
    QScreen *screen = nullptr;
    if (saved.isValid()) {
        const QRect wanted(saved.topLeft(), QSize(width, height));
        screen = QGuiApplication::screens().value(ScreenScale::screenIndexFor(wanted));
        if (screen && !screen->geometry().intersects(wanted))
            screen = nullptr;
    }
    if (!screen) {
        if (!primary)
            return QPoint(0, 0);
        const QRect area = primary->availableGeometry();
        return QPoint(area.x() + qMax(0, (area.width() - width) / 2),
                      area.y() + qMax(0, (area.height() - height) / 2));
    }
    // Wholly inside the screen's visible area where it fits; the title strip
    // (top left) visible where it does not.
    const QRect area = screen->availableGeometry();
    const int x = qMax(area.left(), qMin(saved.x(), area.right() + 1 - width));
    const int y = qMax(area.top(), qMin(saved.y(), area.bottom() + 1 - height));
    return QPoint(x, y);
}

void remember(QSettings &settings, const QRect &geometry)
{
    settings.setValue(screenLayoutKey(), geometry);
}

} // namespace WindowPlacement

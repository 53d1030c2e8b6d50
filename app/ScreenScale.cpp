#include "app/ScreenScale.h"

#include <QDebug>
#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr double kDesignDpi = 96.0;

} // namespace

ScreenScale::ScreenScale(const QRect &window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
    if (QScreen *screen = QGuiApplication::screens().value(screenIndexFor(m_window)))
        m_rate = screen->logicalDotsPerInch() / kDesignDpi;
}

int ScreenScale::screenIndexFor(const QRect &rect)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    int best = -1;
    qint64 bestArea = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect overlap = screens.at(i)->geometry().intersected(rect);
        const qint64 area = qint64(overlap.width()) * overlap.height();
        if (!overlap.isEmpty() && area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    return best < 0 ? 0 : best;
}

void ScreenScale::windowMoved(const QRect &window)
{
    m_window = window;
    const int number = screenIndexFor(m_window);
    if (m_lastScreen < 0)
        m_lastScreen = number;
    if (number == m_lastScreen)
        return;
    m_lastScreen = number;
    QScreen *screen = QGuiApplication::screens().value(number);
    if (!screen)
        return;
    m_rate = screen->logicalDotsPerInch() / kDesignDpi;
    qDebug() << "===logicalDotsPerInch=====" << screen->logicalDotsPerInch();
    emit changed();
}

void ScreenScale::watchScreens()
{
    // Each screen is watched once, however often screens come and go.
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens) {
        if (m_watched.contains(screen))
            continue;
        m_watched.insert(screen);
        connect(screen, &QObject::destroyed, this, [this, screen]() { m_watched.remove(screen); });
        connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this, screen](qreal dpi) {
            if (QGuiApplication::screens().value(screenIndexFor(m_window)) != screen)
                return;
            m_rate = dpi / kDesignDpi;
            emit changed();
        });
    }
}

#pragma once

#include <QObject>
#include <QRect>
#include <QScreen>
#include <QSet>

// The scaling rate of the user interface: the logical DPI of the screen the
// window is mostly on, divided by 96 (every size in the documents is given
// for a 96-dpi screen). Follows the window from screen to screen and each
// screen's DPI changes.
class ScreenScale : public QObject
{
    Q_OBJECT

public:
    // window: where the window is at first; the rate is taken from its screen.
    explicit ScreenScale(const QRect &window, QObject *parent = nullptr);

    // Index into QGuiApplication::screens() of the screen that overlaps the
    // largest part of rect; 0 when none does.
    static int screenIndexFor(const QRect &rect);

    double rate() const { return m_rate; }

    // The window moved. On another screen than before, the rate becomes that
    // screen's and changed() is emitted.
    void windowMoved(const QRect &window);
    // Watches every present screen (each once) for DPI changes; a change of
    // the window's screen updates the rate and emits changed().
    void watchScreens();

signals:
    void changed();

private:
    QRect m_window;
    double m_rate = 1.0;
    int m_lastScreen = -1; // screen number remembered by windowMoved
    QSet<QScreen *> m_watched;
};

#pragma once

#include <QPoint>
#include <QRect>

class QSettings;

// Where the window goes: the position it had the last time this arrangement
// of screens was in use, brought back inside the visible area, or centred on
// the primary screen the first time.
namespace WindowPlacement {

// The top-left corner for a window of the given size.
QPoint position(const QSettings &settings, int width, int height);

// Remembers the window's geometry for the present arrangement of screens.
void remember(QSettings &settings, const QRect &geometry);

} // namespace WindowPlacement

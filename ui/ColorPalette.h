#pragma once

#include <QImage>
#include <QQuickPaintedItem>
#include <QRect>

class QPainter;

// Hue wheel for picking a pad colour. The item paints a fully saturated,
// fully bright conical hue gradient as a disc (red at the right, then
// counter-clockwise yellow, green, cyan, blue, magenta) and turns a pointer
// position on the disc into the colour painted there.
//
// The wheel is painted into an off-screen image first; picking reads the
// pixel under the pointer from that image, so the colour reported is exactly
// the colour the user sees. The pick marker (four short white ticks around
// the picked point) is drawn over the wheel on the item only, never into the
// image, so a later pick near the marker still reads the wheel's own colour.
class ColorPalette : public QQuickPaintedItem
{
    Q_OBJECT

public:
    explicit ColorPalette(QQuickItem *parent = nullptr);

    void paint(QPainter *painter) override;

    // Pointer position in item coordinates. Always becomes the marker; if it
    // lies on the wheel, the colour there is reported through colorChang()
    // and the item repaints.
    Q_INVOKABLE void mouseMove(int x, int y);
    // Removes the marker and repaints.
    Q_INVOKABLE void clearPoint();

    // Read access for tests and callers that need the last painted geometry.
    int radius() const { return m_radius; }
    QRect wheelRect() const { return m_wheelRect; }
    QPoint marker() const { return QPoint(m_pointX, m_pointY); }
    const QImage &image() const { return m_image; }

signals:
    // The picked colour as "#rrggbb" (lower-case hexadecimal).
    void colorChang(QString colorStr);

private:
    // Paints the wheel for a W x H item into m_image and sets the geometry.
    void renderWheel(int w, int h);
    void drawMarker(QPainter *painter) const;

    int m_pointX = 0;   // (0, 0) means no marker
    int m_pointY = 0;
    int m_radius = 0;
    QRect m_wheelRect;
    QImage m_image;
};

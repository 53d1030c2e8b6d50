#include "ui/ColorPalette.h"

#include <QColor>
#include <QConicalGradient>
#include <QDebug>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

ColorPalette::ColorPalette(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    qDebug() << "width" << width() << height();
}

void ColorPalette::renderWheel(int w, int h)
{
    if (w <= 0 || h <= 0) {
        m_image = QImage();
        m_radius = 0;
        m_wheelRect = QRect();
        return;
    }

    m_image = QImage(w, h, QImage::Format_RGBA8888);
    m_image.fill(Qt::transparent);

    // An item smaller than the 5-pixel margin gets no wheel at all.
    m_radius = std::max(0, std::min(w, h) / 2 - 5);
    m_wheelRect = QRect((w - 2 * m_radius) / 2, (h - 2 * m_radius) / 2,
                        2 * m_radius, 2 * m_radius);
    if (m_radius == 0)
        return;

    QPainter p(&m_image);
    p.setRenderHint(QPainter::Antialiasing, true);

    QConicalGradient gradient(0, 0, 0);
    gradient.setColorAt(0.0, QColor(0xff, 0x00, 0x00));
    gradient.setColorAt(1.0 / 6, QColor(0xff, 0xff, 0x00));
    gradient.setColorAt(2.0 / 6, QColor(0x00, 0xff, 0x00));
    gradient.setColorAt(3.0 / 6, QColor(0x00, 0xff, 0xff));
    gradient.setColorAt(4.0 / 6, QColor(0x00, 0x00, 0xff));
    gradient.setColorAt(5.0 / 6, QColor(0xff, 0x00, 0xff));
    gradient.setColorAt(1.0, QColor(0xff, 0x00, 0x00));

    // The disc is centred on the middle of the centre pixel (Qt's integer
    // centre plus half a pixel). Pixel (x, y) is sampled at (x + 0.5, y + 0.5),
    // so a pixel's distance from the disc's centre is exactly its integer
    // distance from the centre pixel: the painted disc and the pick test in
    // mouseMove() agree pixel for pixel, and the horizontal middle row runs
    // through the gradient's exact red (right) and cyan (left) angles.
    const QPointF centre = QPointF(QRect(0, 0, w, h).center()) + QPointF(0.5, 0.5);
    p.translate(centre);
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(QPoint(0, 0), m_radius, m_radius);
    p.translate(-centre);
}

void ColorPalette::drawMarker(QPainter *painter) const
{
    if (m_pointX == 0 && m_pointY == 0)
        return;
    const int x = m_pointX;
    const int y = m_pointY;
    painter->save();
    painter->setPen(QPen(Qt::white, 3));
    painter->drawLine(x - 10, y, x - 7, y);
    painter->drawLine(x + 7, y, x + 10, y);
    painter->drawLine(x, y - 10, x, y - 7);
    painter->drawLine(x, y + 7, x, y + 10);
    painter->restore();
}

void ColorPalette::paint(QPainter *painter)
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    renderWheel(w, h);
    if (m_image.isNull())
        return;
    painter->drawImage(QRect(0, 0, w, h), m_image);
    painter->setRenderHint(QPainter::Antialiasing, true);
    drawMarker(painter);
}

void ColorPalette::mouseMove(int x, int y)
{
    m_pointX = x;
    m_pointY = y;

    if (m_image.isNull() || m_radius <= 0 || !m_image.valid(x, y))
        return;
    const QPoint c = m_wheelRect.center();
    const double d = std::hypot(double(x - c.x()), double(y - c.y()));
    if (d > m_wheelRect.width() / 2)
        return;

    // The rim's outermost pixels can lie just outside the painted disc; a
    // pixel the wheel did not cover has no colour to offer.
    const QRgb pixel = m_image.pixel(x, y);
    if (qAlpha(pixel) == 0)
        return;

    emit colorChang(QColor(qRed(pixel), qGreen(pixel), qBlue(pixel)).name());
    update();
}

void ColorPalette::clearPoint()
{
    m_pointX = 0;
    m_pointY = 0;
    update();
}

#include "ui/ColorPalette.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

// Paints the item the way the scene graph would: onto an image of its size.
static QImage render(ColorPalette &item)
{
    QImage out(qMax(1, int(item.width())), qMax(1, int(item.height())), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    QPainter p(&out);
    item.paint(&p);
    return out;
}

static QColor pickedColor(const QSignalSpy &spy)
{
    return QColor(spy.last().at(0).toString());
}

// Counts the repaints the scene graph asks for.
class CountingPalette : public ColorPalette
{
public:
    int paints = 0;
    void paint(QPainter *painter) override
    {
        ++paints;
        ColorPalette::paint(painter);
    }
};

class TestColorPalette : public QObject
{
    Q_OBJECT

private slots:
    void constructionLogsSizeAndDrawsNothing()
    {
        QTest::ignoreMessage(QtDebugMsg, "width 0 0");
        ColorPalette item;
        QCOMPARE(item.marker(), QPoint(0, 0));
        QVERIFY(item.wheelRect().isNull());
        QVERIFY(item.image().isNull());

        // Nothing painted yet: no position is on the wheel.
        QSignalSpy spy(&item, &ColorPalette::colorChang);
        item.mouseMove(0, 0);
        item.mouseMove(150, 150);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(item.marker(), QPoint(150, 150));
    }

    void geometryFollowsTheItemSize_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<int>("radius");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("300x300") << QSizeF(300, 300) << 145 << QRect(5, 5, 290, 290);
        QTest::newRow("wide") << QSizeF(400, 300) << 145 << QRect(55, 5, 290, 290);
        QTest::newRow("tall, fractional") << QSizeF(200.7, 301.9) << 95 << QRect(5, 55, 190, 190);
        QTest::newRow("odd") << QSizeF(301, 301) << 145 << QRect(5, 5, 290, 290);
    }
    void geometryFollowsTheItemSize()
    {
        QFETCH(QSizeF, size);
        QFETCH(int, radius);
        QFETCH(QRect, rect);
        QTest::ignoreMessage(QtDebugMsg, "width 0 0");
        ColorPalette item;
        item.setSize(size);
        render(item);
        QCOMPARE(item.radius(), radius);
        QCOMPARE(item.wheelRect(), rect);
        QCOMPARE(item.image().size(), QSize(int(size.width()), int(size.height())));
        QCOMPARE(item.image().format(), QImage::Format_RGBA8888);
        // Corners lie outside the disc and stay transparent.
        QCOMPARE(qAlpha(item.image().pixel(0, 0)), 0);
    }

    void picksOnTheWheelOnly()
    {
        QTest::ignoreMessage(QtDebugMsg, "width 0 0");
        ColorPalette item;
        item.setSize(QSizeF(300, 300));
        render(item);
        QSignalSpy spy(&item, &ColorPalette::colorChang);

        item.mouseMove(149, 5);            // top of the rim: on the wheel
        QCOMPARE(spy.count(), 1);
        QVERIFY(QRegularExpression("^#[0-9a-f]{6}$").match(spy.last().at(0).toString()).hasMatch());

        item.mouseMove(0, 0);               // corner
        item.mouseMove(299, 299);
        item.mouseMove(149, 296);           // just below the rim
        item.mouseMove(-20, 149);           // outside the item
        item.mouseMove(5000, 149);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(item.marker(), QPoint(5000, 149));   // the marker is kept anyway
    }

    void huesSitWhereTheyShould()
    {
        QTest::ignoreMessage(QtDebugMsg, "width 0 0");
        ColorPalette item;
        item.setSize(QSizeF(300, 300));
        render(item);
        QSignalSpy spy(&item, &ColorPalette::colorChang);

        item.mouseMove(292, 149);           // just inside the right end
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("#ff0000"));

        // Just inside the left end: cyan, up to the last step of Qt's
        // 1024-entry gradient table (#00feff at worst).
        item.mouseMove(7, 149);
        QCOMPARE(spy.count(), 2);
        const QColor left = pickedColor(spy);
        QVERIFY2(left.red() == 0 && left.green() >= 0xfe && left.blue() >= 0xfe,
                 qPrintable(left.name()));

        // Counter-clockwise on screen: yellow/green above, blue/magenta below.
        item.mouseMove(149, 20);            // top: between yellow and green
        QColor top = pickedColor(spy);
        QVERIFY2(qAbs(top.hue() - 90) <= 3, qPrintable(top.name()));
        item.mouseMove(149, 280);           // bottom: between blue and magenta
        QColor bottom = pickedColor(spy);
        QVERIFY2(qAbs(bottom.hue() - 270) <= 3, qPrintable(bottom.name()));
        // Every pick is a fully saturated, fully bright colour.
        QCOMPARE(top.saturation(), 255);
        QCOMPARE(bottom.value(), 255);
    }

    void markerIsDrawnButNeverPicked()
    {
        QTest::ignoreMessage(QtDebugMsg, "width 0 0");
        ColorPalette item;
        item.setSize(QSizeF(300, 300));
        render(item);
        QSignalSpy spy(&item, &ColorPalette::colorChang);

        item.mouseMove(250, 149);
        QCOMPARE(spy.count(), 1);
        QImage shown = render(item);
        // Ticks 7 to 10 pixels away on each side, the point itself uncovered.
        QCOMPARE(QColor(shown.pixel(258, 149)), QColor(Qt::white));
        QCOMPARE(QColor(shown.pixel(241, 149)), QColor(Qt::white));
        QCOMPARE(QColor(shown.pixel(250, 141)), QColor(Qt::white));
        QCOMPARE(QColor(shown.pixel(250, 158)), QColor(Qt::white));
        QVERIFY(QColor(shown.pixel(250, 149)) != QColor(Qt::white));

        // Picking on a tick still gives the wheel's colour there.
        item.mouseMove(258, 149);
        QCOMPARE(spy.count(), 2);
        QVERIFY(spy.last().at(0).toString() != QStringLiteral("#ffffff"));
        QCOMPARE(pickedColor(spy).saturation(), 255);

        item.clearPoint();
        QCOMPARE(item.marker(), QPoint(0, 0));
        shown = render(item);
        for (int x = 230; x < 280; ++x)
            QVERIFY(QColor(shown.pixel(x, 149)) != QColor(Qt::white));
    }

    // Only a pick on the wheel and clearing the marker repaint; a press
    // outside the wheel does not.
    void repaintsOnlyWhenSomethingChanged()
    {
        QTest::ignoreMessage(QtDebugMsg, "width 0 0");
        QQuickWindow window;
        window.resize(320, 320);
        CountingPalette item;
        item.setParentItem(window.contentItem());
        item.setSize(QSizeF(300, 300));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(item.paints > 0);
        QTest::qWait(100);
        const int settled = item.paints;

        QSignalSpy spy(&item, &ColorPalette::colorChang);
        item.mouseMove(0, 0);
        item.mouseMove(299, 2);
        QTest::qWait(200);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(item.paints, settled);

        item.mouseMove(150, 20);
        QCOMPARE(spy.count(), 1);
        QTRY_VERIFY(item.paints > settled);
        QTest::qWait(100);
        const int picked = item.paints;
        item.clearPoint();
        QTRY_VERIFY(item.paints > picked);
    }

    void degenerateSizesAreHarmless()
    {
        QTest::ignoreMessage(QtDebugMsg, "width 0 0");
        ColorPalette item;
        QSignalSpy spy(&item, &ColorPalette::colorChang);

        item.setSize(QSizeF(0, 0));
        QImage out(1, 1, QImage::Format_ARGB32);
        QPainter p(&out);
        item.paint(&p);
        QVERIFY(item.image().isNull());
        item.mouseMove(0, 0);

        item.setSize(QSizeF(8, 8));         // smaller than the margin
        item.paint(&p);
        QCOMPARE(item.radius(), 0);
        item.mouseMove(4, 4);
        item.mouseMove(3, 3);
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_MAIN(TestColorPalette)
#include "tst_colorpalette.moc"

// The reference the start-up benchmark compares the editor with: the smallest
// Qt Quick Controls 2 window (an ApplicationWindow with a Text and a Button),
// on the same Qt and the same display.
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QUrl>

static const char kDocument[] = R"QML(
import QtQuick 2.15
import QtQuick.Controls 2.15

ApplicationWindow {
    width: 640
    height: 480
    visible: true
    title: "bare window"
    Column {
        anchors.centerIn: parent
        spacing: 12
        Text { text: "A bare Qt Quick Controls 2 window" }
        Button { text: "Button" }
    }
}
)QML";

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.loadData(QByteArray(kDocument), QUrl(QStringLiteral("bare-window.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    return app.exec();
}
